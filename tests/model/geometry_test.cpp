// The shared rules: direction angles, step counts, distances to segments, arc end points,
// chain reversal and ring walking.
#include <gtest/gtest.h>

#include "model/geometry.h"
#include "model/items.h"
#include "support/builders.h"

using namespace lintrel;
using namespace lintrel::test;

TEST(DirectionAngle, SpecialCasesAndQuadrants) {
    EXPECT_EQ(directionAngle(0.0, 0.0), 0);
    EXPECT_EQ(directionAngle(0.00009, -0.00009), 0);
    EXPECT_EQ(directionAngle(0.00009, -1.0), kThreeHalfPi);
    EXPECT_EQ(directionAngle(-0.00009, 1.0), kHalfPi);
    EXPECT_DOUBLE_EQ(directionAngle(1.0, 1.0), kPi / 4);
    EXPECT_DOUBLE_EQ(directionAngle(-1.0, 1.0), 3 * kPi / 4);
    EXPECT_DOUBLE_EQ(directionAngle(-1.0, -1.0), 5 * kPi / 4);
    EXPECT_DOUBLE_EQ(directionAngle(1.0, -1.0), 7 * kPi / 4);
    EXPECT_EQ(directionAngle(-1.0, 0.0), kPi);
    EXPECT_FLOAT_EQ(directionAngle(1.0f, -1.0f), static_cast<float>(7 * kPi / 4));
    EXPECT_FLOAT_EQ(turnBetween(1, 0, 0, 1), static_cast<float>(kHalfPi));
    // The turn is the shorter way round.
    EXPECT_NEAR(turnBetween(1, -0.01f, 1, 0.01f), 2 * std::atan(0.01), 1e-6);
}

TEST(StepCount, FromCurvatureWithAMinimumOfEight) {
    EXPECT_EQ(stepCount(kTwoPi * 10, 10, 0.01), 71);
    EXPECT_EQ(stepCount(1, 0.3, 0.5), 8);
    EXPECT_EQ(stepCount(1, INFINITY, 0.05), 8);
    EXPECT_EQ(stepCount(1, NAN, 0.05), 8);
    EXPECT_EQ(stepCount(0.1, 100, 0.05), 8);
    // Absurd sizes from a damaged file stay bounded.
    EXPECT_EQ(stepCount(1e300, 1e10, 0.0005), kMaxCurveSteps);
    EXPECT_EQ(stepCount(1e30, 1e300, 0.0005), 8);
}

TEST(Distances, FootIsTheProjectionClampedToTheEnds) {
    const Point a{0, 0}, b{10, 0};
    EXPECT_DOUBLE_EQ(distanceToSegment({5, 3}, a, b), 3);
    EXPECT_DOUBLE_EQ(distanceToSegment({-3, 4}, a, b), 5);
    EXPECT_DOUBLE_EQ(distanceToSegment({13, -4}, a, b), 5);
    EXPECT_DOUBLE_EQ(distanceToSegment({1, 1}, a, a), std::sqrt(2.0));
    const Point f = footOnSegment({5, 3}, a, b);
    EXPECT_EQ(f.x, 5);
    EXPECT_EQ(f.y, 0);
    EXPECT_EQ(clampPrecision(0), 0.0005);
    EXPECT_EQ(clampPrecision(3), 0.5);
    EXPECT_EQ(clampPrecision(NAN), 0.0005);
    EXPECT_EQ(clampPrecision(0.01), 0.01);
}

TEST(Arcs, StartAndEndPointsFromTheDefinition) {
    ChainOwner<Vect> a(arc(1, 2, 3, 0, -kHalfPi));
    Point s, e;
    ASSERT_TRUE(vectStartPoint(*a.get(), s));
    ASSERT_TRUE(vectEndPoint(*a.get(), e));
    EXPECT_NEAR(s.x, 4, 1e-12);
    EXPECT_NEAR(s.y, 2, 1e-12);
    EXPECT_NEAR(e.x, 1, 1e-12);
    EXPECT_NEAR(e.y, 5, 1e-12);
    ChainOwner<Vect> c(circle(1, 2, 3));
    ASSERT_TRUE(vectStartPoint(*c.get(), s));
    EXPECT_EQ(s.x, 4);
    EXPECT_EQ(s.y, 2);
    ChainOwner<Vect> empty(newVect());
    EXPECT_FALSE(vectStartPoint(*empty.get(), s));
}

