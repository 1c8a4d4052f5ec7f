// make_pluto_table OUTPUT: writes the daily Pluto table (pluto.slx) from the ephemeris.
// One line per day from 1600-01-01 to 2100-01-01: Pluto's apparent geocentric longitude at
// 0 h UT, to the nearest arc minute, encoded as the table reader expects.
#include <swephexp.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>

#include "ephemeris/ephemlon.h"
#include "ephemeris/planet_longitude.h"
#include "ephemeris/pluto_table.h"

int main(int argc, char** argv) {
    using namespace meridel;
    if (argc != 2) {
        std::cerr << "usage: make_pluto_table OUTPUT\n";
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary);
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    for (std::int32_t k = 0; k < kPlutoTableLines; ++k) {
        double midnight = kMoonPlutoFirstDay + k - 0.5;
        double longitude = apparent_longitude(SE_PLUTO, midnight, nullptr);
        // A table from the analytic fallback would be less accurate than the one it replaces.
        std::int32_t flags = last_ephemeris_flags();
        if (longitude < 0.0 || !(flags & SEFLG_SWIEPH) || (flags & SEFLG_MOSEPH)) {
            std::cerr << "make_pluto_table: no position from the JPL-based files for day " << k
                      << "; are the ephemeris files installed?\n";
            return 1;
        }
        auto arcMinutes = static_cast<std::int32_t>(std::nearbyint(longitude / kFullCircle * 21600.0));
        out << EncodePlutoLine(k, arcMinutes) << '\n';
    }
    out.close();
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
