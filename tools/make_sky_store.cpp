// make_sky_store: the position store's files, made from the ephemeris library, and their check.
//
//   make_sky_store BODY FOLDER     writes FOLDER/BODY.sky (sun, mercury .. pluto, moon)
//   make_sky_store --verify FOLDER [--samples N] [--seed S] [--years K] [--body BODY]
//                                  measures every body's file in FOLDER (or BODY's) against the
//                                  library: N random moments (100000), K sample years (20)
//
// The build runs the first form once a body (in parallel), so that the store is installed with
// the program as pluto.slx is. A body's series is fitted segment by segment: the longitude is
// computed by the library at the Chebyshev points of the segment (the same quantity a direct call
// gives: light-time, aberration, bending of light and nutation included), and the series taken
// through them. Its last coefficients bound what the series leaves out, and within 15 degrees of
// the Sun (where the bending of a body's light changes within hours) so does its error halfway
// between its points, asked of the library; where they exceed the tolerance the segment is
// halved, again and again, down to a few minutes. The Moon's positions
// scatter by a few ten-thousandths of an arc second from one minute to the next: its series is a
// least-squares fit through twice as many points, which follows their smooth course.
//
// --verify compares each file with direct calls at random moments over the whole range, at every
// conjunction with the Sun and every station of a sample of years (minute by minute around them),
// and names the worst error, where it lies, and how far a direct call itself jumps there.
#include <swephexp.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "ephemeris/ephemlon.h"
#include "ephemeris/planet_longitude.h"
#include "ephemeris/position_store.h"
#include "ephemeris/position_store_format.h"

using namespace meridel;

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kArcSecond = kFullCircle / 360 / 3600;
// The bound on a series' error: four times its last two coefficients, where the course is smooth
// and they fall off steadily; within 15 degrees of the Sun, and in a halved span, twice its last
// four, as the coefficients of the bending of the body's light by the Sun fall off unevenly.
struct TailRule {
    int count;
    double factor;
};
constexpr TailRule kSmoothCourse{2, 4}, kNearTheSun{4, 2};
constexpr double kNearTheSunDegrees = 15;
// There the series is also held to this many times its largest error halfway between its points.
constexpr double kShownFactor = 1.5;
// No record is shorter than a segment over 2^this.
constexpr int kDeepestHalving = 11;
// Segments a block: the part of a file a reader checks before it first reads from it.
constexpr std::uint32_t kBlockSegments = 64;
// Coefficients are whole multiples of 2^-38 radians (7.5e-7 arc seconds).
const double kQuantum = std::ldexp(1.0, -38);

struct Plan {
    std::int16_t code;
    const char* name;
    double segmentDays;
    int degree;
    int points;        // where the library is asked, per segment
    double tolerance;  // what a series may leave out, arc seconds, as its last two coefficients bound it
};

// Segments as long as the Earth's monthly swing around the Earth-Moon barycentre and the short
// terms of nutation let one series follow: about one library call a day.
// The Moon's own scatter shows in its last coefficients too: they are allowed more.
constexpr Plan kPlans[] = {
    {kSun, "sun", 32, 23, 24, 0.0003},       {kMercury, "mercury", 16, 17, 18, 0.0003},
    {kVenus, "venus", 32, 23, 24, 0.0003},   {kMars, "mars", 32, 23, 24, 0.0003},
    {kJupiter, "jupiter", 32, 23, 24, 0.0003}, {kSaturn, "saturn", 32, 23, 24, 0.0003},
    {kUranus, "uranus", 32, 23, 24, 0.0003}, {kNeptune, "neptune", 32, 23, 24, 0.0003},
    {kMoon, "moon", 8, 21, 44, 0.0006},
    // Pluto's table serves the program; this series of the library's Pluto serves the tests.
    {kPluto, "pluto", 32, 23, 24, 0.0003},
};

const Plan* PlanNamed(const std::string& name) {
    for (const Plan& plan : kPlans) {
        if (name == plan.name) return &plan;
    }
    return nullptr;
}

