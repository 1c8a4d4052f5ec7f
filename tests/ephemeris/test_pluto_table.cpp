// The Pluto table: the committed pluto.slx against the ephemeris, interpolation, and files
// that cannot be used.
#include <gtest/gtest.h>
#include <swephexp.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "ephemeris/data_folder.h"
#include "ephemeris/ephemlon.h"
#include "ephemeris/planet_longitude.h"
#include "ephemeris/pluto_table.h"

using namespace meridel;

namespace {

constexpr double kFirstMidnight = kMoonPlutoFirstDay - 0.5;  // 1600-01-01 0 h UT

double toDegrees(double radians) { return radians / kFullCircle * 360; }
double angleDifference(double a, double b) { return std::remainder(a - b, 360.0); }

// Synthetic line k: its arc minutes varied, and covering every 60-degree block.
std::string syntheticLine(std::int32_t k) { return EncodePlutoLine(k, (k * 337) % 21600); }

class PlutoTables : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("meridel-pluto-" + std::to_string(getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }
    std::string Folder() const { return folder_.string() + "/"; }
    std::shared_ptr<const PlutoTable> Load(const std::string& name, std::string& errorText) const {
        return LoadPlutoData(Folder(), name, errorText);
    }
    void WriteFile(const std::string& name, const std::string& text) {
        std::ofstream(folder_ / name, std::ios::binary) << text;
    }
    // A load that must fail: a problem naming the file and `detail`, and no table.
    void ExpectRefused(const std::string& name, const std::string& detail) {
        std::string errorText;
        EXPECT_EQ(Load(name, errorText), nullptr) << name;
        EXPECT_NE(errorText.find(Folder() + name), std::string::npos) << errorText;
        EXPECT_NE(errorText.find(detail), std::string::npos) << errorText;
    }

    std::filesystem::path folder_;
};

}  // namespace

// The committed table, as the build placed it beside the executables, against the ephemeris:
// every line's whole minutes (all a three-character reader sees) and its exact value at 0 h, and
// the interpolation between the moments the table was made from, on a sample of days and on
// every day cut into steps (Pluto close to the Sun). The tool's --verify measures every day.
TEST_F(PlutoTables, CommittedTableMatchesEphemeris) {
    std::string errorText;
    const auto loaded = LoadPlutoData(ExecutableFolder(), "pluto.slx", errorText);
    ASSERT_TRUE(loaded) << errorText;
    const PlutoTable& table = *loaded;
    ASSERT_EQ(table.LineCount(), kPlutoTableLines);
    // The table's lines as written, to tell the days cut into steps (longer lines).
    std::vector<std::string> lines;
    std::ifstream file(ExecutableFolder() + "pluto.slx");
    for (std::string line; std::getline(file, line);) {
        if (line.find_first_not_of(" \t\r") != std::string::npos) lines.push_back(line.substr(0, line.find_last_not_of(" \t\r") + 1));
    }
    auto ephemeris = [](double jd) { return toDegrees(apparent_longitude(SE_PLUTO, jd, nullptr)); };
    auto seconds = [](double degrees) { return std::fabs(degrees) * 3600; };
    double worstMinutes = 0, worstLine = 0, worstBetween = 0;
    int cutDays = 0;
    for (std::int32_t k = 0; k < kPlutoTableLines; ++k) {
        const double midnight = kFirstMidnight + k, sky = ephemeris(midnight);
        ASSERT_GE(table.PlutoTableValue(k), 0.0) << k;
        worstMinutes = std::fmax(worstMinutes, seconds(angleDifference(table.PlutoTableValue(k), sky)));
        worstLine = std::fmax(worstLine, seconds(angleDifference(table.PlutoPreciseValue(k), sky)));
        const bool cut = lines[static_cast<std::size_t>(k)].size() > 7;
        cutDays += cut;
        if (k + 1 == kPlutoTableLines || (!cut && k % 97 != 0)) continue;
        for (int i = 0; i < (cut ? 64 : 4); ++i) {
            const double jd = midnight + (i + 0.3) / (cut ? 64 : 4);
            worstBetween = std::fmax(worstBetween, seconds(angleDifference(toDegrees(table.PlutoLongitude(jd)), ephemeris(jd))));
        }
    }
    std::printf("pluto.slx: whole minutes within %.2f\", lines within %.5f\", between them %.5f\" (%d days cut)\n",
                worstMinutes, worstLine, worstBetween, cutDays);
    EXPECT_LE(worstMinutes, 30.0);
    EXPECT_LE(worstLine, 0.0001);
    EXPECT_LE(worstBetween, 0.01);
    EXPECT_GT(cutDays, 0);
}

