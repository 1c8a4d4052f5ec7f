// meridel-list --graph: the timeline of the listing it runs, as a PNG or SVG file beside the
// unchanged listing; refused, with a reason, by a build without Qt.
#include <cstdio>

#include "list_runner.h"

#if MERIDEL_GRAPH
#include <QImage>
#endif

using namespace meridel::testing;

namespace {

const std::string kTriplePass =
    "--personal --planet1 Saturn --planet2 Sun --start 2022-03-01 --end 2023-03-31 "
    "--birth 1990-06-15 --birth-time 12:00 --birth-tz GMT+2:00 --tz GMT+2:00";

std::string TempPath(const std::string& name) { return ::testing::TempDir() + "meridel_graph_" + name; }

}  // namespace

#if MERIDEL_GRAPH

TEST(GraphListing, DrawsThePictureBesideTheSameListing) {
    const std::string png = TempPath("triple.png"), svg = TempPath("triple.svg");
    std::remove(png.c_str());
    const RunResult plain = RunList(kTriplePass);
    const RunResult drawn = RunList(kTriplePass + " --graph " + png);
    ASSERT_EQ(drawn.exitCode, 0) << drawn.err;
    EXPECT_EQ(drawn.err, "");
    EXPECT_EQ(drawn.out, plain.out);
    const QImage image(QString::fromStdString(png));
    ASSERT_FALSE(image.isNull());

    // What the drawing holds is the picture library's test.
    const RunResult vector = RunList(kTriplePass + " --graph " + svg);
    ASSERT_EQ(vector.exitCode, 0) << vector.err;
    EXPECT_NE(ReadFile(svg).find("<svg"), std::string::npos);
}

TEST(GraphListing, NothingIsDrawnForARefusedRequestOrAnotherKindOfFileOrPlace) {
    const std::string png = TempPath("refused.png");
    std::remove(png.c_str());
    const RunResult refused = RunList("--world --planet1 Saturn --planet2 Mars --start 2024-01-01 --end 2024-12-31 --graph " + png);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(ReadFile(png).empty());

    const RunResult pdf = RunList(kTriplePass + " --graph " + TempPath("triple.pdf"));
    EXPECT_EQ(pdf.exitCode, 2);
    EXPECT_EQ(pdf.err.rfind("meridel-list: --graph: the picture is a .png or .svg file: ", 0), 0u) << pdf.err;

    // A picture with nowhere to go is found before the run, and nothing is written: neither the
    // listing to standard output nor the file --output names.
    const std::string csv = TempPath("beside.csv");
    std::ofstream(csv, std::ios::binary) << "earlier\r\n";
    const RunResult nowhere = RunList(kTriplePass + " --format csv --output " + csv + " --graph " +
                                      TempPath("no/such/folder.png"));
    EXPECT_EQ(nowhere.exitCode, 2);
    EXPECT_EQ(nowhere.err, "meridel-list: cannot write " + TempPath("no/such/folder.png") + ": No such file or directory\n");
    EXPECT_EQ(ReadFile(csv), "earlier\r\n");
    EXPECT_EQ(RunList(kTriplePass + " --graph " + TempPath("no/such/folder.png")).out, "");
}

#else

TEST(GraphListing, BuildWithoutQtRefusesToDraw) {
    const std::string png = TempPath("nogui.png");
    const RunResult r = RunList(kTriplePass + " --graph " + png);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "meridel-list: --graph needs a meridel-list built with Qt (this one was built with MERIDEL_GUI=OFF)\n"
                     "Try 'meridel-list --help'.\n");
    // Its --help says so.
    EXPECT_NE(RunList("--help").out.find("--graph is not in this meridel-list"), std::string::npos);
    EXPECT_TRUE(ReadFile(png).empty());
}

#endif
