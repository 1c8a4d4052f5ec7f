// The position store: each body's apparent geocentric longitude, fitted once from the ephemeris
// library by tools/make_sky_store when the program is built and installed with it as data
// (one file a body in the store folder, sky/ beside pluto.slx), read here. The layout is that
// of position_store_format.h: uniform segments found by arithmetic, halved where a body passes
// close behind the Sun, each a short Chebyshev series. A lookup allocates nothing and changes
// nothing, so any number of threads may read at once.
//
// Nothing in a file is trusted: its header, sizes and block table are checked, and a few of its
// moments are computed again by the library, when a body is first asked for; each block of years
// is checked (its checksum and its tree) the first time it is read. A body whose file is missing,
// damaged, of another version or made from another library or other data files has no series
// here, and a damaged block gives no longitude: their positions are computed by the library
// directly, as before there was a store: slower, never wrong.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

namespace meridel {

namespace store {
struct Block;
}

// A longitude (radians, [0, 2pi)) and how fast it changes (radians per day).
struct LongitudeAndRate {
    double longitude = 0;
    double rate = 0;
};

// One body's series, mapped from its file.
class BodySeries {
public:
    // The series of `planetCode` in the file at path, checked; nullptr and the reason otherwise.
    // The file must cover firstMoment..lastMoment (universal time).
    static std::unique_ptr<BodySeries> Open(const std::string& path, std::int16_t planetCode, double firstMoment,
                                            double lastMoment, std::string& why);
    ~BodySeries();
    BodySeries(const BodySeries&) = delete;
    BodySeries& operator=(const BodySeries&) = delete;

    // Whether moment t (universal time) lies within the file's segments.
    bool Covers(double t) const { return t >= first_ && t < last_; }
    // The longitude at t, radians [0, 2pi), for a moment the file covers; NaN where the file's
    // block of that moment is damaged.
    double Longitude(double t) const;
    // The same with its rate (both NaN in a damaged block).
    LongitudeAndRate LongitudeWithRate(double t) const;
    // The tool's own bound on the series' error, radians.
    double WorstEstimate() const { return worstEstimate_; }

private:
    BodySeries() = default;
    // The record holding t and t's place in its span (-1..1); dxdt receives d(place)/dt. nullptr
    // when the block holding t is damaged.
    const unsigned char* Record(double t, double& x, double& dxdt) const;
    double Coefficient(const unsigned char* record, int k) const;
    // Whether block b's checksum and tree are sound, checked on its first reading.
    bool BlockSound(std::int64_t b) const;
    bool CheckBlock(std::int64_t b) const;

    void* map_ = nullptr;
    std::size_t mapBytes_ = 0;
    double first_ = 0, last_ = 0, segmentDays_ = 0, quantum_ = 0, worstEstimate_ = 0;
    std::int64_t segmentCount_ = 0;
    std::int64_t blockSegments_ = 0;
    const store::Block* blocks_ = nullptr;
    const std::int32_t* segments_ = nullptr;
    const std::int32_t* nodes_ = nullptr;
    const unsigned char* records_ = nullptr;
    // Per block: 0 not yet checked, 1 sound, 2 damaged.
    std::unique_ptr<std::atomic<std::uint8_t>[]> blockState_;
    std::uint32_t recordBytes_ = 0;
    int coefficients_ = 0;
    std::array<std::uint8_t, 32> widths_{};
    std::array<std::uint16_t, 32> offsets_{};
};

// The store folder's series, each opened and checked the first time it is asked for.
class PositionStore {
public:
    // folder: the store folder, ending in "/".
    explicit PositionStore(std::string folder);

    // The series of a body (Sun to Pluto, and the Moon), or nullptr when it has none. Pluto's
    // series is the library's Pluto, kept for the tests' sky check: the program's Pluto is its
    // table.
    const BodySeries* Series(std::int16_t planetCode) const;
    // Why a body has no series ("" when it has one): for messages and tests.
    std::string Problem(std::int16_t planetCode) const;

    // The file name of a body's series within the folder ("mars.sky"); "" for a body without one.
    // Pluto and the Moon cover 1600-01-01 to 2099-12-31, the others the planet library's range.
    static std::string FileName(std::int16_t planetCode);

private:
    struct Slot {
        std::once_flag opened;
        std::unique_ptr<BodySeries> series;
        std::string problem;
    };
    Slot& Open(std::int16_t planetCode) const;

    std::string folder_;
    mutable std::array<Slot, 11> slots_;
};

}  // namespace meridel
