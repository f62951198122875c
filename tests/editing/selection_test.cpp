// Selection: whole-list flags, click and box selection with compounds, the selection's range,
// group selection and moving the selection into a group, also on the array chain.
#include <gtest/gtest.h>

#include "array/array_chain.h"
#include "model/frame.h"
#include "model/geometry.h"
#include "model/items.h"
#include "support/builders.h"

using namespace lintrel;
using namespace lintrel::test;

namespace {

Vect* line(double x0, double y0, double x1, double y1) {
    return polyline({{x0, y0}, {x1, y1}});
}

std::vector<int> flags(Vect* head) {
    std::vector<int> out;
    for (const Vect* v : ring(head))
        out.push_back(v->selected);
    return out;
}

// Three lines at y = 0, 1, 2 forming one compound, then a lone line at y = 5.
Vect* compoundAndLine() {
    Vect* head = line(0, 0, 10, 0);
    append(head, line(0, 1, 10, 1));
    append(head, line(0, 2, 10, 2));
    append(head, line(0, 5, 10, 5));
    void* tag = head;
    head->link = head->next->link = head->next->next->link = tag;
    return head;
}

}  // namespace

TEST(Selection, ClearAllInvertAndCount) {
    ChainOwner<VectGroup> groups(groupOf({line(0, 0, 1, 0), line(0, 1, 1, 1)}, 1));
    groups.append(newGroup());  // an empty group changes nothing
    groups.append(groupOf({line(0, 2, 1, 2)}, 3));
    EXPECT_EQ(Lintrel_ClearSelect(groups.get()), LINTREL_NOTHING_TO_DO);
    EXPECT_EQ(Lintrel_SelectAll(groups.get()), LINTREL_OK);
    EXPECT_EQ(Lintrel_SelectAll(groups.get()), LINTREL_NOTHING_TO_DO);
    EXPECT_EQ(Lintrel_GetSelNum(groups.get()), 3);
    groups.get()->vects->selected = 0;
    EXPECT_EQ(Lintrel_SelectInvert(groups.get()), LINTREL_OK);
    EXPECT_EQ(Lintrel_GetSelNum(groups.get()), 1);
    EXPECT_EQ(Lintrel_GetSelNum(groups.get()->vects), 1);
    EXPECT_EQ(Lintrel_ClearSelect(groups.get()), LINTREL_OK);
    EXPECT_EQ(Lintrel_GetSelNum(groups.get()), 0);
}

TEST(Selection, BadItemsGiveTheErrorCode) {
    ChainOwner<Seg> seg(newLine(0, 0, 1, 1));
    frame::setLastError(0);
    EXPECT_EQ(Lintrel_GetSelNum(seg.get()), -1);
    EXPECT_EQ(VarnixCad3_GetLastError(), LINTREL_BAD_ARGUMENT);
    EXPECT_EQ(Lintrel_GetSelNum(nullptr), -1);
    EXPECT_EQ(Lintrel_SelectInvert(seg.get()), LINTREL_BAD_ARGUMENT);
    EXPECT_EQ(Lintrel_ClickSelect(seg.get(), 0, 0, 1, 0), LINTREL_BAD_ARGUMENT);
    EXPECT_EQ(Lintrel_BoxSelect(seg.get(), 0, 0, 0, 1, 0), LINTREL_BAD_ARGUMENT);
    float x, y, w, h;
    EXPECT_EQ(Lintrel_GetSelRange(seg.get(), &x, &y, &w, &h, 0.05), LINTREL_BAD_ARGUMENT);
    ChainOwner<Vect> v(line(0, 0, 1, 1));
    EXPECT_EQ(Lintrel_SelVectGroup(reinterpret_cast<VectGroup*>(v.get()), 1), LINTREL_BAD_ARGUMENT);
    EXPECT_EQ(Lintrel_ChangeVectGroup(nullptr, 1), LINTREL_BAD_ARGUMENT);
}

TEST(ClickSelect, FirstHitOnlyAndEmptySpaceClears) {
    ChainOwner<Vect> list(line(0, 0, 10, 0));
    list.append(line(0, 0.05, 10, 0.05));  // overlaps the first within the tolerance
    EXPECT_EQ(Lintrel_ClickSelect(list.get(), 5, 0, 0.1, 0), LINTREL_OK);
    EXPECT_EQ(flags(list.get()), (std::vector<int>{1, 0}));
    EXPECT_EQ(Lintrel_ClickSelect(list.get(), 50, 50, 0.1, 0), LINTREL_OK);
    EXPECT_EQ(flags(list.get()), (std::vector<int>{0, 0}));
    EXPECT_EQ(Lintrel_ClickSelect(list.get(), 50, 50, 0.1, 0), LINTREL_NOTHING_TO_DO);
    // Additive toggles the hit and leaves the rest; only the low byte counts.
    list.get()->next->selected = 1;
    EXPECT_EQ(Lintrel_ClickSelect(list.get(), 5, 0, 0.1, 0x100), LINTREL_OK);  // replaces
    EXPECT_EQ(flags(list.get()), (std::vector<int>{1, 0}));
    list.get()->next->selected = 1;
    EXPECT_EQ(Lintrel_ClickSelect(list.get(), 5, 0, 0.1, 1), LINTREL_OK);
    EXPECT_EQ(flags(list.get()), (std::vector<int>{0, 1}));
}

