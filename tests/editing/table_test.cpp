// The motion table: the exact commands of an exported square, jumps, export and load giving back
// the same groups, points and arcs, the arc acceptance rules, relative coordinates, reading no
// further than the length given, and tables of garbage.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "editing/motion_table.h"
#include "model/frame.h"
#include "model/items.h"
#include "support/builders.h"

using namespace lintrel;
using namespace lintrel::test;

namespace {

using Table = std::vector<double>;

Table exportOf(VectGroup* first) {
    int count = 0;
    EXPECT_EQ(Lintrel_ExportTable(first, nullptr, &count), LINTREL_OK);
    Table table(static_cast<size_t>(count), -1.0);
    int filled = 0;
    EXPECT_EQ(Lintrel_ExportTable(first, table.data(), &filled), LINTREL_OK);
    EXPECT_EQ(filled, count);
    return table;
}

// Loads exactly the elements of `table`, so that AddressSanitizer sees any read beyond them.
ChainOwner<VectGroup> load(const Table& table) {
    auto copy = std::make_unique<double[]>(table.size());
    std::copy(table.begin(), table.end(), copy.get());
    return ChainOwner<VectGroup>(
        Lintrel_LoadTable(copy.get(), static_cast<unsigned>(table.size())));
}

// A table of the given commands, with element 0 set to its size.
Table tableOf(std::initializer_list<double> commands) {
    Table t{0};
    t.insert(t.end(), commands);
    t[0] = static_cast<double>(t.size());
    return t;
}

std::vector<Point> pointsOf(const Vect& v) {
    std::vector<Point> out;
    for (const Seg* s : ring(v.segs)) {
        if (out.empty()) out.push_back(segStart(*s));
        out.push_back(segEnd(*s));
    }
    return out;
}

void expectSamePoints(const std::vector<Point>& a, const std::vector<Point>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_DOUBLE_EQ(a[i].x, b[i].x) << i;
        EXPECT_DOUBLE_EQ(a[i].y, b[i].y) << i;
    }
}

bool allFinite(VectGroup* chain) {
    for (Vect* v : vectsOf(chain))
        for (Seg* chainHead : {v->segs, v->flatSegs})
            for (const Seg* s : ring(chainHead))
                if (!std::isfinite(s->x0 + s->y0 + s->x1 + s->y1 + s->z0 + s->z1)) return false;
    return true;
}

}  // namespace

TEST(MotionTable, AClosedSquareExportsExactly) {
    ChainOwner<VectGroup> groups(
        groupOf({polyline({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}, true)}, 1));
    const Table expected{40, 21, 4,   0, 0,  10, 10,  1, 0, 20, 1,   1, 3, 0, 100, 2, 0, 0, 101, 2,
                         10, 0,  101, 2, 10, 10, 101, 2, 0, 10, 101, 2, 0, 0, 4,   0, 2, 0, 0,   0};
    EXPECT_EQ(exportOf(groups.get()), expected);
}

TEST(MotionTable, JumpsEmptyGroupsAndBadArguments) {
    Vect* withJump = polyline({{0, 0}, {1, 0}});
    Seg* lifted = newLine(5, 5, 6, 5);
    lifted->jump = 1;  // the tool lifts from (1, 0) to (5, 5)
    append(withJump->segs, lifted);
    ChainOwner<VectGroup> groups(groupOf({withJump}, 2));
    groups.append(newGroup());                                 // an empty group ends it
    groups.append(groupOf({polyline({{9, 9}, {9, 10}})}, 3));  // never written
    const Table t = exportOf(groups.get());
    const Table body(t.begin() + 9, t.end());
    const Table expected{20, 1, 2, 3,   0, 100, 2, 0, 0, 101, 2, 1, 0, 100,
                         2,  5, 5, 101, 2, 6,   5, 4, 0, 2,   0, 0, 0};
    EXPECT_EQ(body, expected);

    int count = 0;
    EXPECT_EQ(Lintrel_ExportTable(nullptr, nullptr, &count), LINTREL_BAD_ARGUMENT);
    EXPECT_EQ(Lintrel_ExportTable(groups.get(), nullptr, nullptr), LINTREL_BAD_ARGUMENT);
    EXPECT_EQ(Lintrel_ExportTable(reinterpret_cast<VectGroup*>(withJump), nullptr, &count),
              LINTREL_BAD_ARGUMENT);
}