bool OverTablesRange(std::int16_t code) { return code == kMoon || code == kPluto; }
double FirstMoment(std::int16_t code) { return (OverTablesRange(code) ? kMoonPlutoFirstDay : kPlanetLibraryFirstDay) - 0.5; }
double LastMoment(std::int16_t code) { return (OverTablesRange(code) ? kMoonPlutoLastDay : kPlanetLibraryLastDay) + 0.5; }

// The library's longitude in radians, as the program's direct call gives it.
double Direct(std::int32_t body, double t) { return apparent_longitude(body, t, nullptr); }

// The Sun's longitude to a tenth of a degree or so, from its mean orbit, without the library:
// enough to tell whether a body stands within kNearTheSunDegrees of it.
double RoughSun(double t) {
    const double d = t - 2451545.0;
    const double g = (357.528 + 0.9856003 * d) * kPi / 180;
    return (280.460 + 0.9856474 * d + 1.915 * std::sin(g) + 0.020 * std::sin(2 * g)) / 360 * kFullCircle;
}

// A Chebyshev series on a time span.
struct Series {
    double start = 0, length = 0;
    std::vector<double> c;
    double estimate = 0;  // bound on its error, radians

    double At(double t) const {
        const double x = 2 * (t - start) / length - 1;
        double b1 = 0, b2 = 0;
        for (std::size_t k = c.size() - 1; k >= 1; --k) {
            const double b0 = 2 * x * b1 - b2 + c[k];
            b2 = b1;
            b1 = b0;
        }
        return x * b1 - b2 + c[0];
    }
};

class Fitter {
public:
    Fitter(const Plan& plan) : plan_(plan), body_(LibraryBodyOf(plan.code)) {
        const int m = plan.points;
        nodes_.resize(static_cast<std::size_t>(m));
        cosines_.resize(static_cast<std::size_t>((plan.degree + 1) * m));
        for (int k = 0; k < m; ++k) nodes_[static_cast<std::size_t>(k)] = std::cos(kPi * (k + 0.5) / m);
        for (int j = 0; j <= plan.degree; ++j) {
            for (int k = 0; k < m; ++k) cosines_[static_cast<std::size_t>(j * m + k)] = std::cos(kPi * j * (k + 0.5) / m);
        }
    }

    // The series through the library's longitudes at the span's Chebyshev points (least squares
    // when there are more points than coefficients), continued across 0 degrees.
    Series Fit(double start, double length, bool halved) {
        const int m = plan_.points;
        std::vector<double> values(static_cast<std::size_t>(m));
        // In time order, each value brought within half a turn of the one before.
        for (int k = m - 1; k >= 0; --k) {
            const double t = start + length / 2 * (1 + nodes_[static_cast<std::size_t>(k)]);
            double v = Direct(body_, t);
            if (k < m - 1) v = values[static_cast<std::size_t>(k + 1)] + std::remainder(v - values[static_cast<std::size_t>(k + 1)], kFullCircle);
            values[static_cast<std::size_t>(k)] = v;
            ++calls_;
        }
        bool nearTheSun = false;
        if (plan_.code != kSun && plan_.code != kMoon) {
            for (int k = 0; k < m; ++k) {
                const double t = start + length / 2 * (1 + nodes_[static_cast<std::size_t>(k)]);
                const double elongation = std::remainder(values[static_cast<std::size_t>(k)] - RoughSun(t), kFullCircle);
                nearTheSun = nearTheSun || std::fabs(elongation) < kNearTheSunDegrees / 360 * kFullCircle;
            }
        }
        const TailRule& tail = nearTheSun || halved ? kNearTheSun : kSmoothCourse;
        Series s{start, length, std::vector<double>(static_cast<std::size_t>(plan_.degree + 1)), 0};
        for (int j = 0; j <= plan_.degree; ++j) {
            double sum = 0;
            for (int k = 0; k < m; ++k) sum += values[static_cast<std::size_t>(k)] * cosines_[static_cast<std::size_t>(j * m + k)];
            s.c[static_cast<std::size_t>(j)] = sum * 2 / m;
        }
        s.c[0] /= 2;
        for (int k = plan_.degree - tail.count + 1; k <= plan_.degree; ++k) s.estimate += std::fabs(s.c[static_cast<std::size_t>(k)]);
        s.estimate *= tail.factor;
        // Near the Sun the coefficients alone can promise too little (the bending of the light
        // changes fastest at a span's end): the series is also compared with the library halfway
        // between its points, where its error is largest, and held to what it shows there.
        if (nearTheSun) {
            double shown = 0;
            for (int k = 0; k + 1 < m; ++k) {
                const double x = (nodes_[static_cast<std::size_t>(k)] + nodes_[static_cast<std::size_t>(k + 1)]) / 2;
                const double t = start + length / 2 * (1 + x);
                shown = std::max(shown, std::fabs(std::remainder(s.At(t) - Direct(body_, t), kFullCircle)));
                ++calls_;
            }
            s.estimate = std::max(s.estimate, kShownFactor * shown);
        }
        return s;
    }

