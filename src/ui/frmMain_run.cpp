// A click on the start button: the request's checks in their fixed order, the move of the start
// date to before a transit already in effect, and the scan with its output, Stop and end of run.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <cmath>

#include "calendar/date_text.h"
#include "calendar/str_proc.h"
#include "dialogs/dialogs.h"
#include "ephemeris/ephemlon.h"
#include "ephemeris/names.h"
#include "ephemeris/planet_longitude.h"
#include "ephemeris/pluto_table.h"
#include "transits/orb_geometry.h"
#include "transits/date_limits.h"
#include "transits/scan_engine.h"
#include "transits/transit_report.h"
#include "ui/controls.h"
#include "ui/frmMain.h"

namespace meridel {

namespace {

std::string S(const QString& text) { return text.toStdString(); }

// The window's side of a scan: the yield, the Stop flag, the running date and the output box.
class WindowScanHooks : public ScanHooks {
public:
    explicit WindowScanHooks(frmMain& window) : w_(window) {}

    void yieldToWindow() override { QCoreApplication::processEvents(); }

    bool stopRequested() override { return w_.request.StopRequested; }

    void showDay(const std::string& dayText) override {
        w_.lblShortDate->setText(QString::fromStdString(dayText));
        w_.lblShortDate->repaint();
    }

    void appendLine(const std::string& line) override {
        w_.AppendOutput(QString::fromStdString(line) + QStringLiteral("\r\n"));
    }

