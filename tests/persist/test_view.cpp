#include "persist/frmView.h"

#include "dialogs/dialogs.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace meridel {
namespace {

TEST(ViewerText, CutStartsAt65530CharactersAndNeverSplitsCrLf) {
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

class ViewerFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        previous = setDialogs(&shown);
        folder = dir.path().toStdString() + "/";
    }
    void TearDown() override { setDialogs(previous); }
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

TEST_F(ViewerFileTest, MissingHelpFileIsReportedOnceAndTheViewerHides) {
    openHelp();
    viewer.Form_Activate();  // activated again, as when the message box closes
    ASSERT_EQ(shown.messages.size(), 1u);
    EXPECT_EQ(shown.messages[0].text, "Error 53.  No such file or directory");
    EXPECT_EQ(shown.messages[0].title, "File error");
    EXPECT_EQ(shown.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_FALSE(viewer.isVisible());

    openHelp();  // the empty viewer, no second message, until closed by its frame
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_EQ(shown.messages.size(), 1u);
    viewer.close();
    std::ofstream(folder + "mrd_help.txt", std::ios::binary) << "first text\r\n";
    openHelp();
    EXPECT_EQ(viewer.txbText1->toPlainText(), "first text\n");
    EXPECT_FALSE(viewer.cmdCopyToClipboard->isVisible());
    EXPECT_NEAR(viewer.widthTwips(), 13800 - 200, 8);
}

}  // namespace
}  // namespace meridel
