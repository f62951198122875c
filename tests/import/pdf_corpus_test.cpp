// The PDF reader over the corpus: every drawing imports, finite and on its page, with at least
// as many vects as it had when the reader was written (a floor, so that a change which loses
// paths shows), and the full-page drawing measures its page.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "import_helpers.h"
#include "support/corpus.h"

namespace lintrel::test {
namespace {

namespace fs = std::filesystem;

// Vects of each file as read with curves flattened at 0.05 mm.
const std::map<std::string, size_t> kFloors = {
#include "pdf_corpus_floors.inc"
};

struct Extent {
    double x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
};

Extent extentOf(VectGroup* groups) {
    Extent e;
    for (VectGroup* g : ring(groups))
        for (Vect* v : ring(g->vects))
            for (Seg* s : ring(v->segs))
                for (const Point p : {segStart(*s), segEnd(*s)}) {
                    e.x0 = std::min(e.x0, p.x);
                    e.y0 = std::min(e.y0, p.y);
                    e.x1 = std::max(e.x1, p.x);
                    e.y1 = std::max(e.y1, p.y);
                }
    return e;
}

TEST(PdfCorpus, EveryDrawingImportsOnItsPage) {
    SKIP_WITHOUT_CORPUS("pdf");
    for (const fs::path& path : corpus::files("pdf")) {
        if (path.extension() != ".pdf") continue;
        const std::string name = path.filename().string();
        ChainOwner<VectGroup> groups(
            VarnixCad3_ImportVectGraph(path.string().c_str(), 1016.0, 0, 0.05, 0));
        const size_t vects = vectsOf(groups.get()).size();
        const Extent e = extentOf(groups.get());
        std::printf("    {\"%s\", %zu},  // %.3f %.3f %.3f %.3f\n", name.c_str(), vects, e.x0, e.y0,
                    e.x1, e.y1);
        ASSERT_TRUE(groups) << name;
        const auto floor = kFloors.find(name);
        if (floor == kFloors.end())
            ADD_FAILURE() << name << " has no floor";
        else
            EXPECT_GE(vects, floor->second) << name;
        // Every corpus drawing lies on an A4 or Letter page, in either orientation.
        for (double v : {e.x0, e.y0, e.x1, e.y1}) {
            EXPECT_TRUE(std::isfinite(v)) << name;
            EXPECT_GT(v, -1.0) << name;
            EXPECT_LT(v, 300.0) << name;
        }
    }
}

// A drawing that fills its whole media box (595.2756 by 841.8898 points) measures A4.
TEST(PdfCorpus, FullPageDrawingMeasuresItsPage) {
    SKIP_WITHOUT_CORPUS("pdf");
    const fs::path path = corpus::file("pdf", "pdfjs__tiling-pattern-box.pdf");
    ChainOwner<VectGroup> groups(
        VarnixCad3_ImportVectGraph(path.string().c_str(), 1016.0, 0, 0.05, 0));
    const Extent e = extentOf(groups.get());
    EXPECT_NEAR(e.x0, 0, 0.05);
    EXPECT_NEAR(e.y0, 0, 0.05);
    EXPECT_NEAR(e.x1, 210, 0.05);
    EXPECT_NEAR(e.y1, 297, 0.05);
}

}  // namespace
}  // namespace lintrel::test
