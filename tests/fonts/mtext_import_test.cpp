// DXF MTEXT imported through the public entry point: runs with their own fonts and heights,
// paragraphs one line pitch lower, and lines aligned by the attachment point.
#include <cmath>

#include "font_fixture.h"
#include "fonts/mtext_layout.h"

namespace lintrel::test {
namespace {

const std::vector<Style> kSans = {{"SANS", "DejaVuSans.ttf", ""}};

class MTextImport : public FontFolder {
  protected:
    std::vector<Box> boxes(std::string_view content, int attachment, double x = 0, double y = 100,
                           double rotation = 0) {
        DxfText body;
        body.entity("MTEXT").point(10, x, y).group(40, 10.0).group(71, attachment);
        // Long contents come in chunks of group 3 before the last piece in group 1.
        const size_t cut = std::min<size_t>(6, content.size());
        body.group(3, content.substr(0, cut)).group(1, content.substr(cut)).group(7, "SANS");
        if (rotation != 0) body.group(50, rotation);
        groups_ = load(drawing(kSans, body));
        vects_ = vectsOf(groups_.get());
        std::vector<Box> out;
        for (const Vect* v : vects_)
            out.push_back(boxOf(v));
        return out;
    }

    ChainOwner<VectGroup> groups_;
    std::vector<Vect*> vects_;
};

constexpr std::string_view kTwoParagraphs =
    "FEE\\PSecond {\\fDejaVuSerif.ttf|b0|i0;serif} \\H20;BE";

TEST_F(MTextImport, RunsKeepTheirFontsAndHeights) {
    const auto b = boxes(kTwoParagraphs, 1);
    ASSERT_EQ(vects_.size(), 5u);
    const char* texts[] = {"FEE", "Second ", "serif", " ", "BE"};
    for (size_t i = 0; i < 5; ++i)
        EXPECT_STREQ(vects_[i]->text, texts[i]);
    EXPECT_STREQ(vects_[0]->fontName, "DejaVuSans");
    EXPECT_STREQ(vects_[2]->fontName, "DejaVuSerif.ttf");
    EXPECT_EQ(vects_[3]->segs, nullptr);  // a blank has no outline
    // The top line hangs one height below the insertion point.
    EXPECT_NEAR(b[0].y0, 90, 1e-9);
    EXPECT_NEAR(b[0].y1, 100, 1e-9);
    // The second line is one pitch of its tallest run lower; "BE" is twice as tall.
    const double baseline = 90 - fonts::kLinePitch * 20;
    EXPECT_NEAR(b[4].y0, baseline, 1e-9);
    EXPECT_NEAR(b[4].height(), 20, 1e-9);
    EXPECT_NEAR(b[1].y0, baseline - 0.2, 0.2);  // the S overshoots its baseline a little
    // The runs of a line follow each other.
    EXPECT_LT(b[1].x1, b[2].x0);
    EXPECT_LT(b[2].x1, b[4].x0);
    EXPECT_NEAR(b[0].x0, b[1].x0, 0.5);
    // The serif run's outlines differ from the same letters in the style's sans font.
    const size_t serifSegs = itemsOf(vects_[2]->segs).size();
    boxes("      serif", 1);
    ASSERT_EQ(vects_.size(), 1u);
    EXPECT_NE(itemsOf(vects_[0]->segs).size(), serifSegs);
}

TEST_F(MTextImport, AttachmentColumnsAlignEachLine) {
    const auto left = boxes(kTwoParagraphs, 1, 50);
    const auto centre = boxes(kTwoParagraphs, 2, 50);
    const auto right = boxes(kTwoParagraphs, 3, 50);
    ASSERT_EQ(left.size(), 5u);
    ASSERT_EQ(centre.size(), 5u);
    ASSERT_EQ(right.size(), 5u);
    // Each line moves left by half its width, or by all of it; lines keep their heights.
    const double width0 = left[0].x0 - right[0].x0;
    const double width1 = left[1].x0 - right[1].x0;
    EXPECT_NEAR(left[0].x0 - centre[0].x0, width0 / 2, 1e-9);
    EXPECT_NEAR(left[4].x0 - right[4].x0, width1, 1e-9);
    EXPECT_NEAR(left[2].x0 - centre[2].x0, width1 / 2, 1e-9);
    EXPECT_GT(width1, width0);
    // A right-aligned line ends at the insertion x, less the last glyph's side bearing.
    EXPECT_LT(right[0].x1, 50);
    EXPECT_GT(right[0].x1, 49);
    EXPECT_LT(right[4].x1, 50);
    EXPECT_GT(right[4].x1, 48);
    for (size_t i = 0; i < 5; ++i) {
        if (vects_[i]->segs == nullptr) continue;
        EXPECT_NEAR(left[i].y0, right[i].y0, 1e-9);
        EXPECT_NEAR(left[i].y0, centre[i].y0, 1e-9);
    }
}

TEST_F(MTextImport, AttachmentRowsAndRotationPlaceTheBlock) {
    const auto top = boxes("Ab\\PEx", 1, 0, 100);
    const auto middle = boxes("Ab\\PEx", 4, 0, 100);
    const auto bottom = boxes("Ab\\PEx", 7, 0, 100);
    ASSERT_EQ(bottom.size(), 2u);
    // Bottom row: the last line's baseline lies on the insertion point; middle row: halfway.
    const double depth = 10 + fonts::kLinePitch * 10;
    EXPECT_NEAR(bottom[1].y0, 100, 1e-9);
    EXPECT_NEAR(bottom[0].y1 - top[0].y1, depth, 1e-9);
    EXPECT_NEAR(middle[1].y0 - top[1].y0, depth / 2, 1e-9);
    const auto turned = boxes("Ab", 1, 0, 100, 90);
    const auto plain = boxes("Ab", 1, 0, 100);
    EXPECT_NEAR(turned[0].x0, -(plain[0].y1 - 100), 1e-9);
    EXPECT_NEAR(turned[0].y1, 100 + plain[0].x1, 1e-9);
}

TEST_F(MTextImport, LinesBreakAtBlanksWithinTheReferenceWidth) {
    DxfText body;
    body.entity("MTEXT").point(10, 0, 100).group(40, 10.0).group(41, 60.0).group(71, 1);
    body.group(1, "one two three four five six\\Pextraordinarily long").group(7, "SANS");
    groups_ = load(drawing(kSans, body));
    vects_ = vectsOf(groups_.get());
    std::vector<double> baselines;
    for (const Vect* v : vects_) {
        const Box b = boxOf(v);
        // Every piece but the word that is wider than the width alone stays within it.
        if (std::string_view(v->text) != "extraordinarily ") {
            EXPECT_LE(b.x1, 60) << v->text;
        }
        EXPECT_GE(b.x0, 0);
        baselines.push_back(v->segs->z1);
    }
    ASSERT_GE(vects_.size(), 5u);
    EXPECT_STREQ(vects_[0]->text, "one two ");
    EXPECT_STREQ(vects_.back()->text, "long");
    // Lines follow one pitch apart, the paragraph's second part included.
    for (size_t i = 1; i < baselines.size(); ++i)
        EXPECT_NEAR(baselines[i - 1] - baselines[i], fonts::kLinePitch * 10, 1e-9);
}

}  // namespace
}  // namespace lintrel::test
