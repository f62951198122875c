// Clean-up behaviour through the exports: tiny shapes, duplicates, merging, split, start
// point, reverse and the closed test, on vect lists, group lists and the array chain.
#include <gtest/gtest.h>

#include "array/array_chain.h"
#include "curves/flatten.h"
#include "model/geometry.h"
#include "model/items.h"
#include "support/builders.h"

using namespace lintrel;
using namespace lintrel::test;

namespace {

Vect* line(double x0, double y0, double x1, double y1) {
    return polyline({{x0, y0}, {x1, y1}});
}

Point startOf(const Vect* v) {
    return segStart(*v->segs);
}
Point endOf(const Vect* v) {
    return segEnd(*v->segs->prev);
}

}  // namespace

TEST(DelLitSeg, LimitsAreRaisedAndTheComparisonIsStrict) {
    void* list = nullptr;
    Vect* head = polyline({{0, 0}, {0.4, 0.4}});   // tiny under the raised limit
    append(head, polyline({{0, 0}, {0.5, 0.1}}));  // exactly 0.5 wide: stays
    append(head, polyline({{5, 5}, {5.2, 5.3}}));  // tiny
    append(head, polyline({{0, 0}, {0.3, 0.2}}));  // tiny but not selected
    head->selected = head->next->next->selected = 1;
    list = head;
    EXPECT_EQ(Lintrel_DelLitSeg(&list, 0.1, 0.1, 0), LINTREL_OK);
    ChainOwner<Vect> rest(static_cast<Vect*>(list));
    ASSERT_EQ(ringCount(rest.get()), 1);  // the first vect went: the pointer moved
    EXPECT_EQ(rest.get()->segs->x1, 0.5);
    EXPECT_EQ(Lintrel_DelLitSeg(&list, 0.1, 0.1, 0), LINTREL_NOTHING_TO_DO);

    // Under selectedOnly the unselected tiny vect stays.
    list = nullptr;
    head = polyline({{0, 0}, {0.3, 0.2}});
    append(head, polyline({{0, 0}, {0.1, 0.2}}));
    head->next->selected = 1;
    list = head;
    EXPECT_EQ(Lintrel_DelLitSeg(&list, 0, 0, 1), LINTREL_OK);
    ChainOwner<Vect> kept(static_cast<Vect*>(list));
    EXPECT_EQ(ringCount(kept.get()), 1);
    EXPECT_EQ(kept.get(), head);
}

TEST(DelLitSeg, EmptiedGroupsGoAndTheLastOneClearsThePointer) {
    VectGroup* groups = groupOf({polyline({{0, 0}, {0.1, 0}}), circle(0, 0, 0.2)}, 1);
    append(groups, groupOf({polyline({{0, 0}, {10, 0}})}, 2));
    void* list = groups;
    EXPECT_EQ(Lintrel_DelLitSeg(&list, 0, 0, 0), LINTREL_OK);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(static_cast<VectGroup*>(list)->number, 2);  // moved to the surviving group
    EXPECT_EQ(ringCount(static_cast<VectGroup*>(list)), 1);
    EXPECT_EQ(Lintrel_DelLitSeg(&list, 20, 20, 0), LINTREL_OK);
    EXPECT_EQ(list, nullptr);

    // An arc is measured by its whole circle, not by the piece it draws.
    Vect* quarter = arc(0, 0, 1, 0, kHalfPi);
    list = quarter;
    EXPECT_EQ(Lintrel_DelLitSeg(&list, 1.9, 1.9, 0), LINTREL_NOTHING_TO_DO);
    deleteVectChain(quarter);
}

TEST(DelLitSeg, BadListsAreRefused) {
    void* list = nullptr;
    EXPECT_EQ(Lintrel_DelLitSeg(nullptr, 1, 1, 0), LINTREL_BAD_ARGUMENT);
    EXPECT_EQ(Lintrel_DelLitSeg(&list, 1, 1, 0), LINTREL_BAD_ARGUMENT);
    ChainOwner<Seg> seg(newLine(0, 0, 0.1, 0.1));
    list = seg.get();
    EXPECT_EQ(Lintrel_DelLitSeg(&list, 1, 1, 0), LINTREL_BAD_ARGUMENT);
    EXPECT_EQ(list, seg.get());
}

