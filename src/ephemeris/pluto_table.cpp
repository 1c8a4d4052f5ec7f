#include "ephemeris/pluto_table.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "dialogs/dialogs.h"
#include "ephemeris/data_folder.h"
#include "ephemeris/ephemlon.h"
#include "ephemeris/planet_longitude.h"

namespace meridel {

std::vector<std::string> PlutoLines;

namespace {

// The first character's code also carries k mod 55, a check on the line's place in the file.
constexpr int kLineCycle = 55;

// Degrees encoded by line text for index k, or a negative value when it does not decode.
double decodeLine(const std::string& line, std::int32_t k) {
    if (line.size() < 3 || k < 0) return -1.0;
    auto s = static_cast<std::int16_t>(static_cast<unsigned char>(line[0]) - 58 - k % kLineCycle);
    auto d = static_cast<std::int16_t>(static_cast<unsigned char>(line[1]) - 59);
    auto m = static_cast<std::int16_t>(static_cast<unsigned char>(line[2]) - 60);
    if (s < 0 || s > 5 || d < 0 || d > 59 || m < 0 || m > 59) return -1.0;
    return s * 60 + d + m / 60.0;
}

std::string trimBlanks(const std::string& text) {
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

void reportLoadFailure(const std::string& errorText) {
    PlutoLines.clear();
    dialogs().message("Error when reading geocentric Pluto data.\n" + errorText, MessageIcon::Exclamation,
                      "Read Pluto Data");
}

}  // namespace

double PlutoTableValue(std::int32_t k) {
    if (k < 0 || static_cast<std::size_t>(k) >= PlutoLines.size()) return kBeforeRange;
    double degrees = decodeLine(PlutoLines[static_cast<std::size_t>(k)], k);
    return degrees < 0.0 ? kBeforeRange : degrees;
}

double PlutoLongitude(double jd) {
    double x = jd + 0.5;
    double day = std::floor(x);
    if (!(day >= kMoonPlutoFirstDay)) return kBeforeRange;  // NaN included
    if (day > kMoonPlutoLastDay) return kAfterRange;
    auto n = static_cast<std::int32_t>(day);
    std::int32_t k = n - kMoonPlutoFirstDay;

    double a = PlutoTableValue(k);
    double b = PlutoTableValue(k + 1);
    if (a < 0.0 || b < 0.0) return kBeforeRange;  // no usable table
    if (b - a > 355) a += 360;
    else if (a - b > 355) b += 360;  // the day crosses 0 degrees

    double degrees = (x - n) * (b - a) + a;
    if (degrees >= 360) degrees -= 360;
    double longitude = degrees / 360 * kFullCircle;
    return longitude < kFullCircle ? longitude : 0.0;
}

void ReadLinesIntoArray(const std::string& path, std::vector<std::string>& target, std::int32_t firstIndex,
                        bool skipBlankLines, bool trim, std::int32_t& count, std::string& errorText,
                        std::int32_t& errorNumber) {
    count = 0;
    errorText.clear();
    errorNumber = 0;
    auto fail = [&](std::FILE* file) {
        errorNumber = errno != 0 ? errno : EIO;
        errorText = std::strerror(errorNumber);
        if (file) std::fclose(file);
    };

    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return fail(nullptr);
    std::string text;
    char buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
    if (std::ferror(file)) return fail(file);
    std::fclose(file);

    target.assign(static_cast<std::size_t>(firstIndex > 0 ? firstIndex : 0), std::string());
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::size_t length = end - start;
        if (length > 0 && text[end - 1] == '\r') --length;  // CR LF files read the same
        std::string line = text.substr(start, length);
        start = end + 1;
        std::string trimmed = trimBlanks(line);
        if (trimmed.empty() && skipBlankLines) continue;
        ++count;
        target.push_back(trim ? std::move(trimmed) : std::move(line));
    }
}

bool LoadPlutoData(const std::string& fileName, std::string& errorText) {
    std::string path = DataFolder + fileName;
    errorText.clear();

    // Blank lines are read too, only to name the file's own line number in a message.
    std::vector<std::string> fileLines;
    std::int32_t count = 0, errorNumber = 0;
    ReadLinesIntoArray(path, fileLines, 0, false, true, count, errorText, errorNumber);
    if (!errorText.empty()) {
        errorText = path + ": " + errorText;
        reportLoadFailure(errorText);
        return false;
    }

    std::vector<std::string> kept;
    kept.reserve(fileLines.size());
    for (std::size_t i = 0; i < fileLines.size(); ++i) {
        if (fileLines[i].empty()) continue;
        auto k = static_cast<std::int32_t>(kept.size());
        if (k < kPlutoTableLines && decodeLine(fileLines[i], k) < 0.0) {
            errorText = path + ", line " + std::to_string(i + 1) + ": not a valid position.";
            reportLoadFailure(errorText);
            return false;
        }
        kept.push_back(std::move(fileLines[i]));
    }
    if (kept.size() < static_cast<std::size_t>(kPlutoTableLines)) {
        errorText = path + ": " + std::to_string(kept.size()) + " lines, " + std::to_string(kPlutoTableLines) +
                    " needed (one a day from 1600-01-01 to 2100-01-01).";
        reportLoadFailure(errorText);
        return false;
    }
    PlutoLines = std::move(kept);
    return true;
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

}  // namespace meridel
