// Kerf compensation: the offset distance measured at 1,000 points of the path on squares,
// circles and a concave outline, outward, inward and by containment depth, mitred corners,
// holes that vanish, shapes an inward offset splits, open shapes, and the drawing left as drawn.
#include <gtest/gtest.h>

#include <cmath>

#include "cutting/cutting_drawings.h"

namespace lintrel::test {
namespace {

constexpr double kPrecision = 0.01;

class Kerf : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!offsetterBuilt()) GTEST_SKIP() << "this build has no polygon offsetter";
    }
};

struct Offset {
    ChainOwner<VectGroup> chain;
    std::vector<int> status;
};

Offset kerf(VectGroup* drawing, int side, double distance, int corners = LINTREL_CORNER_ROUND) {
    const KerfRecord record{-1, side, corners, 0, distance, 4};
    Offset out;
    out.status.assign(ringCount(drawing->vects), -1);
    void* result = nullptr;
    EXPECT_EQ(Lintrel_KerfOffset(drawing, &record, 1, kPrecision, &result, out.status.data(),
                                 static_cast<int>(out.status.size())),
              LINTREL_OK);
    out.chain.reset(static_cast<VectGroup*>(result));
    return out;
}

// `count` points spread evenly along a vect's path (a circle without flattened copy on its
// true circle).
std::vector<Point> pointsAlong(const Vect& v, int count) {
    if (v.type == LINTREL_ARC && !v.flatSegs) {
        const ArcGeometry a = arcGeometry(*v.segs);
        std::vector<Point> out;
        for (int k = 0; k < count; ++k)
            out.push_back({a.centre.x + a.radius * std::cos(kTwoPi * k / count),
                           a.centre.y + a.radius * std::sin(kTwoPi * k / count)});
        return out;
    }
    const std::vector<Point> p = chainPoints(v);
    double length = 0;
    for (size_t k = 1; k < p.size(); ++k)
        length += distance(p[k - 1], p[k]);
    std::vector<Point> out;
    size_t edge = 1;
    double before = 0;
    for (int k = 0; k < count; ++k) {
        const double at = length * k / count;
        while (edge + 1 < p.size() && before + distance(p[edge - 1], p[edge]) < at) {
            before += distance(p[edge - 1], p[edge]);
            ++edge;
        }
        const double piece = distance(p[edge - 1], p[edge]);
        const double f = piece > 0 ? (at - before) / piece : 0;
        out.push_back({p[edge - 1].x + f * (p[edge].x - p[edge - 1].x),
                       p[edge - 1].y + f * (p[edge].y - p[edge - 1].y)});
    }
    return out;
}

// Distance from the exact shape: a circle's true circle, a polyline's segs.
double distanceFromShape(const Vect& shape, Point p) {
    if (shape.type == LINTREL_ARC) {
        const ArcGeometry a = arcGeometry(*shape.segs);
        return std::fabs(distance(p, a.centre) - a.radius);
    }
    double best = INFINITY;
    for (const Seg* s : ring(shape.segs))
        best = std::min(best, distanceToSeg(p, *s));
    return best;
}

double areaOf(const Vect& v) {
    if (v.type == LINTREL_ARC && !v.flatSegs) return kPi * std::pow(arcGeometry(*v.segs).radius, 2);
    const std::vector<Point> p = chainPoints(v);
    double twice = 0;
    for (size_t k = 1; k < p.size(); ++k)
        twice += p[k - 1].x * p[k].y - p[k].x * p[k - 1].y;
    return twice / 2;
}

void expectOffsetBy(const Vect& shape, const Vect& offset, double d, bool grows) {
    for (const Point& p : pointsAlong(offset, 1000))
        ASSERT_NEAR(distanceFromShape(shape, p), d, 0.001 + kPrecision)
            << "at (" << p.x << ", " << p.y << ")";
    EXPECT_EQ(std::fabs(areaOf(offset)) > std::fabs(areaOf(shape)), grows);
    // It runs the way the shape ran.
    EXPECT_EQ(areaOf(offset) > 0, areaOf(shape) > 0);
}

