// The whole timeline written to a file: a PNG image or an SVG drawing, chosen by the file's
// extension.
#pragma once

#include <QByteArray>
#include <QImage>
#include <optional>
#include <string>

#include "picture/timeline_painter.h"

namespace meridel {

enum class PictureFormat { Png, Svg };

// By the path's extension, ".png" or ".svg" in any case; nothing for any other.
std::optional<PictureFormat> PictureFormatOf(const std::string& path);

// A PNG of more pixels than this is refused (it would take gigabytes to draw); an SVG has no limit.
inline constexpr double kLargestImagePixels = 60e6;

QImage TimelineImage(const TimelineLayout& layout, const TimelineColors& colors, const TimelineFonts& fonts);
QByteArray TimelineSvg(const TimelineLayout& layout, const TimelineColors& colors, const TimelineFonts& fonts);

// Writes the picture to path in the format of its extension; false with the reason in `error`.
bool WriteTimelinePicture(const TimelineLayout& layout, const TimelineColors& colors, const TimelineFonts& fonts,
                          const std::string& path, std::string& error);

}  // namespace meridel
