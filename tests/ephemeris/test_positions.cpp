// Positions against published values, the ranges' edges, the sidereal correction, and the
// position store against the library: tolerance, rates, files it must not trust, readers at once.
#include <gtest/gtest.h>
#include <swephexp.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>

#include "ephemeris/data_folder.h"
#include "ephemeris/ephemlon.h"
#include "ephemeris/names.h"
#include "ephemeris/planet_longitude.h"
#include "ephemeris/position_store_format.h"
#include "ephemeris/sky.h"

using namespace meridel;

namespace {

// UT moment of a Terrestrial Time moment, with the library's Delta T (taken at UT itself).
double UniversalTime(double tt) {
    char serr[AS_MAXCH];
    double ut = tt - swe_deltat_ex(tt, SEFLG_SWIEPH, serr);
    return tt - swe_deltat_ex(ut, SEFLG_SWIEPH, serr);
}

double JulianDay(int year, int month, int day, double hours) {
    return swe_julday(year, month, day, hours, SE_GREG_CAL);
}

// The installed sky, with its store.
const Sky& TheSky() {
    static const Sky sky = InstalledSky();
    return sky;
}

double DegreesOf(std::int16_t code, double ut) {
    double longitude = TheSky().PlanetLongitude(code, ut);
    EXPECT_GE(longitude, 0.0) << "code " << code << " at " << ut;
    return longitude / kFullCircle * 360.0;
}

}  // namespace

// Apparent geocentric longitudes, or moments at which a difference of two is known. Meeus,
// Astronomical Algorithms (2nd ed.), at TT: examples 25.b (Sun, full VSOP87), 33.a (Venus), 47.a
// (Moon, truncated ELP-2000), 27.a (June solstice 1962) and 49.a (new moon, the corrected
// instant). USNO, to the minute, at UT: the March equinox 2024 and the great conjunction of
// Jupiter and Saturn in longitude. Tolerances allow for the rounding of the published times.
TEST(Positions, PublishedLongitudes) {
    struct Case {
        const char* what;
        std::int16_t code, minus;  // minus: the body whose longitude is subtracted, or -1
        double jd;
        bool terrestrialTime;
        double degrees, tolerance;
    };
    const Case cases[] = {
        {"Sun 1992-10-13", kSun, -1, 2448908.5, true, 199.90599, 0.0005},
        {"Venus 1992-12-20", kVenus, -1, 2448976.5, true, 313.0815, 0.0005},
        {"Moon 1992-04-12", kMoon, -1, 2448724.5, true, 133.1673, 3.0 / 3600},
        {"June solstice 1962", kSun, -1, 2437837.39245, true, 90, 0.0005},
        {"New moon 1977-02-18", kMoon, kSun, JulianDay(1977, 2, 18, 3 + 37 / 60.0 + 40 / 3600.0), true, 0, 0.0005},
        {"March equinox 2024", kSun, -1, JulianDay(2024, 3, 20, 3.1), false, 0, 0.0005},
        {"Jupiter-Saturn 2020-12-21", kJupiter, kSaturn, JulianDay(2020, 12, 21, 18 + 20 / 60.0), false, 0, 0.0005},
    };
    for (const Case& c : cases) {
        const double ut = c.terrestrialTime ? UniversalTime(c.jd) : c.jd;
        const double degrees = DegreesOf(c.code, ut) - (c.minus < 0 ? 0.0 : DegreesOf(c.minus, ut));
        const double error = std::remainder(degrees - c.degrees, 360.0);
        std::printf("%-28s error %+7.3f\"\n", c.what, error * 3600.0);
        EXPECT_LE(std::fabs(error), c.tolerance) << c.what;
    }
}

