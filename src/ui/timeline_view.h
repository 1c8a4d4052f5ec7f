// The timeline's picture in a window: scrolls both ways (the header, axis and lane labels stay
// in view), zooms in time around the pointer or the view's middle, names the exact hit under
// the pointer in a tooltip and says what lies under it.
//
// Wheel: up and down the lanes; with Shift, along time; with Ctrl, zoom. Keys: + and - zoom,
// 0 shows the whole period, Left and Right move along time, Home and End go to its ends, Up,
// Down, Page Up and Page Down move through the lanes. Dragging moves the picture.
#pragma once

#include <QAbstractScrollArea>
#include <QPoint>
#include <optional>

#include "picture/timeline_painter.h"
#include "timeline/timeline.h"

namespace meridel {

class TimelineView : public QAbstractScrollArea {
    Q_OBJECT

public:
    // The closest the picture zooms in: a day this many pixels wide.
    static constexpr double kMostPixelsPerDay = 480;

    explicit TimelineView(QWidget* parent = nullptr);

    // Shows this timeline, its whole period in view.
    void SetTimeline(Timeline timeline);
    void SetColors(const TimelineColors& colors);

    // What the view shows, laid out: the details (ticks, shades, curves, markers) only about the
    // part in view, so that a step costs the same on a listing of any length.
    const TimelineLayout& Layout() const { return layout_; }
    // The whole picture at the scale shown, or fitted to `widest` pixels when it would be wider.
    TimelineLayout WholePicture(double widest) const;
    const TimelineColors& Colors() const { return colors_; }
    const TimelineFonts& Fonts() const { return fonts_; }
    // Where the view stands in the picture: its left and top edges.
    QPoint ScrollPosition() const;

    // Zooms by `factor`, keeping the moment at view x `anchor` (the middle by default) in place;
    // never out beyond the whole period or in beyond kMostPixelsPerDay.
    void ZoomBy(double factor, std::optional<double> anchor = std::nullopt);
    void ShowWholePeriod();
    // Moves along time by `pixels` (right for positive).
    void MoveInTime(int pixels);

    // The exact hit whose marker is under a point of the view, if any.
    const HitMarker* HitAt(QPoint viewPoint) const;
    // What is under a point of the view: the date, and the lane's deviation there.
    QString DescribeAt(QPoint viewPoint) const;

signals:
    void PointerMoved(const QString& description);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // Lays out at this scale (ignored while the whole period is fitted) around the view standing
    // at scrollX, and sets the scroll bars to it.
    void LayOut(double pixelsPerDay, int scrollX);
    void UpdateScrollBars();
    double FitScale() const;
    // A view point as a point of the whole picture.
    QPointF PicturePoint(QPoint viewPoint) const;

    Timeline timeline_;
    TimelineLayout layout_;
    TimelineColors colors_;
    TimelineFonts fonts_;
    TextMetrics metrics_;
    bool fitted_ = true;
    bool laying_ = false;  // LayOut sets the scroll bars itself
    QPoint dragFrom_;
};

}  // namespace meridel
