#include "ephemeris/position_store.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "ephemeris/ephemlon.h"
#include "ephemeris/planet_longitude.h"
#include "ephemeris/position_store_format.h"

namespace meridel {

namespace {

// A library that answers a checked moment further off than this is not the one the file was
// made from (the same library and files give the same bits).
constexpr double kSameAnswer = 1e-12;

std::string LibraryVersion() {
    char text[256] = {};
    return LibraryVersionText(text);
}

}  // namespace

std::unique_ptr<BodySeries> BodySeries::Open(const std::string& path, std::int16_t planetCode, double firstMoment,
                                             double lastMoment, std::string& why) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        why = path + ": " + std::strerror(errno);
        return nullptr;
    }
    struct stat info {};
    const bool sized = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    const auto bytes = sized ? static_cast<std::size_t>(info.st_size) : 0;
    if (bytes < sizeof(store::Header)) {
        ::close(fd);
        why = path + ": too short for a position store";
        return nullptr;
    }
    void* map = ::mmap(nullptr, bytes, PROT_READ, MAP_PRIVATE, fd, 0);
    ::close(fd);
    if (map == MAP_FAILED) {
        why = path + ": " + std::strerror(errno);
        return nullptr;
    }
    std::unique_ptr<BodySeries> series(new BodySeries);
    series->map_ = map;
    series->mapBytes_ = bytes;
    const auto* base = static_cast<const unsigned char*>(map);
    store::Header h;
    std::memcpy(&h, base, sizeof h);
    auto refuse = [&](const std::string& problem) {
        why = path + ": " + problem;
        return nullptr;
    };

    if (std::memcmp(h.magic, store::kMagic, sizeof h.magic) != 0) return refuse("not a position store");
    if (h.version != store::kVersion || h.headerBytes != sizeof(store::Header)) {
        return refuse("made by another version of the store tool");
    }
    if (h.planetCode != planetCode || h.libraryBody != LibraryBodyOf(planetCode)) return refuse("another body's store");
    if (h.degree + 1 > store::kMostCoefficients) return refuse("damaged (degree)");
    std::uint32_t recordBytes = 0;
    for (std::uint32_t k = 0; k <= h.degree; ++k) {
        if (h.widths[k] < 1 || h.widths[k] > 8) return refuse("damaged (widths)");
        series->offsets_[k] = static_cast<std::uint16_t>(recordBytes);
        series->widths_[k] = h.widths[k];
        recordBytes += h.widths[k];
    }
    if (recordBytes != h.recordBytes) return refuse("damaged (record size)");
    if (h.blockSegments == 0 || h.blockCount != (std::uint64_t{h.segmentCount} + h.blockSegments - 1) / h.blockSegments) {
        return refuse("damaged (blocks)");
    }
    const store::Sections s = store::SectionsOf(h);
    if (s.end != sizeof(store::Header) + h.payloadBytes || s.end != bytes) return refuse("damaged (size)");
    if (store::HeaderChecksum(base) != h.checksum) return refuse("damaged (checksum)");
    if (!(h.segmentDays > 0) || !(h.quantum > 0) || h.segmentCount == 0 || h.recordCount == 0) {
        return refuse("damaged (grid)");
    }
    series->first_ = h.firstMoment;
    series->segmentDays_ = h.segmentDays;
    series->last_ = h.firstMoment + h.segmentCount * h.segmentDays;
    series->segmentCount_ = h.segmentCount;
    if (!(series->first_ <= firstMoment && series->last_ >= lastMoment)) return refuse("does not cover the body's range");
    // The blocks follow one another through the nodes and records, the last ending with them.
    series->blocks_ = reinterpret_cast<const store::Block*>(base + s.blocks);
    const store::Block* blocks = series->blocks_;
    if (blocks[0].firstNode != 0 || blocks[0].firstRecord != 0 || blocks[h.blockCount].firstNode != h.nodeCount ||
        blocks[h.blockCount].firstRecord != h.recordCount) {
        return refuse("damaged (blocks)");
    }
    for (std::uint32_t b = 0; b < h.blockCount; ++b) {
        if (blocks[b + 1].firstNode < blocks[b].firstNode || blocks[b + 1].firstRecord < blocks[b].firstRecord) {
            return refuse("damaged (blocks)");
        }
    }
    series->blockSegments_ = h.blockSegments;
    series->blockState_ = std::make_unique<std::atomic<std::uint8_t>[]>(h.blockCount);
    series->segments_ = reinterpret_cast<const std::int32_t*>(base + s.segments);
    series->nodes_ = reinterpret_cast<const std::int32_t*>(base + s.nodes);
    series->records_ = base + s.records;
    if (std::strncmp(h.library, LibraryVersion().c_str(), sizeof h.library) != 0) {
        return refuse("made with ephemeris library " + std::string(h.library, strnlen(h.library, sizeof h.library)) +
                      ", this is " + LibraryVersion());
    }
    for (int i = 0; i < 4; ++i) {
        const double now = apparent_longitude(h.libraryBody, h.checkMoments[i], nullptr);
        if (!(std::fabs(now - h.checkLongitudes[i]) <= kSameAnswer)) {
            return refuse("made from other ephemeris files than the library reads now");
        }
    }
    series->recordBytes_ = h.recordBytes;
    series->coefficients_ = static_cast<int>(h.degree) + 1;
    series->quantum_ = h.quantum;
    series->worstEstimate_ = h.worstEstimate;
    why.clear();
    return series;
}

