// The scan engine run with the real ephemeris and a stand-in for the window, for the engine's
// own tests.
#pragma once

#include <string>
#include <vector>

#include "listing_check.h"
#include "transits/scan_engine.h"
#include "transits/transit_report.h"

namespace meridel::skycheck {

// The output without a limit, and no window: nothing asks to stop.
struct ScanRun {
    TransitRequest request;
    ScanState state;
    StringOutput text;
    OutputBox box{text, std::nullopt};
    RunWindow window;
    std::vector<std::string> lines;  // what the run wrote
    std::vector<Cells> rows;
};

// `tableRows` > 0 replaces the first size of the result table, to make a run outgrow it.
inline void Scan(ScanRun& run, const Case& c, std::size_t tableRows = 0) {
    TransitRequest& r = run.request;
    r.world = c.world;
    r.sidereal = c.sidereal;
    r.PlanetCodes = {c.moving, c.second};
    for (int o = 0; o < 3; ++o) r.Orbs[o] = (r.OrbDegrees[o] = c.orbs[o]) * kDegree;
    r.StartDay = r.RequestDays[0] = c.start;
    r.EndDay = r.RequestDays[1] = c.end;
    r.NatalLongitudes[c.second] = c.natal;
    r.planet1 = BodyName[c.moving];
    r.planet2 = BodyName[c.second];
    r.zoneMinutes = c.zone;
    r.zoneText = c.zoneText;
    TransitScan scan(r, ProgramSky(), run.state, run.box, run.window);
    scan.Begin();
    if (tableRows > 0) run.state.ResultRows.resize(tableRows);
    scan.WriteHeader();
    EXPECT_EQ(scan.Run(), ScanOutcome::Finished);
    const std::string& text = run.text.Text();
    for (std::size_t from = 0, end; (end = text.find("\r\n", from)) != std::string::npos; from = end + 2)
        run.lines.push_back(text.substr(from, end - from));
    run.rows = RowsOf(run.lines);
    // The run's records are what it wrote: rendered again they give its lines.
    std::vector<std::string> rendered = {HeadingLine(r), TitlesLine(r.OrbDegrees), RuleLine()};
    for (const TransitRecord& transit : run.state.Results.transits) {
        EXPECT_NE(transit.aspect, 0);
        for (const TransitRow& row : transit.rows) rendered.push_back(RowLine(row, r.zoneText));
    }
    EXPECT_EQ(rendered, run.lines);
}

}  // namespace meridel::skycheck
