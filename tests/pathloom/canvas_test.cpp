// The canvas mathematics: fit and its degenerate range, the wheel rule and its limits, the
// ruler tiers, screen lengths and marks, the scene's pens, reduction and layers, the raster's
// clipping and pattern, and the snap point.
#include <gtest/gtest.h>

#include <cmath>

#include "core/canvas/raster.h"
#include "core/canvas/rulers.h"
#include "core/canvas/scene.h"
#include "core/canvas/svg.h"
#include "core/canvas/vect_measures.h"
#include "core/canvas/view_transform.h"
#include "support/builders.h"

using namespace pathloom::canvas;
using namespace lintrel::test;
using lintrel::ChainOwner;

namespace {

ViewTransform fitted(const DrawingRange& range, int width, int height) {
    ViewTransform view;
    view.setArea(width, height);
    view.fit(range);
    return view;
}

std::vector<uint32_t> pixels(int width, int height) {
    return std::vector<uint32_t>(static_cast<size_t>(width) * height, 0);
}

}  // namespace

TEST(CanvasView, FitKeepsTheAspectBesideTheRulersAndPointDrawingsCountAsABox) {
    // 600 by 500 usable pixels; the width limits: 3 pixels per unit.
    const ViewTransform view = fitted({0, 0, 200, 100}, 665, 565);
    EXPECT_DOUBLE_EQ(view.baseScale(), 3.0);
    EXPECT_DOUBLE_EQ(view.panX(), 45.0);   // ((665 - 600) - 25) / 2 + 25
    EXPECT_DOUBLE_EQ(view.panY(), 120.0);  // ((565 - 300) - 25) / 2
    EXPECT_DOUBLE_EQ(view.toPixel(0, 0).y, 565 - 120.0);
    const PointD back = view.toDrawing(view.toPixel(12.5, 40).x, view.toPixel(12.5, 40).y);
    EXPECT_NEAR(back.x, 12.5, 1e-12);
    EXPECT_NEAR(back.y, 40, 1e-12);

    ChainOwner<VectGroup> point(groupOf({polyline({{7, 7}, {7, 7}})}));
    const DrawingRange range = drawingRange(point.get());
    EXPECT_EQ(range.x, 0);
    EXPECT_EQ(range.width, 100);
    EXPECT_EQ(range.height, 100);

    // A tiny area still maps with a positive scale (no mirrored picture).
    const ViewTransform tiny = fitted({0, 0, 100, 100}, 40, 0);
    EXPECT_GT(tiny.baseScale(), 0);
    EXPECT_EQ(tiny.height(), 1);
}

TEST(CanvasView, WheelZoomsByNotchesWithinItsLimitsAboutTheCursor) {
    ViewTransform view = fitted({0, 0, 100, 100}, 600, 600);
    const PointD under = view.toDrawing(300, 200);
    for (int i = 0; i < 10; ++i)
        EXPECT_TRUE(view.wheel(120, 300, 200));
    EXPECT_NEAR(view.userZoom(), std::pow(1.1, 10), 1e-12);
    const PointD still = view.toPixel(under.x, under.y);
    EXPECT_NEAR(still.x, 300, 1e-9);
    EXPECT_NEAR(still.y, 200, 1e-9);

    for (int i = 0; i < 200; ++i)
        view.wheel(120, 300, 200);
    EXPECT_DOUBLE_EQ(view.userZoom(), kMaxZoom);
    EXPECT_FALSE(view.wheel(120, 300, 200));
    for (int i = 0; i < 400; ++i)
        view.wheel(-120, 300, 200);
    EXPECT_DOUBLE_EQ(view.userZoom(), kMinZoom);

    // A fine wheel: quarter notches zoom once per whole notch, and in the right direction.
    ViewTransform fine = fitted({0, 0, 100, 100}, 600, 600);
    EXPECT_FALSE(fine.wheel(30, 0, 0));
    EXPECT_FALSE(fine.wheel(30, 0, 0));
    EXPECT_FALSE(fine.wheel(30, 0, 0));
    EXPECT_TRUE(fine.wheel(30, 0, 0));
    EXPECT_NEAR(fine.userZoom(), 1.1, 1e-12);
    EXPECT_FALSE(fine.wheel(-60, 0, 0));
    EXPECT_TRUE(fine.wheel(-60, 0, 0));
    EXPECT_NEAR(fine.userZoom(), 1.0, 1e-12);

    // A fit after a reset returns to zoom 1; a later fit keeps the user's zoom and pan.
    fine.wheel(240, 0, 0);
    fine.fit({0, 0, 100, 100});
    EXPECT_NEAR(fine.userZoom(), 1.21, 1e-12);
    fine.invalidateFit();
    fine.fit({0, 0, 100, 100});
    EXPECT_EQ(fine.userZoom(), 1.0);
}

