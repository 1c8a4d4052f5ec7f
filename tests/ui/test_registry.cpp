#include "ui/registry.h"

#include "file_fault.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace meridel {
namespace {

const std::string kMrd = "Software\\Vantorel\\MRD";

bool startsWithZero(const std::string& status) { return !status.empty() && status[0] == '0'; }

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class RegistryFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        path = (dir.path() + "/cfg/Meridel.ini").toStdString();
        UseSettingsFile(path);
    }
    void TearDown() override { UseMemorySettings(); }
    QTemporaryDir dir;
    std::string path;
};

TEST(RegistryMemory, StatusTextsFollowTheDesignedOutcomes) {
    UseMemorySettings();
    EXPECT_EQ(SettingsFilePath(), "");
    std::string value = "stale";
    EXPECT_EQ(ReadRegistryString(RegistryRoot::CurrentUser, kMrd, "World", value),
              "1 Key not found or is empty.");
    EXPECT_EQ(value, "");
    EXPECT_EQ(WriteRegistryString(RegistryRoot::CurrentUser, kMrd, "World", "Y"),
              "0 New key created.  The operation completed successfully.");
    EXPECT_EQ(WriteRegistryString(RegistryRoot::CurrentUser, kMrd, "Tropical", "N"),
              "0 Key already exists.  The operation completed successfully.");
    EXPECT_EQ(ReadRegistryString(RegistryRoot::CurrentUser, kMrd, "World", value), "0 OK");
    EXPECT_EQ(value, "Y");
    EXPECT_EQ(ReadRegistryString(RegistryRoot::CurrentUser, kMrd, "", value), "2 Name not specified.");
    EXPECT_EQ(ReadRegistryString(RegistryRoot::CurrentUser, kMrd, "TZ0", value), "3 Name not found.");
    EXPECT_EQ(ReadRegistryString(RegistryRoot::CurrentUser, "", "World", value),
              "1 Key not found or is empty.");
    // A sub-key is a key of its own: "\MRD\Year" does not exist yet.
    EXPECT_EQ(ReadRegistryString(RegistryRoot::CurrentUser, kMrd + "\\Year", "0", value),
              "1 Key not found or is empty.");
    // The memory store starts empty again when chosen again.
    UseMemorySettings();
    EXPECT_FALSE(RestoreRegistryValue("\\MRD", "World", value, "N"));
    EXPECT_EQ(value, "N");
}

TEST_F(RegistryFileTest, ValuesSurviveInTheFileAndComeBackCleaned) {
    EXPECT_EQ(SettingsFilePath(), path);
    EXPECT_TRUE(SaveRegistryValue("\\MRD\\Year", "2", ""));      // empty text stored as a blank
    EXPECT_TRUE(SaveRegistryValue("\\MRD\\Year", "0", "2024\t\r\n"));
    EXPECT_TRUE(SaveRegistryValue("\\MRD", "ATDateFmt", "@odd, text"));
    EXPECT_TRUE(QFile::exists(QString::fromStdString(path)));

    // A later start reads the same file afresh.
    UseMemorySettings();
    UseSettingsFile(path);
    std::string value;
    EXPECT_TRUE(RestoreRegistryValue("\\MRD\\Year", "2", value, "default"));
    EXPECT_EQ(value, " ");
    EXPECT_TRUE(RestoreRegistryValue("\\MRD\\Year", "0", value, ""));
    EXPECT_EQ(value, "2024");
    EXPECT_TRUE(RestoreRegistryValue("\\MRD", "ATDateFmt", value, ""));
    EXPECT_EQ(value, "@odd, text");
    EXPECT_FALSE(RestoreRegistryValue("\\MRD", "NATZ", value, "1"));
    EXPECT_EQ(value, "1");
}