TEST(MotionTable, ExportThenLoadGivesBackGroupsPointsAndArcs) {
    Vect* square = polyline({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}, true);
    Vect* clockwise = arc(20, 20, 5, 0, kHalfPi);    // from the right, clockwise to the bottom
    Vect* anticlockwise = arc(40, 0, 3, kPi, -kPi);  // from the left through the bottom
    Vect* full = circle(-20, 5, 2);
    Vect* point = polyline({{7, 7}, {7, 7}});
    point->type = LINTREL_POINT;
    ChainOwner<VectGroup> groups(groupOf({square, clockwise}, 1));
    groups.append(groupOf({anticlockwise, full, point}, 4));

    ChainOwner<VectGroup> loaded = load(exportOf(groups.get()));
    ASSERT_TRUE(loaded);
    const std::vector<VectGroup*> g = itemsOf(loaded.get());
    ASSERT_EQ(g.size(), 2u);
    EXPECT_EQ(g[0]->number, 1);
    EXPECT_EQ(g[1]->number, 4);
    EXPECT_EQ(g[1]->colour, 0xFFFFFFu);
    const std::vector<Vect*> v = vectsOf(loaded.get());
    ASSERT_EQ(v.size(), 5u);

    EXPECT_EQ(v[0]->type, LINTREL_POLYLINE);
    expectSamePoints(pointsOf(*v[0]), pointsOf(*square));

    const Vect* arcs[] = {clockwise, anticlockwise, full};
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        const Vect& back = *v[k == 0 ? 1 : k + 1];
        ASSERT_EQ(back.type, LINTREL_ARC);
        ASSERT_TRUE(back.segs && back.flatSegs);
        const ArcGeometry want = arcGeometry(*arcs[k]->segs), got = arcGeometry(*back.segs);
        EXPECT_NEAR(got.centre.x, want.centre.x, 1e-9);
        EXPECT_NEAR(got.centre.y, want.centre.y, 1e-9);
        EXPECT_NEAR(got.radius, want.radius, 1e-5);
        if (want.fullCircle())
            EXPECT_EQ(back.segs->x0 >= back.segs->x1, arcs[k]->segs->x0 >= arcs[k]->segs->x1);
        else
            EXPECT_EQ(got.sweep > 0, want.sweep > 0);
        EXPECT_NEAR(std::fabs(got.sweep), std::fabs(want.sweep), 1e-5);
    }

    // A point comes back as a polyline of one zero-length seg.
    EXPECT_EQ(v[4]->type, LINTREL_POLYLINE);
    ASSERT_EQ(segsOf(v[4]->segs).size(), 1u);
    EXPECT_EQ(v[4]->segs->x0, 7);
    EXPECT_EQ(v[4]->segs->x1, 7);
}

TEST(MotionTable, LoadStartsWithGroupOne) {
    ChainOwner<VectGroup> loaded =
        load(tableOf({20, 1, 5, 3, 0, 100, 2, 0, 0, 101, 2, 1, 1, 4, 0, 0, 0}));
    const std::vector<VectGroup*> g = itemsOf(loaded.get());
    ASSERT_EQ(g.size(), 2u);
    EXPECT_EQ(g[0]->number, 1);
    EXPECT_EQ(g[0]->vects, nullptr);
    EXPECT_EQ(g[1]->number, 5);
    ASSERT_NE(g[1]->vects, nullptr);
    EXPECT_EQ(g[1]->vects->segs->jump, 1);  // the move before it is pending
}

