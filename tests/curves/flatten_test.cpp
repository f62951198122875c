// Curve flattening: step counts, point placement, exact closing, single-precision samples and
// the flattened copy kept beside a definition.
#include <gtest/gtest.h>

#include "curves/flatten.h"
#include "model/geometry.h"
#include "model/items.h"
#include "support/builders.h"

using namespace lintrel;
using namespace lintrel::test;

namespace {

bool isSingle(double v) {
    return v == single(v);
}

void expectAllSingle(Seg* head) {
    for (Seg* s : ring(head)) {
        ASSERT_TRUE(isSingle(s->x0) && isSingle(s->y0) && isSingle(s->x1) && isSingle(s->y1));
    }
}

}  // namespace

TEST(ArcFlattening, FullCircleStepCountAndExactClose) {
    ChainOwner<Vect> c(circle(0, 0, 10));
    ASSERT_EQ(VarnixCad3_TransArcSeges(c.get()->segs, 0.01, c.get()), 0);
    Vect& v = *c.get();
    EXPECT_EQ(v.type, LINTREL_POLYLINE);
    EXPECT_EQ(v.closed, 1);
    ASSERT_EQ(ringCount(v.segs), 71);
    const Seg& first = *v.segs;
    const Seg& last = *v.segs->prev;
    EXPECT_EQ(last.x1, first.x0);
    EXPECT_EQ(last.y1, first.y0);
    EXPECT_TRUE(continuous(v.segs));
    expectAllSingle(v.segs);
    for (Seg* s : ring(v.segs)) {
        EXPECT_NEAR(std::hypot(s->x0, s->y0), 10, 1e-5);
        EXPECT_EQ(s->z0, 0);
    }
    // Sweep 0 with x0 <= x1 runs through 2pi in the mathematical sense: counter-clockwise.
    EXPECT_GT(v.segs->y1, 0);
}

TEST(ArcFlattening, SmallRadiusAndPrecisionClampGiveEightSegs) {
    ChainOwner<Vect> c(circle(0, 0, 0.3));
    VarnixCad3_TransArcSeges(c.get()->segs, 0.5, c.get());
    EXPECT_EQ(ringCount(c.get()->segs), 8);
    // Precision 3 is clamped to 0.5, so a circle of radius 0.3 still takes the minimum.
    ChainOwner<Vect> d(circle(0, 0, 0.3));
    VarnixCad3_TransArcSeges(d.get()->segs, 3, d.get());
    EXPECT_EQ(ringCount(d.get()->segs), 8);
    // Precision 0 is clamped to 0.0005, exactly as if 0.0005 were given.
    ChainOwner<Vect> e(circle(0, 0, 10)), f(circle(0, 0, 10));
    VarnixCad3_TransArcSeges(e.get()->segs, 0, e.get());
    VarnixCad3_TransArcSeges(f.get()->segs, 0.0005, f.get());
    EXPECT_EQ(ringCount(e.get()->segs), ringCount(f.get()->segs));
    EXPECT_EQ(ringCount(e.get()->segs), stepCount(kTwoPi * 10, 10, 0.0005));
}

TEST(ArcFlattening, NegativeSweepRunsCounterClockwiseFromTheStart) {
    ChainOwner<Vect> a(arc(3, 4, 2, 0, -kHalfPi));
    VarnixCad3_TransArcSeges(a.get()->segs, 0.05, a.get());
    const Seg& first = *a.get()->segs;
    const Seg& last = *a.get()->segs->prev;
    EXPECT_NEAR(first.x0, 5, 1e-5);
    EXPECT_NEAR(first.y0, 4, 1e-5);
    EXPECT_NEAR(last.x1, 3, 1e-5);
    EXPECT_NEAR(last.y1, 6, 1e-5);
    EXPECT_GE(ringCount(a.get()->segs), 8);
    // A stored start of pi/2 is straight below the centre; sweep -pi passes the rightmost point.
    ChainOwner<Vect> b(arc(0, 0, 1, kHalfPi, -kPi));
    VarnixCad3_TransArcSeges(b.get()->segs, 0.05, b.get());
    EXPECT_NEAR(b.get()->segs->y0, -1, 1e-6);
    EXPECT_NEAR(b.get()->segs->prev->y1, 1, 1e-6);
    double maxX = -1;
    for (Seg* s : ring(b.get()->segs))
        maxX = std::max(maxX, s->x1);
    EXPECT_NEAR(maxX, 1, 1e-3);
}

