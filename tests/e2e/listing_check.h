// An independent reader and checker of printed listings: it parses the fixed-width rows and
// checks every date against the sky with its own geometry (longitudes from the ephemeris layer,
// separations and crossings computed here, not by the scan engine).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace meridel::testing {

struct ListedRow {
    std::string aspect;        // the aspect of the row (carried down from the row that named it)
    std::string cells[9];      // trimmed cell texts
};

struct Listing {
    std::string heading;
    std::string titles;
    std::vector<ListedRow> rows;
    std::vector<std::string> trailer;  // lines after the rows ("No transits in this period.", ...)
};

// Parses one run's output (heading, titles, rule, rows). Line ends may be CR LF or LF.
Listing ParseListing(const std::string& text);

struct SkyPair {
    std::int16_t moving = 0;   // planet code of the moving body
    std::int16_t second = 0;   // planet code of the second (outer or natal) body
    bool world = true;
    double natalLongitude = 0; // radians, Personal pairs only
    int zoneMinutes = 0;       // output zone, minutes east
    int orbDegrees[3] = {10, 5, 2};
    bool retrogradeMarksShown = true;  // false: no date may carry an "r" (all-planets World runs)
};

// Checks every date cell: columns 1-3 must name the local day during which the pair entered
// the outer, middle, inner orb; columns 5-7 the day it left the inner, middle, outer orb; an "r"
// must stand exactly where the moving planet is retrograde at the day's start (at the day's end
// for column 4); an exact hit's minute must be within a minute of the true minimum. Returns one
// line per problem found.
std::vector<std::string> CheckListingAgainstSky(const Listing& listing, const SkyPair& pair);

}  // namespace meridel::testing