TEST(MotionTable, ArcsMustCloseWithinTolerance) {
    // Start (10, 0) around the centre (0, 0): the end (0, -10) lies on the circle, (0, -10.1)
    // 0.1 further out, (0, -10.04) within 0.05.
    auto arcTo = [](double endY) {
        return load(tableOf({3, 0, 100, 2, 10, 0, 102, 5, 0, endY, 0, 0, 1, 4, 0, 0, 0}));
    };
    EXPECT_EQ(arcTo(-10.1).get()->vects, nullptr);
    for (double endY : {-10.0, -10.04}) {
        ChainOwner<VectGroup> loaded = arcTo(endY);
        ASSERT_NE(loaded.get()->vects, nullptr) << endY;
        EXPECT_EQ(loaded.get()->vects->type, LINTREL_ARC);
    }
    // A radius below 0.001, and a rejected arc that leaves the position where it was.
    EXPECT_EQ(load(tableOf({3, 0, 100, 2, 0, 0, 102, 5, 0, 0, 0.0005, 0, 1, 4, 0})).get()->vects,
              nullptr);
    ChainOwner<VectGroup> after =
        load(tableOf({3, 0, 100, 2, 10, 0, 102, 5, 0, -11, 0, 0, 1, 101, 2, 20, 0, 4, 0, 0, 0}));
    ASSERT_NE(after.get()->vects, nullptr);
    EXPECT_EQ(after.get()->vects->type, LINTREL_POLYLINE);
    EXPECT_EQ(after.get()->vects->segs->x0, 10);
}

TEST(MotionTable, ReadsNoFurtherThanTheLength) {
    Table t = tableOf({3, 0, 100, 2, 0, 0, 101, 2, 1, 0, 4, 0,  // one shape
                       3, 0, 100, 2, 5, 5, 101, 2, 6, 5, 4, 0, 0, 0});
    t[0] = 1e6;  // claims far more than there is
    EXPECT_EQ(vectsOf(load(t).get()).size(), 2u);
    // Cut inside the second shape: its end command is never read, and its parameters that lie
    // past the cut are not either.
    const Table cut(t.begin(), t.begin() + 21);
    ChainOwner<VectGroup> loaded = load(cut);
    const std::vector<Vect*> v = vectsOf(loaded.get());
    ASSERT_EQ(v.size(), 1u);
    EXPECT_EQ(v[0]->segs->x1, 1);
    // Element 0 smaller than the length limits the read as well.
    Table shortened = t;
    shortened[0] = 13;
    EXPECT_EQ(vectsOf(load(shortened).get()).size(), 1u);
}

TEST(MotionTable, RelativeCoordinatesAndSplines) {
    ChainOwner<VectGroup> loaded = load(tableOf(
        {1000, 1, 1, 3, 0, 100, 2, 5, 0, 100, 2, 5, 0, 101, 2, 1, 0, 105, 4, 1, 1, 1, 1, 4, 0}));
    ASSERT_NE(loaded.get()->vects, nullptr);
    const Vect& v = *loaded.get()->vects;
    EXPECT_EQ(v.type, LINTREL_SPLINE);
    // The spline replaced the line: it runs from the position (11, 0) through offsets.
    expectSamePoints(pointsOf(v), {{11, 0}, {12, 1}, {13, 2}});
}

TEST(MotionTable, NullAndShortTablesSetTheLastError) {
    frame::setLastError(0);
    const double one[] = {1};
    EXPECT_EQ(Lintrel_LoadTable(one, 1), nullptr);
    EXPECT_EQ(VarnixCad3_GetLastError(), LINTREL_BAD_ARGUMENT);
    frame::setLastError(0);
    EXPECT_EQ(Lintrel_LoadTable(nullptr, 10), nullptr);
    EXPECT_EQ(VarnixCad3_GetLastError(), LINTREL_BAD_ARGUMENT);
}

