// Exact Bezier pieces of B-spline spans, against a de Boor evaluation written here: the pieces of
// single spans, and whole cubic SPLINEs read from a drawing (chord-length, unclamped and
// repeated-knot vectors), whose pieces must trace the spline at the spline's own parameters.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "curves/bspline.h"
#include "model/geometry.h"
#include "model/items.h"
#include "support/bspline_reference.h"
#include "support/builders.h"
#include "support/dxf_builder.h"

using namespace lintrel;
using namespace lintrel::test;

namespace {

using Knots = std::vector<double>;

// The spans of the curve's domain that have a length, in order: one piece each.
std::vector<int> spansWithLength(const Knots& knots, int degree, int controlCount) {
    std::vector<int> spans;
    for (int s = degree; s < controlCount; ++s)
        if (knots[s + 1] > knots[s]) spans.push_back(s);
    return spans;
}

// The largest distance, at `samples` parameters spread over the domain, between the spline and
// the piece of the parameter's span at the matching parameter of the piece.
double worstDeviation(const std::vector<CubicPiece>& pieces, const std::vector<Point>& control,
                      const Knots& knots, int degree, int samples) {
    const std::vector<int> spans = spansWithLength(knots, degree, static_cast<int>(control.size()));
    EXPECT_EQ(pieces.size(), spans.size());
    if (pieces.size() != spans.size()) return INFINITY;
    const double first = knots[degree], last = knots[control.size()];
    double worst = 0;
    size_t piece = 0;
    for (int i = 0; i < samples; ++i) {
        const double t = first + (last - first) * i / (samples - 1);
        while (piece + 1 < spans.size() && t > knots[spans[piece] + 1])
            ++piece;
        const double k0 = knots[spans[piece]], k1 = knots[spans[piece] + 1];
        const Point onPiece = bezierAt(pieces[piece], (t - k0) / (k1 - k0));
        worst = std::max(worst, distance(onPiece, deBoorAt(control, knots, degree, t)));
    }
    return worst;
}

// Eight control points of a wavy outline, and knots from their chord lengths averaged over three
// neighbours (clamped), the way drawing programs write such a spline.
const std::vector<Point> kControl = {{0, 0},   {12, 31}, {19, -4}, {47, 22},
                                     {51, 60}, {80, 58}, {84, 5},  {120, 18}};

Knots chordLengthKnots(const std::vector<Point>& control) {
    std::vector<double> u{0};
    for (size_t i = 1; i < control.size(); ++i)
        u.push_back(u.back() + distance(control[i - 1], control[i]));
    for (double& v : u)
        v /= u.back();
    Knots knots(4, 0.0);
    for (size_t j = 1; j + 3 < control.size(); ++j)
        knots.push_back((u[j] + u[j + 1] + u[j + 2]) / 3);
    knots.insert(knots.end(), 4, 1.0);
    return knots;
}

struct Case {
    const char* name;
    std::vector<Point> control;
    Knots knots;
};

// A frame with a short leg into three coincident points: the curve comes to a standstill there,
// so the span before it ends in a stretch shorter than 1e-4 and yet goes somewhere.
const std::vector<Point> kStandstill = {{57.1, 175.7}, {57.1, 175.7}, {126.5, 162.5}, {49.7, 34.3},
                                        {54.4, 44.3},  {54.4, 44.3},  {54.4, 44.3},   {19.1, 21.5}};

std::vector<Case> cubicCases() {
    Knots uniform;
    for (int i = 0; i < 12; ++i)
        uniform.push_back(i / 11.0);
    return {{"chord-length", kControl, chordLengthKnots(kControl)},
            {"unclamped uniform", kControl, uniform},
            {"double interior knot", kControl, {0, 0, 0, 0, .2, .45, .45, .7, 1, 1, 1, 1}},
            {"triple interior knot", kControl, {0, 0, 0, 0, .3, .5, .5, .5, 1, 1, 1, 1}},
            {"clamped at the start only", kControl, {0, 0, 0, 0, .1, .3, .4, .6, .7, .8, .9, 1}},
            {"standstill", kStandstill, chordLengthKnots(kStandstill)}};
}

// Reads a drawing of one SPLINE through the public import at the finest precision.
ChainOwner<VectGroup> readSpline(int degree, const std::vector<Point>& control, const Knots& knots,
                                 int options) {
    DxfText text;
    text.section("ENTITIES");
    DxfText::Spline spline{degree, {}, knots, {}, {}};
    for (const Point& p : control)
        spline.control.push_back({p.x, p.y});
    text.spline(spline).endSection().eof();
    TempFile file("spline.dxf", text.str());
    return ChainOwner<VectGroup>(
        VarnixCad3_ImportVectGraph(file.path(), 1016.0, options, 0.0005, 0));
}

}  // namespace

