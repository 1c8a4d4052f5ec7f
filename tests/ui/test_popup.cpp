// The "Done" pop-up: its place over the owner and its life of one interval.
#include <QElapsedTimer>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "ui/frmPopUp.h"

namespace meridel {
namespace {

// Offsets of 1500 twips (100 pixels) left and 450 (30) down count from the owner's outer corner,
// which the offscreen platform's frame sets apart from the client corner.
TEST(PopUp, InFormSitsFromTheOwnersOuterCornerAndClosesAfterItsInterval) {
    QWidget owner;
    owner.resize(600, 400);
    owner.move(100, 50);
    owner.show();
    QCoreApplication::processEvents();
    const QPoint outer = owner.frameGeometry().topLeft();
    ASSERT_NE(outer, owner.mapToGlobal(QPoint(0, 0)));

    frmPopUp popUp(&owner);
    QRect placed;
    QTimer::singleShot(100, [&] { placed = popUp.isVisible() ? popUp.frameGeometry() : QRect(); });
    QElapsedTimer clock;
    clock.start();
    popUp.PopUpInForm(&owner, QStringLiteral("Done"), 1200, 300, 600, 450, 1500);
    const qint64 elapsed = clock.elapsed();

    EXPECT_EQ(placed, QRect(outer + QPoint(100, 30), QSize(80, 20)));
    EXPECT_EQ(popUp.lblMessage->text(), QStringLiteral("Done"));
    EXPECT_GE(elapsed, 540);  // a coarse timer may fire up to 5% early
    EXPECT_LT(elapsed, 3000);
    EXPECT_FALSE(popUp.isVisible());
    EXPECT_FALSE(popUp.Timer1->isActive());

    // A click on the message closes it at once.
    QTimer::singleShot(100, [&] { QTest::mouseClick(popUp.lblMessage, Qt::LeftButton); });
    clock.restart();
    popUp.PopUpInForm(&owner, QStringLiteral("Done"), 1200, 300, 5000, 450, 1500);
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_FALSE(popUp.isVisible());
    EXPECT_FALSE(popUp.Timer1->isActive());
}

}  // namespace
}  // namespace meridel
