// The day-by-day transit scan. It walks StartDay..EndDay of a checked request one civil day at a
// time, samples both bodies at local midnights of the output zone, classifies each aspect and orb
// as outside, entering, inside or leaving, builds the rows of each transit in ScanState and hands
// each finished transit to the output at once, keeping what was written in ScanState::Results.
//
// A run, as the request layer drives it:
//   1. empties or separates the output;
//   2. TransitScan scan(request, sky, state, hooks);  scan.Begin();  scan.WriteHeader();
//   3. busy state; hides "Append to output";
//   4. scan.Run():
//        Stopped  -> "Stopped" is appended, idle state;
//        Finished -> the open transit is already written; AnyTransit(state) tells whether the run
//                    found one ("No transits in this period." otherwise), then the end of run.
// The scan itself never touches a control: what it needs comes in the request (the run), the sky
// (its positions) and the hooks (called during the run).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ephemeris/sky.h"
#include "transits/transit_pair.h"
#include "transits/transit_state.h"

namespace meridel {

// What the output and the window do during a run. One thread: every call comes from within
// TransitScan and returns before the scan goes on.
class ScanHooks {
public:
    virtual ~ScanHooks() = default;
    // Once at the start of every day: serve pending clicks, paints and the timer.
    virtual void yieldToWindow() = 0;
    // Whether the run must stop: Stop clicked, or a refused row. Asked after every yield and
    // after every row offered to writeRow.
    virtual bool stopRequested() = 0;
    // The first day's date text, to show at once. Later days: DayText(ScanState), for the timer.
    virtual void showDay(const std::string& dayText) = 0;
    // Appends a plain line (the heading, the rule) and a line end. Never refused.
    virtual void appendLine(const std::string& line) = 0;
    // Appends a row line and a line end, or refuses it when the output is full (and then asks
    // for the run to stop).
    virtual bool writeRow(const std::string& line) = 0;
};

enum class ScanOutcome {
    Finished,  // EndDay processed and the open transit written
    Stopped,   // ended at the start of a day because stopRequested(); the open transit is not written
};

// Whether the run has found a transit (its first row holds something, written or not).
bool AnyTransit(const ScanState& state);

class TransitScan {
public:
    // The request, the state and the hooks are referenced, not copied, and must outlive the scan;
    // the sky is taken in the request's zodiac. The request becomes state.Results.request.
    TransitScan(const TransitRequest& request, const Sky& sky, ScanState& state, ScanHooks& hooks);

    // The state's share of run set-up: InOrb cleared, the result table sized by the capacity rule
    // and emptied, row offsets 0, MinDeviation 10, the minimum day forgotten, no results yet.
    void Begin();
    // The heading, the column titles (a row: the output may refuse it) and the rule.
    void WriteHeader();
    // The day loop from StartDay to EndDay, then the end-of-run flush.
    ScanOutcome Run();

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
    ScanHooks& hooks_;

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
