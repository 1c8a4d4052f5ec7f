// Where the data files are looked for: beside the executable, then ../share/meridel/, then the
// XDG data folders, with the executable's folder named when none holds the file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "ephemeris/data_folder.h"

using namespace meridel;
namespace fs = std::filesystem;

namespace {

class SavedVariable {
public:
    explicit SavedVariable(const char* name) : name_(name) {
        if (const char* value = std::getenv(name)) value_ = value;
    }
    ~SavedVariable() {
        if (value_) setenv(name_, value_->c_str(), 1);
        else unsetenv(name_);
    }
    SavedVariable(const SavedVariable&) = delete;
    SavedVariable& operator=(const SavedVariable&) = delete;

private:
    const char* name_;
    std::optional<std::string> value_;
};

// A prefix laid out as installed (prefix/bin, prefix/share/meridel), a user's data home and two
// system data folders, all empty until a test places the file.
class DataFolderSearch : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("meridel-data-" + std::to_string(getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        for (const char* sub : {"prefix/bin", "prefix/share/meridel", "home", "sys1", "sys2"})
            fs::create_directories(root_ / sub);
        setenv("XDG_DATA_HOME", (root_ / "home").c_str(), 1);
        setenv("XDG_DATA_DIRS", (root_ / "sys1").string().append(":").append((root_ / "sys2").string()).c_str(), 1);
    }
    void TearDown() override { fs::remove_all(root_); }

    std::string bin() const { return (root_ / "prefix/bin").string() + "/"; }
    std::string folder(const std::string& sub) const { return (root_ / sub).string() + "/"; }
    void place(const std::string& sub) {
        fs::create_directories(root_ / sub);
        std::ofstream(root_ / sub / "pluto.slx") << "x\n";
    }

    fs::path root_;
    SavedVariable home_{"HOME"}, dataHome_{"XDG_DATA_HOME"}, dataDirs_{"XDG_DATA_DIRS"};
};

TEST_F(DataFolderSearch, EachPlaceIsFoundAndEarlierPlacesWin) {
    place("sys2/meridel");
    EXPECT_EQ(DataFolderHolding("pluto.slx", bin()), folder("sys2/meridel"));
    place("sys1/meridel");
    EXPECT_EQ(DataFolderHolding("pluto.slx", bin()), folder("sys1/meridel"));
    place("home/meridel");
    EXPECT_EQ(DataFolderHolding("pluto.slx", bin()), folder("home/meridel"));
    place("prefix/share/meridel");
    // Named without "bin/..", as a message would show it.
    EXPECT_EQ(DataFolderHolding("pluto.slx", bin()), folder("prefix/share/meridel"));
    place("prefix/bin");
    EXPECT_EQ(DataFolderHolding("pluto.slx", bin()), bin());
}

TEST_F(DataFolderSearch, NoneHoldingTheFileNamesTheExecutablesFolder) {
    EXPECT_EQ(DataFolderHolding("pluto.slx", bin()), bin());
    // A folder of that name is not the file.
    fs::create_directories(root_ / "home/meridel/pluto.slx");
    EXPECT_EQ(DataFolderHolding("pluto.slx", bin()), bin());
}

TEST_F(DataFolderSearch, UnsetDataHomeMeansLocalShareUnderHome) {
    unsetenv("XDG_DATA_HOME");
    setenv("HOME", (root_ / "home").c_str(), 1);
    place("home/.local/share/meridel");
    EXPECT_EQ(DataFolderHolding("pluto.slx", bin()), folder("home/.local/share/meridel"));
}

TEST_F(DataFolderSearch, RelativeAndEmptyXdgEntriesAreIgnored) {
    setenv("XDG_DATA_HOME", "relative/home", 1);
    setenv("XDG_DATA_DIRS", ("::relative:" + (root_ / "sys2").string()).c_str(), 1);
    const std::vector<std::string> expected{bin(), folder("prefix/share/meridel"), folder("sys2/meridel")};
    EXPECT_EQ(DataFolderCandidates(bin()), expected);
}

TEST_F(DataFolderSearch, UnsetDataDirsMeansTheSystemFolders) {
    unsetenv("XDG_DATA_DIRS");
    const std::vector<std::string> candidates = DataFolderCandidates(bin());
    ASSERT_EQ(candidates.size(), 5u);
    EXPECT_EQ(candidates[3], "/usr/local/share/meridel/");
    EXPECT_EQ(candidates[4], "/usr/share/meridel/");
}

}  // namespace