// The edges of the planet and Moon ranges; NaN moments and calls the library refuses are no
// value (-99 before, -100 after), never a number.
TEST(Ephemeris, RangesAndFailures) {
    EXPECT_EQ(apparent_longitude(-7, 2451000.0, nullptr), kBeforeRange);
    EXPECT_EQ(apparent_longitude(-7, 2452000.0, nullptr), kAfterRange);
    for (const Sky& sky : {TheSky(), TheSky().Direct()}) {
        EXPECT_GE(sky.PlanetLongitude(kMoon, 2305447.5), 0.0);
        EXPECT_GE(sky.PlanetLongitude(kMoon, 2488069.4999), 0.0);
        EXPECT_EQ(sky.PlanetLongitude(kMoon, 2305447.4999), kBeforeRange);
        EXPECT_EQ(sky.PlanetLongitude(kMoon, 2488069.5), kAfterRange);
        EXPECT_EQ(sky.PlanetLongitude(kMars, 1721424.0), kBeforeRange);
        EXPECT_GE(sky.PlanetLongitude(kMars, 1721424.5), 0.0);
        EXPECT_GE(sky.PlanetLongitude(kNeptune, 2743739.4999), 0.0);
        EXPECT_EQ(sky.PlanetLongitude(kNeptune, 2743739.5), kAfterRange);
        EXPECT_EQ(sky.PlanetLongitude(kSaturn, std::nan("")), kBeforeRange);
        EXPECT_EQ(sky.PlanetLongitude(kMoon, std::nan("")), kBeforeRange);
        EXPECT_EQ(sky.PlanetLongitude(kPluto, 2451545.0), kBeforeRange) << "no table yet";
    }
}

// The correction is that of the calendar year of the moment (UT), so it steps at 1 January 0 h;
// a no-value result is never corrected.
TEST(Ephemeris, SiderealLongitudes) {
    const double newYear2000 = 2451544.5;
    for (std::int16_t code : {kSun, kMars, kMoon}) {
        for (double jd : {newYear2000 - 1e-4, newYear2000}) {
            double tropical = TheSky().PlanetLongitude(code, jd);
            double sidereal = TheSky().InZodiac(true).PlanetLongitude(code, jd);
            ASSERT_GE(tropical, 0.0);
            double expected = SiderealCorrection(jd < newYear2000 ? 1999 : 2000);
            EXPECT_NEAR(std::remainder(tropical - sidereal, kFullCircle), expected, 1e-12) << code << " " << jd;
            EXPECT_GE(sidereal, 0.0);
            EXPECT_LT(sidereal, kFullCircle);
        }
    }
    EXPECT_EQ(TheSky().InZodiac(true).PlanetLongitude(kMoon, 2305447.0), kBeforeRange);
    EXPECT_EQ(TheSky().InZodiac(true).PlanetLongitude(kPluto, 2488070.0), kAfterRange);
}

namespace {

constexpr double kArcSecond = kFullCircle / 360 / 3600;
const std::int16_t kStoreBodies[] = {kSun, kMercury, kVenus, kMars, kJupiter, kSaturn, kUranus, kNeptune, kPluto, kMoon};

bool OverTablesRange(std::int16_t code) { return code == kMoon || code == kPluto; }
double RangeStart(std::int16_t code) { return (OverTablesRange(code) ? kMoonPlutoFirstDay : kPlanetLibraryFirstDay) - 0.5; }
double RangeEnd(std::int16_t code) { return (OverTablesRange(code) ? kMoonPlutoLastDay : kPlanetLibraryLastDay) + 0.5; }

}  // namespace

