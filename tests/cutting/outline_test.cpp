// Outlines read one after another through one reader: each is what the vect alone gives, however
// long or short, closed or in pieces, the vects read before it were.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "cutting/cutting_drawings.h"
#include "cutting/outline.h"

namespace lintrel::test {
namespace {

// Two pieces: the second seg lifts the tool and starts elsewhere.
Vect* twoPieces() {
    Vect* v = polyline({{0, 0}, {5, 0}});
    Seg* second = lineSeg(10, 0, 15, 5);
    second->jump = 1;
    append(v->segs, second);
    v->closed = 1;
    return v;
}

Vect* damaged() {
    return polyline({{0, 0}, {std::numeric_limits<double>::quiet_NaN(), 1}, {2, 2}});
}

void expectSame(const Outline& a, const Outline& b, size_t k) {
    ASSERT_EQ(a.points.size(), b.points.size()) << k;
    for (size_t i = 0; i < a.points.size(); ++i)
        EXPECT_TRUE(a.points[i].x == b.points[i].x && a.points[i].y == b.points[i].y) << k;
    EXPECT_EQ(a.pieceStarts, b.pieceStarts) << k;
    EXPECT_EQ(a.closed, b.closed) << k;
    EXPECT_EQ(a.area, b.area) << k;
    EXPECT_TRUE(a.box.xMin == b.box.xMin && a.box.yMin == b.box.yMin && a.box.xMax == b.box.xMax &&
                a.box.yMax == b.box.yMax)
        << k;
}

TEST(Outlines, OneReaderGivesEachVectItsOwnOutline) {
    // Long before short, pieces before a closed shape, a damaged vect in between.
    ChainOwner<VectGroup> drawing(groupOf({circle(0, 0, 50), rectangle(0, 0, 10, 10), twoPieces(),
                                           rectangle(5, 5, 2, 2, true), damaged(),
                                           polyline({{0, 0}, {3, 4}}), circle(1, 1, 0.5)}));
    const std::vector<Vect*> vects = drawingVects(drawing.get());
    const std::vector<Outline> together = outlinesOf(vects, 0.05);
    ASSERT_EQ(together.size(), vects.size());
    for (size_t k = 0; k < vects.size(); ++k)
        expectSame(together[k], OutlineReader().read(*vects[k], 0.05), k);
    // What each kind reads as: a closed square lists its corners once, counter-clockwise; the
    // clockwise one has negative area; pieces and open chains have no inside; the damaged
    // vect has no outline.
    EXPECT_EQ(together[1].points.size(), 4u);
    EXPECT_TRUE(together[1].closed);
    EXPECT_EQ(together[1].area, 100);
    EXPECT_EQ(together[3].area, -4);
    EXPECT_EQ(together[2].pieceStarts, std::vector<int>{2});
    EXPECT_FALSE(together[2].closed);
    EXPECT_TRUE(together[4].points.empty());
    EXPECT_FALSE(together[5].closed);
    EXPECT_EQ(together[5].points.size(), 2u);
    // A circle too small for more steps at the precision is read as an octagon.
    EXPECT_TRUE(together[6].closed);
    EXPECT_EQ(together[6].points.size(), 8u);
    EXPECT_NEAR(together[6].area, 2 * std::sqrt(2.0) * 0.25, 1e-6);
}

}  // namespace
}  // namespace lintrel::test
