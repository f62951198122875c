// Block references: placement against the DXF definition of an insert, block lookup by name,
// nesting, self-reference, MINSERT grids, missing blocks, and arcs and ellipses placed through
// mirroring and rotating references.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

#include "base/diagnostics.h"
#include "import/dxf/dxf_diagnostics.h"
#include "import_helpers.h"
#include "model/geometry.h"

namespace lintrel::test {
namespace {

// A drawing with a BLOCKS section written by `blocks` and an ENTITIES section by `entities`.
std::string drawing(const std::function<void(DxfText&)>& blocks,
                    const std::function<void(DxfText&)>& entities) {
    DxfText t;
    t.section("BLOCKS");
    blocks(t);
    t.endSection().section("ENTITIES");
    entities(t);
    t.endSection().eof();
    return t.str();
}

// Where the DXF definition puts a block point: insertion + rotate(scale(point - base)).
Point placedByDefinition(Point p, Point base, Point at, double sx, double sy, double degrees) {
    const double r = degrees * kPi / 180;
    const double x = (p.x - base.x) * sx, y = (p.y - base.y) * sy;
    return {at.x + x * std::cos(r) - y * std::sin(r), at.y + x * std::sin(r) + y * std::cos(r)};
}

struct Line {
    Point a, b;
};
std::vector<Line> linesOf(VectGroup* groups) {
    std::vector<Line> out;
    for (Vect* v : vectsOf(groups))
        if (v->type == LINTREL_POLYLINE && ringCount(v->segs) == 1)
            out.push_back({segStart(*v->segs), segEnd(*v->segs)});
    return out;
}

TEST(DxfInsert, ScaledRotatedLineLandsWhereTheDefinitionPutsIt) {
    for (const Point base : {Point{0, 0}, Point{5, 3}}) {
        const std::string text =
            drawing([&](DxfText& t) { t.block("ARM", base.x, base.y).line(0, 0, 1, 0).endBlock(); },
                    [](DxfText& t) { t.insert("ARM", 3, 4, 2, 2, 90); });
        auto groups = importText(text);
        const auto lines = linesOf(groups.get());
        ASSERT_EQ(lines.size(), 1u) << base.x;
        const Point a = placedByDefinition({0, 0}, base, {3, 4}, 2, 2, 90);
        const Point b = placedByDefinition({1, 0}, base, {3, 4}, 2, 2, 90);
        EXPECT_LT(distance(lines[0].a, a), 1e-9) << base.x;
        EXPECT_LT(distance(lines[0].b, b), 1e-9) << base.x;
        if (base.x == 0) {  // the literal case: from the insertion point to it + (0, 2)
            EXPECT_LT(distance(lines[0].a, {3, 4}), 1e-9);
            EXPECT_LT(distance(lines[0].b, {3, 6}), 1e-9);
        }
    }
}

TEST(DxfInsert, BlocksAreFoundByNameWhateverTheirPlace) {
    const std::string text = drawing(
        [](DxfText& t) {
            t.block("first").line(0, 0, 1, 0).endBlock();  // a user block in the first slot
            t.block("*Model_Space").line(0, 0, 0, 50).endBlock();
            t.block("$PAPER_SPACE").line(0, 0, 0, 60).endBlock();
        },
        [](DxfText& t) {
            t.insert("FIRST", 10, 0);
            t.insert("*model_space", 20, 0);
            t.insert("$Paper_Space", 30, 0);
        });
    auto groups = importText(text);
    const auto lines = linesOf(groups.get());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_LT(distance(lines[0].b, {11, 0}), 1e-9);
}

TEST(DxfInsert, TenLevelsOfNestingComposeTheirPlacements) {
    // LEVEL0 holds a line; LEVELn places LEVELn-1 one unit to the right, rotated 10 degrees.
    const std::string text = drawing(
        [](DxfText& t) {
            t.block("LEVEL0").line(0, 0, 1, 0).endBlock();
            for (int n = 1; n < 10; ++n)
                t.block("LEVEL" + std::to_string(n))
                    .insert("LEVEL" + std::to_string(n - 1), 1, 0, 1, 1, 10)
                    .endBlock();
        },
        [](DxfText& t) { t.insert("LEVEL9", 0, 0); });
    auto groups = importText(text);
    const auto lines = linesOf(groups.get());
    ASSERT_EQ(lines.size(), 1u);
    Point a{0, 0}, b{1, 0};
    for (int n = 1; n < 10; ++n) {
        a = placedByDefinition(a, {0, 0}, {1, 0}, 1, 1, 10);
        b = placedByDefinition(b, {0, 0}, {1, 0}, 1, 1, 10);
    }
    EXPECT_LT(distance(lines[0].a, a), 1e-9);
    EXPECT_LT(distance(lines[0].b, b), 1e-9);
}

TEST(DxfInsert, SelfReferenceStopsWithTheGeometryThatExists) {
    const std::string text = drawing(
        [](DxfText& t) {
            t.block("LOOP").line(0, 0, 1, 0).insert("LOOP", 5, 0).endBlock();
            t.block("PING").line(0, 0, 0, 1).insert("PONG", 0, 5).endBlock();
            t.block("PONG").line(0, 0, 2, 0).insert("PING", 0, 5).endBlock();
        },
        [](DxfText& t) {
            t.insert("LOOP", 0, 0);
            t.insert("PING", 100, 0);
        });
    auto groups = importText(text);
    const auto lines = linesOf(groups.get());
    // LOOP's line once; PING's line, PONG's line placed 5 up, and no more.
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_LT(distance(lines[1].a, {100, 0}), 1e-9);
    EXPECT_LT(distance(lines[2].a, {100, 5}), 1e-9);
    EXPECT_LT(distance(lines[2].b, {102, 5}), 1e-9);
    EXPECT_EQ(lastImport().countOf(diag::kDxfBlockCycle), 2);
}

TEST(DxfInsert, MinsertPlacesEveryCellOfItsRotatedGrid) {
    const std::string text =
        drawing([](DxfText& t) { t.block("HOLE").circle(0, 0, 1).endBlock(); },
                [](DxfText& t) { t.minsert("HOLE", 100, 50, 90, 3, 4, 10, 20); });
    auto groups = importText(text);
    const auto vs = vectsOf(groups.get());
    ASSERT_EQ(vs.size(), 12u);
    std::vector<Point> centres;
    for (Vect* v : vs)
        centres.push_back(arcGeometry(*v->segs).centre);
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 3; ++column) {
            // Columns run along the rotated x axis (up), rows along the rotated y axis (left).
            const Point want{100.0 - row * 20, 50.0 + column * 10};
            EXPECT_TRUE(std::any_of(centres.begin(), centres.end(),
                                    [&](Point c) { return distance(c, want) < 1e-9; }))
                << row << " " << column;
        }
}

// A reference mirrored in x keeps an arc on its circle, reversed; a rotated one turns an
// ellipse's axis with it.
TEST(DxfInsert, ArcsAndEllipsesFollowMirroringAndRotation) {
    const std::string text = drawing(
        [](DxfText& t) {
            t.block("ARC").arc(2, 0, 1, 0, 90).endBlock();
            t.block("OVAL").ellipse(0, 0, 4, 0, 0.5, 0, kPi / 2).endBlock();
        },
        [](DxfText& t) {
            t.insert("ARC", 0, 0, -1, 1, 0);
            t.insert("OVAL", 10, 10, 1, 1, 90);
        });
    auto groups = importText(text, 1, 0.001);
    const auto vs = vectsOf(groups.get());
    ASSERT_EQ(vs.size(), 2u);
    ASSERT_EQ(vs[0]->type, LINTREL_ARC);
    const ArcGeometry arc = arcGeometry(*vs[0]->segs);
    EXPECT_LT(distance(arc.centre, {-2, 0}), 1e-9);
    EXPECT_NEAR(arc.radius, 1, 1e-9);
    const Point s = arcStartPoint(arc), e = arcEndPoint(arc);
    // The quarter from (-1, 0) round to (-2, 1), whichever way it is run.
    const bool forward = distance(s, {-3, 0}) < 1e-9 && distance(e, {-2, 1}) < 1e-9;
    const bool backward = distance(s, {-2, 1}) < 1e-9 && distance(e, {-3, 0}) < 1e-9;
    EXPECT_TRUE(forward || backward) << s.x << "," << s.y << " " << e.x << "," << e.y;
    EXPECT_NEAR(std::fabs(arc.sweep), kPi / 2, 1e-9);
    // The ellipse quarter from the major axis end (10, 14) to the minor axis end (8, 10).
    const Vect& oval = *vs[1];
    EXPECT_LT(distance(segStart(*oval.segs), {10, 14}), 1e-4);
    EXPECT_LT(distance(segEnd(*lastOf(oval.segs)), {8, 10}), 1e-4);
}

// Stretched unevenly, circles, arcs and ellipses become the ellipses they are drawn as: every
// flattened point, mapped back into the block, lies on the block's own curve, and the ends of
// an arc map back to the arc's ends.
TEST(DxfInsert, UnevenScalingTurnsCirclesAndArcsIntoEllipses) {
    const std::string text = drawing(
        [](DxfText& t) {
            t.block("ROUND").circle(0, 0, 1).arc(0, 0, 1, 0, 90).endBlock();
            t.block("OVAL").ellipse(0, 0, 2, 0, 0.5, 1, 4).endBlock();
        },
        [](DxfText& t) {
            t.insert("ROUND", 10, 5, 2, 1, 30);
            t.insert("OVAL", -5, 0, 1, 3, 0);
            t.insert("OVAL", 20, 0, -1, 1, 0);  // mirrored: runs the other way round
        });
    auto groups = importText(text, 1, 0.001);
    const auto vs = vectsOf(groups.get());
    ASSERT_EQ(vs.size(), 4u);
    const double r = 30 * kPi / 180;
    // Back into the block: undo the move, the rotation and the scale.
    auto roundBack = [&](Point p) {
        const double x = p.x - 10, y = p.y - 5;
        return Point{(x * std::cos(r) + y * std::sin(r)) / 2, -x * std::sin(r) + y * std::cos(r)};
    };
    auto ovalBack = [](Point p) { return Point{p.x + 5, p.y / 3}; };
    auto mirroredBack = [](Point p) { return Point{20 - p.x, p.y}; };
    auto check = [](const Vect& v, auto back, double a, double b, double from, double to) {
        const auto segs = segsOf(v.segs);
        ASSERT_GE(segs.size(), 19u);
        for (const Seg* s : segs) {
            const Point q = back(segStart(*s));
            EXPECT_NEAR(std::hypot(q.x / a, q.y / b), 1, 1e-5);
            double t = std::atan2(q.y / b, q.x / a);
            if (t < from - 1e-6) t += 2 * kPi;
            EXPECT_LE(t, to + 1e-5);
        }
        if (to - from < 2 * kPi - 1e-9) {
            const Point s = back(segStart(*v.segs)), e = back(segEnd(*lastOf(v.segs)));
            const Point ps{a * std::cos(from), b * std::sin(from)};
            const Point pe{a * std::cos(to), b * std::sin(to)};
            EXPECT_TRUE((distance(s, ps) < 1e-5 && distance(e, pe) < 1e-5) ||
                        (distance(s, pe) < 1e-5 && distance(e, ps) < 1e-5));
        }
    };
    check(*vs[0], roundBack, 1, 1, 0, kPi / 2);  // arcs are converted before circles
    check(*vs[1], roundBack, 1, 1, -kPi, kPi);
    check(*vs[2], ovalBack, 2, 1, 1, 4);
    check(*vs[3], mirroredBack, 2, 1, 1, 4);
}

}  // namespace
}  // namespace lintrel::test
