// Where the data files are looked for: beside the executable, then ../share/meridel/, then the
// XDG data folders, with the executable's folder named when none holds the file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "ephemeris/data_folder.h"

using namespace meridel;
namespace fs = std::filesystem;

namespace {

// A prefix laid out as installed (prefix/bin, prefix/share/meridel), a user's data home and two
// system data folders, all empty until a test places the file. The variables are left as a test
// sets them: the other tests of this program read the data beside it, which comes first.
class DataFolderSearch : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("meridel-data-" + std::to_string(getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        setenv("XDG_DATA_HOME", (root_ / "home").c_str(), 1);
        setenv("XDG_DATA_DIRS", (root_ / "sys1").string().append(":").append((root_ / "sys2").string()).c_str(), 1);
    }
    void TearDown() override { fs::remove_all(root_); }

    std::string bin() const { return (root_ / "prefix/bin").string() + "/"; }
    std::string folder(const std::string& sub) const { return (root_ / sub).string() + "/"; }
    void Place(const std::string& sub) {
        fs::create_directories(root_ / sub);
        std::ofstream(root_ / sub / "pluto.slx") << "x\n";
    }

    fs::path root_;
};

// Placed from the last place to the first, each is found as it comes; with none holding the
// file (a folder of that name is not the file) the executable's folder is named.
TEST_F(DataFolderSearch, EachPlaceIsFoundAndEarlierPlacesWin) {
    fs::create_directories(root_ / "home/meridel/pluto.slx");
    EXPECT_EQ(DataFolderHolding("pluto.slx", bin()), bin());
    fs::remove(root_ / "home/meridel/pluto.slx");
    // share/meridel is named without "bin/..", as a message would show it.
    for (const char* sub : {"sys2/meridel", "sys1/meridel", "home/meridel", "prefix/share/meridel", "prefix/bin"}) {
        Place(sub);
        EXPECT_EQ(DataFolderHolding("pluto.slx", bin()), folder(sub)) << sub;
    }
}

// Relative and empty XDG entries are ignored; unset, the data home is ~/.local/share and the data
// folders the system's.
TEST_F(DataFolderSearch, XdgVariablesUnsetOrRelative) {
    const std::string share = folder("prefix/share/meridel");
    setenv("XDG_DATA_HOME", "relative/home", 1);
    setenv("XDG_DATA_DIRS", ("::relative:" + (root_ / "sys2").string()).c_str(), 1);
    EXPECT_EQ(DataFolderCandidates(bin()), (std::vector<std::string>{bin(), share, folder("sys2/meridel")}));
    unsetenv("XDG_DATA_HOME");
    unsetenv("XDG_DATA_DIRS");
    setenv("HOME", (root_ / "home").c_str(), 1);
    EXPECT_EQ(DataFolderCandidates(bin()), (std::vector<std::string>{bin(), share, folder("home/.local/share/meridel"),
                                                                      "/usr/local/share/meridel/", "/usr/share/meridel/"}));
}

}  // namespace
