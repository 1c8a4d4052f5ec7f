// The "Write output to file" button of the window.
#include <QTemporaryDir>

#include <fstream>
#include <string>

#include "window_fixture.h"

namespace meridel {
namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

using OutputFileButton = WindowTest;

TEST_F(OutputFileButton, WritesTheTrimmedBoxAndShowsItTrimmed) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    frmMain& w = Start();
    w.txbOutput->setPlainText(QString::fromUtf8("  Conj   | 2024-01-02  0\xC2\xB0""12'\nline 2  "));
    const std::string path = dir.path().toStdString() + "/out.txt";
    shown.saveFileChoices.push_back(path);
    w.cmdFile_Click();
    EXPECT_EQ(w.txbOutput->toPlainText(), QString::fromUtf8("Conj   | 2024-01-02  0\xC2\xB0""12'\nline 2"));
    EXPECT_EQ(readFile(path), "Conj   | 2024-01-02  0\xB0" "12'\r\nline 2\r\n");
    EXPECT_EQ(w.OutputFilePath, path);
    ASSERT_EQ(shown.messages.size(), 1u);
    EXPECT_EQ(shown.messages[0].title, "Done");
}

}  // namespace
}  // namespace meridel
