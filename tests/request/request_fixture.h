// Requests without a window: an input as the window's controls hold it at first start (2024,
// World Mars-Jupiter or Personal Mars over natal Jupiter, orbs 10/5/2, results in GMT), and the
// messages a refusal would show.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "calendar/clock.h"
#include "calendar/date_text.h"
#include "ephemeris/data_folder.h"
#include "ephemeris/planet_longitude.h"
#include "request/choices.h"
#include "request/request_input.h"
#include "request/run_request.h"

namespace meridel {

class RequestTest : public ::testing::Test {
protected:
    void SetUp() override { SetClock(&clock_); }
    void TearDown() override { SetClock(nullptr); }

    // A session with the installed sky, as the window and meridel-list begin one.
    static RequestSession NewSession() {
        static const Sky installed = InstalledSky();
        RequestSession session;
        session.sky = installed;
        return session;
    }

    static RequestInput World(int inner = 3, int outer = 3) {
        RequestInput in;
        in.world = true;
        in.dates = {DateFields{"2024", "1", "1"}, DateFields{"2024", "12", "31"}, DateFields{}};
        in.planets = {inner, outer};
        in.resultZone = kGreenwichEntry;
        in.searchAspect = 0;
        return in;
    }
    // Transiting Mars over natal Jupiter, born 1990-06-15 12:00 GMT.
    static RequestInput Personal(int transiting = 3, int natal = 4) {
        RequestInput in = World(transiting, natal);
        in.world = false;
        in.dates[2] = {"1990", "6", "15"};
        in.hour = 13;
        in.minute = 1;
        in.hourTyped = "12";
        in.minuteTyped = "00";
        in.birthZone = kGreenwichEntry;
        return in;
    }

    // The refusal's one message, its look and its title.
    static void ExpectRefusal(const std::optional<Refusal>& refusal, const std::string& text, MessageIcon icon,
                              const std::string& title) {
        ASSERT_TRUE(refusal.has_value()) << "no refusal; expected " << text;
        ASSERT_EQ(refusal->messages.size(), 1u) << refusal->messages[0].text;
        EXPECT_EQ(refusal->messages[0].text, text);
        EXPECT_EQ(refusal->messages[0].icon, icon) << text;
        EXPECT_EQ(refusal->messages[0].title, title) << text;
    }

private:
    FixedClock clock_{2024, -3600};
};

}  // namespace meridel
