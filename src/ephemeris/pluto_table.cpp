#include "ephemeris/pluto_table.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "ephemeris/ephemlon.h"
#include "ephemeris/planet_longitude.h"

namespace meridel {

namespace {

// The first character's code also carries k mod 55, a check on the line's place in the file.
constexpr int kLineCycle = 55;

// A rest: four base-64 digits of n = rest * 10000 + 2^23.
constexpr std::size_t kRestLength = 4;
constexpr int kRestBase = 64;
// The 64 digits of a rest, in order. They leave out the blank (lines are trimmed), the quote and
// backslash, and the letters c, e and p in either case, so that no line spells a word that a text
// search over the sources would stumble on.
constexpr char kRestDigits[] = "0123456789ABDFGHIJKLMNOQRSTUVWXYZabdfghijklmnoqrstuvwxyz#$%&*+=?";
static_assert(sizeof kRestDigits == kRestBase + 1);

// The value of a rest digit, or -1 for a character that is none.
constexpr std::array<std::int8_t, 256> kDigitValues = [] {
    std::array<std::int8_t, 256> values{};
    values.fill(-1);
    for (int d = 0; d < kRestBase; ++d) values[static_cast<unsigned char>(kRestDigits[d])] = static_cast<std::int8_t>(d);
    return values;
}();
int DigitValue(char c) { return kDigitValues[static_cast<unsigned char>(c)]; }
constexpr double kRestUnitsPerSecond = 10000.0;
constexpr std::int32_t kRestOffset = 1 << 23;
// A day cut into 2^e steps, e from 2 to 8.
constexpr int kFewestStepsExponent = 2;
constexpr int kMostStepsExponent = 8;

// The rest encoded at `at` in line, arc seconds.
double DecodeRest(std::string_view line, std::size_t at) {
    std::int32_t n = 0;
    for (std::size_t i = at; i < at + kRestLength; ++i) n = n * kRestBase + DigitValue(line[i]);
    return (n - kRestOffset) / kRestUnitsPerSecond;
}

bool IsRestText(std::string_view line, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) {
        if (DigitValue(line[i]) < 0) return false;
    }
    return true;
}

// How many equal steps the line cuts its day into: 1 for a line with its 0 h rest only, 2^e
// with the rests of a cut day, 0 for a line without rests (three characters, or not this form).
int StepsOf(std::string_view line) {
    constexpr std::size_t first = 3 + kRestLength;
    if (line.size() == first) return IsRestText(line, 3, first) ? 1 : 0;
    if (line.size() < first + 1) return 0;
    const int e = DigitValue(line[first]);
    if (e < kFewestStepsExponent || e > kMostStepsExponent) return 0;
    const int steps = 1 << e;
    if (line.size() != first + 1 + kRestLength * static_cast<std::size_t>(steps - 1)) return 0;
    return IsRestText(line, 3, first) && IsRestText(line, first + 1, line.size()) ? steps : 0;
}

// Where the rest of step j (0 .. steps - 1) stands in a line.
std::size_t RestPosition(int j) { return j == 0 ? 3 : 3 + kRestLength + 1 + kRestLength * static_cast<std::size_t>(j - 1); }

// Lagrange cubic through v[0..3] at nodes 0, 1, 2, 3, evaluated at t.
double Cubic(const double v[4], double t) {
    const double t0 = t, t1 = t - 1, t2 = t - 2, t3 = t - 3;
    return -t1 * t2 * t3 / 6 * v[0] + t0 * t2 * t3 / 2 * v[1] - t0 * t1 * t3 / 2 * v[2] + t0 * t1 * t2 / 6 * v[3];
}

// The cubic's slope at t.
double CubicSlope(const double v[4], double t) {
    const double t0 = t, t1 = t - 1, t2 = t - 2, t3 = t - 3;
    return -(t2 * t3 + t1 * t3 + t1 * t2) / 6 * v[0] + (t2 * t3 + t0 * t3 + t0 * t2) / 2 * v[1] -
           (t1 * t3 + t0 * t3 + t0 * t1) / 2 * v[2] + (t1 * t2 + t0 * t2 + t0 * t1) / 6 * v[3];
}

// Brings each value within half a turn of v[1], so a crossing of 0 degrees among them is no jump.
void OnOneTurn(double v[4]) {
    for (int i : {0, 2, 3}) v[i] -= 360.0 * std::nearbyint((v[i] - v[1]) / 360.0);
}

// Degrees encoded by line text for index k, or a negative value when it does not decode.
double DecodeLine(std::string_view line, std::int32_t k) {
    if (line.size() < 3 || k < 0) return -1.0;
    auto s = static_cast<std::int16_t>(static_cast<unsigned char>(line[0]) - 58 - k % kLineCycle);
    auto d = static_cast<std::int16_t>(static_cast<unsigned char>(line[1]) - 59);
    auto m = static_cast<std::int16_t>(static_cast<unsigned char>(line[2]) - 60);
    if (s < 0 || s > 5 || d < 0 || d > 59 || m < 0 || m > 59) return -1.0;
    return s * 60 + d + m / 60.0;
}

std::string_view TrimBlanks(std::string_view text) {
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

// Reads a whole file into text; on an error the system's description and code.
bool ReadWholeFile(const std::string& path, std::string& text, std::string& errorText, std::int32_t& errorNumber) {
    auto fail = [&](std::FILE* file) {
        errorNumber = errno != 0 ? errno : EIO;
        errorText = std::strerror(errorNumber);
        if (file) std::fclose(file);
        return false;
    };
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return fail(nullptr);
    char buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
    if (std::ferror(file)) return fail(file);
    std::fclose(file);
    return true;
}

// Calls take(line) for each line of text, a CR before the LF dropped.
template <typename F>
void EachLine(std::string_view text, const F& take) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::size_t length = end - start;
        if (length > 0 && text[end - 1] == '\r') --length;  // CR LF files read the same
        take(text.substr(start, length));
        start = end + 1;
    }
}

}  // namespace

