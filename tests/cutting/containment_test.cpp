// Containment: nesting at several depths across groups, touching and duplicate shapes, open
// shapes, the export's count protocol, and a differential test against the scan of every pair.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "cutting/cutting_drawings.h"

namespace lintrel::test {
namespace {

TEST(Containment, NestsPartsInHolesOfPartsAcrossGroups) {
    // A sheet, a part with a hole, a part inside that hole with a hole of its own, an open
    // engraving inside the part, and a hole that touches the part's edge.
    ChainOwner<VectGroup> drawing(groupOf({rectangle(0, 0, 100, 100),  // 0 sheet
                                           rectangle(10, 10, 60, 60),  // 1 part
                                           circle(40, 40, 20)},        // 2 hole
                                          1));
    drawing.append(groupOf({rectangle(30, 30, 20, 20, true),  // 3 part in hole
                            circle(40, 40, 3),                // 4 its hole
                            polyline({{12, 62}, {20, 62}}),   // 5 open, in part
                            rectangle(10, 60, 8, 10)},        // 6 touches part
                           2));
    const Nesting n = nestingOf(drawing.get());
    EXPECT_EQ(n.parent, (std::vector<int>{-1, 0, 1, 2, 3, 1, 1}));
    EXPECT_EQ(n.depth, (std::vector<int>{0, 1, 2, 3, 4, 2, 2}));
}

TEST(Containment, OpenShapesDuplicatesAndNeighboursEncloseNothing) {
    ChainOwner<Vect> list(polyline({{0, 0}, {50, 0}, {50, 50}, {0, 50}, {0, 0}}));  // not closed
    append(list.head(), rectangle(10, 10, 5, 5));
    append(list.head(), rectangle(20, 20, 10, 10));
    append(list.head(), rectangle(20, 20, 10, 10));  // a duplicate
    append(list.head(), rectangle(30, 20, 10, 10));  // shares an edge
    const Nesting n = nestingOf(list.get());
    EXPECT_EQ(n.parent, (std::vector<int>{-1, -1, -1, -1, -1}));
    EXPECT_EQ(n.depth, (std::vector<int>(5, 0)));
}

TEST(Containment, DamagedShapesAreLeftOutOfEveryOperation) {
    ChainOwner<VectGroup> drawing(groupOf({rectangle(0, 0, 10, 10), rectangle(2, 2, 2, 2),
                                           rectangle(3, 3, NAN, 1), VarnixCad3_NewVect()}));
    const Nesting n = nestingOf(drawing.get());
    EXPECT_EQ(n.parent, (std::vector<int>{-1, 0, -1, -1}));
    const KerfRecord kerf{-1, LINTREL_KERF_BY_DEPTH, LINTREL_CORNER_ROUND, 0, 0.1, 2};
    void* offset = nullptr;
    int status[4] = {};
    if (offsetterBuilt()) {
        ASSERT_EQ(Lintrel_KerfOffset(drawing.get(), &kerf, 1, 0.01, &offset, status, 4),
                  LINTREL_OK);
        VarnixCad3_DeleteChain(offset);
        EXPECT_EQ(status[2], LINTREL_KERF_RESULT_OPEN);
    }
    const LeadRecord leads{-1, LINTREL_LEAD_LINE, LINTREL_LEAD_ARC, 0, 1, 90, 1, 90, 1};
    ASSERT_EQ(Lintrel_AddLeads(drawing.get(), &leads, 1, 0.01, status, 4), LINTREL_OK);
    EXPECT_EQ(status[2], LINTREL_LEAD_NOT_CLOSED);
    void* list = drawing.get();
    EXPECT_NE(Lintrel_InnerFirst(&list, 0.01, 0), LINTREL_BAD_ARGUMENT);
}

TEST(Containment, ExportCountsThenFillsAndRefusesBadArguments) {
    ChainOwner<VectGroup> drawing(groupOf({rectangle(0, 0, 10, 10), circle(5, 5, 1)}));
    int count = -1;
    EXPECT_EQ(Lintrel_GetContainment(drawing.get(), 0.01, nullptr, nullptr, &count), LINTREL_OK);
    EXPECT_EQ(count, 2);
    int parent[2] = {7, 7}, depth[2] = {7, 7};
    count = 1;
    EXPECT_EQ(Lintrel_GetContainment(drawing.get(), 0.01, parent, depth, &count),
              LINTREL_BAD_ARGUMENT);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(parent[0], 7);
    EXPECT_EQ(Lintrel_GetContainment(drawing.get(), 0.01, parent, nullptr, &count), LINTREL_OK);
    EXPECT_EQ(parent[1], 0);
    EXPECT_EQ(Lintrel_GetContainment(nullptr, 0.01, parent, depth, &count), LINTREL_BAD_ARGUMENT);
    EXPECT_EQ(Lintrel_GetContainment(drawing.get(), 0, parent, depth, &count),
              LINTREL_BAD_ARGUMENT);
    EXPECT_EQ(Lintrel_GetContainment(drawing.get(), 0.01, parent, depth, nullptr),
              LINTREL_BAD_ARGUMENT);
    EXPECT_EQ(Lintrel_GetContainment(drawing.get()->vects->segs, 0.01, parent, depth, &count),
              LINTREL_BAD_ARGUMENT);
}

// ---- The scan of every pair, written the slow way ----

struct Shape {
    std::vector<Point> points;  // closed: vertices once
    bool closed = false;
    double area = 0;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    bool holdsBox(const Shape& o, double t) const {
        return o.xMin >= xMin - t && o.xMax <= xMax + t && o.yMin >= yMin - t && o.yMax <= yMax + t;
    }
};

bool insideByCrossings(const std::vector<Point>& ring, Point p, double tolerance, bool& onEdge) {
    bool inside = false;
    onEdge = false;
    for (size_t k = 0; k < ring.size(); ++k) {
        const Point a = ring[k], b = ring[(k + 1) % ring.size()];
        if (distanceToSegment(p, a, b) <= tolerance) onEdge = true;
        if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y))
            inside = !inside;
    }
    return inside;
}