    long Calls() const { return calls_; }

private:
    const Plan& plan_;
    std::int32_t body_;
    std::vector<double> nodes_, cosines_;
    long calls_ = 0;
};

struct Tree {
    std::vector<std::int32_t> segments;
    std::vector<std::int32_t> nodes;  // pairs
    std::vector<Series> records;
    std::vector<store::Block> blocks;  // checksums filled when the file is laid out
    double worst = 0;
    double worstAt = 0;
    int deepest = 0;
};

// The entry for a span: its record, or a node over its halves.
std::int32_t Build(Fitter& fitter, Tree& tree, const Plan& plan, double start, double length, int depth) {
    Series s = fitter.Fit(start, length, depth > 0);
    if (s.estimate > plan.tolerance * kArcSecond && depth < kDeepestHalving) {
        const auto node = static_cast<std::int32_t>(tree.nodes.size() / 2);
        tree.nodes.push_back(0);
        tree.nodes.push_back(0);
        // The halves take the same span arithmetic the reader uses.
        const double half = length / 2;
        const std::int32_t earlier = Build(fitter, tree, plan, start, half, depth + 1);
        const std::int32_t later = Build(fitter, tree, plan, start + half, half, depth + 1);
        tree.nodes[static_cast<std::size_t>(2 * node)] = earlier;
        tree.nodes[static_cast<std::size_t>(2 * node + 1)] = later;
        return -(node + 1);
    }
    if (s.estimate > tree.worst) {
        tree.worst = s.estimate;
        tree.worstAt = start;
    }
    tree.deepest = std::max(tree.deepest, depth);
    tree.records.push_back(std::move(s));
    return static_cast<std::int32_t>(tree.records.size() - 1);
}

int BytesFor(std::int64_t value) {
    for (int bytes = 1; bytes < 8; ++bytes) {
        const std::int64_t limit = std::int64_t{1} << (8 * bytes - 1);
        if (value >= -limit && value < limit) return bytes;
    }
    return 8;
}

template <typename T>
void Put(std::vector<unsigned char>& out, const T& value) {
    const auto* p = reinterpret_cast<const unsigned char*>(&value);
    out.insert(out.end(), p, p + sizeof value);
}

void PadTo(std::vector<unsigned char>& out, std::uint64_t offset) { out.resize(static_cast<std::size_t>(offset), 0); }

