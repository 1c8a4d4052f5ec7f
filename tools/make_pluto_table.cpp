// make_pluto_table OUTPUT: writes the daily Pluto table (pluto.slx) from the ephemeris.
// make_pluto_table --verify FILE: loads FILE as the program does and prints the largest
// difference from the ephemeris at 0 h, 6 h, 12 h and 18 h UT of every day of Pluto's range.
//
// One line per day from 1600-01-01 to 2100-01-01: Pluto's apparent geocentric longitude at 0 h UT,
// as pluto_table.h describes:
//   1-3  the longitude rounded to the nearest arc minute, in the designed encoding that every
//        reader of the table understands: 58 + s + (k mod 55), 59 + d, 60 + m for s 60-degree
//        blocks, d degrees and m minutes on line k;
//   4-7  the rest, longitude minus those whole minutes, in ten-thousandths of an arc second plus
//        2^23, as four base-64 digits (EncodePlutoRest);
//   then, on the few days when Pluto passes close behind the Sun and the bending of its light
//        changes within hours, the digit e and the rests at the 2^e - 1 further steps of the day.
// A day is cut only where a cubic through the 0 h values of the days around it would miss the
// ephemeris by more than kCutTolerance anywhere in it, and into the fewest steps that do not.
// A reader that takes only the first three characters gets the whole-minute table as before.
#include <swephexp.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <vector>

#include "ephemeris/ephemlon.h"
#include "ephemeris/planet_longitude.h"
#include "ephemeris/pluto_table.h"

namespace {

using namespace meridel;

constexpr double kArcSecondsPerCircle = 1296000.0;
// Largest difference from the ephemeris, arc seconds, a day may keep without being cut.
constexpr double kCutTolerance = 0.002;
// Away from the Sun by more than this (degrees) Pluto's days need no cut.
constexpr double kNearTheSun = 5.0;
// Moments per day at which a day is compared with the ephemeris.
constexpr int kChecksPerDay = 512;

// A body from the JPL-based files, in arc seconds; negative when they could not serve it.
double EphemerisArcSeconds(std::int32_t body, double jd) {
    const double longitude = apparent_longitude(body, jd, nullptr);
    // A table from the analytic fallback would be less accurate than the one it replaces.
    const std::int32_t flags = last_ephemeris_flags();
    if (longitude < 0.0 || !(flags & SEFLG_SWIEPH) || (flags & SEFLG_MOSEPH)) return -1.0;
    return longitude / kFullCircle * kArcSecondsPerCircle;
}

// The table being made or verified.
PlutoTable table;

double TableArcSeconds(double jd) { return table.PlutoLongitude(jd) / kFullCircle * kArcSecondsPerCircle; }

// Largest difference of the table from the ephemeris at `checks` equal steps of day k, each
// `shift` of a step late.
double DayError(std::int32_t k, int checks, double shift = 0.0) {
    double worst = 0.0;
    for (int i = 0; i < checks; ++i) {
        const double jd = kMoonPlutoFirstDay + k - 0.5 + (i + shift) / checks;
        worst = std::fmax(worst, std::fabs(std::remainder(TableArcSeconds(jd) - EphemerisArcSeconds(SE_PLUTO, jd),
                                                          kArcSecondsPerCircle)));
    }
    return worst;
}

bool NearTheSun(double jd) {
    const double elongation = EphemerisArcSeconds(SE_PLUTO, jd) - EphemerisArcSeconds(SE_SUN, jd);
    return std::fabs(std::remainder(elongation, kArcSecondsPerCircle)) < kNearTheSun * 3600;
}

// Line k: whole minutes and rest at 0 h; with e > 0 the day cut into 2^e steps.
std::string Line(std::int32_t k, std::int32_t arcMinutes, int e) {
    const double midnight = kMoonPlutoFirstDay + k - 0.5;
    const int steps = e > 0 ? 1 << e : 1;
    std::string line = EncodePlutoLine(k, arcMinutes);
    for (int j = 0; j < steps; ++j) {
        if (j == 1) line += PlutoStepsMark(e);
        const double rest = std::remainder(EphemerisArcSeconds(SE_PLUTO, midnight + static_cast<double>(j) / steps) -
                                               arcMinutes * 60.0, kArcSecondsPerCircle);
        line += EncodePlutoRest(rest);
    }
    return line;
}

int Write(const char* path) {
    std::vector<std::int32_t> arcMinutes(kPlutoTableLines);
    std::vector<std::string> lines(kPlutoTableLines);
    for (std::int32_t k = 0; k < kPlutoTableLines; ++k) {
        const double seconds = EphemerisArcSeconds(SE_PLUTO, kMoonPlutoFirstDay + k - 0.5);
        if (seconds < 0.0) {
            std::cerr << "make_pluto_table: no position from the JPL-based files for day " << k
                      << "; are the ephemeris files installed?\n";
            return 1;
        }
        arcMinutes[k] = static_cast<std::int32_t>(std::nearbyint(seconds / 60.0));
        lines[k] = Line(k, arcMinutes[k], 0);
    }
    table = PlutoTable(lines);
    int cut = 0;
    for (std::int32_t k = 0; k + 1 < kPlutoTableLines; ++k) {
        const double midnight = kMoonPlutoFirstDay + k - 0.5;
        if (!NearTheSun(midnight) && !NearTheSun(midnight + 1)) continue;
        if (DayError(k, kChecksPerDay) <= kCutTolerance) continue;
        for (int e = 2; e <= 8; ++e) {
            lines[k] = Line(k, arcMinutes[k], e);
            table.ReplaceLine(k, lines[k]);
            if (DayError(k, kChecksPerDay) <= kCutTolerance) break;
        }
        ++cut;
    }
    std::ofstream out(path, std::ios::binary);
    for (const std::string& line : lines) out << line << '\n';
    out.close();
    if (!out) {
        std::perror(path);
        return 1;
    }
    std::printf("%s: %d lines, %d days cut into steps\n", path, kPlutoTableLines, cut);
    return 0;
}

int Verify(const char* path) {
    const std::filesystem::path file = std::filesystem::absolute(path);
    std::string error;
    const auto loaded = LoadPlutoData(file.parent_path().string() + "/", file.filename().string(), error);
    if (!loaded) {
        std::cerr << "make_pluto_table: " << error << "\n";
        return 1;
    }
    table = *loaded;
    double quarters = 0.0, nearSun = 0.0;
    for (std::int32_t k = 0; k + 1 < kPlutoTableLines; ++k) {
        quarters = std::fmax(quarters, DayError(k, 4));
        const double midnight = kMoonPlutoFirstDay + k - 0.5;
        // Between the moments the cuts were chosen at.
        if (NearTheSun(midnight) || NearTheSun(midnight + 1)) nearSun = std::fmax(nearSun, DayError(k, kChecksPerDay, 0.5));
    }
    std::printf("%s: largest difference from the ephemeris %.5f\" at 0 h, 6 h, 12 h and 18 h UT of every day; "
                "%.5f\" at %d other moments a day within %.0f degrees of the Sun\n",
                path, quarters, nearSun, kChecksPerDay, kNearTheSun);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--verify") == 0) return Verify(argv[2]);
    if (argc != 2 || argv[1][0] == '-') {
        std::cerr << "usage: make_pluto_table OUTPUT\n       make_pluto_table --verify FILE\n";
        return 2;
    }
    return Write(argv[1]);
}
