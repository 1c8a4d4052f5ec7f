// The day-by-day transit scan. It walks StartDay..EndDay of a checked request one civil day at a
// time, samples both bodies at local midnights of the output zone, classifies each aspect and orb
// as outside, entering, inside or leaving, builds the rows of each transit in ScanState and hands
// each finished transit to the output at once, keeping what was written in ScanState::Results.
//
// A run, as the request layer drives it:
//   1. empties or separates the output;
//   2. TransitScan scan(request, sky, state, box, window);  scan.Begin();  scan.WriteHeader();
//   3. busy state; hides "Append to output";
//   4. scan.Run():
//        Stopped  -> "Stopped" is appended, idle state;
//        Finished -> the open transit is already written; AnyTransit(state) tells whether the run
//                    found one ("No transits in this period." otherwise), then the end of run;
//      either way BoxFull() tells whether the box refused a row, which the caller says.
// The scan itself never touches a control: what it needs comes in the request (the run), the sky
// (its positions) and the window's part (called during the run).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ephemeris/sky.h"
#include "transits/output_box.h"
#include "transits/transit_pair.h"
#include "transits/transit_state.h"

namespace meridel {

// The window's part in a run; without one (the batch front-end, tests) every step does nothing.
// One thread: every call comes from within the run and returns before it goes on.
class RunWindow {
public:
    virtual ~RunWindow() = default;
    // Once at the start of every day: serve pending clicks (Stop), paints and the timer.
    virtual void YieldToWindow() {}
    // Whether the user asked the run to stop; asked after every yield and every row written.
    virtual bool StopRequested() { return false; }
    // The first day's date text, to show at once (later days: DayText(ScanState), for the timer).
    virtual void ShowDay(const std::string&) {}
    // The run has written its heading: busy state, "Append to output" hidden.
    virtual void RunBegins() {}
    // Idle again (after a stop, the running date hidden too).
    virtual void RunEnds(bool /*stopped*/) {}
    // A row went into the box: show its end.
    virtual void RowWritten() {}
};

enum class ScanOutcome {
    Finished,  // EndDay processed and the open transit written
    Stopped,   // ended at the start of a day: Stop, or a full box; the open transit is not written
};

// Whether the run has found a transit (its first row holds something, written or not).
bool AnyTransit(const ScanState& state);

class TransitScan {
public:
    // The request, the state, the box and the window are referenced, not copied, and must outlive
    // the scan; the sky is taken in the request's zodiac. The request becomes state.Results.request.
    TransitScan(const TransitRequest& request, const Sky& sky, ScanState& state, OutputBox& box, RunWindow& window);

    // The state's share of run set-up: InOrb cleared, the result table sized by the capacity rule
    // and emptied, row offsets 0, MinDeviation 10, the minimum day forgotten, no results yet.
    void Begin();
    // The heading, the column titles (a row: the output may refuse it) and the rule.
    void WriteHeader();
    // The day loop from StartDay to EndDay, then the end-of-run flush.
    ScanOutcome Run();
    // Whether the box refused a row (the run stops at the next day, or has ended).
    bool BoxFull() const { return boxFull_; }

    // The procedures of a day, open for tests. Rows are result table indexes; days are day numbers.

    struct Handover {
        std::int16_t leaving = -1;   // aspect leaving its outer orb on this day, or -1
        std::int16_t entering = -1;  // aspect entering its outer orb on this day, or -1
        bool handover = false;       // both: one transit ends and the next begins on the same day
    };
    // From the current InOrb (the last match wins in both). With an outer orb of 15 degrees the
    // outer orbs of two aspects meet, and one transit ends on the day the next begins; with less,
    // a fast pair can still cross the gap between them within one day: either way the one transit
    // is closed before the next is opened, rather than the new aspect written over its rows.
    Handover FindOrbHandover() const;
    // Whether `day`'s listed date carries "r": the moving planet retrograde at the local midnight
    // starting it; never in all-planets World runs.
    bool RetrogradeMark(std::int32_t day) const;
    // The row's closest approach: the minimum's day and deviation. Nothing when no daily minimum was
    // recorded (minDeviation still 10). A pass that came within the inner orb shows its smallest
    // deviation to the minute and its local day; any other the smallest at a local midnight.
    void FillMinimum(std::int32_t row, std::int32_t minDay, std::int16_t aspect, double minDeviation);
    // minDay had the smallest deviation at its starting local midnight; when the deviation grows
    // just after that midnight, the minimum fell on the day before: the day to name.
    std::int32_t MinimumDate(std::int32_t minDay, std::int16_t aspect, double minDeviation) const;
    // The exact hits of the aspect during `day` (between its two local midnights, whose samples
    // the scan holds), in time order: every local minimum of the deviation below 0.000291 rad on
    // the grid of whole minutes (exact_hits.h).
    std::vector<ExactHit> FindExactMinimum(std::int32_t day, std::int16_t aspect) const;
    // Writes the finished transit's rows (showing its aspect name only when the previous transit
    // had another), keeps what was written in the results, moves NextRow past them and starts
    // afresh.
    void FlushTransitRows();

private:
    // A row into the box; false when the box refused it.
    bool WriteRow(const std::string& line);
    bool Stopping() { return boxFull_ || window_.StopRequested(); }
    void ProcessDay(std::int32_t day);
    void TakeSamples(std::int32_t day);
    void Classify();
    void EnterBranches(std::int16_t aspect, int entering, int leaving);
    // The next minimum, exact hit or orb entry goes one row further down.
    void StartNewRowGroup();
    // Writes each exact hit of the day into the transit's rows, the first where the pass's minimum
    // goes, further ones on extra rows.
    void PlaceExactHits(std::int16_t aspect, const std::vector<ExactHit>& hits);
    // Keeps the smallest deviation at a local midnight of the pass under way (restart: a new pass
    // begins with this day's samples).
    void NotePassSamples(std::int16_t aspect, bool restart);
    TransitRow& Row(std::int32_t row);
    void PutNameIfEmpty(std::int32_t row, std::int16_t aspect);
    ListedDate Dated(std::int32_t day) const { return {day, RetrogradeMark(day)}; }
    double MomentOfDayStart(std::int32_t day) const;

    const TransitRequest& request_;
    TransitPair pair_;
    ScanState& state_;
    OutputBox& box_;
    RunWindow& window_;
    bool boxFull_ = false;

    std::int32_t day_ = 0;
    std::int32_t minDay_ = 0;
    // The pass's smallest deviation at any of its local midnights, and the day that midnight
    // starts; the search for its smallest deviation to the minute begins there.
    double passMinDeviation_ = 10.0;
    std::int32_t passMinDay_ = 0;
    // Highest row the open transit has written; rows NextRow..this are its rows.
    std::int32_t lastRowUsed_ = 0;
    // The longitudes of both bodies at the day's three samples (the natal one fixed), the raw
    // sample separations and whether both bodies had a value there; carried to the next day.
    double longitudes_[2][3] = {};
    double rawSeparation_[3] = {};
    bool sampleValid_[3] = {};
    bool dayHasValue_ = false;
    Handover handover_;
    // The aspect named last in the run's output (a repeat is not named again).
    std::int16_t lastNamed_ = 0;
};

}  // namespace meridel
