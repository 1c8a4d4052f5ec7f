// meridel-list --graph: the timeline of the runs listed, drawn into a PNG or SVG file as the
// window's timeline draws it.
#pragma once

#include <string>
#include <vector>

#include "ephemeris/sky.h"
#include "transits/transit_results.h"

namespace meridel {

// False in a build without Qt, which cannot draw.
bool GraphAvailable();

// Draws the runs' timeline (its curves from the sky) into path (.png or .svg); false with the
// reason in `error`.
bool WriteGraph(const std::vector<RunRecord>& runs, const Sky& sky, const std::string& path, std::string& error);

}  // namespace meridel
