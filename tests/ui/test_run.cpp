#include <QTest>
#include <QTimer>

#include "ephemeris/planet_longitude.h"
#include "window_fixture.h"

namespace meridel {
namespace {

using RunRequest = WindowTest;

void SetWorldRequest(frmMain& w, const char* inner, const char* outer, const char* startYear, const char* endYear) {
    w.optWorld->setChecked(true);
    w.cboPlanet[0]->setCurrentText(QString::fromLatin1(inner));
    w.cboPlanet[1]->setCurrentText(QString::fromLatin1(outer));
    w.txbYear[0]->setText(QString::fromLatin1(startYear));
    w.txbYear[1]->setText(QString::fromLatin1(endYear));
    w.cboTimezone[0]->setCurrentIndex(24);
}

// The start button reads "Stop" while the scan runs; a click on it ends the run at once.
TEST_F(RunRequest, StopEndsALongRunAndLeavesTheWindowIdle) {
    frmMain& w = Start();
    SetWorldRequest(w, "Sun", "Mars", "1600", "2099");
    const QString idleCaption = w.cmdStart->text();
    QString captionDuringRun;
    bool showAllEnabledDuringRun = true;
    QTimer::singleShot(100, [&] {
        captionDuringRun = w.cmdStart->text();
        showAllEnabledDuringRun = w.cmdShowAll[0]->isEnabled();
        QTest::mouseClick(w.cmdStart, Qt::LeftButton);
    });
    QTest::mouseClick(w.cmdStart, Qt::LeftButton);

    EXPECT_EQ(captionDuringRun.toStdString(), "Stop");
    EXPECT_FALSE(showAllEnabledDuringRun);
    EXPECT_TRUE(w.OutputText().endsWith(QStringLiteral("Stopped")));
    EXPECT_EQ(w.cmdStart->text(), idleCaption);
    EXPECT_TRUE(w.cmdShowAll[0]->isEnabled());
    EXPECT_FALSE(w.ScanRunning);
    EXPECT_FALSE(w.request.StopRequested);
    EXPECT_TRUE(w.request.RunAborted);
    EXPECT_TRUE(shown.popUps.empty());
    EXPECT_TRUE(shown.messages.empty());
    // Only whole rows were written before "Stopped".
    const QStringList lines = w.OutputText().split(QStringLiteral("\r\n"));
    for (int i = 1; i + 1 < lines.size(); ++i) EXPECT_GE(lines[i].size(), 104) << i;
}

// Closing the window during a scan stops the scan first; the window closes once it has unwound.
TEST_F(RunRequest, ClosingDuringAScanWaitsForTheScanToStop) {
    frmMain& w = Start();
    w.show();
    SetWorldRequest(w, "Sun", "Mars", "1600", "2099");
    bool stillOpenDuringRun = false;
    QTimer::singleShot(100, [&] {
        w.close();
        stillOpenDuringRun = w.isVisible();
    });
    w.cmdStart_Click();
    EXPECT_TRUE(stillOpenDuringRun);
    EXPECT_TRUE(w.OutputText().endsWith(QStringLiteral("Stopped")));
    QTest::qWait(50);
    EXPECT_FALSE(w.isVisible());
}

// A box already full when the column titles are written: one message, and the run stops.
TEST_F(RunRequest, BoxFullAtTheColumnTitlesStopsOnce) {
    frmMain& w = Start();
    SetWorldRequest(w, "Mars", "Jupiter", "2024", "2024");
    w.txbOutput->setPlainText(QString(64001, QLatin1Char('x')));
    w.chkAppendToOutput->setChecked(true);
    w.cmdStart_Click();
    ASSERT_EQ(shown.messages.size(), 1u);
    EXPECT_EQ(shown.messages[0].text, "Output textbox is full.");
    EXPECT_EQ(shown.messages[0].icon, MessageIcon::Exclamation);
    // The rule under the refused titles is still appended, then the run ends at once.
    EXPECT_TRUE(w.OutputText().endsWith(QStringLiteral("Textbox is full -- ") + QString(119, QLatin1Char('-')) +
                                        QStringLiteral("\r\nStopped")));
    EXPECT_TRUE(w.request.RunAborted);
}

// The box counts a line end as two characters: at 64000 it still takes a row, at 64001 not.
TEST_F(RunRequest, OutputLimitCountsLineEndsAsTwoCharacters) {
    frmMain& w = Start();
    w.txbOutput->setPlainText(QString(63998, QLatin1Char('x')) + QLatin1Char('\n'));
    EXPECT_EQ(w.OutputLength(), 64000);
    EXPECT_TRUE(w.WriteRowText(QStringLiteral("row")));
    EXPECT_GE(w.OutputLength(), 64001);
    EXPECT_FALSE(w.WriteRowText(QStringLiteral("row")));
    EXPECT_TRUE(w.OutputText().endsWith(QStringLiteral("row\r\nTextbox is full -- ")));
}

// Rows go to the end of the text even when the user put the caret elsewhere.
TEST_F(RunRequest, RowsGoToTheEndWhateverTheCaret) {
    frmMain& w = Start();
    w.txbOutput->setPlainText(QStringLiteral("first\nsecond"));
    QTextCursor c = w.txbOutput->textCursor();
    c.setPosition(2);
    w.txbOutput->setTextCursor(c);
    w.AppendOutput(QStringLiteral("\r\nthird\r\n"));
    EXPECT_EQ(w.OutputText(), QStringLiteral("first\r\nsecond\r\nthird\r\n"));
}

TEST_F(RunRequest, ZodiacFollowsTheModeAndTheEndOfRunShowsDone) {
    frmMain& w = Start();
    SetWorldRequest(w, "Jupiter", "Saturn", "2020", "2020");
    w.optWorld->setChecked(false);
    w.optPersonal->setChecked(true);
    w.optSidereal->setChecked(true);
    w.optPersonal->setChecked(false);
    w.optWorld->setChecked(true);
    w.cboPlanet[0]->setCurrentText(QStringLiteral("Jupiter"));
    w.cboPlanet[1]->setCurrentText(QStringLiteral("Saturn"));
    SiderealZodiac = true;
    w.cmdStart_Click();
    EXPECT_FALSE(SiderealZodiac) << "a World request is always tropical";
    ASSERT_EQ(shown.popUps.size(), 1u);
    EXPECT_EQ(shown.popUps[0], "Done");
    EXPECT_TRUE(w.chkAppendToOutput->isVisibleTo(&w));
    EXPECT_EQ(w.FormHeight(), w.intHeight);

    // Clear empties the box and returns to the compact height.
    w.cmdClear_Click();
    EXPECT_TRUE(w.OutputIsEmpty());
    EXPECT_EQ(w.FormHeight(), w.CompactHeight);
}

}  // namespace
}  // namespace meridel
