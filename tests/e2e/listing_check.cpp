#include "listing_check.h"

#include <cmath>
#include <sstream>

#include "calendar/daycount.h"
#include "ephemeris/planet_longitude.h"

namespace meridel::testing {

namespace {

constexpr double kTwoPi = 6.283185307179586;

std::string trim(const std::string& s) {
    std::size_t a = s.find_first_not_of(' ');
    if (a == std::string::npos) return "";
    std::size_t b = s.find_last_not_of(' ');
    return s.substr(a, b - a + 1);
}


std::u32string toU32(const std::string& s) {
    std::u32string out;
    for (std::size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        char32_t cp;
        int len;
        if (c < 0x80) { cp = c; len = 1; }
        else if ((c >> 5) == 6) { cp = c & 0x1F; len = 2; }
        else if ((c >> 4) == 14) { cp = c & 0x0F; len = 3; }
        else { cp = c & 0x07; len = 4; }
        for (int k = 1; k < len && i + k < s.size(); ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        out += cp;
        i += len;
    }
    return out;
}

std::string toUtf8(const std::u32string& s) {
    std::string out;
    for (char32_t cp : s) {
        if (cp < 0x80) out += static_cast<char>(cp);
        else if (cp < 0x800) { out += static_cast<char>(0xC0 | (cp >> 6)); out += static_cast<char>(0x80 | (cp & 0x3F)); }
        else { out += static_cast<char>(0xE0 | (cp >> 12)); out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F)); out += static_cast<char>(0x80 | (cp & 0x3F)); }
    }
    return out;
}

bool splitRow(const std::string& line, std::string cells[9]) {
    std::u32string u = toU32(line);
    // Positions (0-based): cell 0 at 0, "| " at 12, cells 1-3 at 14/26/38, "| " at 50, cell 4 at
    // 52, "| " at 64, cells 5-7 at 66/78/90, "| " at 102, cell 8 from 104.
    if (u.size() < 104 || u.substr(12, 2) != U"| " || u.substr(50, 2) != U"| " || u.substr(64, 2) != U"| " ||
        u.substr(102, 2) != U"| ") {
        return false;
    }
    const std::size_t starts[8] = {0, 14, 26, 38, 52, 66, 78, 90};
    for (int c = 0; c < 8; ++c) cells[c] = trim(toUtf8(u.substr(starts[c], 12)));
    cells[8] = trim(toUtf8(u.substr(104)));
    return true;
}

std::int32_t parseDay(const std::string& cell, bool& retrograde, std::string& rest) {
    // YYYY-MM-DD followed by "r", "*", "*r" or nothing.
    std::size_t a = cell.find('-');
    std::size_t b = a == std::string::npos ? a : cell.find('-', a + 1);
    if (b == std::string::npos || cell.size() < b + 3) return 0;
    EuroDate d;
    d.Year = std::stoi(cell.substr(0, a));
    d.Month = std::stoi(cell.substr(a + 1, b - a - 1));
    d.Day = std::stoi(cell.substr(b + 1, 2));
    rest = cell.substr(b + 3);
    retrograde = rest.find('r') != std::string::npos;
    return euro_date_to_jdn(d);
}

double separation(double a, double b) {
    double d = std::fabs(a - b);
    d = std::fmod(d, kTwoPi);
    return d > kTwoPi / 2 ? kTwoPi - d : d;
}

double aspectDegrees(const std::string& name) {
    if (name == "Conjunction") return 0;
    if (name == "Opposition") return 180;
    if (name == "Square") return 90;
    if (name == "Trine") return 120;
    if (name == "Sextile") return 60;
    return -1;
}

struct Sky {
    const SkyPair& pair;
    double deviation(double jd, double aspectRadians) const {
        double a = PlanetLongitude(pair.moving, jd);
        double b = pair.world ? PlanetLongitude(pair.second, jd) : pair.natalLongitude;
        return std::fabs(separation(a, b) - aspectRadians);
    }
    double localMidnight(std::int32_t day) const { return day - 0.5 - pair.zoneMinutes / 1440.0; }
    bool retrograde(double jd) const {
        if (pair.moving == kSun || pair.moving == kMoon) return false;
        double a = PlanetLongitude(pair.moving, jd), b = PlanetLongitude(pair.moving, jd + 1.0 / 48);
        double d = std::remainder(b - a, kTwoPi);
        return d < 0;
    }
};

}  // namespace

