#include <QMessageBox>
#include <QTimer>

#include "ui/qt_dialogs.h"
#include "window_fixture.h"

namespace meridel {
namespace {

// Looks at the modal box once it is up, then answers it with the given button.
void AnswerNextBox(QMessageBox::StandardButton button, QMessageBox::Icon& icon, QString& title, QString& text,
                   QMessageBox::StandardButton& defaultButton) {
    QTimer::singleShot(50, [&, button] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        icon = box->icon();
        title = box->windowTitle();
        text = box->text();
        defaultButton = box->standardButton(box->defaultButton());
        box->button(button)->click();
    });
}

TEST(QtDialogs, MessageBoxesAreModalWithTheirIconAndTitle) {
    QWidget owner;
    owner.show();
    QtDialogs dialogs(&owner);
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title, text;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;

    AnswerNextBox(QMessageBox::Ok, icon, title, text, defaultButton);
    dialogs.message("World transit of a planet to itself is not possible.", MessageIcon::Exclamation, "Run");
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_EQ(title, "Run");
    EXPECT_EQ(text, "World transit of a planet to itself is not possible.");

    AnswerNextBox(QMessageBox::Ok, icon, title, text, defaultButton);
    dialogs.message("Orbs must be strictly decreasing and differ by at least 2°.", MessageIcon::Information,
                    "Orb values");
    EXPECT_EQ(icon, QMessageBox::Information);
    EXPECT_EQ(text, "Orbs must be strictly decreasing and differ by at least 2°.");

    AnswerNextBox(QMessageBox::Yes, icon, title, text, defaultButton);
    EXPECT_EQ(dialogs.askYesNoCancel("Save program state for next run?", "Quit"), Answer::Yes);
    EXPECT_EQ(icon, QMessageBox::NoIcon);
    EXPECT_EQ(defaultButton, QMessageBox::No);
    AnswerNextBox(QMessageBox::Cancel, icon, title, text, defaultButton);
    EXPECT_EQ(dialogs.askYesNoCancel("Save program state for next run?", "Quit"), Answer::Cancel);
}

TEST(QtDialogs, PopUpShowsTheDoneNoticeInTheOwner) {
    QWidget owner;
    owner.show();
    QtDialogs dialogs(&owner);
    QString seen;
    QTimer::singleShot(30, [&] {
        if (auto* popUp = qobject_cast<frmPopUp*>(QApplication::activeModalWidget()))
            seen = popUp->lblMessage->text();
    });
    dialogs.popUp("Done", 1200, 300, 150, 3090, 5460);
    EXPECT_EQ(seen, "Done");
}

}  // namespace
}  // namespace meridel