TEST(Reverse, ChainOrderPointsAndGapsFollow) {
    // Two contours: a gap (jump) before the third seg.
    Vect* v = polyline({{0, 0}, {1, 0}, {2, 0}});
    ChainOwner<Vect> own(v);
    append(v->segs, newLine(5, 5, 6, 5));
    v->segs->jump = 1;
    v->segs->prev->jump = 1;
    v->segs->next->z0 = 4;  // third values stay where they are
    v->segs = reverseChain(v->segs);
    const auto segs = segsOf(v->segs);
    ASSERT_EQ(segs.size(), 3u);
    EXPECT_EQ(segs[0]->x0, 6);
    EXPECT_EQ(segs[0]->x1, 5);
    EXPECT_EQ(segs[0]->jump, 1);  // the path starts with the former last contour
    EXPECT_EQ(segs[1]->x0, 2);
    EXPECT_EQ(segs[1]->jump, 1);  // the gap now lies before the former second seg
    EXPECT_EQ(segs[1]->z0, 4);
    EXPECT_EQ(segs[2]->x1, 0);
    EXPECT_EQ(segs[2]->jump, 0);
    EXPECT_TRUE(wellLinked(v->segs));

    ChainOwner<Seg> one(newLine(1, 2, 3, 4));
    one.get()->z0 = 0.5;
    Seg* same = reverseChain(one.get());
    EXPECT_EQ(same, one.get());
    EXPECT_EQ(same->x0, 3);
    EXPECT_EQ(same->y1, 2);
    EXPECT_EQ(same->z0, 0.5);
}

TEST(Rings, WalkStopsAtTheFirstOrANullNextAndToleratesDeletingTheVisited) {
    Vect* v = polyline({{0, 0}, {1, 0}, {2, 0}, {3, 0}});
    ChainOwner<Vect> own(v);
    int n = 0;
    for (Seg* s : ring(v->segs))
        n += s ? 1 : 0;
    EXPECT_EQ(n, 3);
    for (Seg* s : ring(v->segs))
        if (s->x0 == 1) eraseFrom(v->segs, s);
    EXPECT_EQ(ringCount(v->segs), 2);
    for (Seg* s : ring(v->segs))
        eraseFrom(v->segs, s);
    EXPECT_EQ(v->segs, nullptr);
    Vect* open = polyline({{0, 0}, {1, 0}, {2, 0}});
    ChainOwner<Vect> own2(open);
    open->segs->prev->next = nullptr;  // cut for a walk
    n = 0;
    for (Seg* s : ring(open->segs))
        n += s ? 1 : 0;
    EXPECT_EQ(n, 2);
    open->segs->prev->next = open->segs;
}

TEST(Reverse, OpenArcsSwapEndsClosedCirclesOnlyTheirCorners) {
    ChainOwner<Vect> a(arc(0, 0, 1, 0.5, 1.0));
    ASSERT_TRUE(reverseVect(*a.get()));
    EXPECT_DOUBLE_EQ(a.get()->segs->z0, 1.5);
    EXPECT_DOUBLE_EQ(a.get()->segs->z1, -1.0);
    ChainOwner<Vect> b(arc(0, 0, 1, 6.0, 1.0));
    reverseVect(*b.get());
    EXPECT_NEAR(b.get()->segs->z0, 7.0 - kTwoPi, 1e-12);
    ChainOwner<Vect> c(circle(0, 0, 1));
    reverseVect(*c.get());
    EXPECT_EQ(c.get()->segs->z0, 0);
    EXPECT_EQ(c.get()->segs->z1, 0);
    EXPECT_GT(c.get()->segs->x0, c.get()->segs->x1);
    ChainOwner<Vect> p(newVect());
    p.get()->type = LINTREL_POINT;
    EXPECT_FALSE(reverseVect(*p.get()));
    EXPECT_EQ(wrapAngle(-1e300) >= 0 && wrapAngle(-1e300) <= kTwoPi, true);
}