PlutoTable::PlutoTable(const std::vector<std::string>& keptLines) {
    Reserve(keptLines.size());
    for (const std::string& line : keptLines) AppendLine(line);
}

PlutoTable::Line PlutoTable::Decode(std::int32_t k, std::string_view text) {
    Line line{DecodeLine(text, k), 0, static_cast<std::int32_t>(values_.size())};
    if (line.whole < 0.0) {
        line.whole = kBeforeRange;
        return line;
    }
    line.steps = StepsOf(text);
    for (int j = 0; j < line.steps; ++j) values_.push_back(line.whole + DecodeRest(text, RestPosition(j)) / 3600.0);
    return line;
}

void PlutoTable::AppendLine(std::string_view line) { lines_.push_back(Decode(LineCount(), line)); }

void PlutoTable::Reserve(std::size_t lines) {
    lines_.reserve(lines);
    values_.reserve(lines + lines / 8);
}

void PlutoTable::ReplaceLine(std::int32_t k, std::string_view line) {
    if (k >= 0 && k < LineCount()) lines_[static_cast<std::size_t>(k)] = Decode(k, line);
}

double PlutoTable::PlutoTableValue(std::int32_t k) const {
    if (k < 0 || k >= LineCount()) return kBeforeRange;
    return lines_[static_cast<std::size_t>(k)].whole;
}

double PlutoTable::PlutoPreciseValue(std::int32_t k) const {
    if (k < 0 || k >= LineCount()) return std::nan("");
    const Line& line = lines_[static_cast<std::size_t>(k)];
    if (line.whole < 0.0 || line.steps == 0) return std::nan("");
    return values_[static_cast<std::size_t>(line.firstValue)];
}

// A cut day is interpolated between its own steps (and the next day's 0 h value); any other day
// between the 0 h values of the days k - 1 .. k + 2 (at the ends of the table, the first or last
// four).
double PlutoTable::PreciseDegrees(std::int32_t k, double f, double* slope) const {
    const std::int32_t lines = LineCount();
    if (k + 1 >= lines) return std::nan("");
    // A day needs its own line and the next: where one does not decode, its rests (which may
    // still look like rests) belong to no value, and the day has no position.
    if (PlutoTableValue(k) < 0 || PlutoTableValue(k + 1) < 0) return std::nan("");
    const Line& line = lines_[static_cast<std::size_t>(k)];
    const int steps = line.steps;
    if (steps == 0) return std::nan("");
    double v[4];
    double t, tPerDay;
    if (steps > 1) {
        const int first = std::clamp(static_cast<int>(f * steps) - 1, 0, steps - 3);
        for (int i = 0; i < 4; ++i) {
            const int j = first + i;
            v[i] = j < steps ? values_[static_cast<std::size_t>(line.firstValue + j)] : PlutoPreciseValue(k + 1);
        }
        t = f * steps - first;
        tPerDay = steps;
    } else {
        if (lines < 4) return std::nan("");
        const std::int32_t first = std::clamp(k - 1, 0, lines - 4);
        for (int i = 0; i < 4; ++i) v[i] = PlutoPreciseValue(first + i);
        t = k - first + f;
        tPerDay = 1;
    }
    for (double value : v) {
        if (std::isnan(value)) return value;
    }
    OnOneTurn(v);
    if (slope) *slope = CubicSlope(v, t) * tPerDay;
    return Cubic(v, t);
}