int Make(const Plan& plan, const std::string& folder) {
    const auto begun = std::chrono::steady_clock::now();
    Fitter fitter(plan);
    Tree tree;
    const double first = FirstMoment(plan.code), last = LastMoment(plan.code);
    const auto count = static_cast<std::uint32_t>(std::ceil((last - first) / plan.segmentDays));
    // A segment's nodes and records follow those of the segments before it.
    auto blockStarts = [&] {
        tree.blocks.push_back({static_cast<std::uint32_t>(tree.nodes.size() / 2), static_cast<std::uint32_t>(tree.records.size()), 0});
    };
    for (std::uint32_t i = 0; i < count; ++i) {
        if (i % kBlockSegments == 0) blockStarts();
        tree.segments.push_back(Build(fitter, tree, plan, first + static_cast<double>(i) * plan.segmentDays, plan.segmentDays, 0));
    }
    blockStarts();

    store::Header h{};
    std::memcpy(h.magic, store::kMagic, sizeof h.magic);
    h.version = store::kVersion;
    h.headerBytes = sizeof h;
    char version[256] = {};
    std::snprintf(h.library, sizeof h.library, "%s", LibraryVersionText(version));
    h.planetCode = plan.code;
    h.libraryBody = LibraryBodyOf(plan.code);
    h.libraryFlags = PositionFlags();
    h.degree = static_cast<std::uint32_t>(plan.degree);
    h.firstMoment = first;
    h.segmentDays = plan.segmentDays;
    h.segmentCount = count;
    h.nodeCount = static_cast<std::uint32_t>(tree.nodes.size() / 2);
    h.recordCount = static_cast<std::uint32_t>(tree.records.size());
    h.quantum = kQuantum;
    h.blockSegments = kBlockSegments;
    h.blockCount = static_cast<std::uint32_t>(tree.blocks.size() - 1);

    std::vector<std::vector<std::int64_t>> units(tree.records.size());
    std::int64_t largest[store::kMostCoefficients] = {};
    for (std::size_t r = 0; r < tree.records.size(); ++r) {
        for (int k = 0; k <= plan.degree; ++k) {
            const auto u = static_cast<std::int64_t>(std::llround(tree.records[r].c[static_cast<std::size_t>(k)] / kQuantum));
            units[r].push_back(u);
            largest[k] = std::max(largest[k], u < 0 ? -u : u);
        }
    }
    for (int k = 0; k <= plan.degree; ++k) {
        h.widths[k] = static_cast<std::uint8_t>(BytesFor(largest[k] + 1));
        h.recordBytes += h.widths[k];
    }
    // Direct calls for the reader to ask again: in 1850, 1950, 2050 and 2099, which one of the
    // library's files (and its Moon's) covers, the one a reader has most likely opened already.
    const double checks[4] = {2396758.5, 2433282.5, 2469807.5, 2487700.5};
    for (int i = 0; i < 4; ++i) {
        h.checkMoments[i] = checks[i];
        h.checkLongitudes[i] = Direct(h.libraryBody, h.checkMoments[i]);
    }
    h.worstEstimate = tree.worst;

    const store::Sections s = store::SectionsOf(h);
    h.payloadBytes = s.end - sizeof h;
    std::vector<unsigned char> bytes;
    bytes.reserve(static_cast<std::size_t>(s.end));
    PadTo(bytes, s.blocks);
    for (const store::Block& block : tree.blocks) Put(bytes, block);
    PadTo(bytes, s.segments);
    for (const std::int32_t entry : tree.segments) Put(bytes, entry);
    PadTo(bytes, s.nodes);
    for (const std::int32_t entry : tree.nodes) Put(bytes, entry);
    PadTo(bytes, s.records);
    for (const auto& record : units) {
        for (int k = 0; k <= plan.degree; ++k) {
            const std::uint64_t u = static_cast<std::uint64_t>(record[static_cast<std::size_t>(k)]);
            for (int b = 0; b < h.widths[k]; ++b) bytes.push_back(static_cast<unsigned char>(u >> (8 * b)));
        }
    }
    PadTo(bytes, s.end);
    for (std::uint32_t b = 0; b < h.blockCount; ++b) {
        const store::Block& from = tree.blocks[b];
        const store::Block& to = tree.blocks[b + 1];
        const std::uint64_t firstSegment = std::uint64_t{b} * kBlockSegments;
        const std::uint64_t endSegment = std::min<std::uint64_t>(firstSegment + kBlockSegments, count);
        const std::uint64_t sum = store::BlockChecksum(
            bytes.data() + s.segments + firstSegment * 4, static_cast<std::size_t>((endSegment - firstSegment) * 4),
            bytes.data() + s.nodes + std::uint64_t{from.firstNode} * 8, std::size_t{to.firstNode - from.firstNode} * 8,
            bytes.data() + s.records + std::uint64_t{from.firstRecord} * h.recordBytes,
            std::size_t{to.firstRecord - from.firstRecord} * h.recordBytes);
        std::memcpy(bytes.data() + s.blocks + std::uint64_t{b} * sizeof(store::Block) + offsetof(store::Block, checksum), &sum,
                    sizeof sum);
    }
    std::memcpy(bytes.data(), &h, sizeof h);
    h.checksum = store::HeaderChecksum(bytes.data());
    std::memcpy(bytes.data(), &h, sizeof h);

    // Written beside its name and renamed: a file found there is always whole.
    const std::string path = folder + "/" + PositionStore::FileName(plan.code);
    const std::string partial = path + ".part";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::cerr << "make_sky_store: cannot write " << partial << "\n";
            return 1;
        }
    }
    std::error_code error;
    std::filesystem::rename(partial, path, error);
    if (error) {
        std::cerr << "make_sky_store: cannot rename " << partial << ": " << error.message() << "\n";
        return 1;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begun).count();
    std::printf("%s: %u segments, %zu records (%d halvings deep), %.1f MB, %.2f library calls a day, %.1f s; "
                "estimated error at most %.6f\" (%.2f)\n",
                path.c_str(), count, tree.records.size(), tree.deepest, static_cast<double>(bytes.size()) / 1e6,
                static_cast<double>(fitter.Calls()) / (last - first), seconds, tree.worst / kArcSecond, tree.worstAt);
    return 0;
}

