#include "forecast/chart_request.h"

#include "request/all_planets.h"
#include "request/date_checks.h"

namespace meridel {

bool ChartRequestComplete(const RequestInput& input) {
    TransitRequest request;
    FieldUpdates updates;
    DateChecks dates(input, request, updates);
    for (int row : {kStartRow, kEndRow}) {
        if (dates.FieldsFilled(row)) return false;
    }
    if (!input.world && dates.BirthFieldsFilled()) return false;
    for (int row : {kStartRow, kEndRow}) {
        if (dates.Date(row)) return false;
    }
    if (!input.world && dates.BirthData(false)) return false;
    if (request.RequestDays[kStartRow] > request.RequestDays[kEndRow] - 3) return false;
    return input.resultZone > 0 && !CheckAllPlanets(input);
}

}  // namespace meridel