Vect* concaveOutline() {
    // A star of five points, clockwise: every other vertex a reflex corner.
    std::vector<Point> p;
    for (int k = 10; k >= 0; --k) {
        const double r = k % 2 ? 8 : 20, a = kTwoPi * k / 10;
        p.push_back({50 + r * std::cos(a), 50 + r * std::sin(a)});
    }
    return polylineOf(p, true);
}

TEST_F(Kerf, OffsetsSquaresCirclesAndConcaveOutlinesAtTheDistance) {
    for (int side : {LINTREL_KERF_OUTSIDE, LINTREL_KERF_INSIDE, LINTREL_KERF_BY_DEPTH})
        for (const bool flattened : {false, true}) {
            ChainOwner<VectGroup> drawing(
                groupOf({rectangle(0, 0, 20, 20), circle(50, 10, 10), concaveOutline()}));
            if (flattened) VarnixCad3_BuildFlatSegs(drawing.get()->vects->next, kPrecision);
            const Offset out = kerf(drawing.get(), side, 0.75);
            EXPECT_EQ(out.status, (std::vector<int>(3, LINTREL_KERF_RESULT_OFFSET)));
            const std::vector<Vect*> shapes = vectsOf(drawing.get()),
                                     offsets = vectsOf(out.chain.get());
            ASSERT_EQ(offsets.size(), 3u);
            for (size_t k = 0; k < 3; ++k) {
                SCOPED_TRACE("side " + std::to_string(side) + ", shape " + std::to_string(k) +
                             (flattened ? ", flattened" : ""));
                expectOffsetBy(*shapes[k], *offsets[k], 0.75, side != LINTREL_KERF_INSIDE);
            }
            // A circle stays a circle, flattened anew when it was flattened; the others start
            // near their old start.
            EXPECT_EQ(offsets[1]->type, LINTREL_ARC);
            EXPECT_EQ(offsets[1]->flatSegs != nullptr, flattened);
            EXPECT_LE(distance(chainPoints(*offsets[0])[0], {0, 0}), 0.75 * std::sqrt(2.0) + 1e-6);
        }
}

TEST_F(Kerf, ByDepthGrowsPartsAndShrinksHolesMitredOnRequest) {
    ChainOwner<VectGroup> drawing(groupOf({rectangle(0, 0, 40, 40), rectangle(10, 10, 10, 10),
                                           circle(30, 30, 4), rectangle(12, 12, 6, 6)}));
    const Offset out = kerf(drawing.get(), LINTREL_KERF_BY_DEPTH, 1, LINTREL_CORNER_MITRE);
    const std::vector<Vect*> offsets = vectsOf(out.chain.get());
    ASSERT_EQ(offsets.size(), 4u);
    // Mitred corners: the part's corner moves out diagonally, the hole's in.
    auto hasVertex = [](const Vect& v, Point p) {
        for (const Point& q : chainPoints(v))
            if (samePoint(p, q, 1e-5)) return true;
        return false;
    };
    EXPECT_TRUE(hasVertex(*offsets[0], {-1, -1}));
    EXPECT_TRUE(hasVertex(*offsets[1], {11, 11}));
    EXPECT_NEAR(arcGeometry(*offsets[2]->segs).radius, 3, 1e-12);
    // The part inside the hole is a part again: it grows.
    EXPECT_TRUE(hasVertex(*offsets[3], {11, 11}));
}