TEST(ArcFlattening, KeepsOtherVectFields) {
    ChainOwner<Vect> c(circle(0, 0, 1));
    Vect& v = *c.get();
    v.speed = 12;
    v.selected = 1;
    v.link = &v;
    v.liftHeight = 3;
    VarnixCad3_TransSeges(&v, 0.1);
    EXPECT_EQ(v.speed, 12);
    EXPECT_EQ(v.selected, 1);
    EXPECT_EQ(v.link, &v);
    EXPECT_EQ(v.liftHeight, 3);
}

TEST(EllipseFlattening, FullEllipseClosesWithAtLeastNineteenSegs) {
    ChainOwner<Vect> e(arc(0, 0, 1, 0, -kTwoPi));
    e.get()->type = LINTREL_ELLIPSE;
    Seg& d = *e.get()->segs;
    d.x0 = -4;
    d.x1 = 4;
    d.y0 = -1;
    d.y1 = 1;
    VarnixCad3_TransEclipseSeges(e.get()->segs, 0.5, e.get());
    EXPECT_EQ(e.get()->type, LINTREL_POLYLINE);
    const int n = ringCount(e.get()->segs);
    EXPECT_GE(n, 19);
    EXPECT_EQ(e.get()->segs->prev->x1, e.get()->segs->x0);
    EXPECT_EQ(e.get()->segs->prev->y1, e.get()->segs->y0);
    for (Seg* s : ring(e.get()->segs)) {
        const double u = s->x0 / 4, v = s->y0 / 1;
        EXPECT_NEAR(u * u + v * v, 1, 1e-5);
    }
    expectAllSingle(e.get()->segs);
}

TEST(EllipseFlattening, RotationAndZeroSweep) {
    // Major axis turned by pi/2 (stored clockwise): the long side lies along y.
    ChainOwner<Vect> e(arc(0, 0, 1, 0, kTwoPi));
    e.get()->type = LINTREL_ELLIPSE;
    e.get()->segs->x0 = -4;
    e.get()->segs->x1 = 4;
    e.get()->liftHeight = kHalfPi;
    VarnixCad3_TransSeges(e.get(), 0.01);
    double maxY = 0, maxX = 0;
    for (Seg* s : ring(e.get()->segs)) {
        maxY = std::max(maxY, std::fabs(s->y0));
        maxX = std::max(maxX, std::fabs(s->x0));
    }
    EXPECT_NEAR(maxY, 4, 0.01);
    EXPECT_NEAR(maxX, 1, 0.01);

    ChainOwner<Vect> z(arc(0, 0, 1, 0, 0));
    z.get()->type = LINTREL_ELLIPSE;
    VarnixCad3_TransEclipseSeges(z.get()->segs, 0.05, z.get());
    EXPECT_EQ(ringCount(z.get()->segs), 19);
    for (Seg* s : ring(z.get()->segs))
        EXPECT_EQ(s->x1, z.get()->segs->x0);
}

TEST(EllipseFlattening, CorruptStartAngleDoesNotHang) {
    ChainOwner<Vect> e(arc(0, 0, 1, -1e300, -kTwoPi));
    e.get()->type = LINTREL_ELLIPSE;
    EXPECT_EQ(VarnixCad3_TransEclipseSeges(e.get()->segs, 0.05, e.get()), 0);
    EXPECT_GE(ringCount(e.get()->segs), 19);
}

TEST(SplineFlattening, StraightPolylineGivesEightEqualSegs) {
    ChainOwner<Vect> s(controlPolygon(LINTREL_SPLINE, {{0, 0}, {3, 0}, {8, 0}}));
    VarnixCad3_TransSplineSeges(s.get()->segs, 0.05, s.get());
    EXPECT_EQ(s.get()->type, LINTREL_POLYLINE);
    const auto segs = segsOf(s.get()->segs);
    ASSERT_EQ(segs.size(), 8u);
    for (Seg* seg : segs)
        EXPECT_NEAR(seg->x1 - seg->x0, 1, 1e-6);
    EXPECT_EQ(segs.back()->x1, 8);
    EXPECT_TRUE(continuous(s.get()->segs));
}

TEST(SplineFlattening, CurvedPolylineEndsExactlyAndOneSegStaysAsItIs) {
    std::vector<Point> pts;
    for (int i = 0; i <= 90; ++i)
        pts.push_back({10 * std::cos(i * kPi / 90), 10 * std::sin(i * kPi / 90)});
    ChainOwner<Vect> s(polylineOf(pts));
    s.get()->type = LINTREL_SPLINE;
    VarnixCad3_TransSplineSeges(s.get()->segs, 0.01, s.get());
    const int n = ringCount(s.get()->segs);
    // Half a circle of radius 10: the same count as the arc rule gives for it.
    EXPECT_NEAR(n, stepCount(kPi * 10, 10, 0.01), 2);
    EXPECT_EQ(s.get()->segs->prev->x1, pts.back().x);
    EXPECT_EQ(s.get()->segs->prev->y1, pts.back().y);

    ChainOwner<Vect> one(controlPolygon(LINTREL_SPLINE, {{0, 0}, {1, 1}}));
    Seg* before = one.get()->segs;
    VarnixCad3_TransSplineSeges(before, 0.05, one.get());
    EXPECT_EQ(one.get()->segs, before);
    EXPECT_EQ(one.get()->type, LINTREL_SPLINE);
}

