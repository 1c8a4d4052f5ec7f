// meridel-graph.so: the drawing of meridel-list --graph, with Qt Gui, in a module of its own that
// meridel-list loads only when asked to draw (graph_module.h).
#include "app/graph_module.h"

#include <QBuffer>
#include <QGuiApplication>
#include <clocale>
#include <cstdio>

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

struct Application {
    int argc = 1;
    char name[13] = "meridel-list";
    char* argv[2] = {name, nullptr};
    QGuiApplication app{argc, argv};
};

}  // namespace

void* meridel_graph_start() {
    // Drawing text needs an application; a batch run has no screen to show anything on.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietQt);
    auto* application = new Application;
    // Qt takes the user's locale; numbers in the listing and the exports are written as in C.
    std::setlocale(LC_ALL, "C");
    return application;
}

void meridel_graph_stop(void* application) { delete static_cast<Application*>(application); }

void meridel_graph_problem(const char* path, std::size_t runs, std::string* problem) {
    problem->clear();
    if (PictureFormatOf(path) != PictureFormat::Png) return;
    const double height = TallestPicture(runs, MetricsOf(DefaultTimelineFonts()));
    if (kGraphWidth * height <= kLargestImagePixels) return;
    *problem = "cannot draw " + std::string(path) + ": a picture of " + std::to_string(runs) + " runs may be up to " +
               std::to_string(static_cast<long long>(height)) + " pixels high, too large for a PNG; write it as .svg";
}

bool meridel_graph_draw(const meridel::Timeline* timeline, const char* path, std::string* bytes, std::string* error) {
    const TimelineFonts fonts = DefaultTimelineFonts();
    LayoutOptions options;
    options.width = kGraphWidth;
    options.text = MetricsOf(fonts);
    const TimelineLayout layout = LayOutTimeline(*timeline, options);
    QByteArray picture;
    if (PictureFormatOf(path) == PictureFormat::Svg) {
        picture = TimelineSvg(layout, WindowTimelineColors(), fonts);
    } else {
        const QImage image = TimelineImage(layout, WindowTimelineColors(), fonts);
        QBuffer buffer(&picture);
        buffer.open(QIODevice::WriteOnly);
        if (image.isNull() || !image.save(&buffer, "PNG")) {
            *error = "cannot draw " + std::string(path) + ": the picture of " + std::to_string(image.width()) + " x " +
                     std::to_string(image.height()) + " pixels could not be made";
            return false;
        }
    }
    bytes->assign(picture.constData(), static_cast<std::size_t>(picture.size()));
    return true;
}
