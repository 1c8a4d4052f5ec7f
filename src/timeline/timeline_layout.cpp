#include "timeline/timeline_layout.h"

#include <algorithm>
#include <cmath>

namespace meridel {

namespace {

constexpr double kMargin = 10;
constexpr double kRightMargin = 16;
constexpr double kLabelGap = 8;     // at least this between two labels of a row
constexpr double kRetrogradeGap = 2, kRetrogradeBar = 3;
constexpr double kLaneGap = 5;      // below a lane's bar
constexpr double kRunGap = 6;       // before the first lane of another run
constexpr double kSwatchWidth = 18;
constexpr double kGroupGap = 6;     // above a chart's heading of a moving planet

// A few lanes get room to show their curves' shape; many stay compact.
double PlotHeight(std::size_t lanes) { return lanes <= 2 ? 80 : lanes <= 6 ? 52 : 34; }

double Gutter(const Timeline& timeline, const TextMetrics& text) {
    double widest = 0;
    for (const TimelineLane& lane : timeline.lanes) widest = std::max(widest, text.width(lane.label, TextRole::Normal));
    return std::max(120.0, kMargin + widest + 14);
}

std::string LegendText(LegendKind kind, const Timeline& t) {
    const auto orb = [&](int o, const char* name) { return std::string(name) + " orb " + std::to_string(t.orbDegrees[o]) + "\xC2\xB0"; };
    switch (kind) {
        case LegendKind::OuterOrb: return orb(kOuterOrb, "outer");
        case LegendKind::MiddleOrb: return orb(kMiddleOrb, "middle");
        case LegendKind::InnerOrb: return orb(kInnerOrb, "inner");
        case LegendKind::Curve: return "deviation from exact (top: exact)";
        case LegendKind::ExactHit: return "exact hit";
        case LegendKind::Closest: return "closest approach without a hit";
        case LegendKind::Retrograde: return "moving planet retrograde";
        case LegendKind::Today: return "today";
    }
    return "";
}

// The elements of a vector sorted by `key` whose key lies within from..to, with one more on
// either side where there is one (a line or a box reaching into the range from outside).
template <typename T, typename Key>
std::pair<std::size_t, std::size_t> WithinRange(const std::vector<T>& items, double from, double to, Key key) {
    const auto first = std::lower_bound(items.begin(), items.end(), from,
                                        [&](const T& item, double value) { return key(item) < value; });
    const auto last = std::upper_bound(items.begin(), items.end(), to,
                                       [&](double value, const T& item) { return value < key(item); });
    const std::size_t begin = static_cast<std::size_t>(first - items.begin());
    const std::size_t end = static_cast<std::size_t>(last - items.begin());
    return {begin > 0 ? begin - 1 : 0, std::min(items.size(), end + 1)};
}

// Which label row each of a lane's marks takes, from left to right: the first row where it
// clears the label before it; -1 when none has room.
struct LabelRows {
    std::vector<int> row;  // by mark
    int rowsUsed = 0;
    int hidden = 0;
};

LabelRows StackLabels(const TimelineLane& lane, const TimelineLayout& l, const TextMetrics& text) {
    LabelRows out;
    out.row.assign(lane.marks.size(), -1);
    double rowRight[kMostLabelRows];
    std::fill(std::begin(rowRight), std::end(rowRight), -1e300);
    for (std::size_t i = 0; i < lane.marks.size(); ++i) {
        const double width = text.width(lane.marks[i].label, TextRole::Small);
        const double left =
            std::clamp(l.X(lane.marks[i].moment) - width / 2, l.gutter + 2, std::max(l.gutter + 2, l.width - kMargin - width));
        for (int r = 0; r < kMostLabelRows; ++r) {
            if (left < rowRight[r] + kLabelGap / 2) continue;
            out.row[i] = r;
            rowRight[r] = left + width;
            out.rowsUsed = std::max(out.rowsUsed, r + 1);
            break;
        }
        if (out.row[i] < 0) ++out.hidden;
    }
    return out;
}

LaneGeometry PlaceLane(const Timeline& t, const TimelineLane& lane, const TimelineLayout& l, double top,
                       const TextMetrics& text, double from, double to) {
    LaneGeometry g;
    const double small = text.lineHeight[static_cast<int>(TextRole::Small)];
    const LabelRows rows = StackLabels(lane, l, text);
    const double strip = std::max(1, rows.rowsUsed) * (small + 1) + 2;
    const double plotHeight = PlotHeight(t.lanes.size());
    g.row = {0, top, l.width, strip + plotHeight + kRetrogradeGap + kRetrogradeBar + kLaneGap};
    const double right = l.X(t.end);
    g.plot = {l.gutter, top + strip, right - l.gutter, plotHeight};
    const double normal = text.lineHeight[static_cast<int>(TextRole::Normal)];
    const double noteHeight = rows.hidden > 0 ? small : 0;
    const double labelTop = g.plot.top + (plotHeight - normal - noteHeight) / 2;
    g.label = {lane.label, {kMargin, labelTop, text.width(lane.label, TextRole::Normal), normal}};
    if (rows.hidden > 0) {
        const std::string note = std::to_string(rows.hidden) + (rows.hidden == 1 ? " label" : " labels") + " not shown";
        g.hiddenLabels = PlacedText{note, {kMargin, labelTop + normal, text.width(note, TextRole::Small), small}};
    }

    const double outer = lane.orbs[kOuterOrb];
    const auto y = [&](double deviation) { return g.plot.top + deviation / outer * plotHeight; };
    for (int o = 0; o < kOrbCount; ++o) {
        // An orb's own band: below the next smaller orb's depth, down to its own.
        const double bandTop = o == kInnerOrb ? g.plot.top : y(lane.orbs[o + 1]);
        const double edgeY = (bandTop + y(lane.orbs[o])) / 2;
        const auto& days = lane.orbDays[o];
        const auto [first, last] = WithinRange(days, from, to, [](const TimeSpan& s) { return s.end; });
        for (std::size_t i = first; i < last && days[i].start <= to; ++i) {
            const TimeSpan& s = days[i];
            const double left = l.X(s.start);
            // Zoomed out, shades less than a pixel apart are drawn as one.
            if (!g.shades[o].empty() && left - g.shades[o].back().box.Right() < 1) {
                ShadeBox& before = g.shades[o].back();
                before.box.width = std::max(before.box.Right(), l.X(s.end)) - before.box.left;
                before.openEnd = s.openEnd;
                continue;
            }
            g.shades[o].push_back({{left, g.plot.top, l.X(s.end) - left, y(lane.orbs[o]) - g.plot.top}, s.openStart, s.openEnd, edgeY});
        }
    }

    const auto [firstMark, lastMark] = WithinRange(lane.marks, from, to, [](const TimelineMark& m) { return m.moment; });
    double lastMarkerX[2] = {-1e300, -1e300};  // of the last marker without a label, by kind
    for (std::size_t i = firstMark; i < lastMark; ++i) {
        const TimelineMark& mark = lane.marks[i];
        // Zoomed out, a marker on the pixel of the one before adds nothing to see or to point at.
        const double x = l.X(mark.moment);
        if (rows.row[i] < 0 && std::fabs(x - lastMarkerX[mark.exact]) < 1) continue;
        if (rows.row[i] < 0) lastMarkerX[mark.exact] = x;
        HitMarker& marker = g.hits.emplace_back();
        marker.exact = mark.exact;
        marker.x = l.X(mark.moment);
        marker.y = mark.exact ? g.plot.top : y(std::min(mark.deviation, outer));
        marker.tooltip = mark.text;
        if (rows.row[i] < 0) continue;
        const double width = text.width(mark.label, TextRole::Small);
        const double left = std::clamp(marker.x - width / 2, l.gutter + 2, std::max(l.gutter + 2, l.width - kMargin - width));
        // The first row just above the plot, further ones above it.
        marker.label = PlacedText{mark.label, {left, top + 1 + (rows.rowsUsed - 1 - rows.row[i]) * (small + 1), width, small}};
    }

    // Only while a transit lasts: that is when its moving planet's direction shapes the curve.
    const auto& retrograde = t.runs[lane.run].retrograde;
    const auto [firstBack, lastBack] = WithinRange(retrograde, from, to, [](const TimeSpan& s) { return s.end; });
    const auto [firstSpan, lastSpan] = WithinRange(lane.spans, from, to, [](const TimeSpan& s) { return s.end; });
    for (std::size_t b = firstBack; b < lastBack; ++b) {
        for (std::size_t s = firstSpan; s < lastSpan; ++s) {
            const double left = l.X(std::max(retrograde[b].start, lane.spans[s].start));
            const double end = l.X(std::min(retrograde[b].end, lane.spans[s].end));
            if (!(end > left)) continue;
            if (!g.retrograde.empty() && left - g.retrograde.back().Right() < 1 && left >= g.retrograde.back().left) {
                g.retrograde.back().width = std::max(g.retrograde.back().Right(), end) - g.retrograde.back().left;
                continue;
            }
            g.retrograde.push_back({left, g.plot.Bottom() + kRetrogradeGap, end - left, kRetrogradeBar});
        }
    }

    const auto [firstPoint, lastPoint] = WithinRange(lane.curve, from, to, [](const CurvePoint& p) { return p.moment; });
    std::vector<PicturePoint>* line = nullptr;
    // Zoomed out, many samples share a column of pixels: the first, the highest, the lowest and
    // the last of each column draw the same line. A break between two transits narrower than a
    // pixel would not show either: the line goes on.
    std::vector<PicturePoint> column;
    const auto flush = [&] {
        if (column.empty()) return;
        std::size_t high = 0, low = 0;
        for (std::size_t k = 1; k < column.size(); ++k) {
            if (column[k].y < column[high].y) high = k;
            if (column[k].y > column[low].y) low = k;
        }
        const std::size_t kept[4] = {0, std::min(high, low), std::max(high, low), column.size() - 1};
        for (std::size_t k = 0; k < 4; ++k) {
            if (k == 0 || kept[k] != kept[k - 1]) line->push_back(column[kept[k]]);
        }
        column.clear();
    };
    bool broken = false;
    double lastX = -1e300;
    for (std::size_t i = firstPoint; i < lastPoint; ++i) {
        const CurvePoint& p = lane.curve[i];
        if (std::isnan(p.deviation)) {
            broken = true;
            continue;
        }
        const PicturePoint point{l.X(p.moment), y(p.deviation)};
        if (broken && point.x - lastX >= 1) {
            flush();
            line = nullptr;
        }
        broken = false;
        if (!line) line = &g.curve.emplace_back();
        if (!column.empty() && std::floor(point.x) != std::floor(column.front().x)) flush();
        column.push_back(point);
        lastX = point.x;
    }
    flush();
    return g;
}

}  // namespace

double TallestPicture(std::size_t runs, const TextMetrics& text) {
    const double title = text.lineHeight[static_cast<int>(TextRole::Title)];
    const double normal = text.lineHeight[static_cast<int>(TextRole::Normal)];
    const double small = text.lineHeight[static_cast<int>(TextRole::Small)];
    const std::size_t lanes = std::max<std::size_t>(runs, 1) * 5;
    // Title, period, a note on a stopped run and one on runs without transits, a legend in up to
    // three rows, the axis. A run without transits has no lanes, which leaves room for its name
    // when that note wraps.
    const double header = kMargin + title + 2 + 3 * (normal + 2) + 4 + 3 * (small + 4) + small + 8;
    const double axis = (small + 4) + (small + 6) + 4;
    const double lane = kMostLabelRows * (small + 1) + 2 + PlotHeight(lanes) + kRetrogradeGap + kRetrogradeBar + kLaneGap;
    // A chart's row of sky marks, and a heading for each of its nine moving planets.
    const double chart = (small + 4) + 9 * (normal + kGroupGap);
    return header + axis + chart + static_cast<double>(lanes) * lane + static_cast<double>(runs) * kRunGap + 2 * normal +
           20 + kMargin;
}

double FitPixelsPerDay(const Timeline& timeline, double width, const TextMetrics& text) {
    const double days = std::max(timeline.end - timeline.start, 1.0);
    return std::max(width - Gutter(timeline, text) - kRightMargin, 50.0) / days;
}

TimelineLayout LayOutTimeline(const Timeline& t, const LayoutOptions& options) {
    const TextMetrics& text = options.text;
    const auto height = [&](TextRole role) { return text.lineHeight[static_cast<int>(role)]; };
    TimelineLayout l;
    l.start = t.start;
    l.gutter = Gutter(t, text);
    l.pixelsPerDay = options.pixelsPerDay > 0 ? options.pixelsPerDay : FitPixelsPerDay(t, options.width, text);
    l.width = options.pixelsPerDay > 0 ? l.X(t.end) + kRightMargin : options.width;
    l.laidLeft = std::max(options.visibleLeft, 0.0);
    l.laidRight = std::min(options.visibleRight, std::ceil(l.width));
    const double from = l.MomentAt(l.laidLeft), to = l.MomentAt(l.laidRight);

    // Header: the title, the period, the notes, then the legend's items, wrapped to the width.
    double y = kMargin;
    l.title = {t.title, {kMargin, y, text.width(t.title, TextRole::Title), height(TextRole::Title)}};
    y += height(TextRole::Title) + 2;
    l.subtitle = {t.subtitle, {kMargin, y, text.width(t.subtitle, TextRole::Normal), height(TextRole::Normal)}};
    y += height(TextRole::Normal) + 2;
    // A long note (a chart's runs without transits) is broken at blanks to stay within the width.
    const auto placeLine = [&](const std::string& line) {
        l.notes.push_back({line, {kMargin, y, text.width(line, TextRole::Normal), height(TextRole::Normal)}});
        y += height(TextRole::Normal) + 2;
    };
    for (const std::string& note : t.notes) {
        std::string line;
        for (std::size_t from = 0; from < note.size();) {
            const std::size_t blank = std::min(note.find(' ', from), note.size());
            const std::string word = note.substr(from, blank - from);
            const std::string longer = line.empty() ? word : line + " " + word;
            if (!line.empty() && kMargin + text.width(longer, TextRole::Normal) > l.width - kMargin) {
                placeLine(line);
                line = word;
            } else {
                line = longer;
            }
            from = blank + 1;
        }
        placeLine(line);
    }
    y += 4;
    bool anyClosest = false;
    for (const TimelineLane& lane : t.lanes) {
        for (const TimelineMark& mark : lane.marks) anyClosest = anyClosest || !mark.exact;
    }
    double x = kMargin;
    for (LegendKind kind : {LegendKind::OuterOrb, LegendKind::MiddleOrb, LegendKind::InnerOrb, LegendKind::Curve,
                            LegendKind::ExactHit, LegendKind::Closest, LegendKind::Retrograde, LegendKind::Today}) {
        if (kind == LegendKind::Today && !t.now) continue;
        if (kind == LegendKind::Closest && !anyClosest) continue;
        const std::string label = LegendText(kind, t);
        const double w = kSwatchWidth + 4 + text.width(label, TextRole::Small);
        if (x > kMargin && x + w > l.width - kMargin) {
            x = kMargin;
            y += height(TextRole::Small) + 4;
        }
        const double h = height(TextRole::Small);
        l.legend.push_back({kind, {x, y + 2, kSwatchWidth, h - 4}, {label, {x + kSwatchWidth + 4, y, w - kSwatchWidth - 4, h}}});
        x += w + 14;
    }
    y += height(TextRole::Small) + 8;
    l.header = {0, 0, l.width, y};

    // The axis: the unit above on the first row, the finer ticks on the second.
    const TimeTicks ticks =
        ChooseTimeTicks(t.start, t.end, t.zoneMinutes, l.pixelsPerDay,
                        [&](const std::string& s) { return text.width(s, TextRole::Small); }, kLabelGap, from, to);
    const double majorRow = height(TextRole::Small) + 4, minorRow = height(TextRole::Small) + 6;
    const double skyRow = t.skyMarks.empty() ? 0 : height(TextRole::Small) + 4;
    l.axis = {0, y, l.width, majorRow + minorRow + skyRow};
    const auto placeRow = [&](const std::vector<TimeTick>& row, double top, std::vector<double>& xs,
                              std::vector<PlacedText>& labels) {
        double lastRight = -1e300;
        for (const TimeTick& tick : row) {
            const double tx = l.X(tick.moment);
            xs.push_back(tx);
            const double w = text.width(tick.label, TextRole::Small);
            if (tick.label.empty() || tx + 3 < lastRight + kLabelGap || tx + 3 + w > l.width) continue;
            labels.push_back({tick.label, {tx + 3, top, w, height(TextRole::Small)}});
            lastRight = tx + 3 + w;
        }
    };
    placeRow(ticks.major, l.axis.top + 2, l.majorTicks, l.majorLabels);
    placeRow(ticks.minor, l.axis.top + majorRow + 2, l.minorTicks, l.minorLabels);
    // The sky's marks, each labelled where it clears the label before it.
    const auto [firstSky, lastSky] = WithinRange(t.skyMarks, from, to, [](const SkyMark& m) { return m.moment; });
    double skyRight = -1e300;
    l.skyRowTop = l.axis.top + majorRow + minorRow;
    for (std::size_t i = firstSky; i < lastSky; ++i) {
        AxisMark& mark = l.skyMarks.emplace_back();
        mark.x = l.X(t.skyMarks[i].moment);
        mark.tooltip = t.skyMarks[i].text;
        const double w = text.width(t.skyMarks[i].label, TextRole::Small);
        if (mark.x + 3 < skyRight + kLabelGap || mark.x + 3 + w > l.width) continue;
        mark.label = PlacedText{t.skyMarks[i].label, {mark.x + 3, l.skyRowTop + 1, w, height(TextRole::Small)}};
        skyRight = mark.x + 3 + w;
    }
    y = l.axis.Bottom() + 4;

    for (std::size_t i = 0; i < t.lanes.size(); ++i) {
        if (t.groupByMoving && (i == 0 || t.lanes[i].moving != t.lanes[i - 1].moving)) {
            if (i > 0) y += kGroupGap;
            const std::string& name = t.runs[t.lanes[i].run].movingName;
            l.groupHeadings.push_back({name, {kMargin, y, text.width(name, TextRole::Title), height(TextRole::Title)}});
            y += height(TextRole::Title);
        } else if (i > 0 && t.lanes[i].run != t.lanes[i - 1].run) {
            l.runSeparators.push_back(y + kRunGap / 2);
            y += kRunGap;
        }
        l.lanes.push_back(PlaceLane(t, t.lanes[i], l, y, text, from, to));
        y = l.lanes.back().row.Bottom();
    }
    if (t.lanes.empty()) {
        const std::string note = "No transits in this period.";
        l.emptyNote = PlacedText{note, {l.gutter, y + 10, text.width(note, TextRole::Normal), height(TextRole::Normal)}};
        y += 10 + height(TextRole::Normal) + 10;
    }
    if (t.now) l.nowX = l.X(*t.now);
    l.height = y + kMargin;
    return l;
}

}  // namespace meridel
