// Whether the controls hold a chart's request: what a whole chart needs before it is worth
// starting, checked quietly (no message, nothing put back into the controls) so that a window
// can enable its button by it. The chart itself checks again and says what it refuses.
#pragma once

#include "request/request_input.h"

namespace meridel {

// Start and end dates filled and valid and at least 3 days apart, the birth data of a Personal
// chart complete and valid, a results zone chosen, the orbs in order. The planet lists play no
// part: a chart takes every pair.
bool ChartRequestComplete(const RequestInput& input);

}  // namespace meridel
