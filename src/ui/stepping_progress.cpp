#include "ui/stepping_progress.h"

#include <QLabel>

#include "calendar/date_text.h"
#include "ui/window_style.h"

namespace meridel {

namespace {

constexpr qint64 kProgressIntervalMs = 200;

}  // namespace

SteppingProgress::SteppingProgress(QLabel* label) : label_(label) {
    SetControlForeColor(label_, ColorFromWindowsValue(kRunningDateColor));
    label_->show();
}

void SteppingProgress::Show(std::int32_t day) {
    if (shown_.isValid() && shown_.elapsed() < kProgressIntervalMs) return;
    label_->setText(QString::fromStdString(ShortDateText(day, 2, "-", ",", false)));
    label_->repaint();
    shown_.start();
}

}  // namespace meridel