TEST(ClickSelect, CompoundsGoTogether) {
    ChainOwner<Vect> list(compoundAndLine());
    EXPECT_EQ(Lintrel_ClickSelect(list.get(), 5, 1, 0.1, 0), LINTREL_OK);
    EXPECT_EQ(flags(list.get()), (std::vector<int>{1, 1, 1, 0}));
    EXPECT_EQ(Lintrel_ClickSelect(list.get(), 5, 2, 0.1, 1), LINTREL_OK);
    EXPECT_EQ(flags(list.get()), (std::vector<int>{0, 0, 0, 0}));
}

TEST(ClickSelect, CirclesAndArcs) {
    ChainOwner<Vect> c(circle(0, 0, 10));
    EXPECT_EQ(Lintrel_ClickSelect(c.get(), 10.4, 0, 0.5, 0), LINTREL_OK);
    EXPECT_EQ(Lintrel_ClickSelect(c.get(), 0, 10.6, 0.5, 0), LINTREL_OK);  // cleared
    EXPECT_EQ(c.get()->selected, 0);
    EXPECT_EQ(Lintrel_ClickSelect(c.get(), 0, 0, 0.5, 0), LINTREL_NOTHING_TO_DO);
    // A stored start of 0 and sweep pi/2 covers the quarter below and right of the centre.
    ChainOwner<Vect> quarter(arc(0, 0, 10, 0, kHalfPi));
    EXPECT_EQ(Lintrel_ClickSelect(quarter.get(), 0, 10, 0.5, 0), LINTREL_NOTHING_TO_DO);
    EXPECT_EQ(Lintrel_ClickSelect(quarter.get(), 7.07, -7.07, 0.5, 0), LINTREL_OK);
    ChainOwner<Vect> bezier(controlPolygon(LINTREL_BEZIER, {{0, 0}, {0, 10}, {10, 10}, {10, 0}}));
    EXPECT_EQ(Lintrel_ClickSelect(bezier.get(), 0, 10, 0.5, 0), LINTREL_NOTHING_TO_DO);
    EXPECT_EQ(Lintrel_ClickSelect(bezier.get(), 5, 7.5, 0.1, 0), LINTREL_OK);
}

TEST(BoxSelect, WindowNeedsTheWholeVectCrossingAnEdge) {
    ChainOwner<Vect> list(line(0, 0, 10, 0));
    list.append(line(2, 2, 3, 3));
    // Left to right: only the short line lies inside.
    EXPECT_EQ(Lintrel_BoxSelect(list.get(), 1, -1, 5, 5, 0), LINTREL_OK);
    EXPECT_EQ(flags(list.get()), (std::vector<int>{0, 1}));
    // The same box dragged right to left also takes the line it cuts.
    EXPECT_EQ(Lintrel_BoxSelect(list.get(), 5, 5, 1, -1, 0), LINTREL_OK);
    EXPECT_EQ(flags(list.get()), (std::vector<int>{1, 1}));
    EXPECT_EQ(Lintrel_BoxSelect(list.get(), 5, 5, 5, -1, 0), LINTREL_NOTHING_TO_DO);
    // A box overlapping the rectangle of a diagonal without meeting it takes nothing.
    ChainOwner<Vect> diagonal(line(0, 0, 10, 10));
    EXPECT_EQ(Lintrel_BoxSelect(diagonal.get(), 9, 0, 7, 2, 0), LINTREL_NOTHING_TO_DO);
    EXPECT_EQ(Lintrel_BoxSelect(diagonal.get(), 9, 0, 7, 2, 1), LINTREL_NOTHING_TO_DO);
}

TEST(BoxSelect, CompoundsAreDecidedAsAWhole) {
    ChainOwner<Vect> list(compoundAndLine());
    // Window around the first two members only: the compound does not qualify.
    EXPECT_EQ(Lintrel_BoxSelect(list.get(), -1, -1, 11, 1.5, 0), LINTREL_NOTHING_TO_DO);
    EXPECT_EQ(Lintrel_BoxSelect(list.get(), -1, -1, 11, 2.5, 0), LINTREL_OK);
    EXPECT_EQ(flags(list.get()), (std::vector<int>{1, 1, 1, 0}));
    // Crossing one member toggles all three in additive mode.
    EXPECT_EQ(Lintrel_BoxSelect(list.get(), 5, 1.5, 4, 2.5, 1), LINTREL_OK);
    EXPECT_EQ(flags(list.get()), (std::vector<int>{0, 0, 0, 0}));
}