TEST(SpanBezier, EverySpanOfLowDegreesIsExact) {
    for (const Case& c : cubicCases()) {
        const BSpline curve{3, c.knots, c.control, {}};
        std::vector<CubicPiece> pieces;
        for (int s : spansWithLength(c.knots, 3, 8))
            pieces.push_back(spanBezier(curve, s));
        EXPECT_LT(worstDeviation(pieces, c.control, c.knots, 3, 1000), 1e-9) << c.name;
    }
    // Quadratic spans, uneven and unclamped, and a single unclamped line span, raised to cubics.
    const std::vector<Point> five(kControl.begin(), kControl.begin() + 5);
    for (const Knots& knots :
         {Knots{0, 0, 0, .2, .7, 1, 1, 1}, Knots{0, .1, .3, .4, .6, .75, .9, 1}}) {
        const BSpline curve{2, knots, five, {}};
        std::vector<CubicPiece> pieces;
        for (int s : spansWithLength(knots, 2, 5))
            pieces.push_back(spanBezier(curve, s));
        EXPECT_LT(worstDeviation(pieces, five, knots, 2, 1000), 1e-9);
    }
    const std::vector<Point> two(kControl.begin(), kControl.begin() + 2);
    const Knots lineKnots{0, .25, .5, 1};
    const CubicPiece line = spanBezier({1, lineKnots, two, {}}, 1);
    EXPECT_LT(worstDeviation({line}, two, lineKnots, 1, 1000), 1e-9);
}

TEST(SpanBezier, ClampedEndsAreTheEndControlPointsToTheBit) {
    const Knots knots = chordLengthKnots(kControl);
    const BSpline curve{3, knots, kControl, {}};
    EXPECT_EQ(spanBezier(curve, 3)[0].x, kControl.front().x);
    EXPECT_EQ(spanBezier(curve, 3)[0].y, kControl.front().y);
    EXPECT_EQ(spanBezier(curve, 7)[3].x, kControl.back().x);
    EXPECT_EQ(spanBezier(curve, 7)[3].y, kControl.back().y);
}

TEST(SplineImport, CubicSplinesReadAtTheFinestPrecisionFollowDeBoor) {
    for (const Case& c : cubicCases()) {
        auto groups = readSpline(3, c.control, c.knots, 1);
        const std::vector<Vect*> vects = vectsOf(groups.get());
        ASSERT_EQ(vects.size(), 1u) << c.name;
        ASSERT_EQ(vects[0]->type, LINTREL_BEZIER) << c.name;
        const std::vector<CubicPiece> pieces = piecesOf(*vects[0]);
        EXPECT_LT(worstDeviation(pieces, c.control, c.knots, 3, 1000), 1e-4) << c.name;
        // The pieces join exactly, so the chain is one unbroken outline.
        for (size_t i = 1; i < pieces.size(); ++i) {
            EXPECT_EQ(pieces[i - 1][3].x, pieces[i][0].x) << c.name;
            EXPECT_EQ(pieces[i - 1][3].y, pieces[i][0].y) << c.name;
        }
    }
}

TEST(SplineImport, FlattenedAtTheFinestPrecisionTheVerticesLieOnTheSpline) {
    const Knots knots = chordLengthKnots(kControl);
    std::vector<Point> truth;
    for (int i = 0; i <= 20000; ++i)
        truth.push_back(deBoorAt(kControl, knots, 3, i / 20000.0));
    auto groups = readSpline(3, kControl, knots, 0);
    const std::vector<Vect*> vects = vectsOf(groups.get());
    ASSERT_EQ(vects.size(), 1u);
    ASSERT_EQ(vects[0]->type, LINTREL_POLYLINE);
    for (const Seg* s : segsOf(vects[0]->segs)) {
        double nearest = INFINITY;
        for (size_t i = 1; i < truth.size(); ++i)
            nearest = std::min(nearest, distanceToSegment(segStart(*s), truth[i - 1], truth[i]));
        ASSERT_LT(nearest, 1e-4) << s->x0 << " " << s->y0;
    }
}

TEST(SplineImport, LowerDegreeSingleSpansAreExactPieces) {
    // A parabola on three control points with unclamped knots: one exact piece, not a fit.
    const std::vector<Point> three = {{0, 0}, {40, 90}, {100, 10}};
    const Knots knots{0, .1, .35, .6, .8, 1};
    auto groups = readSpline(2, three, knots, 1);
    const std::vector<Vect*> vects = vectsOf(groups.get());
    ASSERT_EQ(vects.size(), 1u);
    ASSERT_EQ(vects[0]->type, LINTREL_BEZIER);
    const std::vector<CubicPiece> pieces = piecesOf(*vects[0]);
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_LT(worstDeviation(pieces, three, knots, 2, 1000), 1e-9);
}
