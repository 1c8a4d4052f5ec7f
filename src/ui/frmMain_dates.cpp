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

void frmMain::UpdateDateLabel(int row) { ShowDateWords(row, true); }

void frmMain::ShowDateWords(int row, bool cleanBoxes) {
    const DateRowView view =
        ViewDateRow({txbYear[row]->text().toStdString(), txbMonth[row]->text().toStdString(), txbDay[row]->text().toStdString()});
    if (cleanBoxes) SetDateBoxes(row, view.cleaned);
    SetDateWords(row, view.label);
}

void frmMain::SetDateBoxes(int row, const DateFields& fields) {
    for (const auto& [box, text] : {std::pair{txbYear[row], fields.year}, std::pair{txbMonth[row], fields.month},
                                    std::pair{txbDay[row], fields.day}}) {
        const QString cleaned = QString::fromStdString(text);
        if (box->text() != cleaned) box->setText(cleaned);
    }
}

void frmMain::SetDateWords(int row, const std::string& words) {
    lblDate[row]->setText(QString::fromStdString(words));
    lblDate[row]->repaint();
}

void frmMain::txbYear_LostFocus(int row) {
    const QString trimmed = QString::fromStdString(TrimLeadingChars(txbYear[row]->text().toStdString(), "0"));
    if (trimmed != txbYear[row]->text()) txbYear[row]->setText(trimmed);
    if (trimmed.startsWith(QLatin1Char('-'))) {
        ActiveDialogs().ShowMessage("Year number must be positive.", MessageIcon::Information, "Invalid year");
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