TEST(DelSameSeg, TheLaterOfTwoSameVectsGoes) {
    ChainOwner<Vect> list(polyline({{0, 0}, {5, 0}, {5, 5}}));
    list.append(polyline({{5, 5}, {5, 0}, {0, 0}}));            // reversed duplicate
    list.append(polyline({{0.0009, 0}, {5, 0}, {5, 5.0009}}));  // within 0.001
    list.append(polyline({{0.0011, 0}, {5, 0}, {5, 5}}));       // just outside
    list.append(polyline({{0, 0}, {5, 0}}));                    // fewer segs
    Vect* keep = list.get();
    EXPECT_EQ(Lintrel_DelSameSeg(list.get(), 0), LINTREL_OK);
    const auto left = vectsOf(list.get());
    ASSERT_EQ(left.size(), 3u);
    EXPECT_EQ(left[0], keep);
    EXPECT_EQ(left[1]->segs->x0, 0.0011);
    EXPECT_EQ(Lintrel_DelSameSeg(list.get(), 0), LINTREL_NOTHING_TO_DO);
}

TEST(DelSameSeg, ArcsPointsAndCurveCopies) {
    ChainOwner<Vect> list(arc(0, 0, 2, 0, kHalfPi));
    list.append(arc(0, 0, 2, kHalfPi, -kHalfPi));  // same quarter, drawn the other way
    list.append(arc(0, 0, 2, 0, kPi));             // same start, other sweep
    list.append(circle(0, 0, 2));
    list.append(circle(0, 0.00005, 2));
    Vect* ellipse = arc(9, 9, 1, 0, 0);
    ellipse->type = LINTREL_ELLIPSE;
    list.append(ellipse);
    list.append(copyVect(ellipse));  // ellipses are never taken for duplicates
    EXPECT_EQ(Lintrel_DelSameSeg(list.get(), 0), LINTREL_OK);
    const auto left = vectsOf(list.get());
    ASSERT_EQ(left.size(), 5u);
    EXPECT_EQ(left[1]->segs->z1, kPi);
    EXPECT_EQ(left[3]->type, LINTREL_ELLIPSE);

    // A flattened copy on one of two equal splines makes them differ.
    ChainOwner<Vect> curves(controlPolygon(LINTREL_BEZIER, {{0, 0}, {1, 1}, {2, 1}, {3, 0}}));
    curves.append(copyVect(curves.get()));
    buildFlatSegs(curves.get()->next, 0.05);
    EXPECT_EQ(Lintrel_DelSameSeg(curves.get(), 0), LINTREL_NOTHING_TO_DO);
}

TEST(DelSameSeg, GroupsAreSearchedSeparately) {
    ChainOwner<VectGroup> groups(groupOf({line(0, 0, 1, 1)}, 1));
    groups.append(groupOf({line(0, 0, 1, 1), line(1, 1, 0, 0)}, 2));
    EXPECT_EQ(Lintrel_DelSameSeg(groups.get(), 0), LINTREL_OK);
    EXPECT_EQ(ringCount(groups.get()->vects), 1);
    EXPECT_EQ(ringCount(groups.get()->next->vects), 1);
    EXPECT_EQ(Lintrel_DelSameSeg(nullptr, 0), LINTREL_BAD_ARGUMENT);
}

TEST(MergeSeg, CoincidingStartsJoinWithTheSecondReversedFirst) {
    ChainOwner<Vect> list(line(0, 0, 10, 0));
    list.append(line(0.05, 0, 0, 8));
    EXPECT_EQ(Lintrel_MergeSeg(list.get(), 0.1, 0), LINTREL_OK);
    ASSERT_EQ(ringCount(list.get()), 1);
    const auto segs = segsOf(list.get()->segs);
    ASSERT_EQ(segs.size(), 2u);
    EXPECT_EQ(segs[0]->x0, 0);
    EXPECT_EQ(segs[0]->y0, 8);
    EXPECT_EQ(segs[0]->x1, 0);  // moved exactly onto the first line's start
    EXPECT_EQ(segs[1]->x1, 10);
    EXPECT_EQ(list.get()->closed, 0);
}