// A table written by a reader of three characters a line still loads, and gives the straight
// line between whole minutes it always gave, across 0 degrees either way too.
TEST_F(PlutoTables, ThreeCharacterTableStillWorks) {
    std::ifstream committed(ExecutableFolder() + "pluto.slx");
    std::string line, legacy;
    while (std::getline(committed, line)) legacy += line.substr(0, 3) + "\n";
    WriteFile("legacy.slx", legacy);
    std::string errorText;
    const auto loaded = Load("legacy.slx", errorText);
    ASSERT_TRUE(loaded) << errorText;
    PlutoTable table = *loaded;
    auto degreesAt = [&](double days) { return toDegrees(table.PlutoLongitude(kFirstMidnight + days)); };
    EXPECT_TRUE(std::isnan(table.PlutoPreciseValue(182621))) << "no rest read";
    EXPECT_EQ(table.PlutoLongitude(std::nan("")), kBeforeRange);

    // Crossing 0 degrees forwards (359.5 then 0.2) and backwards (0.2 then 359.5).
    table.ReplaceLine(10, EncodePlutoLine(10, 21570));
    table.ReplaceLine(11, EncodePlutoLine(11, 12));
    table.ReplaceLine(20, EncodePlutoLine(20, 12));
    table.ReplaceLine(21, EncodePlutoLine(21, 21570));
    EXPECT_NEAR(degreesAt(10.5), 359.85, 1e-9);
    EXPECT_NEAR(degreesAt(10.9), 0.13, 1e-9);
    EXPECT_NEAR(degreesAt(20.1), 0.13, 1e-9);
    EXPECT_NEAR(degreesAt(20.5), 359.85, 1e-9);
}

// Rests that follow a known curve across 0 degrees, with one day cut into steps: the table gives
// the curve back between its moments, and falls back to whole minutes where a line is damaged.
TEST_F(PlutoTables, RestsAndCutDays) {
    // Degrees at t days after 1600-01-01 0 h: a quadratic, which a cubic gives back exactly,
    // passing 360 near t = 10; day 20 adds a wiggle of 4" that only its steps can follow.
    auto curve = [](double t) { return 359.5 + 0.05 * t - 0.0001 * t * t; };
    auto wiggle = [](double t) { return t >= 20 && t <= 21 ? 4.0 / 3600 * std::sin(6.28318530717959 * (t - 20)) : 0.0; };
    auto sky = [&](double t) { return curve(t) + wiggle(t); };
    auto line = [&](std::int32_t k, int e) {
        const auto minutes = static_cast<std::int32_t>(std::nearbyint(sky(k) * 60));
        std::string text = EncodePlutoLine(k, minutes);
        for (int j = 0; j < (e > 0 ? 1 << e : 1); ++j) {
            if (j == 1) text += PlutoStepsMark(e);
            text += EncodePlutoRest((sky(k + std::ldexp(j, -e)) * 60 - minutes) * 60);
        }
        return text;
    };
    std::vector<std::string> lines;
    for (std::int32_t k = 0; k < kPlutoTableLines; ++k) lines.push_back(k < 100 ? line(k, k == 20 ? 5 : 0) : syntheticLine(k));
    PlutoTable table(lines);
    auto error = [&](double t) { return std::fabs(angleDifference(toDegrees(table.PlutoLongitude(kFirstMidnight + t)), sky(t))) * 3600; };
    for (double t : {0.0, 0.3, 9.7, 10.2, 19.5, 20.1, 20.25, 20.77, 21.4, 50.5}) EXPECT_LT(error(t), 0.001) << t;
    // The rate is the curve's slope (degrees a day, 0.05 - 0.0002 t, at the moments above).
    for (double t : {0.3, 10.2, 50.5}) {
        const double rate = table.PlutoLongitudeWithRate(kFirstMidnight + t).rate / kFullCircle * 360;
        EXPECT_NEAR(rate, 0.05 - 0.0002 * t, 1e-7) << t;
    }
    EXPECT_NEAR(table.PlutoPreciseValue(10) - 360, curve(10) - 360, 1e-8);

    // A damaged rest makes its line a three-character one: the days around it are whole minutes.
    table.ReplaceLine(40, lines[40].substr(0, 6) + "~");
    EXPECT_TRUE(std::isnan(table.PlutoPreciseValue(40)));
    EXPECT_DOUBLE_EQ(table.PlutoLongitude(kFirstMidnight + 39.5),
                     (table.PlutoTableValue(39) + table.PlutoTableValue(40)) / 2 / 360 * kFullCircle);
    EXPECT_NEAR(table.PlutoLongitudeWithRate(kFirstMidnight + 39.5).rate,
                (table.PlutoTableValue(40) - table.PlutoTableValue(39)) / 360 * kFullCircle, 1e-12);
    EXPECT_LT(error(43.5), 0.001);
}

TEST_F(PlutoTables, UnusableFilesAreRefused) {
    std::string validText;
    for (std::int32_t k = 0; k < kPlutoTableLines; ++k) validText += syntheticLine(k) + "\n";
    ExpectRefused("missing.slx", "No such file");
    std::filesystem::create_directory(folder_ / "folder.slx");
    ExpectRefused("folder.slx", "directory");
    WriteFile("short.slx", validText.substr(0, 4 * 1000));
    ExpectRefused("short.slx", "1000 lines, 182623 needed");

    // File line 6 (kept line 4, after a blank line) is too short.
    std::string bad = validText;
    bad.replace(4 * 4, 4, "ab\n\n");
    WriteFile("short-line.slx", "\n" + bad);
    ExpectRefused("short-line.slx", "line 6:");
    // The last line the range needs holds codes outside their ranges.
    bad = validText;
    bad.replace(4 * (kPlutoTableLines - 1), 3, "~~~");
    WriteFile("bad-code.slx", bad);
    ExpectRefused("bad-code.slx", "line 182623:");

    // Lines after the range are never read, so they need not decode. (That blank lines, blanks
    // around a line and CR LF endings shift no day is the table fuzzer's check.)
    WriteFile("longer.slx", validText + "??\n");
    std::string errorText;
    EXPECT_TRUE(Load("longer.slx", errorText)) << errorText;
}
