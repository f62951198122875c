// The DXF reader's coded diagnostics: each damaged file imports what it can and names its flaw
// with the flaw's code and count. (That a clean file names none, even after a damaged one, is in
// import_diagnostics_test.cpp.)
#include <gtest/gtest.h>

#include "base/diagnostics.h"
#include "import/dxf/dxf_diagnostics.h"
#include "import_helpers.h"

namespace lintrel::test {
namespace {

std::vector<int> codes() {
    std::vector<int> out;
    for (const Diagnostic& d : lastImportDiagnostics())
        out.push_back(d.code);
    return out;
}

DxfText threeLines() {
    DxfText t = entitiesOnly();
    for (int i = 1; i <= 3; ++i)
        t.line(0, 0, i, 0);
    return t;
}

// Three lines in a file whose end is damaged: all three are kept and the one flaw is named once.
TEST(DxfDiagnostics, DamagedEndsKeepTheEntitiesAndNameTheFlaw) {
    std::string cut = threeLines().str();
    cut.resize(cut.rfind("\n11\n"));  // inside the last LINE: it runs to (0, 0), as always
    DxfText eofFirst = threeLines(), nextSection = threeLines(), noEof = threeLines();
    eofFirst.eof();                                     // the EOF marker comes before any ENDSEC
    nextSection.section("OBJECTS").endSection().eof();  // the next section opens instead
    noEof.endSection();
    const std::pair<std::string, int> cases[] = {
        {cut, diag::kDxfTruncated},
        {eofFirst.str(), diag::kDxfSectionWithoutEndsec},
        {nextSection.str(), diag::kDxfSectionWithoutEndsec},
        {noEof.str(), diag::kDxfMissingEof}};
    for (size_t row = 0; row < std::size(cases); ++row) {
        const auto& [text, code] = cases[row];
        auto groups = importText(text);
        EXPECT_EQ(vectsOf(groups.get()).size(), 3u) << "row " << row;
        EXPECT_EQ(codes(), std::vector<int>{code}) << "row " << row;
        EXPECT_EQ(lastImport().countOf(code), 1) << "row " << row;
    }
}

// Numbers that do not read, or read as infinite or not a number, become zero: a line's start,
// a circle's centre and radius; flattened, every coordinate stays finite.
TEST(DxfDiagnostics, MalformedNumbersReadAsZero) {
    DxfText t = entitiesOnly();
    t.entity("LINE").group(10, "abc").group(20, "1e999").group(11, 4.0).group(21, 5.0);
    t.entity("LINE").group(10, "nan").group(20, "1e400").group(11, "-").group(21, "inf");
    t.group(30, "-nan");
    t.entity("CIRCLE").group(10, "1e999").group(20, "2").group(40, "NAN");
    auto groups = importDrawing(t, 0);
    const auto vs = vectsOf(groups.get());
    ASSERT_EQ(vs.size(), 3u);
    EXPECT_TRUE(allFinite(groups.get()));
    EXPECT_EQ(segStart(*vs[0]->segs).x, 0);
    EXPECT_EQ(segStart(*vs[0]->segs).y, 0);
    EXPECT_EQ(segEnd(*vs[0]->segs).x, 4);
    EXPECT_EQ(segStart(*vs[1]->segs).x, 0);
    EXPECT_EQ(segStart(*vs[1]->segs).y, 0);
    EXPECT_EQ(codes(), std::vector<int>{diag::kDxfMalformedNumber});
    EXPECT_EQ(lastImport().countOf(diag::kDxfMalformedNumber), 9);
}

// Every vertex is kept whatever group 90 announced, and nothing is allocated for an absurd
// count up front; each count that differs is noted (a negative one announces nothing).
TEST(DxfDiagnostics, VertexCountDifferingFromGroup90) {
    const struct {
        int vertices, announced;
    } cases[] = {{3, 2000000000}, {4, 2}, {3, 5}, {3, -5}, {2, 2}};
    DxfText t = entitiesOnly();
    for (const auto& c : cases) {
        std::vector<DxfText::V> vertices;
        for (int i = 0; i < c.vertices; ++i)
            vertices.push_back({double(i), double(i % 2)});
        t.lwpolyline(vertices, false, c.announced);
    }
    auto groups = importDrawing(t);
    const auto vs = vectsOf(groups.get());
    ASSERT_EQ(vs.size(), std::size(cases));
    for (size_t i = 0; i < vs.size(); ++i)
        EXPECT_EQ(ringCount(vs[i]->segs), cases[i].vertices - 1) << "row " << i;
    EXPECT_EQ(codes(), std::vector<int>{diag::kDxfVertexCount});
    EXPECT_EQ(lastImport().countOf(diag::kDxfVertexCount), 3);
}

TEST(DxfDiagnostics, UnknownKindsAreNamed) {
    DxfText t = threeLines();
    t.entity("SOLID").point(10, 0, 0).entity("3DFACE").point(10, 0, 0).entity("SOLID");
    auto groups = importDrawing(t);
    EXPECT_EQ(vectsOf(groups.get()).size(), 3u);
    ASSERT_EQ(codes(), std::vector<int>{diag::kDxfUnknownKinds});
    const Diagnostic d = lastImport().items()[0];
    EXPECT_EQ(d.count, 3);
    EXPECT_NE(d.text.find("SOLID"), std::string::npos);
    EXPECT_NE(d.text.find("3DFACE"), std::string::npos);
}

TEST(DxfDiagnostics, KindsReadButNotConverted) {
    DxfText t = threeLines();
    t.entity("HATCH").group(2, "SOLID");
    t.entity("DIMENSION").group(2, "*D1");
    t.entity("INSERT").group(2, "*Model_Space").group(66, 1);  // with an attribute
    t.entity("ATTRIB").group(1, "tag").entity("SEQEND");
    importDrawing(t);
    ASSERT_EQ(codes(), std::vector<int>{diag::kDxfNotConverted});
    EXPECT_EQ(lastImport().countOf(diag::kDxfNotConverted), 3);
    EXPECT_NE(lastImport().items()[0].text.find("ATTRIB"), std::string::npos);
    EXPECT_NE(lastImport().items()[0].text.find("HATCH"), std::string::npos);
}

TEST(DxfDiagnostics, BlockNotFound) {
    DxfText t = threeLines();
    t.insert("NOWHERE", 0, 0).insert("nowhere", 1, 1);
    auto groups = importDrawing(t);
    EXPECT_EQ(vectsOf(groups.get()).size(), 3u);
    ASSERT_EQ(codes(), std::vector<int>{diag::kDxfBlockNotFound});
    EXPECT_EQ(lastImport().countOf(diag::kDxfBlockNotFound), 2);
}

TEST(DxfDiagnostics, NestingBoundReached) {
    // Forty blocks, each placing the one before; the innermost line lies beyond the bound.
    DxfText t;
    t.section("BLOCKS");
    t.block("B0").line(0, 0, 1, 0).endBlock();
    for (int n = 1; n < 40; ++n)
        t.block("B" + std::to_string(n)).insert("B" + std::to_string(n - 1), 1, 0).endBlock();
    t.endSection().section("ENTITIES").insert("B39", 0, 0).insert("B5", 0, 0);
    auto groups = importDrawing(t);
    EXPECT_EQ(vectsOf(groups.get()).size(), 1u);  // only the shallow reference draws its line
    ASSERT_EQ(codes(), std::vector<int>{diag::kDxfNestingBound});
    EXPECT_EQ(lastImport().countOf(diag::kDxfNestingBound), 1);
}

TEST(DxfDiagnostics, GeometryBeyondTheNumberRangeIsDropped) {
    DxfText t;
    t.section("BLOCKS").block("FAR").line(0, 0, 1e300, 0).circle(0, 0, 1).endBlock();
    t.endSection().section("ENTITIES").insert("FAR", 0, 0, 1e10, 1e10).line(0, 0, 1, 1);
    auto groups = importDrawing(t);
    const auto vs = vectsOf(groups.get());
    ASSERT_EQ(vs.size(), 2u);  // the scaled circle and the plain line
    EXPECT_TRUE(allFinite(groups.get()));
    ASSERT_EQ(codes(), std::vector<int>{diag::kDxfOutOfRange});
    EXPECT_EQ(lastImport().countOf(diag::kDxfOutOfRange), 1);
}

}  // namespace
}  // namespace lintrel::test
