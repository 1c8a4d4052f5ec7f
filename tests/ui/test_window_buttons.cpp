// The window's "Write output to file" and help buttons.
#include <QCoreApplication>
#include <QTemporaryDir>

#include <fstream>
#include <string>

#include "ui/frmView.h"
#include "window_fixture.h"

namespace meridel {
namespace {

using WindowButtons = WindowTest;

// Blanks (not tabs) are trimmed in the box too; the file has CR LF and a one-byte degree sign.
TEST_F(WindowButtons, FileButtonWritesTheTrimmedBoxAndShowsItTrimmed) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    frmMain& w = Start();
    w.txbOutput->setPlainText(QString::fromUtf8("  \tConj   | 2024-01-02  0\xC2\xB0""12'\nline 2  "));
    const std::string path = dir.path().toStdString() + "/out.txt";
    shown.saveFileChoices.push_back(path);
    w.cmdFile_Click();
    EXPECT_EQ(w.txbOutput->toPlainText(), QString::fromUtf8("\tConj   | 2024-01-02  0\xC2\xB0""12'\nline 2"));
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "\tConj   | 2024-01-02  0\xB0" "12'\r\nline 2\r\n");
    EXPECT_EQ(w.OutputFilePath, path);
    ExpectOneMessage("Output written to file " + path, "Done", MessageIcon::Information);
}

TEST_F(WindowButtons, HelpShowsTheHelpFileBesideTheProgramOverTheWindow) {
    frmMain& w = Start();
    w.cmdHelp_Click();
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    ASSERT_NE(w.Viewer, nullptr);
    frmView& viewer = *w.Viewer;
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_TRUE(viewer.txbText1->toPlainText().startsWith("MERIDEL HELP"));
    EXPECT_TRUE(shown.messages.empty());
    EXPECT_NEAR(viewer.heightTwips(), w.FormHeight() - 480, 8);
    EXPECT_FALSE(viewer.isModal());  // the main window stays usable
    // Quitting hides the viewer with the window.
    w.StateJustStored = true;
    w.cmdQuit_Click();
    EXPECT_FALSE(viewer.isVisible());
}

}  // namespace
}  // namespace meridel
