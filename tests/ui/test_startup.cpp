#include <QGroupBox>
#include <QGuiApplication>
#include <QScreen>

#include "ui/window_style.h"
#include "window_fixture.h"

namespace meridel {
namespace {

using StartUp = WindowTest;

TEST_F(StartUp, FirstRunWithoutSavedState) {
    frmMain& w = Start(2024, -3600);

    EXPECT_TRUE(w.blnStartUpCompleted);
    EXPECT_EQ(w.windowTitle(), "Meridel");
    EXPECT_FALSE(w.windowIcon().isNull());
    EXPECT_TRUE(w.optPersonal->isChecked());
    EXPECT_TRUE(w.optTropical->isChecked());

    EXPECT_EQ(w.txbYear[0]->text(), "2024");
    EXPECT_EQ(w.txbMonth[0]->text(), "1");
    EXPECT_EQ(w.txbDay[0]->text(), "1");
    EXPECT_EQ(w.txbYear[1]->text(), "2024");
    EXPECT_EQ(w.txbMonth[1]->text(), "12");
    EXPECT_EQ(w.txbDay[1]->text(), "31");
    EXPECT_EQ(w.lblDate[0]->text(), "January 1, 2024 CE");
    EXPECT_EQ(w.lblDate[1]->text(), "December 31, 2024 CE");
    EXPECT_TRUE(w.txbYear[2]->text().isEmpty());
    EXPECT_TRUE(w.lblDate[2]->text().isEmpty());

    EXPECT_EQ(w.cboHour->currentIndex(), 0);
    EXPECT_EQ(w.cboMinute->currentIndex(), 0);
    EXPECT_EQ(w.cboOrbs[0]->currentText(), "10°");
    EXPECT_EQ(w.cboOrbs[1]->currentText(), "5°");
    EXPECT_EQ(w.cboOrbs[2]->currentText(), "2°");
    EXPECT_EQ(w.cboPlanet[0]->currentText(), "Mars");
    EXPECT_EQ(w.cboPlanet[1]->currentText(), "Jupiter");
    EXPECT_EQ(w.lblPlanet[0]->text(), "Transiting planet");
    EXPECT_EQ(w.lblPlanet[1]->text(), "Natal planet");
    EXPECT_EQ(w.cboTimezone[0]->currentText(), "GMT+1:00");
    EXPECT_EQ(w.cboTimezone[1]->currentIndex(), -1);
    EXPECT_EQ(w.cboSearchAspect->currentText(), "conjunction");
    EXPECT_TRUE(w.chkKeepDates->isChecked());
    EXPECT_EQ(w.Label1->text(), "for first 10°");
    EXPECT_EQ(w.cmdStart->text(), "Show all personal transits by Mars of natal Jupiter");
    EXPECT_EQ(w.cmdShowAll[0]->text(), "Show all transits of natal Jupiter");
    EXPECT_EQ(w.cmdShowAll[1]->text(), "Show all transits by transiting Mars");
    for (int i = 0; i < 4; ++i) EXPECT_EQ(w.SavedPlanetIndex[i], -1);

    // Personal mode shows its frames; the output buttons wait for output.
    EXPECT_TRUE(IsShown(w.fraZodiac));
    EXPECT_TRUE(IsShown(w.fraBirthDate));
    EXPECT_TRUE(IsShown(w.cmdShowAll[1]));
    for (QWidget* hidden : std::initializer_list<QWidget*>{
             w.cmdClear, w.cmdFile, w.chkOpenOutputFile, w.chkAppendToOutput, w.lblShortDate, w.txbStopDate,
             w.txbAllTransitsDateFormat, w.lblAllTransitsDateFormat, w.cmdShowAllTransits})
        EXPECT_FALSE(IsShown(hidden)) << hidden->objectName().toStdString();
    EXPECT_FALSE(w.cmdFile->isEnabled());
    EXPECT_FALSE(w.chkOpenOutputFile->isEnabled());
    EXPECT_EQ(w.focusWidget(), w.cmdHelp);
    EXPECT_TRUE(shown.messages.empty());
}

TEST_F(StartUp, ResultsZoneFollowsTheLocalOffset) {
    struct Case {
        std::int32_t secondsWest;
        int index;
    };
    // UTC-5, UTC, UTC+5:30, UTC+5:45 (35.5 to even), UTC-11:30; beyond the list: -12, +12, +14.
    for (Case c : {Case{18000, 14}, Case{0, 24}, Case{-19800, 35}, Case{-20700, 36}, Case{41400, 1},
                   Case{43200, 1}, Case{-43200, 47}, Case{-50400, 47}}) {
        frmMain& w = Start(2024, c.secondsWest);
        EXPECT_EQ(w.cboTimezone[0]->currentIndex(), c.index) << "offset west " << c.secondsWest;
    }
}

TEST_F(StartUp, ColoursAndFonts) {
    frmMain& w = Start();
    const QColor violet(47, 8, 91), paleBlue(213, 237, 248), yellow(255, 255, 0);
    EXPECT_EQ(w.palette().color(QPalette::Window), violet);
    for (QWidget* c : std::initializer_list<QWidget*>{w.lblYear, w.chkKeepDates, w.fraSearch, w.optWorld}) {
        EXPECT_EQ(c->palette().color(QPalette::Active, QPalette::WindowText), paleBlue);
        EXPECT_EQ(c->palette().color(QPalette::Window), violet);
    }
    EXPECT_EQ(w.lblShortDate->palette().color(QPalette::Active, QPalette::WindowText), yellow);

    for (QWidget* c : std::initializer_list<QWidget*>{w.lblYear, w.cmdStart, w.txbYear[0], w.cboPlanet[0],
                                                      w.optWorld, w.chkKeepDates, w.lblShortDate}) {
        EXPECT_EQ(c->font().family(), "Arial") << c->objectName().toStdString();
        EXPECT_EQ(c->font().pointSize(), 10) << c->objectName().toStdString();
        EXPECT_FALSE(c->font().bold()) << c->objectName().toStdString();
    }
    EXPECT_EQ(w.txbOutput->font().family(), "Courier New");
    EXPECT_EQ(w.txbOutput->font().pointSize(), 8);
    EXPECT_FALSE(w.txbOutput->font().bold());
}

TEST_F(StartUp, WindowFrameAndFirstPlacement) {
    frmMain& w = Start();
    const Qt::WindowFlags flags = w.windowFlags();
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(w.FormWidth(), 13800);
    EXPECT_EQ(w.FormHeight(), 6500);

    // A fifth of the way down and centred, by the designed size.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const double top = (screen.height() * 15.0 - (kDesignedClientHeightTwips + kFrameHeightTwips)) / 5.0 / 15.0;
    const double left = (screen.width() * 15.0 - (kDesignedClientWidthTwips + kFrameWidthTwips)) / 2.0 / 15.0;
    EXPECT_NEAR(w.pos().y(), top, 1.0);
    EXPECT_NEAR(w.pos().x(), left, 1.0);
}

}  // namespace
}  // namespace meridel
