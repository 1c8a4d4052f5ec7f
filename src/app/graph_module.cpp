// meridel-graph.so: the drawing of meridel-list --graph, with Qt Gui, in a module of its own that
// meridel-list loads only when asked to draw, so that a run without --graph starts without Qt.
#include <QGuiApplication>
#include <cstdio>

#include "app/list_graph.h"
#include "picture/timeline_export.h"

namespace {

using namespace meridel;

// Standard error carries the request's messages only; Qt's remarks about the platform it was
// started on (no runtime folder, no screen) are not among them.
void QuietQt(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(text));
}

// Wide enough for a year's month labels and the exact hits' dates.
constexpr double kGraphWidth = 1400;

}  // namespace

extern "C" bool meridel_draw_timeline(const meridel::Timeline& timeline, const std::string& path, std::string& error) {
    // Drawing text needs an application; a batch run has no screen to show anything on.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietQt);
    static int argc = 1;
    static char name[] = "meridel-list";
    static char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);

    const TimelineFonts fonts = DefaultTimelineFonts();
    LayoutOptions options;
    options.width = kGraphWidth;
    options.text = MetricsOf(fonts);
    return WriteTimelinePicture(LayOutTimeline(timeline, options), WindowTimelineColors(), fonts, path, error);
}
