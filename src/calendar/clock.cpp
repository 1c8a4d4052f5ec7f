#include "calendar/clock.h"

#include <ctime>

#include "calendar/daycount.h"

namespace meridel {

namespace {

class SystemClock : public Clock {
public:
    std::int32_t CurrentYear() const override {
        std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        return local.tm_year + 1900;
    }
    std::int32_t LocalOffsetSecondsWest() const override {
        std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        return static_cast<std::int32_t>(-local.tm_gmtoff);
    }
    double CurrentMoment() const override {
        // The Unix epoch, 1970-01-01 0 h UT, is day number 2440587.5.
        return 2440587.5 + static_cast<double>(std::time(nullptr)) / 86400.0;
    }
};

const SystemClock systemClock;
const Clock* current = nullptr;

}  // namespace

double FixedClock::CurrentMoment() const {
    if (moment_ != 0) return moment_;
    EuroDate newYear{year_, 1, 1};
    return euro_date_to_jdn(newYear) - 0.5;
}

const Clock& ActiveClock() { return current ? *current : systemClock; }

const Clock* SetClock(const Clock* c) {
    const Clock* previous = current;
    current = c;
    return previous;
}

}  // namespace meridel
