#include "app/list_options.h"

#include <cctype>

namespace meridel {

namespace {

bool AllDigits(const std::string& s) {
    if (s.empty()) return false;
    for (char c : s) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    }
    return true;
}

// YYYY-MM-DD with a year of 1 to 4 digits; existence of the date is left to the window's checks.
std::optional<DateArgument> ParseDate(const std::string& text) {
    std::size_t a = text.find('-');
    std::size_t b = a == std::string::npos ? a : text.find('-', a + 1);
    if (b == std::string::npos) return std::nullopt;
    DateArgument d{text.substr(0, a), text.substr(a + 1, b - a - 1), text.substr(b + 1)};
    if (!AllDigits(d.year) || d.year.size() > 4 || !AllDigits(d.month) || d.month.size() > 2 ||
        !AllDigits(d.day) || d.day.size() > 2) {
        return std::nullopt;
    }
    return d;
}

std::optional<int> ParseSmallNumber(const std::string& text, int low, int high) {
    if (!AllDigits(text) || text.size() > 3) return std::nullopt;
    int n = std::stoi(text);
    if (n < low || n > high) return std::nullopt;
    return n;
}

bool EndsWith(const std::string& text, const std::string& end) {
    if (text.size() < end.size()) return false;
    for (std::size_t i = 0; i < end.size(); ++i) {
        const char c = text[text.size() - end.size() + i];
        if (std::tolower(static_cast<unsigned char>(c)) != end[i]) return false;
    }
    return true;
}

}  // namespace

std::array<int, 3> ListOptions::OrbsToUse() const {
    if (orbsGiven) return {orbs[0], orbs[1], orbs[2]};
    if (planet1 == "Mercury" && !allPlanets) return {10, 6, 3};
    return {10, 5, 2};
}

std::string ListUsage(bool withGraph) {
    std::string usage =
        "Usage: meridel-list [--world | --personal] --planet1 NAME --planet2 NAME\n"
        "                    --start YYYY-MM-DD --end YYYY-MM-DD\n"
        "   or: meridel-list --chart --world | --personal --start YYYY-MM-DD --end YYYY-MM-DD\n"
        "                    [--orbs OUTER,MIDDLE,INNER]        default 10,5,2; 10,6,3 for Mercury (see below)\n"
        "                    [--tz ZONE]                        result zone as its list text, default \"GMT\"\n"
        "                    [--na-abbr]                        tick \"N. Amer. TZ abbr.\" (zone texts like \"EST/CDT\")\n"
        "                    [--birth YYYY-MM-DD --birth-time HH:MM --birth-tz ZONE]   Personal mode\n"
        "                    [--sidereal]                       Personal mode\n"
        "                    [--search ASPECT [--no-keep-dates]]   run Search for \"conjunction\", \"square\", ...\n"
        "                    [--all-planets 0|1]                run the all-planets button with that index\n"
        "                    [--box-limit]                      stop at the output box's limit, as the window does\n"
        "                    [--format text|agenda|csv|ics|json]   default text: the listing as the output box shows it\n"
        "                    [--output FILE]                    default standard output\n"
        "                    [--graph FILE.png|FILE.svg]        also draw the timeline of the listing\n"
        "       meridel-list --help | --version\n"
        "\n"
        "Runs Meridel's transit listing without a window and writes the listing, whole, to\n"
        "standard output, as the window's output box shows it. NAME is a body name as the lists\n"
        "show it (\"Mars\", \"Moon\"); --planet1 is the inner or transiting planet, --planet2 the\n"
        "outer or natal planet. Without --world or --personal the mode is Personal when --birth is\n"
        "given, World otherwise. Birth minutes are multiples of 5. Message boxes are written to\n"
        "standard error as \"[TITLE] TEXT\".\n"
        "Without --orbs the orbs are 10,5,2, or 10,6,3 when --planet1 is Mercury in a listing or\n"
        "search (with Mercury moving the inner orb must be at least 3); an all-planets listing\n"
        "does not check orbs against planets and takes 10,5,2.\n"
        "--format csv, ics and json write every run of the listing as a spreadsheet table, a\n"
        "calendar (one all-day event per transit, one timed event per exact hit) or JSON; nothing\n"
        "is written when the request is refused.\n"
        "--chart runs the whole chart: Personal, every planet Sun..Pluto against every natal body\n"
        "Sun..Pluto and the Moon (90 runs); World, every pair of planets Sun..Pluto (36 runs); each run\n"
        "as in an all-planets listing (orbs checked for order only; default 10,5,2), one after\n"
        "another. The exports of a chart add the sky's own events of the period: stations of\n"
        "Mercury..Pluto, sign ingresses of the Sun..Pluto (sidereal signs with --sidereal), New and\n"
        "Full Moons (1600-2099) and solar and lunar eclipses, in universal time to the minute.\n"
        "--format agenda writes one line per event in date order, for any request: each orb entered\n"
        "and left (local day), each exact hit and closest approach, and the sky's own events of the\n"
        "period (local day and time), e.g. \"2025-03-15 06:46 Mercury stations retrograde at 9\xC2\xB0""35' Aries\".\n";
    usage += withGraph ? "--graph draws the timeline of the runs listed, as the window's \"Show timeline\" does,\n"
                         "1400 pixels wide. The picture's name and folder are checked before the run, and the\n"
                         "listing and the picture are written only when both can be. A chart's picture stands each\n"
                         "moving planet's lanes under its name and marks stations, lunations and eclipses on its axis.\n"
                       : "--graph is not in this meridel-list: it was built without Qt (MERIDEL_GUI=OFF) and\n"
                         "cannot draw; it refuses the option.\n";
    usage +=
        "Exit status: 0 when the run reached its scan, 1 when a check refused the request, 2 for a\n"
        "usage error or an output file that cannot be written.\n";
    return usage;
}

