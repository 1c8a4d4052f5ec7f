// The window's help button.
#include <QCoreApplication>

#include "ui/frmView.h"
#include "window_fixture.h"

namespace meridel {
namespace {

using HelpButton = WindowTest;

TEST_F(HelpButton, ShowsTheHelpFileOverTheWindowWithoutACopyButton) {
    frmMain& w = Start();
    w.cmdHelp_Click();
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    ASSERT_NE(w.Viewer, nullptr);
    frmView& viewer = *w.Viewer;
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_EQ(viewer.windowTitle(), "Help");
    EXPECT_FALSE(viewer.cmdCopyToClipboard->isVisible());
    EXPECT_TRUE(viewer.txbText1->toPlainText().startsWith("MERIDEL HELP"));
    EXPECT_TRUE(shown.messages.empty());
    EXPECT_NEAR(viewer.widthTwips(), w.FormWidth() - 200, 8);
    EXPECT_NEAR(viewer.heightTwips(), w.FormHeight() - 480, 8);
    // The main window stays usable: the viewer is not modal.
    EXPECT_FALSE(viewer.isModal());

    // Quitting hides the viewer with the window.
    w.StateJustStored = true;
    w.cmdQuit_Click();
    EXPECT_FALSE(viewer.isVisible());
}

}  // namespace
}  // namespace meridel
