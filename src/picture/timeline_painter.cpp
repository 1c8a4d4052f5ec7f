#include "picture/timeline_painter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPolygonF>
#include <algorithm>
#include <array>
#include <memory>
#include <unordered_map>

namespace meridel {

namespace {

QColor Mix(const QColor& a, const QColor& b, double share) {
    return QColor::fromRgbF(static_cast<float>(a.redF() * (1 - share) + b.redF() * share),
                            static_cast<float>(a.greenF() * (1 - share) + b.greenF() * share),
                            static_cast<float>(a.blueF() * (1 - share) + b.blueF() * share));
}

QRectF Rect(const Box& b) { return {b.left, b.top, b.width, b.height}; }

void Text(QPainter& p, const PlacedText& t, const QFont& font, const QColor& color) {
    p.setFont(font);
    p.setPen(color);
    p.drawText(QRectF(t.box.left, t.box.top, t.box.width + 4, t.box.height), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromStdString(t.text));
}

QPolygonF Diamond(double x, double y, double r) {
    return QPolygonF({QPointF(x, y - r), QPointF(x + r, y), QPointF(x, y + r), QPointF(x - r, y)});
}

// A small arrow at a lane's edge where an orb goes on beyond the period.
void OpenEdge(QPainter& p, double x, double y, bool pointsLeft, const QColor& color) {
    const double d = pointsLeft ? 1 : -1;
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPolygon(QPolygonF({QPointF(x + d * 2, y), QPointF(x + d * 7, y - 3.5), QPointF(x + d * 7, y + 3.5)}));
}

void Swatch(QPainter& p, const LegendItem& item, const TimelineColors& c) {
    const QRectF r = Rect(item.swatch);
    p.setRenderHint(QPainter::Antialiasing, true);
    switch (item.kind) {
        case LegendKind::OuterOrb:
        case LegendKind::MiddleOrb:
        case LegendKind::InnerOrb:
            p.fillRect(r, c.shade[static_cast<int>(item.kind) - static_cast<int>(LegendKind::OuterOrb)]);
            break;
        case LegendKind::Curve:
            p.setPen(QPen(c.curve, 1.6));
            p.drawLine(QPointF(r.left(), r.bottom()), QPointF(r.right(), r.top()));
            break;
        case LegendKind::ExactHit:
            p.setPen(QPen(c.hitOutline, 1));
            p.setBrush(c.hit);
            p.drawPolygon(Diamond(r.center().x(), r.center().y(), 5));
            break;
        case LegendKind::Closest:
            p.setPen(QPen(c.hit, 1.5));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(r.center(), 3.5, 3.5);
            break;
        case LegendKind::Retrograde:
            p.fillRect(QRectF(r.left(), r.center().y() - 1.5, r.width(), 3), c.retrograde);
            break;
        case LegendKind::Today:
            p.setPen(QPen(c.today, 2));
            p.drawLine(QPointF(r.center().x(), r.top() - 2), QPointF(r.center().x(), r.bottom() + 2));
            break;
    }
}

void DrawLane(QPainter& p, const LaneGeometry& g, const TimelineColors& c, const TimelineFonts& f) {
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int o = 0; o < kOrbCount; ++o) {
        for (const ShadeBox& s : g.shades[o]) p.fillRect(Rect(s.box), c.shade[o]);
    }
    for (const Box& r : g.retrograde) p.fillRect(Rect(r), c.retrograde);

