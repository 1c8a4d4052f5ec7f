#include "ui/frmView.h"

#include "dialogs/dialogs.h"
#include "ui/catalog_text.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextCursor>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace meridel {
namespace {

QString lines(int length) {
    // Text of exactly length characters made of CR LF lines, for the cut tests.
    QString text;
    while (text.size() < length) text += QString("line %1\r\n").arg(text.size());
    return text.left(length);
}

TEST(ViewerText, NotesHaveTheirDesignedLengths) {
    EXPECT_EQ(ViewerHeadNote().size(), 168);
    EXPECT_EQ(ViewerTailNote().size(), 56);
}

TEST(ViewerText, CutStartsAt65530Characters) {
    const QString below = lines(65529);
    EXPECT_EQ(ViewerText(below), below);

    QString at = QString(65530, QChar('a'));
    at[65305] = QChar('B');  // last character kept
    at[65306] = QChar('C');  // first character dropped
    const QString shown = ViewerText(at);
    EXPECT_EQ(shown.size(), 65534);
    EXPECT_TRUE(shown.startsWith(ViewerHeadNote()));
    EXPECT_TRUE(shown.endsWith("B\r\n\r\n" + ViewerTailNote()));
    EXPECT_FALSE(shown.contains(QChar('C')));
}

TEST(ViewerText, CutNeverSplitsACrLfPair) {
    QString text = QString(70000, QChar('a'));
    text[65305] = QChar('\r');
    text[65306] = QChar('\n');
    const QString shown = ViewerText(text);
    EXPECT_EQ(shown.size(), 65533);
    EXPECT_TRUE(shown.endsWith("aa\r\n\r\n" + ViewerTailNote()));
}

TEST(HelpFile, LiesBesideTheProgramAndIsShownWhole) {
    const std::string path = QCoreApplication::applicationDirPath().toStdString() + "/mrd_help.txt";
    ViewerFile help = ReadViewerFile(path);
    ASSERT_TRUE(help.ok) << help.errorText;
    EXPECT_EQ(ViewerText(help.text), help.text);  // well below the cut
    EXPECT_GT(help.text.size(), 5000);
    // Plain 8-bit text with Windows line ends: every LF comes after a CR.
    EXPECT_EQ(help.text.count(QChar('\n')), help.text.count("\r\n"));
    for (QChar c : help.text) ASSERT_LT(c.unicode(), 128) << "non-ASCII character in the help text";
    // The date ranges the program enforces.
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
    static void settle() {
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
    }

    QTemporaryDir dir;
    std::string folder;
    RecordingDialogs shown;
    Dialogs* previous = nullptr;
};

TEST_F(ViewerFileTest, ReadFailuresCarryNumberReasonAndTitle) {
    ViewerFile missing = ReadViewerFile(folder + "absent.txt");
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.errorText, "Error 53.  No such file or directory");
    EXPECT_EQ(missing.errorTitle, GetCatalogText(53));

    writeHelp("");
    ViewerFile empty = ReadViewerFile(folder + "mrd_help.txt");
    EXPECT_FALSE(empty.ok);
    EXPECT_EQ(empty.errorText, GetCatalogText(17));
    EXPECT_EQ(empty.errorTitle, GetCatalogText(52));
    EXPECT_NE(GetCatalogText(17), "");
    EXPECT_NE(GetCatalogText(52), "");
    EXPECT_NE(GetCatalogText(53), "");
    EXPECT_EQ(GetCatalogText(18), "");

    ViewerFile folderRead = ReadViewerFile(folder);
    EXPECT_FALSE(folderRead.ok);
    EXPECT_EQ(folderRead.errorText.rfind("Error 75.  ", 0), 0u) << folderRead.errorText;
}

TEST_F(ViewerFileTest, EightBitAndUtf8FilesBothShowTheDegreeSign) {
    writeHelp("10\xB0 orb\r\n");
    ViewerFile ansi = ReadViewerFile(folder + "mrd_help.txt");
    ASSERT_TRUE(ansi.ok);
    EXPECT_EQ(ansi.text, QString::fromUtf8("10\xC2\xB0 orb\r\n"));
    writeHelp("10\xC2\xB0 orb\r\n");
    ViewerFile utf8 = ReadViewerFile(folder + "mrd_help.txt");
    ASSERT_TRUE(utf8.ok);
    EXPECT_EQ(utf8.text, ansi.text);
}

