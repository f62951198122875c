// Conversion of the basic DXF entities: colours and layers, polylines with and without bulges,
// arcs, circles, the plane mapping and the UCS origin.
#include <gtest/gtest.h>

#include <cmath>

#include "import/dxf/dxf_colours.h"
#include "import_helpers.h"
#include "model/geometry.h"

namespace lintrel::test {
namespace {

constexpr double kFileTwoPi = 6.28318530717958;

TEST(DxfConvert, LayerColoursDecideGroupsAndOffLayersAreSkipped) {
    DxfText t;
    t.layers({{"OFF", -3}, {"GREEN", 3}});
    t.section("ENTITIES");
    t.line(0, 0, 1, 0, "OFF");
    t.line(0, 0, 2, 0, "GREEN");
    t.line(0, 0, 3, 0, "GREEN", 0);      // colour 0 is taken as 7
    t.line(0, 0, 4, 0, "NOT_IN_TABLE");  // new layer, colour 0
    t.line(0, 0, 5, 0, "GREEN", 256);    // "as the layer"
    auto groups = importDrawing(t);
    const auto gs = groupsOf(groups.get());
    ASSERT_EQ(gs.size(), 2u);
    // Ascending colour index: 3 then 7, numbered 1 and 2 afterwards.
    EXPECT_EQ(gs[0]->colour, dxf::colourOfIndex(3));
    EXPECT_EQ(gs[0]->number, 1);
    EXPECT_EQ(gs[1]->colour, dxf::colourOfIndex(7));
    EXPECT_EQ(gs[1]->number, 2);
    ASSERT_EQ(ringCount(gs[0]->vects), 2);
    EXPECT_DOUBLE_EQ(gs[0]->vects->segs->x1, 2);
    EXPECT_DOUBLE_EQ(gs[0]->vects->next->segs->x1, 5);
    ASSERT_EQ(ringCount(gs[1]->vects), 2);
    EXPECT_DOUBLE_EQ(gs[1]->vects->segs->x1, 3);
    EXPECT_DOUBLE_EQ(gs[1]->vects->next->segs->x1, 4);
}

TEST(DxfConvert, GroupsStayInAscendingOrderWhateverTheFileOrder) {
    DxfText t = entitiesOnly();
    for (int colour : {5, 2, 9, 2, 1})
        t.line(0, 0, colour, 0, "0", colour);
    auto groups = importDrawing(t);
    std::vector<uint32_t> colours;
    for (VectGroup* g : groupsOf(groups.get()))
        colours.push_back(g->colour);
    EXPECT_EQ(colours, (std::vector<uint32_t>{dxf::colourOfIndex(1), dxf::colourOfIndex(2),
                                              dxf::colourOfIndex(5), dxf::colourOfIndex(9)}));
    EXPECT_EQ(groupsOf(groups.get())[1]->vects->next->segs->x1, 2);
}

TEST(DxfConvert, LwPolylineStraightAndClosed) {
    DxfText t = entitiesOnly();
    t.lwpolyline({{0, 0}, {10, 0}, {10, 10}}, true);
    auto groups = importDrawing(t);
    const auto vs = vectsOf(groups.get());
    ASSERT_EQ(vs.size(), 1u);
    EXPECT_EQ(vs[0]->type, LINTREL_POLYLINE);
    EXPECT_EQ(vs[0]->closed, 1);
    expectPoints(vs[0], {{0, 0}, {10, 0}, {10, 10}, {0, 0}});
}

// A bulged vertex from (0, 0) to (10, 0) gives one arc, in both polyline kinds; a negative bulge
// turns clockwise (a positive stored sweep).
TEST(DxfConvert, BulgesBecomeArcs) {
    const double quarter = -0.41421356237309503;  // tan(-22.5 degrees)
    const struct {
        double bulge;
        Point centre;
        double radius, sweep;
    } cases[] = {{1, {5, 0}, 5, -kPi}, {quarter, {5, -5}, std::sqrt(50.0), kHalfPi}};
    for (const auto& c : cases) {
        for (const bool lw : {true, false}) {
            SCOPED_TRACE(std::to_string(c.bulge) + (lw ? " LWPOLYLINE" : " POLYLINE"));
            DxfText t = entitiesOnly();
            lw ? t.lwpolyline({{0, 0, c.bulge}, {10, 0}}) : t.polyline({{0, 0, c.bulge}, {10, 0}});
            auto groups = importDrawing(t);
            const auto vs = vectsOf(groups.get());
            ASSERT_EQ(vs.size(), 1u);
            ASSERT_EQ(vs[0]->type, LINTREL_ARC);
            const ArcGeometry arc = arcGeometry(*vs[0]->segs);
            EXPECT_LT(distance(arc.centre, c.centre), 1e-9);
            EXPECT_NEAR(arc.radius, c.radius, 1e-9);
            EXPECT_NEAR(arc.sweep, c.sweep, 1e-9);
            EXPECT_LT(distance(arcStartPoint(arc), {0, 0}), 1e-9);
            EXPECT_LT(distance(arcEndPoint(arc), {10, 0}), 1e-9);
        }
    }
}

TEST(DxfConvert, LwPolylineSplitsStraightRunsAroundArcs) {
    DxfText t = entitiesOnly();
    // A slot: straight, half circle, straight, half circle back to the start.
    t.lwpolyline({{0, 0}, {10, 0, 1}, {10, 4}, {0, 4, 1}}, true);
    auto groups = importDrawing(t, 0, 0.01);  // flattened
    const auto vs = vectsOf(groups.get());
    ASSERT_EQ(vs.size(), 4u);
    for (Vect* v : vs)
        EXPECT_EQ(v->type, LINTREL_POLYLINE);
    // Every piece starts where the previous ended.
    for (size_t i = 1; i < vs.size(); ++i) {
        Point a, b;
        ASSERT_TRUE(vectEndPoint(*vs[i - 1], a));
        ASSERT_TRUE(vectStartPoint(*vs[i], b));
        EXPECT_TRUE(samePoint(a, b, 1e-6)) << i;
    }
}

TEST(DxfConvert, ArcAnglesAndDirections) {
    DxfText t = entitiesOnly();
    t.arc(0, 0, 1, 0, 90);
    t.arc(0, 0, 1, 30, 30);  // equal angles: nothing
    auto groups = importDrawing(t);
    const auto vs = vectsOf(groups.get());
    ASSERT_EQ(vs.size(), 1u);
    EXPECT_EQ(vs[0]->type, LINTREL_ARC);
    EXPECT_DOUBLE_EQ(vs[0]->segs->z0, kFileTwoPi);
    EXPECT_NEAR(vs[0]->segs->z1, -kHalfPi, 1e-12);
    EXPECT_EQ(vs[0]->closed, 0);
}

TEST(DxfConvert, AngleUnitsOfTheHeader) {
    DxfText t;
    t.section("HEADER").group(9, "$AUNITS").group(70, 1).endSection();
    t.section("ENTITIES").arc(0, 0, 1, 0, 45.3);  // 45 deg 30 min
    auto groups = importDrawing(t);
    const auto vs = vectsOf(groups.get());
    ASSERT_EQ(vs.size(), 1u);
    EXPECT_NEAR(vs[0]->segs->z1, -45.5 * 3.14159265358979 / 180, 1e-9);
}

TEST(DxfConvert, ExtrusionMirrorsCirclesAndArcs) {
    DxfText t = entitiesOnly();
    t.entity("CIRCLE").point(10, 5, 0).group(40, 1.0).point(210, 0, 0, -1);
    t.entity("ARC").point(10, 5, 0).group(40, 1.0).group(50, 0.0).group(51, 90.0);
    t.point(210, 0, 0, -1);
    auto groups = importDrawing(t);
    const auto vs = vectsOf(groups.get());
    ASSERT_EQ(vs.size(), 2u);  // arcs are converted before circles
    EXPECT_NEAR(arcGeometry(*vs[1]->segs).centre.x, -5, 1e-12);
    const ArcGeometry arc = arcGeometry(*vs[0]->segs);
    EXPECT_NEAR(arc.centre.x, -5, 1e-12);
    // 0..90 counter-clockwise seen from below is 180..90 clockwise from above.
    const Point s = arcStartPoint(arc), e = arcEndPoint(arc);
    EXPECT_NEAR(s.x, -6, 1e-9);
    EXPECT_NEAR(e.x, -5, 1e-9);
    EXPECT_NEAR(e.y, 1, 1e-9);
    EXPECT_GT(arc.sweep, 0);
}

TEST(DxfConvert, UcsOriginMovesEveryPoint) {
    DxfText t;
    t.section("HEADER").group(9, "$UCSORG").point(10, 10, 20).endSection();
    t.section("ENTITIES").line(10, 20, 11, 22).circle(0, 0, 1);
    auto groups = importDrawing(t);
    const auto vs = vectsOf(groups.get());
    ASSERT_EQ(vs.size(), 2u);
    expectPoints(vs[0], {{0, 0}, {1, 2}});
    expectPoints(vs[1], {{-11, -21}, {-9, -19}});  // the circle's box
}

// Each drawing in turn: a declared unit is taken, an undeclared one leaves the last.
TEST(DxfConvert, InsUnitsSetTheSourceUnitOnlyWhenDeclared) {
    const struct {
        int insunits;  // -1: none declared
        int unit;
    } cases[] = {{1, LINTREL_UNIT_INCH},
                 {-1, LINTREL_UNIT_INCH},
                 {6, LINTREL_UNIT_METRE},
                 {4, LINTREL_UNIT_MILLIMETRE}};
    for (const auto& c : cases) {
        DxfText t;
        if (c.insunits >= 0)
            t.section("HEADER").group(9, "$INSUNITS").group(70, c.insunits).endSection();
        t.section("ENTITIES").line(0, 0, 1, 1).endSection().eof();
        ASSERT_TRUE(importText(t.str())) << c.insunits;
        EXPECT_EQ(VarnixCad3_GetBeforeUnit(), c.unit) << c.insunits;
    }
}

TEST(DxfConvert, PointsAndLines) {
    DxfText t = entitiesOnly();
    t.entity("POINT").point(10, 3, 4);
    t.entity("XLINE").point(10, 0, 0).point(11, 1, 1);
    auto groups = importDrawing(t);
    const auto vs = vectsOf(groups.get());
    ASSERT_EQ(vs.size(), 2u);
    EXPECT_EQ(vs[0]->type, LINTREL_POINT);
    EXPECT_EQ(vs[0]->closed, 1);
    EXPECT_EQ(vs[0]->segs->jump, 255);
    EXPECT_EQ(vs[0]->segs->tag, 255);
    EXPECT_EQ(vs[0]->xMin, 3);
    EXPECT_EQ(vs[0]->yMax, 4);
    EXPECT_EQ(vs[1]->type, LINTREL_POLYLINE);
    EXPECT_EQ(vs[1]->segs->x1, 1);
}

TEST(DxfConvert, PlainPolylineKeepsItsCorners) {
    DxfText t = entitiesOnly();
    t.polyline({{0, 0}, {10, 0}, {10, 5}, {0, 5}}, 1);
    auto groups = importDrawing(t, 0, 0.05);  // curves flattened: corners must survive
    const auto vs = vectsOf(groups.get());
    ASSERT_EQ(vs.size(), 1u);
    EXPECT_EQ(vs[0]->type, LINTREL_POLYLINE);
    EXPECT_EQ(vs[0]->closed, 1);
    expectPoints(vs[0], {{0, 0}, {10, 0}, {10, 5}, {0, 5}, {0, 0}});
}

TEST(DxfConvert, SplineFitPolylineLeavesOutItsFrame) {
    DxfText t = entitiesOnly();
    // Frame control points (flag 16) and the fitted points (flag 8) of a spline-fit polyline.
    t.polyline({{0, 0}, {5, 9}, {10, 0}, {0, 0}, {5, 4}, {10, 0}}, 4, {16, 16, 16, 8, 8, 8});
    auto groups = importDrawing(t);
    const auto vs = vectsOf(groups.get());
    ASSERT_EQ(vs.size(), 1u);
    EXPECT_EQ(vs[0]->type, LINTREL_SPLINE);
    const auto segs = segsOf(vs[0]->segs);
    ASSERT_EQ(segs.size(), 2u);
    EXPECT_EQ(segs[0]->y1, 4);
}

}  // namespace
}  // namespace lintrel::test
