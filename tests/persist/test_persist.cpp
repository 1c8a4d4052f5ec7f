// What reaches the disk: the saved-state store and the output file.
#include "persist/output_file.h"
#include "persist/registry.h"

#include "dialogs/dialogs.h"
#include "file_fault.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <sys/stat.h>

namespace meridel {
namespace {

std::string readFile(const std::string& path) {
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

TEST_F(RegistryFileTest, ValuesComeBackFromTheFileExactlyOrFallBack) {
    EXPECT_TRUE(SaveRegistryValue("\\MRD", "ATDateFmt", "a\\x=b; \t\r\n"));
    UseSettingsFile(path);  // a later start reads the file afresh
    EXPECT_TRUE(RestoreRegistryValue("\\MRD", "ATDateFmt", value, ""));
    EXPECT_EQ(value, "a\\x=b; ");  // trailing control characters removed, the blank kept

    // Edited by hand: CR LF lines, a comment, an emptied value, a list of numbers.
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        << "; mine\r\n[Software\\Vantorel\\MRD]\r\nWorld=\r\nTZ0=3,4\r\n";
    EXPECT_FALSE(RestoreRegistryValue("\\MRD", "World", value, "N"));
    EXPECT_EQ(value, "N");
    EXPECT_TRUE(RestoreRegistryValue("\\MRD", "TZ0", value, "24"));
    EXPECT_EQ(value, "3,4");
}

TEST_F(RegistryFileTest, FailedWriteLeavesTheOldFileWhole) {
    ASSERT_TRUE(SaveRegistryValue("\\MRD", "World", "Y"));
    const std::string before = readFile(path);
    bool saved = true;
    {
        test::FileSizeLimit limit(before.size() + 8);  // the disk fills up part-way
        saved = SaveRegistryValue("\\MRD", "ATDateFmt", std::string(400, 'x'));
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(readFile(path), before);
    EXPECT_FALSE(RestoreRegistryValue("\\MRD", "ATDateFmt", value, "none"));
    EXPECT_TRUE(RestoreRegistryValue("\\MRD", "World", value, "N"));
    EXPECT_EQ(value, "Y");
}

TEST_F(RegistryFileTest, CorruptedFileReadsAsNoStateAndTheNextSaveReplacesIt) {
    std::ofstream(path, std::ios::binary) << "\xff\xfe[[[Software\n=\n\x01\x02";
    EXPECT_FALSE(RestoreRegistryValue("\\MRD", "StateSaved", value, ""));
    EXPECT_TRUE(SaveRegistryValue("\\MRD", "StateSaved", "Y"));
    EXPECT_EQ(readFile(path), "[Software\\Vantorel\\MRD]\nStateSaved=Y\n\n");
}

class OutputFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        previous = setDialogs(&shown);
    }
    void TearDown() override { setDialogs(previous); }
    std::string file(const std::string& name) const { return dir.path().toStdString() + "/" + name; }
    void expectOneMessage(const std::string& text, MessageIcon icon, const std::string& title) {
        ASSERT_EQ(shown.messages.size(), 1u);
        EXPECT_EQ(shown.messages[0].text, text);
        EXPECT_EQ(shown.messages[0].icon, icon);
        EXPECT_EQ(shown.messages[0].title, title);
    }

    QTemporaryDir dir;
    RecordingDialogs shown;
    Dialogs* previous = nullptr;
    std::string chosen = "earlier.txt";
};

TEST_F(OutputFileTest, FileIsReplacedByTheTextInWindows1252WithCrLf) {
    const std::string path = file("out.txt");
    std::ofstream(path, std::ios::binary) << std::string(5000, 'z');
    // The degree sign is one byte; a bare LF becomes CR LF, a CR LF stays one pair; a
    // character the code page lacks becomes "?".
    EXPECT_EQ(WriteTextFile("12\xC2\xB0 30'\nab\r\nc\xE2\x82\xAC\xE2\x86\x92", path), "");
    EXPECT_EQ(readFile(path), "12\xB0 30'\r\nab\r\nc\x80?\r\n");
}

TEST_F(OutputFileTest, WriteThatRunsOutOfSpaceKeepsTheOldFile) {
    const std::string path = file("out.txt");
    std::ofstream(path, std::ios::binary) << "old listing\r\n";
    // A short text is cut off while buffered, a long one while written directly.
    for (size_t size : {50, 20000}) {
        std::string status;
        {
            test::FileSizeLimit limit(20);
            status = WriteTextFile(std::string(size, 'x'), path);
        }
        EXPECT_EQ(status, "File too large") << size;
        EXPECT_EQ(readFile(path), "old listing\r\n") << size;
    }
}

// A folder that takes no new file (so no temporary file beside the output) holding a file the
// user may write: the file is written in place, as the design has it. A new file there is
// refused with the system's reason.
TEST_F(OutputFileTest, FolderThatTakesNoNewFileGetsItsFileWrittenInPlace) {
    const std::string folder = file("locked");
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    const std::string path = folder + "/out.txt";
    std::ofstream(path, std::ios::binary) << std::string(100, 'z');
    ASSERT_EQ(chmod(path.c_str(), 0666), 0);
    ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
    ASSERT_EQ(chmod(dir.path().toLocal8Bit().constData(), 0755), 0);
    struct stat before {};
    ASSERT_EQ(stat(path.c_str(), &before), 0);

    const auto status = test::AsUnprivilegedUser([&] { return WriteTextFile("new\nlisting", path); });
    const auto created = test::AsUnprivilegedUser([&] { return WriteTextFile("x", folder + "/new.txt"); });
    const std::string fitsBefore = readFile(path);
    const auto cutShort = test::AsUnprivilegedUser([&] {
        test::FileSizeLimit limit(20);
        return WriteTextFile(std::string(50, 'x'), path);
    });
    ASSERT_EQ(chmod(folder.c_str(), 0755), 0);  // so that the folder can be removed
    if (!status || !created || !cutShort) GTEST_SKIP() << "cannot run as a user whom file permissions bind";
    EXPECT_EQ(*status, "");
    EXPECT_EQ(fitsBefore, "new\r\nlisting\r\n");
    struct stat after {};
    ASSERT_EQ(stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino) << "written in place, not replaced";
    EXPECT_EQ(*created, "Permission denied");
    // In place, a failure part-way is still reported; the file is then cut short.
    EXPECT_EQ(*cutShort, "File too large");
    EXPECT_EQ(readFile(path), std::string(20, 'x'));
}

// A read-only file in a folder that would take a temporary file: refused with the system's
// reason, and the file keeps its text.
TEST_F(OutputFileTest, ReadOnlyFileIsRefusedWithTheSystemsReason) {
    const std::string path = file("read-only.txt");
    std::ofstream(path, std::ios::binary) << "old listing\r\n";
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    ASSERT_EQ(chmod(dir.path().toLocal8Bit().constData(), 0777), 0);
    const auto status = test::AsUnprivilegedUser([&] { return WriteTextFile("new listing", path); });
    if (!status) GTEST_SKIP() << "cannot run as a user whom file permissions bind";
    EXPECT_EQ(*status, "Permission denied");
    EXPECT_EQ(readFile(path), "old listing\r\n");
}

// Blank output is refused before the dialog, Cancel does nothing, and a folder that is not there
// is reported with the system's reason.
TEST_F(OutputFileTest, RefusedOrCancelledWritesLeaveTheBoxAndTheChoice) {
    shown.saveFileChoices.push_back(file("never.txt"));
    std::string box = "     ";
    EXPECT_FALSE(WriteOutputToFile(box, false, chosen));
    EXPECT_EQ(box, "");
    EXPECT_EQ(shown.saveFileChoices.size(), 1u);  // no dialog
    expectOneMessage("Nothing to write.", MessageIcon::Exclamation, "Write output to file");

    shown.clear();  // no choice queued: the dialog is cancelled
    box = " \tx ";
    EXPECT_FALSE(WriteOutputToFile(box, false, chosen));
    EXPECT_EQ(box, "\tx") << "blanks are trimmed, tabs are not";
    EXPECT_EQ(chosen, "earlier.txt");
    EXPECT_TRUE(shown.messages.empty());

    const std::string path = file("missing/listing.txt");
    shown.saveFileChoices.push_back(path);
    EXPECT_FALSE(WriteOutputToFile(box, true, chosen));
    EXPECT_EQ(box, "\tx");
    expectOneMessage("Error writing to file " + path + "\nNo such file or directory",
                     MessageIcon::Exclamation, "Write output to file");
    EXPECT_TRUE(shown.openedFiles.empty());
}

TEST_F(OutputFileTest, OpenOutputFileOpensInsteadOfSayingDone) {
    const std::string path = file("open.txt");
    shown.saveFileChoices.push_back(path);
    std::string box = "abc";
    EXPECT_TRUE(WriteOutputToFile(box, true, chosen));
    EXPECT_EQ(chosen, path) << "the file chosen is kept";
    EXPECT_EQ(shown.openedFiles, std::vector<std::string>{path});
    EXPECT_TRUE(shown.messages.empty());

    shown.openSucceeds = false;
    EXPECT_FALSE(OpenWithAssociatedProgram(path));
    expectOneMessage("Error when opening file " + path + ".", MessageIcon::Exclamation, "Error");
}

}  // namespace
}  // namespace meridel
