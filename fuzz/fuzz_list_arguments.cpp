// meridel-list's command line: any arguments (the input cut at zero bytes) give options or a
// usage error, never both. Options hold only what the program can run (the forms and ranges the
// usage names, Personal with its birth data, World without, a chart with no planets named), and
// written back as arguments they parse to the same options.
#include <cctype>
#include <tuple>

#include "app/list_options.h"
#include "fuzz_check.h"

using namespace meridel;
using namespace meridel::fuzz;

namespace {

bool AllDigits(const std::string& text, std::size_t shortest, std::size_t longest) {
    return text.size() >= shortest && text.size() <= longest && text.find_first_not_of("0123456789") == std::string::npos;
}

std::string DateText(const DateArgument& d) { return d.year + "-" + d.month + "-" + d.day; }

bool ValidDate(const DateArgument& d) { return AllDigits(d.year, 1, 4) && AllDigits(d.month, 1, 2) && AllDigits(d.day, 1, 2); }

// The picture's name ends in .png or .svg, in either case (as "t.Svg").
bool PictureName(const std::string& name) {
    std::string end = name.size() < 4 ? name : name.substr(name.size() - 4);
    for (char& c : end) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return end == ".png" || end == ".svg";
}

auto Fields(const ListOptions& o) {
    auto date = [](const DateArgument& d) { return std::make_tuple(d.year, d.month, d.day); };
    return std::make_tuple(o.help, o.version, o.world, o.chart, o.planet1, o.planet2, date(o.start), date(o.end),
                           o.orbs[0], o.orbs[1], o.orbs[2], o.orbsGiven, o.zone, o.northAmericanAbbreviations,
                           o.birth ? std::optional(date(*o.birth)) : std::nullopt, o.birthHour, o.birthMinute,
                           o.birthZone, o.sidereal, o.searchAspect, o.keepDates, o.allPlanets, o.boxLimit, o.format,
                           o.outputPath, o.graph);
}

std::vector<std::string> ArgumentsOf(const ListOptions& o) {
    std::vector<std::string> args;
    if (o.world) args.push_back(*o.world ? "--world" : "--personal");
    if (o.chart) args.push_back("--chart");
    if (!o.chart) args.insert(args.end(), {"--planet1", o.planet1, "--planet2", o.planet2});
    if (!o.start.year.empty()) args.insert(args.end(), {"--start", DateText(o.start)});
    args.insert(args.end(), {"--end", DateText(o.end)});
    if (o.orbsGiven) {
        args.insert(args.end(), {"--orbs", std::to_string(o.orbs[0]) + "," + std::to_string(o.orbs[1]) + "," +
                                               std::to_string(o.orbs[2])});
    }
    args.insert(args.end(), {"--tz", o.zone});
    if (o.northAmericanAbbreviations) args.push_back("--na-abbr");
    if (o.birth) args.insert(args.end(), {"--birth", DateText(*o.birth)});
    if (o.birthHour) {
        args.insert(args.end(), {"--birth-time", std::to_string(*o.birthHour) + ":" + std::to_string(*o.birthMinute)});
    }
    if (!o.birthZone.empty()) args.insert(args.end(), {"--birth-tz", o.birthZone});
    if (o.sidereal) args.push_back("--sidereal");
    if (o.searchAspect) args.insert(args.end(), {"--search", *o.searchAspect});
    if (!o.keepDates) args.push_back("--no-keep-dates");
    if (o.allPlanets) args.insert(args.end(), {"--all-planets", std::to_string(*o.allPlanets)});
    if (o.boxLimit) args.push_back("--box-limit");
    args.insert(args.end(), {"--format", o.format});
    if (!o.outputPath.empty()) args.insert(args.end(), {"--output", o.outputPath});
    if (!o.graph.empty()) args.insert(args.end(), {"--graph", o.graph});
    return args;
}

std::string Joined(const std::vector<std::string>& args) {
    std::string out;
    for (const std::string& a : args) out += (out.empty() ? "" : " ") + ("'" + Shown(a) + "'");
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args = size == 0 ? std::vector<std::string>{} : Split(Text(data, size), '\0');
    std::string error;
    const auto options = ParseListArguments(args, error);
    const std::string what = Joined(args);
    FUZZ_CHECK(options.has_value() == error.empty(), what + ": " + error);
    if (!options || options->help || options->version) return 0;
    const ListOptions& o = *options;

    // A chart runs every pair of its mode, named outright, and is written whole.
    FUZZ_CHECK(o.chart ? o.planet1.empty() && o.planet2.empty() && o.world && !o.searchAspect && !o.allPlanets &&
                             !o.boxLimit
                       : !o.planet1.empty() && !o.planet2.empty(),
               what);
    FUZZ_CHECK(ValidDate(o.end) && (o.start.year.empty() ? o.searchAspect.has_value() : ValidDate(o.start)), what);
    for (int orb : o.orbs) FUZZ_CHECK(orb >= 1 && orb <= 15, what);
    FUZZ_CHECK(!(o.searchAspect && o.allPlanets) && (o.keepDates || o.searchAspect), what);
    FUZZ_CHECK(!o.allPlanets || *o.allPlanets == 0 || *o.allPlanets == 1, what);
    FUZZ_CHECK(o.birthHour.has_value() == o.birthMinute.has_value(), what);
    FUZZ_CHECK(o.format == "text" || o.format == "agenda" || o.format == "csv" || o.format == "ics" ||
                   o.format == "json",
               what);
    FUZZ_CHECK(o.graph.empty() || PictureName(o.graph), what);
    if (o.isWorld()) {
        FUZZ_CHECK(!o.birth && !o.birthHour && o.birthZone.empty() && !o.sidereal, what);
    } else {
        FUZZ_CHECK(o.birth && ValidDate(*o.birth) && o.birthHour && !o.birthZone.empty(), what);
        FUZZ_CHECK(*o.birthHour >= 0 && *o.birthHour <= 23 && *o.birthMinute >= 0 && *o.birthMinute <= 55 &&
                       *o.birthMinute % 5 == 0,
                   what);
    }

    const std::vector<std::string> again = ArgumentsOf(o);
    std::string againError;
    const auto reparsed = ParseListArguments(again, againError);
    FUZZ_CHECK(reparsed.has_value(), what + " written back as " + Joined(again) + ": " + againError);
    FUZZ_CHECK(Fields(*reparsed) == Fields(o), what + " written back as " + Joined(again));
    return 0;
}
