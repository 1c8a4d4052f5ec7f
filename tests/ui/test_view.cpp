#include "ui/frmView.h"

#include "dialogs/dialogs.h"
#include "ui/catalog_text.h"

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextCursor>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace meridel {
namespace {

TEST(ViewerText, CutStartsAt65530CharactersAndNeverSplitsCrLf) {
    EXPECT_EQ(ViewerHeadNote().size(), 168);
    EXPECT_EQ(ViewerTailNote().size(), 56);
    QString text = QString(65529, QChar('a'));
    EXPECT_EQ(ViewerText(text), text);

    text += QChar('C');  // 65530: cut after character 65306
    text[65305] = QChar('B');
    QString shown = ViewerText(text);
    EXPECT_EQ(shown.size(), 65534);
    EXPECT_EQ(shown, ViewerHeadNote() + text.left(65306) + "\r\n\r\n" + ViewerTailNote());

    text[65305] = QChar('\r');
    text[65306] = QChar('\n');
    shown = ViewerText(text);
    EXPECT_EQ(shown, ViewerHeadNote() + text.left(65305) + "\r\n\r\n" + ViewerTailNote());
}

TEST(HelpFile, LiesBesideTheProgramAndIsShownWhole) {
    ViewerFile help = ReadViewerFile(QApplication::applicationDirPath().toStdString() + "/mrd_help.txt");
    ASSERT_TRUE(help.ok) << help.errorText;
    EXPECT_EQ(ViewerText(help.text), help.text);
    // Plain 8-bit text with Windows line ends, naming the date ranges the program enforces.
    EXPECT_EQ(help.text.count(QChar('\n')), help.text.count("\r\n"));
    for (QChar c : help.text) ASSERT_LT(c.unicode(), 128) << "non-ASCII character in the help text";
    EXPECT_TRUE(help.text.contains("31 December 2799"));
    EXPECT_TRUE(help.text.contains("1 January 1600"));
}

class ViewerFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        previous = setDialogs(&shown);
        folder = dir.path().toStdString() + "/";
    }
    void TearDown() override { setDialogs(previous); }
    void writeHelp(const std::string& bytes) {
        std::ofstream(folder + "mrd_help.txt", std::ios::binary | std::ios::trunc) << bytes;
    }
    void openHelp() {
        ShowHelp(viewer, QPoint(200, 100), 13800, 8000, folder);
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
    }

    QTemporaryDir dir;
    std::string folder;
    RecordingDialogs shown;
    Dialogs* previous = nullptr;
    frmView viewer;
};

TEST_F(ViewerFileTest, ReadFailuresCarryNumberReasonAndTitle) {
    ViewerFile missing = ReadViewerFile(folder + "absent.txt");
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.errorText, "Error 53.  No such file or directory");
    EXPECT_EQ(missing.errorTitle, "File error");
    EXPECT_EQ(ReadViewerFile(folder).errorText.rfind("Error 75.  ", 0), 0u);
    writeHelp("");
    ViewerFile empty = ReadViewerFile(folder + "mrd_help.txt");
    EXPECT_FALSE(empty.ok);
    EXPECT_EQ(empty.errorText, GetCatalogText(17));
    EXPECT_EQ(empty.errorTitle, "Empty file");
    // An 8-bit file shows its degree sign like a UTF-8 one.
    writeHelp("10\xB0 orb");
    EXPECT_EQ(ReadViewerFile(folder + "mrd_help.txt").text, QString::fromUtf8("10\xC2\xB0 orb"));
}

TEST_F(ViewerFileTest, HelpReadsOnceUntilClosedByItsFrame) {
    writeHelp("first text\r\n");
    openHelp();
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_EQ(viewer.windowTitle(), "Help");
    EXPECT_EQ(viewer.txbText1->toPlainText(), "first text\n");
    EXPECT_FALSE(viewer.cmdCopyToClipboard->isVisible());
    EXPECT_NEAR(viewer.widthTwips(), 13800 - 200, 8);
    EXPECT_NEAR(viewer.heightTwips(), 8000 - 480, 8);

    writeHelp("second text\r\n");
    viewer.cmdClose_Click();
    EXPECT_FALSE(viewer.isVisible());
    openHelp();
    EXPECT_EQ(viewer.txbText1->toPlainText(), "first text\n");
    viewer.close();  // the frame's close button
    openHelp();
    EXPECT_EQ(viewer.txbText1->toPlainText(), "second text\n");
    EXPECT_TRUE(shown.messages.empty());
}

TEST_F(ViewerFileTest, MissingHelpFileIsReportedOnceAndTheViewerHides) {
    openHelp();
    viewer.Form_Activate();  // activated again, as when the message box closes
    ASSERT_EQ(shown.messages.size(), 1u);
    EXPECT_EQ(shown.messages[0].text, "Error 53.  No such file or directory");
    EXPECT_EQ(shown.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_FALSE(viewer.isVisible());

    openHelp();  // the empty viewer, no second message, until closed by its frame
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_EQ(shown.messages.size(), 1u);
    viewer.close();
    writeHelp("");
    openHelp();
    ASSERT_EQ(shown.messages.size(), 2u);
    EXPECT_EQ(shown.messages[1].text, GetCatalogText(17));
}

TEST_F(ViewerFileTest, CopyButtonNamesAndCopiesTheSelection) {
    writeHelp("alpha beta\r\ngamma\r\n");
    viewer.strFilename = folder + "mrd_help.txt";
    viewer.show();
    QApplication::processEvents();
    ASSERT_TRUE(viewer.cmdCopyToClipboard->isVisible());
    const int shortWidth = viewer.cmdCopyToClipboard->width();

    QTextCursor cursor = viewer.txbText1->textCursor();
    cursor.setPosition(6);
    cursor.setPosition(16, QTextCursor::KeepAnchor);
    viewer.txbText1->setTextCursor(cursor);
    viewer.txbText1_MouseUp();
    EXPECT_EQ(viewer.cmdCopyToClipboard->text(), "Copy selected text to clipboard");
    EXPECT_GT(viewer.cmdCopyToClipboard->width(), shortWidth);
    viewer.cmdCopyToClipboard_Click();
    EXPECT_EQ(QApplication::clipboard()->text(), "beta\ngamma");
    EXPECT_EQ(viewer.cmdCopyToClipboard->text(), "Copy to clipboard");
    EXPECT_EQ(viewer.cmdCopyToClipboard->width(), shortWidth);

    viewer.txbText1->moveCursor(QTextCursor::End);  // nothing selected: the whole text
    viewer.cmdCopyToClipboard_Click();
    EXPECT_EQ(QApplication::clipboard()->text(), "alpha beta\ngamma\n");
}

TEST_F(ViewerFileTest, SizeSpringsBackAndWindowStatesAreKept) {
    writeHelp("x\r\n");
    openHelp();
    viewer.resize(100, 50);
    QApplication::processEvents();
    EXPECT_GE(viewer.widthTwips(), 8000);
    EXPECT_GE(viewer.heightTwips(), 2000);
    EXPECT_EQ(viewer.cmdClose->geometry().right(), viewer.txbText1->geometry().right());

    viewer.showMaximized();
    openHelp();
    EXPECT_TRUE(viewer.isMaximized());
    viewer.showMinimized();
    openHelp();
    EXPECT_FALSE(viewer.isMinimized());
    EXPECT_FALSE(viewer.isMaximized());
    EXPECT_NEAR(viewer.heightTwips(), 8000 - 480, 8);
}

}  // namespace
}  // namespace meridel