namespace {

RulerLayout ruler(double origin, double zoom, int growth, int length, int start = 0,
                  double charWidth = 0) {
    return {origin, zoom, growth, start, length, charWidth};
}

int countTicks(const std::vector<RulerTick>& ticks, int from, bool labelled) {
    int n = 0;
    for (const RulerTick& t : ticks)
        n += t.from == from && t.label.empty() != labelled;
    return n;
}

}  // namespace

TEST(CanvasRulers, TiersAppearAndAreLabelledByZoom) {
    // One pixel per unit, origin at pixel 0: 0 to 1000 holds 2 thousands, 1 five hundred, 8
    // hundreds, every one labelled with "%d".
    const std::vector<RulerTick> near = rulerTicks(ruler(0, 1.0, 1, 1000));
    EXPECT_EQ(countTicks(near, 5, true), 2);
    EXPECT_EQ(countTicks(near, 11, true), 1);
    EXPECT_EQ(countTicks(near, 17, true), 8);
    EXPECT_EQ(near.size(), 11u);
    for (const RulerTick& t : near) {
        if (t.value == 300) {
            EXPECT_EQ(t.label, "300");
        }
    }

    // z = 0.02: no hundreds, unlabelled five hundreds, every third thousand labelled.
    const std::vector<RulerTick> far = rulerTicks(ruler(0, 0.02, 1, 1200));  // 0 to 60000
    EXPECT_EQ(countTicks(far, 17, false) + countTicks(far, 17, true), 0);
    EXPECT_EQ(countTicks(far, 11, true), 0);
    EXPECT_EQ(countTicks(far, 11, false), 60);
    EXPECT_EQ(countTicks(far, 5, true), 21);  // 0, 3000, ..., 60000
    EXPECT_EQ(countTicks(far, 5, false), 40);

    // The left ruler grows upwards: value 100 lies 100 pixels above the origin.
    bool seen = false;
    for (const RulerTick& t : rulerTicks(ruler(500, 1.0, -1, 1000)))
        if (t.value == 100) {
            seen = true;
            EXPECT_DOUBLE_EQ(t.pixel, 400);
        }
    EXPECT_TRUE(seen);

    // Far out, only the visible pixels get tier ticks rather than millions of strokes.
    EXPECT_LE(rulerTicks(ruler(800, 1e-7, 1, 1600)).size(), 1601u + 40u);
}

TEST(CanvasRulers, EveryZoomShowsFiveLabelsInsideTheRulerOnOneTwoFiveSteps) {
    // Six-pixel digits, a 25-pixel corner, the rulers of an 800 x 600 and of a large window,
    // the origin on the screen or a drawing seen from value 123.4 on, zooms from half a
    // kilometre across the window to a hundredth of a millimetre. (Further out, labels of seven
    // digits and more no longer fit five times into a 480-pixel ruler.)
    const double zooms[] = {1e-3, 0.005, 0.0123, 0.05, 0.3, 1, 2.7, 31.25, 400, 7e4};
    for (const int length : {480, 1000}) {
        for (const double zoom : zooms) {
            for (const int growth : {1, -1}) {
                for (const double origin :
                     {30.0, 240.0, growth > 0 ? 25 - 123.4 * zoom : length + 123.4 * zoom}) {
                    const RulerLayout r = ruler(origin, zoom, growth, length, 25, 6);
                    int labels = 0;
                    for (const RulerTick& t : rulerTicks(r)) {
                        EXPECT_GE(t.pixel, 25);  // nothing in the corner square
                        EXPECT_LE(t.pixel, length);
                        if (t.label.empty()) continue;
                        ++labels;
                        // The label lies inside the ruler: from labelPixel onwards along x,
                        // upwards from it along y.
                        const double width = 6.0 * static_cast<double>(t.label.size());
                        const double low = growth > 0 ? t.labelPixel : t.labelPixel - width;
                        EXPECT_GE(low, 25) << t.label;
                        EXPECT_LE(low + width, length) << t.label;
                    }
                    EXPECT_GE(labels, kMinRulerLabels)
                        << "zoom " << zoom << " length " << length << " origin " << origin
                        << " growth " << growth;
                }
            }
        }
    }
    // The added ticks step by 1, 2 or 5 times a power of ten, with the decimals the step needs:
    // 16 units across 800 pixels are labelled in whole units.
    EXPECT_NEAR(rulerStep(ruler(0, 0.004, 1, 800, 25, 7)), 20000, 1e-6);
    EXPECT_NEAR(rulerStep(ruler(0, 900, 1, 800, 25, 7)), 0.05, 1e-12);
    std::vector<std::string> labels;
    for (const RulerTick& t : rulerTicks(ruler(25, 50, 1, 850, 25, 7)))
        if (!t.label.empty()) labels.push_back(t.label);
    ASSERT_GE(labels.size(), 5u);
    EXPECT_EQ(labels[0], "0");
    EXPECT_EQ(labels[1], "1");
    EXPECT_EQ(labels.back(), "16");
}