    p.setRenderHint(QPainter::Antialiasing, true);
    for (const auto& shades : g.shades) {
        for (const ShadeBox& s : shades) {
            if (s.openStart) OpenEdge(p, s.box.left, s.edgeY, true, c.text);
            if (s.openEnd) OpenEdge(p, s.box.Right(), s.edgeY, false, c.text);
        }
    }
    p.save();
    // The line may reach a pixel above exact; below the outer orb it is cut off.
    p.setClipRect(QRectF(g.plot.left, g.plot.top - 2, g.plot.width, g.plot.height + 2), Qt::IntersectClip);
    p.setPen(QPen(c.curve, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    // In pieces: a long line zigzagging within its columns when zoomed out takes the stroker
    // far longer whole than in short runs.
    constexpr std::size_t kPiece = 32;
    for (const auto& line : g.curve) {
        // Each piece begins where the last ended.
        for (std::size_t from = 0; from < line.size(); from += kPiece) {
            QPolygonF polygon;
            const std::size_t to = std::min(line.size(), from + kPiece + 1);
            if (from > 0 && to - from < 2) break;
            for (std::size_t k = from; k < to; ++k) polygon << QPointF(line[k].x, line[k].y);
            p.drawPolyline(polygon);
        }
    }
    p.restore();
    for (const HitMarker& h : g.hits) {
        if (h.exact) {
            p.setPen(QPen(c.hitOutline, 1));
            p.setBrush(c.hit);
            p.drawPolygon(Diamond(h.x, h.y, 4.5));
        } else {
            p.setPen(QPen(c.hit, 1.5));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QPointF(h.x, h.y), 3.5, 3.5);
        }
        if (h.label) Text(p, *h.label, f.small, h.exact ? c.text : c.mutedText);
    }
}

}  // namespace

TimelineColors WindowTimelineColors() {
    TimelineColors c;
    c.background = QColor(47, 8, 91);  // the window's dark violet
    c.laneBand = QColor(58, 20, 104);
    c.text = QColor(213, 237, 248);    // its pale blue
    c.mutedText = QColor(170, 180, 215);
    c.grid = QColor(84, 52, 126);
    c.majorGrid = QColor(128, 100, 170);
    c.separator = QColor(150, 130, 190);
    c.shade[kOuterOrb] = QColor(78, 58, 140);
    c.shade[kMiddleOrb] = QColor(104, 92, 184);
    c.shade[kInnerOrb] = QColor(140, 136, 228);
    c.curve = QColor(255, 255, 255);
    c.hit = QColor(255, 224, 0);  // the running date's yellow
    c.hitOutline = QColor(47, 8, 91);
    c.retrograde = QColor(255, 118, 118);
    c.today = QColor(110, 240, 150);
    return c;
}

TimelineColors DesktopTimelineColors(const QPalette& palette) {
    TimelineColors c;
    c.background = palette.color(QPalette::Base);
    c.text = palette.color(QPalette::Text);
    const bool dark = c.background.lightnessF() < 0.5;
    const QColor accent = palette.color(QPalette::Highlight);
    c.laneBand = Mix(c.background, c.text, 0.04);
    c.mutedText = Mix(c.background, c.text, 0.7);
    c.grid = Mix(c.background, c.text, 0.12);
    c.majorGrid = Mix(c.background, c.text, 0.3);
    c.separator = Mix(c.background, c.text, 0.45);
    c.shade[kOuterOrb] = Mix(c.background, accent, 0.18);
    c.shade[kMiddleOrb] = Mix(c.background, accent, 0.36);
    c.shade[kInnerOrb] = Mix(c.background, accent, 0.6);
    c.curve = c.text;
    c.hit = dark ? QColor(255, 210, 0) : QColor(235, 140, 0);
    c.hitOutline = c.text;
    c.retrograde = dark ? QColor(255, 118, 118) : QColor(200, 30, 30);
    c.today = dark ? QColor(110, 240, 150) : QColor(0, 150, 60);
    return c;
}

TimelineFonts DefaultTimelineFonts() {
    TimelineFonts f;
    f.normal = QFont(QStringLiteral("Arial"));
    f.normal.setPixelSize(12);
    f.small = f.normal;
    f.small.setPixelSize(11);
    f.title = f.normal;
    f.title.setPixelSize(15);
    f.title.setBold(true);
    return f;
}

TextMetrics MetricsOf(const TimelineFonts& fonts) {
    TextMetrics m;
    // Each text is measured once: a zoom or scroll step lays out every lane's labels again.
    auto known = std::make_shared<std::array<std::unordered_map<std::string, double>, 3>>();
    m.width = [fonts, known](const std::string& text, TextRole role) {
        auto& widths = (*known)[static_cast<std::size_t>(role)];
        const auto found = widths.find(text);
        if (found != widths.end()) return found->second;
        const QFont& font = role == TextRole::Title ? fonts.title : role == TextRole::Normal ? fonts.normal : fonts.small;
        const double width = QFontMetricsF(font).horizontalAdvance(QString::fromStdString(text));
        widths.emplace(text, width);
        return width;
    };
    m.lineHeight = {QFontMetricsF(fonts.title).height(), QFontMetricsF(fonts.normal).height(),
                    QFontMetricsF(fonts.small).height()};
    return m;
}

void DrawTimeline(QPainter& p, const TimelineLayout& l, const TimelineColors& c, const TimelineFonts& f,
                  QPointF scroll, QSizeF view) {
    const double w = view.width(), h = view.height();
    const double top = l.axis.Bottom();  // where the lanes begin, below everything that stays
    p.fillRect(QRectF(0, 0, w, h), c.background);
    const double firstY = scroll.y() + top, lastY = scroll.y() + h;
    auto visible = [&](const Box& row) { return row.Bottom() >= firstY && row.top <= lastY; };

    // The lanes, scrolled both ways, right of the gutter.
    p.save();
    p.setClipRect(QRectF(l.gutter, top, w - l.gutter, h - top));
    p.translate(-scroll.x(), -scroll.y());
    for (std::size_t i = 1; i < l.lanes.size(); i += 2) {
        if (visible(l.lanes[i].row)) p.fillRect(Rect(l.lanes[i].row), c.laneBand);
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(c.grid, 1));
    for (double x : l.minorTicks) p.drawLine(QPointF(x, top), QPointF(x, l.height));
    p.setPen(QPen(c.majorGrid, 1));
    for (double x : l.majorTicks) p.drawLine(QPointF(x, top), QPointF(x, l.height));
    for (const LaneGeometry& lane : l.lanes) {
        if (visible(lane.row)) DrawLane(p, lane, c, f);
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(c.separator, 1));
    for (double y : l.runSeparators) p.drawLine(QPointF(l.gutter, y), QPointF(l.width, y));
    if (l.nowX) {
        p.setPen(QPen(c.today, 2));
        p.drawLine(QPointF(*l.nowX, top), QPointF(*l.nowX, l.height));
    }
    if (l.emptyNote) Text(p, *l.emptyNote, f.normal, c.mutedText);
    p.restore();

    // The lane labels, scrolled up and down only.
    p.save();
    p.setClipRect(QRectF(0, top, l.gutter, h - top));
    p.translate(0, -scroll.y());
    for (std::size_t i = 0; i < l.lanes.size(); ++i) {
        const LaneGeometry& lane = l.lanes[i];
        if (!visible(lane.row)) continue;
        if (i % 2 == 1) p.fillRect(QRectF(0, lane.row.top, l.gutter, lane.row.height), c.laneBand);
        Text(p, lane.label, f.normal, c.text);
        if (lane.hiddenLabels) Text(p, *lane.hiddenLabels, f.small, c.mutedText);
    }
    p.setPen(QPen(c.separator, 1));
    for (double y : l.runSeparators) p.drawLine(QPointF(0, y), QPointF(l.gutter, y));
    for (const PlacedText& heading : l.groupHeadings) Text(p, heading, f.title, c.text);
    p.restore();

    // The axis, scrolled sideways only.
    p.save();
    p.setClipRect(QRectF(l.gutter, l.axis.top, w - l.gutter, l.axis.height));
    p.translate(-scroll.x(), 0);
    p.setPen(QPen(c.majorGrid, 1));
    for (double x : l.majorTicks) p.drawLine(QPointF(x, l.axis.top), QPointF(x, l.axis.Bottom()));
    p.setPen(QPen(c.grid, 1));
    for (double x : l.minorTicks) p.drawLine(QPointF(x, l.axis.top + l.axis.height / 2), QPointF(x, l.axis.Bottom()));
    for (const PlacedText& t : l.majorLabels) Text(p, t, f.small, c.text);
    for (const PlacedText& t : l.minorLabels) Text(p, t, f.small, c.mutedText);
    // A chart's stations, lunations and eclipses: a tick up from the axis's foot, and its label.
    p.setPen(QPen(c.today, 1));
    for (const AxisMark& mark : l.skyMarks) p.drawLine(QPointF(mark.x, l.skyRowTop), QPointF(mark.x, l.axis.Bottom()));
    for (const AxisMark& mark : l.skyMarks) {
        if (mark.label) Text(p, *mark.label, f.small, c.text);
    }
    if (l.nowX) {
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(Qt::NoPen);
        p.setBrush(c.today);
        const double x = *l.nowX, y = l.axis.Bottom();
        // Small enough to stay under the tick labels' text.
        p.drawPolygon(QPolygonF({QPointF(x, y), QPointF(x - 4, y - 4), QPointF(x + 4, y - 4)}));
    }
    p.restore();

    // The header, which never moves, and the lines that frame the lanes.
    p.save();
    p.setClipRect(QRectF(0, 0, w, l.axis.top));
    Text(p, l.title, f.title, c.text);
    Text(p, l.subtitle, f.normal, c.mutedText);
    for (const PlacedText& note : l.notes) Text(p, note, f.normal, c.text);
    for (const LegendItem& item : l.legend) {
        Swatch(p, item, c);
        Text(p, item.text, f.small, c.text);
    }
    p.restore();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(c.separator, 1));
    p.drawLine(QPointF(0, top), QPointF(w, top));
    p.drawLine(QPointF(l.gutter, l.axis.top), QPointF(l.gutter, h));
}

}  // namespace meridel
