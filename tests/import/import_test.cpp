// The import entry points: choice of reader by extension, the precision clamp, curve flattening
// by the option bit, the move to the origin, the DST reader and the array family's import.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "array/array_chain.h"
#include "import/dst_reader.h"
#include "import/reader.h"
#include "import_helpers.h"
#include "model/geometry.h"

namespace lintrel::test {
namespace {

std::string oneArcAndLine() {
    DxfText t = entitiesOnly();
    t.arc(0, 0, 10, 0, 90).line(5, 7, 8, 9);
    t.endSection().eof();
    return t.str();
}

int totalSegs(VectGroup* chain) {
    int n = 0;
    for (Vect* v : vectsOf(chain))
        n += ringCount(v->segs);
    return n;
}

TEST(ImportDispatch, ReaderIsChosenByTheExtensionAloneInAnyCase) {
    const std::string dxf = oneArcAndLine(), plt = "PU0,0;PD10,10;";
    const struct {
        const char* extension;
        const std::string& text;
        bool read;
    } cases[] = {{"DXF", dxf, true}, {"dXf", dxf, true}, {"dxfx", dxf, false}, {"svg", dxf, false},
                 {"plt", plt, true}, {"PLT", plt, true}, {"hpgl", plt, true},  {"HPGL", plt, true},
                 {"hpg", plt, true}, {"Hgl", plt, true}, {"hpglx", plt, false}};
    for (const auto& c : cases)
        EXPECT_EQ(bool(importText(c.text, 1, 0.05, 0, c.extension)), c.read) << c.extension;
    EXPECT_EQ(importExtension("/a.b/drawing"), "b/drawing");
    EXPECT_EQ(importExtension("noext"), "noext");
    EXPECT_EQ(importExtension("x.Dst"), "dst");
}

TEST(ImportDispatch, CurvesAreKeptOrFlattenedByOptionBitZero) {
    auto kept = importText(oneArcAndLine(), 1);
    auto flat = importText(oneArcAndLine(), 0);
    ASSERT_EQ(vectsOf(kept.get()).size(), 2u);
    EXPECT_EQ(vectsOf(kept.get())[1]->type, LINTREL_ARC);
    for (Vect* v : vectsOf(flat.get()))
        EXPECT_EQ(v->type, LINTREL_POLYLINE);
    EXPECT_GT(totalSegs(flat.get()), 2);
}

TEST(ImportDispatch, PrecisionIsClampedBeforeUse) {
    auto fine = [&](double p) { return totalSegs(importText(oneArcAndLine(), 0, p).get()); };
    EXPECT_EQ(fine(0), fine(0.0005));
    EXPECT_EQ(fine(3), fine(0.5));
    EXPECT_GT(fine(0.0005), fine(0.5));
}

TEST(ImportDispatch, MoveToOriginPutsTheLowerLeftCornerAtZero) {
    DxfText t = entitiesOnly();
    t.line(5, 7, 8, 9).line(6, 10, 7, 12);
    auto groups = importDrawing(t, 1, 0.05, 1);
    const auto vs = vectsOf(groups.get());
    ASSERT_EQ(vs.size(), 2u);
    expectPoints(vs[0], {{0, 0}, {3, 2}});
    expectPoints(vs[1], {{1, 3}, {2, 5}});
    EXPECT_DOUBLE_EQ(vs[0]->xMin, 0);
    EXPECT_DOUBLE_EQ(vs[0]->yMax, 2);
}

// Tajima records: dx +1 is b1 bit 0, dx -1 b1 bit 1, dy +1 b1 bit 7, dy +81 b3 bit 5.
std::string dstFile(const std::vector<std::array<uint8_t, 3>>& records) {
    std::string bytes(512, ' ');
    for (const auto& r : records)
        bytes.append(reinterpret_cast<const char*>(r.data()), 3);
    return bytes;
}

TEST(ImportDst, StitchesBecomePolylinesSplitByJumps) {
    const std::string bytes = dstFile({
        {0x01, 0x00, 0x03},  // stitch +0.1 mm x: starts the path
        {0x80, 0x00, 0x03},  // stitch +0.1 mm y
        {0x00, 0x00, 0x23},  // stitch +8.1 mm y
        {0x02, 0x00, 0x83},  // jump -0.1 mm x
        {0x01, 0x00, 0x03},  // starts the next path
        {0x01, 0x00, 0xC3},  // colour change: still a stitch
        {0x00, 0x00, 0xF3},  // end of design
    });
    VxDst dst;
    ChainOwner<VectGroup> group(dst.read(bytes));
    ASSERT_TRUE(group);
    EXPECT_EQ(dst.colourChanges(), 2);
    const auto vs = vectsOf(group.get());
    ASSERT_EQ(vs.size(), 2u);
    // The highest y lands on 0: positions run from y 0 up to 8.2 mm.
    expectPoints(vs[0], {{0.1, -8.2}, {0.1, -8.1}, {0.1, 0}});
    expectPoints(vs[1], {{0.1, 0}, {0.2, 0}, {0.2, 0}});  // the end record is a stitch of 0
}

TEST(ImportDst, ShortOrEmptyFilesGiveNothing) {
    VxDst dst;
    EXPECT_EQ(dst.read(std::string(100, 'x')), nullptr);
    EXPECT_EQ(dst.read(dstFile({{0, 0, 0x83}, {0, 0, 0x83}})), nullptr);
    // A trailing partial record is ignored.
    ChainOwner<VectGroup> g(dst.read(dstFile({{1, 0, 3}, {1, 0, 3}}) + "\x01"));
    EXPECT_EQ(ringCount(g.get()->vects), 1);
    TempFile file("design.DST", dstFile({{1, 0, 3}, {1, 0, 3}}));
    ChainOwner<VectGroup> fromFile(VarnixCad3_ImportVectGraph(file.path(), 1016, 1, 0.05, 0));
    ASSERT_TRUE(fromFile);
    EXPECT_EQ(fromFile.get()->number, 1);
    EXPECT_EQ(fromFile.get()->colour, 0u);
}

TEST(ImportArray, ArrayChainHoldsLinesAndArcsOnly) {
    DxfText t = entitiesOnly();
    t.arc(0, 0, 10, 0, 90);
    t.polyline({{0, 0}, {5, 9}, {10, 0}}, 4);
    t.line(0, 0, 1, 1, "0", 3);
    t.endSection().eof();
    TempFile file("array.dxf", t.str());
    EXPECT_EQ(VarnixCadArray_ImportVectGraph(file.path(), 1016, 1, 0.05), 0);
    VectGroup* chain = arrayChain();
    ASSERT_NE(chain, nullptr);
    const auto gs = groupsOf(chain);
    ASSERT_EQ(gs.size(), 2u);
    EXPECT_EQ(gs[0]->number, 1);
    EXPECT_EQ(gs[1]->number, 2);
    std::vector<int> types;
    for (Vect* v : vectsOf(chain))
        types.push_back(v->type);
    EXPECT_EQ(types, (std::vector<int>{LINTREL_POLYLINE, LINTREL_POLYLINE, LINTREL_ARC}));
    // A failed import empties the array chain and still answers 0.
    EXPECT_EQ(VarnixCadArray_ImportVectGraph("/nonexistent.dxf", 1016, 1, 0.05), 0);
    EXPECT_EQ(arrayChain(), nullptr);
}

}  // namespace
}  // namespace lintrel::test
