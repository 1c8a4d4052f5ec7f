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
        case LegendKind::Retrograde: return "moving planet retrograde";
        case LegendKind::Today: return "today";
    }
    return "";
}

// The lane's hit markers, and their dates from left to right wherever one clears the last.
std::vector<HitMarker> PlaceHits(const TimelineLane& lane, const TimelineLayout& l, const Box& row, double plotTop,
                                 const TextMetrics& text) {
    std::vector<HitMarker> hits;
    std::optional<Box> last;
    const double height = text.lineHeight[static_cast<int>(TextRole::Small)];
    for (const TimelineHit& hit : lane.hits) {
        HitMarker& marker = hits.emplace_back();
        marker.x = l.X(hit.moment);
        marker.y = plotTop;
        marker.tooltip = hit.text;
        const double width = text.width(hit.dayText, TextRole::Small);
        Box box{marker.x - width / 2, row.top + 1, width, height};
        box.left = std::clamp(box.left, l.gutter + 2, std::max(l.gutter + 2, l.width - kMargin - width));
        Box clearance = box;
        clearance.width += kLabelGap / 2;
        if (last && last->Overlaps(clearance)) continue;
        marker.label = PlacedText{hit.dayText, box};
        last = clearance;
    }
    return hits;
}

LaneGeometry PlaceLane(const Timeline& t, const TimelineLane& lane, const TimelineLayout& l, double top,
                       const TextMetrics& text) {
    LaneGeometry g;
    const double small = text.lineHeight[static_cast<int>(TextRole::Small)];
    const double strip = small + 3;
    const double plotHeight = PlotHeight(t.lanes.size());
    g.row = {0, top, l.width, strip + plotHeight + kRetrogradeGap + kRetrogradeBar + kLaneGap};
    const double right = l.X(t.end);
    g.plot = {l.gutter, top + strip, right - l.gutter, plotHeight};
    const double normal = text.lineHeight[static_cast<int>(TextRole::Normal)];
    g.label = {lane.label, {kMargin, g.plot.top + (plotHeight - normal) / 2, text.width(lane.label, TextRole::Normal), normal}};

    const double outer = lane.orbs[kOuterOrb];
    const auto y = [&](double deviation) { return g.plot.top + deviation / outer * plotHeight; };
    for (int o = 0; o < kOrbCount; ++o) {
        for (const TimeSpan& s : lane.orbDays[o]) {
            const double left = l.X(s.start);
            g.shades[o].push_back({{left, g.plot.top, l.X(s.end) - left, y(lane.orbs[o]) - g.plot.top}, s.openStart, s.openEnd});
        }
    }
    g.hits = PlaceHits(lane, l, g.row, g.plot.top, text);
    // Only while the transit lasts: that is when its moving planet's direction shapes the curve.
    for (const TimeSpan& s : t.runs[lane.run].retrograde) {
        const double left = l.X(std::max(s.start, lane.span.start)), right = l.X(std::min(s.end, lane.span.end));
        if (right > left) g.retrograde.push_back({left, g.plot.Bottom() + kRetrogradeGap, right - left, kRetrogradeBar});
    }
    std::vector<PicturePoint>* line = nullptr;
    for (const CurvePoint& p : lane.curve) {
        if (std::isnan(p.deviation)) {
            line = nullptr;
            continue;
        }
        if (!line) line = &g.curve.emplace_back();
        line->push_back({l.X(p.moment), y(p.deviation)});
    }
    return g;
}

}  // namespace

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

    // Header: the title, the period, then the legend's items, wrapped to the width.
    double y = kMargin;
    l.title = {t.title, {kMargin, y, text.width(t.title, TextRole::Title), height(TextRole::Title)}};
    y += height(TextRole::Title) + 2;
    l.subtitle = {t.subtitle, {kMargin, y, text.width(t.subtitle, TextRole::Normal), height(TextRole::Normal)}};
    y += height(TextRole::Normal) + 6;
    double x = kMargin;
    for (LegendKind kind : {LegendKind::OuterOrb, LegendKind::MiddleOrb, LegendKind::InnerOrb, LegendKind::Curve,
                            LegendKind::ExactHit, LegendKind::Retrograde, LegendKind::Today}) {
        if (kind == LegendKind::Today && !t.now) continue;
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
    const TimeTicks ticks = ChooseTimeTicks(t.start, t.end, t.zoneMinutes, l.pixelsPerDay,
                                            [&](const std::string& s) { return text.width(s, TextRole::Small); }, kLabelGap);
    const double majorRow = height(TextRole::Small) + 4, minorRow = height(TextRole::Small) + 6;
    l.axis = {0, y, l.width, majorRow + minorRow};
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
    y = l.axis.Bottom() + 4;

    for (std::size_t i = 0; i < t.lanes.size(); ++i) {
        if (i > 0 && t.lanes[i].run != t.lanes[i - 1].run) {
            l.runSeparators.push_back(y + kRunGap / 2);
            y += kRunGap;
        }
        l.lanes.push_back(PlaceLane(t, t.lanes[i], l, y, text));
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