TEST(MergeSeg, RectangleSidesCloseAndSelectedOnesLoseTheirJoints) {
    for (const int selected : {0, 1}) {
        // Each side in two halves, out of order and some reversed.
        ChainOwner<Vect> list(line(0, 0, 5, 0));
        list.append(line(10, 10, 10, 5));
        list.append(line(0, 10, 0, 5));
        list.append(line(5, 0, 10, 0));
        list.append(line(5, 10, 10, 10));
        list.append(line(10, 0, 10, 5));
        list.append(line(0, 10, 5, 10));
        list.append(line(0, 5, 0, 0));
        for (Vect* v : ring(list.get()))
            v->selected = static_cast<uint8_t>(selected);
        EXPECT_EQ(Lintrel_MergeSeg(list.get(), 0.01, 0), LINTREL_OK);
        ASSERT_EQ(ringCount(list.get()), 1);
        EXPECT_EQ(list.get()->closed, 1);
        EXPECT_EQ(list.get()->type, LINTREL_POLYLINE);
        EXPECT_TRUE(continuous(list.get()->segs));
        EXPECT_EQ(ringCount(list.get()->segs), selected ? 4 : 8);
    }
}

TEST(MergeSeg, CompoundsEllipsesAndFarEndsStayApart) {
    ChainOwner<Vect> list(line(0, 0, 10, 0));
    list.append(line(10, 0, 20, 0));
    list.get()->next->link = list.get();
    list.append(line(0, 0.2, 0, 5));  // 0.2 away: outside the tolerance
    Vect* ellipse = arc(10, 1, 1, 0, 1);
    ellipse->type = LINTREL_ELLIPSE;
    list.append(ellipse);
    EXPECT_EQ(Lintrel_MergeSeg(list.get(), 0.1, 0), LINTREL_NOTHING_TO_DO);
    EXPECT_EQ(ringCount(list.get()), 4);
}

TEST(MergeSeg, ArcsAreFlattenedAndJoined) {
    ChainOwner<Vect> list(line(-5, 0, 2, 0));
    list.append(arc(0, 0, 2, 0, kPi));  // starts at (2, 0), runs clockwise to (-2, 0)
    EXPECT_EQ(Lintrel_MergeSeg(list.get(), 0.01, 0), LINTREL_OK);
    ASSERT_EQ(ringCount(list.get()), 1);
    EXPECT_EQ(list.get()->type, LINTREL_POLYLINE);
    EXPECT_GT(ringCount(list.get()->segs), 8);
    EXPECT_TRUE(continuous(list.get()->segs));
    EXPECT_NEAR(endOf(list.get()).x, -2, 1e-6);
}

TEST(SplitVect, CutsTheFirstVectUnderThePoint) {
    ChainOwner<Vect> list(polyline({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}, true));
    list.get()->speed = 55;
    list.append(line(0, 50, 10, 50));
    EXPECT_EQ(Lintrel_SplitVect(list.get(), 4, 0.05, 0.1, 0), LINTREL_OK);  // hit test only
    EXPECT_EQ(ringCount(list.get()), 2);
    EXPECT_EQ(Lintrel_SplitVect(list.get(), 4, 0.05, 0.1, 1), LINTREL_OK);
    const auto vects = vectsOf(list.get());
    ASSERT_EQ(vects.size(), 3u);
    EXPECT_EQ(vects[0]->closed, 0);
    EXPECT_EQ(vects[1]->closed, 0);
    EXPECT_EQ(vects[1]->speed, 55);
    EXPECT_EQ(endOf(vects[0]).x, 4);
    EXPECT_EQ(startOf(vects[1]).x, 4);
    EXPECT_EQ(endOf(vects[1]).x, 0);  // the old start point
    EXPECT_EQ(ringCount(vects[0]->segs) + ringCount(vects[1]->segs), 5);
    EXPECT_EQ(Lintrel_SplitVect(list.get(), 40, 40, 0.1, 1), LINTREL_NOTHING_TO_DO);
}

TEST(SplitVect, TheVeryEndsOfAChainAreNoCut) {
    ChainOwner<Vect> list(polyline({{0, 0}, {10, 0}, {10, 10}}, true));
    EXPECT_EQ(Lintrel_SplitVect(list.get(), 10, 10.05, 0.1, 1), LINTREL_NOTHING_TO_DO);
    EXPECT_EQ(Lintrel_SplitVect(list.get(), -0.05, 0, 0.1, 1), LINTREL_NOTHING_TO_DO);
    EXPECT_EQ(ringCount(list.get()), 1);
    EXPECT_EQ(ringCount(list.get()->segs), 2);
    EXPECT_EQ(list.get()->closed, 1);

    // A curve has by then become the polyline of its flattened copy.
    // Just inside the arc's span, within 1e-4 of its end.
    ChainOwner<Vect> curve(arc(0, 0, 5, 0.5, 1.0));
    const double angle = kTwoPi - 1.5 + 1e-6;
    EXPECT_EQ(Lintrel_SplitVect(curve.get(), 5 * std::cos(angle), 5 * std::sin(angle), 0.01, 1),
              LINTREL_NOTHING_TO_DO);
    EXPECT_EQ(curve.get()->type, LINTREL_POLYLINE);
    EXPECT_EQ(curve.get()->flatSegs, nullptr);
}