BodySeries::~BodySeries() {
    if (map_) ::munmap(map_, mapBytes_);
}

bool BodySeries::CheckBlock(std::int64_t b) const {
    const std::int64_t firstSegment = b * blockSegments_;
    const std::int64_t endSegment = std::min(firstSegment + blockSegments_, segmentCount_);
    const std::int64_t firstNode = blocks_[b].firstNode, endNode = blocks_[b + 1].firstNode;
    const std::int64_t firstRecord = blocks_[b].firstRecord, endRecord = blocks_[b + 1].firstRecord;
    const auto* segments = reinterpret_cast<const unsigned char*>(segments_ + firstSegment);
    const auto* nodes = reinterpret_cast<const unsigned char*>(nodes_ + 2 * firstNode);
    const std::uint64_t sum = store::BlockChecksum(
        segments, static_cast<std::size_t>(endSegment - firstSegment) * 4, nodes,
        static_cast<std::size_t>(endNode - firstNode) * 8, records_ + static_cast<std::size_t>(firstRecord) * recordBytes_,
        static_cast<std::size_t>(endRecord - firstRecord) * recordBytes_);
    if (sum != blocks_[b].checksum) return false;
    // Every entry leads to one of the block's records, or to a later node of the block: each
    // step of a lookup's descent is a halving that ends.
    auto sound = [&](std::int32_t entry, std::int64_t after) {
        if (entry >= 0) return entry >= firstRecord && entry < endRecord;
        const std::int64_t node = -(std::int64_t{entry} + 1);
        return node > after && node >= firstNode && node < endNode;
    };
    for (std::int64_t i = firstSegment; i < endSegment; ++i) {
        if (!sound(segments_[i], -1)) return false;
    }
    for (std::int64_t n = firstNode; n < endNode; ++n) {
        if (!sound(nodes_[2 * n], n) || !sound(nodes_[2 * n + 1], n)) return false;
    }
    return true;
}

bool BodySeries::BlockSound(std::int64_t b) const {
    std::uint8_t state = blockState_[b].load(std::memory_order_acquire);
    if (state == 0) {
        // Two readers may both check a block; they store the same answer.
        state = CheckBlock(b) ? 1 : 2;
        blockState_[b].store(state, std::memory_order_release);
    }
    return state == 1;
}

const unsigned char* BodySeries::Record(double t, double& x, double& dxdt) const {
    // A moment just short of the end may round to one past the last segment.
    const auto segment = std::min(static_cast<std::int64_t>((t - first_) / segmentDays_), segmentCount_ - 1);
    if (!BlockSound(segment / blockSegments_)) return nullptr;
    double start = first_ + static_cast<double>(segment) * segmentDays_;
    double length = segmentDays_;
    std::int32_t entry = segments_[segment];
    // Each step halves the span: the tree was checked to lead only to later nodes.
    while (entry < 0) {
        const std::int64_t node = -(std::int64_t{entry} + 1);
        length /= 2;
        const double middle = start + length;
        if (t >= middle) {
            start = middle;
            entry = nodes_[2 * node + 1];
        } else {
            entry = nodes_[2 * node];
        }
    }
    dxdt = 2 / length;
    x = (t - start) * dxdt - 1;
    return records_ + static_cast<std::size_t>(entry) * recordBytes_;
}

