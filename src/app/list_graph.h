// meridel-list --graph: the timeline of the runs listed, drawn into a PNG or SVG file as the
// window's timeline draws it.
#pragma once

#include <string>
#include <vector>

#include "ephemeris/sky.h"
#include "timeline/timeline.h"
#include "transits/transit_results.h"

namespace meridel {

// The module that draws (with Qt Gui), loaded only when a picture is asked for.
inline constexpr const char* kGraphModule = "meridel-graph.so";

// False in a build without Qt, which cannot draw, and where the drawing module cannot be loaded.
bool GraphAvailable();

// Draws the runs' timeline (its curves from the sky) into path (.png or .svg); false with the
// reason in `error`.
bool WriteGraph(const std::vector<RunRecord>& runs, const Sky& sky, const std::string& path, std::string& error);

}  // namespace meridel
