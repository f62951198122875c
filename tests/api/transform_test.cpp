// Move, scale, rotate and range through the exports, in both forms, including the answers to
// bad arguments and to images.
#include <gtest/gtest.h>

#include "model/geometry.h"
#include "model/items.h"
#include "support/builders.h"

using namespace lintrel;
using namespace lintrel::test;

TEST(Move, BothChainsOfAVectMoveTogether) {
    ChainOwner<Vect> v(arc(0, 0, 5, 0.5, 1.0));
    v.get()->flatSegs = copySegChain(v.get()->segs);
    v.get()->speed = 77;
    ASSERT_EQ(VarnixCad3_MoveOne(v.get(), 2, -3), 0);
    EXPECT_EQ(v.get()->segs->x0, -3);
    EXPECT_EQ(v.get()->segs->y1, 2);
    EXPECT_EQ(v.get()->flatSegs->x0, -3);
    EXPECT_EQ(v.get()->flatSegs->y1, 2);
    EXPECT_EQ(v.get()->segs->z0, 0.5);  // third values are never touched
    EXPECT_EQ(v.get()->speed, 77);
}

TEST(Move, OneFormAndRingForm) {
    Vect* a = polyline({{0, 0}, {1, 0}});
    Vect* b = polyline({{0, 0}, {1, 0}});
    append(a, b);
    ChainOwner<Vect> own(a);
    VarnixCad3_MoveOne(a, 1, 0);
    EXPECT_EQ(a->segs->x0, 1);
    EXPECT_EQ(b->segs->x0, 0);
    VarnixCad3_Move(b, 1, 0);
    EXPECT_EQ(a->segs->x0, 2);
    EXPECT_EQ(b->segs->x0, 1);
}

TEST(Move, GraphMovesGroupsAndImages) {
    ChainOwner<Graph> graph(newGraph());
    graph.get()->groups = groupOf({polyline({{0, 0}, {1, 0}})});
    graph.get()->images = newImage();
    ASSERT_EQ(VarnixCad3_Move(graph.get(), 5, 6), 0);
    EXPECT_EQ(graph.get()->groups->vects->segs->x0, 5);
    EXPECT_EQ(graph.get()->images->x, 5);
    EXPECT_EQ(graph.get()->images->y, 6);
}

TEST(Scale, AboutAPointAndImagesThroughTheirFarCorner) {
    ChainOwner<Seg> s(newLine(2, 2, 4, 6));
    ASSERT_EQ(VarnixCad3_ScaleOne(s.get(), 2, 2, 2, 2), 0);
    EXPECT_EQ(s.get()->x0, 2);
    EXPECT_EQ(s.get()->y0, 2);
    EXPECT_EQ(s.get()->x1, 6);
    EXPECT_EQ(s.get()->y1, 10);

    ChainOwner<Image> image(newImage());
    image.get()->x = 1;
    image.get()->y = 1;
    image.get()->width = 2;
    image.get()->height = 4;
    ASSERT_EQ(VarnixCad3_Scale(image.get(), 3, 0.5f, 0, 0), 0);
    EXPECT_EQ(image.get()->x, 3);
    EXPECT_EQ(image.get()->width, 6);
    EXPECT_EQ(image.get()->y, 0.5);
    EXPECT_EQ(image.get()->height, 2);
}

TEST(Rotate, PositiveAnglesTurnClockwise) {
    ChainOwner<Seg> s(newLine(1, 0, 1, 0));
    ASSERT_EQ(VarnixCad3_RotateOne(s.get(), static_cast<float>(kHalfPi), 0, 0), 0);
    EXPECT_NEAR(s.get()->x0, 0, 1e-6);
    EXPECT_NEAR(s.get()->y0, -1, 1e-6);
}

TEST(Rotate, ArcsMoveTheirSquareAndStartAngle) {
    ChainOwner<Vect> a(arc(10, 0, 2, 0.5, 1.0));
    ASSERT_EQ(VarnixCad3_RotateOne(a.get(), 0.25f, 0, 0), 0);
    const Seg& d = *a.get()->segs;
    EXPECT_DOUBLE_EQ(d.z0, 0.75);
    EXPECT_DOUBLE_EQ(d.z1, 1.0);
    EXPECT_NEAR(d.x1 - d.x0, 4, 1e-9);
    EXPECT_NEAR(d.y1 - d.y0, 4, 1e-9);
    const ArcGeometry g = arcGeometry(d);
    EXPECT_NEAR(g.centre.x, 10 * std::cos(0.25), 1e-6);
    EXPECT_NEAR(g.centre.y, -10 * std::sin(0.25), 1e-6);

    ChainOwner<Vect> full(circle(0, 0, 1));
    VarnixCad3_RotateOne(full.get(), 1.0f, 5, 5);
    EXPECT_EQ(full.get()->segs->z0, 0);
}

TEST(Rotate, AReversedCircleKeepsItsDirection) {
    ChainOwner<Vect> c(circle(0, 0, 1));
    Seg& d = *c.get()->segs;
    std::swap(d.x0, d.x1);
    std::swap(d.y0, d.y1);  // corners exchanged: counter-clockwise travel
    VarnixCad3_RotateOne(c.get(), 0.3f, 2, 0);
    EXPECT_GT(d.x0, d.x1);
    EXPECT_GT(d.y0, d.y1);
}

