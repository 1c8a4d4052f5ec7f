// The window's "Write output to file" and help buttons.
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <fstream>
#include <string>

#include "persist/frmView.h"
#include "ui/qt_dialogs.h"
#include "window_fixture.h"

namespace meridel {
namespace {

using WindowButtons = WindowTest;

// A file named .csv or .ics holds the runs the box shows, appended ones too, and nothing of a run
// removed by Clear. (Which runs a hand-edited text still shows is the output box's own test.)
TEST_F(WindowButtons, FileTypesWriteTheRunsInTheBoxForSpreadsheetsAndCalendars) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    frmMain& w = Start();
    SetWorld("Mars", "Saturn");
    SetDate(0, "2021", "1", "1");
    SetDate(1, "2021", "4", "30");
    w.cmdStart_Click();
    SetWorld("Jupiter", "Saturn");
    SetDate(1, "2021", "12", "31");
    SetDate(0, "2020", "11", "1");
    w.chkAppendToOutput->setChecked(true);
    w.cmdStart_Click();
    ASSERT_EQ(w.Output.Runs().size(), 2u) << w.OutputText().toStdString();
    ASSERT_TRUE(w.OutputText().contains(QStringLiteral("| 2020-12-21* |")));

    auto write = [&](const std::string& name) {
        const std::string path = dir.path().toStdString() + "/" + name;
        shown.Clear();
        shown.saveFileChoices.push_back(path);
        w.cmdFile_Click();
        ExpectOneMessage("Output written to file " + path, "Done", MessageIcon::Information);
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const std::string csv = write("transits.CSV");
    EXPECT_EQ(csv.rfind("run,transit,pass,", 0), 0u);
    EXPECT_NE(csv.find("\r\n2,1,1,World,tropical,Jupiter,Saturn,"), std::string::npos) << "the appended run";

    EXPECT_NE(write("transits.ics").find("DTSTART:20201221T1821"), std::string::npos) << "the appended run's exact hit";

    w.cmdClear_Click();
    w.txbOutput->setPlainText(QStringLiteral("  typed after Clear  "));
    EXPECT_EQ(write("cleared.csv"), std::string(csv, 0, csv.find("\r\n") + 2)) << "the header alone";
    EXPECT_EQ(w.txbOutput->toPlainText(), QStringLiteral("typed after Clear")) << "the box shows the trimmed text";
}

// The desktop's opener answers with its exit status; one still running has started the program.
TEST(DesktopOpener, NoProgramForTheFileIsAFailure) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto opener = [&dir](const char* name, const char* body) {
        const QString path = dir.path() + "/" + name;
        std::ofstream(path.toStdString()) << "#!/bin/sh\n" << body << "\n";
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        return path;
    };
    EXPECT_FALSE(OpenWithDesktopOpener(opener("none", "exit 3"), "/tmp/listing.csv"));
    EXPECT_TRUE(OpenWithDesktopOpener(opener("found", "test \"$1\" = /tmp/listing.csv"), "/tmp/listing.csv"));
    EXPECT_FALSE(OpenWithDesktopOpener(dir.path() + "/missing", "/tmp/listing.csv"));
}

TEST_F(WindowButtons, ANameTypedWithoutExtensionTakesTheChosenTypes) {
    EXPECT_EQ(WithChosenTypeSuffix("/home/a.b/transits", "CSV files (*.csv)"), "/home/a.b/transits.csv");
    EXPECT_EQ(WithChosenTypeSuffix("/home/transits.txt", "iCalendar files (*.ics)"), "/home/transits.txt");
    EXPECT_EQ(WithChosenTypeSuffix("/home/transits", "All files (*)"), "/home/transits");
}

TEST_F(WindowButtons, HelpShowsTheHelpFileBesideTheProgramOverTheWindow) {
    frmMain& w = Start();
    w.cmdHelp_Click();
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    ASSERT_NE(w.Viewer, nullptr);
    frmView& viewer = *w.Viewer;
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_TRUE(viewer.txbText1->toPlainText().startsWith("MERIDEL HELP"));
    EXPECT_TRUE(shown.messages.empty());
    EXPECT_FALSE(viewer.isModal());  // the main window stays usable
    // Quitting hides the viewer with the window.
    w.StateJustStored.Set();
    w.cmdQuit_Click();
    EXPECT_FALSE(viewer.isVisible());
}

}  // namespace
}  // namespace meridel