TEST(SelectionRange, UnionOfSelectedVects) {
    ChainOwner<Vect> list(line(0, 0, 10, 0));
    list.append(circle(20, 0, 5));
    list.append(line(-100, -100, -90, -90));
    float x = 1, y = 1, w = 1, h = 1;
    EXPECT_EQ(Lintrel_GetSelRange(list.get(), &x, &y, &w, &h, 0.05), LINTREL_OK);
    EXPECT_EQ(x + y + w + h, 0);
    list.get()->selected = list.get()->next->selected = 1;
    EXPECT_EQ(Lintrel_GetSelRange(list.get(), &x, &y, &w, &h, 0.05), LINTREL_OK);
    EXPECT_FLOAT_EQ(x, 0);
    EXPECT_FLOAT_EQ(y, -5);
    EXPECT_FLOAT_EQ(w, 25);
    EXPECT_FLOAT_EQ(h, 10);
}

TEST(Groups, SelectByNumberAndMoveTheSelection) {
    VectGroup* first = groupOf({line(0, 0, 1, 0), line(0, 1, 1, 1)}, 2);
    append(first, groupOf({line(0, 2, 1, 2)}, 7));
    EXPECT_EQ(Lintrel_SelVectGroup(first, 2), LINTREL_OK);
    EXPECT_EQ(Lintrel_GetSelNum(first), 2);
    EXPECT_EQ(Lintrel_ChangeVectGroup(&first, 5), LINTREL_OK);
    ChainOwner<VectGroup> owner(first);
    // Group 2 lost all its vects and went; 5 sits before 7 and is now the first.
    ASSERT_EQ(ringCount(first), 2);
    EXPECT_EQ(first->number, 5);
    EXPECT_EQ(first->next->number, 7);
    EXPECT_EQ(flags(first->vects), (std::vector<int>{1, 1}));
    EXPECT_EQ(first->vects->segs->y0, 0);

    // A number below every group goes first; one above all goes last.
    EXPECT_EQ(Lintrel_ClearSelect(first), LINTREL_OK);
    first->next->vects->selected = 1;
    EXPECT_EQ(Lintrel_ChangeVectGroup(&owner.head(), 1), LINTREL_OK);
    ASSERT_EQ(ringCount(owner.get()), 2);  // group 7 emptied and went
    EXPECT_EQ(owner.get()->number, 1);
    EXPECT_EQ(owner.get()->next->number, 5);
    EXPECT_EQ(Lintrel_ClearSelect(owner.get()), LINTREL_OK);
    EXPECT_EQ(Lintrel_SelVectGroup(owner.get(), 5), LINTREL_OK);
    EXPECT_EQ(Lintrel_ChangeVectGroup(&owner.head(), 9), LINTREL_OK);
    ASSERT_EQ(ringCount(owner.get()), 2);
    EXPECT_EQ(owner.get()->number, 1);
    EXPECT_EQ(owner.get()->next->number, 9);
    EXPECT_EQ(ringCount(owner.get()->next->vects), 2);
    EXPECT_TRUE(wellLinked(owner.get()));
}

TEST(ArrayTwins, SelectionOnTheArrayChain) {
    ASSERT_EQ(arrayChain(), nullptr);
    EXPECT_EQ(VarnixCadArray_SelOne(0, 0, 1, 0), LINTREL_BAD_ARGUMENT);
    arrayChain() = groupOf({line(0, 0, 10, 0), line(2, 2, 3, 3)}, 3);
    EXPECT_EQ(VarnixCadArray_SelLeftToRight(5, 5, 1, -1, 0), LINTREL_BAD_ARGUMENT);
    EXPECT_EQ(VarnixCadArray_SelRightToLeft(1, -1, 5, 5, 0), LINTREL_BAD_ARGUMENT);
    EXPECT_EQ(VarnixCadArray_SelLeftToRight(1, -1, 5, 5, 0), LINTREL_OK);
    EXPECT_EQ(flags(arrayChain()->vects), (std::vector<int>{0, 1}));
    EXPECT_EQ(VarnixCadArray_SelRightToLeft(5, 5, 1, -1, 0), LINTREL_OK);
    EXPECT_EQ(flags(arrayChain()->vects), (std::vector<int>{1, 1}));
    EXPECT_EQ(VarnixCadArray_SelOne(5, 0, 0.1, 0), LINTREL_OK);
    EXPECT_EQ(VarnixCadArray_ChangeVectGroup(1), LINTREL_OK);
    EXPECT_EQ(arrayChain()->number, 1);
    EXPECT_EQ(VarnixCadArray_SelVectGroup(3), LINTREL_OK);
    EXPECT_EQ(flags(arrayChain()->vects), (std::vector<int>{0}));
    deleteGroupChain(arrayChain());
    arrayChain() = nullptr;
}
