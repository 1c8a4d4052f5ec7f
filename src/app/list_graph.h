// meridel-list --graph: the timeline of the runs listed, drawn into a PNG or SVG file as the
// window's timeline draws it, 1400 pixels wide. Messages are meridel-list's own ("cannot ...").
// The drawing (Qt Gui) is the module meridel-graph.so, loaded only when a picture is asked for,
// so that a run without --graph starts without Qt.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ephemeris/sky.h"
#include "transits/sky_own_events.h"
#include "transits/transit_results.h"

namespace meridel {

inline constexpr const char* kGraphModule = "meridel-graph.so";

// False in a build without Qt, which cannot draw, and where the drawing module is not found.
bool GraphAvailable();

class ListGraph {
public:
    // Loads the drawing and starts what drawing text needs (Qt's application), where it can draw.
    explicit ListGraph(std::string path);
    ~ListGraph();

    // Before the run: why a picture of up to `runs` runs could not be drawn into the path, or "".
    // Its name and folder are the caller's to check, as for any output file.
    std::string ProblemBeforeRun(std::size_t runs) const;
    // The picture file's bytes for the runs, their curves from the sky; false with the reason in
    // `error`. With a chart's events (and its zone's text), its lanes grouped by moving planet and
    // its stations, lunations and eclipses marked on the time axis.
    bool Draw(const std::vector<RunRecord>& runs, const Sky& sky, std::string& bytes, std::string& error,
              const SkyOwnEvents* chartEvents = nullptr) const;

private:
    struct Application;
    std::string path_;
    std::unique_ptr<Application> application_;
};

}  // namespace meridel