TEST_F(Kerf, LeavesVanishedHolesOpenShapesAndOtherGroupsAsDrawnAndNamesThem) {
    ChainOwner<VectGroup> drawing(
        groupOf({rectangle(0, 0, 40, 40), circle(10, 10, 0.1), rectangle(20, 20, 0.3, 0.3),
                 polyline({{5, 30}, {15, 30}})}));
    drawing.append(groupOf({rectangle(50, 0, 10, 10)}, 2));
    // The vanished circle keeps its flattened copy too.
    VarnixCad3_BuildFlatSegs(drawing.get()->vects->next, kPrecision);
    const KerfRecord record{1, LINTREL_KERF_BY_DEPTH, LINTREL_CORNER_ROUND, 0, 0.2, 2};
    std::vector<int> status(5, -1);
    void* result = nullptr;
    ASSERT_EQ(Lintrel_KerfOffset(drawing.get(), &record, 1, kPrecision, &result, status.data(), 5),
              LINTREL_OK);
    ChainOwner<VectGroup> offset(static_cast<VectGroup*>(result));
    EXPECT_EQ(status, (std::vector<int>{LINTREL_KERF_RESULT_OFFSET, LINTREL_KERF_RESULT_VANISHED,
                                        LINTREL_KERF_RESULT_VANISHED, LINTREL_KERF_RESULT_OPEN,
                                        LINTREL_KERF_RESULT_NOT_ASKED}));
    const std::vector<Vect*> before = vectsOf(drawing.get()), after = vectsOf(offset.get());
    ASSERT_EQ(after.size(), 5u);
    for (size_t k = 1; k < 5; ++k) {
        const std::vector<Point> a = chainPoints(*before[k]), b = chainPoints(*after[k]);
        ASSERT_EQ(a.size(), b.size());
        for (size_t i = 0; i < a.size(); ++i)
            EXPECT_TRUE(samePoint(a[i], b[i], 0)) << k;
    }
    // The drawing itself is as drawn.
    EXPECT_EQ(chainPoints(*before[0])[1].x, 40);
}

TEST_F(Kerf, InwardOffsetSplitsANarrowWaistIntoPieces) {
    // Two squares joined by a bridge 1 wide: shrinking by 1 leaves two pieces.
    ChainOwner<VectGroup> drawing(groupOf({polylineOf({{0, 0},
                                                       {10, 0},
                                                       {10, 4.5},
                                                       {20, 4.5},
                                                       {20, 0},
                                                       {30, 0},
                                                       {30, 10},
                                                       {20, 10},
                                                       {20, 5.5},
                                                       {10, 5.5},
                                                       {10, 10},
                                                       {0, 10},
                                                       {0, 0}},
                                                      true)}));
    const Offset out = kerf(drawing.get(), LINTREL_KERF_INSIDE, 1);
    EXPECT_EQ(out.status, std::vector<int>{LINTREL_KERF_RESULT_SPLIT});
    const std::vector<Vect*> pieces = vectsOf(out.chain.get());
    ASSERT_EQ(pieces.size(), 2u);
    for (const Vect* piece : pieces) {
        EXPECT_NEAR(std::fabs(areaOf(*piece)), 64, 0.5);
        EXPECT_EQ(piece->closed, 1);
    }
}

TEST(KerfArguments, RefusesBadArgumentsInEveryBuild) {
    ChainOwner<VectGroup> drawing(groupOf({rectangle(0, 0, 10, 10)}));
    KerfRecord record{-1, LINTREL_KERF_OUTSIDE, LINTREL_CORNER_ROUND, 0, 1, 2};
    void* result = nullptr;
    EXPECT_EQ(Lintrel_KerfOffset(nullptr, &record, 1, 0.01, &result, nullptr, 0),
              LINTREL_BAD_ARGUMENT);
    EXPECT_EQ(Lintrel_KerfOffset(drawing.get(), &record, 1, 0.01, nullptr, nullptr, 0),
              LINTREL_BAD_ARGUMENT);
    EXPECT_EQ(Lintrel_KerfOffset(drawing.get(), nullptr, 1, 0.01, &result, nullptr, 0),
              LINTREL_BAD_ARGUMENT);
    EXPECT_EQ(Lintrel_KerfOffset(drawing.get(), &record, 1, 0, &result, nullptr, 0),
              LINTREL_BAD_ARGUMENT);
    record.distance = -1;
    EXPECT_EQ(Lintrel_KerfOffset(drawing.get(), &record, 1, 0.01, &result, nullptr, 0),
              LINTREL_BAD_ARGUMENT);
    record.distance = 1;
    record.side = 4;
    EXPECT_EQ(Lintrel_KerfOffset(drawing.get(), &record, 1, 0.01, &result, nullptr, 0),
              LINTREL_BAD_ARGUMENT);
    EXPECT_EQ(result, nullptr);
#ifdef _WIN32
    record.side = LINTREL_KERF_OUTSIDE;
    EXPECT_EQ(Lintrel_KerfOffset(drawing.get(), &record, 1, 0.01, &result, nullptr, 0),
              LINTREL_NOT_AVAILABLE);
#endif
}

}  // namespace
}  // namespace lintrel::test