TEST(SplitVect, MissesAndHitTestsLeaveCurvesAlone) {
    ChainOwner<Vect> list(controlPolygon(LINTREL_SPLINE, {{0, 0}, {5, 3}, {10, 0}}));
    list.append(arc(20, 0, 5, 0, kHalfPi));  // covers the lower right quarter
    list.get()->next->link = nullptr;
    EXPECT_EQ(Lintrel_SplitVect(list.get(), 20, 5, 0.1, 1), LINTREL_NOTHING_TO_DO);
    EXPECT_EQ(Lintrel_SplitVect(list.get(), 25, 0, 0.1, 0), LINTREL_OK);
    for (const Vect* v : ring(list.get()))
        EXPECT_EQ(v->flatSegs, nullptr);
    EXPECT_EQ(list.get()->type, LINTREL_SPLINE);
    EXPECT_EQ(list.get()->next->type, LINTREL_ARC);
}

TEST(ChangStartPt, OnlyClosedVectsVisitedFromTheFirstBackwards) {
    ChainOwner<Vect> list(polyline({{0, 0}, {10, 0}}));  // open: never re-started
    list.append(polyline({{0, 0}, {10, 0}, {10, 10}, {0, 0}}, true));
    list.append(polyline({{0, 0}, {10, 0}, {10, -10}, {0, 0}}, true));
    EXPECT_EQ(Lintrel_ChangStartPt(list.get(), 5, 0, 0.1, 1), LINTREL_OK);
    const auto vects = vectsOf(list.get());
    EXPECT_EQ(startOf(vects[0]).x, 0);
    EXPECT_EQ(startOf(vects[1]).x, 0);  // the last vect is visited before the second
    EXPECT_EQ(startOf(vects[2]).x, 5);
    EXPECT_EQ(endOf(vects[2]).x, 5);
    EXPECT_EQ(ringCount(vects[2]->segs), 4);

    ChainOwner<Vect> open(polyline({{0, 0}, {10, 0}}));
    EXPECT_EQ(Lintrel_ChangStartPt(open.get(), 5, 0, 0.1, 1), LINTREL_NOTHING_TO_DO);
}

TEST(ChangStartPt, ACircleKeepsItsDefinitionAndTurnsItsStart) {
    ChainOwner<Vect> c(circle(0, 0, 5));
    EXPECT_EQ(Lintrel_ChangStartPt(c.get(), 0, 5.05, 0.1, 0), LINTREL_OK);
    EXPECT_EQ(c.get()->flatSegs, nullptr);
    EXPECT_EQ(Lintrel_ChangStartPt(c.get(), 0, 5.05, 0.1, 1), LINTREL_OK);
    EXPECT_EQ(c.get()->type, LINTREL_ARC);
    ASSERT_NE(c.get()->flatSegs, nullptr);
    EXPECT_NEAR(c.get()->segs->z0, kThreeHalfPi, 0.05);
    EXPECT_NEAR(c.get()->flatSegs->y0, 5, 0.05);  // on a chord of the flattened circle
}

TEST(Reverse, DirectionOfTravelOnly) {
    ChainOwner<Vect> list(circle(0, 0, 5));
    list.append(arc(0, 0, 5, 1.0, -2.0));
    list.append(polyline({{0, 0}, {1, 0}, {1, 1}}));
    list.append(polyline({{0, 0}, {0, 0}}));
    list.get()->prev->type = LINTREL_POINT;
    list.get()->prev->prev->selected = 1;
    EXPECT_EQ(Lintrel_Reverse(list.get(), 0), LINTREL_OK);
    const auto v = vectsOf(list.get());
    EXPECT_EQ(v[0]->segs->z0, 0);
    EXPECT_EQ(v[0]->segs->z1, 0);
    EXPECT_EQ(v[0]->segs->x0, 5);  // corners exchanged: the other way round
    EXPECT_NEAR(v[1]->segs->z0, kTwoPi - 1.0, 1e-12);
    EXPECT_EQ(v[1]->segs->z1, 2.0);
    EXPECT_EQ(startOf(v[2]).x, 1);
    EXPECT_EQ(startOf(v[2]).y, 1);

    // selectedOnly: only the selected polyline turns; a point alone changes nothing.
    EXPECT_EQ(Lintrel_Reverse(list.get(), 1), LINTREL_OK);
    EXPECT_EQ(startOf(v[2]).y, 0);
    ChainOwner<Vect> point(copyVect(v[3]));
    EXPECT_EQ(Lintrel_Reverse(point.get(), 0), LINTREL_NOTHING_TO_DO);
}

