#include "window_fixture.h"

namespace meridel {
namespace {

using Lists = WindowTest;

TEST_F(Lists, EachModeKeepsItsOwnPlanetChoice) {
    frmMain& w = Start();
    w.cboPlanet[1]->setCurrentIndex(9);  // natal Moon
    EXPECT_EQ(w.cmdStart->text(), "Show all personal transits by Mars of natal Moon");

    // The first switch to World with nothing remembered gives Mars and Jupiter.
    w.optWorld->setChecked(true);
    EXPECT_EQ(w.cboPlanet[0]->currentText() + w.cboPlanet[1]->currentText(), "MarsJupiter");
    EXPECT_EQ(w.lblPlanet[1]->text(), "Outer planet");
    EXPECT_FALSE(IsShown(w.cmdShowAll[1]));
    w.cboPlanet[1]->setCurrentIndex(4);

    w.optPersonal->setChecked(true);
    EXPECT_EQ(w.cboPlanet[1]->currentText(), "Moon");
    EXPECT_EQ(w.lblPlanet[1]->text(), "Natal planet");
    w.optWorld->setChecked(true);
    EXPECT_EQ(w.cboPlanet[1]->currentText(), "Saturn");
}

// Choosing an orb checks it (the request layer's orb check, its message only); a refused orb
// stays selected; the search label follows the outer orb.
TEST_F(Lists, ChoosingAnOrbChecksIt) {
    frmMain& w = Start();
    w.cboOrbs[0]->setCurrentIndex(14);
    EXPECT_EQ(w.Label1->text(), "for first 15°");
    w.cboOrbs[2]->setCurrentIndex(12);
    ExpectOneMessage("Orbs must be strictly decreasing and differ by at least 2°.");
    EXPECT_EQ(w.cboOrbs[2]->currentIndex(), 12);
}

}  // namespace
}  // namespace meridel
