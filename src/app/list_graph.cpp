// --graph in a build with Qt: the timeline built here, drawn by the module meridel-graph.so,
// loaded the first time a picture is asked for.
#include "app/list_graph.h"

#include <dlfcn.h>

#include "calendar/clock.h"
#include "ephemeris/data_folder.h"

namespace meridel {

namespace {

using DrawTimeline = bool (*)(const Timeline&, const std::string&, std::string&);

// The module beside the executable (the build folder), else where the install puts it.
DrawTimeline LoadDrawing(std::string& why) {
    static DrawTimeline draw = nullptr;
    static std::string problem;
    static bool tried = false;
    if (!tried) {
        tried = true;
        const std::string here = ExecutableFolder();
        for (const std::string& path : {here + kGraphModule, here + MERIDEL_GRAPH_MODULE_FROM_BIN "/" + kGraphModule}) {
            void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
            if (!module) {
                if (problem.empty()) problem = dlerror();
                continue;
            }
            draw = reinterpret_cast<DrawTimeline>(dlsym(module, "meridel_draw_timeline"));
            if (draw) break;
            problem = path + ": no drawing in it";
        }
    }
    if (!draw) why = "--graph cannot draw: " + problem;
    return draw;
}

}  // namespace

bool GraphAvailable() {
    std::string why;
    return LoadDrawing(why) != nullptr;
}

bool WriteGraph(const std::vector<RunRecord>& runs, const Sky& sky, const std::string& path, std::string& error) {
    const DrawTimeline draw = LoadDrawing(error);
    if (!draw) return false;
    return draw(BuildTimeline(runs, sky, activeClock().currentMoment()), path, error);
}

}  // namespace meridel