TEST(MotionTable, GarbageLoadsWithoutACrash) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const Table handMade[] = {
        {nan, 3, 0, 101, 2, 1, 1},
        {50, 3, 0, 101, nan, 1, 1, 4, 0},
        {50, 3, 0, 101, -5, 1, 1, 4, 0},  // a count that runs backwards
        {50, 3, 0, 101, 1e300, 1, 1},
        {50, 3, 0, 100, 2, nan, 0, 101, 2, 1, 1, 102, 5, nan, 0, 0, 0, 1, 4, 0},
        {50, 3, 0, 100, 2, 0, 0, 102, 5, inf, 0, inf, 0, 1, 105, 4, inf, nan, 1, 1, 4, 0},
        {50, 20, 1, nan, 20, 1, 1e300, 20, 1, -1e300, 3, 0, 111, 0, 4, 0},
        {-7, 3, 0, 101, 2, 1, 1, 4, 0},
    };
    for (const Table& t : handMade) {
        ChainOwner<VectGroup> loaded = load(t);
        ASSERT_TRUE(loaded);
        EXPECT_TRUE(allFinite(loaded.get()));
    }
    // Random tables of the codes a loader knows, with random counts and values.
    std::mt19937 random(1234);
    const double codes[] = {0, 1, 2, 3, 4, 20, 21, 100, 101, 102, 105, 111, 1000, 7, nan};
    std::uniform_int_distribution<int> pick(0, 14), small(-2, 8);
    std::uniform_real_distribution<double> value(-50, 50);
    for (int round = 0; round < 500; ++round) {
        Table t{200};
        while (t.size() < 200) {
            t.push_back(codes[pick(random)]);
            t.push_back(small(random) == -2 ? nan : small(random));
            for (int k = small(random); k > 0; --k)
                t.push_back(round % 7 == 0 ? value(random) * 1e4 : value(random));
        }
        t.resize(200);
        ChainOwner<VectGroup> loaded = load(t);
        ASSERT_TRUE(loaded);
        EXPECT_TRUE(allFinite(loaded.get()));
    }
}

TEST(MotionTable, HugeCirclesCannotExhaustMemory) {
    // Each circle of radius 2^40 would flatten into a million segs; a short table of many of
    // them stays within the budget and keeps the circles that fit.
    const double r = std::ldexp(1.0, 40);
    Table t{0};
    for (int i = 0; i < 200; ++i) {
        const double c[] = {3, 0, 100, 2, r, 0, 102, 5, r, 0, 0, 0, 1, 4, 0};
        t.insert(t.end(), std::begin(c), std::end(c));
    }
    t[0] = static_cast<double>(t.size());
    ChainOwner<VectGroup> loaded = load(t);
    size_t segs = 0;
    for (Vect* v : vectsOf(loaded.get()))
        segs += segsOf(v->flatSegs).size();
    EXPECT_GE(vectsOf(loaded.get()).size(), 1u);
    EXPECT_LE(segs, (size_t{1} << 20) + 256 * t.size());
}

TEST(MotionTable, ShapesKeepTheirLinesWhenTheTableOmitsOrMixesCommands) {
    // A shape without its end command keeps what it drew, at the next start and at the end.
    ChainOwner<VectGroup> open = load(tableOf({3, 0, 100, 2, 0, 0, 101, 2, 1, 0,  //
                                               3, 0, 100, 2, 5, 5, 101, 2, 6, 5}));
    EXPECT_EQ(vectsOf(open.get()).size(), 2u);
    // A line after an accepted arc continues along the arc's flattened path.
    ChainOwner<VectGroup> mixed =
        load(tableOf({3, 0, 100, 2, 10, 0, 102, 5, 0, -10, 0, 0, 1, 101, 2, 0, -20, 4, 0, 0, 0}));
    ASSERT_EQ(vectsOf(mixed.get()).size(), 1u);
    const Vect& v = *mixed.get()->vects;
    EXPECT_EQ(v.type, LINTREL_POLYLINE);
    EXPECT_EQ(v.flatSegs, nullptr);
    const std::vector<Point> points = pointsOf(v);
    ASSERT_GT(points.size(), 3u);
    EXPECT_NEAR(points.front().x, 10, 1e-5);
    EXPECT_NEAR(points[points.size() - 2].y, -10, 1e-5);
    EXPECT_EQ(points.back().y, -20);
}
