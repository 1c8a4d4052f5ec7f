// A build without Qt cannot draw: --graph is refused before anything runs.
#include "app/list_graph.h"

namespace meridel {

bool GraphAvailable() { return false; }

bool WriteGraph(const std::vector<RunRecord>&, const Sky&, const std::string&, std::string& error) {
    error = "--graph needs a meridel-list built with Qt (this one was built with MERIDEL_GUI=OFF)";
    return false;
}

}  // namespace meridel
