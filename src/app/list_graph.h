// meridel-list --graph: the timeline of the runs listed, drawn into a PNG or SVG file as the
// window's timeline draws it, 1400 pixels wide. Messages are meridel-list's own ("cannot ...").
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "transits/transit_results.h"

namespace meridel {

// False in a build without Qt, which cannot draw.
bool GraphAvailable();

class ListGraph {
public:
    // Starts what drawing text needs (Qt's application), where it can draw.
    explicit ListGraph(std::string path);
    ~ListGraph();

    // Before the run: why a picture of up to `runs` runs could not be drawn into the path, or "".
    // Its name and folder are the caller's to check, as for any output file.
    std::string ProblemBeforeRun(std::size_t runs) const;
    // The picture file's bytes for the runs; false with the reason in `error`.
    bool Draw(const std::vector<RunRecord>& runs, std::string& bytes, std::string& error) const;

private:
    struct Application;
    std::string path_;
    std::unique_ptr<Application> application_;
};

}  // namespace meridel
