// The layout of a position store file, shared by the program that reads it and the tool that
// writes it (tools/make_sky_store). One file holds one body's apparent geocentric longitude over
// its whole range, radians with the program's 2pi, as Chebyshev series in the manner of JPL's
// SPK type 2 segments:
//
//   - Uniform segments of `segmentDays` from `firstMoment` (universal time): the segment of a
//     moment t is floor((t - firstMoment) / segmentDays), found by arithmetic alone.
//   - A segment is one record, or, where one series cannot follow the body (its light passing
//     close to the Sun, whose bending of it changes within hours), halved again and again as
//     deep as needed: then its entry names the root of a binary tree whose leaves are records,
//     and a moment's leaf follows from the halves it lies in. Records near the Sun are thus
//     uneven; every record has the same length and degree.
//   - A record is the `degree` + 1 coefficients of its series on its own time span (mapped to
//     -1..1), each a whole multiple of `quantum` radians stored in the fewest bytes that hold
//     its largest value in the file (`widths`, little-endian two's complement). The series gives
//     the longitude continued across 0 degrees: the reader reduces it.
//
// Sections after the header, in order, each starting on a multiple of 8 bytes:
//   Block blocks[blockCount + 1]      where each block's nodes and records begin (the last entry
//                                     ends the last block), and the block's checksum
//   int32 segments[segmentCount]      >= 0: the segment's record; < 0: -(node + 1), its tree's root
//   int32 nodes[nodeCount][2]         children of a halved span, earlier half first, same coding;
//                                     a child node always has a larger index than its parent
//   uint8 records[recordCount * recordBytes]
//   8 zero bytes                      so that a coefficient can be read as one 8-byte load
// A block is `blockSegments` consecutive segments with the nodes and records they lead to, which
// follow one another in the file. The header's checksum covers the header and the block table;
// each block's covers its segments' entries, nodes and records, and is checked when the block is
// first read, so that a run reads (and checks) only the years it uses. The file is in the byte
// order of the machine that wrote it; a reader of another order sees a wrong magic and ignores it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace meridel::store {

inline constexpr char kMagic[8] = {'M', 'E', 'R', 'I', 'D', 'S', 'K', 'Y'};
// Changes with the layout and with the way the tool fits: a file of any other version is ignored.
inline constexpr std::uint32_t kVersion = 2;
inline constexpr int kMostCoefficients = 32;
// Trees are never deeper than this (the tool stops halving well before).
inline constexpr int kDeepestSplit = 24;

struct Header {
    char magic[8];
    std::uint32_t version;
    std::uint32_t headerBytes;        // sizeof(Header)
    char library[32];                 // the ephemeris library's version text, NUL-terminated
    std::int32_t planetCode;          // the program's code of the body
    std::int32_t libraryBody;         // the library's number of the body
    std::int32_t libraryFlags;        // the flags every position was computed with
    std::uint32_t degree;             // coefficients per record: degree + 1
    double firstMoment;               // universal time, day number with fraction
    double segmentDays;
    std::uint32_t segmentCount;
    std::uint32_t nodeCount;
    std::uint32_t recordCount;
    std::uint32_t recordBytes;        // sum of widths
    double quantum;                   // radians per unit of a stored coefficient
    std::uint8_t widths[kMostCoefficients];  // bytes of coefficient k (1 to 8)
    std::uint64_t payloadBytes;       // everything after the header, padding included
    std::uint64_t checksum;           // HeaderChecksum: the header (this field as 0) and the block table
    std::uint32_t blockSegments;      // segments a block
    std::uint32_t blockCount;
    // Moments and the longitudes the library gave there when the file was made (radians): the
    // reader asks the library again, and a library or data files that answer otherwise make the
    // file none of theirs.
    double checkMoments[4];
    double checkLongitudes[4];
    double worstEstimate;             // the tool's own bound on the fit's error, radians
    std::uint8_t reserved[24];
};
static_assert(sizeof(Header) == 256);

struct Block {
    std::uint32_t firstNode;
    std::uint32_t firstRecord;
    std::uint64_t checksum;  // BlockChecksum
};
static_assert(sizeof(Block) == 16);

// Where the sections start, from the header's counts.
struct Sections {
    std::uint64_t blocks, segments, nodes, records, end;  // byte offsets from the start of the file
};
inline std::uint64_t RoundUpTo8(std::uint64_t n) { return (n + 7) / 8 * 8; }
inline Sections SectionsOf(const Header& h) {
    Sections s{};
    s.blocks = RoundUpTo8(sizeof(Header));
    s.segments = RoundUpTo8(s.blocks + (std::uint64_t{h.blockCount} + 1) * sizeof(Block));
    s.nodes = RoundUpTo8(s.segments + std::uint64_t{h.segmentCount} * 4);
    s.records = RoundUpTo8(s.nodes + std::uint64_t{h.nodeCount} * 8);
    s.end = s.records + std::uint64_t{h.recordCount} * h.recordBytes + 8;
    return s;
}

inline std::uint64_t Load64(const unsigned char* p) {
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

// The signed value of `width` little-endian bytes at p (8 bytes readable from p).
inline std::int64_t LoadSigned(const unsigned char* p, int width) {
    const int unused = 64 - 8 * width;
    return static_cast<std::int64_t>(Load64(p) << unused) >> unused;
}

// A fast hash of n bytes, to find a file damaged since it was written (not an attacker).
inline std::uint64_t PayloadChecksum(const unsigned char* p, std::size_t n) {
    constexpr std::uint64_t kPrime = 0x9E3779B97F4A7C15ull;
    std::uint64_t lanes[4] = {0x243F6A8885A308D3ull, 0x13198A2E03707344ull, 0xA4093822299F31D0ull,
                              0x082EFA98EC4E6C89ull};
    auto mix = [](std::uint64_t h, std::uint64_t w) {
        h ^= w;
        h = (h << 29) | (h >> 35);
        return h * kPrime;
    };
    std::size_t i = 0;
    for (; i + 32 <= n; i += 32) {
        for (int lane = 0; lane < 4; ++lane) lanes[lane] = mix(lanes[lane], Load64(p + i + 8 * lane));
    }
    std::uint64_t tail = 0;
    for (std::size_t k = 0; i + k < n; ++k) tail = mix(tail, p[i + k]);
    std::uint64_t h = n;
    for (const std::uint64_t lane : lanes) h = mix(h, lane);
    return mix(h, tail);
}

// The header's checksum: the header with its checksum field as 0, then the block table.
inline std::uint64_t HeaderChecksum(const unsigned char* file) {
    Header h;
    std::memcpy(&h, file, sizeof h);
    h.checksum = 0;
    const Sections s = SectionsOf(h);
    const std::uint64_t header = PayloadChecksum(reinterpret_cast<const unsigned char*>(&h), sizeof h);
    return header ^ PayloadChecksum(file + s.blocks, (std::uint64_t{h.blockCount} + 1) * sizeof(Block));
}

// A block's checksum: its segments' entries, its nodes and its records, each a run of bytes.
inline std::uint64_t BlockChecksum(const unsigned char* segments, std::size_t segmentBytes, const unsigned char* nodes,
                                   std::size_t nodeBytes, const unsigned char* records, std::size_t recordBytes) {
    const std::uint64_t a = PayloadChecksum(segments, segmentBytes);
    const std::uint64_t b = PayloadChecksum(nodes, nodeBytes);
    const std::uint64_t c = PayloadChecksum(records, recordBytes);
    return a ^ ((b << 21) | (b >> 43)) ^ ((c << 42) | (c >> 22));
}

}  // namespace meridel::store
