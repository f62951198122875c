// DXF TEXT imported through the public entry point: TrueType outlines at the given height,
// place, rotation and oblique angle, characters from the CJK font, the font lookup order, SHX
// styles, code pages, and drawings whose fonts cannot be found.
#include <cmath>

#include "array/array_chain.h"
#include "font_fixture.h"
#include "fonts/font_diagnostics.h"
#include "import/dxf/dxf_diagnostics.h"
#include "shx_builder.h"

namespace lintrel::test {
namespace {

const std::vector<Style> kSans = {{"SANS", "DejaVuSans.ttf", ""}};

class TextImport : public FontFolder {
  protected:
    // The text vect of a drawing holding one TEXT in the SANS style.
    Box boxOfText(const TextEntity& entity, const std::vector<Style>& styles = kSans) {
        DxfText body;
        text(body, entity);
        groups_ = load(drawing(styles, body));
        const auto vects = vectsOf(groups_.get());
        EXPECT_EQ(vects.size(), 1u);
        if (vects.size() != 1) return {};
        vect_ = vects[0];
        return boxOf(vect_);
    }
    size_t segCount() const { return vect_ ? itemsOf(vect_->segs).size() : 0; }

    ChainOwner<VectGroup> groups_;
    Vect* vect_ = nullptr;
};

TEST_F(TextImport, CapitalAIsTheTextHeightAndTextStartsAtTheInsertionPoint) {
    const Box a = boxOfText({"A", "SANS", 100, 50, 10});
    EXPECT_NEAR(a.height(), 10, 1e-9);
    EXPECT_NEAR(a.y0, 50, 1e-9);  // on the baseline
    EXPECT_EQ(vect_->type, LINTREL_TEXT);
    EXPECT_EQ(vect_->closed, 1);
    EXPECT_STREQ(vect_->text, "A");
    EXPECT_STREQ(vect_->fontName, "DejaVuSans");
    ASSERT_NE(vect_->segs, nullptr);
    EXPECT_EQ(vect_->segs->z0, 100);
    EXPECT_EQ(vect_->segs->z1, 50);
    EXPECT_EQ(vect_->segs->jump, 1);
    EXPECT_DOUBLE_EQ(vect_->xMin, a.x0);
    EXPECT_DOUBLE_EQ(vect_->yMax, a.y1);

    const Box h = boxOfText({"Hello", "SANS", 100, 50, 10});
    EXPECT_GT(h.x0, 100);  // the H's left side bearing
    EXPECT_LT(h.x0, 101.5);
    EXPECT_NEAR(h.y0, 50 - 0.2, 0.2);   // the o's overshoot
    EXPECT_NEAR(h.y1, 50 + 10.6, 0.5);  // the l's ascender rises above the capitals
}

TEST_F(TextImport, CurvedPiecesAreRunsOfThreeCurveSegs) {
    boxOfText({"o", "SANS", 0, 0, 10});
    const auto segs = itemsOf(vect_->segs);
    size_t curves = 0;
    for (size_t i = 0; i < segs.size(); ++i) {
        if (segs[i]->type != LINTREL_SEG_CURVE) continue;
        ASSERT_LE(i + 3, segs.size());
        // The run: start to start, start to control, control to end.
        EXPECT_EQ(segs[i]->x0, segs[i]->x1);
        EXPECT_EQ(segs[i + 1]->x0, segs[i]->x1);
        EXPECT_EQ(segs[i + 2]->x0, segs[i + 1]->x1);
        EXPECT_EQ(segs[i + 1]->type, LINTREL_SEG_CURVE);
        EXPECT_EQ(segs[i + 2]->type, LINTREL_SEG_CURVE);
        curves += 3;
        i += 2;
    }
    EXPECT_GT(curves, 0u);
    EXPECT_EQ(std::count_if(segs.begin(), segs.end(), [](Seg* s) { return s->jump; }), 2);
}

TEST_F(TextImport, ChineseCharactersComeFromTheCjkFontWhenTheStyleFontLacksThem) {
    const Box latin = boxOfText({"Hello ", "SANS", 100, 50, 10});
    const size_t latinSegs = segCount();
    const Box mixed = boxOfText({"Hello 你好", "SANS", 100, 50, 10});
    EXPECT_GT(segCount(), latinSegs + 40);
    EXPECT_GT(mixed.x1, latin.x1 + 1.5 * 10);  // two wide characters after the space
    EXPECT_EQ(mixed.x0, latin.x0);
    EXPECT_STREQ(vect_->text, "Hello 你好");
    EXPECT_EQ(diagnostic(diag::kGlyphMissing), 0);

    // Without a font holding them the text ends before the first of them.
    VarnixCad3_SetDefaultFont("absent.ttf", "");
    boxOfText({"Hello 你好", "SANS", 100, 50, 10});
    EXPECT_EQ(segCount(), latinSegs);
    EXPECT_EQ(diagnostic(diag::kGlyphMissing), 1);
}

TEST_F(TextImport, TheSystemCjkFontStandsInForTheDefaultChineseFont) {
    fonts::setSystemFontSearch(true);
    VarnixCad3_SetDefaultFont("simsun.ttf", "simsun.ttc");
    const Box latin = boxOfText({"Hi", "SANS", 0, 0, 10});
    const Box mixed = boxOfText({"Hi你", "SANS", 0, 0, 10});
    EXPECT_GT(mixed.x1, latin.x1 + 5);
}

TEST_F(TextImport, RotationObliqueAndMirrorFlagsTurnAboutTheInsertionPoint) {
    const Box plain = boxOfText({"Hello", "SANS", 100, 50, 10});
    const Box turned = boxOfText({"Hello", "SANS", 100, 50, 10, 90});
    EXPECT_NEAR(turned.x0, 100 - (plain.y1 - 50), 1e-9);
    EXPECT_NEAR(turned.x1, 100 - (plain.y0 - 50), 1e-9);
    EXPECT_NEAR(turned.y0, 50 + (plain.x0 - 100), 1e-9);
    EXPECT_NEAR(turned.y1, 50 + (plain.x1 - 100), 1e-9);
    EXPECT_NEAR(vect_->liftHeight, 90 * M_PI / 180, 1e-12);

    const Box upright = boxOfText({"I", "SANS", 100, 50, 10});
    const Box slanted = boxOfText({"I", "SANS", 100, 50, 10, 0, 30});
    EXPECT_NEAR(slanted.x0, upright.x0, 1e-9);  // the foot stays on the baseline
    EXPECT_NEAR(slanted.x1, upright.x1 + 10 * std::tan(30 * M_PI / 180), 1e-9);
    EXPECT_NEAR(vect_->workHeight, 30 * M_PI / 180, 1e-12);

    const Box backwards = boxOfText({"Hello", "SANS", 100, 50, 10, 0, 0, 1, 2});
    EXPECT_NEAR(backwards.x1, 200 - plain.x0, 1e-9);
    const Box upsideDown = boxOfText({"Hello", "SANS", 100, 50, 10, 0, 0, 1, 4});
    EXPECT_NEAR(upsideDown.y0, 100 - plain.y1, 1e-9);

    const Box narrow = boxOfText({"Hello", "SANS", 100, 50, 10, 0, 0, 0.5});
    EXPECT_NEAR(narrow.width(), plain.width() / 2, 1e-9);
    EXPECT_EQ(vect_->textHeight, 0.5);  // the text vect records the width factor there
}

TEST_F(TextImport, FlattenedTextIsPolylinesOfTheSameExtent) {
    DxfText body;
    text(body, {"Hello 你好", "SANS", 100, 50, 10, 30});
    const auto kept = load(drawing(kSans, body), 1);
    const auto flat = load(drawing(kSans, body), 0);
    const Vect* curve = vectsOf(kept.get()).at(0);
    const Vect* lines = vectsOf(flat.get()).at(0);
    EXPECT_EQ(lines->type, LINTREL_POLYLINE);
    const Box a = boxOf(curve), b = boxOf(lines);
    // Control points lie outside the curves, so the flattened box lies within the outline's.
    EXPECT_GE(b.x0, a.x0 - 1e-6);
    EXPECT_LE(b.x1, a.x1 + 1e-6);
    EXPECT_GT(b.width(), 0.95 * a.width());
    for (const Seg* s : ring(lines->segs))
        ASSERT_EQ(s->type, LINTREL_SEG);
}

TEST_F(TextImport, SpecialCodesAndOldCodePages) {
    boxOfText({"%%D45", "SANS"});
    EXPECT_STREQ(vect_->text, "°45");
    boxOfText({"%%d%%d", "SANS"});
    EXPECT_STREQ(vect_->text, "°%%d");
    DxfText body;
    text(body, {"\xC4\xE3\xBA\xC3 \\U+4E2D", "SANS"});
    groups_ = load(drawing(kSans, body, "AC1015", "ANSI_936"));
    EXPECT_STREQ(vectsOf(groups_.get()).at(0)->text, "你好 中");
}

TEST_F(TextImport, ShxStylesFallBackToTheDefaultTrueTypeFileInTheFontsFolder) {
    // The fonts folder's "simsun.ttf" is the first file tried for an SHX name.
    link(kDejaVuSerif, "simsun.ttf");
    VarnixCad3_SetDefaultFont("simsun.ttf", "");
    boxOfText({"Hello", "SHX"}, {{"SHX", "absent.shx", ""}});
    const size_t viaShx = segCount();
    boxOfText({"Hello", "SERIF"}, {{"SERIF", "DejaVuSerif.ttf", ""}});
    EXPECT_EQ(segCount(), viaShx);
    std::string named;
    EXPECT_EQ(diagnostic(diag::kFontReplaced, &named), 0);
    boxOfText({"Hello", "SHX"}, {{"SHX", "absent.shx", ""}});
    EXPECT_EQ(diagnostic(diag::kFontReplaced, &named), 1);
    EXPECT_NE(named.find("absent.shx"), std::string::npos);
}

TEST_F(TextImport, ShxFontsDrawLinesFromShapeAndBigFonts) {
    const Bytes stroke = {0, 1, 0x14, 2, 0};
    write("t.shx", shapeFont(33, 126, {{'i', stroke}, {'l', stroke}}));
    write("b.shx", bigFont({{0xC4E3, {0, 0, 0, 2, 8, 10, 20, 8, 50, 0}}}));
    const Box b = boxOfText({"il你", "SHX", 100, 50, 9.6}, {{"SHX", "t.shx", "b.shx"}});
    EXPECT_EQ(segCount(), 3u);
    for (const Seg* s : ring(vect_->segs)) {
        EXPECT_EQ(s->type, LINTREL_SEG);
        EXPECT_EQ(s->jump, 1);
    }
    EXPECT_STREQ(vect_->fontName, "t");
    EXPECT_NEAR(b.x0, 100, 1e-9);  // the "i" stroke at the cell's start
    EXPECT_NEAR(b.y0, 50 - 9.6, 1e-9);
    // The big-font glyph's line runs from (10, 20) to (60, 20) font units in its cell.
    const double cell = 9.6 + 0.00785 * 9.6;
    const double bigStart = 100 + 2 * cell - (0.6668 + 0.5005) * 9.6;
    EXPECT_NEAR(b.x1, bigStart + 60 * 9.6 / 96, 1e-9);
    EXPECT_EQ(diagnostic(diag::kBigFontMissing), 0);
    // Without its big font the text keeps its ASCII characters; the big font is named.
    boxOfText({"il你", "SHX", 100, 50, 9.6}, {{"SHX", "t.shx", "absent.shx"}});
    EXPECT_EQ(segCount(), 2u);
    std::string named;
    EXPECT_EQ(diagnostic(diag::kBigFontMissing, &named), 1);
    EXPECT_NE(named.find("absent.shx"), std::string::npos);
}

TEST_F(TextImport, MissingFontsLeaveTextWithoutOutlinesAndAreNamedOnce) {
    VarnixCad3_SetDefaultFont("absent.ttf", "");
    const std::vector<Style> styles = {{"A", "a.ttf", ""}, {"B", "b.ttf", ""}};
    DxfText body;
    text(body, {"one", "A"});
    text(body, {"two", "B"});
    text(body, {"three", "A"});
    body.entity("MTEXT").point(10, 0, 0).group(40, 2.0).group(1, "four\\Pfive").group(7, "B");
    groups_ = load(drawing(styles, body));
    const auto vects = vectsOf(groups_.get());
    ASSERT_EQ(vects.size(), 5u);
    for (const Vect* v : vects) {
        EXPECT_EQ(v->type, LINTREL_TEXT);
        EXPECT_EQ(v->segs, nullptr);
        EXPECT_NE(v->text, nullptr);
    }
    EXPECT_STREQ(vects[2]->text, "three");
    std::string named;
    EXPECT_EQ(diagnostic(diag::kFontMissing, &named), 2);
    EXPECT_EQ(named, "fonts not found, texts left without outlines: a.ttf, b.ttf");
    // The flattening of the import leaves such vects alone.
    EXPECT_EQ(vectsOf(load(drawing(styles, body), 0).get()).size(), 5u);
}

TEST_F(TextImport, AnEmptyFallbackNameOpensNoFolder) {
    VarnixCad3_SetDefaultFont("", "");
    boxOfText({"x", "NONE"}, {{"NONE", "absent.ttf", ""}});
    EXPECT_EQ(vect_->segs, nullptr);
    EXPECT_EQ(diagnostic(diag::kFontMissing), 1);
}

TEST_F(TextImport, UnknownStylesRecordArialAndUseTheDefaultFont) {
    link(kDejaVuSans, "ARIAL");
    boxOfText({"x", "NOSUCH"});
    EXPECT_STREQ(vect_->fontName, "arial.ttf");
    EXPECT_NE(vect_->segs, nullptr);
    EXPECT_EQ(diagnostic(diag::kStyleMissing), 1);
}

TEST_F(TextImport, TheArrayFamilyImportsTextAsLineSegs) {
    DxfText body;
    text(body, {"So", "SANS", 0, 0, 10});
    TempFile file("text.dxf", drawing(kSans, body));
    ASSERT_EQ(VarnixCadArray_ImportVectGraph(file.path(), 1016, 1, 0.05), 0);
    const auto vects = vectsOf(arrayChain());
    ASSERT_EQ(vects.size(), 1u);
    EXPECT_EQ(vects[0]->type, LINTREL_POLYLINE);
    for (const Seg* s : ring(vects[0]->segs))
        ASSERT_EQ(s->type, LINTREL_SEG);
    VarnixCadArray_DelAll();
}

TEST_F(TextImport, VerticalFontsStandWideCharactersUpright) {
    const Box flat = boxOfText({"一", "CJK", 0, 0, 10}, {{"CJK", "cjk.ttc", ""}});
    const Box upright = boxOfText({"一", "AT", 0, 0, 10}, {{"AT", "@cjk.ttc", ""}});
    // A quarter turn about the glyph's centre: the long stroke now stands.
    EXPECT_GT(flat.width(), 4 * flat.height());
    EXPECT_NEAR(upright.width(), flat.height(), 1e-6);
    EXPECT_NEAR(upright.height(), flat.width(), 1e-6);
    EXPECT_NEAR(upright.x0 + upright.x1, flat.x0 + flat.x1, 0.5);
    // Latin characters keep their orientation.
    const Box latin = boxOfText({"I", "AT", 0, 0, 10}, {{"AT", "@DejaVuSans.ttf", ""}});
    EXPECT_NEAR(latin.height(), 10, 1e-9);
}

TEST_F(TextImport, AFileThatIsNoFontGivesWayToTheDefault) {
    write("bad.ttf", std::vector<uint8_t>(4096, 0x5A));
    boxOfText({"Hi", "BAD"}, {{"BAD", "bad.ttf", ""}});
    EXPECT_NE(vect_->segs, nullptr);  // drawn in the default font
    std::string unreadable, replaced;
    EXPECT_EQ(diagnostic(diag::kFontUnreadable, &unreadable), 1);
    EXPECT_NE(unreadable.find("bad.ttf"), std::string::npos);
    EXPECT_EQ(diagnostic(diag::kFontReplaced, &replaced), 1);
    EXPECT_NE(replaced.find("bad.ttf"), std::string::npos);
}

}  // namespace
}  // namespace lintrel::test

