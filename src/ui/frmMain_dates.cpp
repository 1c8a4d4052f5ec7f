// Date entry: cleaning what is typed, the dates in words beside each row, and the date checks
// of a run and of the search. Rows: 0 start, 1 end, 2 birth.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <string>

#include "calendar/date_text.h"
#include "calendar/str_proc.h"
#include "dialogs/dialogs.h"
#include "ui/frmMain.h"

namespace meridel {

namespace {

constexpr std::int32_t kFirstDay = 1721426;       // 1 January 1 CE
constexpr std::int32_t kFirstBirthDay = 2305448;  // 1 January 1600
constexpr std::int32_t kLastDay = 2743738;        // 31 December 2799

// Larger than any year, month or day the boxes can hold when typed, and small enough that the
// day number of such a date stays within 32 bits.
constexpr std::int32_t kNumberCap = 999999;

std::string Text(const QLineEdit* box) { return box->text().toStdString(); }

void Clean(QLineEdit* box) {
    const QString cleaned = QString::fromStdString(CleanNumberText(Text(box), false, false));
    if (cleaned != box->text()) box->setText(cleaned);
}

// The value of the box's leading decimal digits, 0 when there are none.
std::int32_t BoxNumber(const QLineEdit* box) {
    std::int32_t value = 0;
    for (QChar c : box->text()) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) break;
        value = std::min(kNumberCap, value * 10 + (c.unicode() - '0'));
    }
    return value;
}

// Text typed into an editable list that chose none of its entries.
bool TypedTextNamesNoEntry(const QComboBox* list) {
    return list->currentIndex() < 0 && !list->currentText().trimmed().isEmpty();
}

// "September 22, 2022 CE".
QString DateInWords(const EuroDate& date) {
    return QStringLiteral("%1 %2, %3 CE")
        .arg(QString::fromStdString(MonthNames[date.Month]))
        .arg(date.Day)
        .arg(date.Year);
}

void ShowDate(QLabel* label, const EuroDate& date) {
    label->setText(date.Valid ? DateInWords(date) : QStringLiteral("invalid date"));
    label->repaint();
}

}  // namespace

void frmMain::UpdateDateLabel(int row) {
    Clean(txbYear[row]);
    Clean(txbMonth[row]);
    Clean(txbDay[row]);
    if (txbYear[row]->text().isEmpty() || txbMonth[row]->text().isEmpty() || txbDay[row]->text().isEmpty()) {
        lblDate[row]->clear();
        return;
    }
    EntryDate.Year = BoxNumber(txbYear[row]);
    EntryDate.Month = BoxNumber(txbMonth[row]);
    EntryDate.Day = BoxNumber(txbDay[row]);
    request.RequestDays[row] = DayNumberFromDate(EntryDate);
    ShowDate(lblDate[row], EntryDate);
}

void frmMain::txbYear_LostFocus(int row) {
    const QString trimmed = QString::fromStdString(TrimLeadingChars(Text(txbYear[row]), "0"));
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

bool frmMain::CheckDateFieldsFilled(int row) {
    const std::string which = row == 0 ? "start" : "end";
    const std::string title = cmdStart->text().toStdString();
    const std::pair<QLineEdit*, const char*> fields[3] = {
        {txbYear[row], " year."}, {txbMonth[row], " month."}, {txbDay[row], " day."}};
    for (const auto& [box, what] : fields) {
        Clean(box);
        if (box->text().isEmpty()) {
            dialogs().message("Please specify " + which + what, MessageIcon::None, title);
            return false;
        }
    }
    return true;
}

bool frmMain::CheckDate(int row) {
    lblDate[row]->clear();
    EuroDate date;
    date.Calendar = kGregorianCalendar;
    date.Year = BoxNumber(txbYear[row]);
    date.Month = BoxNumber(txbMonth[row]);
    date.Day = BoxNumber(txbDay[row]);
    request.RequestDays[row] = DayNumberFromDate(date);
    if (!date.Valid) {
        lblDate[row]->setText(QStringLiteral("invalid date"));
        const std::string which = row == 0 ? "start" : "end";
        dialogs().message("The " + which + " date is invalid.", MessageIcon::Information, "Invalid input");
        return false;
    }
    ShowDate(lblDate[row], date);
    return CheckDateRange(row);
}

bool frmMain::CheckBirthData(bool skipStartComparison) {
    const std::string title = cmdStart->text().toStdString();
    lblDate[2]->clear();
    EntryDate.Year = BoxNumber(txbYear[2]);
    EntryDate.Month = BoxNumber(txbMonth[2]);
    EntryDate.Day = BoxNumber(txbDay[2]);
    request.RequestDays[2] = DayNumberFromDate(EntryDate);
    if (!EntryDate.Valid) {
        lblDate[2]->setText(QStringLiteral("invalid date"));
        dialogs().message("The birth date is invalid.", MessageIcon::Information, title);
        return false;
    }
    ShowDate(lblDate[2], EntryDate);
    if (!CheckDateRange(2)) return false;
    if (!skipStartComparison && request.RequestDays[2] > request.RequestDays[0]) {
        dialogs().message("The birth date must not be later than the start date.", MessageIcon::Information, title);
        return false;
    }
    // Typed text that names no entry is refused as typed: a guess would move the natal position
    // without a word. A list at -1 with no text is as good as its blank entry.
    if (TypedTextNamesNoEntry(cboHour)) {
        dialogs().message("The birth hour must be 00 to 23.", MessageIcon::Information, title);
        return false;
    }
    if (TypedTextNamesNoEntry(cboMinute)) {
        dialogs().message("The birth minute must be 00 to 55 in steps of 5.", MessageIcon::Information, title);
        return false;
    }
    if (cboHour->currentIndex() <= 0) {
        dialogs().message("Please specify the birth time, or use 12:00 if not known.", MessageIcon::None, title);
        cboHour->setCurrentIndex(13);
        cboMinute->setCurrentIndex(1);
        return false;
    }
    if (cboTimezone[1]->currentIndex() <= 0) {
        dialogs().message("Please specify the timezone, or use GMT if not known.", MessageIcon::None, title);
        cboTimezone[1]->setCurrentIndex(24);
        return false;
    }
    if (cboMinute->currentIndex() <= 0) {
        cboMinute->setCurrentIndex(1);
        cboMinute->repaint();
    }
    // A number typed as "7" shows as the entry it chose, "07", as the listing's heading will.
    for (QComboBox* list : {cboHour, cboMinute}) {
        const QString entry = list->itemText(list->currentIndex());
        if (list->currentText() != entry) list->setEditText(entry);
    }
    return true;
}

bool frmMain::CheckDateRange(int row) {
    const std::string title = cmdStart->text().toStdString();
    const std::int32_t day = request.RequestDays[row];
    if (row < 2 && day < kFirstDay) {
        dialogs().message(std::string(row == 0 ? "Start" : "End") + " date is too early", MessageIcon::Information,
                          title);
        return false;
    }
    if (row == 2 && day < kFirstBirthDay) {
        dialogs().message("Birth date is too early", MessageIcon::Information, title);
        return false;
    }
    if (day > kLastDay) {
        dialogs().message("End date is too late", MessageIcon::Information, title);
        return false;
    }
    return true;
}

}  // namespace meridel
