// Start points and directions: the sharpest corner, the point nearest the previous end, outer
// shapes clockwise with holes counter-clockwise and the reverse, by group and selection.
#include <gtest/gtest.h>

#include "cutting/cutting_drawings.h"

namespace lintrel::test {
namespace {

double signedAreaOf(const Vect& v) {
    const std::vector<Point> p = chainPoints(v);
    double twice = 0;
    for (size_t k = 1; k < p.size(); ++k)
        twice += p[k - 1].x * p[k].y - p[k].x * p[k - 1].y;
    return twice / 2;
}

TEST(StartPoints, MoveToTheSharpestCornerOrNearestThePreviousEnd) {
    // A thin triangle entered mid-edge: its sharpest corner is the tip at (40, 5).
    ChainOwner<VectGroup> drawing(
        groupOf({polylineOf({{20, 0}, {40, 5}, {0, 10}, {0, 0}, {20, 0}}, true),
                 rectangle(100, -20, 10, 30), circle(200, 0, 5)}));
    ASSERT_EQ(Lintrel_SetStartPoints(drawing.get(), -1, LINTREL_START_CORNER, 0.01, 0), LINTREL_OK);
    const std::vector<Vect*> v = vectsOf(drawing.get());
    EXPECT_TRUE(samePoint(chainPoints(*v[0]).front(), {40, 5}));
    EXPECT_TRUE(samePoint(chainPoints(*v[0]).back(), {40, 5}));
    // Every corner of the square turns alike: the first stays; a circle has none.
    EXPECT_TRUE(samePoint(chainPoints(*v[1]).front(), {100, -20}));
    EXPECT_EQ(v[2]->type, LINTREL_ARC);

    // Nearest: the triangle to the origin, the rectangle to where the triangle now ends.
    ASSERT_EQ(Lintrel_SetStartPoints(drawing.get(), -1, LINTREL_START_NEAREST, 0.01, 0),
              LINTREL_OK);
    EXPECT_TRUE(samePoint(chainPoints(*v[0]).front(), {0, 0}));
    EXPECT_TRUE(samePoint(chainPoints(*v[1]).front(), {100, 0}));
    EXPECT_TRUE(samePoint(chainPoints(*v[1]).back(), {100, 0}));
    EXPECT_EQ(Lintrel_SetStartPoints(drawing.get(), -1, LINTREL_START_AS_DRAWN, 0.01, 0),
              LINTREL_NOTHING_TO_DO);
    EXPECT_EQ(Lintrel_SetStartPoints(drawing.get(), -1, 3, 0.01, 0), LINTREL_BAD_ARGUMENT);
}

TEST(Directions, OuterShapesOneWayAndHolesTheOther) {
    ChainOwner<VectGroup> drawing(groupOf({rectangle(0, 0, 40, 40), rectangle(10, 10, 5, 5),
                                           circle(30, 30, 4), rectangle(50, 0, 5, 5)},
                                          1));
    drawing.append(groupOf({rectangle(28, 28, 4, 4, true)}, 2));  // a part in the round hole
    ASSERT_EQ(Lintrel_SetCutDirection(drawing.get(), -1, LINTREL_DIRECTION_OUTER_CW, 0.01, 0),
              LINTREL_OK);
    const std::vector<Vect*> v = vectsOf(drawing.get());
    const std::vector<bool> clockwise{true, false, false, true, true};
    for (size_t k = 0; k < v.size(); ++k)
        EXPECT_EQ(signedAreaOf(*v[k]) < 0, clockwise[k]) << k;
    EXPECT_EQ(Lintrel_SetCutDirection(drawing.get(), -1, LINTREL_DIRECTION_OUTER_CW, 0.01, 0),
              LINTREL_NOTHING_TO_DO);
    // The reverse, for group 2 only; and for the selected vects of group 1.
    ASSERT_EQ(Lintrel_SetCutDirection(drawing.get(), 2, LINTREL_DIRECTION_OUTER_CCW, 0.01, 0),
              LINTREL_OK);
    EXPECT_GT(signedAreaOf(*v[4]), 0);
    EXPECT_LT(signedAreaOf(*v[0]), 0);
    v[1]->selected = 1;
    ASSERT_EQ(Lintrel_SetCutDirection(drawing.get(), 1, LINTREL_DIRECTION_OUTER_CCW, 0.01, 1),
              LINTREL_OK);
    EXPECT_LT(signedAreaOf(*v[1]), 0);
    EXPECT_LT(signedAreaOf(*v[0]), 0);
    EXPECT_EQ(Lintrel_SetCutDirection(nullptr, -1, 1, 0.01, 0), LINTREL_BAD_ARGUMENT);
}

}  // namespace
}  // namespace lintrel::test