TEST(BezierFlattening, PiecesOfThreeAndLeftoversDropped) {
    ChainOwner<Vect> b(
        controlPolygon(LINTREL_BEZIER, {{0, 0}, {0, 10}, {10, 10}, {10, 0}, {20, 0}}));
    VarnixCad3_TransBezierSeges(b.get()->segs, 0.05, b.get());
    EXPECT_EQ(b.get()->type, LINTREL_POLYLINE);
    const auto segs = segsOf(b.get()->segs);
    EXPECT_GE(segs.size(), 7u);
    EXPECT_EQ(segs.front()->x0, 0);
    EXPECT_EQ(segs.back()->x1, 10);  // the fourth seg made no piece
    EXPECT_EQ(segs.back()->y1, 0);
    EXPECT_NEAR(segs[segs.size() / 2]->x0, 5, 1.0);
    expectAllSingle(b.get()->segs);

    ChainOwner<Vect> two(controlPolygon(LINTREL_BEZIER, {{0, 0}, {0, 10}, {10, 10}}));
    Seg* before = two.get()->segs;
    VarnixCad3_TransBezierSeges(before, 0.05, two.get());
    EXPECT_EQ(two.get()->segs, before);
    EXPECT_EQ(two.get()->type, LINTREL_BEZIER);
    EXPECT_EQ(VarnixCad3_TransBezierSeges(before, 0.05, nullptr), 21000);
}

TEST(BezierFlattening, AnyDegreeStepsByParameter) {
    ChainOwner<Vect> b(controlPolygon(LINTREL_BEZIER, {{0, 0}, {0, 4}, {4, 4}, {4, 0}}));
    VarnixCad3_TransNOrderBezierSeges(b.get()->segs, 0.25, b.get());
    const auto segs = segsOf(b.get()->segs);
    ASSERT_EQ(segs.size(), 4u);
    EXPECT_EQ(segs[0]->x0, 0);
    EXPECT_EQ(segs[1]->x0, 0.625f);  // B(0.25) of the cubic, x: 3 * 0.0625 * ... in single
    EXPECT_EQ(segs[3]->x1, 4);
    EXPECT_EQ(segs[3]->y1, 0);
    EXPECT_EQ(b.get()->type, LINTREL_POLYLINE);

    ChainOwner<Vect> one(controlPolygon(LINTREL_BEZIER, {{0, 0}, {1, 1}}));
    Seg* before = one.get()->segs;
    VarnixCad3_TransNOrderBezierSeges(before, 0.25, one.get());
    EXPECT_EQ(one.get()->segs, before);
    EXPECT_EQ(one.get()->type, LINTREL_POLYLINE);
}

TEST(TextFlattening, LineSegsCopiedCurveRunsSampledJumpsCarried) {
    Vect* t = newVect();
    ChainOwner<Vect> own(t);
    t->type = LINTREL_TEXT;
    Seg* line = newLine(0, 0, 5, 0);
    line->jump = 1;
    line->z0 = 7;
    append(t->segs, line);
    for (int k = 0; k < 3; ++k) {
        Seg* c = newLine(5, 0, 5.001, 0);
        c->type = LINTREL_SEG_CURVE;
        c->z0 = 9;
        if (k == 0) c->jump = 1;
        append(t->segs, c);
    }
    ASSERT_EQ(VarnixCad3_TransTextSeges(t->segs, 0.1, t), 0);
    const auto segs = segsOf(t->segs);
    ASSERT_EQ(segs.size(), 8u);  // the line and 7 short segs from 8 samples
    EXPECT_EQ(segs[0]->jump, 1);
    EXPECT_EQ(segs[0]->z0, 7);
    EXPECT_EQ(segs[1]->jump, 1);
    EXPECT_EQ(segs[2]->jump, 0);
    EXPECT_EQ(segs[1]->z0, 9);
    for (Seg* s : segs)
        EXPECT_EQ(s->type, LINTREL_SEG);
    EXPECT_EQ(t->type, LINTREL_POLYLINE);
    EXPECT_EQ(VarnixCad3_TransTextSeges(t->segs, 0.1, nullptr), 21000);
}

