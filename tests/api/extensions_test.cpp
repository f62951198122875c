// The extension exports, which add to the library's original interface: setting the source unit,
// the travel measure and the flattened copy beside a curve's definition; and the header-only
// layer's const ring walk.
#include <gtest/gtest.h>
#include <lintrel/lintrel.h>
#include <lintrel/lintrel.hpp>

#include "support/builders.h"

namespace lintrel::test {
namespace {

TEST(SourceUnit, SetBeforeUnitTakesOnlyUnitCodes) {
    EXPECT_EQ(VarnixCad3_SetBeforeUnit(LINTREL_UNIT_INCH), LINTREL_OK);
    EXPECT_EQ(VarnixCad3_GetBeforeUnit(), LINTREL_UNIT_INCH);
    EXPECT_EQ(VarnixCad3_SetBeforeUnit(LINTREL_UNIT_PICA), LINTREL_OK);
    EXPECT_EQ(VarnixCad3_GetBeforeUnit(), LINTREL_UNIT_PICA);
    EXPECT_EQ(VarnixCad3_SetBeforeUnit(7999), LINTREL_BAD_ARGUMENT);
    EXPECT_EQ(VarnixCad3_SetBeforeUnit(8013), LINTREL_BAD_ARGUMENT);
    EXPECT_EQ(VarnixCad3_GetBeforeUnit(), LINTREL_UNIT_PICA);
    EXPECT_EQ(VarnixCad3_SetBeforeUnit(LINTREL_UNIT_MILLIMETRE), LINTREL_OK);
    EXPECT_EQ(VarnixCad3_GetBeforeUnit(), LINTREL_UNIT_MILLIMETRE);
}

TEST(TravelLength, RunsFromTheOriginThroughEveryVectAndBack) {
    // (0,0) -> (3,4): 5; (6,4) -> (6,10): 6; (6,14) -> (0,0): sqrt(36 + 196).
    ChainOwner<VectGroup> drawing(groupOf({polyline({{3, 4}, {6, 4}})}, 1));
    drawing.append(groupOf({polyline({{6, 10}, {6, 14}}), VarnixCad3_NewVect()}, 2));
    double length = -1;
    ASSERT_EQ(VarnixCad3_GetTravelLength(drawing.get(), &length), LINTREL_OK);
    EXPECT_DOUBLE_EQ(length, 5 + 6 + std::sqrt(36.0 + 196.0));
    // A vect chain is measured the same way.
    ASSERT_EQ(VarnixCad3_GetTravelLength(drawing.get()->vects, &length), LINTREL_OK);
    EXPECT_DOUBLE_EQ(length, 5 + std::sqrt(36.0 + 16.0));

    length = -1;
    EXPECT_EQ(VarnixCad3_GetTravelLength(nullptr, &length), LINTREL_BAD_ARGUMENT);
    EXPECT_EQ(VarnixCad3_GetTravelLength(drawing.get(), nullptr), LINTREL_BAD_ARGUMENT);
    EXPECT_EQ(VarnixCad3_GetTravelLength(drawing.get()->vects->segs, &length),
              LINTREL_BAD_ARGUMENT);
    EXPECT_EQ(length, -1);
}

TEST(BuildFlatSegs, KeepsTheDefinitionAndFlattensBesideIt) {
    ChainOwner<Vect> half(arc(0, 0, 10, 0, kPi));
    const Seg definition = *half.get()->segs;
    ASSERT_EQ(VarnixCad3_BuildFlatSegs(half.get(), 0.05), LINTREL_OK);
    Vect& v = *half.get();
    EXPECT_EQ(v.type, LINTREL_ARC);
    ASSERT_NE(v.flatSegs, nullptr);
    EXPECT_EQ(ringCount(v.segs), 1);
    EXPECT_EQ(v.segs->x0, definition.x0);
    EXPECT_EQ(v.segs->z1, definition.z1);
    EXPECT_GT(ringCount(v.flatSegs), 8);
    // The flattened half circle runs from the arc's start to its end.
    Point start, end;
    ASSERT_TRUE(vectStartPoint(v, start));
    ASSERT_TRUE(vectEndPoint(v, end));
    EXPECT_NEAR(distance(start, {10, 0}), 0, 1e-5);
    EXPECT_NEAR(distance(end, {-10, 0}), 0, 1e-5);

    ChainOwner<Vect> line(polyline({{0, 0}, {1, 0}}));
    EXPECT_EQ(VarnixCad3_BuildFlatSegs(line.get(), 0.05), LINTREL_NOTHING_TO_DO);
    EXPECT_EQ(line.get()->flatSegs, nullptr);
    EXPECT_EQ(VarnixCad3_BuildFlatSegs(nullptr, 0.05), LINTREL_BAD_ARGUMENT);
}

TEST(HeaderOnlyLayer, WalksAConstRingWithoutCasting) {
    ChainOwner<Vect> v(polyline({{0, 0}, {1, 0}, {1, 1}, {0, 1}}));
    const Seg* head = v.get()->segs;
    double length = 0;
    for (const Seg* s : ring(head))
        length += distance(segStart(*s), segEnd(*s));
    EXPECT_DOUBLE_EQ(length, 3);
    EXPECT_EQ(ringCount(head), 3);
    EXPECT_EQ(lastOf(head)->x1, 0);
}

}  // namespace
}  // namespace lintrel::test
