// The real message boxes and the pop-up notice.
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "ui/frmPopUp.h"
#include "ui/qt_dialogs.h"
#include "window_fixture.h"

namespace meridel {
namespace {

TEST(QtDialogs, MessageBoxesAreModalWithTheirIconAndTitle) {
    QWidget owner;
    owner.show();
    QtDialogs dialogs(&owner);
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    // Looks at the modal box once it is up, then answers it with the given button.
    auto answerNextBox = [&](QMessageBox::StandardButton button) {
        QTimer::singleShot(50, [&, button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            icon = box->icon();
            title = box->windowTitle() + ": " + box->text();
            defaultButton = box->standardButton(box->defaultButton());
            box->button(button)->click();
        });
    };
    answerNextBox(QMessageBox::Ok);
    dialogs.message("World transit of a planet to itself is not possible.", MessageIcon::Exclamation, "Run");
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_EQ(title, "Run: World transit of a planet to itself is not possible.");

    answerNextBox(QMessageBox::Yes);
    EXPECT_EQ(dialogs.askYesNoCancel("Save program state for next run?", "Quit"), Answer::Yes);
    EXPECT_EQ(icon, QMessageBox::NoIcon);
    EXPECT_EQ(defaultButton, QMessageBox::No);
    answerNextBox(QMessageBox::Cancel);
    EXPECT_EQ(dialogs.askYesNoCancel("Save program state for next run?", "Quit"), Answer::Cancel);
}

using PopUp = WindowTest;

TEST_F(PopUp, ShowsOverTheOwnerUntilItsTimeIsUpOrAClick) {
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

    frmPopUp clicked;  // a click closes it at once
    QTimer::singleShot(50, [&] { QTest::mouseClick(clicked.lblMessage, Qt::LeftButton); });
    clock.restart();
    clicked.PopUp("Done", 1200, 300, 5000, 1500, 1500);
    EXPECT_LT(clock.elapsed(), 2000);
}

}  // namespace
}  // namespace meridel