std::optional<ListOptions> ParseListArguments(const std::vector<std::string>& args, std::string& error) {
    ListOptions o;
    auto fail = [&](const std::string& message) {
        error = message;
        return std::optional<ListOptions>();
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) return false;
            out = args[++i];
            return true;
        };
        std::string v;
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--version") {
            o.version = true;
        } else if (a == "--world" || a == "--personal") {
            if (o.world.has_value() && *o.world != (a == "--world")) return fail("--world and --personal exclude each other");
            o.world = (a == "--world");
        } else if (a == "--planet1" || a == "--planet2") {
            if (!value(v) || v.empty()) return fail(a + " needs a body name");
            (a == "--planet1" ? o.planet1 : o.planet2) = v;
        } else if (a == "--start" || a == "--end" || a == "--birth") {
            if (!value(v)) return fail(a + " needs a date YYYY-MM-DD");
            auto d = ParseDate(v);
            if (!d) return fail(a + ": not a date of the form YYYY-MM-DD: " + v);
            if (a == "--start") o.start = *d;
            else if (a == "--end") o.end = *d;
            else o.birth = *d;
        } else if (a == "--orbs") {
            if (!value(v)) return fail("--orbs needs OUTER,MIDDLE,INNER");
            std::size_t c1 = v.find(','), c2 = c1 == std::string::npos ? c1 : v.find(',', c1 + 1);
            if (c2 == std::string::npos) return fail("--orbs needs three whole degrees: OUTER,MIDDLE,INNER");
            auto outer = ParseSmallNumber(v.substr(0, c1), 1, 15);
            auto middle = ParseSmallNumber(v.substr(c1 + 1, c2 - c1 - 1), 1, 15);
            auto inner = ParseSmallNumber(v.substr(c2 + 1), 1, 15);
            if (!outer || !middle || !inner) return fail("--orbs: each orb is a whole number of degrees from 1 to 15");
            o.orbs[0] = *outer;
            o.orbs[1] = *middle;
            o.orbs[2] = *inner;
            o.orbsGiven = true;
        } else if (a == "--tz" || a == "--birth-tz") {
            if (!value(v)) return fail(a + " needs a zone as the list shows it, e.g. GMT+1:00");
            (a == "--tz" ? o.zone : o.birthZone) = v;
        } else if (a == "--na-abbr") {
            o.northAmericanAbbreviations = true;
        } else if (a == "--birth-time") {
            if (!value(v)) return fail("--birth-time needs HH:MM");
            std::size_t colon = v.find(':');
            if (colon == std::string::npos) return fail("--birth-time needs HH:MM");
            auto h = ParseSmallNumber(v.substr(0, colon), 0, 23);
            auto m = ParseSmallNumber(v.substr(colon + 1), 0, 55);
            if (!h || !m || *m % 5 != 0) return fail("--birth-time: hour 00-23 and minute 00-55 in steps of 5");
            o.birthHour = *h;
            o.birthMinute = *m;
        } else if (a == "--sidereal") {
            o.sidereal = true;
        } else if (a == "--search") {
            if (!value(v) || v.empty()) return fail("--search needs an aspect, e.g. conjunction");
            o.searchAspect = v;
        } else if (a == "--no-keep-dates") {
            o.keepDates = false;
        } else if (a == "--graph") {
            if (!value(v) || v.empty()) return fail("--graph needs a file name ending in .png or .svg");
            if (!EndsWith(v, ".png") && !EndsWith(v, ".svg")) return fail("--graph: the picture is a .png or .svg file: " + v);
            o.graph = v;
        } else if (a == "--box-limit") {
            o.boxLimit = true;
        } else if (a == "--format") {
            if (!value(v) || (v != "text" && v != "agenda" && v != "csv" && v != "ics" && v != "json")) {
                return fail("--format takes text, agenda, csv, ics or json");
            }
            o.format = v;
        } else if (a == "--output") {
            if (!value(v) || v.empty()) return fail("--output needs a file name");
            o.outputPath = v;
        } else if (a == "--chart") {
            o.chart = true;
        } else if (a == "--all-planets") {
            if (!value(v) || (v != "0" && v != "1")) return fail("--all-planets takes 0 or 1");
            o.allPlanets = v == "0" ? 0 : 1;
        } else {
            return fail("unknown argument: " + a);
        }
    }
    if (o.help || o.version) return o;
    if (o.chart) {
        if (!o.planet1.empty() || !o.planet2.empty()) return fail("--chart runs every planet: no --planet1 or --planet2");
        // A chart is written whole: the window's box limit has no place in it.
        if (o.searchAspect || o.allPlanets || o.boxLimit) return fail("--chart excludes --search, --all-planets and --box-limit");
        if (!o.world) return fail("--chart needs --personal or --world");
    } else if (o.planet1.empty() || o.planet2.empty()) {
        return fail("--planet1 and --planet2 are required");
    }
    if (o.start.year.empty() && !o.searchAspect) return fail("--start is required");
    if (o.end.year.empty()) return fail("--end is required");
    if (o.searchAspect && o.allPlanets) return fail("--search and --all-planets exclude each other");
    if (!o.keepDates && !o.searchAspect) return fail("--no-keep-dates goes with --search");
    if (!o.isWorld() && (!o.birth || !o.birthHour || o.birthZone.empty())) {
        return fail("missing --birth, --birth-time or --birth-tz for Personal mode");
    }
    if (o.isWorld() && (o.birth || o.birthHour || !o.birthZone.empty() || o.sidereal)) {
        return fail("--birth, --birth-time, --birth-tz and --sidereal belong to Personal mode");
    }
    return o;
}

}  // namespace meridel