TEST(IfCloseVect, RecomputesOpenFlagsOnly) {
    ChainOwner<Vect> list(polyline({{0, 0}, {10, 0}, {0, 0.00005}}));
    list.append(polyline({{0, 0}, {10, 0}}, true));  // already closed: left alone
    list.append(arc(0, 0, 1, 0, 1));
    list.append(arc(0, 0, 1, 0, 0.00001));
    list.get()->prev->closed = 0;
    Vect* text = polyline({{0, 0}, {1, 0}});
    text->type = LINTREL_TEXT;
    list.append(text);
    EXPECT_EQ(Lintrel_IfCloseVect(list.get(), 0), LINTREL_OK);
    const auto v = vectsOf(list.get());
    EXPECT_EQ(v[0]->closed, 1);
    EXPECT_EQ(v[1]->closed, 1);
    EXPECT_EQ(v[2]->closed, 0);
    EXPECT_EQ(v[3]->closed, 1);
    EXPECT_EQ(v[4]->closed, 0);
}

TEST(ArrayTwins, WorkOnTheArrayChainAndFollowItsPointer) {
    ASSERT_EQ(arrayChain(), nullptr);
    EXPECT_EQ(VarnixCadArray_DelSameSeg(0), LINTREL_BAD_ARGUMENT);
    arrayChain() = groupOf({line(9, 9, 9.1, 9.1), line(0, 0, 5, 0), line(5, 0.005, 5, 5)});
    arrayChain()->vects->next->selected = 1;
    EXPECT_EQ(VarnixCadArray_MergeSeg(0.01, 0), LINTREL_OK);
    ASSERT_EQ(ringCount(arrayChain()->vects), 2);
    EXPECT_EQ(VarnixCadArray_Reverse(), LINTREL_OK);  // the selected one only
    EXPECT_EQ(startOf(arrayChain()->vects->next).x, 5);
    EXPECT_EQ(VarnixCadArray_DelLitSeg(0, 0, 0), LINTREL_OK);
    EXPECT_EQ(ringCount(arrayChain()->vects), 1);
    EXPECT_EQ(VarnixCadArray_DelLitSeg(100, 100, 0), LINTREL_OK);
    EXPECT_EQ(arrayChain(), nullptr);
}

TEST(GroupLists, PicksEndAtTheFirstGroupThatChanges) {
    // The same square in two groups: only the first group's copy is cut or re-started.
    ChainOwner<VectGroup> groups(newGroup());  // an empty group is passed over
    groups.append(groupOf({polyline({{0, 0}, {10, 0}, {10, 10}, {0, 0}}, true)}, 1));
    groups.append(groupOf({polyline({{0, 0}, {10, 0}, {10, 10}, {0, 0}}, true)}, 2));
    VectGroup* first = groups.get()->next;
    VectGroup* second = first->next;
    EXPECT_EQ(Lintrel_ChangStartPt(groups.get(), 5, 0, 0.1, 1), LINTREL_OK);
    EXPECT_EQ(startOf(first->vects).x, 5);
    EXPECT_EQ(startOf(second->vects).x, 0);
    EXPECT_EQ(Lintrel_SplitVect(groups.get(), 10, 5, 0.1, 1), LINTREL_OK);
    EXPECT_EQ(ringCount(first->vects), 2);
    EXPECT_EQ(ringCount(second->vects), 1);
    EXPECT_EQ(Lintrel_IfCloseVect(groups.get(), 0), LINTREL_OK);
    EXPECT_EQ(first->vects->closed, 0);  // the two pieces stay open
    EXPECT_EQ(Lintrel_SplitVect(groups.get(), 50, 50, 0.1, 1), LINTREL_NOTHING_TO_DO);
}
