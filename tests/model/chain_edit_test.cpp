// Working-chain edits: the start point of a closed outline moves to a picked point, cuts on
// straight runs fold away, and arcs keep their definition.
#include <gtest/gtest.h>

#include <random>

#include "curves/flatten.h"
#include "model/chain_edit.h"
#include "model/geometry.h"
#include "model/items.h"
#include "optimise/reference_cleanup.h"
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

// Chains full of joints near the angle tolerance: turns of 0, 1e-4 and 2e-4 either side of
// straight, runs snapped to an axis (less than 1e-4 across), zero-length segs, reversals and
// gaps. Folding must match measuring every angle, joint for joint.
TEST(FoldCollinearJoints, MatchesMeasuringEveryAngle) {
    std::mt19937_64 rng(7);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<uint64_t>(n)); };
    const double turns[] = {0, 1e-4, -1e-4, 0.99999e-4, 1.00001e-4, 2e-4, -2.00001e-4, 1e-3, 1.5};
    int folds = 0;
    for (int chain = 0; chain < 3000; ++chain) {
        Point at{static_cast<double>(pick(5)) - 2, static_cast<double>(pick(5)) - 2};
        double heading = pick(4) * kHalfPi + (pick(2) ? 0.3 : 0);
        std::vector<Point> points{at};
        for (int k = 1 + pick(12); k > 0; --k) {
            switch (pick(6)) {
                case 0:  // snapped: nearly vertical, less than the tolerance across
                    at.x += (pick(3) - 1) * 0.5e-4;
                    at.y += pick(2) ? 1e-4 * (1 + pick(3)) : -0.5;
                    break;
                case 1:  // no length
                    break;
                default: {
                    heading += turns[pick(std::size(turns))];
                    const double length = pick(2) ? 1.0 : 1e-3;
                    at.x += length * std::cos(heading);
                    at.y += length * std::sin(heading);
                }
            }
            points.push_back(at);
        }
        ChainOwner<Vect> fast(polylineOf(points)), literal(polylineOf(points));
        if (pick(4) == 0) {  // a gap just inside or outside the point tolerance
            Seg* s = fast.get()->segs->prev;
            const double by = pick(2) ? 0.9e-4 : 1.1e-4;
            s->x0 += by;
            literal.get()->segs->prev->x0 += by;
        }
        const int folded = foldCollinearJoints(fast.get()->segs);
        ASSERT_EQ(folded, referenceFoldCollinearJoints(literal.get()->segs)) << "chain " << chain;
        const auto a = segsOf(fast.get()->segs), b = segsOf(literal.get()->segs);
        ASSERT_EQ(a.size(), b.size());
        for (size_t i = 0; i < a.size(); ++i) {
            ASSERT_EQ(a[i]->x0, b[i]->x0);
            ASSERT_EQ(a[i]->y0, b[i]->y0);
            ASSERT_EQ(a[i]->x1, b[i]->x1);
            ASSERT_EQ(a[i]->y1, b[i]->y1);
        }
        folds += folded;
    }
    EXPECT_GT(folds, 1000);  // the chains do fold, often
}
