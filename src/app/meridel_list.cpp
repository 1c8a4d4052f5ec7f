// meridel-list: the transit listing without a window. The command line becomes the request the
// window's controls would hold; the request layer checks and runs it into an output box kept in a
// string, printed whole. Message boxes go to standard error as "[TITLE] TEXT".
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "app/list_graph.h"
#include "app/list_options.h"
#include "app/version_text.h"
#include "calendar/date_text.h"
#include "dialogs/dialogs.h"
#include "ephemeris/data_folder.h"
#include "ephemeris/sky.h"
#include "forecast/agenda.h"
#include "forecast/chart.h"
#include "forecast/chart_runs.h"
#include "request/all_planets.h"
#include "request/date_checks.h"
#include "request/choices.h"
#include "request/first_start.h"
#include "request/run_driver.h"
#include "request/search_request.h"
#include "exports/exports.h"

namespace {

using namespace meridel;

int UsageError(const std::string& message) {
    std::cerr << "meridel-list: " << message << "\nTry 'meridel-list --help'.\n";
    return 2;
}

int CannotWrite(const std::string& path, const std::string& reason) {
    std::cerr << "meridel-list: cannot write " << path << ": " << reason << "\n";
    return 2;
}

// Why a file could not be written at path, or "": checked before the run, so that a long run is
// not spent on output that has nowhere to go.
std::string WhyNotWritable(const std::string& path) {
    struct stat file {};
    if (stat(path.c_str(), &file) == 0) {
        if (S_ISDIR(file.st_mode)) return std::strerror(EISDIR);
        return access(path.c_str(), W_OK) == 0 ? "" : std::strerror(errno);
    }
    if (errno != ENOENT) return std::strerror(errno);
    const std::size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    struct stat dir {};
    if (stat(folder.c_str(), &dir) != 0) return std::strerror(errno);
    if (!S_ISDIR(dir.st_mode)) return std::strerror(ENOTDIR);
    return access(folder.c_str(), W_OK | X_OK) == 0 ? "" : std::strerror(errno);
}

bool WriteAll(int fd, const std::string& bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// The files of one run, written together: each goes first to a temporary file in its folder,
// and only when all of them are whole are they renamed over their names. A failure leaves every
// file as it was. (A name that is not a plain file, such as /dev/stdout, is written directly.)
class OutputFiles {
public:
    ~OutputFiles() {
        for (const Pending& f : files_) {
            if (!f.temporary.empty()) unlink(f.temporary.c_str());
        }
    }

    // "" when the bytes wait in a temporary file, or the system's reason.
    std::string Stage(const std::string& path, const std::string& bytes) {
        Pending& f = files_.emplace_back(Pending{path, "", bytes});
        struct stat existing {};
        const bool exists = stat(path.c_str(), &existing) == 0;
        if (exists && !S_ISREG(existing.st_mode)) return "";
        std::string name = path + ".XXXXXX";
        const int fd = mkstemp(name.data());
        if (fd < 0) return std::strerror(errno);
        f.temporary = name;
        // The file keeps its permissions, or gets those a new file would.
        mode_t mode = existing.st_mode & 07777;
        if (!exists) {
            const mode_t mask = umask(0);
            umask(mask);
            mode = 0666 & ~mask;
        }
        const bool written = fchmod(fd, mode) == 0 && WriteAll(fd, bytes);
        const int reason = errno;
        if (close(fd) != 0 || !written) return std::strerror(written ? errno : reason);
        return "";
    }

    // Puts every staged file in place; the path and the system's reason of a failure.
    std::pair<std::string, std::string> Commit() {
        for (Pending& f : files_) {
            if (f.temporary.empty()) {
                std::FILE* file = std::fopen(f.path.c_str(), "wb");
                const bool written = file && std::fwrite(f.bytes.data(), 1, f.bytes.size(), file) == f.bytes.size();
                if (!file || std::fclose(file) != 0 || !written) return {f.path, std::strerror(errno ? errno : EIO)};
                continue;
            }
            if (rename(f.temporary.c_str(), f.path.c_str()) != 0) return {f.path, std::strerror(errno)};
            f.temporary.clear();
        }
        return {};
    }

private:
    struct Pending {
        std::string path, temporary, bytes;
    };
    std::vector<Pending> files_;
};

// Standard output takes the text whole, or the system's reason.
std::string PrintWhole(const std::string& bytes) {
    errno = 0;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
    if (std::fflush(stdout) == 0 && written) return "";
    return std::strerror(errno ? errno : EIO);
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
    if (!o.chart) {  // a chart sets the planets run by run
        in.planets = {PlanetPosition(in.world, 0, o.planet1), PlanetPosition(in.world, 1, o.planet2)};
        if (in.planets[0] < 0) return "--planet1: no such body in the list: " + o.planet1;
        if (in.planets[1] < 0) return "--planet2: no such body in the list: " + o.planet2;
    }
    // Without --start the start row keeps the window's first-start date, 1 January this year.
    in.dates[kStartRow] = o.start.year.empty() ? FirstStartDates()[kStartRow] : DateFields{o.start.year, o.start.month, o.start.day};
    in.dates[kEndRow] = {o.end.year, o.end.month, o.end.day};
    const std::array<int, 3> orbs = o.OrbsToUse();
    for (int i = 0; i < kOrbCount; ++i) in.orbs[static_cast<std::size_t>(i)] = orbs[static_cast<std::size_t>(i)] - 1;
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
    explicit Lister(OutputBox& box) : box_(box), session_(FirstSession()) {}
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

    // The whole chart; its sky's events go to `events`.
    bool Chart(const RequestInput& input, SkyOwnEvents& events) {
        ChartResult chart = RunChart(session_.sky, input);
        if (chart.refusal) ShowMessages(chart.refusal->messages);
        if (chart.runs.empty()) return false;
        session_.sky = chart.sky;
        box_.Clear();
        box_.Append(chart.text);
        for (const RunRecord& run : chart.runs) box_.AddRun(run);
        events = std::move(chart.events);
        return true;
    }

    // The local days the request asks about: its period (a search's, the stretch it found).
    std::pair<std::int32_t, std::int32_t> PeriodOf(const RequestInput& input, bool search) const {
        if (box_.Runs().empty()) return {0, -1};
        const TransitRequest& first = box_.Runs().front().request;
        const std::int32_t firstDay = search ? first.StartDay : ViewDateRow(input.dates[kStartRow]).day.value_or(first.StartDay);
        return {firstDay, first.EndDay};
    }

    // The sky's own events of those days, in the runs' zodiac and zone: for an agenda of any
    // request. The runs' Pluto table, or one loaded for it.
    SkyOwnEvents EventsOfPeriod(std::pair<std::int32_t, std::int32_t> period) const {
        if (box_.Runs().empty()) return {};
        const TransitRequest& first = box_.Runs().front().request;
        Sky sky = session_.sky;
        std::string error;
        if (!sky.PlutoLines()) {
            if (auto table = LoadPlutoData(sky.DataFolder(), "pluto.slx", error)) sky = sky.WithPlutoLines(std::move(table));
        }
        return FindSkyOwnEvents(sky.InZodiac(first.sidereal), LocalMidnight(period.first, first.zoneMinutes),
                                LocalMidnight(period.second + 1, first.zoneMinutes));
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
        std::cout << ListUsage(GraphAvailable());
        return 0;
    }
    if (options->version) {
        std::cout << VersionText("meridel-list");
        return 0;
    }
    if (!options->graph.empty() && !GraphAvailable()) return UsageError(ListGraph(options->graph).ProblemBeforeRun(0));

    RequestInput input;
    const std::string problem = BuildInput(*options, input);
    if (!problem.empty()) return UsageError(problem);

    // Before the run: every file it is to write can be written, the picture at its size too.
    for (const std::string& path : {options->outputPath, options->graph}) {
        if (path.empty()) continue;
        const std::string why = WhyNotWritable(path);
        if (!why.empty()) return CannotWrite(path, why);
    }
    std::optional<ListGraph> graph;
    if (!options->graph.empty()) {
        graph.emplace(options->graph);
        // An all-planets listing runs once per planet of a list, Pluto's run besides.
        const std::size_t runs = options->chart ? ChartPairs(input.world).size() : options->allPlanets ? 11 : 1;
        const std::string why = graph->ProblemBeforeRun(runs);
        if (!why.empty()) {
            std::cerr << "meridel-list: " << why << "\n";
            return 2;
        }
    }

    RecordingDialogs shown(true);
    SetDialogs(&shown);
    StringOutput text;
    OutputBox box(text, options->boxLimit ? std::optional<std::size_t>(OutputBox::kWindowLimit) : std::nullopt);
    Lister lister(box);
    bool scanned = false;
    SkyOwnEvents events;
    if (options->chart) {
        scanned = lister.Chart(input, events);
    } else if (options->searchAspect) {
        scanned = lister.Search(input);
    } else if (options->allPlanets) {
        scanned = lister.AllPlanets(input, *options->allPlanets);
    } else {
        scanned = lister.Run(input);
    }
    SetDialogs(nullptr);
    // A refused request writes nothing: a file named by --output keeps what it held.
    if (!scanned) return 1;
    const OutputFormat format = OutputFormatNamed(options->format).value_or(OutputFormat::Text);
    std::string bytes;
    if (options->format == "agenda") {
        const auto period = lister.PeriodOf(input, options->searchAspect.has_value());
        if (!options->chart) events = lister.EventsOfPeriod(period);
        const int zone = box.Runs().empty() ? 0 : box.Runs().front().request.zoneMinutes;
        bytes = AgendaText(AgendaWithin(AgendaOf(box.Runs(), events, zone), period.first, period.second));
    } else if (format == OutputFormat::Text) {
        bytes = text.Text();
    } else {
        bytes = ExportRuns(format, box.Runs(), lister.sky(), CurrentUtcStamp(), options->chart ? &events : nullptr);
    }

    // Written only when all of it can be: the picture drawn and every file staged first.
    OutputFiles files;
    if (graph) {
        std::string picture;
        if (!graph->Draw(box.Runs(), lister.sky(), picture, error, options->chart ? &events : nullptr)) {
            std::cerr << "meridel-list: " << error << "\n";
            return 2;
        }
        const std::string why = files.Stage(options->graph, picture);
        if (!why.empty()) return CannotWrite(options->graph, why);
    }
    if (!options->outputPath.empty()) {
        const std::string why = files.Stage(options->outputPath, bytes);
        if (!why.empty()) return CannotWrite(options->outputPath, why);
    } else {
        const std::string why = PrintWhole(bytes);
        if (!why.empty()) return CannotWrite("standard output", why);
    }
    const auto [path, why] = files.Commit();
    if (!why.empty()) return CannotWrite(path, why);
    return 0;
}
