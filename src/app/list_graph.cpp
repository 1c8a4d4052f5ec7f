// --graph in a build with Qt: the timeline built here, drawn by the module meridel-graph.so
// (graph_module.h), loaded when the first picture is asked for.
#include "app/list_graph.h"

#include <dlfcn.h>

#include <filesystem>

#include "app/graph_module.h"
#include "calendar/clock.h"
#include "ephemeris/data_folder.h"
#include "timeline/timeline.h"

namespace meridel {

namespace {

struct Module {
    decltype(&meridel_graph_start) start = nullptr;
    decltype(&meridel_graph_stop) stop = nullptr;
    decltype(&meridel_graph_problem) problem = nullptr;
    decltype(&meridel_graph_draw) draw = nullptr;
};

// The module beside the executable (the build folder), else where the install puts it; "" when
// there is none.
std::string ModulePath() {
    const std::string here = ExecutableFolder();
    for (const std::string& path : {here + kGraphModule, here + MERIDEL_GRAPH_MODULE_FROM_BIN "/" + kGraphModule}) {
        std::error_code error;
        if (std::filesystem::is_regular_file(path, error)) return path;
    }
    return "";
}

// The module's functions, loaded once; nullptr and the reason when it cannot be.
const Module* LoadModule(std::string& why) {
    static std::string problem;
    static const Module* loaded = [] () -> const Module* {
        const std::string path = ModulePath();
        if (path.empty()) {
            problem = std::string("its drawing module ") + kGraphModule + " is not installed";
            return nullptr;
        }
        void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            problem = dlerror();
            return nullptr;
        }
        static Module module;
        module.start = reinterpret_cast<decltype(module.start)>(dlsym(handle, "meridel_graph_start"));
        module.stop = reinterpret_cast<decltype(module.stop)>(dlsym(handle, "meridel_graph_stop"));
        module.problem = reinterpret_cast<decltype(module.problem)>(dlsym(handle, "meridel_graph_problem"));
        module.draw = reinterpret_cast<decltype(module.draw)>(dlsym(handle, "meridel_graph_draw"));
        if (!module.start || !module.stop || !module.problem || !module.draw) {
            problem = path + " is not meridel-list's drawing module";
            return nullptr;
        }
        return &module;
    }();
    if (!loaded) why = problem;
    return loaded;
}

}  // namespace

struct ListGraph::Application {
    const Module* module = nullptr;
    std::string problem;  // why there is no module
    void* app = nullptr;
};

bool GraphAvailable() { return !ModulePath().empty(); }

ListGraph::ListGraph(std::string path) : path_(std::move(path)), application_(std::make_unique<Application>()) {
    application_->module = LoadModule(application_->problem);
    if (application_->module) application_->app = application_->module->start();
}

ListGraph::~ListGraph() {
    if (application_->module) application_->module->stop(application_->app);
}

std::string ListGraph::ProblemBeforeRun(std::size_t runs) const {
    if (!application_->module) return "cannot draw " + path_ + ": " + application_->problem;
    std::string problem;
    application_->module->problem(path_.c_str(), runs, &problem);
    return problem;
}

bool ListGraph::Draw(const std::vector<RunRecord>& runs, const Sky& sky, std::string& bytes, std::string& error,
                     const SkyOwnEvents* chartEvents) const {
    if (!application_->module) {
        error = ProblemBeforeRun(runs.size());
        return false;
    }
    Timeline timeline = BuildTimeline(runs, sky, ActiveClock().CurrentMoment());
    if (chartEvents && !runs.empty()) MarkChart(timeline, *chartEvents, runs.front().request.zoneText);
    return application_->module->draw(&timeline, path_.c_str(), &bytes, &error);
}

}  // namespace meridel
