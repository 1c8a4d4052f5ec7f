// Where each part of the timeline goes, in pixels of the whole picture (the window shows part of
// it): a header with the title, the period, notes and a legend; the time axis; then one lane per
// pair and aspect, each a row of its own with its label in the gutter on the left.
//
// Time runs left to right: x = gutter + (moment - start) * pixelsPerDay. In a lane the plot's top
// edge is exact and its bottom edge the outer orb, so the curve rises towards each exact hit and
// each orb's shade is a box over its days from the top down to that orb's depth; under the plot a
// bar marks where the moving planet is retrograde while a transit lasts. Lanes never overlap, and
// labels never run into each other: the lane labels have a row each, tick labels are spaced by
// their widths, and the labels of exact hits and closest approaches are stacked in up to
// kMostLabelRows rows above the plot; a label that finds no room is counted under the lane's
// label instead ("3 labels not shown"), and its marker still names it on hover.
//
// A long period at a fine scale makes a picture millions of pixels wide: only the part between
// visibleLeft and visibleRight gets its ticks, shades, curves and markers, so that a view lays
// out what it shows, whatever the listing's length.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "timeline/time_ticks.h"
#include "timeline/timeline.h"

namespace meridel {

struct Box {
    double left = 0, top = 0, width = 0, height = 0;
    double Right() const { return left + width; }
    double Bottom() const { return top + height; }
};

struct PlacedText {
    std::string text;
    Box box;  // the text's own extent: its width and its line's height
};

enum class TextRole { Title, Normal, Small };

// What the layout knows of the fonts: a text's width and a line's height, in pixels.
struct TextMetrics {
    std::function<double(const std::string&, TextRole)> width;
    std::array<double, 3> lineHeight{18, 15, 13};  // by TextRole
};

struct LayoutOptions {
    double pixelsPerDay = 0;  // 0: the whole period fits `width`
    double width = 1200;      // the picture's width when fitting
    TextMetrics text;
    // The part of the picture whose details are laid out, in its x; all of it by default.
    double visibleLeft = -1e300, visibleRight = 1e300;
};

// The most rows of mark labels a lane stacks above its plot.
inline constexpr int kMostLabelRows = 3;

struct ShadeBox {
    Box box;
    bool openStart = false, openEnd = false;
    double edgeY = 0;  // where an open side's arrow points from: the middle of this orb's own band
};

struct PicturePoint {
    double x = 0, y = 0;
};

struct HitMarker {
    bool exact = true;                 // an exact hit, or the closest approach of a pass without one
    double x = 0, y = 0;               // the marker's centre: on the plot's top edge, or on the curve
    std::optional<PlacedText> label;   // its date or deviation, when there is room
    std::string tooltip;               // "Jupiter conjunct Saturn exact 2020-12-21 18:21 GMT"
};

struct LaneGeometry {
    Box row;   // the lane across the whole picture
    Box plot;  // from the gutter's edge to the period's end; top exact, bottom the outer orb
    PlacedText label;
    std::optional<PlacedText> hiddenLabels;  // "3 labels not shown", under the label
    std::array<std::vector<ShadeBox>, kOrbCount> shades;  // outer first
    std::vector<HitMarker> hits;
    std::vector<Box> retrograde;
    std::vector<std::vector<PicturePoint>> curve;  // polylines, broken where there is no position
};

enum class LegendKind { OuterOrb, MiddleOrb, InnerOrb, Curve, ExactHit, Closest, Retrograde, Today };

struct LegendItem {
    LegendKind kind;
    Box swatch;
    PlacedText text;
};

// A mark of the sky on the axis's third row, with its label where there is room.
struct AxisMark {
    double x = 0;
    std::optional<PlacedText> label;
    std::string tooltip;
};

struct TimelineLayout {
    double width = 0, height = 0;
    double start = 0, pixelsPerDay = 1;
    double gutter = 0;  // the lane labels' column; time begins at its right edge
    Box header;         // title, period and legend, above the axis
    Box axis;           // the two rows of tick labels, and a third for the sky's marks of a chart
    PlacedText title, subtitle;
    std::vector<PlacedText> notes;
    std::vector<LegendItem> legend;
    std::vector<double> majorTicks, minorTicks;  // x
    std::vector<PlacedText> majorLabels, minorLabels;
    std::vector<LaneGeometry> lanes;  // as Timeline::lanes
    std::vector<double> runSeparators;  // y of a line between the lanes of two runs
    std::vector<AxisMark> skyMarks;     // Timeline::skyMarks within the part laid out
    double skyRowTop = 0;               // where the axis's row of sky marks begins
    std::vector<PlacedText> groupHeadings;  // a chart's moving planets, above their lanes, in the gutter
    std::optional<double> nowX;
    std::optional<PlacedText> emptyNote;  // when there is no lane
    double laidLeft = 0, laidRight = 0;   // the x between which details were laid out

    double X(double moment) const { return gutter + (moment - start) * pixelsPerDay; }
    double MomentAt(double x) const { return start + (x - gutter) / pixelsPerDay; }
};

// The scale at which the period fills `width` beside the lane labels.
double FitPixelsPerDay(const Timeline& timeline, double width, const TextMetrics& text);

TimelineLayout LayOutTimeline(const Timeline& timeline, const LayoutOptions& options);

// The tallest a picture of up to `runs` runs can be, whatever they list: each has at most one
// lane per aspect, each lane at most kMostLabelRows rows of labels. Known before the runs.
double TallestPicture(std::size_t runs, const TextMetrics& text);

}  // namespace meridel
