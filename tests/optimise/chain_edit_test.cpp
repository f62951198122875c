// Working-chain edits: the start point of a closed outline moves to a picked point, cuts on
// straight runs fold away, and arcs keep their definition.
#include <gtest/gtest.h>

#include "curves/flatten.h"
#include "optimise/chain_edit.h"
#include "support/builders.h"

using namespace lintrel;
using namespace lintrel::test;

namespace {

Vect* square() {
    return polyline({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}, true);
}

}  // namespace

TEST(MoveStartPoint, MidEdgeCutBecomesTheHeadAndTheOldStartFolds) {
    // Start the square in the middle of its bottom edge so the old start lies on a straight run.
    ChainOwner<Vect> v(polyline({{5, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}, {5, 0}}, true));
    ASSERT_TRUE(moveStartPoint(*v.get(), {10.05, 4}, 0.1, true));
    const auto segs = segsOf(v.get()->segs);
    ASSERT_EQ(segs.size(), 5u);  // cut at (10, 4) adds one, the joint at (5, 0) folds away
    EXPECT_EQ(segs[0]->x0, 10);
    EXPECT_EQ(segs[0]->y0, 4);
    EXPECT_EQ(segs.back()->x1, 10);
    EXPECT_EQ(segs.back()->y1, 4);
    EXPECT_TRUE(continuous(v.get()->segs));
    EXPECT_TRUE(wellLinked(v.get()->segs));
    bool bottomWhole = false;
    for (Seg* s : segs)
        bottomWhole |= s->x0 == 0 && s->y0 == 0 && s->x1 == 10 && s->y1 == 0;
    EXPECT_TRUE(bottomWhole);
}

TEST(MoveStartPoint, AtACornerOnlyTheHeadMoves) {
    ChainOwner<Vect> v(square());
    ASSERT_TRUE(moveStartPoint(*v.get(), {10, 10.01}, 0.1, true));
    EXPECT_EQ(ringCount(v.get()->segs), 4);
    EXPECT_EQ(v.get()->segs->x0, 10);
    EXPECT_EQ(v.get()->segs->y0, 10);
}

TEST(MoveStartPoint, MissAndHitTestChangeNothing) {
    ChainOwner<Vect> v(square());
    Seg* head = v.get()->segs;
    EXPECT_FALSE(moveStartPoint(*v.get(), {5, 5}, 0.1, true));
    EXPECT_TRUE(moveStartPoint(*v.get(), {5, 0.05}, 0.1, false));
    EXPECT_EQ(v.get()->segs, head);
    EXPECT_EQ(ringCount(head), 4);
}

TEST(MoveStartPoint, ArcsKeepTheirDefinitionAndTurnTheirStartAngle) {
    ChainOwner<Vect> c(circle(0, 0, 10));
    ASSERT_TRUE(buildFlatSegs(c.get(), 0.05));
    ASSERT_TRUE(moveStartPoint(*c.get(), {0, -10}, 0.1, true));
    EXPECT_EQ(c.get()->type, LINTREL_ARC);
    EXPECT_EQ(ringCount(c.get()->segs), 1);
    EXPECT_NEAR(c.get()->segs->z0, kTwoPi + kHalfPi, 1e-6);  // 2pi - atan2(-10, 0)
    EXPECT_NEAR(c.get()->flatSegs->x0, 0, 1e-4);
    EXPECT_NEAR(c.get()->flatSegs->y0, -10, 1e-4);
}

TEST(MoveStartPoint, CurvesTakeTheirFlattenedCopy) {
    ChainOwner<Vect> s(controlPolygon(
        LINTREL_BEZIER, {{0, 0}, {0, 10}, {10, 10}, {10, 0}, {10, -10}, {0, -10}, {0, 0}}));
    s.get()->closed = 1;
    ASSERT_TRUE(buildFlatSegs(s.get(), 0.05));
    const int flat = ringCount(s.get()->flatSegs);
    ASSERT_TRUE(moveStartPoint(*s.get(), {5, 7.5}, 0.05, true));
    EXPECT_EQ(s.get()->type, LINTREL_POLYLINE);
    EXPECT_EQ(s.get()->flatSegs, nullptr);
    EXPECT_GE(ringCount(s.get()->segs), flat - 1);
    EXPECT_NEAR(s.get()->segs->x0, 5, 0.1);
    EXPECT_NEAR(s.get()->segs->y0, 7.5, 0.1);
}

TEST(FoldCollinearJoints, OnlyStraightContinuousJointsFold) {
    ChainOwner<Vect> v(polyline({{0, 0}, {1, 0}, {2, 0}, {2, 1}, {2, 2}, {3, 3}}));
    append(v.get()->segs, newLine(4, 4, 5, 5));  // a gap: same direction but not continuous
    EXPECT_EQ(foldCollinearJoints(v.get()->segs), 2);
    const auto segs = segsOf(v.get()->segs);
    ASSERT_EQ(segs.size(), 4u);
    EXPECT_EQ(segs[0]->x1, 2);
    EXPECT_EQ(segs[1]->y1, 2);
    EXPECT_EQ(segs[3]->x0, 4);
}
