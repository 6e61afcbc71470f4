#include "RenderFixture.h"

#include "report/render/rpDrawPage.h"
#include "report/render/rpRenderShape.h"

#include <gtest/gtest.h>

using platform::CanvasCall;
using platform::RecordingCanvas;

namespace {

QList<QPoint> pointsOf(const RecordingCanvas& canvas, CanvasCall::Kind kind, int index = 0)
{
    return canvas.calls(kind).value(index).points;
}

// The test page at 100 % from the paper corner: the rectangle 1.5 cm from the top and left
// edges, the two arrows pointing at its edges.
TEST(DrawPage, testPageShapesAndArrowsLandOnTheirPixels)
{
    const LoadedTemplate page = testPage();
    RecordingCanvas canvas = screenCanvas();
    rpDrawPage(page.page(), 0, canvas, 1, 1, 0, 0, {});

    EXPECT_EQ(pointsOf(canvas, CanvasCall::Rectangle), (QList<QPoint> {{57, 57}, {476, 661}}));
    EXPECT_EQ(canvas.calls(CanvasCall::Rectangle).value(0).pen.width, 1);
    EXPECT_FALSE(canvas.calls(CanvasCall::Rectangle).value(0).brush.has_value());

    // Line1 is drawn before Line2 (template order).
    EXPECT_EQ(pointsOf(canvas, CanvasCall::Line, 0), (QList<QPoint> {{325, 57}, {351, 121}}));
    EXPECT_EQ(pointsOf(canvas, CanvasCall::Polyline, 0),
        (QList<QPoint> {{337, 74}, {325, 57}, {328, 77}}));
    EXPECT_EQ(pointsOf(canvas, CanvasCall::Line, 1), (QList<QPoint> {{57, 140}, {181, 140}}));
    EXPECT_EQ(pointsOf(canvas, CanvasCall::Polyline, 1),
        (QList<QPoint> {{77, 135}, {57, 140}, {77, 145}}));
    EXPECT_EQ(canvas.calls(CanvasCall::Line).size(), 2);
}

TEST(DrawPage, printerCanvasDrawsAtItsResolutionWithoutPaperClip)
{
    const LoadedTemplate page = testPage();
    RecordingCanvas printer(QRect(0, 0, 3496, 4961), true, 600);
    const double scale = 600.0 / 96;
    // A printer's unprintable border of 4 mm at 600 dpi.
    const double offset = -4 * 600 / 25.4;
    rpDrawPage(page.page(), 0, printer, scale, scale, offset, offset, {});

    const CanvasCall shape = printer.calls(CanvasCall::Rectangle).value(0);
    // 15 mm of margin less 4 mm of border: 11 mm = 259.8 dots; the pen is 6 dots wide.
    EXPECT_EQ(shape.points.value(0), QPoint(260, 260));
    EXPECT_EQ(shape.pen.width, 6);
    EXPECT_EQ(shape.clip, QRegion(printer.bounds()));
    // A thick diagonal is six parallel one-dot lines, shifted across its run.
    const QList<CanvasCall> lines = printer.calls(CanvasCall::Line);
    ASSERT_EQ(lines.size(), 12);
    EXPECT_EQ(lines[0].points[0].x() + 5, lines[5].points[0].x());
    EXPECT_EQ(lines[0].points[0].y(), lines[5].points[0].y());
}

TEST(DrawPage, screenDrawingIsClippedToThePaperAndTheClipRestored)
{
    const LoadedTemplate page = testPage();
    RecordingCanvas canvas(QRect(0, 0, 800, 900));
    const QRegion before(QRect(0, 0, 700, 850));
    canvas.setClipRegion(before);
    rpDrawPage(page.page(), 0, canvas, 1, 1, 10, 20, {});

    // A5 is 559.37 x 793.70 pixels at 100 %: right and bottom one short of the rounded edge.
    EXPECT_EQ(canvas.calls().value(0).clip.boundingRect(), QRect(QPoint(10, 20), QPoint(567, 812)));
    EXPECT_EQ(canvas.clipRegion(), before);
}

TEST(DrawPage, objectsOutsideTheClipRegionAreSkippedWithTwentyPixelsOfSlack)
{
    const LoadedTemplate page = testPage();
    // Memo4 ("Тестовая страница.") starts at y = 128.50402 + 56.69295 = 185.2.
    for (const auto& [bottom, drawn] : {std::pair {164, false}, std::pair {166, true}}) {
        RecordingCanvas canvas = screenCanvas();
        canvas.setClipRegion(QRect(QPoint(0, 150), QPoint(599, bottom)));
        rpDrawPage(page.page(), 0, canvas, 1, 1, 0, 0, {});
        bool found = false;
        for (const CanvasCall& call : canvas.calls(CanvasCall::Text))
            found = found || call.text == QStringLiteral("Тестовая страница.");
        EXPECT_EQ(found, drawn) << "clip bottom " << bottom;
    }
}

TEST(DrawPage, visibilityFollowsTheCanvasKind)
{
    const LoadedTemplate page = testPage();
    page.object<TrpView>("Shape1").SetVisibility(rpBit(vsPreview));
    page.object<TrpView>("Line1").SetVisibility(rpBit(vsPrint));

    RecordingCanvas screen = screenCanvas();
    rpDrawPage(page.page(), 0, screen, 1, 1, 0, 0, {});
    EXPECT_EQ(screen.calls(CanvasCall::Rectangle).size(), 1);
    EXPECT_EQ(screen.calls(CanvasCall::Line).size(), 1);

    RecordingCanvas printer(QRect(0, 0, 600, 820), true, 96);
    rpDrawPage(page.page(), 0, printer, 1, 1, 0, 0, {});
    EXPECT_EQ(printer.calls(CanvasCall::Rectangle).size(), 0);
    EXPECT_EQ(printer.calls(CanvasCall::Line).size(), 2);
}

// 5 mm more margin is 18.89765 pixels at 100 %, added before rounding: whether an object
// moves by 18 or 19 pixels depends on where it sits.
TEST(DrawPage, marginsMoveObjectsBeforeRounding)
{
    struct Case {
        double left;
        int at15;
        int at20;
    };
    for (const Case& c : {Case {0, 57, 76}, Case {0.85705, 58, 76}, Case {268.34663, 325, 344}}) {
        const LoadedTemplate page = testPage();
        page.object<TrpView>("Shape1").SetLeft(c.left);
        RecordingCanvas at15 = screenCanvas();
        rpDrawPage(page.page(), 0, at15, 1, 1, 0, 0, {});
        page.page().SetLeftMargin(20);
        RecordingCanvas at20 = screenCanvas();
        rpDrawPage(page.page(), 0, at20, 1, 1, 0, 0, {});
        EXPECT_EQ(pointsOf(at15, CanvasCall::Rectangle).value(0).x(), c.at15) << c.left;
        EXPECT_EQ(pointsOf(at20, CanvasCall::Rectangle).value(0).x(), c.at20) << c.left;
    }
}

TEST(DrawPage, mirroredMarginsSwapOnOddPagesOnly)
{
    const LoadedTemplate page = testPage();
    page.page().SetLeftMargin(10);
    page.page().SetMirrorMargins(true);
    RecordingCanvas even = screenCanvas();
    rpDrawPage(page.page(), 0, even, 1, 1, 0, 0, {});
    RecordingCanvas odd = screenCanvas();
    rpDrawPage(page.page(), 1, odd, 1, 1, 0, 0, {});
    EXPECT_EQ(pointsOf(even, CanvasCall::Rectangle).value(0).x(), 38); // 10 mm
    EXPECT_EQ(pointsOf(odd, CanvasCall::Rectangle).value(0).x(), 57); // 15 mm
    EXPECT_EQ(page.page().LeftMargin(), 10);
}

// Objects inside a page-level container (as on a prepared page) draw at their absolute place.
TEST(DrawPage, viewsAtAnyDepthAreDrawn)
{
    TrpReportPage page;
    page.SetLeftMargin(15);
    page.SetTopMargin(15);
    auto* container = new TrpReportComponent(&page);
    auto* shape = new TrpShapeView(container);
    shape->SetLeft(10);
    shape->SetWidth(20);
    shape->SetHeight(20);
    RecordingCanvas canvas = screenCanvas();
    rpDrawPage(page, 0, canvas, 1, 1, 0, 0, {});
    EXPECT_EQ(pointsOf(canvas, CanvasCall::Rectangle), (QList<QPoint> {{67, 57}, {87, 77}}));
}

struct ArrowCase {
    std::string name;
    QPointF tip;
    QPointF shaftEnd;
    QList<QPoint> expected;
};

class ArrowHead : public ::testing::TestWithParam<ArrowCase> { };

TEST_P(ArrowHead, barbsSitArrowLengthFromTheTip)
{
    const ArrowCase& c = GetParam();
    QList<QPoint> rounded;
    for (QPointF point : rpArrowHead(c.tip, c.shaftEnd, 5, 20))
        rounded.append(QPoint(int(rpRound(point.x())), int(rpRound(point.y()))));
    EXPECT_EQ(rounded, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Shapes, ArrowHead,
    ::testing::Values(
        ArrowCase {"horizontal", {57, 140}, {181, 140}, {{77, 135}, {57, 140}, {77, 145}}},
        ArrowCase {"sloping", {325, 57}, {351, 121}, {{337, 74}, {325, 57}, {328, 77}}},
        // Within 8 pixels of vertical the head is upright.
        ArrowCase {"nearly_vertical", {100, 100}, {105, 200}, {{95, 120}, {100, 100}, {105, 120}}},
        // A shaft shorter than the head: the point at arrow length lies beyond the shaft, and
        // the head turns to the other side of the tip.
        ArrowCase {"short_shaft_turns_the_head", {0, 0}, {10, 0}, {{-20, -5}, {0, 0}, {-20, 5}}},
        ArrowCase {"no_shaft", {50, 50}, {50, 50}, {{45, 70}, {50, 50}, {55, 70}}}),
    [](const auto& info) { return info.param.name; });

} // namespace
