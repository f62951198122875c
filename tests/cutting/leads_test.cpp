// Leads and overcut: line and arc leads on the scrap side of parts and holes, the overcut
// length, leads shortened and dropped beside a neighbour, and on a plate of parts no lead that
// comes near another shape or lead or pierces inside a part.
#include <gtest/gtest.h>

#include <cmath>

#include "cutting/cutting_drawings.h"

namespace lintrel::test {
namespace {

constexpr double kPrecision = 0.01;

LeadRecord leadRecord(int group, int in, double inLength, double inAngle,
                      int out = LINTREL_LEAD_NONE, double outLength = 0, double outAngle = 90,
                      double overcut = 0) {
    return {group, in, out, 0, inLength, inAngle, outLength, outAngle, overcut};
}

std::vector<int> addLeads(VectGroup* drawing, const LeadRecord& record) {
    int count = 0;
    for (VectGroup* g : ring(drawing))
        count += ringCount(g->vects);
    std::vector<int> status(count, -1);
    EXPECT_EQ(Lintrel_AddLeads(drawing, &record, 1, kPrecision, status.data(), count), LINTREL_OK);
    return status;
}

void expectPoints(const Vect& v, const std::vector<Point>& expected) {
    const std::vector<Point> p = chainPoints(v);
    ASSERT_EQ(p.size(), expected.size());
    for (size_t k = 0; k < p.size(); ++k)
        EXPECT_TRUE(samePoint(p[k], expected[k], 1e-9))
            << k << ": (" << p[k].x << ", " << p[k].y << ")";
}

TEST(Leads, LineLeadsOnTheScrapSideOfAPartAndAHoleWithOvercut) {
    ChainOwner<VectGroup> drawing(
        groupOf({rectangle(0, 0, 20, 20), rectangle(60, 0, 40, 40),
                 polylineOf({{70, 20}, {70, 30}, {90, 30}, {90, 10}, {70, 10}, {70, 20}}, true)}));
    const std::vector<int> status = addLeads(
        drawing.get(), leadRecord(-1, LINTREL_LEAD_LINE, 5, 90, LINTREL_LEAD_LINE, 3, 90, 2));
    EXPECT_EQ(status, (std::vector<int>{0, 0, 0}));
    const std::vector<Vect*> v = vectsOf(drawing.get());
    // The part: pierced below its first edge, once round, 2 more along it, and away again.
    expectPoints(*v[0], {{0, -5}, {0, 0}, {20, 0}, {20, 20}, {0, 20}, {0, 0}, {2, 0}, {2, -3}});
    EXPECT_EQ(v[0]->closed, 0);
    // The hole (clockwise, starting up its left edge): pierced inside it.
    expectPoints(
        *v[2],
        {{75, 20}, {70, 20}, {70, 30}, {90, 30}, {90, 10}, {70, 10}, {70, 20}, {70, 22}, {73, 22}});
}

TEST(Leads, AtAHoleCornerALeadSquareToThePathTurnsToTheBisector) {
    // Clockwise from the corner (70, 10): square to the first edge the lead would run along the
    // bottom edge, so it goes in along the corner's bisector; the lead-out (no overcut) too.
    ChainOwner<VectGroup> drawing(
        groupOf({rectangle(60, 0, 40, 40), rectangle(70, 10, 20, 20, true)}));
    const std::vector<int> status =
        addLeads(drawing.get(), leadRecord(-1, LINTREL_LEAD_LINE, 4, 90, LINTREL_LEAD_LINE, 4, 90));
    EXPECT_EQ(status[1], 0);
    const double d = 4 / std::sqrt(2.0);
    const std::vector<Point> p = chainPoints(*vectsOf(drawing.get())[1]);
    EXPECT_TRUE(samePoint(p.front(), {70 + d, 10 + d}, 1e-9));
    EXPECT_TRUE(samePoint(p.back(), {70 + d, 10 + d}, 1e-9));
}

TEST(Leads, ArcLeadsAreTangentQuarterCircles) {
    // In along the first edge from below, out along the last edge (arriving downwards) to the
    // left: both curve away on the outside of the square.
    ChainOwner<VectGroup> drawing(groupOf({rectangle(0, 0, 20, 20)}));
    addLeads(drawing.get(), leadRecord(-1, LINTREL_LEAD_ARC, 3, 90, LINTREL_LEAD_ARC, 3, 90));
    const std::vector<Point> p = chainPoints(*drawing.get()->vects);
    EXPECT_TRUE(samePoint(p.front(), {-3, -3}, 1e-9));
    EXPECT_TRUE(samePoint(p.back(), {-3, -3}, 1e-9));
    int onArcs = 0;
    for (const Point& q : p) {
        if (q.x >= 0 && q.y >= 0) continue;  // the square itself
        EXPECT_NEAR(
            std::min(std::fabs(distance(q, {0, -3}) - 3), std::fabs(distance(q, {-3, 0}) - 3)), 0,
            1e-9);
        ++onArcs;
    }
    EXPECT_GT(onArcs, 8);
}

TEST(Leads, ALeadTowardsANeighbourIsShortenedThenDropped) {
    for (const auto& [gap, expected] :
         {std::pair{4.0, LINTREL_LEAD_IN_SHORTENED}, std::pair{1.0, LINTREL_LEAD_IN_DROPPED}}) {
        // A square entered mid-edge (no corner to turn the lead to), a neighbour below.
        ChainOwner<VectGroup> drawing(
            groupOf({polylineOf({{10, 0}, {20, 0}, {20, 20}, {0, 20}, {0, 0}, {10, 0}}, true)}, 1));
        drawing.append(groupOf({rectangle(-10, -gap - 20, 40, 20)}, 2));
        const std::vector<int> status =
            addLeads(drawing.get(), leadRecord(1, LINTREL_LEAD_LINE, 5, 90));
        EXPECT_EQ(status, (std::vector<int>{expected, 0})) << gap;
        const Point pierce = chainPoints(*drawing.get()->vects).front();
        EXPECT_TRUE(samePoint(
            pierce, expected == LINTREL_LEAD_IN_SHORTENED ? Point{10, -2.5} : Point{10, 0}, 1e-9));
        // The neighbour, in a group without a record, is left alone.
        EXPECT_EQ(drawing.get()->next->vects->closed, 1);
    }
}

TEST(Leads, OpenShapesGetNoLeadsAndBadRecordsAreRefused) {
    ChainOwner<VectGroup> drawing(groupOf({polyline({{0, 0}, {10, 0}})}));
    EXPECT_EQ(addLeads(drawing.get(), leadRecord(-1, LINTREL_LEAD_LINE, 5, 90)),
              std::vector<int>{LINTREL_LEAD_NOT_CLOSED});
    EXPECT_EQ(ringCount(drawing.get()->vects->segs), 1);
    LeadRecord bad = leadRecord(-1, 3, 5, 90);
    EXPECT_EQ(Lintrel_AddLeads(drawing.get(), &bad, 1, kPrecision, nullptr, 0),
              LINTREL_BAD_ARGUMENT);
    bad = leadRecord(-1, LINTREL_LEAD_LINE, -1, 90);
    EXPECT_EQ(Lintrel_AddLeads(drawing.get(), &bad, 1, kPrecision, nullptr, 0),
              LINTREL_BAD_ARGUMENT);
    EXPECT_EQ(Lintrel_AddLeads(drawing.get(), nullptr, 1, kPrecision, nullptr, 0),
              LINTREL_BAD_ARGUMENT);
    EXPECT_EQ(Lintrel_AddLeads(nullptr, &bad, 0, kPrecision, nullptr, 0), LINTREL_BAD_ARGUMENT);
}

bool crosses(Point a, Point b, Point c, Point d) {
    const auto side = [](Point p, Point q, Point r) {
        return (q.x - p.x) * (r.y - p.y) - (q.y - p.y) * (r.x - p.x);
    };
    return side(a, b, c) * side(a, b, d) < 0 && side(c, d, a) * side(c, d, b) < 0;
}

double chainDistance(const std::vector<Point>& p, const std::vector<Point>& q) {
    double best = INFINITY;
    for (size_t i = 1; i < p.size(); ++i)
        for (size_t j = 1; j < q.size(); ++j) {
            if (crosses(p[i - 1], p[i], q[j - 1], q[j])) return 0;
            best = std::min({best, distanceToSegment(p[i - 1], q[j - 1], q[j]),
                             distanceToSegment(p[i], q[j - 1], q[j]),
                             distanceToSegment(q[j - 1], p[i - 1], p[i]),
                             distanceToSegment(q[j], p[i - 1], p[i])});
        }
    return best;
}

bool insideRing(const std::vector<Point>& ring, Point p) {
    bool inside = false;
    for (size_t k = 1; k < ring.size(); ++k) {
        const Point a = ring[k - 1], b = ring[k];
        if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y))
            inside = !inside;
    }
    return inside;
}

