// The day-by-day transit scan. It walks StartDay..EndDay of a checked request one civil day at a
// time, samples both bodies at local midnights of the output zone, classifies each aspect and orb
// as outside, entering, inside or leaving, builds the result rows of each transit in ScanState
// and hands each finished transit's rows to the window at once.
//
// How the window drives a run (its ScanTransits):
//   1. Empties or separates its output box.
//   2. TransitScan scan(request, state, inputs, hooks);  scan.Begin();
//   3. state.HeadingText = MakeHeading(request, texts);  WriteTableHeader(request, state, hooks);
//   4. Busy state; request.StopRequested = false; hides "Append to output".
//   5. scan.Run():
//        Stopped  -> the window appends "Stopped", goes idle, clears StopRequested.
//        Finished -> the open transit is already written; when IsRowEmpty(state, 3) the window
//                    appends kNoTransitsLine; then idle state, "Done" or "No transits", etc.
// The scan itself never touches a control: everything it needs from the window comes through
// ScanRunInputs (read once) and ScanHooks (called during the run).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "transits/transit_state.h"

namespace meridel {

// Window values a run reads once at its start. (AllPlanetsMode is the request's own flag.)
struct ScanRunInputs {
    bool WorldMode = true;         // optWorld: both bodies move; else the natal longitude is the second
    std::int16_t ZoneMinutes = 0;  // Z: output zone, minutes east of Greenwich
    std::string ZoneText;          // selected text of cboTimezone(0), written after exact-hit times
};

// What the window does during a run. One thread: every call comes from within TransitScan::Run
// (or WriteTableHeader) and returns before the scan goes on.
class ScanHooks {
public:
    virtual ~ScanHooks() = default;
    // Once at the start of every day: serve pending clicks, paints and the timer.
    virtual void yieldToWindow() = 0;
    // Whether the run must stop: Stop clicked, or a refused row. Asked after every yield and
    // after every row offered to writeRow.
    virtual bool stopRequested() = 0;
    // The first day's date text, to show at once. Later days: ScanState::DayText, for the timer.
    virtual void showDay(const std::string& dayText) = 0;
    // Appends a plain line (the heading, the rule) and a line end. Never refused.
    virtual void appendLine(const std::string& line) = 0;
    // Appends a row line and a line end, or refuses it when the output box is full: then the
    // window shows its message, appends its note, sets StopRequested and RunAborted and returns
    // false.
    virtual bool writeRow(const std::string& line) = 0;
};

enum class ScanOutcome {
    Finished,  // EndDay processed and the open transit written
    Stopped,   // ended at the start of a day because stopRequested(); the open transit is not written
};

class TransitScan {
public:
    // All four are referenced, not copied, and must outlive the scan.
    TransitScan(const TransitRequest& request, ScanState& state, const ScanRunInputs& inputs, ScanHooks& hooks);

    // The state's share of run set-up: InOrb cleared, ResultRows sized to rows 0..R and emptied,
    // NextRow 3, RowOffset 0, MinDeviation 10, the minimum day forgotten.
    void Begin();
    // The day loop from StartDay to EndDay, then the end-of-run flush.
    ScanOutcome Run();

    // The procedures of a day, open for tests. Rows are ResultRows indexes; days are day numbers.

    struct Handover {
        std::int16_t leaving = -1;   // aspect leaving its outer orb on this day, or -1
        std::int16_t entering = -1;  // aspect entering its outer orb on this day, or -1
        bool handover = false;       // both: one transit ends and the next begins on the same day
    };
    // Looked for only with HandoverCheck (outer orb 15 degrees), from the current InOrb.
    Handover FindOrbHandover() const;
    // "r" when the moving planet `planet` is retrograde at the local midnight starting `day`; ""
    // otherwise and always in all-planets World runs.
    std::string RetrogradeMark(std::int32_t day, std::int16_t planet) const;
    // Columns 4 and 8 of `row`: the minimum's date and retrograde mark, and its deviation. Nothing
    // when no daily minimum was recorded (minDeviation still 10). A pass that came within the
    // inner orb shows its smallest deviation to the minute and the local day of it; any other
    // the smallest at a local midnight (minDay, minDeviation).
    void FillMinimum(std::int32_t row, std::int32_t minDay, std::int16_t aspect, double minDeviation);
    // minDay had the smallest deviation at its starting local midnight; when the deviation grows
    // just after that midnight, the minimum fell on the day before and `day` moves back one.
    std::string MinimumDate(std::int32_t& day, std::int16_t aspect, double minDeviation) const;
    // The exact hits of the aspect during `day` (between its two local midnights, whose samples
    // the scan holds), in time order, each as "date*[r]hh:mm ZONE" in the output zone: every local
    // minimum of the deviation below 0.000291 rad on the grid of whole minutes (exact_hits.h).
    std::vector<std::string> FindExactMinimum(std::int32_t day, std::int16_t aspect) const;
    // Splits an exact-hit text after "*" (and its "r") into columns 4 and 8 of `row`.
    void PutExtraMinimum(std::int32_t row, const std::string& text);
    // Writes the finished transit's rows (showing its aspect name only when the previous transit
    // had another), moves NextRow past them and starts afresh.
    void FlushTransitRows();

private:
    void ProcessDay(std::int32_t day);
    void TakeSamples(std::int32_t day);
    void Classify();
    void EnterBranches(std::int16_t aspect, int entering, int leaving);
    // The pair's deviation from the aspect at moment t, or -1 when a body has no value there.
    double DeviationAt(double t, std::int16_t aspect) const;
    // The pair's difference of longitude minus `aim`, in (-pi, pi]; NaN when a body has no value.
    double DistanceFromAim(double t, double aim) const;
    // Radians per day the deviation can change at most.
    double MaxDeviationSpeed() const;
    // The next minimum, exact hit or orb entry goes one row further down.
    void StartNewRowGroup();
    // Writes each exact hit of the day into the transit's rows, the first where the pass's minimum
    // goes, further ones on extra rows.
    void PlaceExactHits(std::int16_t aspect, const std::vector<std::string>& hits);
    // Keeps the smallest deviation at a local midnight of the pass under way (restart: a new pass
    // begins with this day's samples).
    void NotePassSamples(std::int16_t aspect, bool restart);
    std::string& Cell(std::int32_t row, int column);
    void PutNameIfEmpty(std::int32_t row, std::int16_t aspect);
    double MomentOfDayStart(std::int32_t day) const;

    const TransitRequest& request_;
    ScanState& state_;
    const ScanRunInputs& inputs_;
    ScanHooks& hooks_;

    std::int32_t day_ = 0;
    std::int32_t minDay_ = 0;
    // The pass's smallest deviation at any of its local midnights, and the day that midnight
    // starts; the search for its smallest deviation to the minute begins there.
    double passMinDeviation_ = 10.0;
    std::int32_t passMinDay_ = 0;
    // Highest row the open transit has written; rows NextRow..this are its rows.
    std::int32_t lastRowUsed_ = 0;
    // Raw sample separations and whether both bodies had a value there; carried to the next day.
    double rawSeparation_[3] = {};
    bool sampleValid_[3] = {};
    bool dayHasValue_ = false;
    Handover handover_;
};

}  // namespace meridel