TEST(CanvasMeasures, LengthsOnTheScreenDecideTheMarks) {
    ChainOwner<Vect> line(polyline({{0, 0}, {30, 40}, {30, 50}}));
    EXPECT_DOUBLE_EQ(vectLength(*line.get()), 60);
    ChainOwner<Vect> half(arc(0, 0, 10, 0, M_PI));
    EXPECT_NEAR(vectLength(*half.get()), 10 * M_PI, 1e-12);
    ChainOwner<Vect> full(circle(0, 0, 10));
    EXPECT_NEAR(vectLength(*full.get()), 20 * M_PI, 1e-12);
    EXPECT_TRUE(bigOnScreen(60, 1.0, 1.0));
    EXPECT_FALSE(bigOnScreen(50, 1.0, 1.0));  // strictly more than 50 pixels
    EXPECT_FALSE(bigOnScreen(60, 1.0, 1.25));
}

TEST(CanvasScene, PensFollowTheVectStateAndColourZeroStaysVisible) {
    ChainOwner<VectGroup> drawing(
        groupOf({polyline({{0, 0}, {100, 0}}), polyline({{0, 10}, {100, 10}, {0, 10}}, true),
                 polyline({{0, 20}, {100, 20}})},
                3));
    vectsOf(drawing.get())[2]->selected = 1;
    VectGroup* dst = groupOf({polyline({{0, 30}, {100, 30}}, true)}, 25);
    dst->colour = 0;
    drawing.append(dst);
    drawing.get()->colour = 0x00FF8000;  // blue 0xFF, green 0x80
    const ViewTransform view = fitted({0, 0, 100, 100}, 600, 600);
    Layers layers;
    layers.showDirection = false;
    layers.showTravel = false;
    const Scene scene = buildScene(drawing.get(), view, layers, 1.0);
    ASSERT_EQ(scene.strokes.size(), 4u);
    EXPECT_EQ(scene.pens[scene.strokes[0].pen], (Pen{kOpenColour, false, 1}));
    EXPECT_EQ(scene.pens[scene.strokes[1].pen], (Pen{rgb(0, 0x80, 0xFF), false, 1}));
    EXPECT_EQ(scene.pens[scene.strokes[2].pen], (Pen{kSelectedColour, true, 1}));
    EXPECT_EQ(scene.pens[scene.strokes[3].pen].colour, rgb(255, 255, 255));
    // Without the open layer an open vect takes its group's colour.
    layers.showOpen = false;
    const Scene plain = buildScene(drawing.get(), view, layers, 1.0);
    EXPECT_EQ(plain.pens[plain.strokes[0].pen].colour, rgb(0, 0x80, 0xFF));
    // Only the open, unselected vect carries marks at its two ends, and only with the layer on:
    // a red outline and a red open shape no longer look alike.
    const PointD a = view.toPixel(0, 0), b = view.toPixel(100, 0);
    EXPECT_EQ(scene.openEnds,
              (std::vector<PixelPoint>{{int(std::lround(a.x)), int(std::lround(a.y))},
                                       {int(std::lround(b.x)), int(std::lround(b.y))}}));
    EXPECT_TRUE(plain.openEnds.empty());
    // Colour 0 within the palette's numbers takes the palette colour of the number.
    VectGroup seven{};
    seven.number = 7;
    EXPECT_EQ(groupColour(seven), rgb(0x80, 0xFF, 0xFF));
}

