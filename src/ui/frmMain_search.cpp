// A click on Search: its own checks, the day-by-day stepping from the day after the end date to
// the next transit of the chosen aspect within the search orb, the scan of exactly that stretch,
// and the move of the date fields to it.
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <array>
#include <cctype>

#include "calendar/date_text.h"
#include "dialogs/dialogs.h"
#include "ephemeris/names.h"
#include "ephemeris/planet_longitude.h"
#include "transits/orb_geometry.h"
#include "transits/date_limits.h"
#include "ui/frmMain.h"
#include "ui/window_style.h"

namespace meridel {

namespace {

constexpr const char* kSearchTitle = "Search";

// The designed middle and inner orbs, in whole degrees, for each search orb 5..15. A smaller search
// orb has no split into three orbs 2° apart, which a run requires, so it is refused.
struct DerivedOrbs {
    std::int16_t middle, inner;
};
constexpr std::array<DerivedOrbs, 16> SearchOrbTable{{
    {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {3, 1}, {4, 2}, {5, 3},
    {6, 4}, {6, 3}, {6, 2}, {7, 3}, {8, 4}, {8, 4}, {9, 4}, {10, 5},
}};

// The smallest inner orb a run accepts with this moving planet (CheckOrbs).
int SmallestInnerOrb(std::int16_t planet) {
    if (planet == kMercury) return 3;
    if (planet == kSun || planet == kVenus || planet == kMars) return 2;
    return 1;
}

// The stepping tests one day in a few microseconds; a repaint of the label costs far more. Over
// hundreds of thousands of days the label is therefore repainted at most this often, and the
// stepping never yields to the event loop.
constexpr qint64 kProgressIntervalMs = 200;

class SteppingProgress {
public:
    explicit SteppingProgress(QLabel* label) : label_(label) {
        SetControlForeColor(label_, ColorFromWindowsValue(kRunningDateColor));
        label_->show();
    }

    void show(std::int32_t day) {
        if (shown_.isValid() && shown_.elapsed() < kProgressIntervalMs) return;
        label_->setText(QString::fromStdString(ShortDateText(day, 2, "-", ",", false)));
        label_->repaint();
        shown_.start();
    }

private:
    QLabel* label_;
    QElapsedTimer shown_;
};

std::string LowerCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

void frmMain::CheckSearchOrb(bool& ok) {
    ok = true;
    const std::int16_t s = request.OrbDegrees[0];
    const std::int16_t p = request.PlanetCodes[0];
    const std::string prefix = optPersonal->isChecked() ? "With transiting" : "With";
    // The inner orb this planet needs in a run, then two steps of 2° up to the search orb.
    const int inner = SmallestInnerOrb(p);
    const int smallest = inner + 4;
    if (s < smallest) {
        std::string planets = BodyName[p];
        if (p == kSun || p == kVenus || p == kMars) planets = "Sun, Venus or Mars";
        dialogs().message(prefix + " " + planets + " the search orb must be at least " + std::to_string(smallest) +
                              "°.",
                          MessageIcon::Information, "Search orb value");
        ok = false;
        return;
    }
    if (s >= static_cast<int>(SearchOrbTable.size())) return;
    // The designed inner orb, raised where it is below this planet's smallest (Mercury at 10°).
    request.OrbDegrees[1] = SearchOrbTable[s].middle;
    request.OrbDegrees[2] = static_cast<std::int16_t>(std::max<int>(SearchOrbTable[s].inner, inner));
}

void frmMain::ReportNoTransitFound(const std::string& extra, std::int16_t aspect, std::int32_t day) {
    lblShortDate->hide();
    dialogs().message("No complete " + LowerCase(AspectName[aspect]) + " transit found up to " +
                          ShortDateText(day, 2, "-", ",", false) + " CE ." + "\n" + extra,
                      MessageIcon::Exclamation, "Date out of range");
}

void frmMain::cmdSearch_Click() {
    const bool world = optWorld->isChecked();
    if (!CheckDateFieldsFilled(1) || !CheckDate(1)) return;
    if (!world && !CheckBirthData(true)) return;

    // An index of -1 (text typed that matches no zone) means no zone, like the blank first entry.
    if (cboTimezone[0]->currentIndex() <= 0) {
        dialogs().message("Please specify the timezone for the results, or use the default GMT timezone.",
                          MessageIcon::None, kSearchTitle);
        cboTimezone[0]->setCurrentIndex(24);
        return;
    }

    // Nothing chosen gives planet code 0 (a body without positions) or aspect code 0 (no name, and
    // an angle the search would treat as a conjunction): refuse rather than search for either.
    if (cboPlanet[0]->currentIndex() < 0 || cboPlanet[1]->currentIndex() < 0) {
        dialogs().message("Please choose both planets.", MessageIcon::Information, kSearchTitle);
        return;
    }
    const int aspectIndex = cboSearchAspect->currentIndex();
    if (aspectIndex < 0 || aspectIndex >= request.AspectCount) {
        dialogs().message("Please choose the aspect to search for.", MessageIcon::Information, kSearchTitle);
        return;
    }

    request.PlanetCodes[0] = static_cast<std::int16_t>(cboPlanet[0]->currentIndex() + 1);
    request.PlanetCodes[1] = static_cast<std::int16_t>(cboPlanet[1]->currentIndex() + (world ? 2 : 1));
    if (world && request.PlanetCodes[0] >= request.PlanetCodes[1]) {
        dialogs().message("Outer planet must be beyond inner planet", MessageIcon::Information, kSearchTitle);
        return;
    }

    request.OrbDegrees[0] = static_cast<std::int16_t>(cboOrbs[0]->currentIndex() + 1);
    bool ok = true;
    CheckSearchOrb(ok);
    if (!ok) return;
    request.HandoverCheck = request.OrbDegrees[0] == 15;
    for (int i = 0; i < kOrbCount; ++i) request.Orbs[i] = request.OrbDegrees[i] * kFullCircle / 360.0;

    if (!PreparePositions(world, false)) return;

    request.StartDay = -1;
    request.EndDay = -1;
    const auto aspect = static_cast<std::int16_t>(aspectIndex + 1);
    const auto zone = static_cast<std::int16_t>((cboTimezone[0]->currentIndex() - 24) * 30);
    const std::int16_t moving = request.PlanetCodes[0];
    const std::int16_t second = request.PlanetCodes[1];
    const double natal = request.NatalLongitudes[second];
    const double orb = request.Orbs[0];
    const std::int32_t firstDay = request.RequestDays[1] + 1;

    // The first test is at 0 h universal time of the day after the end date; the stepping below
    // uses local midnights of the output zone.
    std::int16_t firstError = 0;
    const bool inOrbAfterEnd =
        IsWithinOrb(moving, second, firstDay - 0.5, aspect, orb, world, natal, true, firstError) == 1;
    if (firstError != 0) {
        // Its message is shown; the stepping would stop on that day (or a day later in a zone east
        // of Greenwich), so report it at once.
        ReportNoTransitFound(DateRangeMessage(firstError, moving, second), aspect, firstDay);
        return;
    }

    SteppingProgress progress(lblShortDate);
    const StepProgress onDay = [&progress](std::int32_t day) { progress.show(day); };
    std::int16_t error = 0;
    bool startState = false;
    auto step = [&](std::int32_t from, bool targetInOrb) {
        return StepToOrbChange(from, startState, true, targetInOrb, zone, moving, second, aspect, orb, world, natal,
                               false, error, onDay);
    };

    std::int32_t day = firstDay;
    // A transit already under way after the end date is not the next one: step past it.
    if (inOrbAfterEnd) day = step(firstDay, false);
    if (error == 0) {
        day = step(day, true);
        if (error == 0) request.StartDay = day;
    }
    if (error == 0) {
        day = step(request.StartDay + 1, false);
        if (error == 0) request.EndDay = day;
    }
    if (error != 0) {
        ReportNoTransitFound(DateRangeMessage(error, moving, second), aspect, day);
        return;
    }

    // The listing goes to the output box, which the compact window does not show.
    SetFormHeight(intHeight);
    ScanTransits();

    if (!chkKeepDates->isChecked() && AnyTransit(scan)) {
        const std::int32_t days[2] = {request.StartDay, request.EndDay};
        for (int row = 0; row < 2; ++row) {
            EuroDate date;
            date.DayNumber = days[row];
            DateFromDayNumber(date);
            txbYear[row]->setText(QString::number(date.Year));
            txbMonth[row]->setText(QString::number(date.Month));
            txbDay[row]->setText(QString::number(date.Day));
            UpdateDateLabel(row);
        }
    }
}

}  // namespace meridel