TEST(Rotate, ImagesCannotBeRotatedButGraphsTurnTheirGroups) {
    ChainOwner<Image> image(newImage());
    EXPECT_EQ(VarnixCad3_RotateOne(image.get(), 1.0f, 0, 0), 21001);
    EXPECT_EQ(VarnixCad3_Rotate(image.get(), 1.0f, 0, 0), 21001);

    ChainOwner<Graph> graph(newGraph());
    graph.get()->groups = groupOf({polyline({{1, 0}, {2, 0}})});
    graph.get()->images = newImage();
    graph.get()->images->x = 1;
    ASSERT_EQ(VarnixCad3_RotateOne(graph.get(), static_cast<float>(kPi), 0, 0), 0);
    EXPECT_NEAR(graph.get()->groups->vects->segs->x0, -1, 1e-6);
    EXPECT_EQ(graph.get()->images->x, 1);
}

TEST(Transforms, BadItemsAnswer21000) {
    ChainOwner<Seg> s(newSeg());
    s.get()->type = 7000;
    EXPECT_EQ(VarnixCad3_MoveOne(nullptr, 1, 1), 21000);
    EXPECT_EQ(VarnixCad3_Move(s.get(), 1, 1), 21000);
    EXPECT_EQ(VarnixCad3_Scale(s.get(), 1, 1, 0, 0), 21000);
    EXPECT_EQ(VarnixCad3_Rotate(s.get(), 1, 0, 0), 21000);
    EXPECT_EQ(s.get()->x0, 0);
    s.get()->type = LINTREL_SEG;  // deletion, too, goes by the type code
}

TEST(Range, FullCircleIsItsBoundingSquare) {
    ChainOwner<Vect> c(circle(10, 10, 5));
    float x = 0, y = 0, w = 0, h = 0;
    ASSERT_EQ(VarnixCad3_GetRangeOne(c.get(), &x, &y, &w, &h, 0.05), 0);
    EXPECT_EQ(x, 5);
    EXPECT_EQ(y, 5);
    EXPECT_EQ(w, 10);
    EXPECT_EQ(h, 10);
}

TEST(Range, QuarterArcIsMeasuredOnItsFlattenedPoints) {
    // Start 0, sweep -pi/2: from (cx + r, cy) counter-clockwise to (cx, cy + r).
    ChainOwner<Vect> a(arc(0, 0, 10, 0, -kHalfPi));
    float x, y, w, h;
    ASSERT_EQ(VarnixCad3_GetRangeOne(a.get(), &x, &y, &w, &h, 0.05), 0);
    EXPECT_NEAR(x, 0, 1e-5);
    EXPECT_NEAR(y, 0, 1e-5);
    EXPECT_NEAR(w, 10, 1e-5);
    EXPECT_NEAR(h, 10, 1e-5);
    EXPECT_EQ(a.get()->type, LINTREL_ARC);  // measured on a copy
    EXPECT_EQ(a.get()->flatSegs, nullptr);
}

TEST(Range, GroupsUniteAndGraphsIncludeImages) {
    Vect* a = polyline({{0, 0}, {1, 1}});
    Vect* b = polyline({{5, -2}, {6, 3}});
    ChainOwner<Graph> graph(newGraph());
    graph.get()->groups = groupOf({a});
    append(graph.get()->groups, groupOf({b}));
    float x, y, w, h;
    ASSERT_EQ(VarnixCad3_GetRangeOne(graph.get()->groups, &x, &y, &w, &h, 0.05), 0);
    EXPECT_EQ(w, 1);
    ASSERT_EQ(VarnixCad3_GetRange(graph.get()->groups, &x, &y, &w, &h, 0.05), 0);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, -2);
    EXPECT_EQ(w, 6);
    EXPECT_EQ(h, 5);
    graph.get()->images = newImage();
    graph.get()->images->x = -4;
    graph.get()->images->y = 0;
    graph.get()->images->width = -3;  // counts as 0
    graph.get()->images->height = 10;
    ASSERT_EQ(VarnixCad3_GetRange(graph.get(), &x, &y, &w, &h, 0.05), 0);
    EXPECT_EQ(x, -4);
    EXPECT_EQ(w, 10);
    EXPECT_EQ(h, 12);
}

TEST(Range, EmptyGraphAndBadItemsLeaveTheOutputs) {
    ChainOwner<Graph> graph(newGraph());
    float x = 1, y = 2, w = 3, h = 4;
    EXPECT_EQ(VarnixCad3_GetRange(graph.get(), &x, &y, &w, &h, 0.05), 21003);
    EXPECT_EQ(VarnixCad3_GetRangeOne(nullptr, &x, &y, &w, &h, 0.05), 21000);
    EXPECT_EQ(x, 1);
    EXPECT_EQ(y, 2);
    EXPECT_EQ(w, 3);
    EXPECT_EQ(h, 4);
}
