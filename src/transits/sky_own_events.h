// The sky's own events of a period as values (forecast/sky_events.h finds them): what the
// exports write beside a listing's runs and the agenda puts among its transits.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "ephemeris/ephemlon.h"

namespace meridel {

inline const std::array<std::string, 12> SignName{"Aries", "Taurus",  "Gemini",      "Cancer",    "Leo",      "Virgo",
                                                  "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"};

// A planet turning: its speed passes zero.
struct Station {
    std::int16_t body = 0;
    bool retrograde = false;  // turns retrograde (true) or direct
    double moment = 0;        // UT, whole minute
    double longitude = 0;     // radians, the sky's zodiac
};

// A planet entering a sign.
struct Ingress {
    std::int16_t body = 0;
    int sign = 0;             // 0 Aries .. 11 Pisces
    double moment = 0;
    bool retrograde = false;  // entered moving backwards (from the sign after it)
};

// A New or Full Moon: the Moon's longitude minus the Sun's passes 0 or 180 degrees.
struct Lunation {
    bool full = false;
    double moment = 0;
    double longitude = 0;  // the Moon's, radians, the sky's zodiac
};

struct Eclipse {
    bool solar = false;
    EclipseType type = EclipseType::Partial;
    double moment = 0;  // greatest eclipse
};

// The events of a period, each kind in time order.
struct SkyOwnEvents {
    std::vector<Station> stations;
    std::vector<Ingress> ingresses;
    std::vector<Lunation> lunations;
    std::vector<Eclipse> eclipses;
};

}  // namespace meridel
