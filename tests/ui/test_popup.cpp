#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include "ui/frmPopUp.h"
#include "window_fixture.h"

namespace meridel {
namespace {

using PopUp = WindowTest;

TEST_F(PopUp, ShowsOverTheOwnerUntilItsTimeIsUp) {
    frmMain& w = Start();
    frmPopUp popUp(&w);
    QRect seen;
    bool modal = false;
    QTimer::singleShot(50, [&] {
        seen = popUp.geometry();
        modal = QApplication::activeModalWidget() == &popUp;
    });
    QElapsedTimer clock;
    clock.start();
    popUp.PopUpInForm(&w, "Done", 1200, 300, 300, 3090, 5460);
    EXPECT_GE(clock.elapsed(), 250);
    EXPECT_TRUE(modal);
    const QPoint corner = w.mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(seen, QRect(corner.x() + 364, corner.y() + 206, 80, 20));
    EXPECT_EQ(popUp.lblMessage->text(), "Done");
    EXPECT_FALSE(popUp.isVisible());
    EXPECT_FALSE(popUp.Timer1->isActive());
}

TEST_F(PopUp, AClickClosesItAtOnce) {
    frmPopUp popUp;
    QTimer::singleShot(50, [&] { QTest::mouseClick(popUp.lblMessage, Qt::LeftButton); });
    QElapsedTimer clock;
    clock.start();
    popUp.PopUp("Done", 1200, 300, 5000, 1500, 1500);
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_FALSE(popUp.isVisible());
    EXPECT_FALSE(popUp.Timer1->isActive());
    EXPECT_EQ(popUp.geometry(), QRect(100, 100, 80, 20));
}

}  // namespace
}  // namespace meridel
