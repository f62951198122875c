// The geometry behind SVG user space: elliptical arcs from endpoint to centre form (flags,
// radii too small, zero radii), their cubic pieces, every transform kind and transform lists,
// lengths in each unit, view boxes and preserveAspectRatio.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "import/svg/svg_arc.h"
#include "import/svg/svg_length.h"
#include "import/svg/svg_matrix.h"

namespace lintrel::svg {
namespace {

void expectNear(Point p, double x, double y, double tolerance = 1e-9) {
    EXPECT_NEAR(p.x, x, tolerance);
    EXPECT_NEAR(p.y, y, tolerance);
}

TEST(SvgArc, FlagsChooseTheCentreAndTheDirection) {
    // From (0,0) to (20,0) with radius 20: the two centres lie at y = +-sqrt(300).
    const double h = std::sqrt(300.0);
    struct Case {
        bool large, sweep;
        double centreY, sweepSign;
    };
    for (const Case c : {Case{false, true, h, 1}, Case{true, false, h, -1},
                         Case{false, false, -h, -1}, Case{true, true, -h, 1}}) {
        CentreArc arc;
        ASSERT_EQ(centreArc({0, 0}, 20, 20, 0, c.large, c.sweep, {20, 0}, arc), ArcForm::kArc);
        expectNear(arc.centre, 10, c.centreY);
        EXPECT_EQ(arc.sweep > 0 ? 1 : -1, c.sweepSign);
        EXPECT_EQ(std::fabs(arc.sweep) > kPi, c.large);
        expectNear(pointOnArc(arc, arc.start), 0, 0);
        expectNear(pointOnArc(arc, arc.start + arc.sweep), 20, 0);
    }
}

TEST(SvgArc, RadiiTooSmallAreScaledUpToAHalfTurn) {
    CentreArc arc;
    ASSERT_EQ(centreArc({0, 0}, 2, 1, 0, false, true, {40, 0}, arc), ArcForm::kArc);
    EXPECT_NEAR(arc.rx, 20, 1e-9);
    EXPECT_NEAR(arc.ry, 10, 1e-9);
    expectNear(arc.centre, 20, 0);
    EXPECT_NEAR(std::fabs(arc.sweep), kPi, 1e-9);
    // Negative radii count as their absolute values.
    CentreArc negative;
    ASSERT_EQ(centreArc({0, 0}, -2, -1, 0, false, true, {40, 0}, negative), ArcForm::kArc);
    EXPECT_NEAR(negative.rx, 20, 1e-9);
}

TEST(SvgArc, ZeroRadiusIsALineAndCoincidentEndsAreNothing) {
    CentreArc arc;
    EXPECT_EQ(centreArc({0, 0}, 0, 5, 0, false, true, {10, 10}, arc), ArcForm::kLine);
    EXPECT_EQ(centreArc({0, 0}, 5, 0, 0, false, true, {10, 10}, arc), ArcForm::kLine);
    EXPECT_EQ(centreArc({3, 4}, 5, 5, 0, true, true, {3, 4}, arc), ArcForm::kNothing);
}

TEST(SvgArc, RotatedEllipseEndsWhereWritten) {
    CentreArc arc;
    ASSERT_EQ(centreArc({110, 215}, 36, 60, 30, false, true, {162.55, 162.45}, arc), ArcForm::kArc);
    expectNear(pointOnArc(arc, arc.start), 110, 215, 1e-6);
    expectNear(pointOnArc(arc, arc.start + arc.sweep), 162.55, 162.45, 1e-6);
}

TEST(SvgArc, CubicPiecesFollowTheEllipse) {
    CentreArc arc;
    ASSERT_EQ(centreArc({100, 0}, 100, 50, 0, true, true, {0, 50}, arc), ArcForm::kArc);
    std::vector<Point> ends;
    arcToCubics(arc, [&](Point c1, Point c2, Point to) {
        ends.push_back(to);
        // The cubic's middle lies on the ellipse to well within a thousandth of the radius.
        const Point from = ends.size() == 1 ? Point{100, 0} : ends[ends.size() - 2];
        const Point mid{(from.x + 3 * c1.x + 3 * c2.x + to.x) / 8,
                        (from.y + 3 * c1.y + 3 * c2.y + to.y) / 8};
        const double dx = (mid.x - arc.centre.x) / 100, dy = (mid.y - arc.centre.y) / 50;
        EXPECT_NEAR(dx * dx + dy * dy, 1, 1e-3);
    });
    EXPECT_EQ(ends.size(), 3u) << "three quarter turns, one piece each";
    expectNear(ends.back(), 0, 50, 1e-9);
}

TEST(SvgTransform, EachKindMovesAPointAsWritten) {
    const struct {
        const char* text;
        Point from, to;
    } cases[] = {{"translate(10 20)", {1, 1}, {11, 21}},
                 {"translate(10)", {1, 1}, {11, 1}},
                 {"scale(2)", {1, 3}, {2, 6}},
                 {"scale(2,-1)", {1, 3}, {2, -3}},
                 {"rotate(90)", {1, 0}, {0, 1}},
                 {"rotate(90 10 10)", {20, 10}, {10, 20}},
                 {"skewX(45)", {0, 10}, {10, 10}},
                 {"skewY(45)", {10, 0}, {10, 10}},
                 {"matrix(1 2 3 4 5 6)", {1, 1}, {9, 12}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Matrix m;
        ASSERT_TRUE(parseTransform(c.text, m));
        expectNear(m.apply(c.from), c.to.x, c.to.y);
    }
}

TEST(SvgTransform, ListsApplyRightToLeftAndBadOnesAreIgnoredWhole) {
    Matrix m;
    ASSERT_TRUE(parseTransform(" translate(10,0) , scale(2)rotate(90) ", m));
    expectNear(m.apply({1, 0}), 10, 2);
    EXPECT_TRUE(m.isSimilarity());
    ASSERT_TRUE(parseTransform("scale(0.5, 0.5) skewY(45)", m));
    EXPECT_FALSE(m.isSimilarity());
    for (const char* bad : {"translate(1 2 3)", "rotate(1 2)", "scale()", "shift(1)", "translate(1",
                            "matrix(1 0 0 1 0)", "scale(1e400)"}) {
        EXPECT_FALSE(parseTransform(bad, m)) << bad;
        expectNear(m.apply({3, 4}), 3, 4);
    }
    EXPECT_TRUE(parseTransform("", m));
}

TEST(SvgLength, UnitsInPixelsOfNinetySixPerInch) {
    const LengthBase base{200, 100, 16};
    struct Case {
        const char* text;
        double pixels;
        LengthStatus status;
    };
    for (const Case c : {Case{"10", 10, LengthStatus::kAbsolute},
                         {"10px", 10, LengthStatus::kAbsolute},
                         {"25.4mm", 96, LengthStatus::kAbsolute},
                         {"2.54cm", 96, LengthStatus::kAbsolute},
                         {"1in", 96, LengthStatus::kAbsolute},
                         {"72pt", 96, LengthStatus::kAbsolute},
                         {"6pc", 96, LengthStatus::kAbsolute},
                         {" 1IN ", 96, LengthStatus::kAbsolute},
                         {"2em", 32, LengthStatus::kRelative},
                         {"2ex", 16, LengthStatus::kRelative}}) {
        Length l;
        EXPECT_EQ(parseLength(c.text, base, Axis::kX, l), c.status) << c.text;
        EXPECT_NEAR(l.value, c.pixels, 1e-9) << c.text;
    }
    Length l;
    EXPECT_EQ(parseLength("50%", base, Axis::kX, l), LengthStatus::kRelative);
    EXPECT_NEAR(l.value, 100, 1e-9);
    EXPECT_EQ(parseLength("50%", base, Axis::kY, l), LengthStatus::kRelative);
    EXPECT_NEAR(l.value, 50, 1e-9);
    for (const char* bad : {"", "mm", "10 mm", "10furlongs", "1e999"})
        EXPECT_EQ(parseLength(bad, base, Axis::kX, l), LengthStatus::kBad) << bad;
}

TEST(SvgLength, ViewBoxesAndAspectRatios) {
    ViewBox box;
    EXPECT_TRUE(parseViewBox("-100,-50 200 100", box));
    EXPECT_EQ(box.x, -100);
    EXPECT_FALSE(parseViewBox("0 0 0 10", box));
    EXPECT_FALSE(parseViewBox("0 0 10", box));
    // Meet, none and xMinYMin are measured on whole documents in svg_import_test.cpp.
    const ViewBox square{0, 0, 200, 200};
    Matrix m = viewBoxTransform(square, parseAspectRatio("xMinYMax slice"), 0, 0, 200, 100);
    expectNear(m.apply({0, 200}), 0, 100);
    EXPECT_NEAR(m.a, 1, 1e-12);
    m = viewBoxTransform(ViewBox{-100, -50, 200, 100}, parseAspectRatio("xMaxYMin"), 0, 0, 200,
                         100);
    expectNear(m.apply({-100, -50}), 0, 0);
}

}  // namespace
}  // namespace lintrel::svg
