#include "ui/timeline_view.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "calendar/date_text.h"
#include "transits/orb_geometry.h"

namespace meridel {

namespace {

constexpr double kZoomStep = 1.25;
constexpr double kHitReach = 6;  // pixels around a marker that name it

}  // namespace

TimelineView::TimelineView(QWidget* parent)
    : QAbstractScrollArea(parent), colors_(WindowTimelineColors()), fonts_(DefaultTimelineFonts()),
      metrics_(MetricsOf(fonts_)) {
    setObjectName(QStringLiteral("picture"));
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void TimelineView::SetTimeline(Timeline timeline) {
    timeline_ = std::move(timeline);
    ShowWholePeriod();
    verticalScrollBar()->setValue(0);
}

void TimelineView::SetColors(const TimelineColors& colors) {
    colors_ = colors;
    viewport()->update();
}

QPoint TimelineView::ScrollPosition() const { return {horizontalScrollBar()->value(), verticalScrollBar()->value()}; }

double TimelineView::FitScale() const { return FitPixelsPerDay(timeline_, viewport()->width(), metrics_); }

void TimelineView::LayOut(double pixelsPerDay, int scrollX) {
    const int view = viewport()->width();
    LayoutOptions options;
    options.pixelsPerDay = fitted_ ? 0 : pixelsPerDay;
    options.width = view;
    options.text = metrics_;
    // A view's width on either side too, so that small moves need no new layout.
    options.visibleLeft = scrollX - view;
    options.visibleRight = scrollX + 2.0 * view;
    layout_ = LayOutTimeline(timeline_, options);
    // Past the picture's right end: the view stands at its end.
    const int last = std::max(0, static_cast<int>(std::ceil(layout_.width)) - view);
    if (scrollX > last) {
        scrollX = last;
        options.visibleLeft = scrollX - view;
        options.visibleRight = scrollX + 2.0 * view;
        layout_ = LayOutTimeline(timeline_, options);
    }
    laying_ = true;
    UpdateScrollBars();
    horizontalScrollBar()->setValue(scrollX);
    laying_ = false;
    viewport()->update();
}

TimelineLayout TimelineView::WholePicture(double widest) const {
    LayoutOptions options;
    options.text = metrics_;
    if (layout_.width > widest) {
        options.width = widest;
    } else {
        options.pixelsPerDay = fitted_ ? 0 : layout_.pixelsPerDay;
        options.width = layout_.width;
    }
    return LayOutTimeline(timeline_, options);
}

void TimelineView::UpdateScrollBars() {
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, static_cast<int>(std::ceil(layout_.width)) - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
    horizontalScrollBar()->setSingleStep(std::max(1, view.width() / 20));
    verticalScrollBar()->setRange(0, std::max(0, static_cast<int>(std::ceil(layout_.height)) - view.height()));
    verticalScrollBar()->setPageStep(view.height());
    verticalScrollBar()->setSingleStep(layout_.lanes.empty() ? 20 : static_cast<int>(layout_.lanes[0].row.height));
}

void TimelineView::ShowWholePeriod() {
    fitted_ = true;
    LayOut(0, 0);
}

void TimelineView::ZoomBy(double factor, std::optional<double> anchor) {
    const double x = anchor.value_or((layout_.gutter + viewport()->width()) / 2.0);
    const double moment = layout_.MomentAt(x + horizontalScrollBar()->value());
    const double fit = FitScale();
    const double scale = std::clamp(layout_.pixelsPerDay * factor, fit, std::max(fit, kMostPixelsPerDay));
    fitted_ = scale <= fit;
    // Where the moment under the anchor comes to stand at the new scale: the same x in the view.
    const double target = layout_.gutter + (moment - timeline_.start) * scale - x;
    LayOut(scale, fitted_ ? 0 : static_cast<int>(std::lround(std::clamp(target, 0.0, 2e9))));
}

void TimelineView::MoveInTime(int pixels) { horizontalScrollBar()->setValue(horizontalScrollBar()->value() + pixels); }

QPointF TimelineView::PicturePoint(QPoint p) const {
    return {p.x() + static_cast<double>(horizontalScrollBar()->value()),
            p.y() + static_cast<double>(verticalScrollBar()->value())};
}

const HitMarker* TimelineView::HitAt(QPoint viewPoint) const {
    if (viewPoint.x() < layout_.gutter || viewPoint.y() < layout_.axis.Bottom()) return nullptr;
    const QPointF p = PicturePoint(viewPoint);
    const HitMarker* nearest = nullptr;
    double best = kHitReach;
    for (const LaneGeometry& lane : layout_.lanes) {
        if (p.y() < lane.row.top || p.y() >= lane.row.Bottom()) continue;
        for (const HitMarker& hit : lane.hits) {
            const double distance = std::hypot(hit.x - p.x(), hit.y - p.y());
            if (distance <= best) best = distance, nearest = &hit;
        }
    }
    return nearest;
}

QString TimelineView::DescribeAt(QPoint viewPoint) const {
    if (viewPoint.x() < layout_.gutter || viewPoint.y() < layout_.header.Bottom()) return {};
    const QPointF p = PicturePoint(viewPoint);
    const double moment = layout_.MomentAt(p.x());
    if (moment < timeline_.start || moment > timeline_.end) return {};
    const auto day = static_cast<std::int32_t>(std::floor(moment + 0.5 + timeline_.zoneMinutes / 1440.0));
    QString text = QString::fromStdString(ShortDateText(day, 2, "-", ",", false));
    for (std::size_t i = 0; i < layout_.lanes.size(); ++i) {
        const LaneGeometry& g = layout_.lanes[i];
        if (p.y() < g.row.top || p.y() >= g.row.Bottom()) continue;
        text += QStringLiteral("   ") + QString::fromStdString(timeline_.lanes[i].label);
        if (const auto deviation = DeviationOnCurve(timeline_.lanes[i], moment)) {
            text += QStringLiteral(", ") + QString::fromStdString(AngleToDegMinText(*deviation)) +
                    QStringLiteral(" from exact");
        }
    }
    return text;
}

void TimelineView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    DrawTimeline(painter, layout_, colors_, fonts_, QPointF(ScrollPosition()), QSizeF(viewport()->size()));
}

void TimelineView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    LayOut(layout_.pixelsPerDay, horizontalScrollBar()->value());
}

