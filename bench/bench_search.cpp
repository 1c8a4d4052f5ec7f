// Search against a run over the same days, in a window shown on Qt's offscreen platform: the
// search steps some 58,000 days (1999 to 2159) to the next Uranus-Neptune conjunction with its
// progress label; the run scans the same days with its per-day yield. LabelRepaint is what one
// progress step would cost if the label were repainted every day.
// Run: build/bin/bench_search
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>

#include "dialogs/dialogs.h"
#include "ui/frmMain.h"
#include "persist/registry.h"

using namespace meridel;

namespace {

frmMain* Window = nullptr;

void SetDate(int row, const char* y, const char* m, const char* d) {
    Window->txbYear[row]->setText(QString::fromLatin1(y));
    Window->txbMonth[row]->setText(QString::fromLatin1(m));
    Window->txbDay[row]->setText(QString::fromLatin1(d));
}

void SetUranusNeptune() {
    frmMain& w = *Window;
    w.optWorld->setChecked(true);
    w.cboPlanet[0]->setCurrentText(QStringLiteral("Uranus"));
    w.cboPlanet[1]->setCurrentText(QStringLiteral("Neptune"));
    w.cboTimezone[0]->setCurrentIndex(24);
    w.cboSearchAspect->setCurrentIndex(0);
    w.chkKeepDates->setChecked(true);
    w.chkAppendToOutput->setChecked(false);
}

void SearchUranusNeptune(benchmark::State& state) {
    SetUranusNeptune();
    SetDate(1, "1998", "12", "31");
    for (auto _ : state) {
        Window->cmdSearch_Click();
        if (!Window->OutputText().contains(QStringLiteral("from March 8, 2159"))) state.SkipWithError("no listing");
    }
}

void RunSameDays(benchmark::State& state) {
    SetUranusNeptune();
    SetDate(0, "1999", "1", "1");
    SetDate(1, "2159", "5", "7");
    Window->cboOrbs[0]->setCurrentIndex(9);
    Window->cboOrbs[1]->setCurrentIndex(5);
    Window->cboOrbs[2]->setCurrentIndex(1);
    for (auto _ : state) Window->cmdStart_Click();
}

void LabelRepaint(benchmark::State& state) {
    Window->lblShortDate->show();
    int day = 0;
    for (auto _ : state) {
        Window->lblShortDate->setText(QString::number(++day));
        Window->lblShortDate->repaint();
    }
    Window->lblShortDate->hide();
}

}  // namespace

BENCHMARK(SearchUranusNeptune)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(RunSameDays)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(LabelRepaint)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    UseMemorySettings();
    RecordingDialogs quiet;
    SetDialogs(&quiet);
    frmMain window;
    window.Form_Load();
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return 1;
    Window = &window;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    SetDialogs(nullptr);
    return 0;
}