    bool writeRow(const std::string& line) override { return w_.WriteRowText(QString::fromStdString(line)); }

private:
    frmMain& w_;
};

}  // namespace

bool frmMain::WriteRowText(const QString& line) {
    if (OutputLength() >= kOutputBoxLimit) {
        dialogs().message("Output textbox is full.", MessageIcon::Exclamation, S(windowTitle()));
        AppendOutput(QStringLiteral("Textbox is full -- "));
        request.StopRequested = true;
        request.RunAborted = true;
        return false;
    }
    AppendOutput(line + QStringLiteral("\r\n"));
    ShowOutputEnd();
    return true;
}

void frmMain::EnsurePlutoData(bool& ok) {
    const bool needed = cboPlanet[1]->currentText() == QString::fromStdString(BodyName[kPluto]) ||
                        request.AllPlanetsMode || optPersonal->isChecked();
    if (needed && !request.PlutoDataLoaded) {
        std::string errorText;
        request.PlutoDataLoaded = LoadPlutoData("pluto.slx", errorText);
        if (!request.PlutoDataLoaded) {
            dialogs().message("Cannot read Pluto data", MessageIcon::Exclamation, kDefaultTitle);
            ok = false;
            return;
        }
    }
    ok = true;
}

void frmMain::CheckEphemerisDateLimits(std::int16_t which, bool& ok) {
    const std::string message = EphemerisDateLimitMessage(request, which);
    ok = message.empty();
    if (!ok) dialogs().message(message, MessageIcon::None, kDefaultTitle);
}

void frmMain::cmdStart_Click() {
    request.RunAborted = true;
    if (cmdStart->text() == QStringLiteral("Stop")) {
        request.StopRequested = true;
        return;
    }
    const std::string title = S(cmdStart->text());
    const bool world = optWorld->isChecked();

    request.RequestDays = {0, 0, 0};
    if (!CheckDateFieldsFilled(0) || !CheckDateFieldsFilled(1)) return;

    if (!world) {
        const std::pair<QLineEdit*, const char*> birthFields[] = {
            {txbYear[2], "Please specify year of birth."},
            {txbMonth[2], "Please specify month of birth."},
            {txbDay[2], "Please specify day of birth."},
        };
        for (const auto& [box, message] : birthFields) {
            box->setText(QString::fromStdString(CleanNumberText(S(box->text()), false, false)));
            if (box->text().isEmpty()) {
                dialogs().message(message, MessageIcon::None, title);
                return;
            }
        }
    }

    if (!CheckDate(0) || !CheckDate(1)) return;
    if (!world && !CheckBirthData(false)) return;

    if (request.RequestDays[0] > request.RequestDays[1] - 3) {
        dialogs().message("The start date must be at least 3 days prior to the end date.", MessageIcon::Information,
                          title);
        return;
    }

    // An index of -1 (nothing chosen) means no zone, like the blank first entry.
    if (cboTimezone[0]->currentIndex() <= 0) {
        dialogs().message("Please specify the timezone for the results, or use the default GMT timezone.",
                          MessageIcon::None, title);
        cboTimezone[0]->setCurrentIndex(24);
        return;
    }

    const int first = cboPlanet[0]->currentIndex();
    const int second = cboPlanet[1]->currentIndex();
    // Only the all-planets listing leaves the inner list empty on purpose (it then means Pluto);
    // any other empty planet list has no body to compute.
    if (second < 0 || (first < 0 && !(world && request.AllPlanetsMode))) {
        dialogs().message("Please choose both planets.", MessageIcon::Information, title);
        return;
    }
    if (world) {
        request.PlanetCodes[0] = static_cast<std::int16_t>(first < 0 ? kPluto : first + 1);
        request.PlanetCodes[1] = static_cast<std::int16_t>(second + 2);
    } else {
        request.PlanetCodes[0] = static_cast<std::int16_t>(first + 1);
        request.PlanetCodes[1] = static_cast<std::int16_t>(second + 1);
    }

    if (world) {
        if (request.AllPlanetsMode) {
            if (request.PlanetCodes[0] == request.PlanetCodes[1]) {
                request.RunAborted = false;
                return;
            }
            if (request.PlanetCodes[0] > request.PlanetCodes[1]) std::swap(request.PlanetCodes[0], request.PlanetCodes[1]);
        } else if (request.PlanetCodes[0] == request.PlanetCodes[1]) {
            dialogs().message("World transit of a planet to itself is not possible.", MessageIcon::Exclamation, title);
            return;
        } else if (request.PlanetCodes[0] > request.PlanetCodes[1]) {
            dialogs().message("Outer planet must be beyond inner planet", MessageIcon::Information, title);
            return;
        }
    }

    if (!request.AllPlanetsMode && !CheckOrbs()) return;

    for (int i = 0; i < kOrbCount; ++i) {
        request.OrbDegrees[i] = static_cast<std::int16_t>(cboOrbs[i]->currentIndex() + 1);
        request.Orbs[i] = request.OrbDegrees[i] * kFullCircle / 360.0;
    }
    request.HandoverCheck = request.OrbDegrees[0] == 15;
    if (!PreparePositions(world, true)) return;

    request.RunAborted = false;
    SetFormHeight(intHeight);

    const int zone = (cboTimezone[0]->currentIndex() - 24) * 30;
    request.RequestDays[0] = StartDayBeforeTransitInEffect(request.RequestDays[0], zone);
    request.StartDay = request.RequestDays[0];
    request.EndDay = request.RequestDays[1];
    ScanTransits();
}

bool frmMain::NatalLongitudeHasValue() {
    // A birth moment outside the natal body's range (in universal time) has no position to
    // scan or search against.
    const double natal = request.NatalLongitudes[request.PlanetCodes[1]];
    if (natal >= 0) return true;
    const auto code = static_cast<std::int16_t>(std::trunc(natal) == kAfterRange ? kSecondBodyAfterRange
                                                                                  : kSecondBodyBeforeRange);
    dialogs().message(DateRangeMessage(code, request.PlanetCodes[0], request.PlanetCodes[1]), MessageIcon::Exclamation,
                      "Error");
    return false;
}

bool frmMain::PreparePositions(bool world, bool checkStartDate) {
    bool ok = true;
    if (request.PlanetCodes[0] == kPluto || request.PlanetCodes[1] == kPluto) {
        EnsurePlutoData(ok);
        if (!ok) return false;
    }
    if (checkStartDate) {
        CheckEphemerisDateLimits(0, ok);
        if (!ok) return false;
    }
    CheckEphemerisDateLimits(1, ok);
    if (!ok) return false;

    SiderealZodiac = world ? false : optSidereal->isChecked();
    if (!world) {
        ComputeNatalLongitude();
        if (!NatalLongitudeHasValue()) return false;
    }
    return true;
}

std::int32_t frmMain::StartDayBeforeTransitInEffect(std::int32_t startDay, int zoneMinutes) const {
    const bool world = optWorld->isChecked();
    const std::int16_t moving = request.PlanetCodes[0];
    const std::int16_t second = request.PlanetCodes[1];
    const double natal = request.NatalLongitudes[second];
    auto midnight = [&](std::int32_t day) { return day - 0.5 - zoneMinutes / 1440.0; };
    // Deviation from the aspect at the start of `day`; negative when a body has no position then.
    auto deviation = [&](std::int32_t day, std::int16_t aspect) {
        const double a = PlanetLongitude(moving, midnight(day));
        const double b = world ? PlanetLongitude(second, midnight(day)) : natal;
        if (a < 0 || b < 0) return -1.0;
        std::int16_t direction = 0;
        return std::fabs(AngularSeparation(a, b, direction) - AspectAngle[aspect]);
    };
    const double inner = request.Orbs[2];

    std::int16_t inEffect = 0;
    for (std::int16_t a = 1; a <= request.AspectCount && inEffect == 0; ++a) {
        const double d = deviation(startDay, a);
        if (d >= 0 && d < inner) inEffect = a;
    }
    if (inEffect == 0) return startDay;

    std::int32_t day = startDay;
    for (;;) {
        --day;
        const double d = deviation(day, inEffect);
        if (d < 0) return day + 1;  // the earliest day the ephemeris covers
        if (!(d < inner)) return day;
    }
}

void frmMain::ScanTransits() {
    ScanRunning = true;
    ++ScansStarted;
    RunScan();
    ScanRunning = false;
    // A close asked for during the scan waited for it to unwind; carry it out now.
    if (CloseRequested) QTimer::singleShot(0, this, &QWidget::close);
}

void frmMain::RunScan() {
    if (!OutputIsEmpty()) {
        if (!chkAppendToOutput->isChecked()) {
            txbOutput->clear();
        } else {
            AppendOutput(QStringLiteral("\r\n") + QString(kRuleLength, QLatin1Char('-')) + QStringLiteral("\r\n"));
        }
    }

    RunHeading heading;
    heading.world = optWorld->isChecked();
    heading.allPlanets = request.AllPlanetsMode;
    heading.moving = request.PlanetCodes[0];
    heading.second = request.PlanetCodes[1];
    // The all-planets run without an inner planet is Pluto's.
    heading.planet1 = cboPlanet[0]->currentIndex() >= 0 ? S(cboPlanet[0]->currentText())
                      : heading.world && request.AllPlanetsMode ? BodyName[kPluto] : std::string();
    heading.planet2 = S(cboPlanet[1]->currentText());
    heading.startDay = request.StartDay;
    heading.endDay = request.EndDay;
    heading.birthDay = request.RequestDays[2];
    heading.birthHour = S(cboHour->currentText());
    heading.birthMinute = S(cboMinute->currentText());
    heading.birthZone = S(cboTimezone[1]->currentText());
    heading.tropical = optTropical->isChecked();
    heading.orbDegrees = request.OrbDegrees;
    heading.zoneMinutes = (cboTimezone[0]->currentIndex() - 24) * 30;
    heading.zoneText = S(cboTimezone[0]->currentText());
    WindowScanHooks hooks(*this);
    TransitScan engine(request, heading, scan, hooks);
    engine.Begin();
    // A stop asked of an earlier run (one that filled the box as it ended) is not this run's.
    request.StopRequested = false;
    engine.WriteHeader();
    // A box already full at the column titles has asked to stop: the run stops at once, with that
    // one message, rather than meet the full box again with every row.
    SetBusyState();
    chkAppendToOutput->hide();

    const ScanOutcome outcome = engine.Run();
    if (outcome == ScanOutcome::Stopped) {
        AppendOutput(QStringLiteral("Stopped"));
        SetIdleState();
        request.StopRequested = false;
        lblShortDate->hide();
        return;
    }

    if (!AnyTransit(scan)) {
        AppendOutput(QString::fromLatin1(kNoTransitsLine) + QStringLiteral("\r\n"));
    }
    SetIdleState();
    if (!request.AllPlanetsMode) {
        if (AnyTransit(scan)) {
            dialogs().popUp("Done", 1200, 300, 2000, TopTwips(cmdShowAll[1]) + 450, LeftTwips(cmdShowAll[1]) - 1500);
        } else {
            dialogs().message("There are no transits of this kind in the period specified.", MessageIcon::Information,
                              "No transits");
        }
        if (OutputIsEmpty()) {
            chkAppendToOutput->setChecked(false);
            SetFormHeight(CompactHeight);
        }
        chkAppendToOutput->setVisible(!OutputIsEmpty());
    }
    ShowOutputEnd();
}

void frmMain::cmdClear_Click() {
    txbOutput->clear();
    SetFormHeight(CompactHeight);
}

}  // namespace meridel
