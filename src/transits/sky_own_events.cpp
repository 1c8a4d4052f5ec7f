#include "transits/sky_own_events.h"

#include <cmath>
#include <cstdio>

#include "ephemeris/names.h"
#include "ephemeris/planet_longitude.h"

namespace meridel {

std::string ZodiacPositionText(double longitude) {
    if (!(longitude >= 0 && longitude < kFullCircle)) return "";
    // Whole minutes of arc, rounded; 29°59.7' is 0°00' of the next sign.
    long long minutes = std::llround(longitude / kFullCircle * 360.0 * 60.0) % (360 * 60);
    const int sign = static_cast<int>(minutes / (30 * 60));
    minutes %= 30 * 60;
    char text[16];
    std::snprintf(text, sizeof text, "%d\xC2\xB0%02d'", static_cast<int>(minutes / 60), static_cast<int>(minutes % 60));
    return text + (" " + SignName[static_cast<std::size_t>(sign)]);
}

std::string EclipseTypeWord(EclipseType type) {
    switch (type) {
        case EclipseType::Total: return "total";
        case EclipseType::Annular: return "annular";
        case EclipseType::Hybrid: return "hybrid";
        case EclipseType::Partial: return "partial";
        case EclipseType::Penumbral: return "penumbral";
    }
    return "";
}

std::string StationWords(const Station& station) {
    return BodyName[static_cast<std::size_t>(station.body)] + " stations " +
           (station.retrograde ? "retrograde" : "direct") + " at " + ZodiacPositionText(station.longitude);
}

std::string IngressWords(const Ingress& ingress) {
    return BodyName[static_cast<std::size_t>(ingress.body)] + " enters " +
           SignName[static_cast<std::size_t>(ingress.sign)] + (ingress.retrograde ? " retrograde" : "");
}

std::string LunationWords(const Lunation& lunation) {
    return std::string(lunation.full ? "Full" : "New") + " Moon at " + ZodiacPositionText(lunation.longitude);
}

std::string EclipseWords(const Eclipse& eclipse) {
    std::string type = EclipseTypeWord(eclipse.type);
    type[0] = static_cast<char>(type[0] - 'a' + 'A');
    return type + (eclipse.solar ? " solar" : " lunar") + " eclipse";
}

}  // namespace meridel
