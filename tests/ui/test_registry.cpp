#include "ui/registry.h"

#include "file_fault.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <limits>
#include <string>

namespace meridel {
namespace {

const RegistryRoot kUser = RegistryRoot::CurrentUser;
const std::string kMrd = "Software\\Vantorel\\MRD";

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

// Only the leading "0" of a status says success; the batch front-end starts on an empty store.
TEST(RegistryMemory, StatusSaysWhetherTheCallSucceeded) {
    UseMemorySettings();
    std::string value = "stale";
    EXPECT_EQ(ReadRegistryString(kUser, kMrd, "World", value), "1 Key not found or is empty.");
    EXPECT_EQ(value, "");
    EXPECT_EQ(WriteRegistryString(kUser, kMrd, "World", "Y")[0], '0');
    EXPECT_EQ(ReadRegistryString(kUser, kMrd, "World", value), "0 OK");
    EXPECT_EQ(value, "Y");
    UseMemorySettings();
    EXPECT_FALSE(RestoreRegistryValue("\\MRD", "World", value, "N"));
    EXPECT_EQ(value, "N");
}

TEST(RegistryNumber, LeadingNumberRoundedHalfToEvenAndClamped) {
    EXPECT_EQ(NumberFromRegistryText("  12.5"), 12);
    EXPECT_EQ(NumberFromRegistryText("1e3"), 1000);
    EXPECT_EQ(NumberFromRegistryText("-."), 0);
    EXPECT_EQ(NumberFromRegistryText("1e999"), std::numeric_limits<int>::max());
}

TEST_F(RegistryFileTest, ValuesComeBackFromTheFileExactlyOrFallBack) {
    EXPECT_TRUE(SaveRegistryValue("\\MRD\\Year", "2", ""));  // stored as one blank
    EXPECT_TRUE(SaveRegistryValue("\\MRD", "ATDateFmt", "a\\x=b; \t\r\n"));
    UseSettingsFile(path);  // a later start reads the file afresh
    EXPECT_TRUE(RestoreRegistryValue("\\MRD\\Year", "2", value, "default"));
    EXPECT_EQ(value, " ");
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

TEST_F(RegistryFileTest, UnwritableStoreFailsSilentlyAndCreatesNothing) {
    std::ofstream(dir.path().toStdString() + "/blocker") << "x";  // a folder that is a file
    UseSettingsFile(dir.path().toStdString() + "/blocker/Meridel.ini");
    const std::string status = WriteRegistryString(kUser, kMrd, "World", "Y");
    EXPECT_EQ(status.rfind("5 Unable to create (or find) key.  ", 0), 0u) << status;
    EXPECT_FALSE(SaveRegistryValue("\\MRD", "StateSaved", "Y"));
    EXPECT_FALSE(RestoreRegistryValue("\\MRD", "StateSaved", value, ""));
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

}  // namespace
}  // namespace meridel
