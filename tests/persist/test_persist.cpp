// What reaches the disk, and what the viewer shows of a file: the saved-state store, the output
// file and the text viewer.
#include "persist/frmView.h"
#include "persist/output_file.h"
#include "persist/registry.h"

#include "dialogs/dialogs.h"
#include "file_fault.h"

#include <QApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <sys/stat.h>

namespace meridel {
namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class RegistryFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir().mkpath(dir.path() + "/cfg"));
        path = (dir.path() + "/cfg/Meridel.ini").toStdString();
        UseSettingsFile(path);
    }
    void TearDown() override { UseMemorySettings(); }
    QTemporaryDir dir;
    std::string path;
    std::string value;
};

// (Values coming back as written is the store fuzzer's check.)
TEST_F(RegistryFileTest, HandEditedValuesFallBackAndACorruptFileIsReplaced) {
    // Edited by hand: CR LF lines, a comment, an emptied value, a list of numbers.
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        << "; mine\r\n[Software\\Vantorel\\MRD]\r\nWorld=\r\nTZ0=3,4\r\n";
    EXPECT_FALSE(RestoreRegistryValue("\\MRD", "World", value, "N"));
    EXPECT_EQ(value, "N");
    EXPECT_TRUE(RestoreRegistryValue("\\MRD", "TZ0", value, "24"));
    EXPECT_EQ(value, "3,4");

    // Corrupted: no state, and the next save replaces the file.
    std::ofstream(path, std::ios::binary | std::ios::trunc) << "\xff\xfe[[[Software\n=\n\x01\x02";
    EXPECT_FALSE(RestoreRegistryValue("\\MRD", "TZ0", value, ""));
    EXPECT_TRUE(SaveRegistryValue("\\MRD", "StateSaved", "Y"));
    EXPECT_EQ(ReadFile(path), "[Software\\Vantorel\\MRD]\nStateSaved=Y\n\n");
}

// A folder of the test's own, and the dialogs recorded rather than shown.
class WithDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        previous = SetDialogs(&shown);
    }
    void TearDown() override { SetDialogs(previous); }
    std::string file(const std::string& name) const { return dir.path().toStdString() + "/" + name; }
    void ExpectOneMessage(const std::string& text, MessageIcon icon, const std::string& title) {
        ASSERT_EQ(shown.messages.size(), 1u);
        EXPECT_EQ(shown.messages[0].text, text);
        EXPECT_EQ(shown.messages[0].icon, icon);
        EXPECT_EQ(shown.messages[0].title, title);
    }

    QTemporaryDir dir;
    RecordingDialogs shown;
    Dialogs* previous = nullptr;
};

using OutputFileTest = WithDialogs;

// The degree sign is one byte; a bare LF becomes CR LF, a CR LF stays one pair; a character the
// code page lacks becomes "?". A write that runs out of space keeps the old file (the saved-state
// store replaces its file the same way): a short text is cut off while buffered, a long one while
// written directly.
TEST_F(OutputFileTest, FileIsReplacedWholeByTheTextInWindows1252WithCrLf) {
    const std::string path = file("out.txt");
    std::ofstream(path, std::ios::binary) << std::string(5000, 'z');
    EXPECT_EQ(WriteTextFile("12\xC2\xB0 30'\nab\r\nc\xE2\x82\xAC\xE2\x86\x92", path), "");
    const std::string written = "12\xB0 30'\r\nab\r\nc\x80?\r\n";
    EXPECT_EQ(ReadFile(path), written);

    for (size_t size : {50, 20000}) {
        std::string status;
        {
            test::FileSizeLimit limit(20);
            status = WriteTextFile(std::string(size, 'x'), path);
        }
        EXPECT_EQ(status, "File too large") << size;
        EXPECT_EQ(ReadFile(path), written) << size;
    }
}

