// Curve precision: flattened copies beside curve definitions, and conversion for good.
#include <gtest/gtest.h>

#include "array/array_chain.h"
#include "model/geometry.h"
#include "model/items.h"
#include "support/builders.h"

using namespace lintrel;
using namespace lintrel::test;

namespace {

Vect* ellipse() {
    Vect* e = arc(0, 0, 4, 0, 0);
    e->type = LINTREL_ELLIPSE;
    return e;
}

}  // namespace

TEST(CurveSmooth, ReplacesTheCopyAndKeepsTheDefinition) {
    ChainOwner<Vect> list(circle(0, 0, 10));
    ASSERT_EQ(Lintrel_CurveSmooth(list.get(), 0.5, 0, 0), LINTREL_OK);
    const int coarse = ringCount(list.get()->flatSegs);
    ASSERT_EQ(Lintrel_CurveSmooth(list.get(), 0.01, 0, 0), LINTREL_OK);
    EXPECT_GT(ringCount(list.get()->flatSegs), coarse);  // not limited by the first pass
    EXPECT_EQ(list.get()->type, LINTREL_ARC);
    EXPECT_EQ(ringCount(list.get()->segs), 1);
}

TEST(CurveSmooth, SplinesBecomePolylinesOnceAndEllipsesAreLeft) {
    ChainOwner<Vect> list(controlPolygon(LINTREL_SPLINE, {{0, 0}, {1, 2}, {2, 3}, {4, 3}}));
    list.append(ellipse());
    ASSERT_EQ(Lintrel_CurveSmooth(list.get(), 0.1, 0, 0), LINTREL_OK);
    EXPECT_EQ(list.get()->type, LINTREL_POLYLINE);
    EXPECT_EQ(ringCount(list.get()->segs), 3);  // the defining polyline stays
    EXPECT_NE(list.get()->flatSegs, nullptr);
    EXPECT_EQ(list.get()->next->flatSegs, nullptr);
    EXPECT_EQ(Lintrel_CurveSmooth(list.get(), 0.01, 0, 0), LINTREL_NOTHING_TO_DO);

    EXPECT_EQ(Lintrel_TransSeges(list.get(), 0.1, 0, 0), LINTREL_OK);  // the ellipse
    EXPECT_EQ(list.get()->next->type, LINTREL_POLYLINE);
    EXPECT_GT(ringCount(list.get()->next->segs), 8);
}

TEST(CurveSmooth, SelectionAndFirstOnlyLimitTheWalk) {
    ChainOwner<VectGroup> groups(groupOf({polyline({{0, 0}, {1, 0}}), circle(0, 0, 3)}, 1));
    groups.append(groupOf({circle(9, 9, 1)}, 2));
    EXPECT_EQ(Lintrel_TransSeges(groups.get(), 0.1, 0, 1), LINTREL_NOTHING_TO_DO);
    EXPECT_EQ(groups.get()->vects->next->type, LINTREL_ARC);
    EXPECT_EQ(Lintrel_CurveSmooth(groups.get(), 0.1, 1, 0), LINTREL_NOTHING_TO_DO);
    groups.get()->next->vects->selected = 1;
    EXPECT_EQ(Lintrel_CurveSmooth(groups.get(), 0.1, 1, 0), LINTREL_OK);
    EXPECT_NE(groups.get()->next->vects->flatSegs, nullptr);
    EXPECT_EQ(groups.get()->vects->next->flatSegs, nullptr);

    // Conversion frees the flattened copy together with the definition.
    EXPECT_EQ(Lintrel_TransSeges(groups.get(), 0.1, 0, 0), LINTREL_OK);
    EXPECT_EQ(groups.get()->next->vects->flatSegs, nullptr);
    EXPECT_EQ(groups.get()->next->vects->type, LINTREL_POLYLINE);

    ChainOwner<Vect> lines(polyline({{0, 0}, {1, 0}}));
    EXPECT_EQ(Lintrel_CurveSmooth(lines.get(), 0.1, 0, 0), LINTREL_NOTHING_TO_DO);
    EXPECT_EQ(Lintrel_TransSeges(lines.get(), 0.1, 0, 0), LINTREL_NOTHING_TO_DO);
    ChainOwner<Seg> seg(newLine(0, 0, 1, 1));
    EXPECT_EQ(Lintrel_CurveSmooth(seg.get(), 0.1, 0, 0), LINTREL_BAD_ARGUMENT);
    EXPECT_EQ(Lintrel_TransSeges(nullptr, 0.1, 0, 0), LINTREL_BAD_ARGUMENT);
}

TEST(CurveSmooth, ArrayTwinWalksTheArrayChain) {
    ASSERT_EQ(arrayChain(), nullptr);
    EXPECT_EQ(VarnixCadArray_CurveSmooth(0.1, 0), LINTREL_BAD_ARGUMENT);
    ChainOwner<VectGroup> groups(groupOf({circle(0, 0, 1)}));
    arrayChain() = groups.get();
    EXPECT_EQ(VarnixCadArray_CurveSmooth(0.1, 0), LINTREL_OK);
    EXPECT_NE(groups.get()->vects->flatSegs, nullptr);
    arrayChain() = nullptr;
}
