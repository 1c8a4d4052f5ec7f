#include "app/list_graph.h"

#include <QBuffer>
#include <QGuiApplication>
#include <clocale>
#include <cstdio>

#include "calendar/clock.h"
#include "picture/timeline_export.h"
#include "timeline/timeline.h"

namespace meridel {

namespace {

// Standard error carries the request's messages only; Qt's remarks about the platform it was
// started on (no runtime folder, no screen) are not among them.
void QuietQt(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(text));
}

// Wide enough for a year's month labels and the exact hits' dates.
constexpr double kGraphWidth = 1400;

}  // namespace

struct ListGraph::Application {
    int argc = 1;
    char name[13] = "meridel-list";
    char* argv[2] = {name, nullptr};
    QGuiApplication app{argc, argv};
};

bool GraphAvailable() { return true; }

ListGraph::ListGraph(std::string path) : path_(std::move(path)) {
    // Drawing text needs an application; a batch run has no screen to show anything on.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietQt);
    application_ = std::make_unique<Application>();
    // Qt takes the user's locale; numbers in the listing and the exports are written as in C.
    std::setlocale(LC_ALL, "C");
}

ListGraph::~ListGraph() = default;

std::string ListGraph::ProblemBeforeRun(std::size_t runs) const {
    if (PictureFormatOf(path_) != PictureFormat::Png) return "";
    const double height = TallestPicture(runs, MetricsOf(DefaultTimelineFonts()));
    if (kGraphWidth * height <= kLargestImagePixels) return "";
    return "cannot draw " + path_ + ": a picture of " + std::to_string(runs) + " runs may be up to " +
           std::to_string(static_cast<long long>(height)) + " pixels high, too large for a PNG; write it as .svg";
}

bool ListGraph::Draw(const std::vector<RunRecord>& runs, std::string& bytes, std::string& error) const {
    const Timeline timeline = BuildTimeline(runs, activeClock().currentMoment());
    const TimelineFonts fonts = DefaultTimelineFonts();
    LayoutOptions options;
    options.width = kGraphWidth;
    options.text = MetricsOf(fonts);
    const TimelineLayout layout = LayOutTimeline(timeline, options);
    QByteArray picture;
    if (PictureFormatOf(path_) == PictureFormat::Svg) {
        picture = TimelineSvg(layout, WindowTimelineColors(), fonts);
    } else {
        const QImage image = TimelineImage(layout, WindowTimelineColors(), fonts);
        QBuffer buffer(&picture);
        buffer.open(QIODevice::WriteOnly);
        if (image.isNull() || !image.save(&buffer, "PNG")) {
            error = "cannot draw " + path_ + ": the picture of " + std::to_string(image.width()) + " x " +
                    std::to_string(image.height()) + " pixels could not be made";
            return false;
        }
    }
    bytes.assign(picture.constData(), static_cast<std::size_t>(picture.size()));
    return true;
}

}  // namespace meridel