// A folder that takes no new file (so no temporary file beside the output) holding a file the
// user may write: the file is written in place, as the design has it, and a failure part-way is
// still reported. A new file there, and a read-only file where a temporary file could be made,
// are refused with the system's reason.
TEST_F(OutputFileTest, PermissionsDecideBetweenWritingInPlaceAndRefusing) {
    const std::string folder = file("locked"), readOnly = file("read-only.txt");
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    const std::string path = folder + "/out.txt";
    std::ofstream(path, std::ios::binary) << std::string(100, 'z');
    std::ofstream(readOnly, std::ios::binary) << "old listing\r\n";
    ASSERT_EQ(chmod(path.c_str(), 0666), 0);
    ASSERT_EQ(chmod(readOnly.c_str(), 0444), 0);
    ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
    ASSERT_EQ(chmod(dir.path().toLocal8Bit().constData(), 0777), 0);
    struct stat before {};
    ASSERT_EQ(stat(path.c_str(), &before), 0);

    const auto status = test::AsUnprivilegedUser([&] { return WriteTextFile("new\nlisting", path); });
    const auto created = test::AsUnprivilegedUser([&] { return WriteTextFile("x", folder + "/new.txt"); });
    const std::string fitsBefore = ReadFile(path);
    const auto cutShort = test::AsUnprivilegedUser([&] {
        test::FileSizeLimit limit(20);
        return WriteTextFile(std::string(50, 'x'), path);
    });
    const auto refused = test::AsUnprivilegedUser([&] { return WriteTextFile("new listing", readOnly); });
    ASSERT_EQ(chmod(folder.c_str(), 0755), 0);  // so that the folder can be removed
    if (!status || !created || !cutShort || !refused) GTEST_SKIP() << "cannot run as a user whom file permissions bind";
    EXPECT_EQ(*status, "");
    EXPECT_EQ(fitsBefore, "new\r\nlisting\r\n");
    struct stat after {};
    ASSERT_EQ(stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino) << "written in place, not replaced";
    EXPECT_EQ(*created, "Permission denied");
    EXPECT_EQ(*cutShort, "File too large");
    EXPECT_EQ(ReadFile(path), std::string(20, 'x')) << "in place, a failure part-way leaves the file cut short";
    EXPECT_EQ(*refused, "Permission denied");
    EXPECT_EQ(ReadFile(readOnly), "old listing\r\n");
}

// Blank output is refused before the dialog, Cancel does nothing, a folder that is not there is
// reported with the system's reason, and a file written with "open" checked is opened instead of
// a message saying so.
TEST_F(OutputFileTest, RefusedCancelledAndOpenedWrites) {
    std::string chosen = "earlier.txt";
    shown.saveFileChoices.push_back(file("never.txt"));
    std::string box = "     ";
    EXPECT_FALSE(WriteOutputToFile(box, false, chosen));
    EXPECT_EQ(box, "");
    EXPECT_EQ(shown.saveFileChoices.size(), 1u);  // no dialog
    ExpectOneMessage("Nothing to write.", MessageIcon::Exclamation, "Write output to file");

    shown.Clear();  // no choice queued: the dialog is cancelled
    box = " \tx ";
    EXPECT_FALSE(WriteOutputToFile(box, false, chosen));
    EXPECT_EQ(box, "\tx") << "blanks are trimmed, tabs are not";
    EXPECT_EQ(chosen, "earlier.txt");
    EXPECT_TRUE(shown.messages.empty());

    const std::string missing = file("missing/listing.txt");
    shown.saveFileChoices.push_back(missing);
    EXPECT_FALSE(WriteOutputToFile(box, true, chosen));
    EXPECT_EQ(box, "\tx");
    ExpectOneMessage("Error writing to file " + missing + "\nNo such file or directory", MessageIcon::Exclamation,
                     "Write output to file");
    EXPECT_TRUE(shown.openedFiles.empty());

    shown.Clear();
    const std::string path = file("open.txt");
    shown.saveFileChoices.push_back(path);
    EXPECT_TRUE(WriteOutputToFile(box, true, chosen));
    EXPECT_EQ(chosen, path) << "the file chosen is kept";
    EXPECT_EQ(shown.openedFiles, std::vector<std::string>{path});
    EXPECT_TRUE(shown.messages.empty());
    shown.openSucceeds = false;
    EXPECT_FALSE(OpenWithAssociatedProgram(path));
    ExpectOneMessage("Error when opening file " + path + ".", MessageIcon::Exclamation, "Error");
}

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

class ViewerFileTest : public WithDialogs {
protected:
    void OpenHelp() {
        ShowHelp(viewer, QPoint(200, 100), 13800, 8000, file(""));
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
    }

    frmView viewer;
};

TEST_F(ViewerFileTest, MissingHelpFileIsReportedOnceAndTheViewerHides) {
    OpenHelp();
    viewer.Form_Activate();  // activated again, as when the message box closes
    ExpectOneMessage("Error 53.  No such file or directory", MessageIcon::Exclamation, "File error");
    EXPECT_FALSE(viewer.isVisible());

    OpenHelp();  // the empty viewer, no second message, until closed by its frame
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_EQ(shown.messages.size(), 1u);
    viewer.close();
    std::ofstream(file("mrd_help.txt"), std::ios::binary) << "first text\r\n";
    OpenHelp();
    EXPECT_EQ(viewer.txbText1->toPlainText(), "first text\n");
    EXPECT_FALSE(viewer.cmdCopyToClipboard->isVisible());
}

}  // namespace
}  // namespace meridel