TEST(CanvasScene, PointsInOnePixelMergeAndLayersAddTheirMarks) {
    // A thousand segs along 10 units: at 5.35 pixels per unit they cover some 54 pixels.
    std::vector<lintrel::Point> dense;
    for (int i = 0; i <= 1000; ++i)
        dense.push_back({i * 0.01, (i % 2) * 0.001});
    ChainOwner<VectGroup> drawing(groupOf({polylineOf(dense), polyline({{50, 50}, {50.01, 50}})}));
    const ViewTransform view = fitted({0, 0, 100, 100}, 600, 600);
    Layers layers;
    layers.showDirection = false;
    const Scene scene = buildScene(drawing.get(), view, layers, 1.0);
    ASSERT_EQ(scene.strokes.size(), 3u);  // two vects, one travel
    EXPECT_LE(scene.strokes[0].count, 56u);
    EXPECT_GE(scene.strokes[0].count, 50u);
    EXPECT_EQ(scene.strokes[1].count, 1u);  // a vect inside one pixel stays a dot
    EXPECT_TRUE(scene.pens[scene.strokes[2].pen].dotted);
    EXPECT_EQ(scene.starts.size(), 1u);  // only the long vect is big enough
    EXPECT_EQ(scene.inputSegments, 1001u);

    layers.showOrder = true;
    layers.showStart = false;
    layers.showDirection = true;
    ChainOwner<VectGroup> two(
        groupOf({polyline({{0, 0}, {100, 0}}), polyline({{0, 1}, {100, 1}})}));
    const Scene marked = buildScene(two.get(), view, layers, 1.0);
    ASSERT_EQ(marked.orders.size(), 2u);
    EXPECT_EQ(marked.orders[1].number, 2);
    EXPECT_TRUE(marked.starts.empty());
    // 535 pixels per seg: one arrowhead (two strokes) at each seg's end, beside the path.
    EXPECT_EQ(marked.strokes.size(), 2u * (1 + 2 + 1) + 1);
}

TEST(CanvasScene, DepthTintFillsPartsAndHolesInsideASheetByTheirNesting) {
    const auto square = [](double x, double y, double size) {
        return polyline({{x, y}, {x + size, y}, {x + size, y + size}, {x, y + size}, {x, y}}, true);
    };
    // A sheet; a part with two holes, the second holding a small part; an open slot on the sheet.
    ChainOwner<VectGroup> drawing(
        groupOf({square(0, 0, 100), square(10, 10, 60), square(20, 20, 10), square(40, 40, 20),
                 square(45, 45, 5), polyline({{80, 80}, {90, 90}})}));
    const std::vector<int> depths = containmentDepths(drawing.get(), 0.01);
    EXPECT_EQ(depths, (std::vector<int>{0, 1, 2, 2, 3, 1}));
    const ViewTransform view = fitted({0, 0, 100, 100}, 600, 600);
    Layers layers;
    EXPECT_TRUE(buildScene(drawing.get(), view, layers, 1.0, nullptr, &depths).fills.empty());
    layers.showDepth = true;
    const Scene scene = buildScene(drawing.get(), view, layers, 1.0, nullptr, &depths);
    ASSERT_EQ(scene.fills.size(), 5u);     // the open slot has no inside
    const int sorted[] = {0, 1, 2, 2, 3};  // shallowest first, so what lies inside shows
    for (size_t k = 0; k < scene.fills.size(); ++k)
        EXPECT_EQ(scene.fills[k].colour, depthColour(sorted[k])) << k;

    std::vector<uint32_t> store = pixels(600, 600);
    PixelBuffer image{store.data(), 600, 600, 600};
    paintScene(image, scene);
    const auto at = [&](double x, double y) {
        const PointD p = view.toPixel(x, y);
        return image.at(static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(p.y)));
    };
    EXPECT_EQ(at(5, 5), depthColour(0));    // sheet around the part
    EXPECT_EQ(at(15, 65), depthColour(1));  // the part's material
    EXPECT_EQ(at(25, 25), depthColour(2));  // a hole
    EXPECT_EQ(at(42, 55), depthColour(2));  // the hole round the small part
    EXPECT_EQ(at(48.5, 46.5), depthColour(3));
    EXPECT_EQ(at(101, 50), rgb(0, 0, 0));  // outside everything
    // The tint stays dark under every pen: no channel above a third of full.
    for (int depth = 0; depth < 4; ++depth) {
        EXPECT_NE(depthColour(depth), depthColour(depth + 1));
        for (int shift : {0, 8, 16})
            EXPECT_LE((depthColour(depth) >> shift) & 0xFF, 85u) << depth;
    }
}

