// Known requests run as meridel-list runs them: the runs an output box holds and the listing's
// text, read back with the listing checker's reader, so the picture is compared with what is read.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calendar/clock.h"
#include "calendar/daycount.h"
#include "listing_check.h"
#include "request/all_planets.h"
#include "request/choices.h"
#include "request/run_driver.h"
#include "request/run_request.h"
#include "forecast/chart.h"
#include "timeline/timeline_layout.h"

namespace meridel::testing {

using skycheck::Cells;

struct Listing {
    std::vector<RunRecord> runs;
    std::string text;
    // The rows of every run, in order, as the listing checker reads them.
    std::vector<Cells> Rows() const {
        std::vector<Cells> rows;
        for (std::size_t from = 0, at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2) {
            const std::string line = text.substr(from, at - from);
            const bool row = line.size() > 12 && line[12] == '|' && line.rfind("Aspect ", 0) != 0;
            if (row) rows.push_back(skycheck::RowsOf({"", "", "", line}).at(0));
        }
        return rows;
    }
};

// A request as the window's controls would hold it: planets and zones by their texts.
inline RequestInput Request(bool world, const std::string& planet1, const std::string& planet2, const DateFields& start,
                            const DateFields& end, const std::string& zone = "GMT") {
    RequestInput in;
    in.world = world;
    auto position = [&](int list, const std::string& name) {
        for (int p = 0; PlanetAtPosition(world, list, p) <= LastPlanetCode(world, list); ++p) {
            if (PlanetNameAtPosition(world, list, p) == name) return p;
        }
        ADD_FAILURE() << "no planet " << name;
        return -1;
    };
    in.planets = {position(0, planet1), position(1, planet2)};
    in.dates = {start, end, DateFields{}};
    in.resultZone = in.birthZone = ZoneListPosition(false, zone);
    return in;
}

// Personal mode, born 1990-06-15 at 12:00 in the results zone.
inline RequestInput Personal(const std::string& transiting, const std::string& natal, const DateFields& start,
                             const DateFields& end, const std::string& zone = "GMT") {
    RequestInput in = Request(false, transiting, natal, start, end, zone);
    in.dates[kBirthRow] = {"1990", "6", "15"};
    in.hour = 13;
    in.minute = 1;
    in.hourTyped = "12";
    in.minuteTyped = "00";
    return in;
}

class TimelineTest : public skycheck::EphemerisSuite {
protected:
    void SetUp() override { SetClock(&clock_); }
    void TearDown() override { SetClock(nullptr); }

    // The run of the start button, or with allPlanets >= 0 the all-planets listing of that button;
    // with boxLimit, stopped where the window's output box is full.
    Listing Run(const RequestInput& input, int allPlanets = -1, bool boxLimit = false) {
        StringOutput text;
        OutputBox box(text, boxLimit ? std::optional<std::size_t>(OutputBox::kWindowLimit) : std::nullopt);
        RequestSession session;
        session.sky = skycheck::ProgramSky();
        ScanState scan;
        RunWindow quiet;
        auto runOne = [&](const RequestInput& in) {
            const RequestCheck check = CheckRun(in, session);
            EXPECT_FALSE(check.refusal.has_value()) << check.refusal->messages.front().text;
            if (check.run) ExecuteRun(session, *check.run, scan, box, in.allPlanets, quiet);
        };
        if (allPlanets < 0) {
            runOne(input);
        } else {
            WalkAllPlanets(input, allPlanets, [&](const AllPlanetsStep& step) {
                runOne(step.input);
                return session.RunAborted;
            });
        }
        return {box.Runs(), text.Text()};
    }

    // Text a fixed 7 pixels a character wide (titles 9), lines 14 high; only the part of the
    // picture between visibleLeft and visibleRight in detail.
    static TimelineLayout LayOut(const Timeline& t, double pixelsPerDay, double visibleLeft = -1e300,
                                 double visibleRight = 1e300) {
        LayoutOptions options;
        options.pixelsPerDay = pixelsPerDay;
        options.text.width = [](const std::string& s, TextRole role) { return (role == TextRole::Title ? 9.0 : 7.0) * s.size(); };
        options.text.lineHeight = {18, 14, 13};
        options.visibleLeft = visibleLeft;
        options.visibleRight = visibleRight;
        return LayOutTimeline(t, options);
    }

    // A clock that stands outside every period the tests draw.
    FixedClock clock_{2024, 0, 2400000.5};
};

}  // namespace meridel::testing