// --verify ------------------------------------------------------------------------------------

struct Miss {
    double error = 0;  // arc seconds
    double at = 0;
    const char* where = "";
};

// The third differences of the direct call's course from `from` to `to`, samples `step` apart, each
// with the moment it is centred on, arc seconds: a smooth course leaves them tiny and changing
// slowly, a step J shows as J, -2J, J.
std::vector<std::pair<double, double>> ThirdDifferences(std::int32_t body, double from, double to, double step) {
    std::vector<double> v;
    for (double u = from; u <= to; u += step) {
        const double l = Direct(body, u);
        v.push_back(v.empty() ? l : v.back() + std::remainder(l - v.back(), kFullCircle));
    }
    std::vector<std::pair<double, double>> d;
    for (std::size_t i = 3; i < v.size(); ++i) {
        d.emplace_back(from + (static_cast<double>(i) - 1.5) * step,
                       (v[i] - 3 * v[i - 1] + 3 * v[i - 2] - v[i - 3]) / kArcSecond);
    }
    return d;
}

// The largest step the direct call takes within `reach` days of t, arc seconds. Samples two
// minutes apart find where it may step, samples ten seconds apart around the largest few measure
// it: a step keeps its size however close the samples, a course that only bends fast (a body's
// light passing close to the Sun) fades.
double StepNear(std::int32_t body, double t, double reach) {
    constexpr double kCoarse = 2.0 / 1440, kFine = 10.0 / 86400;
    constexpr std::size_t kLooks = 8;
    auto coarse = ThirdDifferences(body, t - reach, t + reach, kCoarse);
    const std::size_t looks = std::min(kLooks, coarse.size());
    std::partial_sort(coarse.begin(), coarse.begin() + static_cast<std::ptrdiff_t>(looks), coarse.end(),
                      [](const auto& a, const auto& b) { return std::fabs(a.second) > std::fabs(b.second); });
    double largest = 0;
    for (std::size_t i = 0; i < looks; ++i) {
        for (const auto& d : ThirdDifferences(body, coarse[i].first - 3 * kCoarse, coarse[i].first + 3 * kCoarse, kFine)) {
            largest = std::max(largest, std::fabs(d.second));
        }
    }
    return largest;
}

// How sharply the direct call's rate changes within `reach` days of t, arc seconds: where the
// library's own segments meet its course may keep its place but turn (by a few thousandths of an
// arc second a day), which no smooth series follows within a day of it either. Third differences
// of samples a quarter of a day apart show such a turn as a pair of opposite outliers among their
// neighbours, which halve with the spacing; a course that only bends fast (near the Sun) leaves
// outliers that fall off far faster, and counts as none.
double BreakNear(std::int32_t body, double t, double reach) {
    auto largestOutlier = [&](double step) {
        const auto d = ThirdDifferences(body, t - reach, t + reach, step);
        double largest = 0;
        for (std::size_t i = 2; i + 2 < d.size(); ++i) {
            largest = std::max(largest, std::fabs(d[i].second - (d[i - 2].second + d[i + 2].second) / 2));
        }
        return largest;
    };
    const double quarter = largestOutlier(0.25), eighth = largestOutlier(0.125);
    return eighth > 0.3 * quarter ? quarter : 0;
}

