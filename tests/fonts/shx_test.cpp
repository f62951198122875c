// SHX fonts: the three file layouts, the two interpreters and the cell layout with its advance
// corrections.
#include <gtest/gtest.h>

#include "fonts/shx_read.h"
#include "shx_builder.h"

namespace lintrel::fonts {
namespace {

using test::Bytes;

// A vertical stroke of one unit: pen down, then vector length 1 in direction 4 (up).
const Bytes kStroke = {0, 1, 0x14, 2, 0};

std::unique_ptr<ShxFile> font(Bytes b) {
    return ShxFile::fromBytes(std::move(b));
}

TEST(ShxFile, ShapeFontAnswersOnlyCodesInItsRange) {
    const auto shapes = font(test::shapeFont(33, 126, {{'A', kStroke}, {'!', kStroke}}));
    CShxRead reader(nullptr, shapes.get());
    EXPECT_EQ(reader.loadShape(' '), 0);  // 32 lies before the first code
    EXPECT_EQ(reader.loadShape('A'), static_cast<int>(kStroke.size()));
    EXPECT_EQ(reader.loadShape('B'), 0);  // in the range, not in the index
    EXPECT_EQ(shapes->above(), 10);
    CShxRead none(nullptr, nullptr);
    EXPECT_EQ(none.loadShape('A'), shx::kNotOpened);
    EXPECT_EQ(font(Bytes{'x', 'y'})->status(), shx::kBadSignature);
}

TEST(ShxFile, UnicodeFontReadsItsInformationAndEntries) {
    const auto uni = font(test::unicodeFont({{'A', kStroke}, {'B', kStroke}}, 20));
    EXPECT_EQ(uni->kind(), ShxKind::Unicode);
    EXPECT_EQ(uni->above(), 20);
    std::span<const uint8_t> def;
    EXPECT_EQ(uni->shape('B', def), static_cast<int>(kStroke.size()));
    EXPECT_EQ(uni->shape('C', def), 0);
    // A font-information record of 256 bytes or more is refused.
    const auto longName = font(test::unicodeFont({{'A', kStroke}}, 20, std::string(250, 'n')));
    EXPECT_EQ(longName->status(), shx::kBadSignature);
}

TEST(ShxFile, BigFontChecksItsHeaderAndSkipsLongEntries) {
    const auto big =
        font(test::bigFont({{0xC4E3, {0, 0, 0, 2, 8, 1, 1}}, {0xB0A1, Bytes(800, 0)}}));
    CShxRead reader(big.get(), nullptr);
    EXPECT_EQ(reader.loadBigShape(0xC4E3), 7);
    EXPECT_EQ(reader.loadBigShape(0xB0A1), shx::kBigNotFound);  // 768 bytes or more
    EXPECT_EQ(reader.loadBigShape(0xC4E4), shx::kBigNotFound);
    EXPECT_EQ(font(test::bigFont({{0xC4E3, kStroke}}, 6))->status(), shx::kBadBigHeader);
}

TEST(ShxFile, DamagedIndexesNeverReadPastTheFile) {
    Bytes b = test::bigFont({{0xC4E3, {0, 0, 0, 2, 8, 1, 1}}});
    b.resize(b.size() - 3);  // the definition runs past the end: its entry is dropped
    const auto damaged = font(b);
    CShxRead reader(damaged.get(), nullptr);
    EXPECT_EQ(reader.loadBigShape(0xC4E3), shx::kBigNotFound);
    // Every cut of a shape font either still holds the glyph whole or answers that it lacks it.
    const Bytes whole = test::shapeFont(33, 126, {{'A', kStroke}});
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        const auto f = font(Bytes(whole.begin(), whole.begin() + static_cast<long>(cut)));
        std::span<const uint8_t> def;
        const int n = f->shape('A', def);
        EXPECT_TRUE(n <= 0 || def.size() == kStroke.size()) << cut;
        CShxRead(nullptr, f.get()).drawText("AA", 1, 1, 0);
    }
}

TEST(ShxRead, BigGlyphStartsAtItsFirstPenUpMove) {
    // From the fourth byte: pen up and move to (10, 20), then a displacement of (6, 0).
    const auto big = font(test::bigFont({{0xC4E3, {9, 9, 9, 2, 8, 10, 20, 8, 6, 0}}}));
    CShxRead reader(big.get(), nullptr);
    const double h = 4.8, wf = 0.5;
    const ShxText t = reader.drawText("\xC4\xE3", h, wf, 0);
    ASSERT_EQ(t.polylines.size(), 1u);
    ASSERT_EQ(t.polylines[0].size(), 2u);
    EXPECT_DOUBLE_EQ(t.polylines[0][0].x, wf * 10 * h / 96);
    EXPECT_DOUBLE_EQ(t.polylines[0][0].y, 20 * h / 96 - h);
    EXPECT_DOUBLE_EQ(t.polylines[0][1].x, wf * 16 * h / 96);
    // The cell of a two-byte character in mode 0.
    EXPECT_NEAR(t.advance, wf * h - 0.27095 * h, 1e-12);
}

TEST(ShxRead, BulgeArcsRunThroughTheirMiddle) {
    // A half circle (bulge 127) over the chord (20, 0) from (0, 0): its middle lies 10 below.
    const auto big = font(test::bigFont({{0xC4E3, {0, 0, 0, 2, 8, 0, 0, 10, 20, 0, 0x81}}}));
    CShxRead reader(big.get(), nullptr);
    const ShxText t = reader.drawText("\xC4\xE3", 96, 1, 0);
    ASSERT_EQ(t.polylines.size(), 1u);
    const auto& p = t.polylines[0];
    ASSERT_EQ(p.size(), 17u);
    EXPECT_NEAR(p.back().x, 20, 1e-9);
    // A negative bulge turns clockwise: from the chord's start the arc rises to 10 above it.
    double highest = 0;
    for (const ShxPoint& q : p)
        highest = std::max(highest, q.y + 96);
    EXPECT_NEAR(highest, 10, 0.1);
}

TEST(ShxRead, ShapeInterpreterDrawsVectorsScaledByAbove) {
    // Pen down, 2 units right, push, 3 units up, pop, scale by 2, one unit down (direction 12).
    const Bytes def = {0, 1, 0x20, 5, 0x34, 6, 4, 2, 0x1C, 0};
    const auto shapes = font(test::shapeFont(33, 126, {{'E', def}}, 10));
    CShxRead reader(nullptr, shapes.get());
    const ShxText t = reader.drawText("E", 10, 1, 0);
    ASSERT_EQ(t.polylines.size(), 2u);
    const auto& first = t.polylines[0];
    ASSERT_EQ(first.size(), 3u);
    EXPECT_DOUBLE_EQ(first[0].y, -10);  // glyphs hang one height below the baseline
    EXPECT_DOUBLE_EQ(first[1].x, 2);
    EXPECT_DOUBLE_EQ(first[2].y, -7);
    const auto& second = t.polylines[1];  // after the pop the pen goes on from (2, 0)
    EXPECT_DOUBLE_EQ(second.back().x, 2);
    EXPECT_DOUBLE_EQ(second.back().y, -12);
}

TEST(ShxRead, ShapesStartWithThePenDown) {
    // Two units right, then pen up and on; pen down again for one unit up.
    const Bytes def = {0, 0x20, 2, 0x10, 1, 0x14, 0};
    const auto shapes = font(test::shapeFont(33, 126, {{'L', def}}, 10));
    CShxRead reader(nullptr, shapes.get());
    const ShxText t = reader.drawText("L", 10, 1, 0);
    ASSERT_EQ(t.polylines.size(), 2u);
    ASSERT_EQ(t.polylines[0].size(), 2u);
    EXPECT_DOUBLE_EQ(t.polylines[0][0].x, 0);
    EXPECT_DOUBLE_EQ(t.polylines[0][1].x, 2);
    ASSERT_EQ(t.polylines[1].size(), 2u);
    EXPECT_DOUBLE_EQ(t.polylines[1][0].x, 3);
    EXPECT_DOUBLE_EQ(t.polylines[1][1].y, -9);
}

TEST(ShxRead, NarrowLettersShortenTheirCells) {
    const auto shapes =
        font(test::shapeFont(33, 126, {{'i', kStroke}, {'l', kStroke}, {'o', kStroke}}));
    CShxRead reader(nullptr, shapes.get());
    const double h = 10, wf = 1;
    const double cell = wf * h + 0.00785 * h;
    const ShxText il = reader.drawText("il", h, wf, 0);
    EXPECT_LT(il.advance, 2 * wf * h);
    EXPECT_NEAR(il.advance, 2 * cell - (0.6668 + 0.5005) * h * wf, 1e-9);
    // The "l" is drawn where the shortened "i" cell ends.
    ASSERT_EQ(il.polylines.size(), 2u);
    EXPECT_NEAR(il.polylines[1][0].x, cell - 0.6668 * h * wf, 1e-9);
    EXPECT_NEAR(reader.drawText("oo", h, wf, 0).advance, 2 * cell, 1e-9);
    // A missing character is not drawn, yet the pen advances a whole cell.
    const ShxText gap = reader.drawText("oXo", h, wf, 0);
    EXPECT_EQ(gap.polylines.size(), 2u);
    EXPECT_NEAR(gap.advance, 3 * cell, 1e-9);
}

TEST(ShxRead, PunctuationAndEscapesFollowTheLayoutRules) {
    const auto shapes = font(test::shapeFont(33, 126, {{'#', kStroke}, {'o', kStroke}}));
    CShxRead reader(nullptr, shapes.get());
    const double h = 10, cell = h + 0.00785 * h;
    // "#": the general punctuation cut before and after, then its own +0.5002.
    const ShxText hash = reader.drawText("#o", h, 1, 0);
    ASSERT_EQ(hash.polylines.size(), 2u);
    EXPECT_NEAR(hash.polylines[1][0].x, cell - 0.5008 * h + 0.5002 * h, 1e-9);
    // A text starting with "{" loses its first five bytes and its last.
    EXPECT_EQ(reader.drawText("{\\fx;oo}", h, 1, 0).polylines.size(), 2u);
}

}  // namespace
}  // namespace lintrel::fonts
