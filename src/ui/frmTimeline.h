// frmTimeline: the transit timeline of every run the output box holds, opened by the main
// window's "Show timeline" button. It shows the runs as they were when it was opened (the button
// draws them afresh), zooms and scrolls in time, switches between the main window's colours and
// the desktop's, and saves the picture as PNG or SVG.
#pragma once

#include <QWidget>
#include <cstdint>
#include <set>
#include <vector>

#include "ephemeris/sky.h"
#include "timeline/timeline.h"
#include "transits/transit_results.h"

class QCheckBox;
class QHBoxLayout;
class QLabel;
class QPushButton;

namespace meridel {

class TimelineView;

class frmTimeline : public QWidget {
public:
    explicit frmTimeline(QWidget* parent = nullptr);

    // Draws these runs (their curves from the sky), the whole period in view, and brings the
    // window up.
    void ShowRuns(const std::vector<RunRecord>& runs, const Sky& sky);
    // As ShowRuns, the lanes in groups by moving planet (a whole chart), with a button per group
    // above the picture that folds its lanes away and opens them again.
    void ShowGroupedRuns(const std::vector<RunRecord>& runs, const Sky& sky, const SkyOwnEvents& events);
    std::vector<QPushButton*> cmdGroups;  // checked: the group's lanes are shown

    TimelineView* picture;
    QPushButton* cmdZoomIn;
    QPushButton* cmdZoomOut;
    QPushButton* cmdWholePeriod;
    QCheckBox* chkWindowColours;  // ticked: the main window's colours; else the desktop's
    QPushButton* cmdSavePicture;
    QPushButton* cmdClose;
    QLabel* lblPointer;           // what lies under the pointer, or how to move about

    // Asks for a file and writes the whole picture there, as PNG or SVG by its extension (PNG
    // when it has none), at the zoom shown unless that would make it wider than kWidestPicture.
    void cmdSavePicture_Click();
    void chkWindowColours_Click();

    static constexpr double kWidestPicture = 16000;

private:
    void Present(Timeline timeline);
    void ShowGroupButtons();

    std::string lastPicturePath_;
    QHBoxLayout* groupRow_;
    Timeline grouped_;  // every lane of the grouped runs
    std::set<std::int16_t> folded_;
};

}  // namespace meridel
