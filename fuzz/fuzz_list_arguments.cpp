// meridel-list's command line: any arguments (the input cut at zero bytes) give options or a
// usage error, never both. Options hold what the program needs to run (Personal with its birth
// data, World without, a chart with no planets named, orbs and a birth time its lists have), and
// written back as arguments they parse to options written back the same.
#include "app/list_options.h"
#include "fuzz_check.h"

using namespace meridel;
using namespace meridel::fuzz;

namespace {

std::string DateText(const DateArgument& d) { return d.year + "-" + d.month + "-" + d.day; }

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args = size == 0 ? std::vector<std::string>{} : Split(Text(data, size), '\0');
    std::string error;
    const auto options = ParseListArguments(args, error);
    FUZZ_CHECK(options.has_value() == error.empty());
    if (!options || options->help || options->version) return 0;
    const ListOptions& o = *options;

    // A chart runs every pair of its mode, named outright, and is written whole.
    FUZZ_CHECK(o.chart ? o.planet1.empty() && o.planet2.empty() && o.world && !o.searchAspect && !o.allPlanets &&
                             !o.boxLimit
                       : !o.planet1.empty() && !o.planet2.empty());
    FUZZ_CHECK(!o.end.year.empty() && (!o.start.year.empty() || o.searchAspect));
    for (int orb : o.orbs) FUZZ_CHECK(orb >= 1 && orb <= 15);
    FUZZ_CHECK(!(o.searchAspect && o.allPlanets) && (o.keepDates || o.searchAspect));
    FUZZ_CHECK(o.birthHour.has_value() == o.birthMinute.has_value());
    if (o.isWorld()) {
        FUZZ_CHECK(!o.birth && !o.birthHour && o.birthZone.empty() && !o.sidereal);
    } else {
        FUZZ_CHECK(o.birth && o.birthHour && !o.birthZone.empty());
        FUZZ_CHECK(*o.birthHour >= 0 && *o.birthHour <= 23 && *o.birthMinute >= 0 && *o.birthMinute <= 55 &&
                   *o.birthMinute % 5 == 0);
    }

    const std::vector<std::string> again = ArgumentsOf(o);
    const auto reparsed = ParseListArguments(again, error);
    FUZZ_CHECK(reparsed && ArgumentsOf(*reparsed) == again);
    return 0;
}
