// "Whole chart": the request's whole chart in the forecast window, and a pair of it run here.
#include "forecast/chart_request.h"
#include "ui/frmForecast.h"
#include "ui/frmMain.h"

namespace meridel {

bool frmMain::WholeChartReady() const { return ChartRequestComplete(ReadRequestInput()); }

void frmMain::cmdWholeChart_Click() {
    if (!ForecastWindow) {
        ForecastWindow = new frmForecast(this, [this](const RequestInput& input) {
            // A listing already under way here has the box; the pair waits for another click.
            if (RunState.ScanRunning) return;
            const RequestCheck check = CheckRun(input, session);
            if (check.refusal) ShowMessages(check.refusal->messages);
            if (!check.run) return;
            SetFormHeight(intHeight);
            ScanTransits(*check.run);
        });
    }
    ForecastWindow->StartChart(session.sky, ReadRequestInput());
}

}  // namespace meridel
