// SVG text imported through the public entry point: the em size, the baseline at x and y, the
// anchor of each chunk, tspans with their own place and size, the family list and its fallback
// to the default font, and characters that no font holds.
#include <cmath>
#include <memory>

#include "font_fixture.h"
#include "fonts/font_diagnostics.h"
#include "fonts/truetype_font.h"
#include "import/svg/svg_diagnostics.h"

namespace lintrel::test {
namespace {

class SvgText : public FontFolder {
  protected:
    void SetUp() override {
        FontFolder::SetUp();
        fonts::setSystemFontSearch(true);  // families are found among the system's fonts
        sans_ = fonts::TrueTypeFont::load(kDejaVuSans);
        ASSERT_TRUE(sans_);
    }

    // A 100 mm square page whose user unit is a millimetre: y in the file is 100 - y here.
    std::vector<Vect*> load(const std::string& body) {
        groups_ = importText(
            "<svg xmlns='http://www.w3.org/2000/svg' width='100mm' height='100mm' "
            "viewBox='0 0 100 100'>" +
                body + "</svg>",
            1, 0.05, 0, "svg");
        return vectsOf(groups_.get());
    }
    // The box of capital A of DejaVu Sans at an em size, from the font file itself.
    Box capitalA(double emSize) const {
        fonts::GlyphBox g;
        EXPECT_TRUE(sans_->box(sans_->glyphOf('A'), g));
        const double k = emSize / sans_->unitsPerEm();
        return {g.x0 * k, g.y0 * k, g.x1 * k, g.y1 * k};
    }

    std::unique_ptr<fonts::TrueTypeFont> sans_;
    ChainOwner<VectGroup> groups_;
};

TEST_F(SvgText, TheFontSizeIsTheEmSquareAndTheBaselineStandsAtXY) {
    EXPECT_EQ(sans_->unitsPerEm(), 2048);
    const auto vects =
        load("<text x='10' y='20' font-family='DejaVu Sans' font-size='10' fill='red'>A</text>");
    ASSERT_EQ(vects.size(), 1u);
    const Vect* v = vects[0];
    EXPECT_EQ(v->type, LINTREL_TEXT);
    EXPECT_STREQ(v->text, "A");
    EXPECT_STREQ(v->fontName, "DejaVu Sans");
    const Box a = capitalA(10), got = boxOf(v);
    EXPECT_NEAR(got.x0, 10 + a.x0, 1e-9);
    EXPECT_NEAR(got.x1, 10 + a.x1, 1e-9);
    EXPECT_NEAR(got.y0, 80 + a.y0, 1e-9);
    EXPECT_NEAR(got.y1, 80 + a.y1, 1e-9);
    EXPECT_NEAR(got.height(), 10 * 1493.0 / 2048, 1e-9);  // DejaVu's capital height
    EXPECT_EQ(groups_.get()->colour, 0x0000FFu);          // red, in the library's order

    // Sizes in other units and relative to the parent's size; a rotation is recorded.
    const auto sized = load(
        "<g font-size='5' font-family='DejaVu Sans'><text x='10' y='20' font-size='200%'>A</text>"
        "<text x='10' y='20' font-size='2em' transform='rotate(90 10 20)'>A</text></g>");
    ASSERT_EQ(sized.size(), 2u);
    EXPECT_NEAR(boxOf(sized[0]).height(), a.y1 - a.y0, 1e-9);
    EXPECT_NEAR(boxOf(sized[1]).width(), a.y1 - a.y0, 1e-9);
    EXPECT_NEAR(sized[1]->liftHeight, -M_PI / 2, 1e-12);  // clockwise on the page
}

TEST_F(SvgText, AnchorsAndTspansPlaceEachChunk) {
    const std::string font = "font-family='DejaVu Sans' font-size='10'";
    // Each load frees the drawing before: the boxes are taken at once.
    auto boxOfOnly = [&](const std::string& anchor) {
        const auto vects = load("<text x='50' y='50' " + anchor + " " + font + ">Hello</text>");
        EXPECT_EQ(vects.size(), 1u);
        return vects.empty() ? Box{} : boxOf(vects[0]);
    };
    const Box s = boxOfOnly(""), m = boxOfOnly("text-anchor='middle'"),
              e = boxOfOnly("style='text-anchor:end'");
    const double width = s.x0 - e.x0;  // the advance of the whole text
    EXPECT_GT(width, 20);
    EXPECT_NEAR(s.x0 - m.x0, width / 2, 1e-9);
    // Side bearings: the H starts just after x, the o ends just before it.
    EXPECT_GT(s.x0, 50);
    EXPECT_LT(s.x0, 51.5);
    EXPECT_LT(e.x1, 50);
    EXPECT_GT(e.x1, 49);
    EXPECT_NEAR(e.y0, s.y0, 1e-9);

    // A tspan with its own place starts a new chunk with its own size; one without continues
    // where the text stopped, and white space collapses to single spaces.
    const auto runs = load("<text x='10' y='20' " + font +
                           ">\n  A  <tspan font-size='20' x='10' y='40'>A</tspan>"
                           "<tspan>A</tspan>  </text>");
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_STREQ(runs[0]->text, "A ");
    const Box a = capitalA(10), big = boxOf(runs[1]), after = boxOf(runs[2]);
    EXPECT_NEAR(boxOf(runs[0]).y0, 80 + a.y0, 1e-9);
    EXPECT_NEAR(big.y0, 60 + 2 * a.y0, 1e-9);
    EXPECT_NEAR(big.height(), 2 * (a.y1 - a.y0), 1e-9);
    EXPECT_NEAR(after.y0, 60 + a.y0, 1e-9);
    EXPECT_GT(after.x0, big.x1);
}

TEST_F(SvgText, FamiliesAreTriedInOrderAndTheDefaultFontStandsIn) {
    const auto second = load(
        "<text x='0' y='50' font-family=\"'No Such Family', 'DejaVu Serif', sans-serif\">x</text>");
    ASSERT_EQ(second.size(), 1u);
    EXPECT_STREQ(second[0]->fontName, "DejaVu Serif");
    EXPECT_EQ(diagnostic(diag::kFontReplaced), 0);

    std::string named;
    const auto fallback = load("<text x='0' y='50' font-family='No Such Family, serif'>x</text>");
    ASSERT_EQ(fallback.size(), 1u);
    EXPECT_NE(fallback[0]->segs, nullptr);  // drawn in the default font
    EXPECT_EQ(diagnostic(diag::kFontReplaced, &named), 1);
    EXPECT_EQ(named, "fonts not found, drawn in the default font: No Such Family");

    // A character no font holds ends its text, and is counted.
    const auto missing = load(
        "<text x='0' y='50' font-family='DejaVu Sans'>A\xCD\xB8"
        "A</text>");
    ASSERT_EQ(missing.size(), 1u);
    EXPECT_NEAR(boxOf(missing[0]).width(), capitalA(16).x1 - capitalA(16).x0, 1e-9);
    EXPECT_EQ(diagnostic(diag::kGlyphMissing), 1);

    // Text on a path is not drawn, and says so.
    EXPECT_TRUE(
        load("<path id='p' d='M0 0 L9 9'/><text><textPath href='#p'>x</textPath></text>").size() ==
        1u);
    EXPECT_EQ(diagnostic(diag::kSvgTextNotConverted), 1);
}

}  // namespace
}  // namespace lintrel::test
