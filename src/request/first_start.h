// What the window and meridel-list both start from, before anything is chosen or restored.
#pragma once

#include <array>

#include "request/request_input.h"
#include "request/run_request.h"

namespace meridel {

// A session in the installed sky: the data folder's position store, tropical; its Pluto table is
// read when a request first needs it.
RequestSession FirstSession();

// The date rows of a first start: 1 January to 31 December of the current year, no birth date.
std::array<DateFields, 3> FirstStartDates();

}  // namespace meridel