TEST(CanvasScene, GridOnlyWhereItsCellsAreSixteenPixels) {
    Layers layers;
    layers.showGrid = true;
    EXPECT_TRUE(buildScene(nullptr, fitted({0, 0, 100, 100}, 600, 600), layers, 1).grid);
    EXPECT_FALSE(buildScene(nullptr, fitted({0, 0, 10000, 10000}, 600, 600), layers, 1).grid);
    layers.showGrid = false;
    EXPECT_FALSE(buildScene(nullptr, fitted({0, 0, 100, 100}, 600, 600), layers, 1).grid);
}

TEST(CanvasRaster, LinesAreClippedDottedAndEndPixelsDrawn) {
    std::vector<uint32_t> store = pixels(20, 10);
    PixelBuffer image{store.data(), 20, 10, 20};
    drawLine(image, -100, 5, 100, 5, 7);
    for (int x = 0; x < 20; ++x)
        EXPECT_EQ(image.at(x, 5), 7u);
    drawLine(image, 30, -5, 40, 50, 9);  // wholly outside: nothing
    drawLine(image, 3, 3, 3, 3, 8);
    EXPECT_EQ(image.at(3, 3), 8u);
    DotPhase dots;
    drawLine(image, 0, 0, 7, 0, 1, &dots);
    EXPECT_EQ(image.at(0, 0), 1u);
    EXPECT_EQ(image.at(1, 0), 1u);
    EXPECT_EQ(image.at(2, 0), 0u);
    EXPECT_EQ(image.at(3, 0), 0u);
    EXPECT_EQ(image.at(4, 0), 1u);

    Scene scene;
    scene.origin = {10, 5};
    scene.width = 20, scene.height = 10;
    paintScene(image, scene);
    EXPECT_EQ(image.at(10, 5), kOriginColour);
    EXPECT_EQ(image.at(3, 4), kOriginColour);
    EXPECT_EQ(image.at(1, 1), rgb(0, 0, 0));
}

TEST(CanvasMeasures, SnapTakesTheFirstEndInsideTheWindow) {
    ChainOwner<VectGroup> drawing(
        groupOf({polyline({{0, 0}, {10, 0}}), polyline({{10, 1}, {20, 1}})}));
    drawing.append(groupOf({circle(50, 50, 5)}, 2));
    std::optional<PointD> p = snapPoint(drawing.get(), 10.5, 0.5, 1, false);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->x, 10);
    EXPECT_EQ(p->y, 0);  // the first vect's end comes before the second's start
    EXPECT_FALSE(snapPoint(drawing.get(), 30, 30, 1, false));
    p = snapPoint(drawing.get(), 50, 50, 1, true);  // a circle's centre while picking the origin
    ASSERT_TRUE(p);
    EXPECT_EQ(p->x, 50);
    EXPECT_FALSE(snapPoint(drawing.get(), 50, 50, 1, false));
    p = snapPoint(drawing.get(), 55, 50, 0.5, false);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->x, 55);
}

TEST(CanvasSvg, StrokesDotsAndNumbersBecomeElements) {
    ChainOwner<VectGroup> drawing(
        groupOf({polyline({{0, 0}, {100, 0}}), polyline({{0, 50}, {100, 50}})}));
    Layers layers;
    layers.showOrder = true;
    layers.showDirection = false;
    const Scene scene = buildScene(drawing.get(), fitted({0, 0, 100, 100}, 600, 600), layers, 1.0);
    const std::string svg = sceneSvg(scene);
    auto count = [&](const std::string& what) {
        size_t n = 0;
        for (size_t at = svg.find(what); at != std::string::npos; at = svg.find(what, at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(svg.rfind("<svg ", 0), 0u);
    EXPECT_EQ(count("<polyline"), 3u);  // two vects and the travel between them
    EXPECT_EQ(count("stroke-dasharray=\"2 2\" points"), 1u);
    EXPECT_EQ(count("fill=\"#ffffff\"/>"), 2u);  // start dots
    EXPECT_EQ(count(">2</text>"), 1u);
}
