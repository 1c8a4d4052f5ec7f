// The functions of meridel-graph.so, the drawing of meridel-list --graph, as meridel-list finds
// them by name. Both sides come from one build, so C++ values pass between them as they are.
#pragma once

#include <cstddef>
#include <string>

#include "timeline/timeline.h"

extern "C" {
// Starts what drawing text needs (Qt's application, offscreen); the handle for meridel_graph_stop.
void* meridel_graph_start();
void meridel_graph_stop(void* application);
// Into *problem: why a picture of up to `runs` runs could not be drawn into path, or "".
void meridel_graph_problem(const char* path, std::size_t runs, std::string* problem);
// The picture file's bytes of the timeline into *bytes; false with the reason in *error.
bool meridel_graph_draw(const meridel::Timeline* timeline, const char* path, std::string* bytes, std::string* error);
}
