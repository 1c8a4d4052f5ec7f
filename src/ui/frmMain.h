// The main window: the request controls, the output box and the bottom row of buttons, with the
// window variables their handlers share. Controls and variables are public: the run, search,
// saved-state and batch code (and the tests) drive the controls as a user would, and selecting
// a list entry, option or check box from code fires the same handler as the user's action.
//
// Positions and sizes in the window's own rules are in twips (15 per pixel). The window's outer
// size in twips is its client size plus a fixed frame allowance (FormWidth, FormHeight).
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "request/choices.h"
#include "request/run_request.h"
#include "store/saved_state.h"
#include "transits/output_box.h"
#include "transits/scan_engine.h"
#include "ui/text_box_output.h"
#include "ui/window_style.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace meridel {

class Frame;
class frmForecast;
class frmTimeline;
class frmView;

// "Show timeline" sits in the bottom row's gap between "Restore state" and "Write output to file".
inline constexpr int kTimelineLeftTwips = 3750;

// Client area of the window as designed, before start-up gives it its working size.
inline constexpr int kDesignedClientWidthTwips = 14685;
inline constexpr int kDesignedClientHeightTwips = 7515;

// Where the window's runs stand. Stop itself is the session's (session.StopRequested).
struct WindowRunState {
    bool ScanRunning = false;     // a scan is under way (its day loop yields to the window)
    bool AllPlanetsMode = false;  // an all-planets listing drives the requests
    bool StopClicked = false;     // the user clicked Stop (not a full box): ends an all-planets listing too
    bool CloseRequested = false;  // the window was closed during a scan: close once it has stopped
    // Since the start button's last click that began a request: the second click of a
    // double-click lands on Stop and is no request to stop.
    QElapsedTimer StartClicked;
};

class frmMain : public QWidget {
    Q_OBJECT

public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // ---- Controls. Arrays are the designed control arrays, indexed as designed. ----
    QLabel* lblYear = nullptr;
    QLabel* lblMonthDay = nullptr;
    std::array<QLabel*, 5> lblStartEnd{};  // "Start", "End", "Birth date", "Birth time", ":"
    std::array<QLineEdit*, 3> txbYear{};    // rows: 0 start, 1 end, 2 birth
    std::array<QLineEdit*, 3> txbMonth{};
    std::array<QLineEdit*, 3> txbDay{};
    std::array<QLabel*, 3> lblDate{};
    Frame* fraBirthDate = nullptr;
    QComboBox* cboHour = nullptr;    // 0 empty, 1..24 = "00".."23"
    QComboBox* cboMinute = nullptr;  // 0 empty, 1..12 = "00".."55"
    std::array<QComboBox*, 2> cboTimezone{};  // 0 results, 1 birth; entry i is (i - 24) * 30 minutes
    Frame* fraTypeOfTransit = nullptr;
    QRadioButton* optWorld = nullptr;
    QRadioButton* optPersonal = nullptr;
    Frame* fraZodiac = nullptr;
    QRadioButton* optTropical = nullptr;
    QRadioButton* optSidereal = nullptr;
    QLabel* lblShortDate = nullptr;  // the day being scanned, shown only during a run
    std::array<QLabel*, 2> lblPlanet{};
    std::array<QComboBox*, 2> cboPlanet{};
    std::array<QLabel*, 3> lblOrbs{};
    std::array<QComboBox*, 3> cboOrbs{};  // 0 outer, 1 middle, 2 inner; position k is k + 1 degrees
    QCheckBox* chkDisplayNATZabbr = nullptr;
    QPushButton* cmdStart = nullptr;
    std::array<QPushButton*, 2> cmdShowAll{};
    Frame* fraSearch = nullptr;
    QPushButton* cmdSearch = nullptr;
    QLabel* Label1 = nullptr;  // "for first N°"
    QComboBox* cboSearchAspect = nullptr;
    QLabel* Label2 = nullptr;
    QCheckBox* chkKeepDates = nullptr;
    QCheckBox* chkAppendToOutput = nullptr;
    QPlainTextEdit* txbOutput = nullptr;
    QPushButton* cmdSaveState = nullptr;
    QPushButton* cmdRestoreState = nullptr;
    QPushButton* cmdFile = nullptr;
    QPushButton* cmdTimeline = nullptr;  // shown and enabled as cmdFile is
    QCheckBox* chkOpenOutputFile = nullptr;
    QPushButton* cmdClear = nullptr;
    QPushButton* cmdHelp = nullptr;
    QPushButton* cmdQuit = nullptr;
    // Never shown: their texts only travel with the saved state.
    QLineEdit* txbStopDate = nullptr;
    QLineEdit* txbAllTransitsDateFormat = nullptr;
    QLabel* lblAllTransitsDateFormat = nullptr;
    QPushButton* cmdShowAllTransits = nullptr;
    QTimer* Timer1 = nullptr;  // 500 ms, runs from creation on

    // ---- Window variables ----
    bool blnStartUpCompleted = false;  // every user handler does nothing while false
    bool FillingPlanetLists = false;   // true while FillPlanetLists runs
    PlanetMemory SavedPlanetIndex;     // each planet list's last position in each mode
    int WindowWidth = 13800;    // twips, fixed outer width
    int CompactHeight = 6500;   // twips, outer height without output (also the minimum)
    int intHeight = 8000;       // twips, outer height during and after a run
    RequestSession session;     // the latest request and what is kept between requests
    ScanState scan;             // the latest run's working state
    WindowRunState RunState;
    // True while the text typed into an editable list is matched to its entries; the list's
    // position follows the text, but that is typing, not a choice, so its handler stays quiet.
    bool TypingInList = false;

