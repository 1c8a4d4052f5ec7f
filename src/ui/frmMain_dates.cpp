// Date entry: cleaning what is typed, the dates in words beside each row, and Enter in a date
// box. Rows: 0 start, 1 end, 2 birth. (The date checks of a run and of the search belong to the
// request layer, request/date_checks.h.)
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <string>

#include "request/date_checks.h"
#include "calendar/str_proc.h"
#include "dialogs/dialogs.h"
#include "ui/frmMain.h"

namespace meridel {

void frmMain::UpdateDateLabel(int row) {
    const DateRowView view =
        ViewDateRow({txbYear[row]->text().toStdString(), txbMonth[row]->text().toStdString(), txbDay[row]->text().toStdString()});
    for (const auto& [box, text] : {std::pair{txbYear[row], view.cleaned.year}, std::pair{txbMonth[row], view.cleaned.month},
                                    std::pair{txbDay[row], view.cleaned.day}}) {
        const QString cleaned = QString::fromStdString(text);
        if (box->text() != cleaned) box->setText(cleaned);
    }
    if (view.day) session.request.RequestDays[static_cast<std::size_t>(row)] = *view.day;
    lblDate[row]->setText(QString::fromStdString(view.label));
    lblDate[row]->repaint();
}

void frmMain::ShowDateWords(int row) {
    const DateRowView view = ViewDateRow(
        {txbYear[row]->text().toStdString(), txbMonth[row]->text().toStdString(), txbDay[row]->text().toStdString()});
    lblDate[row]->setText(QString::fromStdString(view.label));
    lblDate[row]->repaint();
}

void frmMain::txbYear_LostFocus(int row) {
    const QString trimmed = QString::fromStdString(TrimLeadingChars(txbYear[row]->text().toStdString(), "0"));
    if (trimmed != txbYear[row]->text()) txbYear[row]->setText(trimmed);
    if (trimmed.startsWith(QLatin1Char('-'))) {
        dialogs().message("Year number must be positive.", MessageIcon::Information, "Invalid year");
        return;
    }
    UpdateDateLabel(row);
}

void frmMain::txbMonth_LostFocus(int row) { UpdateDateLabel(row); }

void frmMain::txbDay_LostFocus(int row) { UpdateDateLabel(row); }

void frmMain::txbYear_KeyUp(int, int keyCode, int) {
    if (blnStartUpCompleted && keyCode == 13 && cmdStart->isEnabled()) cmdStart->click();
}

void frmMain::txbMonth_KeyUp(int row, int keyCode, int shift) { txbYear_KeyUp(row, keyCode, shift); }

void frmMain::txbDay_KeyUp(int row, int keyCode, int shift) { txbYear_KeyUp(row, keyCode, shift); }

}  // namespace meridel
