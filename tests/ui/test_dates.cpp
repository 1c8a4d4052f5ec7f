#include <QSignalSpy>
#include <QTest>

#include "window_fixture.h"

namespace meridel {
namespace {

using Dates = WindowTest;

TEST_F(Dates, LeavingABoxCleansItAndShowsTheDate) {
    frmMain& w = Start();
    w.txbYear[0]->setText("0042");
    LeaveBox(w.txbYear[0]);
    EXPECT_EQ(w.txbYear[0]->text(), "42");
    EXPECT_EQ(w.lblDate[0]->text(), "January 1, 42 CE");
    w.txbDay[0]->setText("12a");
    LeaveBox(w.txbDay[0]);
    EXPECT_EQ(w.txbDay[0]->text(), "12");
    EXPECT_EQ(w.lblDate[0]->text(), "January 12, 42 CE");
    w.txbYear[0]->setText("000");
    LeaveBox(w.txbYear[0]);
    EXPECT_EQ(w.txbYear[0]->text(), "");
    EXPECT_EQ(w.lblDate[0]->text(), "");
    SetDate(0, "2022", "9", "31");
    LeaveBox(w.txbMonth[0]);
    EXPECT_EQ(w.lblDate[0]->text(), "invalid date");
    EXPECT_TRUE(shown.messages.empty());

    // A negative year is refused, and kept until another box cleans it.
    w.txbYear[1]->setText("-5");
    LeaveBox(w.txbYear[1]);
    ExpectOneMessage("Year number must be positive.", "Invalid year", MessageIcon::Information);
    EXPECT_EQ(w.lblDate[1]->text(), "December 31, 2024 CE");
    LeaveBox(w.txbMonth[1]);
    EXPECT_EQ(w.txbYear[1]->text(), "5");
    EXPECT_EQ(w.lblDate[1]->text(), "December 31, 5 CE");
}

TEST_F(Dates, FieldAndDateChecks) {
    frmMain& w = Start();
    const std::string title = w.cmdStart->text().toStdString();
    w.txbMonth[1]->setText("x");
    EXPECT_FALSE(w.CheckDateFieldsFilled(1));
    ExpectOneMessage("Please specify end month.", title.c_str(), MessageIcon::None);
    EXPECT_TRUE(w.CheckDateFieldsFilled(0));

    SetDate(0, "2022", "9", "31");
    shown.clear();
    EXPECT_FALSE(w.CheckDate(0));
    ExpectOneMessage("The start date is invalid.", "Invalid input");
    EXPECT_EQ(w.lblDate[0]->text(), "invalid date");
    SetDate(0, "2022", "9", "22");
    EXPECT_TRUE(w.CheckDate(0));
    EXPECT_EQ(w.request.RequestDays[0], 2459845);
    EXPECT_EQ(w.lblDate[0]->text(), "September 22, 2022 CE");

    struct Case {
        int row;
        const char *y, *m, *d;
        const char* message;
    };
    for (const Case& c : {Case{0, "1", "1", "1", nullptr}, Case{1, "2799", "12", "31", nullptr},
                          Case{0, "2800", "1", "1", "End date is too late"},
                          Case{0, "0", "12", "31", "Start date is too early"},
                          Case{1, "0", "12", "31", "End date is too early"}}) {
        SetDate(c.row, c.y, c.m, c.d);
        shown.clear();
        EXPECT_EQ(w.CheckDate(c.row), c.message == nullptr) << c.y;
        if (c.message) ExpectOneMessage(c.message, title.c_str(), MessageIcon::Information);
        else EXPECT_TRUE(shown.messages.empty()) << LastText();
    }
}

TEST_F(Dates, BirthDataChecksChooseDefaultsOneStepAtATime) {
    frmMain& w = Start();
    w.request.RequestDays[0] = 2460311;  // 2024-01-01
    SetDate(2, "1599", "12", "31");
    EXPECT_FALSE(w.CheckBirthData(false));
    EXPECT_EQ(LastText(), "Birth date is too early");
    SetDate(2, "2024", "1", "2");
    EXPECT_FALSE(w.CheckBirthData(false));
    EXPECT_EQ(LastText(), "The birth date must not be later than the start date.");

    SetDate(2, "2024", "1", "1");  // the start date itself passes; the blanks get defaults one at a time
    shown.clear();
    EXPECT_FALSE(w.CheckBirthData(false));
    ExpectOneMessage("Please specify the birth time, or use 12:00 if not known.", nullptr, MessageIcon::None);
    EXPECT_EQ(w.cboHour->currentText() + w.cboMinute->currentText(), "1200");
    EXPECT_FALSE(w.CheckBirthData(false));
    EXPECT_EQ(LastText(), "Please specify the timezone, or use GMT if not known.");
    EXPECT_EQ(w.cboTimezone[1]->currentText(), "GMT");

    w.cboMinute->setCurrentIndex(0);  // a blank minute is taken as 00 without a word
    shown.clear();
    EXPECT_TRUE(w.CheckBirthData(false));
    EXPECT_TRUE(shown.messages.empty());
    EXPECT_EQ(w.cboMinute->currentIndex(), 1);
    EXPECT_EQ(w.request.RequestDays[2], 2460311);
}

// A typed hour or minute counts by its number; one the list lacks is refused and stays as typed.
TEST_F(Dates, TypedBirthTimeIsMatchedByItsNumberOrRefusedAsTyped) {
    frmMain& w = Start();
    const std::string title = w.cmdStart->text().toStdString();
    SetDate(2, "2030", "1", "1");  // later than the start date: only the search takes it
    w.cboTimezone[1]->setCurrentIndex(24);
    auto type = [](QComboBox* list, const char* text) {
        list->lineEdit()->clear();
        QTest::keyClicks(list->lineEdit(), text);
    };
    type(w.cboHour, "7");
    type(w.cboMinute, "5");
    EXPECT_EQ(w.cboHour->currentIndex(), 8);
    EXPECT_EQ(w.cboMinute->currentIndex(), 2);
    EXPECT_TRUE(w.CheckBirthData(true)) << LastText();
    EXPECT_EQ(w.cboHour->currentText() + ":" + w.cboMinute->currentText(), "07:05");  // as the heading shows it

    struct Case {
        QComboBox* list;
        const char* typed;
        const char* message;
    };
    const char* hourMessage = "The birth hour must be 00 to 23.";
    const char* minuteMessage = "The birth minute must be 00 to 55 in steps of 5.";
    for (const Case& c : {Case{w.cboMinute, "32", minuteMessage}, Case{w.cboMinute, "60", minuteMessage},
                          Case{w.cboHour, "25", hourMessage}, Case{w.cboHour, "7a", hourMessage}}) {
        type(c.list, c.typed);
        shown.clear();
        EXPECT_FALSE(w.CheckBirthData(true)) << c.typed;
        ExpectOneMessage(c.message, title.c_str(), MessageIcon::Information);
        EXPECT_EQ(c.list->currentText(), c.typed);
        type(c.list, "010");  // a valid number again for the next case
    }

    // A run stops there rather than guess a time.
    type(w.cboMinute, "32");
    SetDate(2, "1990", "6", "15");
    shown.clear();
    w.cmdStart_Click();
    ExpectOneMessage(minuteMessage);
    EXPECT_EQ(w.ScansStarted, 0);
    EXPECT_EQ(w.cboMinute->currentText(), "32");
}

TEST_F(Dates, EnterInADateBoxStartsExactlyOneRun) {
    frmMain& w = Start();
    QSignalSpy runs(w.cmdStart, &QPushButton::clicked);
    QTest::keyPress(w.txbDay[2], Qt::Key_Return);
    EXPECT_EQ(runs.count(), 1);
    // The release (say, after Enter closed a message box) and a held key start nothing more.
    QTest::keyRelease(w.txbDay[2], Qt::Key_Return);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(w.txbDay[2], &repeat);
    EXPECT_EQ(runs.count(), 1);
    QTest::keyClick(w.txbYear[0], Qt::Key_Enter);
    EXPECT_EQ(runs.count(), 2);
    w.cmdStart->setEnabled(false);
    QTest::keyClick(w.txbMonth[1], Qt::Key_Return);
    EXPECT_EQ(runs.count(), 2);
}

}  // namespace
}  // namespace meridel
