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

#include "transits/transit_state.h"

namespace meridel {

// Window values a run reads once at its start.
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
    // when no daily minimum was recorded (minDeviation still 10).
    void FillMinimum(std::int32_t row, std::int32_t minDay, std::int16_t aspect, double minDeviation);
    // minDay had the smallest deviation at its starting local midnight; when the deviation grows
    // just after that midnight, the minimum fell on the day before and `day` moves back one.
    std::string MinimumDate(std::int32_t& day, std::int16_t aspect, double minDeviation) const;
    // Minute search for an exact hit around the local minimum at the start of `day`, from 0 h UT
    // of day - 1 until the deviation grows (at most to 12 h UT of day). The text "date*[r]hh:mm ZONE"
    // in the output zone when the smallest deviation is below 0.000291 rad, else "".
    std::string FindExactMinimum(std::int32_t day, std::int16_t aspect) const;
    // Splits an exact-hit text after "*" (and its "r") into columns 4 and 8 of `row`.
    void PutExtraMinimum(std::int32_t row, const std::string& text);
    // Writes the finished transit's rows (showing its aspect name only when the previous transit
    // had another), moves NextRow past them and starts afresh.
    void FlushTransitRows();

private:
    void ProcessDay(std::int32_t day);
    void TakeSamples(std::int32_t day);
    void Classify();
    void EnterBranches(std::int16_t aspect, int entering, int inside, int leaving);
    std::string& Cell(std::int32_t row, int column);
    void PutNameIfEmpty(std::int32_t row, std::int16_t aspect);
    double MomentOfDayStart(std::int32_t day) const;

    const TransitRequest& request_;
    ScanState& state_;
    const ScanRunInputs& inputs_;
    ScanHooks& hooks_;

    std::int32_t day_ = 0;
    std::int32_t minDay_ = 0;
    // Highest row the open transit has written; rows NextRow..this are its rows.
    std::int32_t lastRowUsed_ = 0;
    // Raw sample separations and whether both bodies had a value there; carried to the next day.
    double rawSeparation_[3] = {};
    bool sampleValid_[3] = {};
    bool dayHasValue_ = false;
    Handover handover_;
};

}  // namespace meridel
