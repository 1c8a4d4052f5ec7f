#include "request/first_start.h"

#include <string>

#include "calendar/clock.h"

namespace meridel {

RequestSession FirstSession() {
    RequestSession session;
    session.sky = InstalledSky();
    return session;
}

std::array<DateFields, 3> FirstStartDates() {
    const std::string year = std::to_string(ActiveClock().CurrentYear());
    return {DateFields{year, "1", "1"}, DateFields{year, "12", "31"}, DateFields{}};
}

}  // namespace meridel
