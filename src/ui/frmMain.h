// The main window: the request controls, the output box and the bottom row of buttons, with the
// window variables their handlers share. Controls and variables are public: the run, search,
// saved-state and batch code (and the tests) drive the controls as a user would, and selecting
// a list entry, option or check box from code fires the same handler as the user's action.
//
// Positions and sizes in the window's own rules are in twips (15 per pixel). The window's outer
// size in twips is its client size plus a fixed frame allowance (FormWidth, FormHeight).
#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <string>

#include "calendar/daycount.h"
#include "transits/scan_engine.h"

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
class frmView;

// Colours as Windows colour values 0x00BBGGRR.
inline constexpr std::int32_t kWindowBackColor = 0x5B082F;   // dark violet
inline constexpr std::int32_t kControlForeColor = 0xF8EDD5;  // pale blue
inline constexpr std::int32_t kRunningDateColor = 0x00FFFF;  // yellow

// What the window frame adds to the client area, in twips: two 4-pixel borders, and a title bar.
// Chosen so that the designed heights 6500 and 8000 are whole pixels of client area.
inline constexpr int kFrameWidthTwips = 120;
inline constexpr int kFrameHeightTwips = 575;

// Client area of the window as designed, before start-up gives it its working size.
inline constexpr int kDesignedClientWidthTwips = 14685;
inline constexpr int kDesignedClientHeightTwips = 7515;

