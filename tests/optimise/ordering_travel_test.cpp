// The travel measure and the start point optimisation of closed outlines.
#include <gtest/gtest.h>

#include "model/geometry.h"
#include "model/items.h"
#include "optimise/ordering.h"
#include "optimise/ordering_random.h"
#include "optimise/travel.h"
#include "support/builders.h"

using namespace lintrel;
using namespace lintrel::test;

TEST(Travel, MeasuresFromTheOriginThroughEveryVectAndBack) {
    ChainOwner<Vect> list(polyline({{1, 0}, {2, 0}}));
    list.append(newVect());  // no segs: passed over
    list.append(polyline({{2, 3}, {5, 3}}));
    EXPECT_DOUBLE_EQ(travelDistance(list.get()), 1 + 3 + std::sqrt(34.0));
    // Across groups the tool goes on from the last vect of the previous group.
    ChainOwner<VectGroup> groups(groupOf({polyline({{1, 0}, {2, 0}})}));
    groups.append(groupOf({polyline({{2, 3}, {5, 3}})}));
    EXPECT_DOUBLE_EQ(travelDistance(groups.get()), 1 + 3 + std::sqrt(34.0));
    EXPECT_EQ(travelDistance(nullptr), 0);
}

TEST(OptimizeAbs, EntersAnOutlineWhereThePathCrossesIt) {
    Vect* square = polyline({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}, true);
    ChainOwner<VectGroup> groups(
        groupOf({polyline({{-20, 5}, {-15, 5}}), square, polyline({{30, 5}, {35, 5}})}));
    EXPECT_EQ(Lintrel_OptimizeAbs(groups.get(), 0.05, 0), 0);
    // The path from (-15, 5) to (30, 5) first meets the chain on its right edge.
    EXPECT_EQ(startOf(square).x, 10);
    EXPECT_EQ(startOf(square).y, 5);
    EXPECT_TRUE(continuous(square->segs));
    Point end;
    vectEndPoint(*square, end);
    EXPECT_EQ(end.x, 10);
    EXPECT_EQ(end.y, 5);
    const double before = travelDistance(groups.get());
    // Nothing left to gain: the second pass changes nothing.
    EXPECT_EQ(Lintrel_OptimizeAbs(groups.get(), 0.05, 0), 100);
    EXPECT_EQ(travelDistance(groups.get()), before);
}

TEST(OptimizeAbs, OtherwiseTakesTheCheapestCandidate) {
    // From the origin and back to it: the corner nearest the origin is the cheapest entry.
    Vect* square = polyline({{15, 15}, {5, 15}, {5, 5}, {15, 5}, {15, 15}}, true);
    ChainOwner<VectGroup> groups(groupOf({square}));
    const double before = travelDistance(groups.get());
    EXPECT_EQ(Lintrel_OptimizeAbs(groups.get(), 0.05, 0), 0);
    EXPECT_EQ(startOf(square).x, 5);
    EXPECT_EQ(startOf(square).y, 5);
    EXPECT_LT(travelDistance(groups.get()), before - 10);
}

TEST(OptimizeAbs, LeavesWhatItMustNotTreatButStillFlattensCurves) {
    Vect* open = polyline({{15, 15}, {5, 15}, {5, 5}});
    Vect* unselected = polyline({{15, 15}, {5, 15}, {5, 5}, {15, 5}, {15, 15}}, true);
    Vect* openArc = arc(40, 40, 5, 0, kPi / 2);
    openArc->selected = 1;
    ChainOwner<VectGroup> groups(groupOf({open, unselected, openArc}));
    EXPECT_EQ(Lintrel_OptimizeAbs(groups.get(), 0.05, 1), 0);  // the arc was flattened
    EXPECT_NE(openArc->flatSegs, nullptr);
    EXPECT_EQ(startOf(unselected).x, 15);
    EXPECT_EQ(startOf(open).x, 15);
    EXPECT_EQ(Lintrel_OptimizeAbs(groups.get(), 0.05, 1), 100);

    ChainOwner<Vect> vects(polyline({{0, 0}, {1, 1}}));
    EXPECT_EQ(Lintrel_OptimizeAbs(reinterpret_cast<VectGroup*>(vects.get()), 0.05, 0), 21000);
    EXPECT_EQ(Lintrel_OptimizeAbs(nullptr, 0.05, 0), 21000);
    EXPECT_EQ(Lintrel_OptimizeAbs(groups.get(), NAN, 0), 21000);
}
