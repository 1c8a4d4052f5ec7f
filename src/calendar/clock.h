// The system date and local zone, behind an interface so tests can fix them.
#pragma once

#include <cstdint>

namespace meridel {

class Clock {
public:
    virtual ~Clock() = default;
    // The current calendar year by the computer's local date.
    virtual std::int32_t CurrentYear() const = 0;
    // The computer's current offset from Greenwich in seconds, positive WEST.
    virtual std::int32_t LocalOffsetSecondsWest() const = 0;
    // Now, in universal time: a day number with fraction.
    virtual double CurrentMoment() const = 0;
};

// The clock in use: the system's, unless a test installed another.
const Clock& ActiveClock();
// Installs c (not owned; nullptr restores the system clock). Returns the previous one.
const Clock* SetClock(const Clock* c);

// A clock that always answers the same; for tests. Without a moment it stands at 0 h UT on
// 1 January of its year.
class FixedClock : public Clock {
public:
    FixedClock(std::int32_t year, std::int32_t offsetSecondsWest, double moment = 0)
        : year_(year), offset_(offsetSecondsWest), moment_(moment) {}
    std::int32_t CurrentYear() const override { return year_; }
    std::int32_t LocalOffsetSecondsWest() const override { return offset_; }
    double CurrentMoment() const override;

private:
    std::int32_t year_;
    std::int32_t offset_;
    double moment_;
};

}  // namespace meridel
