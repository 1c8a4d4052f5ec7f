// A click on Search: the request layer's checks and stepping to the next transit of the chosen
// aspect, with the running date as progress, the scan of exactly that stretch, and the date
// fields moved to it.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "request/search_request.h"
#include "ui/frmMain.h"
#include "ui/stepping_progress.h"

namespace meridel {

void frmMain::cmdSearch_Click() {
    const RequestInput input = ReadRequestInput();
    const SearchCheck check = CheckSearch(input, session);
    if (!Passed(check.updates, check.refusal)) return;
    // The checks may have chosen minute 00 for a blank minute: read the controls again.
    const RequestInput checked = ReadRequestInput();

    SteppingProgress progress(lblShortDate);
    const SearchStretch stretch =
        FindNextTransit(checked, session, check.aspect, [&progress](std::int32_t day) { progress.Show(day); });
    if (stretch.refusal) {
        lblShortDate->hide();
        Passed({}, stretch.refusal);
        return;
    }
    // The listing goes to the output box, which the compact window does not show.
    SetFormHeight(intHeight);
    ScanTransits(*stretch.run);
    if (!chkKeepDates->isChecked() && AnyTransit(scan)) {
        ApplyUpdates(MovedDates(session.request.StartDay, session.request.EndDay));
    }
}

}  // namespace meridel