// How differently the library answers at t when it last worked a few years earlier or later:
// where two of its files overlap it keeps using the one it has open. Arc seconds.
double FileChoiceNear(std::int32_t body, double t) {
    double answers[2];
    for (int i = 0; i < 2; ++i) {
        Direct(body, t + (i == 0 ? -1500 : 1500));
        answers[i] = Direct(body, t);
    }
    return std::fabs(std::remainder(answers[0] - answers[1], kFullCircle)) / kArcSecond;
}

// How far the library's answer at t stands off the middle of its answers ten seconds either side:
// a smooth course bends by far less than a millionth of an arc second there. Arc seconds.
double ScatterAt(std::int32_t body, double t) {
    constexpr double kTen = 10.0 / 86400;
    const double here = Direct(body, t);
    const double before = here + std::remainder(Direct(body, t - kTen) - here, kFullCircle);
    const double after = here + std::remainder(Direct(body, t + kTen) - here, kFullCircle);
    return std::fabs(here - (before + after) / 2) / kArcSecond;
}

class Verifier {
public:
    Verifier(const BodySeries& series, std::int16_t code) : series_(series), body_(LibraryBodyOf(code)) {}

    void At(double t, const char* where) {
        if (!series_.Covers(t)) return;
        const double e = std::fabs(std::remainder(series_.Longitude(t) - Direct(body_, t), kFullCircle)) / kArcSecond;
        ++count_;
        if (e > worst_.error) worst_ = {e, t, where};
        if (e > 0.0005) misses_.push_back({e, t, where});
    }
    const Miss& Worst() const { return worst_; }
    const std::vector<Miss>& Misses() const { return misses_; }
    long Count() const { return count_; }

private:
    const BodySeries& series_;
    std::int32_t body_;
    Miss worst_;
    std::vector<Miss> misses_;
    long count_ = 0;
};

// The moments within from..to where f changes sign, found to a second.
template <typename F>
std::vector<double> SignChanges(const F& f, double from, double to, double step) {
    std::vector<double> roots;
    double a = from, fa = f(a);
    for (double b = from + step; b <= to; b += step) {
        const double fb = f(b);
        if ((fa < 0) != (fb < 0) && std::fabs(fa - fb) < 1) {
            double lo = a, hi = b, flo = fa;
            while (hi - lo > 1.0 / 86400) {
                const double mid = (lo + hi) / 2, fm = f(mid);
                if ((fm < 0) == (flo < 0)) {
                    lo = mid;
                    flo = fm;
                } else {
                    hi = mid;
                }
            }
            roots.push_back((lo + hi) / 2);
        }
        a = b;
        fa = fb;
    }
    return roots;
}