    // ---- Start-up (frmMain_startup.cpp) ----
    void Form_Load();
    void SetInitialDefaults();
    void SetWindowFonts();
    void ReselectSearchAndTimeLists();

    // ---- The lists, the mode, the zones and the captions (frmMain_choices.cpp) ----
    void FillSelectionLists();
    void FillPlanetLists();
    void UpdateRunCaptions();
    // Label1 = "for first N°" with N the outer orb in degrees.
    void UpdateSearchOrbLabel();
    bool IsWorldMode() const;
    void optWorld_Click();
    void optPersonal_Click();
    // What the mode shows: the zodiac, the birth data and the second all-planets button only in
    // Personal mode, and the planet lists' captions.
    void ShowModeControls();
    // The mode switch's work: its controls, its planet lists and the run buttons' captions.
    void SwitchMode();
    void cboPlanet_Click(int index);
    void cboOrbs_Click(int index);
    void cboSearchAspect_Click();
    void SetUpTimezoneComboBoxes(bool blnPreserveIndices);
    void cboTimezone_Click(int index);
    void chkDisplayNATZabbr_Click();
    void cboHour_Click();
    void cboMinute_Click();

    // ---- Layout, control states and the timer (frmMain_layout.cpp) ----
    void Form_Resize();
    int FormWidth() const;   // outer size in twips
    int FormHeight() const;
    void SetFormWidth(int twips);   // resize and lay out again
    void SetFormHeight(int twips);
    void SetBusyState();
    void SetIdleState();
    void Timer1_Timer();
    void chkKeepDates_Click();
    void chkOpenOutputFile_Click();
    void chkAppendToOutput_Click();

    // ---- Date entry (frmMain_dates.cpp). Rows: 0 start, 1 end, 2 birth. ----
    // Cleans the row's boxes and shows its date in words (the checks of a run read the boxes).
    void UpdateDateLabel(int row);
    // The row's date in words from what its boxes hold, cleaning them first when asked.
    void ShowDateWords(int row, bool cleanBoxes = false);
    // Sets the row's boxes (only those that differ, so that a box keeps its caret) or its words.
    void SetDateBoxes(int row, const DateFields& fields);
    void SetDateWords(int row, const std::string& words);
    void txbYear_LostFocus(int row);
    void txbMonth_LostFocus(int row);
    void txbDay_LostFocus(int row);
    // Key handlers: Enter (13) runs the start button when it is enabled. They are called on the
    // key's press, never its release, so that an Enter that closes a message box cannot start a
    // second run.
    void txbYear_KeyUp(int row, int keyCode, int shift);
    void txbMonth_KeyUp(int row, int keyCode, int shift);
    void txbDay_KeyUp(int row, int keyCode, int shift);

    // ---- Requests (frmMain_requests.cpp): the controls as the request layer reads them ----
    RequestInput ReadRequestInput() const;
    // Puts what a check leaves (cleaned boxes, dates in words, chosen positions) into the controls.
    void ApplyUpdates(const FieldUpdates& updates);
    // Shows a refusal's messages, applies the updates and goes to the field concerned; true
    // when there was no refusal.
    bool Passed(const FieldUpdates& updates, const std::optional<Refusal>& refusal);

    // ---- Runs (frmMain_run.cpp, frmMain_search.cpp) ----
    void cmdStart_Click();
    void cmdSearch_Click();
    void cmdShowAll_Click(int index);
    // The scan of a checked request, its output, Stop and end of run.
    void ScanTransits(const TransitRequest& run);

    // ---- The output box (frmMain_output.cpp). Its text has CR LF line ends, each counted as two
    // characters against the limit. ----
    TextBoxOutput OutputTextBox{txbOutput};
    OutputBox Output{OutputTextBox, OutputBox::kWindowLimit};
    QString OutputText() const;
    bool OutputIsEmpty() const;
    // Puts the caret at the end so the newest line shows, and repaints the box.
    void ShowOutputEnd();
    // The runs whose text the box still shows (the user may have edited or deleted some).
    std::vector<RunRecord> ShownRuns() const;
    void cmdClear_Click();
    void cmdFile_Click();
    std::string OutputFilePath;  // the file last chosen for the output

    // ---- The timeline of the output's runs (frmMain_timeline.cpp) ----
    void cmdTimeline_Click();
    frmTimeline* TimelineWindow = nullptr;  // made on first use; a window of its own

    // ---- The whole chart of the request (frmMain_forecast.cpp) ----
    QPushButton* cmdWholeChart = nullptr;    // enabled while the controls hold a chart's request
    bool WholeChartReady() const;
    void cmdWholeChart_Click();
    frmForecast* ForecastWindow = nullptr;  // made on first use; a window of its own

    // ---- Help (frmMain_help.cpp) ----
    void cmdHelp_Click();
    frmView* Viewer = nullptr;   // the help viewer, made on first use; a child window

    // ---- Saved state and the end of the program (frmMain_state.cpp) ----
    SavedState ChoicesToKeep() const;
    void cmdRestoreState_Click();
    void cmdSaveState_Click();          // a failed save says so, with the store's reason
    void cmdQuit_Click();
    // Closing the window asks as Quit does; the window stays open after Cancel (ProgramEnded
    // stays false).
    void Form_Unload();
    JustStored StateJustStored;  // aged by the timer
    QString StopDateText;        // the restored "Stop" value; nothing uses it
    bool ProgramEnded = false;   // EndProgram has run
    // Ends the program: closes the window and its viewer and leaves the event loop.
    void EndProgram();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();   // frmMain_controls.cpp
    void ConnectHandlers();  // frmMain_controls.cpp
    void MatchTypedText(QComboBox* list, const QString& text);
};

}  // namespace meridel
