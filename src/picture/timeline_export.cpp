#include "picture/timeline_export.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <cmath>

namespace meridel {

namespace {

QSize PictureSize(const TimelineLayout& layout) {
    return {static_cast<int>(std::ceil(layout.width)), static_cast<int>(std::ceil(layout.height))};
}

}  // namespace

std::optional<PictureFormat> PictureFormatOf(const std::string& path) {
    const QString name = QString::fromStdString(path);
    if (name.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) return PictureFormat::Png;
    if (name.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) return PictureFormat::Svg;
    return std::nullopt;
}

QImage TimelineImage(const TimelineLayout& layout, const TimelineColors& colors, const TimelineFonts& fonts) {
    const QSize size = PictureSize(layout);
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull()) return image;
    QPainter painter(&image);
    DrawTimeline(painter, layout, colors, fonts, QPointF(0, 0), QSizeF(size));
    return image;
}

QByteArray TimelineSvg(const TimelineLayout& layout, const TimelineColors& colors, const TimelineFonts& fonts) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    const QSize size = PictureSize(layout);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setResolution(96);
    svg.setTitle(QString::fromStdString(layout.title.text));
    svg.setDescription(QString::fromStdString(layout.subtitle.text));
    QPainter painter(&svg);
    DrawTimeline(painter, layout, colors, fonts, QPointF(0, 0), QSizeF(size));
    painter.end();
    return bytes;
}

bool WriteTimelinePicture(const TimelineLayout& layout, const TimelineColors& colors, const TimelineFonts& fonts,
                          const std::string& path, std::string& error) {
    const auto format = PictureFormatOf(path);
    if (!format) {
        error = "A picture is saved as .png or .svg: " + path;
        return false;
    }
    QByteArray bytes;
    if (*format == PictureFormat::Svg) {
        bytes = TimelineSvg(layout, colors, fonts);
    } else {
        const QSize size = PictureSize(layout);
        if (static_cast<double>(size.width()) * size.height() > kLargestImagePixels) {
            error = "The picture is too large for a PNG (" + std::to_string(size.width()) + " x " +
                    std::to_string(size.height()) + " pixels); zoom out or save it as SVG.";
            return false;
        }
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!TimelineImage(layout, colors, fonts).save(&buffer, "PNG")) {
            error = "The picture could not be drawn.";
            return false;
        }
    }
    // Written whole or not at all: a failed write leaves any earlier file as it was.
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error = "Cannot write " + path + ": " + file.errorString().toStdString();
        return false;
    }
    return true;
}

}  // namespace meridel