TEST(Dispatch, ChainsGroupsAndGraphs) {
    ChainOwner<Graph> graph(newGraph());
    EXPECT_EQ(VarnixCad3_TransSeges(graph.get(), 0.05), 21000);  // no groups
    EXPECT_EQ(VarnixCad3_TransSeges(nullptr, 0.05), 21000);
    ChainOwner<Seg> seg(newSeg());
    EXPECT_EQ(VarnixCad3_TransSeges(seg.get(), 0.05), 21000);

    VectGroup* g = groupOf({circle(0, 0, 1), polyline({{0, 0}, {1, 0}})});
    append(g, groupOf({controlPolygon(LINTREL_SPLINE, {{0, 0}, {1, 1}, {2, 0}})}, 2));
    graph.get()->groups = g;
    Vect* point = newVect();
    point->type = LINTREL_POINT;
    point->segs = newLine(1, 1, 1, 1);
    append(g->vects, point);
    ASSERT_EQ(VarnixCad3_TransSeges(graph.get(), 0.05), 0);
    EXPECT_EQ(g->vects->type, LINTREL_POLYLINE);
    EXPECT_EQ(ringCount(g->vects->next->segs), 1);  // polylines are left alone
    EXPECT_EQ(point->type, LINTREL_POINT);
    EXPECT_EQ(g->next->vects->type, LINTREL_POLYLINE);
    EXPECT_EQ(ringCount(g->next->vects->segs), 8);
}

TEST(FlatCopy, KeepsTheDefinitionBesideTheFlattenedChain) {
    ChainOwner<Vect> a(arc(0, 0, 10, 0, -kHalfPi));
    ASSERT_TRUE(buildFlatSegs(a.get(), 0.001));
    EXPECT_EQ(a.get()->type, LINTREL_ARC);
    EXPECT_EQ(ringCount(a.get()->segs), 1);
    EXPECT_EQ(a.get()->segs->z1, -kHalfPi);
    EXPECT_GT(ringCount(a.get()->flatSegs), 8);
    // Building again replaces the old copy.
    ASSERT_TRUE(buildFlatSegs(a.get(), 0.5));
    EXPECT_EQ(ringCount(a.get()->flatSegs), 8);

    ChainOwner<Vect> s(controlPolygon(LINTREL_SPLINE, {{0, 0}, {1, 1}, {2, 0}}));
    ASSERT_TRUE(buildFlatSegs(s.get(), 0.05));
    EXPECT_EQ(s.get()->type, LINTREL_POLYLINE);  // a spline keeps its resampled type
    EXPECT_EQ(ringCount(s.get()->segs), 2);
    EXPECT_EQ(ringCount(s.get()->flatSegs), 8);

    ChainOwner<Vect> p(polyline({{0, 0}, {1, 0}}));
    EXPECT_FALSE(buildFlatSegs(p.get(), 0.05));
    EXPECT_EQ(p.get()->flatSegs, nullptr);
    EXPECT_FALSE(buildFlatSegs(nullptr, 0.05));
    ChainOwner<Vect> e(arc(0, 0, 1, 0, kTwoPi));
    e.get()->type = LINTREL_ELLIPSE;
    EXPECT_FALSE(buildFlatSegs(e.get(), 0.05));
}

TEST(FlattenBudget, CurvesGetTheirStepsWhileItLastsThenWhatIsLeftThenTheFewest) {
    FlattenBudget budget(100);
    EXPECT_EQ(budget.grant(60, 8), 60);
    EXPECT_EQ(budget.grant(30, 8), 30);
    EXPECT_EQ(budget.coarsened(), 0);
    EXPECT_EQ(budget.grant(50, 8), 10);  // the curve that crosses the budget takes the rest
    EXPECT_EQ(budget.grant(50, 8), 8);
    EXPECT_EQ(budget.grant(3, 8), 8);
    EXPECT_EQ(budget.coarsened(), 3);

    // Arcs take their steps from a budget; without one they take all they want.
    ChainOwner<Vect> c(circle(0, 0, 10));
    FlattenBudget small(12);
    flattenArc(*c.get()->segs, 0.0005, *c.get(), &small);
    EXPECT_EQ(ringCount(c.get()->segs), 12);
    ChainOwner<Vect> d(circle(0, 0, 10));
    flattenArc(*d.get()->segs, 0.0005, *d.get());
    EXPECT_EQ(ringCount(d.get()->segs), stepCount(kTwoPi * 10, 10, 0.0005));
}