// The list position of a zone with this offset: (minutes / 30 + 24), halves to even. May lie
// outside 1..47 for offsets of -12:00 or +12:00 and beyond.
int TimezoneListIndex(int minutesEast);

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
    // Last position of each planet list per mode: [2 * list + mode], mode 0 World, 1 Personal;
    // -1 when nothing is remembered.
    std::array<std::int16_t, 4> SavedPlanetIndex{-1, -1, -1, -1};
    std::array<std::int16_t, 3> SavedTimezoneIndices{};  // [0], [1]: positions kept while rebuilding
    int WindowWidth = 13800;    // twips, fixed outer width
    int CompactHeight = 6500;   // twips, outer height without output (also the minimum)
    int intHeight = 8000;       // twips, outer height during and after a run
    EuroDate EntryDate;         // Calendar is 71 ("G") from creation on
    TransitRequest request;
    ScanState scan;
    // True while the text typed into an editable list is matched to its entries; the list's
    // position follows the text, but that is typing, not a choice, so its handler stays quiet.
    bool TypingInList = false;

    // ---- Start-up (frmMain_load.cpp) ----
    void Form_Load();
    void SetInitialDefaults();
    void SetWindowFonts();
    void ReselectSearchAndTimeLists();

    // ---- Lists and mode (frmMain_lists.cpp) ----
    void FillSelectionLists();
    void FillPlanetLists();
    void UpdateRunCaptions();
    // The orb checks of a run; writes PlanetCodes[0]. False after its one message ("Orb values").
    bool CheckOrbs();
    // The part of CheckOrbs every listing needs: outer, middle and inner orb strictly decreasing,
    // at least 2 degrees apart. False after its one message ("Orb values").
    bool CheckOrbOrder();
    // Label1 = "for first N°" with N the outer orb in degrees.
    void UpdateSearchOrbLabel();
    bool IsWorldMode() const;
    void optWorld_Click();
    void optPersonal_Click();
    void cboPlanet_Click(int index);
    void cboOrbs_Click(int index);
    void cboSearchAspect_Click();

    // ---- Layout and control states (frmMain_layout.cpp) ----
    void Form_Resize();
    int FormWidth() const;   // outer size in twips
    int FormHeight() const;
    void SetFormWidth(int twips);   // resize and lay out again
    void SetFormHeight(int twips);
    bool OutputIsEmpty() const;
    void SetBusyState();
    void SetIdleState();
    void Timer1_Timer();
    void chkKeepDates_Click();
    void chkOpenOutputFile_Click();
    void chkAppendToOutput_Click();

    // ---- Date entry and checks (frmMain_dates.cpp). Rows: 0 start, 1 end, 2 birth. ----
    // Cleans the row's boxes, sets request.RequestDays[row] and the row's label.
    void UpdateDateLabel(int row);
    void txbYear_LostFocus(int row);
    void txbMonth_LostFocus(int row);
    void txbDay_LostFocus(int row);
    // Key handlers: Enter (13) runs the start button when it is enabled. They are called on the
    // key's press, never its release, so that an Enter that closes a message box cannot start a
    // second run.
    void txbYear_KeyUp(int row, int keyCode, int shift);
    void txbMonth_KeyUp(int row, int keyCode, int shift);
    void txbDay_KeyUp(int row, int keyCode, int shift);
    bool CheckDateFieldsFilled(int row);
    bool CheckDate(int row);  // sets request.RequestDays[row]
    bool CheckBirthData(bool skipStartComparison);  // sets request.RequestDays[2]
    bool CheckDateRange(int row);

    // ---- Time zones and birth time (frmMain_timezones.cpp) ----
    void SetUpTimezoneComboBoxes(bool blnPreserveIndices);
    // The computer's offset from Greenwich in minutes, east positive, from the clock.
    static std::int16_t LocalTimezoneMinutes();
    void cboTimezone_Click(int index);
    void chkDisplayNATZabbr_Click();
    void cboHour_Click();
    void cboMinute_Click();
    // request.NatalLongitudes[PlanetCodes[1]] at the birth moment (RequestDays[2], hour, minute,
    // birth zone), by SiderealZodiac as already set.
    void ComputeNatalLongitude();

    // ---- Output box (frmMain_output.cpp). Its text has CR LF line ends, each counted as two
    // characters against the limit. ----
    static constexpr int kOutputBoxLimit = 64001;  // a row is refused once the box holds this many
    QString OutputText() const;
    int OutputLength() const;
    // Appends text ("\r\n" for line ends) at the end of the box, wherever the caret is.
    void AppendOutput(const QString& text);
    // Puts the caret at the end so the newest line shows, and repaints the box.
    void ShowOutputEnd();

    // ---- A run (frmMain_run.cpp) ----
    void cmdStart_Click();
    // After ComputeNatalLongitude: false, after its message (title "Error"), when the birth moment
    // lies outside the natal body's range, so that no-value result is never used as a longitude.
    bool NatalLongitudeHasValue();
    void cmdClear_Click();
    // Loads the Pluto table once, when a request may need it; false after its messages.
    void EnsurePlutoData(bool& ok);
    // which 0: the start date, else the end date; false after its one message.
    void CheckEphemerisDateLimits(std::int16_t which, bool& ok);
    // The Pluto table when the pair needs it, the date limits (the start date's only when asked,
    // then the end date's), the zodiac switch and the natal position; false after a message.
    bool PreparePositions(bool world, bool checkStartDate);
    // The scan of request.StartDay..EndDay with its output, Stop and end of run.
    void ScanTransits();
    // Appends a result line, or refuses it when the box is full ("Output textbox is full.").
    bool WriteRowText(const QString& line);
    // The latest day at or before startDay whose start finds no aspect inside the inner orb
    // (when the start day does), or the earliest day with positions.
    std::int32_t StartDayBeforeTransitInEffect(std::int32_t startDay, int zoneMinutes) const;
    bool ScanRunning = false;    // a scan is under way (its day loop yields to the window)
    bool CloseRequested = false; // the window was closed during a scan: close once it has stopped
    int ScansStarted = 0;        // scans begun since the window was made

    // ---- The next-transit search (frmMain_search.cpp) ----
    // Sets the middle and inner orbs (request.OrbDegrees[1], [2], whole degrees) from the search
    // orb OrbDegrees[0] for the moving planet PlanetCodes[0], always three orbs a run would
    // accept; ok false after its one message (title "Search orb value") when the search orb is
    // too small for that: below 7° for Mercury, 6° for the Sun, Venus and Mars, 5° otherwise.
    void CheckSearchOrb(bool& ok);
    // The stepping met the end of a range at `day` (a day number) before the transit was complete:
    // hides the running date and says so, with `extra` (the range message) on a second line.
    void ReportNoTransitFound(const std::string& extra, std::int16_t aspect, std::int32_t day);

    // ---- Handlers built in their own files by the search, all-planets, output-file, help and
    // saved-state code. ----
    void cmdSearch_Click();            // frmMain_search.cpp
    void cmdShowAll_Click(int index);  // frmMain_showall.cpp
    void cmdFile_Click();              // frmMain_file.cpp
    void cmdHelp_Click();              // frmMain_help.cpp
    void cmdRestoreState_Click();      // frmMain_state.cpp
    void cmdSaveState_Click();         // frmMain_quit.cpp
    void cmdQuit_Click();              // frmMain_quit.cpp
    void Form_Unload();                // frmMain_quit.cpp; the window closes afterwards in any case

    // ---- Saved state and the end of the program (frmMain_state.cpp, frmMain_quit.cpp) ----
    // True for about 5.5 s after a save that the store really holds, or a restore; quitting
    // then asks no question.
    bool StateJustStored = false;
    std::int16_t StateStoredTicks = 0;  // timer ticks since StateJustStored was set
    QString StopDateText;               // the restored "Stop" value; nothing uses it
    bool ProgramEnded = false;          // EndProgram has run
    // One timer tick of StateJustStored's ageing.
    void AgeStateJustStored();
    // Ends the program: closes the window and its viewer and leaves the event loop.
    void EndProgram();

    // ---- Output file and help (frmMain_file.cpp, frmMain_help.cpp) ----
    std::string OutputFilePath;  // the file last chosen for the output
    frmView* Viewer = nullptr;   // the help viewer, made on first use; a child window

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();   // frmMain_controls.cpp
    void ConnectHandlers();  // frmMain_controls.cpp
    void MatchTypedText(QComboBox* list, const QString& text);
    void RunScan();
};

}  // namespace meridel