Listing ParseListing(const std::string& text) {
    Listing listing;
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    std::size_t i = 0;
    if (i < lines.size()) listing.heading = lines[i++];
    if (i < lines.size()) listing.titles = lines[i++];
    if (i < lines.size()) ++i;  // the rule
    std::string aspect;
    for (; i < lines.size(); ++i) {
        ListedRow row;
        if (!splitRow(lines[i], row.cells)) {
            listing.trailer.push_back(lines[i]);
            continue;
        }
        if (!row.cells[0].empty()) aspect = row.cells[0];
        row.aspect = aspect;
        listing.rows.push_back(row);
    }
    return listing;
}

std::vector<std::string> CheckListingAgainstSky(const Listing& listing, const SkyPair& pair) {
    std::vector<std::string> problems;
    Sky sky{pair};
    auto complain = [&](const ListedRow& row, int column, const std::string& what) {
        problems.push_back(row.aspect + " column " + std::to_string(column) + " '" + row.cells[column] + "': " + what);
    };
    for (const ListedRow& row : listing.rows) {
        double angle = aspectDegrees(row.aspect);
        if (angle < 0) {
            problems.push_back("row without a known aspect: " + row.aspect);
            continue;
        }
        double aspectRadians = angle / 360 * kTwoPi;
        for (int column : {1, 2, 3, 5, 6, 7}) {
            if (row.cells[column].empty()) continue;
            bool marked = false;
            std::string rest;
            std::int32_t day = parseDay(row.cells[column], marked, rest);
            if (day == 0) {
                complain(row, column, "not a date");
                continue;
            }
            int orb = column <= 3 ? column - 1 : 7 - column;  // 0 outer, 1 middle, 2 inner
            double limit = pair.orbDegrees[orb] / 360.0 * kTwoPi;
            double t0 = sky.localMidnight(day), t1 = sky.localMidnight(day + 1);
            bool inside0 = sky.deviation(t0, aspectRadians) < limit;
            bool inside1 = sky.deviation(t1, aspectRadians) < limit;
            bool entering = column <= 3;
            if (entering ? (inside0 || !inside1) : (!inside0 || inside1)) {
                complain(row, column, entering ? "the orb is not entered during this day" : "the orb is not left during this day");
            }
            if (marked != (pair.retrogradeMarksShown && sky.retrograde(t0))) complain(row, column, "retrograde mark disagrees with the sky");
        }
        if (!row.cells[4].empty()) {
            bool marked = false;
            std::string rest;
            std::int32_t day = parseDay(row.cells[4], marked, rest);
            if (day == 0) {
                complain(row, 4, "not a date");
                continue;
            }
            if (marked != (pair.retrogradeMarksShown && sky.retrograde(sky.localMidnight(day + 1)))) complain(row, 4, "retrograde mark disagrees with the sky");
            if (rest.find('*') != std::string::npos) {
                // Exact hit: "HH:MM ZONE" in column 8, local time of the output zone.
                int hh = std::stoi(row.cells[8].substr(0, 2)), mm = std::stoi(row.cells[8].substr(3, 2));
                double listed = sky.localMidnight(day) + (hh * 60 + mm) / 1440.0;
                double best = listed, bestDeviation = sky.deviation(listed, aspectRadians);
                for (int s = -180; s <= 180; ++s) {  // seconds around the listed minute
                    double t = listed + s / 86400.0;
                    double d = sky.deviation(t, aspectRadians);
                    if (d < bestDeviation) { bestDeviation = d; best = t; }
                }
                if (std::fabs(best - listed) * 1440 > 1.01) complain(row, 4, "exact hit more than a minute from the true minimum");
                if (bestDeviation >= 0.000291) complain(row, 4, "no exact hit near the listed minute");
            } else {
                // The smallest deviation of the transit lies on the listed day or within a day of it.
                double bestT = 0, bestD = 10;
                for (double t = sky.localMidnight(day - 2); t <= sky.localMidnight(day + 3); t += 1.0 / 144) {
                    double d = sky.deviation(t, aspectRadians);
                    if (d < bestD) { bestD = d; bestT = t; }
                }
                if (bestT < sky.localMidnight(day - 1) || bestT > sky.localMidnight(day + 2)) {
                    complain(row, 4, "the closest approach is not near this day");
                }
            }
        }
    }
    return problems;
}

}  // namespace meridel::testing
