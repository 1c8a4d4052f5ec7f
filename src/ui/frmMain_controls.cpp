// The window's controls at their designed places (twips), with their designed captions, and the
// connections from their signals to the handlers.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "ui/controls.h"
#include "ui/frmMain.h"

namespace meridel {

void frmMain::CreateControls() {
    QFont designed(QStringLiteral("Arial"));
    designed.setPointSize(10);
    setFont(designed);

    // Start and end dates.
    lblYear = MakeLabel(this, QStringLiteral("lblYear"), QStringLiteral("Year"), 1440, 180, 735, 255, Qt::AlignHCenter);
    lblMonthDay = MakeLabel(this, QStringLiteral("lblMonthDay"), QStringLiteral("Month Day"), 2225, 180, 1215, 255);
    const char* startEnd[2] = {"Start", "End"};
    for (int row = 0; row < 2; ++row) {
        const int labelTop = row == 0 ? 510 : 890;
        const int boxTop = row == 0 ? 480 : 850;
        lblStartEnd[row] = MakeLabel(this, Indexed("lblStartEnd", row), QString::fromLatin1(startEnd[row]), 360,
                                     labelTop, 900, 255, Qt::AlignRight);
        txbYear[row] = MakeTextBox(this, Indexed("txbYear", row), 1440, boxTop, 700, 285, 5);
        txbMonth[row] = MakeTextBox(this, Indexed("txbMonth", row), 2220, boxTop, 500, 285, 3);
        txbDay[row] = MakeTextBox(this, Indexed("txbDay", row), 2805, boxTop, 500, 285, 3);
        lblDate[row] = MakeLabel(this, Indexed("lblDate", row), QString(), 3405, labelTop, 2505, 255);
    }

    // Birth data (Personal mode only).
    fraBirthDate = MakeFrame(this, QStringLiteral("fraBirthDate"), QString(), false, 120, 1320, 5895, 735);
    lblStartEnd[2] = MakeLabel(fraBirthDate, Indexed("lblStartEnd", 2), QStringLiteral("Birth date"), 0, 0, 1140, 255);
    txbYear[2] = MakeTextBox(fraBirthDate, Indexed("txbYear", 2), 1320, 0, 700, 285, 5);
    txbMonth[2] = MakeTextBox(fraBirthDate, Indexed("txbMonth", 2), 2100, 0, 500, 285, 3);
    txbDay[2] = MakeTextBox(fraBirthDate, Indexed("txbDay", 2), 2685, 0, 500, 285, 3);
    lblDate[2] = MakeLabel(fraBirthDate, Indexed("lblDate", 2), QString(), 3285, 0, 2505, 255);
    lblStartEnd[3] = MakeLabel(fraBirthDate, Indexed("lblStartEnd", 3), QStringLiteral("Birth time"), 0, 380, 1140, 255);
    cboHour = MakeList(fraBirthDate, QStringLiteral("cboHour"), 1320, 360, 650, 315, true);
    lblStartEnd[4] = MakeLabel(fraBirthDate, Indexed("lblStartEnd", 4), QStringLiteral(":"), 2000, 370, 100, 255);
    cboMinute = MakeList(fraBirthDate, QStringLiteral("cboMinute"), 2130, 360, 650, 315, true);
    cboTimezone[1] = MakeList(fraBirthDate, Indexed("cboTimezone", 1), 2880, 360, 1555, 360, false);

    // Type of transit and zodiac.
    fraTypeOfTransit = MakeFrame(this, QStringLiteral("fraTypeOfTransit"), QStringLiteral("Type of transit"), true,
                                 6720, 120, 3015, 735);
    optWorld = MakeOption(fraTypeOfTransit, QStringLiteral("optWorld"), QStringLiteral("World"), 240, 360, 1215, 255);
    optPersonal =
        MakeOption(fraTypeOfTransit, QStringLiteral("optPersonal"), QStringLiteral("Personal"), 1560, 360, 1215, 255);
    fraZodiac = MakeFrame(this, QStringLiteral("fraZodiac"), QStringLiteral("Zodiac"), true, 10000, 120, 3015, 735);
    optTropical = MakeOption(fraZodiac, QStringLiteral("optTropical"), QStringLiteral("Tropical"), 240, 360, 1215, 255);
    optSidereal = MakeOption(fraZodiac, QStringLiteral("optSidereal"), QStringLiteral("Sidereal"), 1560, 360, 1215, 255);

    // Planets, orbs and the results zone.
    const char* planetCaptions[2] = {"Inner planet", "Outer planet"};
    for (int i = 0; i < 2; ++i) {
        const int top = i == 0 ? 1200 : 1680;
        lblPlanet[i] = MakeLabel(this, Indexed("lblPlanet", i), QString::fromLatin1(planetCaptions[i]), 6045, top + 45,
                                 1755, 255);
        cboPlanet[i] = MakeList(this, Indexed("cboPlanet", i), 7920, top, 1335, 360, false);
    }
    const char* orbCaptions[3] = {"Outer orb", "Middle orb", "Inner orb"};
    const int orbLefts[3] = {9600, 10680, 11760};
    for (int i = 0; i < 3; ++i) {
        lblOrbs[i] = MakeLabel(this, Indexed("lblOrbs", i), QString::fromLatin1(orbCaptions[i]), orbLefts[i], 915, 1095, 255);
        cboOrbs[i] = MakeList(this, Indexed("cboOrbs", i), orbLefts[i], 1200, 735, 315, false);
    }
    cboTimezone[0] = MakeList(this, Indexed("cboTimezone", 0), 9600, 1680, 1555, 360, false);
    chkDisplayNATZabbr = MakeCheckBox(this, QStringLiteral("chkDisplayNATZabbr"), QStringLiteral("N. Amer. TZ abbr."),
                                      11280, 1700, 2295, 330);

    // Run buttons; lblShortDate is placed by start-up under the start button's right edge.
    cmdStart = MakeButton(this, QStringLiteral("cmdStart"),
                          QStringLiteral("Show all transits from start to end date for selected planets"), 480, 2160,
                          6285, 330);
    cmdShowAll[0] = MakeButton(this, Indexed("cmdShowAll", 0),
                               QStringLiteral("Show all transits from start to end date to outer planet"), 6960, 2160,
                               6285, 330);
    cmdShowAll[1] = MakeButton(this, Indexed("cmdShowAll", 1),
                               QStringLiteral("Show all transits from start to end date to inner planet"), 6960, 2640,
                               6285, 330);
    cmdShowAllTransits = MakeButton(this, QStringLiteral("cmdShowAllTransits"), QStringLiteral("Show all transits"),
                                    480, 2620, 6285, 330);
    // Under the start button, left of where the running date shows: the bottom row has no room.
    cmdWholeChart = MakeButton(this, QStringLiteral("cmdWholeChart"), QStringLiteral("Whole chart"), 480, 2640, 2295, 330);
    lblShortDate = MakeLabel(this, QStringLiteral("lblShortDate"), QString(), 5265, 2640, 1500, 255, Qt::AlignRight);
    lblAllTransitsDateFormat = MakeLabel(this, QStringLiteral("lblAllTransitsDateFormat"),
                                         QStringLiteral("Date format"), 480, 2640, 1200, 255);
    txbAllTransitsDateFormat =
        MakeTextBox(this, QStringLiteral("txbAllTransitsDateFormat"), 1700, 2620, 500, 285, 0);
    txbAllTransitsDateFormat->setText(QStringLiteral("1"));
    txbStopDate = MakeTextBox(this, QStringLiteral("txbStopDate"), 2300, 2620, 1200, 285, 0);

    // The forward search; its width and left are set at start-up.
    fraSearch = MakeFrame(this, QStringLiteral("fraSearch"), QString(), true, 3500, 2970, 11100, 615);
    cmdSearch = MakeButton(fraSearch, QStringLiteral("cmdSearch"), QStringLiteral("Search"), 200, 210, 1245, 330);
    Label1 = MakeLabel(fraSearch, QStringLiteral("Label1"), QStringLiteral("for first"), 1640, 250, 1455, 255);
    cboSearchAspect = MakeList(fraSearch, QStringLiteral("cboSearchAspect"), 2780, 195, 1575, 360, true);
    Label2 = MakeLabel(fraSearch, QStringLiteral("Label2"), QStringLiteral("after end date"), 4550, 240, 1935, 255);
    chkKeepDates = MakeCheckBox(fraSearch, QStringLiteral("chkKeepDates"), QStringLiteral("Keep start/end dates"),
                                6500, 210, 2655, 330);
    chkAppendToOutput = MakeCheckBox(fraSearch, QStringLiteral("chkAppendToOutput"), QStringLiteral("Append to output"),
                                     9195, 210, 2055, 330);
    chkAppendToOutput->hide();

    // The output and the bottom row; the resize rule places them.
    txbOutput = new QPlainTextEdit(this);
    MarkAsControl(txbOutput, QStringLiteral("txbOutput"));
    txbOutput->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    SetTwipsGeometry(txbOutput, 120, 3750, 13280, 1500);
    cmdSaveState = MakeButton(this, QStringLiteral("cmdSaveState"), QStringLiteral("Save state"), 120, 6480, 1605, 330);
    cmdRestoreState =
        MakeButton(this, QStringLiteral("cmdRestoreState"), QStringLiteral("Restore state"), 1800, 6525, 1605, 330);
    cmdFile = MakeButton(this, QStringLiteral("cmdFile"), QStringLiteral("Write output to file"), 5280, 6480, 2175, 330);
    cmdFile->hide();
    cmdTimeline = MakeButton(this, QStringLiteral("cmdTimeline"), QStringLiteral("Show timeline"), kTimelineLeftTwips,
                             6480, 1900, 330);
    cmdTimeline->hide();
    chkOpenOutputFile =
        MakeCheckBox(this, QStringLiteral("chkOpenOutputFile"), QStringLiteral("Open output file"), 7680, 6480, 2175, 255);
    chkOpenOutputFile->hide();
    chkOpenOutputFile->setEnabled(false);
    cmdClear = MakeButton(this, QStringLiteral("cmdClear"), QStringLiteral("Clear"), 10200, 6480, 1000, 330);
    cmdClear->hide();
    cmdHelp = MakeButton(this, QStringLiteral("cmdHelp"), QStringLiteral("Help"), 11300, 6480, 1000, 330);
    cmdQuit = MakeButton(this, QStringLiteral("cmdQuit"), QStringLiteral("Quit"), 12400, 6480, 1000, 330);
}

void frmMain::ConnectHandlers() {
    // Lists: a change of position, by the user or by the program, is the list's click.
    for (int i = 0; i < 2; ++i) {
        connect(cboPlanet[i], &QComboBox::currentIndexChanged, this, [this, i] { cboPlanet_Click(i); });
        connect(cboTimezone[i], &QComboBox::currentIndexChanged, this, [this, i] { cboTimezone_Click(i); });
    }
    for (int i = 0; i < 3; ++i)
        connect(cboOrbs[i], &QComboBox::currentIndexChanged, this, [this, i] { cboOrbs_Click(i); });
    connect(cboHour, &QComboBox::currentIndexChanged, this, [this] { cboHour_Click(); });
    connect(cboMinute, &QComboBox::currentIndexChanged, this, [this] { cboMinute_Click(); });
    connect(cboSearchAspect, &QComboBox::currentIndexChanged, this, [this] { cboSearchAspect_Click(); });
    for (QComboBox* list : {cboHour, cboMinute, cboSearchAspect})
        connect(list->lineEdit(), &QLineEdit::textEdited, this,
                [this, list](const QString& text) { MatchTypedText(list, text); });

    // Option buttons: each reacts to its own button becoming selected.
    connect(optWorld, &QRadioButton::toggled, this, [this](bool on) { if (on) optWorld_Click(); });
    connect(optPersonal, &QRadioButton::toggled, this, [this](bool on) { if (on) optPersonal_Click(); });

    // Check boxes: any change of value.
    connect(chkDisplayNATZabbr, &QCheckBox::toggled, this, [this] { chkDisplayNATZabbr_Click(); });
    connect(chkKeepDates, &QCheckBox::toggled, this, [this] { chkKeepDates_Click(); });
    connect(chkOpenOutputFile, &QCheckBox::toggled, this, [this] { chkOpenOutputFile_Click(); });
    connect(chkAppendToOutput, &QCheckBox::toggled, this, [this] { chkAppendToOutput_Click(); });

    // Date boxes: focus loss and Enter (see eventFilter).
    for (int row = 0; row < 3; ++row)
        for (QLineEdit* box : {txbYear[row], txbMonth[row], txbDay[row]}) box->installEventFilter(this);

    connect(cmdStart, &QPushButton::clicked, this, [this] { cmdStart_Click(); });
    connect(cmdSearch, &QPushButton::clicked, this, [this] { cmdSearch_Click(); });
    for (int i = 0; i < 2; ++i)
        connect(cmdShowAll[i], &QPushButton::clicked, this, [this, i] { cmdShowAll_Click(i); });
    connect(cmdClear, &QPushButton::clicked, this, [this] { cmdClear_Click(); });
    connect(cmdFile, &QPushButton::clicked, this, [this] { cmdFile_Click(); });
    connect(cmdTimeline, &QPushButton::clicked, this, [this] { cmdTimeline_Click(); });
    connect(cmdWholeChart, &QPushButton::clicked, this, [this] { cmdWholeChart_Click(); });
    connect(cmdHelp, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });
    connect(cmdSaveState, &QPushButton::clicked, this, [this] { cmdSaveState_Click(); });
    connect(cmdRestoreState, &QPushButton::clicked, this, [this] { cmdRestoreState_Click(); });
    connect(cmdQuit, &QPushButton::clicked, this, [this] { cmdQuit_Click(); });
}

}  // namespace meridel