std::vector<int> parentsByScan(const std::vector<Shape>& shapes, double tolerance) {
    std::vector<int> parent(shapes.size(), -1);
    for (size_t i = 0; i < shapes.size(); ++i) {
        for (size_t j = 0; j < shapes.size(); ++j) {
            if (i == j || !shapes[j].closed || !shapes[j].holdsBox(shapes[i], tolerance) ||
                !(std::fabs(shapes[j].area) > std::fabs(shapes[i].area)))
                continue;
            if (parent[i] >= 0 && std::fabs(shapes[j].area) >= std::fabs(shapes[parent[i]].area))
                continue;
            for (size_t k = 0; k < std::min<size_t>(16, shapes[i].points.size()); ++k) {
                bool onEdge = false;
                const bool inside =
                    insideByCrossings(shapes[j].points, shapes[i].points[k], tolerance, onEdge);
                if (onEdge) continue;
                if (inside) parent[i] = static_cast<int>(j);
                break;
            }
        }
    }
    return parent;
}

TEST(ContainmentDifferential, MatchesTheScanOfEveryPair) {
    int nested = 0;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 random(seed);
        std::uniform_real_distribution<double> at(0, 100), size(0.5, 60);
        ChainOwner<Vect> list;
        const int count = 50 + static_cast<int>(seed) * 5;
        for (int k = 0; k < count; ++k) {
            const int kind = static_cast<int>(random() % 5);
            const double x = std::round(at(random)), y = std::round(at(random));
            const double s = std::round(size(random));
            if (kind == 0) list.append(circle(x, y, s / 2));
            if (kind == 1) list.append(rectangle(x, y, s, s / 2, random() % 2));
            if (kind == 2) list.append(polyline({{x, y}, {x + s, y + 1}}));
            // Exact repeats and neighbours sharing edges: ties of area and touching outlines.
            if (kind >= 3 && list.get()) {
                Vect* last = lastOf(list.get());
                Vect* again = static_cast<Vect*>(VarnixCad3_CopyOne(last));
                const std::vector<Point> p = chainPoints(*last);
                const auto [low, high] = std::minmax_element(
                    p.begin(), p.end(), [](Point a, Point b) { return a.x < b.x; });
                if (kind == 4) VarnixCad3_MoveOne(again, high->x - low->x, 0);
                list.append(again);
            }
        }
        std::vector<Shape> shapes;
        for (Vect* v : ring(list.get())) {
            VarnixCad3_BuildFlatSegs(v, 0.05);
            Shape s;
            s.points = chainPoints(*v);
            s.closed = v->closed != 0;
            s.xMin = s.xMax = s.points[0].x;
            s.yMin = s.yMax = s.points[0].y;
            for (const Point& p : s.points) {
                s.xMin = std::min(s.xMin, p.x);
                s.xMax = std::max(s.xMax, p.x);
                s.yMin = std::min(s.yMin, p.y);
                s.yMax = std::max(s.yMax, p.y);
            }
            if (s.closed) {
                s.points.pop_back();
                s.area = 0;
                for (size_t k = 0; k < s.points.size(); ++k) {
                    const Point a = s.points[k], b = s.points[(k + 1) % s.points.size()];
                    s.area += (a.x - s.points[0].x) * (b.y - s.points[0].y) -
                              (b.x - s.points[0].x) * (a.y - s.points[0].y);
                }
                s.area /= 2;
            }
            shapes.push_back(s);
        }
        const std::vector<int> expected = parentsByScan(shapes, 0.05);
        EXPECT_EQ(nestingOf(list.get(), 0.05).parent, expected) << "seed " << seed;
        nested += static_cast<int>(
            std::count_if(expected.begin(), expected.end(), [](int p) { return p >= 0; }));
    }
    // The drawings nest shapes, deeply enough to matter.
    EXPECT_GT(nested, 500);
}

}  // namespace
}  // namespace lintrel::test