int Verify(const std::string& folder, long samples, unsigned seed, int years, const std::string& only) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);  // a line a body, as each is done
    std::mt19937_64 random(seed);
    int failures = 0;
    for (const Plan& plan : kPlans) {
        if (!only.empty() && only != plan.name) continue;
        std::string why;
        const double first = FirstMoment(plan.code), last = LastMoment(plan.code);
        const auto series = BodySeries::Open(folder + "/" + PositionStore::FileName(plan.code), plan.code, first, last, why);
        if (!series) {
            std::printf("%-8s no store: %s\n", plan.name, why.c_str());
            ++failures;
            continue;
        }
        Verifier check(*series, plan.code);
        std::uniform_real_distribution<double> anywhere(first, last);
        for (long i = 0; i < samples; ++i) check.At(anywhere(random), "random");

        // Conjunctions and stations of a sample of years, minute by minute around each.
        const std::int32_t body = LibraryBodyOf(plan.code);
        int conjunctions = 0, stations = 0;
        std::uniform_real_distribution<double> yearStart(first, last - 366);
        for (int y = 0; y < years; ++y) {
            const double from = yearStart(random), to = from + 365.25;
            if (plan.code != kSun && plan.code != kMoon) {
                const auto elongation = [&](double t) { return std::remainder(Direct(body, t) - Direct(SE_SUN, t), kFullCircle); };
                for (const double c : SignChanges(elongation, from, to, 0.5)) {
                    ++conjunctions;
                    for (double t = c - 2; t <= c + 2; t += 1.0 / 1440) check.At(t, "conjunction");
                }
                const auto motion = [&](double t) {
                    return std::remainder(Direct(body, t + 0.01) - Direct(body, t - 0.01), kFullCircle);
                };
                for (const double s : SignChanges(motion, from, to, 2)) {
                    ++stations;
                    for (double t = s - 1; t <= s + 1; t += 1.0 / 1440) check.At(t, "station");
                }
            } else {
                for (double t = from; t < to; t += 1.0 / 24) check.At(t, "hourly");
            }
        }
        // Every miss lies where a direct call has no one answer: beside a step of the library's own
        // course (where its segments meet), which no smooth series can follow, or a sharp turn of
        // its rate there; in the days where two of its files overlap, where it answers from
        // whichever it opened last; or, for the Moon, where its answer scatters from one second to
        // the next. Any other is the store's.
        const Miss& w = check.Worst();
        Miss worstElsewhere;
        constexpr int kCauses = 4;
        long beside[kCauses] = {};
        double largest[kCauses] = {}, largestAt[kCauses] = {};
        for (const Miss& miss : check.Misses()) {
            const double causes[kCauses] = {StepNear(body, miss.at, 1.5), BreakNear(body, miss.at, 1.5),
                                            FileChoiceNear(body, miss.at), ScatterAt(body, miss.at)};
            int cause = -1;
            for (int c = 0; c < kCauses && cause < 0; ++c) {
                if (causes[c] >= miss.error / 3) cause = c;
            }
            if (cause < 0) {
                if (miss.error > worstElsewhere.error) worstElsewhere = miss;
                continue;
            }
            ++beside[cause];
            if (causes[cause] > largest[cause]) {
                largest[cause] = causes[cause];
                largestAt[cause] = miss.at;
            }
        }
        std::printf("%-8s %ld moments (%d conjunctions, %d stations in %d years): worst %.6f\" at %.5f (%s); "
                    "%zu over 0.0005\": %ld beside a step of the direct call (up to %.6f\", at %.2f), %ld beside a turn of "
                    "its rate (up to %.6f\", at %.2f), %ld where its files overlap (they differ by up to %.6f\", at "
                    "%.2f), %ld where it scatters (by up to %.6f\", at %.2f); worst elsewhere %.6f\" at %.5f (%s); "
                    "the tool's bound %.6f\"\n",
                    plan.name, check.Count(), conjunctions, stations, years, w.error, w.at, w.where,
                    check.Misses().size(), beside[0], largest[0], largestAt[0], beside[1], largest[1], largestAt[1],
                    beside[2], largest[2], largestAt[2], beside[3], largest[3], largestAt[3],
                    worstElsewhere.error, worstElsewhere.at, worstElsewhere.where, series->WorstEstimate() / kArcSecond);
        if (worstElsewhere.error > 0.0005) ++failures;
    }
    return failures == 0 ? 0 : 1;
}

int Usage() {
    std::cerr << "usage: make_sky_store BODY FOLDER\n"
                 "       make_sky_store --verify FOLDER [--samples N] [--seed S] [--years K] [--body BODY]\n"
                 "BODY: sun, mercury, venus, mars, jupiter, saturn, uranus, neptune, pluto, moon\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() >= 2 && args[0] == "--verify") {
        const std::string folder = args[1];
        set_datafiles_folder(std::filesystem::absolute(folder).parent_path().string() + "/");
        long samples = 100000;
        unsigned seed = 2026;
        int years = 20;
        std::string only;
        for (std::size_t i = 2; i + 1 < args.size(); i += 2) {
            if (args[i] == "--samples") samples = std::stol(args[i + 1]);
            else if (args[i] == "--seed") seed = static_cast<unsigned>(std::stoul(args[i + 1]));
            else if (args[i] == "--years") years = std::stoi(args[i + 1]);
            else if (args[i] == "--body") only = args[i + 1];
            else return Usage();
        }
        return Verify(folder, samples, seed, years, only);
    }
    if (args.size() != 2) return Usage();
    const Plan* plan = PlanNamed(args[0]);
    if (!plan) return Usage();
    std::error_code error;
    std::filesystem::create_directories(args[1], error);
    // The program searches the data folder (the store folder's parent) before the system's.
    set_datafiles_folder(std::filesystem::absolute(args[1]).parent_path().string() + "/");
    return Make(*plan, args[1]);
}
