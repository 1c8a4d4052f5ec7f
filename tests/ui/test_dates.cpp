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
    w.txbYear[0]->setText("000");
    LeaveBox(w.txbYear[0]);
    EXPECT_EQ(w.txbYear[0]->text(), "");
    EXPECT_EQ(w.lblDate[0]->text(), "");
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

// Typed text in the birth-time lists chooses the entry of its number. A refusal (checked in the
// request layer) leaves the focus on the list at fault, or on Start when a default was filled in.
TEST_F(Dates, TypedBirthTimeAndTheBlankHour) {
    frmMain& w = Start();
    SetDate(2, "1990", "6", "15");
    w.cboTimezone[1]->setCurrentIndex(24);
    auto type = [](QComboBox* list, const char* text) {
        list->lineEdit()->clear();
        QTest::keyClicks(list->lineEdit(), text);
    };
    type(w.cboHour, "7");
    type(w.cboMinute, "5");
    EXPECT_EQ(w.cboHour->currentIndex(), 8);
    EXPECT_EQ(w.cboMinute->currentIndex(), 2);

    type(w.cboMinute, "32");
    w.cmdStart_Click();
    EXPECT_EQ(w.cboMinute->currentText(), "32");
    EXPECT_EQ(w.focusWidget(), w.cboMinute);

    w.cboHour->setCurrentIndex(0);
    type(w.cboMinute, "5");
    w.cmdStart_Click();
    EXPECT_EQ(w.cboHour->currentText() + ":" + w.cboMinute->currentText(), "12:00");
    EXPECT_EQ(w.focusWidget(), w.cmdStart);

    for (QComboBox* zone : {w.cboTimezone[1], w.cboTimezone[0]}) {
        zone->setCurrentIndex(0);
        w.txbYear[0]->setFocus();
        w.cmdStart_Click();
        EXPECT_EQ(zone->currentText(), "GMT") << LastText();
        EXPECT_EQ(w.focusWidget(), w.cmdStart) << LastText();
    }
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
