#include "transits/date_limits.h"

#include "ephemeris/ephemlon.h"
#include "ephemeris/names.h"
#include "ephemeris/planet_longitude.h"
#include "ephemeris/sky.h"
#include "transits/transit_request.h"

namespace meridel {

std::string DateRangeMessage(std::int16_t error, std::int16_t codeA, std::int16_t codeB) {
    switch (error) {
    case kSecondBodyAfterRange: return "Date is beyond allowable date range for " + BodyName[codeB] + ".";
    case kFirstBodyAfterRange: return "Date is beyond allowable date range for " + BodyName[codeA] + ".";
    case kSecondBodyBeforeRange: return "Date is prior to allowable date range for " + BodyName[codeB] + ".";
    default: return "Date is prior to allowable date range for " + BodyName[codeA] + ".";
    }
}

std::string EphemerisDateLimitMessage(const Sky& sky, const TransitRequest& request, std::int16_t which) {
    const std::string label = which == 0 ? "Start date" : "End date";
    // 0 h universal time of the day: the output zone plays no part in this check.
    const double jd = request.RequestDays[which == 0 ? 0 : 1] - 0.5;
    double longitudes[2];
    for (int i = 0; i < 2; ++i) longitudes[i] = sky.PlanetLongitude(request.PlanetCodes[i], jd);
    for (int i = 0; i < 2; ++i) {
        if (longitudes[i] == kBeforeRange) return label + " is too early for " + BodyName[request.PlanetCodes[i]] + ".";
    }
    for (int i = 0; i < 2; ++i) {
        if (longitudes[i] == kAfterRange) return label + " is too late for " + BodyName[request.PlanetCodes[i]] + ".";
    }
    return "";
}

}  // namespace meridel