TEST_F(ViewerFileTest, HelpReadsOnceUntilClosedByItsFrame) {
    QWidget mainWindow;
    mainWindow.resize(920, 533);
    frmView viewer;
    writeHelp("first text\r\n");
    ShowHelp(viewer, mainWindow, folder);
    settle();
    EXPECT_EQ(viewer.windowTitle(), "Help");
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_EQ(viewer.txbText1->toPlainText(), "first text\n");
    EXPECT_FALSE(viewer.cmdCopyToClipboard->isVisible());
    EXPECT_EQ(viewer.txbText1->textCursor().position(), 0);

    writeHelp("second text\r\n");
    viewer.cmdClose_Click();
    EXPECT_FALSE(viewer.isVisible());
    ShowHelp(viewer, mainWindow, folder);
    settle();
    EXPECT_EQ(viewer.txbText1->toPlainText(), "first text\n");

    viewer.close();  // the frame's close button
    EXPECT_FALSE(viewer.isVisible());
    ShowHelp(viewer, mainWindow, folder);
    settle();
    EXPECT_EQ(viewer.txbText1->toPlainText(), "second text\n");
    EXPECT_TRUE(shown.messages.empty());
}

TEST_F(ViewerFileTest, MissingHelpFileIsReportedOnceAndTheViewerHides) {
    QWidget mainWindow;
    mainWindow.resize(920, 533);
    frmView viewer;
    ShowHelp(viewer, mainWindow, folder);
    settle();
    viewer.Form_Activate();  // activated again, as when the message box closes
    settle();
    ASSERT_EQ(shown.messages.size(), 1u);
    EXPECT_EQ(shown.messages[0].text, "Error 53.  No such file or directory");
    EXPECT_EQ(shown.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(shown.messages[0].title, GetCatalogText(53));
    EXPECT_FALSE(viewer.isVisible());

    // Opened again: the empty viewer, no second message, until it is closed by its frame.
    ShowHelp(viewer, mainWindow, folder);
    settle();
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_EQ(shown.messages.size(), 1u);
    viewer.close();
    writeHelp("");
    ShowHelp(viewer, mainWindow, folder);
    settle();
    ASSERT_EQ(shown.messages.size(), 2u);
    EXPECT_EQ(shown.messages[1].text, GetCatalogText(17));
    EXPECT_EQ(shown.messages[1].title, GetCatalogText(52));
}

TEST_F(ViewerFileTest, CopyButtonNamesAndCopiesTheSelection) {
    writeHelp("alpha beta\r\ngamma\r\n");
    frmView viewer;
    viewer.strFilename = folder + "mrd_help.txt";
    viewer.show();
    settle();
    ASSERT_TRUE(viewer.cmdCopyToClipboard->isVisible());
    EXPECT_EQ(viewer.cmdCopyToClipboard->text(), "Copy to clipboard");
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

    viewer.txbText1->moveCursor(QTextCursor::End);
    viewer.txbText1_MouseUp();
    EXPECT_EQ(viewer.cmdCopyToClipboard->text(), "Copy to clipboard");
    viewer.cmdCopyToClipboard_Click();
    EXPECT_EQ(QApplication::clipboard()->text(), "alpha beta\ngamma\n");
}

TEST_F(ViewerFileTest, SizeSpringsBackAndTheLayoutFollows) {
    writeHelp("x\r\n");
    frmView viewer;
    viewer.strFilename = folder + "mrd_help.txt";
    viewer.show();
    settle();
    viewer.resize(100, 50);
    settle();
    EXPECT_GE(viewer.widthTwips(), 8000);
    EXPECT_GE(viewer.heightTwips(), 2000);
    EXPECT_LT(viewer.widthTwips(), 8000 + 15);
    EXPECT_LT(viewer.heightTwips(), 2000 + 15);

    viewer.resize(800, 600);
    settle();
    const QRect text = viewer.txbText1->geometry();
    EXPECT_EQ(viewer.cmdCopyToClipboard->x(), text.x());
    EXPECT_EQ(viewer.cmdClose->geometry().right(), text.right());
    EXPECT_GT(viewer.cmdClose->y(), text.bottom());
    EXPECT_LE(viewer.cmdClose->geometry().bottom(), viewer.height());
    EXPECT_NEAR(text.width() * 15, viewer.widthTwips() - 450, 15);
    EXPECT_NEAR(text.height() * 15, viewer.heightTwips() - 1200, 15);
}

TEST_F(ViewerFileTest, MaximisedViewerStaysMaximisedAndMinimisedIsRestored) {
    writeHelp("x\r\n");
    QWidget mainWindow;
    mainWindow.setGeometry(200, 100, 920, 533);
    frmView viewer;
    ShowHelp(viewer, mainWindow, folder);
    settle();
    EXPECT_EQ(viewer.width(), 920 - 14);  // 200 twips narrower
    EXPECT_EQ(viewer.height(), 533 - 32);

    viewer.showMaximized();
    settle();
    ShowHelp(viewer, mainWindow, folder);
    settle();
    EXPECT_TRUE(viewer.isMaximized());

    viewer.showMinimized();
    settle();
    ShowHelp(viewer, mainWindow, folder);
    settle();
    EXPECT_FALSE(viewer.isMinimized());
    EXPECT_FALSE(viewer.isMaximized());
    EXPECT_EQ(viewer.width(), 920 - 14);
}

}  // namespace
}  // namespace meridel