double BodySeries::Coefficient(const unsigned char* record, int k) const {
    return static_cast<double>(store::LoadSigned(record + offsets_[k], widths_[k])) * quantum_;
}

namespace {

double Reduced(double continued) {
    double longitude = continued - kFullCircle * std::floor(continued / kFullCircle);
    if (longitude >= kFullCircle) longitude -= kFullCircle;
    return longitude < 0 ? 0 : longitude;
}

}  // namespace

double BodySeries::Longitude(double t) const {
    double x, dxdt;
    const unsigned char* record = Record(t, x, dxdt);
    if (!record) return std::nan("");
    // Clenshaw's recurrence; c_k - b_(k+2) is ready before b_(k+1), which keeps the chain of
    // dependent steps to one product and one sum.
    const double twoX = 2 * x;
    double b1 = 0, b2 = 0;
    for (int k = coefficients_ - 1; k >= 1; --k) {
        const double b0 = (Coefficient(record, k) - b2) + twoX * b1;
        b2 = b1;
        b1 = b0;
    }
    return Reduced((Coefficient(record, 0) - b2) + x * b1);
}

LongitudeAndRate BodySeries::LongitudeWithRate(double t) const {
    double x, dxdt;
    const unsigned char* record = Record(t, x, dxdt);
    if (!record) return {std::nan(""), std::nan("")};
    // Clenshaw's recurrence as in Longitude, and beside it its derivative in x.
    const double twoX = 2 * x;
    double b1 = 0, b2 = 0, d1 = 0, d2 = 0;
    for (int k = coefficients_ - 1; k >= 1; --k) {
        const double d0 = (2 * b1 - d2) + twoX * d1;
        const double b0 = (Coefficient(record, k) - b2) + twoX * b1;
        d2 = d1;
        d1 = d0;
        b2 = b1;
        b1 = b0;
    }
    return {Reduced((Coefficient(record, 0) - b2) + x * b1), (b1 + x * d1 - d2) * dxdt};
}

PositionStore::PositionStore(std::string folder) : folder_(std::move(folder)) {}

std::string PositionStore::FileName(std::int16_t planetCode) {
    static const char* const kNames[11] = {"",       "sun",    "mercury", "venus", "mars", "jupiter",
                                           "saturn", "uranus", "neptune", "pluto", "moon"};
    if (planetCode < 0 || planetCode > 10 || kNames[planetCode][0] == '\0') return "";
    return std::string(kNames[planetCode]) + ".sky";
}

PositionStore::Slot& PositionStore::Open(std::int16_t planetCode) const {
    Slot& slot = slots_[static_cast<std::size_t>(planetCode)];
    std::call_once(slot.opened, [&] {
        const std::string name = FileName(planetCode);
        if (name.empty() || folder_.empty()) {
            slot.problem = folder_.empty() ? "no store folder" : "no store for this body";
            return;
        }
        const bool table = planetCode == kMoon || planetCode == kPluto;
        const double first = (table ? kMoonPlutoFirstDay : kPlanetLibraryFirstDay) - 0.5;
        const double last = (table ? kMoonPlutoLastDay : kPlanetLibraryLastDay) + 0.5;
        slot.series = BodySeries::Open(folder_ + name, planetCode, first, last, slot.problem);
    });
    return slot;
}

const BodySeries* PositionStore::Series(std::int16_t planetCode) const {
    if (planetCode < 0 || planetCode > 10) return nullptr;
    return Open(planetCode).series.get();
}

std::string PositionStore::Problem(std::int16_t planetCode) const {
    if (planetCode < 0 || planetCode > 10) return "no such body";
    return Open(planetCode).problem;
}

}  // namespace meridel