namespace lintrel::test {
namespace {

// TEXT and MTEXT inside a block come out where a reference puts them: the same outlines as
// the text written at the placed point with the placed height and rotation.
TEST_F(TextImport, TextInsideBlocksFollowsTheReference) {
    auto mtext = [](DxfText& t, double x, double y, double height, double rotation) {
        t.entity("MTEXT").point(10, x, y).group(40, height).group(50, rotation);
        t.group(1, "Hi").group(7, "SANS");
    };
    DxfText alone;
    mtext(alone, 92, 54, 20, 90);
    groups_ = load(drawing(kSans, alone));
    ASSERT_EQ(vectsOf(groups_.get()).size(), 1u);
    const Box expectedM = boxOf(vectsOf(groups_.get())[0]);
    const Box expected = boxOfText({"Hi", "SANS", 92, 54, 20, 90});
    const double rotation = vect_->liftHeight;
    const Box own = boxOfText({"Hi", "SANS", 2, 4, 10});  // the mirrored copy's text, unmirrored

    DxfText body;
    body.insert("LABEL", 100, 50, 2, 2, 90);
    body.insert("LABEL", 0, 0, -1, 1);  // mirrored in x
    body.group(0, "ENDSEC").section("BLOCKS").block("LABEL", 0, 1);
    text(body, {"Hi", "SANS", 2, 5, 10});
    mtext(body, 2, 5, 10, 0);
    body.endBlock();
    groups_ = load(drawing(kSans, body));
    const auto vects = vectsOf(groups_.get());
    ASSERT_EQ(vects.size(), 4u);
    for (const auto& [v, box] : {std::pair{vects[0], expected}, std::pair{vects[1], expectedM}}) {
        ASSERT_EQ(v->type, LINTREL_TEXT);
        const Box b = boxOf(v);
        EXPECT_NEAR(b.x0, box.x0, 1e-9);
        EXPECT_NEAR(b.y0, box.y0, 1e-9);
        EXPECT_NEAR(b.x1, box.x1, 1e-9);
        EXPECT_NEAR(b.y1, box.y1, 1e-9);
        EXPECT_DOUBLE_EQ(v->xMin, b.x0);
    }
    EXPECT_NEAR(vects[0]->liftHeight, rotation, 1e-12);
    EXPECT_NEAR(vects[0]->segs->z0, 92, 1e-9);  // the insertion point
    EXPECT_NEAR(vects[0]->segs->z1, 54, 1e-9);
    // The mirrored copy: x runs the other way from the placed insertion point (-2, 4).
    EXPECT_NEAR(boxOf(vects[2]).x0, -own.x1, 1e-9);
    EXPECT_NEAR(boxOf(vects[2]).x1, -own.x0, 1e-9);
    EXPECT_NEAR(boxOf(vects[2]).y0, own.y0, 1e-9);
    groups_ = load(drawing(kSans, body));
    EXPECT_EQ(diagnostic(diag::kDxfNotConverted), 0);
}

}  // namespace
}  // namespace lintrel::test
