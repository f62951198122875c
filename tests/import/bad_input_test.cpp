// Damaged and hostile DXF input: truncation, binary files, surplus records, a file of one
// enormous line, missing files. None may crash, hang or allocate without bound; each gives a null
// drawing or a drawing of what could be read. (Absurd counts and malformed numbers are with
// their diagnostics.)
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "import_helpers.h"
#include "model/geometry.h"

namespace lintrel::test {
namespace {

std::string sampleDrawing() {
    DxfText t;
    t.section("HEADER").group(9, "$INSUNITS").group(70, 4).endSection();
    t.layers({{"A", 1}, {"B", 2}});
    t.section("ENTITIES");
    t.line(0, 0, 1, 1, "A").circle(5, 5, 2, "B").arc(0, 0, 3, 10, 200, "A");
    t.lwpolyline({{0, 0}, {4, 0, 0.5}, {4, 4}}, true);
    t.polyline({{0, 0}, {2, 0}, {2, 2}}, 1);
    t.entity("POINT").point(10, 1, 2);
    t.line(9, 9, 8, 8, "B");
    t.endSection().eof();
    return t.str();
}

TEST(DxfBadInput, EveryTruncationReadsWhatIsThere) {
    const std::string full = sampleDrawing();
    auto whole = importText(full);
    const size_t wholeCount = vectsOf(whole.get()).size();
    ASSERT_EQ(wholeCount, 9u);  // the bulged polyline gives three pieces
    for (size_t n = 0; n < full.size(); n += 3) {
        auto part = importText(full.substr(0, n));
        EXPECT_LE(vectsOf(part.get()).size(), wholeCount) << n;
        EXPECT_TRUE(allFinite(part.get())) << n;
    }
    // Cut just after the first LINE: that line is read.
    const size_t cut = full.find("0\nCIRCLE");
    auto firstLine = importText(full.substr(0, cut));
    EXPECT_EQ(vectsOf(firstLine.get()).size(), 1u);
}

// A binary drawing cut off in its header holds nothing to draw.
TEST(DxfBadInput, BinaryDxfCutOffInItsHeaderGivesNull) {
    std::string binary("AutoCAD Binary DXF\r\n\x1a\0", 22);
    binary += std::string("\0\x07SECTION\0\x02HEADER\0", 18);
    EXPECT_FALSE(importText(binary));
}

TEST(DxfBadInput, LayersBeyondTheTableCountAreKept) {
    DxfText t;
    t.layers({{"A", 1}, {"OFF", -2}, {"C", 5}}, 1);
    t.section("ENTITIES").line(0, 0, 1, 0, "A").line(0, 0, 2, 0, "OFF").line(0, 0, 3, 0, "C");
    auto groups = importDrawing(t);
    const auto gs = groupsOf(groups.get());
    ASSERT_EQ(gs.size(), 2u);
    EXPECT_EQ(gs[1]->colour, 0xFF0000u);  // colour index 5 is blue
    EXPECT_EQ(gs[1]->vects->segs->x1, 3);
}

TEST(DxfBadInput, OneEnormousLineReadsNothingOrZero) {
    EXPECT_FALSE(importText(std::string(16 << 20, '7')));
    std::string noBreaks = "0\nSECTION\n2\nENTITIES\n0\nLINE\n10\n";
    noBreaks += std::string(8 << 20, '1');
    // The number is out of range, so it reads as 0; the line itself is kept.
    auto groups = importText(noBreaks);
    ASSERT_TRUE(groups);
    EXPECT_EQ(groups.get()->vects->segs->x0, 0);
}

int diagnosticCount(int wanted) {
    for (int i = 0; i < VarnixCad3_GetImportDiagCount(); ++i) {
        int code = 0, count = 0;
        if (VarnixCad3_GetImportDiag(i, &code, &count, nullptr, 0) == 0 && code == wanted)
            return count;
    }
    return 0;
}

TEST(DxfBadInput, MissingFilesAndFoldersGiveNull) {
    EXPECT_EQ(VarnixCad3_ImportVectGraph("/nonexistent/drawing.dxf", 1016, 1, 0.05, 0), nullptr);
    EXPECT_EQ(diagnosticCount(1), 1) << "an unreadable file is named as such";
    char text[8] = "x";
    int code = 0;
    ASSERT_EQ(VarnixCad3_GetImportDiag(0, &code, nullptr, text, sizeof text), 0);
    EXPECT_EQ(std::string(text).size(), 7u) << "the text is cut to the buffer and terminated";
    EXPECT_EQ(VarnixCad3_GetImportDiag(1, &code, nullptr, text, sizeof text), LINTREL_BAD_ARGUMENT);
    EXPECT_EQ(VarnixCad3_GetImportDiag(-1, nullptr, nullptr, nullptr, 0), LINTREL_BAD_ARGUMENT);
    EXPECT_EQ(VarnixCad3_ImportVectGraph("/nonexistent/drawing.xyz", 1016, 1, 0.05, 0), nullptr);
    EXPECT_EQ(diagnosticCount(1), 0) << "each import starts a new list";
    EXPECT_EQ(diagnosticCount(2), 1);
    EXPECT_EQ(VarnixCad3_ImportVectGraph(nullptr, 1016, 1, 0.05, 0), nullptr);
    // A folder of its own per process, so that parallel runs never share it.
    const auto folder = std::filesystem::temp_directory_path() /
                        ("pathloom-folder-" + std::to_string(::getpid()) + ".dxf");
    std::filesystem::create_directory(folder);
    EXPECT_EQ(VarnixCad3_ImportVectGraph(folder.string().c_str(), 1016, 1, 0.05, 0), nullptr);
    std::filesystem::remove(folder);
}

TEST(DxfBadInput, UnterminatedSectionsAndStrayGroups) {
    // No ENDSEC, no EOF, groups outside any entity, an unknown entity, a POLYLINE whose SEQEND
    // never comes: what was read is kept.
    DxfText t;
    t.group(999, "comment").section("ENTITIES").group(5, "1F");
    t.entity("FROB").group(10, 1.0);
    t.line(0, 0, 1, 0);
    t.entity("POLYLINE").group(70, 0);
    t.entity("VERTEX").point(10, 0, 0).entity("VERTEX").point(10, 3, 0);
    t.line(0, 0, 2, 0);
    auto groups = importText(t.str());
    const auto vs = vectsOf(groups.get());
    ASSERT_EQ(vs.size(), 3u);
    EXPECT_EQ(vs[0]->segs->x1, 1);
    EXPECT_EQ(vs[1]->segs->x1, 2);
    EXPECT_EQ(vs[2]->segs->x1, 3);  // polylines come after lines
}

}  // namespace
}  // namespace lintrel::test
