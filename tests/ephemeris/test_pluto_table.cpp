// The Pluto table: the committed pluto.slx against the ephemeris, interpolation, and files
// that cannot be used.
#include <gtest/gtest.h>
#include <swephexp.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "dialogs/dialogs.h"
#include "ephemeris/data_folder.h"
#include "ephemeris/ephemlon.h"
#include "ephemeris/planet_longitude.h"
#include "ephemeris/pluto_table.h"

using namespace meridel;

namespace {

constexpr double kFirstMidnight = kMoonPlutoFirstDay - 0.5;  // 1600-01-01 0 h UT

double toRadians(double degrees) { return degrees / 360 * kFullCircle; }
double toDegrees(double radians) { return radians / kFullCircle * 360; }
double angleDifference(double a, double b) { return std::remainder(a - b, 360.0); }

// Arc minutes for synthetic line k: varied, and covering every 60-degree block.
std::int32_t syntheticMinutes(std::int32_t k) { return (k * 337) % 21600; }

std::string syntheticLine(std::int32_t k) { return EncodePlutoLine(k, syntheticMinutes(k)); }

class PlutoTable : public ::testing::Test {
protected:
    void SetUp() override {
        previousDialogs_ = setDialogs(&dialogs_);
        savedFolder_ = DataFolder;
        folder_ = std::filesystem::temp_directory_path() /
                  ("meridel-pluto-" + std::to_string(getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_);
        DataFolder = folder_.string() + "/";
        for (std::int32_t k = 0; k < kPlutoTableLines; ++k) validText_ += syntheticLine(k) + "\n";
    }
    void TearDown() override {
        setDialogs(previousDialogs_);
        DataFolder = savedFolder_;
        PlutoLines.clear();
        std::filesystem::remove_all(folder_);
    }
    void writeFile(const std::string& name, const std::string& text) {
        std::ofstream(folder_ / name, std::ios::binary) << text;
    }
    // A load that must fail: one message of the designed look naming the file and `detail`,
    // and no table afterwards, not even the one loaded before.
    void expectRefused(const std::string& name, const std::string& detail) {
        writeFile("good.slx", validText_);
        std::string errorText;
        ASSERT_TRUE(LoadPlutoData("good.slx", errorText));
        dialogs_.clear();
        EXPECT_FALSE(LoadPlutoData(name, errorText)) << name;
        ASSERT_EQ(dialogs_.messages.size(), 1u) << name;
        const ShownMessage& shown = dialogs_.messages[0];
        EXPECT_EQ(shown.title, "Read Pluto Data");
        EXPECT_EQ(shown.icon, MessageIcon::Exclamation);
        EXPECT_EQ(shown.text, "Error when reading geocentric Pluto data.\n" + errorText);
        EXPECT_NE(errorText.find(DataFolder + name), std::string::npos) << errorText;
        EXPECT_NE(errorText.find(detail), std::string::npos) << errorText;
        EXPECT_TRUE(PlutoLines.empty());
        EXPECT_EQ(PlanetLongitude(kPluto, 2451545.0), kBeforeRange);
    }

    RecordingDialogs dialogs_;
    Dialogs* previousDialogs_ = nullptr;
    std::string savedFolder_;
    std::filesystem::path folder_;
    std::string validText_;
};

}  // namespace

// Every line of the committed table, as the build placed it beside the executables, against the
// ephemeris at 0 h and, interpolated, at noon.
TEST_F(PlutoTable, CommittedTableMatchesEphemeris) {
    DataFolder = ExecutableFolder();
    std::string errorText;
    ASSERT_TRUE(LoadPlutoData("pluto.slx", errorText)) << errorText;
    ASSERT_EQ(PlutoLines.size(), static_cast<std::size_t>(kPlutoTableLines));
    double worstLine = 0, worstNoon = 0;
    for (std::int32_t k = 0; k < kPlutoTableLines; ++k) {
        double value = PlutoTableValue(k), midnight = kFirstMidnight + k;
        ASSERT_GE(value, 0.0) << k;
        double ephemeris = toDegrees(apparent_longitude(SE_PLUTO, midnight, nullptr));
        worstLine = std::fmax(worstLine, std::fabs(angleDifference(value, ephemeris)));
        if (k + 1 == kPlutoTableLines) break;
        ASSERT_EQ(PlutoLongitude(midnight), toRadians(value)) << k;
        double noon = toDegrees(PlutoLongitude(midnight + 0.5));
        ephemeris = toDegrees(apparent_longitude(SE_PLUTO, midnight + 0.5, nullptr));
        worstNoon = std::fmax(worstNoon, std::fabs(angleDifference(noon, ephemeris)));
    }
    std::printf("pluto.slx: largest error %.3f' at 0 h, %.3f' at noon\n", worstLine * 60, worstNoon * 60);
    EXPECT_LE(worstLine, 1.0 / 60);
    EXPECT_LE(worstNoon, 1.0 / 60);
}

TEST_F(PlutoTable, Interpolation) {
    for (std::int32_t k = 0; k < kPlutoTableLines; ++k) PlutoLines.push_back(syntheticLine(k));
    auto degreesAt = [](double jd) { return toDegrees(PlutoLongitude(jd)); };
    // Line 0 exactly at 1600-01-01 0 h, nothing a moment earlier; the last day interpolates
    // towards line 182622 (2100-01-01) and the next day has no value.
    EXPECT_EQ(PlutoLongitude(kFirstMidnight), toRadians(syntheticMinutes(0) / 60.0));
    EXPECT_EQ(PlutoLongitude(kFirstMidnight - 0.0001), kBeforeRange);
    double a = syntheticMinutes(182621) / 60.0, b = syntheticMinutes(182622) / 60.0;
    EXPECT_NEAR(degreesAt(2488069.49), a + 0.99 * (b - a), 1e-7);
    EXPECT_EQ(PlutoLongitude(2488069.5), kAfterRange);
    EXPECT_EQ(PlutoLongitude(std::nan("")), kBeforeRange);

    // Crossing 0 degrees forwards (359.5 then 0.2) and backwards (0.2 then 359.5).
    PlutoLines[10] = EncodePlutoLine(10, 21570);
    PlutoLines[11] = EncodePlutoLine(11, 12);
    PlutoLines[20] = EncodePlutoLine(20, 12);
    PlutoLines[21] = EncodePlutoLine(21, 21570);
    EXPECT_NEAR(degreesAt(kFirstMidnight + 10.5), 359.85, 1e-9);
    EXPECT_NEAR(degreesAt(kFirstMidnight + 10.9), 0.13, 1e-9);
    EXPECT_NEAR(degreesAt(kFirstMidnight + 20.1), 0.13, 1e-9);
    EXPECT_NEAR(degreesAt(kFirstMidnight + 20.5), 359.85, 1e-9);

    // The first character's offset repeats every 55 lines; a line moved across the cycle's end
    // no longer decodes, and a day next to it has no value.
    EXPECT_DOUBLE_EQ(PlutoTableValue(55), syntheticMinutes(55) / 60.0);
    PlutoLines[55] = PlutoLines[54];
    EXPECT_LT(PlutoTableValue(55), 0.0);
    EXPECT_EQ(PlutoLongitude(kFirstMidnight + 54.5), kBeforeRange);
}

TEST_F(PlutoTable, UnusableFilesAreRefused) {
    expectRefused("missing.slx", "No such file");
    std::filesystem::create_directory(folder_ / "folder.slx");
    expectRefused("folder.slx", "directory");
    writeFile("short.slx", validText_.substr(0, 4 * 1000));
    expectRefused("short.slx", "1000 lines, 182623 needed");

    // File line 6 (kept line 4, after a blank line) is too short.
    std::string bad = validText_;
    bad.replace(4 * 4, 4, "ab\n\n");
    writeFile("short-line.slx", "\n" + bad);
    expectRefused("short-line.slx", "line 6:");
    // The last line the range needs holds codes outside their ranges.
    bad = validText_;
    bad.replace(4 * (kPlutoTableLines - 1), 3, "~~~");
    writeFile("bad-code.slx", bad);
    expectRefused("bad-code.slx", "line 182623:");

    // Blank lines, surrounding blanks, CR LF endings and trailing text shift no day; lines after
    // the range are never read, so they need not decode.
    std::string text = "\n   \n";
    for (std::int32_t k = 0; k < kPlutoTableLines; ++k)
        text += k % 1000 == 7 ? "  " + syntheticLine(k) + " note \r\n\r\n" : syntheticLine(k) + "\n";
    writeFile("longer.slx", text + "??\n");
    std::string errorText;
    ASSERT_TRUE(LoadPlutoData("longer.slx", errorText)) << errorText;
    for (std::int32_t k : {0, 7, 8, 1008, 182622})
        EXPECT_DOUBLE_EQ(PlutoTableValue(k), syntheticMinutes(k) / 60.0) << k;
}