TEST_F(RegistryFileTest, HandEditedValuesAreReadAsTextOrFallBack) {
    ASSERT_TRUE(QDir().mkpath(dir.path() + "/cfg"));
    std::ofstream(path, std::ios::binary)
        << "; edited by hand\r\n[Software\\Vantorel\\MRD]\r\nWorld=\r\nTZ0=3,4\r\nNATZ=abc\r\n"
        << "[Software\\Vantorel\\MRD\\Year]\n0=  19x\\x09\n";
    std::string value;
    // An emptied value counts as missing, so its default applies.
    EXPECT_FALSE(RestoreRegistryValue("\\MRD", "World", value, "N"));
    EXPECT_EQ(value, "N");
    EXPECT_TRUE(RestoreRegistryValue("\\MRD", "TZ0", value, "24"));
    EXPECT_EQ(value, "3,4");
    EXPECT_TRUE(RestoreRegistryValue("\\MRD", "NATZ", value, "1"));
    EXPECT_EQ(value, "abc");
    EXPECT_TRUE(RestoreRegistryValue("\\MRD\\Year", "0", value, ""));
    EXPECT_EQ(value, "  19x");
}

TEST_F(RegistryFileTest, UnwritableStoreFailsWithoutCreatingAnything) {
    // A folder that is a file cannot hold the store, whoever runs the test.
    std::ofstream(dir.path().toStdString() + "/blocker") << "x";
    UseSettingsFile(dir.path().toStdString() + "/blocker/Meridel.ini");
    std::string status = WriteRegistryString(RegistryRoot::CurrentUser, kMrd, "World", "Y");
    EXPECT_FALSE(startsWithZero(status)) << status;
    EXPECT_NE(status.find("Unable to create (or find) key."), std::string::npos) << status;
    EXPECT_FALSE(SaveRegistryValue("\\MRD", "StateSaved", "Y"));
    std::string value;
    EXPECT_FALSE(RestoreRegistryValue("\\MRD", "StateSaved", value, ""));
    EXPECT_EQ(value, "");
}

TEST_F(RegistryFileTest, FailedWriteLeavesTheOldFileWhole) {
    ASSERT_TRUE(SaveRegistryValue("\\MRD", "World", "Y"));
    const std::string before = readFile(path);
    ASSERT_FALSE(before.empty());
    bool saved = true;
    {
        // The rewrite runs out of space part-way, like a full disk.
        test::FileSizeLimit limit(before.size() + 8);
        saved = SaveRegistryValue("\\MRD", "ATDateFmt", std::string(400, 'x'));
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(readFile(path), before);
    std::string value;
    EXPECT_FALSE(RestoreRegistryValue("\\MRD", "ATDateFmt", value, "none"));
    EXPECT_EQ(value, "none");
    EXPECT_TRUE(RestoreRegistryValue("\\MRD", "World", value, "N"));
    EXPECT_EQ(value, "Y");
}

TEST_F(RegistryFileTest, CorruptedFileReadsAsNoStateAndTheNextSaveRepairsIt) {
    ASSERT_TRUE(SaveRegistryValue("\\MRD", "StateSaved", "Y"));
    std::ofstream(path, std::ios::binary | std::ios::trunc) << "\xff\xfe[[[Software\n=\n\x01\x02";
    std::string value;
    EXPECT_FALSE(RestoreRegistryValue("\\MRD", "StateSaved", value, ""));
    EXPECT_EQ(value, "");

    std::string status = WriteRegistryString(RegistryRoot::CurrentUser, kMrd, "StateSaved", "Y");
    EXPECT_TRUE(startsWithZero(status)) << status;
    EXPECT_TRUE(RestoreRegistryValue("\\MRD", "StateSaved", value, ""));
    EXPECT_EQ(value, "Y");
    EXPECT_EQ(readFile(path), "[Software\\Vantorel\\MRD]\nStateSaved=Y\n\n");
}

TEST_F(RegistryFileTest, StoreThatIsAFolderIsNeitherReadNorReported) {
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(path)));
    std::string value;
    EXPECT_EQ(ReadRegistryString(RegistryRoot::CurrentUser, kMrd, "World", value),
              "1 Key not found or is empty.");
    EXPECT_FALSE(SaveRegistryValue("\\MRD", "World", "Y"));
}

}  // namespace
}  // namespace meridel
