// HATCH boundaries as outlines: off by default, polyline and edge paths as closed shapes with
// the option, and the corpus drawing whose boundary has clockwise arcs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "import/dxf/dxf_diagnostics.h"
#include "import_helpers.h"
#include "support/corpus.h"

namespace lintrel::test {
namespace {

constexpr int kOutlines = LINTREL_IMPORT_HATCH_OUTLINES | LINTREL_IMPORT_KEEP_CURVES;

// A hatch of colour 3 with a square polyline path and a half-disc edge path (line and arc);
// `clockwise` writes the arc as a clockwise edge with mirrored angles.
std::string twoPathHatch(bool clockwise = false) {
    DxfText t = entitiesOnly();
    t.entity("HATCH", "0", 3).point(10, 0, 0).group(2, "SOLID").group(70, 1).group(71, 0);
    t.group(91, 2);
    t.group(92, 2).group(72, 0).group(73, 1).group(93, 4);
    t.group(10, 0.0).group(20, 0.0).group(10, 10.0).group(20, 0.0);
    t.group(10, 10.0).group(20, 10.0).group(10, 0.0).group(20, 10.0).group(97, 0);
    t.group(92, 1).group(93, 2);
    t.group(72, 1).group(10, 20.0).group(20, 0.0).group(11, 30.0).group(21, 0.0);
    t.group(72, 2).group(10, 25.0).group(20, 0.0).group(40, 5.0);
    if (clockwise)  // from 0 degrees to 180 through 90 as a clockwise edge: angles -0 and -180
        t.group(50, 180.0).group(51, 0.0).group(73, 0);
    else
        t.group(50, 0.0).group(51, 180.0).group(73, 1);
    t.group(97, 0);
    t.group(75, 0).group(76, 1).group(98, 0);
    return t.endSection().eof().str();
}

// A drawing of nothing but a hatch is a null drawing.
TEST(DxfHatch, FillsAreNotDrawnByDefault) {
    EXPECT_FALSE(importText(twoPathHatch(), 1));
    EXPECT_EQ(lastImport().countOf(diag::kDxfNotConverted), 1);
}

TEST(DxfHatch, PolylineAndEdgePathsBecomeClosedOutlines) {
    for (const bool clockwise : {false, true}) {
        const ChainOwner<VectGroup> groups = importText(twoPathHatch(clockwise), kOutlines);
        EXPECT_EQ(lastImport().countOf(diag::kDxfNotConverted), 0);
        const auto vects = vectsOf(groups.get());
        ASSERT_EQ(vects.size(), 2u);
        ASSERT_EQ(groupsOf(groups.get()).size(), 1u);
        for (Vect* v : vects) {
            EXPECT_EQ(v->closed, 1);
            EXPECT_TRUE(continuous(v->segs));
            EXPECT_EQ(segStart(*v->segs).x, segEnd(*lastOf(v->segs)).x);
            EXPECT_EQ(segStart(*v->segs).y, segEnd(*lastOf(v->segs)).y);
        }
        const Extent square = extentOf(vects[0]), disc = extentOf(vects[1]);
        EXPECT_EQ(square.x1 - square.x0, 10);
        EXPECT_EQ(square.y1 - square.y0, 10);
        EXPECT_NEAR(disc.x0, 20, 1e-9);
        EXPECT_NEAR(disc.x1, 30, 1e-9);
        EXPECT_NEAR(disc.y0, 0, 1e-9);
        EXPECT_NEAR(disc.y1, 5, 0.06) << (clockwise ? "clockwise" : "counter-clockwise");
    }
}

// An elliptic edge path (a whole ellipse, 20 by 10) and a spline edge closed by a line.
TEST(DxfHatch, EllipseAndSplineEdgesAreSampledWithinTheirCurves) {
    DxfText t = entitiesOnly();
    t.entity("HATCH", "0", 5).group(2, "SOLID").group(70, 1).group(91, 2);
    t.group(92, 1).group(93, 1).group(72, 3).group(10, 0.0).group(20, 0.0);
    t.group(11, 10.0).group(21, 0.0).group(40, 0.5).group(50, 0.0).group(51, 360.0);
    t.group(73, 1).group(97, 0);
    t.group(92, 1).group(93, 2).group(72, 4).group(94, 3).group(73, 0).group(74, 0);
    t.group(95, 8).group(96, 4);
    for (const double k : {0.0, 0.0, 0.0, 0.0, 1.0, 1.0, 1.0, 1.0})
        t.group(40, k);
    for (const auto& [x, y] : {std::pair{0.0, 0.0}, {0.0, 10.0}, {10.0, 10.0}, {10.0, 0.0}})
        t.group(10, x).group(20, y);
    t.group(72, 1).group(10, 10.0).group(20, 0.0).group(11, 0.0).group(21, 0.0).group(97, 0);
    const ChainOwner<VectGroup> groups = importDrawing(t, kOutlines, 0.01);
    const auto vects = vectsOf(groups.get());
    ASSERT_EQ(vects.size(), 2u);
    const Extent ellipse = extentOf(vects[0]), spline = extentOf(vects[1]);
    EXPECT_NEAR(ellipse.x1 - ellipse.x0, 20, 0.02);
    EXPECT_NEAR(ellipse.y1 - ellipse.y0, 10, 0.02);
    EXPECT_NEAR(spline.x1 - spline.x0, 10, 1e-9);
    EXPECT_NEAR(spline.y1, 7.5, 0.05);  // the cubic's highest point
    for (Vect* v : vects)
        EXPECT_EQ(v->closed, 1);
}

TEST(DxfHatchCorpus, ClockwiseArcBoundaryIsOneClosedOutline) {
    SKIP_WITHOUT_CORPUS("dxf");
    const std::string path = corpus::file("dxf", "ezdxf__clockwise_arcs_hatch.dxf").string();
    const ChainOwner<VectGroup> plain(VarnixCad3_ImportVectGraph(path.c_str(), 1016, 1, 0.05, 0));
    EXPECT_TRUE(vectsOf(plain.get()).empty());
    const ChainOwner<VectGroup> groups(
        VarnixCad3_ImportVectGraph(path.c_str(), 1016, kOutlines, 0.05, 0));
    const auto vects = vectsOf(groups.get());
    ASSERT_GE(vects.size(), 1u);
    for (Vect* v : vects) {
        EXPECT_EQ(v->closed, 1);
        // A mirrored arc would leave a jump across the shape: no chord may be long.
        const Extent b = extentOf(v);
        const double size = std::hypot(b.x1 - b.x0, b.y1 - b.y0);
        double longest = 0;
        for (Seg* s : ring(v->segs))
            longest = std::max(longest, std::hypot(s->x1 - s->x0, s->y1 - s->y0));
        std::printf("hatch outline: %zu segs, box %g x %g, longest chord %g\n",
                    segsOf(v->segs).size(), b.x1 - b.x0, b.y1 - b.y0, longest);
        EXPECT_LT(longest, 0.7 * size);
    }
}

}  // namespace
}  // namespace lintrel::test
