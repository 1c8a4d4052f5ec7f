// meridel-list: the transit listing without a window. The command line becomes the request the
// window's controls would hold; the request layer checks and runs it into an output box kept in a
// string, printed whole. Message boxes go to standard error as "[TITLE] TEXT".
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "app/list_graph.h"
#include "app/list_options.h"
#include "calendar/clock.h"
#include "calendar/date_text.h"
#include "dialogs/dialogs.h"
#include "ephemeris/data_folder.h"
#include "ephemeris/sky.h"
#include "request/all_planets.h"
#include "request/choices.h"
#include "request/run_driver.h"
#include "request/search_request.h"
#include "transits/exports.h"

namespace {

using namespace meridel;

int UsageError(const std::string& message) {
    std::cerr << "meridel-list: " << message << "\n\n" << ListUsage();
    return 2;
}

// Writes bytes to path (created or overwritten), or to standard output when path is empty; the
// system's reason on failure, "" on success.
std::string WriteOutput(const std::string& bytes, const std::string& path) {
    std::FILE* file = path.empty() ? stdout : std::fopen(path.c_str(), "wb");
    if (!file) return std::strerror(errno);
    errno = 0;
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    written = (path.empty() ? std::fflush(file) : std::fclose(file)) == 0 && written;
    return written ? "" : std::strerror(errno ? errno : EIO);
}

// The position of `text` among `texts`, or -1.
int PositionOf(const std::vector<std::string>& texts, const std::string& text) {
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (!text.empty() && texts[i] == text) return static_cast<int>(i);
    }
    return -1;
}

int PlanetPosition(bool world, int list, const std::string& name) {
    for (int position = 0; PlanetAtPosition(world, list, position) <= LastPlanetCode(world, list); ++position) {
        if (PlanetNameAtPosition(world, list, position) == name) return position;
    }
    return -1;
}

// The request the window's controls would hold after the user set them so; a usage message for a
// name no list offers.
std::string BuildInput(const ListOptions& o, RequestInput& in) {
    in.world = o.isWorld();
    in.sidereal = !in.world && o.sidereal;
    in.northAmericanZones = o.northAmericanAbbreviations;
    in.planets = {PlanetPosition(in.world, 0, o.planet1), PlanetPosition(in.world, 1, o.planet2)};
    if (in.planets[0] < 0) return "--planet1: no such body in the list: " + o.planet1;
    if (in.planets[1] < 0) return "--planet2: no such body in the list: " + o.planet2;
    // Without --start the start row keeps the window's first-run default, 1 January this year.
    const std::string year = std::to_string(activeClock().currentYear());
    in.dates[kStartRow] = o.start.year.empty() ? DateFields{year, "1", "1"} : DateFields{o.start.year, o.start.month, o.start.day};
    in.dates[kEndRow] = {o.end.year, o.end.month, o.end.day};
    for (int i = 0; i < kOrbCount; ++i) in.orbs[static_cast<std::size_t>(i)] = o.orbs[i] - 1;
    in.resultZone = ZoneListPosition(in.northAmericanZones, o.zone);
    if (in.resultZone < 0) return "--tz: no such zone in the list: " + o.zone;
    if (o.birth) {
        in.dates[kBirthRow] = {o.birth->year, o.birth->month, o.birth->day};
        in.hour = *o.birthHour + 1;
        in.minute = *o.birthMinute / 5 + 1;
        in.hourTyped = HourTexts()[static_cast<std::size_t>(in.hour)];
        in.minuteTyped = MinuteTexts()[static_cast<std::size_t>(in.minute)];
        in.birthZone = ZoneListPosition(in.northAmericanZones, o.birthZone);
        if (in.birthZone < 0) return "--birth-tz: no such zone in the list: " + o.birthZone;
    }
    if (o.searchAspect) {
        in.searchAspect = PositionOf(SearchAspectTexts(5), *o.searchAspect);
        if (in.searchAspect < 0) return "--search: no such aspect in the list: " + *o.searchAspect;
    }
    in.keepDates = o.keepDates;
    return "";
}

