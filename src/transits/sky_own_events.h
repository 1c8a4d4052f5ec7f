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

// "9°35' Aries": a longitude as degrees and minutes within its sign.
std::string ZodiacPositionText(double longitude);
// "total", "annular", "hybrid", "partial", "penumbral".
std::string EclipseTypeWord(EclipseType type);
// The events in words, as the agenda and the calendar say them: "Mercury stations retrograde at
// 9°35' Aries", "Saturn enters Aries" ("Saturn enters Pisces retrograde" going backwards),
// "Full Moon at 24°01' Cancer", "Total lunar eclipse".
std::string StationWords(const Station& station);
std::string IngressWords(const Ingress& ingress);
std::string LunationWords(const Lunation& lunation);
std::string EclipseWords(const Eclipse& eclipse);

}  // namespace meridel