// Random moments of each body's range: the store's longitude within its tolerance of the
// library's own (a few thousandths of an arc second where the library itself steps: where its
// segments or files meet, and the Moon's scatter), and its rate that of the library's course.
// tools/make_sky_store --verify measures every body at a hundred thousand moments and more.
// Without the JPL-based files the library falls back silently to its analytic theory, so every
// direct position must also have come from the files.
TEST(PositionStore, SeriesFollowTheLibrary) {
    const Sky& sky = TheSky();
    std::mt19937_64 random(20261206);
    for (const std::int16_t code : kStoreBodies) {
        const BodySeries* series = sky.Store().Series(code);
        ASSERT_NE(series, nullptr) << code << ": " << sky.Store().Problem(code);
        const std::int32_t body = LibraryBodyOf(code);
        std::uniform_real_distribution<double> moment(RangeStart(code), RangeEnd(code) - 0.01);
        double worst = 0, worstRate = 0;
        int over = 0, analytic = 0;
        constexpr int kSamples = 3000;
        for (int i = 0; i < kSamples; ++i) {
            const double t = moment(random);
            const LongitudeAndRate stored = series->LongitudeWithRate(t);
            EXPECT_EQ(stored.longitude, series->Longitude(t));
            // The program's positions are the store's (Pluto's are its table's).
            if (code != kPluto) {
                EXPECT_EQ(sky.PlanetLongitude(code, t), stored.longitude);
            }
            const double library = apparent_longitude(body, t, nullptr);
            const std::int32_t flags = last_ephemeris_flags();
            analytic += !(flags & SEFLG_SWIEPH) || (flags & SEFLG_MOSEPH);
            const double error = std::fabs(std::remainder(stored.longitude - library, kFullCircle));
            worst = std::max(worst, error);
            over += error > 0.0005 * kArcSecond;
            const double h = 0.01;
            const double slope =
                std::remainder(apparent_longitude(body, t + h, nullptr) - apparent_longitude(body, t - h, nullptr), kFullCircle) /
                (2 * h);
            worstRate = std::max(worstRate, std::fabs(stored.rate - slope));
        }
        std::printf("%-8s worst %.6f\", %d of %d over 0.0005\"; rate within %.6f\"/day\n", BodyName[code].c_str(),
                    worst / kArcSecond, over, kSamples, worstRate / kArcSecond);
        EXPECT_LT(worst, 0.003 * kArcSecond) << BodyName[code];
        EXPECT_LE(over, kSamples / 100) << BodyName[code];
        EXPECT_LT(worstRate, 0.05 * kArcSecond) << BodyName[code];
        EXPECT_EQ(analytic, 0) << BodyName[code] << ": positions not from the files";
    }
}

namespace {

// A store folder of its own, holding copies of the installed files made unusable one way each.
class Untrusted : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() / ("meridel-sky-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder_ / "sky");
        std::ifstream in(InstalledDataFolder() + "sky/mars.sky", std::ios::binary);
        mars_.assign(std::istreambuf_iterator<char>(in), {});
        ASSERT_GT(mars_.size(), sizeof(store::Header));
        std::memcpy(&header_, mars_.data(), sizeof header_);
        sections_ = store::SectionsOf(header_);
    }
    void TearDown() override {
        std::filesystem::remove_all(folder_);
        set_datafiles_folder(InstalledDataFolder());
    }

    // The file as the folder's Mars file, the header's checksum made right when asked (so that
    // the check behind it is reached).
    void Write(std::string bytes, bool fixHeader = false) {
        if (fixHeader) {
            const std::uint64_t checksum = store::HeaderChecksum(reinterpret_cast<const unsigned char*>(bytes.data()));
            std::memcpy(bytes.data() + offsetof(store::Header, checksum), &checksum, sizeof checksum);
        }
        std::ofstream(folder_ / "sky" / "mars.sky", std::ios::binary | std::ios::trunc) << bytes;
    }
    // A fresh sky over the folder refuses the whole file for `reason` and computes Mars directly.
    void ExpectRefused(const std::string& reason) {
        const Sky sky(folder_.string() + "/");
        EXPECT_EQ(sky.Store().Series(kMars), nullptr) << reason;
        EXPECT_NE(sky.Store().Problem(kMars).find(reason), std::string::npos) << sky.Store().Problem(kMars);
        for (double t : {1721424.5, 2451545.25, 2743740.4}) {
            EXPECT_EQ(sky.PlanetLongitude(kMars, t), sky.Direct().PlanetLongitude(kMars, t)) << reason;
        }
    }
    // A moment of segment i.
    double InSegment(std::int64_t i) const { return header_.firstMoment + (static_cast<double>(i) + 0.5) * header_.segmentDays; }
    // A fresh sky over the folder takes Mars from the file, except in block b, where the block
    // gives no longitude and Mars is computed directly.
    void ExpectBlockRefused(std::int64_t b) {
        const Sky sky(folder_.string() + "/");
        const BodySeries* series = sky.Store().Series(kMars);
        ASSERT_NE(series, nullptr) << sky.Store().Problem(kMars);
        const double damaged = InSegment(b * header_.blockSegments + 1), sound = InSegment((b + 1) * header_.blockSegments);
        EXPECT_TRUE(std::isnan(series->Longitude(damaged)));
        EXPECT_EQ(sky.PlanetLongitude(kMars, damaged), sky.Direct().PlanetLongitude(kMars, damaged));
        EXPECT_FALSE(std::isnan(series->Longitude(sound)));
        EXPECT_EQ(sky.PlanetLongitude(kMars, sound), series->Longitude(sound));
    }

