// ELLIPSE, SPLINE and MLINE conversion, checked against geometry computed independently: the
// true ellipse, B-spline (de Boor's algorithm, support/bspline_reference.h) and circle.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "import/dxf/dxf_reader.h"
#include "import_helpers.h"
#include "model/geometry.h"
#include "support/bspline_reference.h"

namespace lintrel::test {
namespace {

// Largest distance from any point of `a` to the polyline through `b` (dense enough that its
// chords stand for the curve).
double hausdorffOneWay(const std::vector<Point>& a, const std::vector<Point>& b) {
    double worst = 0;
    for (const Point& p : a) {
        double best = 1e300;
        for (size_t i = 1; i < b.size(); ++i)
            best = std::min(best, distanceToSegment(p, b[i - 1], b[i]));
        worst = std::max(worst, best);
    }
    return worst;
}

std::vector<Point> densePoints(const std::vector<CubicPiece>& pieces, int perPiece) {
    std::vector<Point> out;
    for (const CubicPiece& p : pieces)
        for (int i = 0; i <= perPiece; ++i)
            out.push_back(bezierAt(p, static_cast<double>(i) / perPiece));
    return out;
}

ChainOwner<VectGroup> convertText(const std::string& text) {
    VxDxf dxf;
    ImportDiagnostics diagnostics;
    dxf.read(text, 1, 0.01, diagnostics);
    return ChainOwner<VectGroup>(dxf.convert(diagnostics));
}

TEST(DxfEllipse, FullEllipseGivesTheDefiningSegAndRotation) {
    DxfText t = entitiesOnly();
    t.ellipse(0, 0, 10, 0, 0.5, 0, 2 * kPi);
    t.endSection().eof();
    auto groups = convertText(t.str());
    const auto vs = vectsOf(groups.get());
    ASSERT_EQ(vs.size(), 1u);
    const Vect& v = *vs[0];
    EXPECT_EQ(v.type, LINTREL_ELLIPSE);
    expectPoints(&v, {{-10, -5}, {10, 5}});
    EXPECT_DOUBLE_EQ(v.segs->z0, 0);
    EXPECT_DOUBLE_EQ(v.segs->z1, -6.28318530717958);
    EXPECT_DOUBLE_EQ(v.liftHeight, 3.14159265358979);
    EXPECT_EQ(v.closed, 0);
}

// The import flattens every ellipse; each flattened point lies on the true ellipse and the curve
// runs counter-clockwise from start to end. The chords follow the flattening's step count, which
// comes from the mean radius: near the ends of the major axis of a slender ellipse they stray
// up to about a third more than the precision.
TEST(DxfEllipse, AllQuadrantsAndPartialRangesLieOnTheTrueEllipse) {
    struct Case {
        double ax, ay, start, end;
    };
    const Case cases[] = {{8, 3, 0, 2 * kPi},     {-8, 3, 0.3, 2.0}, {-6, -5, 1.0, 5.5},
                          {7, -2, 5.0, 1.0},      {0, 9, 0.5, 3.5},  {9, 0, 3.0, 4.0},
                          {-0.5, -9, 0, 2 * kPi}, {5, 5, 4.0, 6.0}};
    const double precision = 0.01, ratio = 0.4, cx = 3, cy = -2;
    for (const Case& c : cases) {
        const std::string label = std::to_string(c.ax) + "," + std::to_string(c.ay);
        DxfText t = entitiesOnly();
        t.ellipse(cx, cy, c.ax, c.ay, ratio, c.start, c.end);
        auto groups = importDrawing(t, 1, precision);
        const auto vs = vectsOf(groups.get());
        ASSERT_EQ(vs.size(), 1u) << label;
        ASSERT_EQ(vs[0]->type, LINTREL_POLYLINE) << label;
        const double a = std::hypot(c.ax, c.ay), b = a * ratio;
        const Point mu{c.ax / a, c.ay / a}, mv{-mu.y, mu.x};
        auto at = [&](double s) {
            return Point{cx + a * std::cos(s) * mu.x + b * std::sin(s) * mv.x,
                         cy + a * std::cos(s) * mu.y + b * std::sin(s) * mv.y};
        };
        double end = c.end;
        while (end <= c.start)
            end += 2 * kPi;
        std::vector<Point> truth;
        for (int i = 0; i <= 20000; ++i)
            truth.push_back(at(c.start + (end - c.start) * i / 20000.0));
        std::vector<Point> flat, mids;
        for (const Seg* s : segsOf(vs[0]->segs)) {
            flat.push_back(segStart(*s));
            mids.push_back({(s->x0 + s->x1) / 2, (s->y0 + s->y1) / 2});
        }
        flat.push_back(segEnd(*lastOf(vs[0]->segs)));
        EXPECT_LT(hausdorffOneWay(flat, truth), 1e-4) << label;
        EXPECT_LT(hausdorffOneWay(mids, truth), precision * 1.4) << label;
        if (end - c.start < 2 * kPi - 1e-9) {
            EXPECT_LT(distance(flat.front(), at(c.start)), 1e-4) << label;
            EXPECT_LT(distance(flat.back(), at(end)), 1e-4) << label;
        } else {
            EXPECT_LT(distance(flat.front(), flat.back()), 1e-4) << label;
            EXPECT_LT(hausdorffOneWay(truth, flat), precision * 1.4) << label;
        }
    }
}

// Seen from below (extrusion 0, 0, -1) an ellipse turns the other way round.
TEST(DxfEllipse, MirroredExtrusionRunsClockwise) {
    DxfText t = entitiesOnly();
    t.ellipse(0, 0, 10, 0, 0.5, 0, kPi / 2).point(210, 0, 0, -1);
    auto groups = importDrawing(t, 1, 0.01);
    const auto vs = vectsOf(groups.get());
    ASSERT_EQ(vs.size(), 1u);
    const Point first = segStart(*vs[0]->segs), last = segEnd(*lastOf(vs[0]->segs));
    EXPECT_NEAR(first.x, 10, 1e-4);
    EXPECT_NEAR(first.y, 0, 1e-4);
    EXPECT_NEAR(last.x, 0, 1e-4);
    EXPECT_NEAR(last.y, -5, 1e-4);
}

// How closely the pieces follow the spline at the finest precision, and that they join, is
// checked over several knot vectors in curves/spline_span_test.cpp; here: a piece for every
// span, and the flattened curve within the precision asked for.
TEST(DxfSpline, CubicWithSevenControlPointsFollowsTheTrueBSpline) {
    const std::vector<DxfText::P> control = {{0, 0},  {10, 20}, {20, -10}, {30, 15},
                                             {40, 0}, {55, 30}, {70, 5}};
    const std::vector<double> knots = {0, 0, 0, 0, 2, 5, 6, 9, 9, 9, 9};  // uneven spans
    DxfText t = entitiesOnly();
    t.spline({3, control, knots, {}, {}});
    auto groups = importDrawing(t);
    const auto vs = vectsOf(groups.get());
    ASSERT_EQ(vs.size(), 1u);
    ASSERT_EQ(vs[0]->type, LINTREL_BEZIER);
    const auto pieces = piecesOf(*vs[0]);
    ASSERT_EQ(pieces.size(), 4u);
    EXPECT_EQ(ringCount(vs[0]->segs), 12);
    std::vector<Point> truth;
    for (int i = 0; i <= 4000; ++i)
        truth.push_back(deBoorAt(control, knots, 3, 9.0 * i / 4000));
    // Flattened by the import, vertices and chords alike stay within 0.01 of the spline.
    auto flat = importText(t.str(), 0, 0.005);
    const auto fs = vectsOf(flat.get());
    ASSERT_EQ(fs.size(), 1u);
    ASSERT_EQ(fs[0]->type, LINTREL_POLYLINE);
    std::vector<Point> flattened;
    for (const Seg* s : segsOf(fs[0]->segs)) {
        flattened.push_back(segStart(*s));
        flattened.push_back({(s->x0 + s->x1) / 2, (s->y0 + s->y1) / 2});
    }
    EXPECT_LT(hausdorffOneWay(flattened, truth), 0.01);
}

// A single clamped cubic span is one piece on the control points themselves. (Single spans of
// lower degree are in curves/spline_span_test.cpp.)
TEST(DxfSpline, SingleCubicSpanIsItsControlPolygon) {
    DxfText t = entitiesOnly();
    t.spline({3, {{0, 0}, {1, 2}, {3, 2}, {4, 0}}, {0, 0, 0, 0, 1, 1, 1, 1}, {}, {}});
    auto groups = importDrawing(t);
    ASSERT_EQ(vectsOf(groups.get()).size(), 1u);
    EXPECT_EQ(vectsOf(groups.get())[0]->type, LINTREL_BEZIER);
    expectPoints(vectsOf(groups.get())[0], {{0, 0}, {1, 2}, {3, 2}, {4, 0}});
}

TEST(DxfSpline, RationalQuarterCircleLiesOnTheCircleAndEqualWeightsChangeNothing) {
    const std::vector<DxfText::P> control = {{10, 0}, {10, 10}, {0, 10}};
    const std::vector<double> knots = {0, 0, 0, 1, 1, 1};
    DxfText t = entitiesOnly();
    t.spline({2, control, knots, {1, std::sqrt(0.5), 1}, {}});
    auto groups = importDrawing(t);
    const auto vs = vectsOf(groups.get());
    ASSERT_EQ(vs.size(), 1u);
    ASSERT_EQ(vs[0]->type, LINTREL_BEZIER);
    const auto curve = densePoints(piecesOf(*vs[0]), 400);
    for (const Point& p : curve)
        ASSERT_NEAR(std::hypot(p.x, p.y), 10, 0.01) << p.x << " " << p.y;
    EXPECT_LT(distance(curve.front(), {10, 0}), 1e-9);
    EXPECT_LT(distance(curve.back(), {0, 10}), 1e-9);

    // A cubic with equal weights is the plain spline, to the last bit.
    const std::vector<DxfText::P> cubic = {{0, 0}, {3, 5}, {6, -2}, {9, 4}, {12, 0}};
    DxfText plain = entitiesOnly(), weighted = entitiesOnly();
    plain.spline({3, cubic, {0, 0, 0, 0, 1, 2, 2, 2, 2}, {}, {}}).endSection().eof();
    weighted.spline({3, cubic, {0, 0, 0, 0, 1, 2, 2, 2, 2}, {2, 2, 2, 2, 2}, {}})
        .endSection()
        .eof();
    auto a = importText(plain.str()), b = importText(weighted.str());
    const auto sa = segsOf(vectsOf(a.get())[0]->segs), sb = segsOf(vectsOf(b.get())[0]->segs);
    ASSERT_EQ(sa.size(), sb.size());
    for (size_t i = 0; i < sa.size(); ++i) {
        EXPECT_EQ(sa[i]->x1, sb[i]->x1);
        EXPECT_EQ(sa[i]->y1, sb[i]->y1);
    }
}

TEST(DxfSpline, FitPointsOnlyGiveACurveThroughThem) {
    const std::vector<DxfText::P> fit = {{0, 0}, {10, 6}, {20, 0}, {35, 8}, {40, 2}};
    const DxfText::P startTangent{0, 1}, endTangent{1, -1};
    DxfText t = entitiesOnly();
    t.spline({3, {}, {}, {}, fit});
    t.spline({3, {}, {}, {}, fit, &startTangent, &endTangent});
    auto groups = importDrawing(t);
    const auto vs = vectsOf(groups.get());
    ASSERT_EQ(vs.size(), 2u);
    for (const Vect* v : vs) {
        ASSERT_EQ(v->type, LINTREL_BEZIER);
        const auto pieces = piecesOf(*v);
        ASSERT_EQ(pieces.size(), fit.size() - 1);
        for (size_t i = 0; i < pieces.size(); ++i) {
            EXPECT_LT(distance(pieces[i][0], {fit[i].x, fit[i].y}), 1e-9);
            EXPECT_LT(distance(pieces[i][3], {fit[i + 1].x, fit[i + 1].y}), 1e-9);
        }
        // Smooth where the pieces meet: the legs on both sides are parallel.
        for (size_t i = 1; i < pieces.size(); ++i) {
            const Point in{pieces[i - 1][3].x - pieces[i - 1][2].x,
                           pieces[i - 1][3].y - pieces[i - 1][2].y};
            const Point out{pieces[i][1].x - pieces[i][0].x, pieces[i][1].y - pieces[i][0].y};
            EXPECT_NEAR(in.x * out.y - in.y * out.x, 0, 1e-9);
        }
    }
    // With tangents the end legs point along them.
    const auto pieces = piecesOf(*vs[1]);
    const Point first{pieces[0][1].x - pieces[0][0].x, pieces[0][1].y - pieces[0][0].y};
    EXPECT_NEAR(first.x, 0, 1e-9);
    EXPECT_GT(first.y, 0);
    const Point last{pieces.back()[3].x - pieces.back()[2].x,
                     pieces.back()[3].y - pieces.back()[2].y};
    EXPECT_NEAR(last.x, -last.y, 1e-9);
    EXPECT_GT(last.x, 0);
}

TEST(DxfSpline, QuadraticWithManyControlPointsBecomesASplinePolylineOnTheCurve) {
    const std::vector<DxfText::P> control = {{0, 0}, {5, 10}, {10, 0}, {15, 10}, {20, 0}};
    const std::vector<double> knots = {0, 0, 0, 1, 2, 3, 3, 3};
    DxfText t = entitiesOnly();
    t.spline({2, control, knots, {}, {}});
    auto groups = importDrawing(t);
    const auto vs = vectsOf(groups.get());
    ASSERT_EQ(vs.size(), 1u);
    EXPECT_EQ(vs[0]->type, LINTREL_SPLINE);
    const auto segs = segsOf(vs[0]->segs);
    ASSERT_EQ(segs.size(), 30u);  // ten steps in each of three spans
    for (size_t i = 0; i < segs.size(); ++i) {
        const Point want = deBoorAt(control, knots, 2, 3.0 * static_cast<double>(i) / 30);
        EXPECT_LT(distance(segStart(*segs[i]), want), 1e-9) << i;
    }
}

TEST(DxfMLine, EachElementBecomesAPolylineAndFlagTwoClosesThem) {
    DxfText t = entitiesOnly();
    auto mline = [&](int flags) {
        t.entity("MLINE").group(2, "STANDARD").group(40, 1.0).group(70, 0).group(71, flags);
        t.group(72, 3).group(73, 2).point(10, 0, 0);
        const DxfText::P vertices[] = {{0, 0}, {10, 0}, {10, 10}};
        const DxfText::P directions[] = {{1, 0}, {0, 1}, {0, 1}};
        const DxfText::P miters[] = {{0, 1}, {-std::sqrt(0.5), std::sqrt(0.5)}, {-1, 0}};
        for (int i = 0; i < 3; ++i) {
            t.point(11, vertices[i].x, vertices[i].y).point(12, directions[i].x, directions[i].y);
            t.point(13, miters[i].x, miters[i].y);
            for (double offset : {0.5, -0.5})
                t.group(74, 2)
                    .group(41, offset * (i == 1 ? std::sqrt(2.0) : 1))
                    .group(41, 0.0)
                    .group(75, 0);
        }
    };
    mline(1);
    mline(3);
    auto groups = importDrawing(t);
    const auto vs = vectsOf(groups.get());
    ASSERT_EQ(vs.size(), 4u);
    // The left element runs half a unit inside the corner, the right one outside it; closed,
    // each gets a closing segment back to its first point.
    expectPoints(vs[0], {{0, 0.5}, {9.5, 0.5}, {9.5, 10}});
    expectPoints(vs[1], {{0, -0.5}, {10.5, -0.5}, {10.5, 10}});
    expectPoints(vs[2], {{0, 0.5}, {9.5, 0.5}, {9.5, 10}, {0, 0.5}});
    expectPoints(vs[3], {{0, -0.5}, {10.5, -0.5}, {10.5, 10}, {0, -0.5}});
    EXPECT_EQ(vs[0]->closed, 0);
    EXPECT_EQ(vs[2]->closed, 1);
}

}  // namespace
}  // namespace lintrel::test