void TimelineView::wheelEvent(QWheelEvent* event) {
    const QPoint delta = event->angleDelta();
    if (event->modifiers() & Qt::ControlModifier) {
        if (delta.y() != 0) ZoomBy(std::pow(kZoomStep, delta.y() / 120.0), event->position().x());
    } else if ((event->modifiers() & Qt::ShiftModifier) || delta.x() != 0) {
        const int steps = delta.x() != 0 ? delta.x() : delta.y();
        MoveInTime(-steps * horizontalScrollBar()->singleStep() / 40);
    } else {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    event->accept();
}

void TimelineView::keyPressEvent(QKeyEvent* event) {
    const int step = std::max(1, (viewport()->width() - static_cast<int>(layout_.gutter)) / 8);
    switch (event->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal: ZoomBy(kZoomStep); break;
        case Qt::Key_Minus: ZoomBy(1 / kZoomStep); break;
        case Qt::Key_0: ShowWholePeriod(); break;
        case Qt::Key_Left: MoveInTime(-step); break;
        case Qt::Key_Right: MoveInTime(step); break;
        case Qt::Key_Home: horizontalScrollBar()->setValue(0); break;
        case Qt::Key_End: horizontalScrollBar()->setValue(horizontalScrollBar()->maximum()); break;
        default: QAbstractScrollArea::keyPressEvent(event); return;
    }
    event->accept();
}

void TimelineView::mousePressEvent(QMouseEvent* event) {
    dragFrom_ = event->position().toPoint();
    setFocus();
}

void TimelineView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->buttons() & Qt::LeftButton) {
        const QPoint moved = at - dragFrom_;
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - moved.x());
        verticalScrollBar()->setValue(verticalScrollBar()->value() - moved.y());
        dragFrom_ = at;
    }
    emit PointerMoved(DescribeAt(at));
}

bool TimelineView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (const HitMarker* hit = HitAt(help->pos())) {
            QToolTip::showText(help->globalPos(), QString::fromStdString(hit->tooltip), viewport());
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void TimelineView::scrollContentsBy(int dx, int) {
    // Moved beyond what was laid out: lay out about the new place.
    const int left = horizontalScrollBar()->value();
    if (dx != 0 && !laying_ && (left < layout_.laidLeft || left + viewport()->width() > layout_.laidRight)) {
        LayOut(layout_.pixelsPerDay, left);
        return;
    }
    viewport()->update();
}

}  // namespace meridel