    std::filesystem::path folder_;
    std::string mars_;
    store::Header header_{};
    store::Sections sections_{};
};

}  // namespace

// A file that is missing, cut short, of another version, another body's, damaged in its header,
// or made from another library or other ephemeris files gives no series: the library answers
// directly. A block of years whose bytes or tree are damaged gives no longitude; the others do.
TEST_F(Untrusted, FilesAreCheckedBeforeUse) {
    ExpectRefused("No such file");
    Write(mars_.substr(0, mars_.size() / 2));
    ExpectRefused("damaged (size)");

    struct HeaderFault {
        void (*edit)(store::Header&);
        bool checksumMadeRight;
        const char* reason;
    };
    for (const HeaderFault& f : {
             HeaderFault{[](store::Header& h) { h.version += 1; }, false, "another version"},
             HeaderFault{[](store::Header& h) { h.planetCode = kVenus; }, false, "another body"},
             HeaderFault{[](store::Header& h) { h.quantum *= 2; }, false, "damaged (checksum)"},
             HeaderFault{[](store::Header& h) { std::snprintf(h.library, sizeof h.library, "0.0"); }, true,
                         "made with ephemeris library 0.0"},
             HeaderFault{[](store::Header& h) { h.checkLongitudes[2] += 1e-9; }, true, "other ephemeris files"}}) {
        store::Header h = header_;
        f.edit(h);
        std::string bytes = mars_;
        std::memcpy(bytes.data(), &h, sizeof h);
        Write(bytes, f.checksumMadeRight);
        ExpectRefused(f.reason);
    }

    // A record byte of block 7; then, with the block's checksum made right, a tree that leads
    // outside the block.
    const std::int64_t b = 7;
    std::string bad = mars_;
    const std::uint64_t record = reinterpret_cast<const store::Block*>(mars_.data() + sections_.blocks)[b].firstRecord;
    bad[sections_.records + record * header_.recordBytes + 3] ^= 0x10;
    Write(bad);
    ExpectBlockRefused(b);
    bad = mars_;
    const auto entry = static_cast<std::int32_t>(header_.recordCount);
    std::memcpy(bad.data() + sections_.segments + 4 * (b * header_.blockSegments + 1), &entry, sizeof entry);
    auto* blocks = reinterpret_cast<store::Block*>(bad.data() + sections_.blocks);
    auto* base = reinterpret_cast<const unsigned char*>(bad.data());
    const std::uint64_t firstSegment = b * header_.blockSegments;
    blocks[b].checksum = store::BlockChecksum(
        base + sections_.segments + firstSegment * 4, header_.blockSegments * 4,
        base + sections_.nodes + std::uint64_t{blocks[b].firstNode} * 8, std::size_t{blocks[b + 1].firstNode - blocks[b].firstNode} * 8,
        base + sections_.records + std::uint64_t{blocks[b].firstRecord} * header_.recordBytes,
        std::size_t{blocks[b + 1].firstRecord - blocks[b].firstRecord} * header_.recordBytes);
    Write(bad, true);
    ExpectBlockRefused(b);

    Write(mars_);
    const Sky sky(folder_.string() + "/");
    EXPECT_NE(sky.Store().Series(kMars), nullptr) << sky.Store().Problem(kMars);
}

// Several threads asking one new sky at once, each body's file opened by whichever comes first,
// get the answers one thread gets.
TEST(PositionStore, ReadersAtOnce) {
    const Sky sky = InstalledSky();
    const Sky alone = InstalledSky();
    std::vector<double> moments;
    for (int i = 0; i < 400; ++i) moments.push_back(2305448.0 + i * 456.25);
    auto read = [&](const Sky& from) {
        std::vector<double> out;
        for (const std::int16_t code : kStoreBodies) {
            for (const double t : moments) out.push_back(from.PlanetLongitude(code, t));
        }
        return out;
    };
    const std::vector<double> expected = read(alone);
    std::vector<std::vector<double>> got(4);
    std::vector<std::thread> threads;
    for (auto& g : got) threads.emplace_back([&] { g = read(sky); });
    for (std::thread& t : threads) t.join();
    for (const auto& g : got) EXPECT_EQ(g, expected);
}
