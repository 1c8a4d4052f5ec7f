// The scan engine run with the real ephemeris and a stand-in for the window, for the engine's
// own tests.
#pragma once

#include <iostream>
#include <string>
#include <vector>

#include "listing_check.h"
#include "transits/scan_engine.h"
#include "transits/transit_report.h"

namespace meridel::skycheck {

// The window: keeps every line and never asks to stop.
struct RecordingHooks : ScanHooks {
    std::vector<std::string> lines;
    void yieldToWindow() override {}
    bool stopRequested() override { return false; }
    void showDay(const std::string&) override {}
    void appendLine(const std::string& line) override { lines.push_back(line); }
    bool writeRow(const std::string& line) override {
        appendLine(line);
        return true;
    }
};

struct ScanRun {
    TransitRequest request;
    ScanState state;
    RecordingHooks hooks;
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
    TransitScan scan(r, ProgramSky(), run.state, run.hooks);
    scan.Begin();
    if (tableRows > 0) run.state.ResultRows.resize(tableRows);
    scan.WriteHeader();
    EXPECT_EQ(scan.Run(), ScanOutcome::Finished);
    run.rows = RowsOf(run.hooks.lines);
    // The run's records are what it wrote: rendered again they give its lines.
    std::vector<std::string> rendered = {HeadingLine(r), TitlesLine(r.OrbDegrees), RuleLine()};
    for (const TransitRecord& transit : run.state.Results.transits) {
        EXPECT_NE(transit.aspect, 0);
        for (const TransitRow& row : transit.rows) rendered.push_back(RowLine(row, r.zoneText));
    }
    EXPECT_EQ(rendered, run.hooks.lines);
}

}  // namespace meridel::skycheck
