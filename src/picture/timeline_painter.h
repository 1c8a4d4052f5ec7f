// The timeline drawn with Qt's painting (Qt Gui only), on any paint device: the window's view,
// an image or an SVG drawing. The window and meridel-list draw the same picture with it.
#pragma once

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QSizeF>

#include "timeline/timeline_layout.h"

class QPainter;
class QPalette;

namespace meridel {

struct TimelineColors {
    QColor background, laneBand, text, mutedText, grid, majorGrid, separator;
    QColor shade[kOrbCount];  // outer, middle, inner
    QColor curve, hit, hitOutline, retrograde, today;
};

// The main window's colours: pale text on its dark violet.
TimelineColors WindowTimelineColors();
// The desktop's colours, from its palette.
TimelineColors DesktopTimelineColors(const QPalette& palette);

struct TimelineFonts {
    QFont title, normal, small;
};

// Arial (or its metric twin) by pixel size, so a picture is the same size on every screen.
TimelineFonts DefaultTimelineFonts();
// The fonts' measures, for the layout.
TextMetrics MetricsOf(const TimelineFonts& fonts);

// Draws what a view of size `view` shows with the picture scrolled by `scroll`: the header stays
// in place, the axis scrolls only sideways and the lane labels only up and down. With no scroll
// and the layout's own size, the whole picture.
void DrawTimeline(QPainter& painter, const TimelineLayout& layout, const TimelineColors& colors,
                  const TimelineFonts& fonts, QPointF scroll, QSizeF view);

}  // namespace meridel
