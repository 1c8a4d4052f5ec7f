// "Show timeline": the runs the output box holds, drawn in the timeline window.
#include "dialogs/dialogs.h"
#include "ui/frmMain.h"
#include "ui/frmTimeline.h"

namespace meridel {

void frmMain::cmdTimeline_Click() {
    // Text typed into an empty box is output without a listing; runs whose text the user deleted
    // are not drawn.
    const std::vector<RunRecord> runs = ShownRuns();
    if (runs.empty()) {
        ActiveDialogs().ShowMessage("The output holds no listing to draw.", MessageIcon::Information, "Show timeline");
        return;
    }
    if (!TimelineWindow) TimelineWindow = new frmTimeline(this);
    TimelineWindow->ShowRuns(runs, session.sky);
}

}  // namespace meridel
