// A build without Qt cannot draw: --graph is refused before anything runs.
#include "app/list_graph.h"

namespace meridel {

struct ListGraph::Application {};

bool GraphAvailable() { return false; }

ListGraph::ListGraph(std::string path) : path_(std::move(path)) {}

ListGraph::~ListGraph() = default;

std::string ListGraph::ProblemBeforeRun(std::size_t) const {
    return "--graph needs a meridel-list built with Qt (this one was built with MERIDEL_GUI=OFF)";
}

bool ListGraph::Draw(const std::vector<RunRecord>&, const Sky&, std::string&, std::string& error,
                     const SkyOwnEvents*) const {
    error = ProblemBeforeRun(0);
    return false;
}

}  // namespace meridel
