// The timeline window: what it draws of the output, zooming and moving in time, the exact hit
// under the pointer, and saving the picture.
#include <QScrollBar>
#include <QTemporaryDir>
#include <QLabel>
#include <QTest>

#include "picture/timeline_export.h"
#include "ui/frmTimeline.h"
#include "ui/timeline_view.h"
#include "window_fixture.h"

namespace meridel {
namespace {

class TimelineWindow : public WindowTest {
protected:
    // The great conjunction of 2020 listed in the window, its button shown by the timer.
    frmMain& Listed() {
        frmMain& w = Start();
        SetWorld("Jupiter", "Saturn");
        SetYears("2019", "2022");
        w.cmdStart_Click();
        w.Timer1_Timer();
        shown.Clear();
        return w;
    }
    TimelineView& Opened(frmMain& w) {
        w.cmdTimeline->click();
        QCoreApplication::processEvents();
        return *w.TimelineWindow->picture;
    }
    static QPoint InView(const TimelineView& view, double x, double y) {
        return {static_cast<int>(std::lround(x)) - view.ScrollPosition().x(),
                static_cast<int>(std::lround(y)) - view.ScrollPosition().y()};
    }
};

TEST_F(TimelineWindow, DrawsWhatTheOutputHoldsAndZoomsAndMovesInTime) {
    frmMain& w = Start();
    SetWorld("Sun", "Saturn");
    SetYears("2024", "2024");
    w.cmdShowAll[0]->click();  // every inner planet against Saturn, appended run by run
    w.Timer1_Timer();
    TimelineView& view = Opened(w);
    EXPECT_TRUE(w.TimelineWindow->isVisible());
    EXPECT_EQ(view.Layout().title.text, "World transits of Saturn");
    // Every run the box holds: six with lanes, and the two without transits named.
    ASSERT_EQ(w.Output.Runs().size(), 8u);
    EXPECT_EQ(view.Layout().runSeparators.size(), 5u);
    EXPECT_EQ(view.Layout().notes.back().text, "No transits: Neptune and Saturn; Pluto and Saturn.");

    // Drawn afresh from what the box holds when the button is clicked again.
    w.cmdClear_Click();
    SetWorld("Jupiter", "Saturn");
    SetYears("2019", "2022");
    w.cmdStart_Click();
    w.Timer1_Timer();
    Opened(w);
    EXPECT_EQ(view.Layout().lanes.size(), 1u);
    EXPECT_TRUE(shown.messages.empty());

    // The whole period fills the view: there is nothing to scroll along time.
    const auto scale = [&view] { return view.Layout().pixelsPerDay; };
    const auto wholeShown = [&view] { return view.horizontalScrollBar()->maximum() == 0; };
    const double whole = scale();
    ASSERT_TRUE(wholeShown());
    QTest::keyClick(&view, Qt::Key_Plus);
    const double zoomed = scale();
    EXPECT_GT(zoomed, whole);
    EXPECT_FALSE(wholeShown());

    // Ctrl+wheel zooms around the pointer: the moment under it stays under it.
    const QPoint pointer(view.viewport()->width() * 2 / 3, view.viewport()->height() / 2);
    const double before = view.Layout().MomentAt(pointer.x() + view.ScrollPosition().x());
    QWheelEvent wheel(pointer, view.viewport()->mapToGlobal(pointer), {}, {0, 240}, Qt::NoButton, Qt::ControlModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view.viewport(), &wheel);
    EXPECT_GT(scale(), zoomed);
    EXPECT_NEAR(view.Layout().MomentAt(pointer.x() + view.ScrollPosition().x()), before, 1 / scale());

    const int left = view.ScrollPosition().x();
    QTest::keyClick(&view, Qt::Key_Right);
    EXPECT_GT(view.ScrollPosition().x(), left);
    QTest::keyClick(&view, Qt::Key_Home);
    EXPECT_EQ(view.ScrollPosition().x(), 0);

    // Never out beyond the whole period, never in beyond a day of kMostPixelsPerDay pixels.
    for (int i = 0; i < 40; ++i) QTest::keyClick(&view, Qt::Key_Minus);
    EXPECT_NEAR(scale(), whole, 1e-9);
    EXPECT_TRUE(wholeShown());
    // Resized, the whole period still fills the view.
    w.TimelineWindow->resize(700, 400);
    QCoreApplication::processEvents();
    EXPECT_LT(scale(), whole);
    EXPECT_TRUE(wholeShown());
    for (int i = 0; i < 60; ++i) w.TimelineWindow->cmdZoomIn->click();
    EXPECT_EQ(scale(), TimelineView::kMostPixelsPerDay);
    // Only the part in view is laid out in detail, wherever the view goes.
    for (Qt::Key key : {Qt::Key_End, Qt::Key_Left, Qt::Key_Home, Qt::Key_Right}) {
        QTest::keyClick(&view, key);
        EXPECT_LE(view.Layout().laidLeft, view.ScrollPosition().x());
        EXPECT_GE(view.Layout().laidRight, view.ScrollPosition().x() + view.viewport()->width());
        EXPECT_LT(view.Layout().laidRight - view.Layout().laidLeft, view.Layout().width / 100);
    }
    QTest::keyClick(&view, Qt::Key_0);
    EXPECT_TRUE(wholeShown());
}

TEST_F(TimelineWindow, PointerOnAnExactHitNamesItsLocalMinute) {
    frmMain& w = Listed();
    TimelineView& view = Opened(w);
    view.ZoomBy(20);
    ASSERT_EQ(view.Layout().lanes.size(), 1u);
    const auto exact = [&view] {
        const std::vector<HitMarker>& hits = view.Layout().lanes[0].hits;
        return std::find_if(hits.begin(), hits.end(), [](const HitMarker& m) { return m.exact; });
    };
    ASSERT_NE(exact(), view.Layout().lanes[0].hits.end());
    // Moving there lays the picture out about the new place: what it holds is read afresh.
    view.horizontalScrollBar()->setValue(static_cast<int>(exact()->x) - 300);
    const LaneGeometry& lane = view.Layout().lanes[0];
    ASSERT_NE(exact(), lane.hits.end());
    const HitMarker& hit = *exact();
    const QPoint at = InView(view, hit.x + 2, hit.y + 1);
    ASSERT_EQ(view.HitAt(at), &hit);
    EXPECT_EQ(hit.tooltip, "Jupiter conjunct Saturn exact 2020-12-21 18:21 GMT");
    EXPECT_EQ(view.HitAt(InView(view, hit.x + 40, hit.y)), nullptr);
    // Elsewhere in the lane: the day and how far from exact the pair stood.
    const QString there = view.DescribeAt(InView(view, hit.x, lane.plot.Bottom() - 2));
    EXPECT_TRUE(there.startsWith(QStringLiteral("2020-12-21   Jupiter conjunct Saturn, 0\u00B0"))) << there.toStdString();

    // Drawn again for new output, the status line forgets what the pointer showed.
    QMouseEvent move(QEvent::MouseMove, QPointF(InView(view, hit.x, lane.plot.Bottom() - 2)), QPointF(), QPointF(),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view.viewport(), &move);
    ASSERT_TRUE(w.TimelineWindow->lblPointer->text().startsWith(QStringLiteral("2020-12-21")));
    Opened(w);
    EXPECT_FALSE(w.TimelineWindow->lblPointer->text().startsWith(QStringLiteral("2020-12-21")));
}

TEST_F(TimelineWindow, SavesThePictureAsPngOrSvg) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    frmMain& w = Listed();
    TimelineView& view = Opened(w);
    const std::string base = dir.path().toStdString() + "/timeline";
    for (const std::string& chosen : {base + ".png", base + "-svg.svg", base + "-plain"}) shown.saveFileChoices.push_back(chosen);
    for (int i = 0; i < 3; ++i) w.TimelineWindow->cmdSavePicture_Click();
    EXPECT_TRUE(shown.messages.empty()) << LastText();

    const QImage png(QString::fromStdString(base + ".png"));
    EXPECT_EQ(png.width(), static_cast<int>(std::ceil(view.Layout().width)));
    EXPECT_EQ(png.height(), static_cast<int>(std::ceil(view.Layout().height)));
    EXPECT_FALSE(QImage(QString::fromStdString(base + "-plain.png")).isNull());
    EXPECT_GT(QFile(QString::fromStdString(base + "-svg.svg")).size(), 0);

    // Zoomed in past the widest picture, the saved one is cut down to it; another kind of file
    // is refused.
    view.ZoomBy(1000);
    shown.saveFileChoices = {base + "-wide.png", base + ".txt"};
    w.TimelineWindow->cmdSavePicture_Click();
    EXPECT_LE(QImage(QString::fromStdString(base + "-wide.png")).width(), frmTimeline::kWidestPicture + 1);
    EXPECT_TRUE(shown.messages.empty());
    w.TimelineWindow->cmdSavePicture_Click();
    ExpectOneMessage("A picture is saved as .png or .svg: " + base + ".txt", "Save timeline", MessageIcon::Exclamation);
}

}  // namespace
}  // namespace meridel
