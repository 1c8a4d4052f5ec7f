// meridel-list --format and --output: the file named receives what standard output would, a
// refused request leaves it as it was, and a file that cannot be written is a usage error. What
// the exports hold is checked against the listing by check_exports.py.
#include <gtest/gtest.h>

#include <cstdio>

#include "list_runner.h"

using namespace meridel::testing;

namespace {

const std::string kRequest = "--world --planet1 Mars --planet2 Saturn --start 2022-09-01 --end 2023-04-30 ";

std::string TempPath(const std::string& name) { return ::testing::TempDir() + "meridel_export_" + name; }

}  // namespace

TEST(ExportFiles, OutputFileHoldsWhatStandardOutputWould) {
    for (const std::string format : {"csv", "json", "text", "agenda"}) {
        const std::string path = TempPath("out." + format);
        std::remove(path.c_str());
        const RunResult toFile = RunList(kRequest + "--format " + format + " --output " + path);
        EXPECT_EQ(toFile.exitCode, 0) << toFile.err;
        EXPECT_EQ(toFile.out, "");
        const RunResult printed = RunList(kRequest + "--format " + format);
        EXPECT_EQ(ReadFile(path), printed.out) << format;
        EXPECT_GT(printed.out.size(), 300u) << format;
    }
}

TEST(ExportFiles, ARefusedRequestLeavesTheFileAsItWas) {
    const std::string path = TempPath("kept.csv");
    std::ofstream(path, std::ios::binary) << "earlier transits\r\n";
    const RunResult r = RunList("--world --planet1 Saturn --planet2 Mars --start 2024-01-01 --end 2024-12-31 "
                                "--format csv --output " + path);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(ReadFile(path), "earlier transits\r\n");
}

TEST(ExportFiles, AFileThatCannotBeWrittenOrAnUnknownFormatIsAUsageError) {
    // Found before the run: nothing is listed to standard output either.
    const std::string path = TempPath("missing/folder.ics");
    const RunResult r = RunList(kRequest + "--format ics --output " + path);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "meridel-list: cannot write " + path + ": No such file or directory\n");
    EXPECT_EQ(r.out, "");
    const RunResult folder = RunList(kRequest + "--output " + ::testing::TempDir());
    EXPECT_EQ(folder.exitCode, 2);
    EXPECT_NE(folder.err.find(": Is a directory"), std::string::npos) << folder.err;

    const RunResult bad = RunList(kRequest + "--format xlsx");
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_EQ(bad.err, "meridel-list: --format takes text, agenda, csv, ics or json\nTry 'meridel-list --help'.\n");
}