// Runs the request as its button would; true when a scan was reached.
class Lister {
public:
    Lister(const Sky& sky, OutputBox& box) : box_(box) { session_.sky = sky; }
    const Sky& sky() const { return session_.sky; }

    bool Run(const RequestInput& input) {
        const RequestCheck check = CheckRun(input, session_);
        if (check.refusal) ShowMessages(check.refusal->messages);
        if (!check.run) return false;
        Execute(*check.run, input.allPlanets);
        if (const auto message = NoTransitsMessage(scan_, input.allPlanets)) ShowMessages({*message});
        return true;
    }

    bool Search(const RequestInput& input) {
        const SearchCheck check = CheckSearch(input, session_);
        if (check.refusal) {
            ShowMessages(check.refusal->messages);
            return false;
        }
        RequestInput checked = input;
        if (check.updates.minute) checked.minute = *check.updates.minute;
        const SearchStretch stretch = FindNextTransit(checked, session_, check.aspect);
        if (stretch.refusal) {
            ShowMessages(stretch.refusal->messages);
            return false;
        }
        Execute(*stretch.run, false);
        if (const auto message = NoTransitsMessage(scan_, false)) ShowMessages({*message});
        return true;
    }

    bool AllPlanets(const RequestInput& input, int index) {
        if (const auto refusal = CheckAllPlanets(input)) {
            ShowMessages(refusal->messages);
            return false;
        }
        box_.Clear();
        bool scanned = false;
        WalkAllPlanets(input, index, [&](const AllPlanetsStep& step) {
            scanned = Run(step.input) || scanned;
            return session_.RunAborted;
        });
        return scanned;
    }

private:
    void Execute(const TransitRequest& run, bool append) {
        RunWindow quiet;
        ExecuteRun(session_, run, scan_, box_, append, quiet);
    }

    OutputBox& box_;
    RequestSession session_;
    ScanState scan_;
};

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    const auto options = ParseListArguments(args, error);
    if (!options) return UsageError(error);
    if (options->help) {
        std::cout << ListUsage();
        return 0;
    }
    if (!options->graph.empty() && !GraphAvailable()) {
        std::string why;
        WriteGraph({}, Sky(), options->graph, why);
        std::cerr << "meridel-list: " << why << "\n";
        return 2;
    }

    RequestInput input;
    const std::string problem = BuildInput(*options, input);
    if (!problem.empty()) return UsageError(problem);

    RecordingDialogs shown(true);
    setDialogs(&shown);
    StringOutput text;
    OutputBox box(text, options->boxLimit ? std::optional<std::size_t>(OutputBox::kWindowLimit) : std::nullopt);
    // The one sky of this run: the data folder's Pluto table and position store.
    Lister lister(InstalledSky(), box);
    bool scanned = false;
    if (options->searchAspect) {
        scanned = lister.Search(input);
    } else if (options->allPlanets) {
        scanned = lister.AllPlanets(input, *options->allPlanets);
    } else {
        scanned = lister.Run(input);
    }
    setDialogs(nullptr);
    // A refused request writes nothing: a file named by --output keeps what it held.
    if (!scanned) return 1;
    const OutputFormat format = OutputFormatNamed(options->format).value_or(OutputFormat::Text);
    const std::string bytes =
        format == OutputFormat::Text ? text.Text() : ExportRuns(format, box.Runs(), CurrentUtcStamp());
    const std::string failure = WriteOutput(bytes, options->outputPath);
    if (!failure.empty()) {
        std::cerr << "meridel-list: cannot write " << options->outputPath << ": " << failure << "\n";
        return 2;
    }
    std::string graphError;
    if (!options->graph.empty() && !WriteGraph(box.Runs(), lister.sky(), options->graph, graphError)) {
        std::cerr << "meridel-list: " << graphError << "\n";
        return 2;
    }
    return 0;
}
