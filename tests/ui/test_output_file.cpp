#include "ui/output_file.h"

#include "dialogs/dialogs.h"
#include "file_fault.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace meridel {
namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool fileExists(const std::string& path) { return std::ifstream(path).good(); }

class OutputFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        previous = setDialogs(&shown);
    }
    void TearDown() override { setDialogs(previous); }
    std::string file(const std::string& name) const { return dir.path().toStdString() + "/" + name; }

    QTemporaryDir dir;
    RecordingDialogs shown;
    Dialogs* previous = nullptr;
};

TEST(TrimBlanks, RemovesSpacesOnlyAtBothEnds) {
    EXPECT_EQ(TrimBlanks("  abc  "), "abc");
    EXPECT_EQ(TrimBlanks(" \tabc\r\n "), "\tabc\r\n");
    EXPECT_EQ(TrimBlanks("a  b"), "a  b");
    EXPECT_EQ(TrimBlanks("    "), "");
    EXPECT_EQ(TrimBlanks(""), "");
}

TEST_F(OutputFileTest, FileHoldsTheTextInWindows1252WithCrLf) {
    const std::string path = file("out.txt");
    // The degree sign is two bytes of UTF-8 and one byte in the file; bare LF becomes CR LF,
    // an existing CR LF stays one pair; a character the code page lacks becomes "?".
    EXPECT_EQ(WriteTextFile("12\xC2\xB0 30'\nab\r\nc\xE2\x82\xAC\xE2\x86\x92", path), "");
    EXPECT_EQ(readFile(path), "12\xB0 30'\r\nab\r\nc\x80?\r\n");
}

TEST_F(OutputFileTest, ExistingFileIsReplacedWhole) {
    const std::string path = file("out.txt");
    std::ofstream(path, std::ios::binary) << std::string(5000, 'z');
    EXPECT_EQ(WriteTextFile("abc", path), "");
    EXPECT_EQ(readFile(path), "abc\r\n");
}

TEST_F(OutputFileTest, MissingFolderGivesTheSystemsReason) {
    const std::string path = file("no/such/folder/out.txt");
    const std::string status = WriteTextFile("abc", path);
    EXPECT_NE(status, "");
    EXPECT_NE(status.find("No such file or directory"), std::string::npos) << status;
    EXPECT_FALSE(fileExists(path));
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

TEST_F(OutputFileTest, ButtonTrimsWritesAndSaysWhere) {
    const std::string path = file("listing.txt");
    shown.saveFileChoices.push_back(path);
    std::string box = "  abc  ";
    std::string chosen;
    EXPECT_TRUE(WriteOutputToFile(box, false, chosen));
    EXPECT_EQ(box, "abc");
    EXPECT_EQ(chosen, path);
    EXPECT_EQ(readFile(path), "abc\r\n");
    ASSERT_EQ(shown.messages.size(), 1u);
    EXPECT_EQ(shown.messages[0].text, "Output written to file " + path);
    EXPECT_EQ(shown.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(shown.messages[0].title, "Done");
    EXPECT_TRUE(shown.openedFiles.empty());
}

TEST_F(OutputFileTest, BlankOutputIsRefusedBeforeTheDialog) {
    shown.saveFileChoices.push_back(file("never.txt"));
    std::string box = "     ";
    std::string chosen = "earlier.txt";
    EXPECT_FALSE(WriteOutputToFile(box, false, chosen));
    EXPECT_EQ(box, "");
    EXPECT_EQ(chosen, "earlier.txt");
    EXPECT_EQ(shown.saveFileChoices.size(), 1u);  // the dialog was not shown
    ASSERT_EQ(shown.messages.size(), 1u);
    EXPECT_EQ(shown.messages[0].text, "Nothing to write.");
    EXPECT_EQ(shown.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(shown.messages[0].title, "Write output to file");
}

TEST_F(OutputFileTest, CancelledDialogDoesNothing) {
    std::string box = " x ";
    std::string chosen = "earlier.txt";
    EXPECT_FALSE(WriteOutputToFile(box, false, chosen));  // no choice queued: cancelled
    EXPECT_EQ(box, "x");
    EXPECT_EQ(chosen, "earlier.txt");
    EXPECT_TRUE(shown.messages.empty());
}

TEST_F(OutputFileTest, WriteErrorIsReportedAndTheBoxKeepsItsText) {
    const std::string path = file("missing/listing.txt");
    shown.saveFileChoices.push_back(path);
    std::string box = " line 1\nline 2 ";
    std::string chosen;
    EXPECT_FALSE(WriteOutputToFile(box, true, chosen));
    EXPECT_EQ(box, "line 1\nline 2");
    ASSERT_EQ(shown.messages.size(), 1u);
    EXPECT_EQ(shown.messages[0].text.rfind("Error writing to file " + path + "\n", 0), 0u)
        << shown.messages[0].text;
    EXPECT_GT(shown.messages[0].text.size(), ("Error writing to file " + path + "\n").size());
    EXPECT_EQ(shown.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(shown.messages[0].title, "Write output to file");
    EXPECT_TRUE(shown.openedFiles.empty());
}

TEST_F(OutputFileTest, OpenOutputFileOpensInsteadOfSayingDone) {
    const std::string path = file("open.txt");
    shown.saveFileChoices.push_back(path);
    std::string box = "abc";
    std::string chosen;
    EXPECT_TRUE(WriteOutputToFile(box, true, chosen));
    EXPECT_EQ(shown.openedFiles, std::vector<std::string>{path});
    EXPECT_TRUE(shown.messages.empty());

    shown.openSucceeds = false;
    EXPECT_FALSE(OpenWithAssociatedProgram(path));
    ASSERT_EQ(shown.messages.size(), 1u);
    EXPECT_EQ(shown.messages[0].text, "Error when opening file " + path + ".");
    EXPECT_EQ(shown.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(shown.messages[0].title, "Error");
}

}  // namespace
}  // namespace meridel
