// The flattening budget of one import: a small file of many curves at absurd coordinates gets no
// more segs than the budget allows, every shape stays (coarser past the budget), and the import
// says so in its diagnostics.
#include <gtest/gtest.h>

#include "base/diagnostics.h"
#include "curves/flatten.h"
#include "import_helpers.h"

namespace lintrel::test {
namespace {

// Each of these curves wants the most steps one curve may have.
constexpr int kHugeCurves = 6;
constexpr double kHuge = 1e9;

// Every vect a closed polyline of at least `fewest` segs; returns the segs of all of them.
long expectClosedPolylines(VectGroup* drawing, int fewest) {
    long total = 0;
    for (Vect* v : vectsOf(drawing)) {
        EXPECT_EQ(v->type, LINTREL_POLYLINE);
        const int n = ringCount(v->segs);
        EXPECT_GE(n, fewest);
        EXPECT_EQ(v->segs->x0, v->segs->prev->x1);
        EXPECT_EQ(v->segs->y0, v->segs->prev->y1);
        total += n;
    }
    return total;
}

TEST(ImportFlattenBudget, ManyHugeCirclesSpendTheBudgetOnceAndTheRestComeOutCoarser) {
    DxfText t = entitiesOnly();
    for (int i = 0; i < kHugeCurves; ++i)
        t.circle(3 * i * kHuge, 0, kHuge);
    const auto drawing = importDrawing(t, 0, 0.0005);
    ASSERT_TRUE(drawing.get());
    ASSERT_EQ(vectsOf(drawing.get()).size(), static_cast<size_t>(kHugeCurves));
    // Two circles take the whole budget; the other four get the fewest steps of an arc.
    const long total = expectClosedPolylines(drawing.get(), 8);
    EXPECT_EQ(total, kImportFlattenSegs + 8 * (kHugeCurves - 2));
    EXPECT_EQ(lastImport().countOf(diag::kFlattenBudget), kHugeCurves - 2);
}

TEST(ImportFlattenBudget, EllipsesFlattenedWhileCurvesAreKeptShareTheBudget) {
    DxfText t = entitiesOnly();
    for (int i = 0; i < kHugeCurves; ++i)
        t.ellipse(3 * i * kHuge, 0, kHuge, 0, 0.5, 0, 2 * kPi);
    const auto drawing = importDrawing(t, 1, 0.0005);
    ASSERT_TRUE(drawing.get());
    ASSERT_EQ(vectsOf(drawing.get()).size(), static_cast<size_t>(kHugeCurves));
    EXPECT_LE(expectClosedPolylines(drawing.get(), 19), kImportFlattenSegs + 20 * kHugeCurves);
    EXPECT_GE(lastImport().countOf(diag::kFlattenBudget), kHugeCurves - 2);
}

TEST(ImportFlattenBudget, OrdinaryDrawingsAreFlattenedInFullAndSayNothing) {
    DxfText t = entitiesOnly();
    for (int i = 0; i < 50; ++i)
        t.circle(i * 100.0, 0, 40).ellipse(i * 100.0, 200, 40, 0, 0.5, 0, 2 * kPi);
    const auto drawing = importDrawing(t, 0, 0.0005);
    ASSERT_TRUE(drawing.get());
    const Vect* circle = vectsOf(drawing.get()).front();
    EXPECT_EQ(ringCount(circle->segs), stepCount(kTwoPi * 40, 40, 0.0005));
    EXPECT_EQ(lastImport().countOf(diag::kFlattenBudget), 0);
}

}  // namespace
}  // namespace lintrel::test
