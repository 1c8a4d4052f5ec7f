// meridel-list --graph: the timeline of the runs listed, drawn into a PNG or SVG file as the
// window's timeline draws it.
#pragma once

#include <string>
#include <vector>

#include "transits/transit_results.h"

namespace meridel {

// False in a build without Qt, which cannot draw.
bool GraphAvailable();

// Draws the runs' timeline into path (.png or .svg); false with the reason in `error`.
bool WriteGraph(const std::vector<RunRecord>& runs, const std::string& path, std::string& error);

}  // namespace meridel
