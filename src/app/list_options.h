// Command line of meridel-list, the batch front-end that runs the window's requests without a
// window and prints their listing.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace meridel {

struct DateArgument {
    std::string year, month, day;  // digits as typed into the date boxes
};

struct ListOptions {
    bool help = false;
    bool version = false;
    std::optional<bool> world;                // --world / --personal; unset: Personal when --birth is given
    std::string planet1, planet2;             // body names as the lists show them
    DateArgument start, end;
    int orbs[3] = {10, 5, 2};                 // outer, middle, inner, whole degrees, as --orbs gave them
    bool orbsGiven = false;
    std::string zone = "GMT";                 // result zone as its list text
    bool northAmericanAbbreviations = false;
    std::optional<DateArgument> birth;
    std::optional<int> birthHour, birthMinute;
    std::string birthZone;
    bool sidereal = false;
    std::optional<std::string> searchAspect;  // "conjunction", "square", ...
    bool keepDates = true;
    std::optional<int> allPlanets;            // 0 or 1
    bool chart = false;                       // --chart: every pair of the mode, with the sky's events
    bool boxLimit = false;                    // stop at the window's output box limit
    std::string format = "text";              // text, agenda, csv, ics or json
    std::string outputPath;                   // empty: standard output
    std::string graph;                        // --graph: the timeline picture's file, .png or .svg

    bool isWorld() const { return world.value_or(!birth.has_value()); }
    // The orbs to run with: those given, or else defaults the moving planet accepts (10,5,2, and
    // 10,6,3 for a listing or search of Mercury, whose inner orb must be at least 3 degrees).
    std::array<int, 3> OrbsToUse() const;
};

// Parses the arguments after the program name. On a usage error returns nullopt and sets error.
std::optional<ListOptions> ParseListArguments(const std::vector<std::string>& args, std::string& error);

// The text printed by --help; withGraph: this meridel-list can draw --graph's picture.
std::string ListUsage(bool withGraph);

}  // namespace meridel
