#include <QTest>
#include <QTimer>
#include <cctype>

#include "window_fixture.h"

namespace meridel {
namespace {

using RunRequest = WindowTest;

const QString kFullBoxEnd = QStringLiteral("Textbox is full -- ") + QString(119, QLatin1Char('-')) + "\r\nStopped";

// Start reads "Stop" while the scan runs and the inputs are locked; a click on it ends the run at
// once, but not the second click of a double-click on Start. The timer shows the output buttons
// while the box holds text, even typed; file and timeline only after a run, none during one.
TEST_F(RunRequest, StopEndsALongRunAndTheTimerShowsTheOutputButtons) {
    frmMain& w = Start();
    // Each button: '-' hidden, its letter when usable, in lower case when disabled.
    auto buttons = [&w] {
        std::string state;
        for (auto [button, letter] : {std::pair<QWidget*, char>{w.cmdFile, 'F'}, {w.chkOpenOutputFile, 'O'},
                                      {w.cmdClear, 'C'}, {w.cmdTimeline, 'T'}})
            state += !IsShown(button) ? '-' : button->isEnabled() ? letter : static_cast<char>(std::tolower(letter));
        return state;
    };
    w.txbOutput->setPlainText(QStringLiteral("typed"));
    w.Timer1_Timer();
    EXPECT_EQ(buttons(), "foCt");
    w.cmdClear_Click();
    w.Timer1_Timer();
    EXPECT_EQ(buttons(), "----");

    SetWorld("Sun", "Mars");
    SetYears("1600", "2099");
    w.chkAppendToOutput->setChecked(true);
    const QString idleCaption = w.cmdStart->text();
    QString captionDuringRun;
    std::string buttonsDuringRun;
    bool lockedDuringRun = false;
    bool runningAfterDoubleClick = false;
    const int doubleClick = QGuiApplication::styleHints()->mouseDoubleClickInterval();
    QTimer::singleShot(doubleClick / 4, [&] { QTest::mouseClick(w.cmdStart, Qt::LeftButton); });
    QTimer::singleShot(doubleClick + 100, [&] {  // then a click on Stop is one of its own
        w.Timer1_Timer();
        buttonsDuringRun = buttons();
        captionDuringRun = w.cmdStart->text();
        runningAfterDoubleClick = w.RunState.ScanRunning && !w.session.StopRequested;
        lockedDuringRun = !w.cmdShowAll[0]->isEnabled() && !w.txbYear[0]->isEnabled() &&
                          !w.cboPlanet[0]->isEnabled() && w.cmdQuit->isEnabled() && IsShown(w.lblShortDate);
        QTest::mouseClick(w.cmdStart, Qt::LeftButton);
    });
    QTest::mouseClick(w.cmdStart, Qt::LeftButton);

    EXPECT_EQ(captionDuringRun.toStdString(), "Stop");
    EXPECT_EQ(buttonsDuringRun, "--c-");
    EXPECT_TRUE(runningAfterDoubleClick);
    EXPECT_TRUE(lockedDuringRun);
    EXPECT_TRUE(w.OutputText().endsWith(QStringLiteral("Stopped")));
    // As after a finished run, the ticked box that makes the next run append is seen.
    EXPECT_TRUE(IsShown(w.chkAppendToOutput));
    EXPECT_EQ(w.cmdStart->text(), idleCaption);
    EXPECT_TRUE(w.cmdShowAll[0]->isEnabled());
    EXPECT_TRUE(w.txbYear[0]->isEnabled());
    EXPECT_FALSE(IsShown(w.lblShortDate));
    EXPECT_FALSE(w.session.StopRequested);
    EXPECT_TRUE(shown.popUps.empty());
    EXPECT_TRUE(shown.messages.empty());
    w.Timer1_Timer();
    EXPECT_EQ(buttons(), "FOCT");
    // Only whole rows were written before "Stopped".
    const QStringList lines = w.OutputText().split(QStringLiteral("\r\n"));
    for (int i = 1; i + 1 < lines.size(); ++i) EXPECT_GE(lines[i].size(), 104) << i;
}

// A box already full when the column titles are written: one message, and the run stops.
TEST_F(RunRequest, BoxFullAtTheColumnTitlesStopsOnce) {
    frmMain& w = Start();
    SetWorld("Mars", "Jupiter");
    w.txbOutput->setPlainText(QString(64001, QLatin1Char('x')));
    w.chkAppendToOutput->setChecked(true);
    w.cmdStart_Click();
    ExpectOneMessage("Output textbox is full.", nullptr, MessageIcon::Exclamation);
    // The rule under the refused titles is still appended, then the run ends at once.
    EXPECT_TRUE(w.OutputText().endsWith(kFullBoxEnd));
    EXPECT_TRUE(w.session.RunAborted);
}

// A run whose last rows meet the full box ends as any other, with its stop request still set;
// the next run must not take that request for its own.
TEST_F(RunRequest, ARunAfterOneThatFilledTheBoxListsItsRows) {
    frmMain& w = Start();
    SetWorld("Jupiter", "Saturn");
    SetDate(0, "2020", "11", "1");
    SetDate(1, "2020", "11", "30");
    // The conjunction is within 10 degrees all month: its one row is written as the run ends.
    const QString heading = QStringLiteral("World transits for Jupiter and Saturn from November 1, 2020, to "
                                           "November 30, 2020 ('r' = Jupiter retrograde)");
    const int separator = 2 + 119 + 2;
    w.txbOutput->setPlainText(QString(static_cast<int>(OutputBox::kWindowLimit) - 1 - separator - (heading.size() + 2), QLatin1Char('x')));
    w.chkAppendToOutput->setChecked(true);
    w.cmdStart_Click();
    ASSERT_TRUE(w.OutputText().endsWith(QStringLiteral("Textbox is full -- "))) << "the row met the full box as the run ended";
    EXPECT_EQ(shown.popUps.size(), 1u) << "and the run ended as runs do";

    w.chkAppendToOutput->setChecked(false);
    w.cmdStart_Click();
    EXPECT_TRUE(w.OutputText().startsWith(heading));
    EXPECT_FALSE(w.OutputText().contains(QStringLiteral("Stopped")));
    EXPECT_TRUE(w.OutputText().contains(QStringLiteral("\r\nConjunction |"))) << w.OutputText().toStdString();
}

// The box counts a line end as two characters: at 64000 it still takes a row, at 64001 not.
// Rows go to the end of the text wherever the user put the caret.
TEST_F(RunRequest, OutputLimitCountsLineEndsAsTwoCharacters) {
    frmMain& w = Start();
    w.txbOutput->setPlainText(QString(63998, QLatin1Char('x')) + QLatin1Char('\n'));
    QTextCursor c = w.txbOutput->textCursor();
    c.setPosition(2);
    w.txbOutput->setTextCursor(c);
    EXPECT_EQ(w.OutputTextBox.Length(), 64000u);
    EXPECT_TRUE(w.Output.WriteRow("row"));
    EXPECT_GE(w.OutputTextBox.Length(), 64001u);
    EXPECT_FALSE(w.Output.WriteRow("row"));
    EXPECT_TRUE(w.OutputText().endsWith(QStringLiteral("x\r\nrow\r\nTextbox is full -- ")));
}

}  // namespace
}  // namespace meridel
