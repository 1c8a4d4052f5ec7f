// The timeline as it comes out in pixels and in SVG: the exact hit's marker and the inner orb's
// shade where laid out, both colour schemes readable, and a drawing that parses.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QXmlStreamReader>

#include "picture/timeline_export.h"
#include "timeline_fixture.h"

namespace meridel::testing {
namespace {

class Picture : public TimelineTest {
protected:
    // The great conjunction of 2020, 6 pixels a day.
    void SetUp() override {
        TimelineTest::SetUp();
        const Listing listing = Run(Request(true, "Jupiter", "Saturn", {"2019", "1", "1"}, {"2022", "12", "31"}));
        timeline_ = BuildTimeline(listing.runs, skycheck::ProgramSky(), std::nullopt);
        LayoutOptions options;
        options.pixelsPerDay = 6;
        options.text = MetricsOf(fonts_);
        layout_ = LayOutTimeline(timeline_, options);
    }
    // The columns of row y whose pixel is exactly `color`.
    static std::vector<int> Columns(const QImage& image, int y, const QColor& color) {
        std::vector<int> xs;
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y).rgb() == color.rgb()) xs.push_back(x);
        }
        return xs;
    }

    TimelineFonts fonts_ = DefaultTimelineFonts();
    Timeline timeline_;
    TimelineLayout layout_;
};

// Where the marker and the shades lie against the listing is the layout's test; here they must be
// drawn there.
TEST_F(Picture, HitMarkerAndInnerShadeAreDrawnWhereLaidOutInBothColourSchemes) {
    const LaneGeometry& lane = layout_.lanes.at(0);
    const auto hit = std::find_if(lane.hits.begin(), lane.hits.end(), [](const HitMarker& m) { return m.exact; });
    ASSERT_NE(hit, lane.hits.end());
    const std::vector<ShadeBox>& shades = lane.shades[kInnerOrb];
    ASSERT_FALSE(shades.empty());
    for (const TimelineColors& colors : {WindowTimelineColors(), DesktopTimelineColors(QGuiApplication::palette())}) {
        const QImage image = TimelineImage(layout_, colors, fonts_);
        // The marker's filled middle, on the lane's exact line, centred on the hit's moment.
        const std::vector<int> marker = Columns(image, static_cast<int>(lane.plot.top), colors.hit);
        ASSERT_FALSE(marker.empty());
        EXPECT_NEAR((marker.front() + marker.back()) / 2.0, hit->x, 1.0);

        // Just under the exact line the inner shade shows wherever the curve and the marker
        // leave it, from its first box's left to its last box's right.
        const std::vector<int> inner = Columns(image, static_cast<int>(lane.plot.top) + 2, colors.shade[kInnerOrb]);
        ASSERT_FALSE(inner.empty());
        EXPECT_NEAR(inner.front(), shades.front().box.left, 1.0);
        EXPECT_NEAR(inner.back() + 1, shades.back().box.Right(), 1.0);

        // Text stands out from the background (the shades' own colours are told apart above).
        EXPECT_GT(std::abs(colors.text.lightness() - colors.background.lightness()), 120);
    }
}

TEST_F(Picture, SvgParsesWithThePictureSizeAndItsTexts) {
    const QByteArray svg = TimelineSvg(layout_, WindowTimelineColors(), fonts_);
    QXmlStreamReader xml(svg);
    QStringList texts;
    QString viewBox;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QStringLiteral("svg")) viewBox = xml.attributes().value(QStringLiteral("viewBox")).toString();
        if (xml.name() == QStringLiteral("text")) texts << xml.readElementText(QXmlStreamReader::IncludeChildElements);
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(viewBox, QStringLiteral("0 0 %1 %2").arg(std::ceil(layout_.width)).arg(std::ceil(layout_.height)));
    EXPECT_TRUE(texts.contains(QStringLiteral("Jupiter conjunct Saturn")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Dec 21, 2020")));
    EXPECT_TRUE(texts.contains(QStringLiteral("World transits of Jupiter and Saturn")));
}

}  // namespace
}  // namespace meridel::testing

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
