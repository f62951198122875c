// The corpus drawings made of text import with their text where the file places it: their
// extents, drawn in the CJK font that stands in for the files' own fonts, were checked by eye
// against the files' own renderings and are kept here; the mtext-test file's $EXTMIN corner
// is met within a fraction of its text height.
#include <cmath>

#include "font_fixture.h"
#include "support/corpus.h"

namespace lintrel::test {
namespace {

struct Expected {
    const char* file;
    size_t vects;
    Box box;
};

class CorpusText : public FontFolder {};

TEST_F(CorpusText, TextDrawingsImportWhereTheFilesPlaceTheirText) {
    const Expected expected[] = {
        {"dxfparser__mtext-test.dxf", 17, {0.3220, 0.4556, 20.8483, 5.5646}},
        {"ezdxf__caret_encoding.dxf", 62, {-0.1158, -102.5494, 100.4394, 0.1686}},
        {"ezdxf__mtext_columns_R2000.dxf", 169, {0.0000, -101.0198, 153.9530, 0.0599}},
        {"skymaker-dxf__texts.dxf", 2, {1.1172, -0.2725, 279.8093, 130.3474}},
    };
    SKIP_WITHOUT_CORPUS("dxf");
    for (const Expected& e : expected) {
        const std::string path = corpus::file("dxf", e.file).string();
        ChainOwner<VectGroup> groups(VarnixCad3_ImportVectGraph(path.c_str(), 40, 1, 0.05, 0));
        ASSERT_TRUE(groups) << e.file;
        const auto vects = vectsOf(groups.get());
        Box all;
        for (const Vect* v : vects) {
            ASSERT_EQ(v->type, LINTREL_TEXT) << e.file;
            if (!v->segs) continue;
            const Box b = boxOf(v);
            ASSERT_TRUE(std::isfinite(b.x0) && std::isfinite(b.y0) && std::isfinite(b.x1) &&
                        std::isfinite(b.y1));
            all.x0 = std::min(all.x0, b.x0);
            all.y0 = std::min(all.y0, b.y0);
            all.x1 = std::max(all.x1, b.x1);
            all.y1 = std::max(all.y1, b.y1);
        }
        EXPECT_EQ(vects.size(), e.vects) << e.file;
        const double tolerance = 0.01 * std::max(all.width(), all.height());
        EXPECT_NEAR(all.x0, e.box.x0, tolerance) << e.file;
        EXPECT_NEAR(all.y0, e.box.y0, tolerance) << e.file;
        EXPECT_NEAR(all.x1, e.box.x1, tolerance) << e.file;
        EXPECT_NEAR(all.y1, e.box.y1, tolerance) << e.file;
        if (e.file == expected[0].file) {
            // $EXTMIN of the file is (0.2965, 0.4430); its text is 0.2 high.
            EXPECT_NEAR(all.x0, 0.2965, 0.05);
            EXPECT_NEAR(all.y0, 0.4430, 0.05);
        }
    }
}

}  // namespace
}  // namespace lintrel::test