double PlutoTable::Continued(double jd, double* slope) const {
    double x = jd + 0.5;
    double day = std::floor(x);
    if (!(day >= kMoonPlutoFirstDay)) return kBeforeRange;  // NaN included
    if (day > kMoonPlutoLastDay) return kAfterRange;
    auto n = static_cast<std::int32_t>(day);
    std::int32_t k = n - kMoonPlutoFirstDay;

    // Pluto's path bends with the Earth's yearly motion by up to 2" a day each day: a straight
    // line between days would be a quarter of an arc second off, the cubic a ten-thousandth.
    const double precise = PreciseDegrees(k, x - n, slope);
    if (!std::isnan(precise)) {
        const double longitude = (precise - 360.0 * std::floor(precise / 360.0)) / 360 * kFullCircle;
        return longitude < kFullCircle ? longitude : 0.0;
    }

    double a = PlutoTableValue(k);
    double b = PlutoTableValue(k + 1);
    if (a < 0.0 || b < 0.0) return kBeforeRange;  // no usable table
    if (b - a > 355) a += 360;
    else if (a - b > 355) b += 360;  // the day crosses 0 degrees

    if (slope) *slope = b - a;
    double degrees = (x - n) * (b - a) + a;
    if (degrees >= 360) degrees -= 360;
    double longitude = degrees / 360 * kFullCircle;
    return longitude < kFullCircle ? longitude : 0.0;
}

double PlutoTable::PlutoLongitude(double jd) const { return Continued(jd, nullptr); }

LongitudeAndRate PlutoTable::PlutoLongitudeWithRate(double jd) const {
    double slope = 0;
    const double longitude = Continued(jd, &slope);
    return {longitude, longitude < 0 ? 0.0 : slope / 360 * kFullCircle};
}

std::shared_ptr<const PlutoTable> LoadPlutoData(const std::string& dataFolder, const std::string& fileName,
                                                std::string& errorText) {
    const std::string path = dataFolder + fileName;
    errorText.clear();
    std::string text;
    std::int32_t errorNumber = 0;
    if (!ReadWholeFile(path, text, errorText, errorNumber)) {
        errorText = path + ": " + errorText;
        return nullptr;
    }

    auto table = std::make_shared<PlutoTable>();
    table->Reserve(static_cast<std::size_t>(kPlutoTableLines));
    // Blank lines are counted too, only to name the file's own line number in a message.
    std::size_t fileLine = 0;
    EachLine(text, [&](std::string_view raw) {
        ++fileLine;
        const std::string_view line = TrimBlanks(raw);
        if (line.empty() || !errorText.empty()) return;
        const std::int32_t k = table->LineCount();
        if (k < kPlutoTableLines && DecodeLine(line, k) < 0.0) {
            errorText = path + ", line " + std::to_string(fileLine) + ": not a valid position.";
            return;
        }
        table->AppendLine(line);
    });
    if (!errorText.empty()) return nullptr;
    if (table->LineCount() < kPlutoTableLines) {
        errorText = path + ": " + std::to_string(table->LineCount()) + " lines, " + std::to_string(kPlutoTableLines) +
                    " needed (one a day from 1600-01-01 to 2100-01-01).";
        return nullptr;
    }
    return table;
}

std::string EncodePlutoLine(std::int32_t k, std::int32_t arcMinutes) {
    arcMinutes %= 21600;
    if (arcMinutes < 0) arcMinutes += 21600;
    std::int32_t s = arcMinutes / 3600, d = arcMinutes / 60 % 60, m = arcMinutes % 60;
    std::string line(3, ' ');
    line[0] = static_cast<char>(58 + s + (k < 0 ? 0 : k % kLineCycle));
    line[1] = static_cast<char>(59 + d);
    line[2] = static_cast<char>(60 + m);
    return line;
}

std::string EncodePlutoRest(double arcSeconds) {
    const double scaled = std::nearbyint(arcSeconds * kRestUnitsPerSecond);
    // Four digits hold n from 0 to 2^24 - 1: rests from -2^23 to 2^23 - 1 units, all of which
    // the reader takes.
    if (!(scaled >= -kRestOffset && scaled < kRestOffset)) return "";
    auto n = static_cast<std::int32_t>(scaled) + kRestOffset;
    std::string rest(kRestLength, kRestDigits[0]);
    for (std::size_t i = kRestLength; i-- > 0; n /= kRestBase) rest[i] = kRestDigits[n % kRestBase];
    return rest;
}

char PlutoStepsMark(int e) { return kRestDigits[e]; }

}  // namespace meridel
