// A click on Search: the request layer's checks and stepping to the next transit of the chosen
// aspect, with the running date as progress, the scan of exactly that stretch, and the date
// fields moved to it.
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>

#include "calendar/date_text.h"
#include "request/search_request.h"
#include "ui/frmMain.h"
#include "ui/window_style.h"

namespace meridel {

namespace {

// The stepping tests one day in a few microseconds; a repaint of the label costs far more. Over
// hundreds of thousands of days the label is therefore repainted at most this often, and the
// stepping never yields to the event loop.
constexpr qint64 kProgressIntervalMs = 200;

class SteppingProgress {
public:
    explicit SteppingProgress(QLabel* label) : label_(label) {
        SetControlForeColor(label_, ColorFromWindowsValue(kRunningDateColor));
        label_->show();
    }

    void show(std::int32_t day) {
        if (shown_.isValid() && shown_.elapsed() < kProgressIntervalMs) return;
        label_->setText(QString::fromStdString(ShortDateText(day, 2, "-", ",", false)));
        label_->repaint();
        shown_.start();
    }

private:
    QLabel* label_;
    QElapsedTimer shown_;
};

}  // namespace

void frmMain::cmdSearch_Click() {
    const RequestInput input = ReadRequestInput();
    const SearchCheck check = CheckSearch(input, session);
    if (!Passed(check.updates, check.refusal)) return;
    // The checks may have chosen minute 00 for a blank minute: read the controls again.
    const RequestInput checked = ReadRequestInput();

    SteppingProgress progress(lblShortDate);
    const SearchStretch stretch =
        FindNextTransit(checked, session, check.aspect, [&progress](std::int32_t day) { progress.show(day); });
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