TEST(Leads, OnAPlateOfPartsNoLeadComesNearAnotherShapeOrPiercesAPart) {
    // Parts 10 apart with holes of radius 3: long leads must shorten in the holes.
    ChainOwner<VectGroup> drawing(plateOfParts(4, 3, 7, 30));
    for (Vect* v : vectsOf(drawing.get()))
        VarnixCad3_BuildFlatSegs(v, kPrecision);
    std::vector<std::vector<Point>> shapes;
    for (Vect* v : vectsOf(drawing.get()))
        shapes.push_back(chainPoints(*v));
    const Nesting nesting = nestingOf(drawing.get());
    const std::vector<int> status = addLeads(
        drawing.get(), leadRecord(-1, LINTREL_LEAD_LINE, 8, 45, LINTREL_LEAD_ARC, 4, 90, 1));
    const std::vector<Vect*> led = vectsOf(drawing.get());
    int shortened = 0;
    for (size_t k = 0; k < led.size(); ++k) {
        shortened += (status[k] & (LINTREL_LEAD_IN_SHORTENED | LINTREL_LEAD_OUT_SHORTENED)) != 0;
        const std::vector<Point> path = chainPoints(*led[k]);
        for (size_t j = 0; j < led.size(); ++j) {
            if (j == k) continue;
            EXPECT_GT(chainDistance(path, shapes[j]), kPrecision) << k << " near shape " << j;
            EXPECT_GT(chainDistance(path, chainPoints(*led[j])), kPrecision) << k << ", " << j;
        }
        // The pierce point: inside its own hole, or outside every part.
        const Point pierce = path.front();
        if (nesting.depth[k] == 1) {
            EXPECT_TRUE(insideRing(shapes[k], pierce)) << k;
        } else {
            for (size_t j = 0; j < shapes.size(); ++j)
                EXPECT_FALSE(insideRing(shapes[j], pierce)) << k << " pierces inside " << j;
        }
    }
    EXPECT_GT(shortened, 10);
}

}  // namespace
}  // namespace lintrel::test
