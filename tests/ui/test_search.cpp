#include <QElapsedTimer>
#include <QTest>

#include "ephemeris/planet_longitude.h"
#include "window_fixture.h"

namespace meridel {
namespace {

using Search = WindowTest;

void SetWorldSearch(frmMain& w, const char* inner, const char* outer, const char* endYear, const char* endMonth,
                    const char* endDay, const char* aspect = "conjunction") {
    w.optWorld->setChecked(true);
    w.cboPlanet[0]->setCurrentText(QString::fromLatin1(inner));
    w.cboPlanet[1]->setCurrentText(QString::fromLatin1(outer));
    w.txbYear[1]->setText(QString::fromLatin1(endYear));
    w.txbMonth[1]->setText(QString::fromLatin1(endMonth));
    w.txbDay[1]->setText(QString::fromLatin1(endDay));
    w.cboTimezone[0]->setCurrentIndex(24);
    w.cboSearchAspect->setCurrentIndex(w.cboSearchAspect->findText(QString::fromLatin1(aspect)));
}

QString DateFields(const frmMain& w, int row) {
    return w.txbYear[row]->text() + "-" + w.txbMonth[row]->text() + "-" + w.txbDay[row]->text();
}

// The great conjunction of 2020 is within 10° on the day after the end date: the search steps
// past it and lists the next one, then moves the date fields to the stretch it scanned.
TEST_F(Search, SkipsTheTransitUnderWayAndMovesTheDatesUnlessKept) {
    frmMain& w = Start();
    SetWorldSearch(w, "Jupiter", "Saturn", "2020", "12", "31");
    w.chkKeepDates->setChecked(false);
    w.cmdSearch_Click();
    EXPECT_TRUE(shown.messages.empty()) << LastText();
    EXPECT_TRUE(w.OutputText().contains(QStringLiteral("\r\nConjunction | 2040-07-15")));
    EXPECT_EQ(DateFields(w, 0), QStringLiteral("2040-7-15"));
    EXPECT_EQ(DateFields(w, 1), QStringLiteral("2041-10-3"));
    EXPECT_EQ(w.lblDate[1]->text(), QStringLiteral("October 3, 2041 CE"));
    EXPECT_FALSE(w.lblShortDate->isVisibleTo(&w));

    // Ticked: the next search (from the moved end date) lists the 2060 conjunction, dates stay.
    w.chkKeepDates->setChecked(true);
    w.cmdSearch_Click();
    EXPECT_TRUE(w.OutputText().contains(QStringLiteral("| 2060-04-07* |"))) << w.OutputText().toStdString();
    EXPECT_EQ(DateFields(w, 0), QStringLiteral("2040-7-15"));
    EXPECT_EQ(DateFields(w, 1), QStringLiteral("2041-10-3"));
}

// Middle and inner orbs are never left stale or zero, and never exceed the search orb.
TEST_F(Search, DerivedOrbs) {
    frmMain& w = Start();
    struct Case { std::int16_t search, moving, middle, inner; };
    for (const Case c : {Case{1, kMars, 1, 1}, Case{2, kSun, 1, 1}, Case{3, kMercury, 2, 1}, Case{4, kVenus, 2, 1},
                         Case{5, kJupiter, 3, 1}, Case{9, kMercury, 6, 3}, Case{15, kMars, 10, 5}}) {
        w.request.OrbDegrees = {c.search, 0, 0, 0};
        w.request.PlanetCodes[0] = c.moving;
        bool ok = false;
        w.CheckSearchOrb(ok);
        EXPECT_TRUE(ok) << c.search;
        EXPECT_EQ(w.request.OrbDegrees[1], c.middle) << c.search;
        EXPECT_EQ(w.request.OrbDegrees[2], c.inner) << c.search;
    }
}

// Nothing chosen would be aspect code 0 or planet code 0 (no positions): a message instead.
TEST_F(Search, NoAspectOrPlanetChosenIsRefused) {
    frmMain& w = Start();
    SetWorldSearch(w, "Mars", "Jupiter", "2024", "12", "31");
    // Typing into the list's edit field leaves it without an entry when nothing matches.
    w.cboSearchAspect->setFocus();
    w.cboSearchAspect->lineEdit()->selectAll();
    QTest::keyClicks(w.cboSearchAspect->lineEdit(), QStringLiteral("squar"));
    ASSERT_EQ(w.cboSearchAspect->currentIndex(), -1);
    w.cmdSearch_Click();
    EXPECT_EQ(LastText(), "Please choose the aspect to search for.");
    w.cboSearchAspect->setCurrentIndex(0);
    w.cboPlanet[0]->setCurrentIndex(-1);
    w.cmdSearch_Click();
    EXPECT_EQ(LastText(), "Please choose both planets.");
    EXPECT_EQ(shown.messages.back().title, "Search");
    EXPECT_EQ(shown.messages.size(), 2u);
    EXPECT_EQ(w.ScansStarted, 0);
}

// Some 72,000 days of stepping: the label is painted a few times a second, not once a day.
TEST_F(Search, ProgressLabelIsPaintedAFewTimesASecond) {
    frmMain& w = Start();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    SetWorldSearch(w, "Neptune", "Pluto", "1900", "12", "31");
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            paints += e->type() == QEvent::Paint;
            return false;
        }
    } counter;
    w.lblShortDate->installEventFilter(&counter);
    QElapsedTimer clock;
    clock.start();
    w.cmdSearch_Click();
    const qint64 elapsedMs = clock.elapsed();
    EXPECT_EQ(LastText(), "No complete conjunction transit found up to 2100-01-01 CE .\n"
                          "Date is beyond allowable date range for Pluto.");
    EXPECT_FALSE(w.lblShortDate->isVisibleTo(&w));
    EXPECT_GE(counter.paints, 1);
    EXPECT_LE(counter.paints, 2 + elapsedMs / 100) << elapsedMs << " ms";
}

}  // namespace
}  // namespace meridel
