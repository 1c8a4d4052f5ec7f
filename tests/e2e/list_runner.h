// Running meridel-list from a test, and the committed listings it is compared with. Set
// MERIDEL_UPDATE_GOLDEN=1 to rewrite them after a deliberate change; the sky check still has to
// pass for them.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

#include "calendar/daycount.h"
#include "ephemeris/planet_longitude.h"
#include "listing_check.h"

namespace meridel::testing {

struct RunResult {
    int exitCode = -1;
    std::string out, err;
};

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Runs meridel-list with the arguments; its standard output and error are kept whole.
inline RunResult runList(const std::string& arguments) {
    const std::string base = ::testing::TempDir() + "meridel_list_" +
                             ::testing::UnitTest::GetInstance()->current_test_info()->name();
    const std::string command = std::string(MERIDEL_LIST) + " " + arguments + " >" + base + ".out 2>" + base + ".err";
    RunResult r;
    const int status = std::system(command.c_str());
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = readFile(base + ".out");
    r.err = readFile(base + ".err");
    return r;
}

inline void expectGolden(const std::string& name, const std::string& text) {
    const std::string path = std::string(MERIDEL_GOLDEN_DIR) + "/" + name + ".txt";
    if (std::getenv("MERIDEL_UPDATE_GOLDEN")) {
        std::ofstream(path, std::ios::binary) << text;
        return;
    }
    EXPECT_EQ(text, readFile(path)) << "listing differs from " << path;
}

// Every date of the listing agrees with the sky, and it has at least minimumRows rows.
inline void expectSkyAgrees(const std::string& text, const SkyPair& pair, std::size_t minimumRows) {
    const Listing listing = ParseListing(text);
    EXPECT_GE(listing.rows.size(), minimumRows);
    for (const std::string& problem : CheckListingAgainstSky(listing, pair)) ADD_FAILURE() << problem;
}

// A natal position (radians) at minutesUt after 0 h UT of the date.
inline double natalLongitude(std::int16_t code, int y, int m, int d, int minutesUt, bool sidereal) {
    EuroDate date{y, m, d, kGregorianCalendar, 0, 0};
    const std::int32_t day = euro_date_to_jdn(date);
    SiderealZodiac = sidereal;
    const double longitude = PlanetLongitude(code, day - 0.5 + minutesUt / 1440.0);
    SiderealZodiac = false;
    return longitude;
}

}  // namespace meridel::testing
