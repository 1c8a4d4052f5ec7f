#include "calendar/clock.h"

#include <ctime>

namespace meridel {

namespace {

class SystemClock : public Clock {
public:
    std::int32_t currentYear() const override {
        std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        return local.tm_year + 1900;
    }
    std::int32_t localOffsetSecondsWest() const override {
        std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        return static_cast<std::int32_t>(-local.tm_gmtoff);
    }
};

const SystemClock systemClock;
const Clock* current = nullptr;

}  // namespace

const Clock& activeClock() { return current ? *current : systemClock; }

const Clock* setClock(const Clock* c) {
    const Clock* previous = current;
    current = c;
    return previous;
}

}  // namespace meridel
