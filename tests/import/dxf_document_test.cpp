// What the reading passes put into the document: header values, the UCS plane, tables and
// blocks; and entities that are filed but converted elsewhere.
#include <gtest/gtest.h>

#include <string>

#include "import/dxf/dxf_reader.h"
#include "import_helpers.h"

namespace lintrel::test {
namespace {

TEST(DxfDocument, HeaderDefaultsAndValuesTakenOnlyWithTheirOwnCodes) {
    DxfText t;
    t.section("HEADER");
    t.group(9, "$ACADVER").group(1, "AC1027");
    t.group(9, "$EXTMAX").group(10, 50.0).group(20, 60.0);
    t.group(9, "$ANGBASE").group(40, 1.5);  // wrong code: not taken
    t.group(9, "$LTSCALE").group(40, 2.0);
    t.endSection().eof();
    VxDxf dxf;
    ImportDiagnostics diagnostics;
    dxf.read(t.str(), 1, 5, diagnostics);
    const dxf::DxfHeader& h = dxf.document()->header;
    EXPECT_EQ(h.version, "AC1027");
    EXPECT_EQ(h.extMaxX, 50);
    EXPECT_EQ(h.extMaxY, 60);
    EXPECT_EQ(h.angleBase, 0);
    EXPECT_TRUE(h.hasLinetypeScale);
    EXPECT_EQ(h.linetypeScale, 2);
    EXPECT_EQ(dxf.precision(), 0.1);  // the reader's own clamp
}

// Each UCS orientation picks a normal, changes the origin to match, and maps entity points; the
// converted line ends at the mapped point less the changed origin.
TEST(DxfDocument, UcsAxesChooseTheDrawingPlane) {
    struct Case {
        dxf::Vec3 xAxis, yAxis, normal, origin;
        double x, y;  // where the point (1, 2, 3) lands before the origin move
    };
    const Case cases[] = {
        {{1, 0, 0}, {0, 0, 1}, {0, -1, 0}, {10, 30, 20}, 1, 3},
        {{-1, 0, 0}, {0, 1, 0}, {0, 0, -1}, {-10, 20, 30}, -1, 2},
        {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}, {-10, 30, 20}, -1, 3},
        {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}, {20, 30, 10}, 2, 3},
        {{0, -1, 0}, {0, 0, 1}, {-1, 0, 0}, {-20, 30, -10}, -2, 3},
        {{0.6, 0.8, 0}, {0, 0, 1}, {0, 0, 1}, {10, 30, 20}, 1, 2},
        {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {10, 20, 30}, 1, 2},
    };
    for (const Case& c : cases) {
        DxfText t;
        t.section("HEADER");
        t.group(9, "$UCSORG").point(10, 10, 20, 30);
        t.group(9, "$UCSXDIR").point(10, c.xAxis.x, c.xAxis.y, c.xAxis.z);
        t.group(9, "$UCSYDIR").point(10, c.yAxis.x, c.yAxis.y, c.yAxis.z);
        t.endSection();
        t.section("ENTITIES").entity("LINE").point(10, 1, 2, 3).point(11, 1, 2, 3);
        t.endSection().eof();
        VxDxf dxf;
        ImportDiagnostics diagnostics;
        dxf.read(t.str(), 1, 0.05, diagnostics);
        const dxf::DxfHeader& h = dxf.document()->header;
        const std::string row = std::to_string(&c - cases);
        EXPECT_EQ(h.ucsNormal.x, c.normal.x) << row;
        EXPECT_EQ(h.ucsNormal.y, c.normal.y) << row;
        EXPECT_EQ(h.ucsNormal.z, c.normal.z) << row;
        EXPECT_EQ(h.ucsOrigin.x, c.origin.x) << row;
        EXPECT_EQ(h.ucsOrigin.y, c.origin.y) << row;
        EXPECT_EQ(h.ucsOrigin.z, c.origin.z) << row;
        ChainOwner<VectGroup> groups(dxf.convert(diagnostics));
        ASSERT_TRUE(groups) << row;
        const Seg* s = groups.get()->vects->segs;
        EXPECT_EQ(s->x0, c.x - c.origin.x) << row;
        EXPECT_EQ(s->y0, c.y - c.origin.y) << row;
    }
}

TEST(DxfDocument, TablesAndBlocksAreRead) {
    DxfText t;
    t.section("TABLES");
    t.group(0, "TABLE").group(2, "STYLE").group(70, 1);
    t.group(0, "STYLE").group(2, "NOTES").group(3, "romans.shx").group(41, 0.9);
    t.group(0, "ENDTAB");
    t.group(0, "TABLE").group(2, "BLOCK_RECORD").group(70, 1);
    t.group(0, "BLOCK_RECORD").group(2, "*Model_Space");
    t.group(0, "ENDTAB");
    t.endSection();
    t.section("BLOCKS");
    for (const char* name : {"*Model_Space", "BOLT", "NUT", "WASHER", "EXTRA"}) {
        t.group(0, "BLOCK").group(8, "0").group(2, name).point(10, 1, 2).group(3, name);
        t.group(1, "");
        t.line(0, 0, 1, 1);
        t.group(0, "ENDBLK").group(100, "AcDbBlockEnd");
    }
    t.endSection();
    t.section("ENTITIES").entity("TEXT").group(1, "hello").point(10, 0, 0).group(40, 2.5);
    t.endSection().eof();
    VxDxf dxf;
    ImportDiagnostics diagnostics;
    dxf.read(t.str(), 1, 0.05, diagnostics);
    const dxf::DxfDocument& doc = *dxf.document();
    ASSERT_EQ(doc.styles.size(), 1u);
    EXPECT_EQ(doc.styles[0].name, "NOTES");
    EXPECT_EQ(doc.styles[0].font, "romans.shx");
    EXPECT_EQ(doc.styles[0].lastHeight, 2.5);
    // Every block is its own, however few records the BLOCK_RECORD table announced.
    ASSERT_EQ(doc.blocks.size(), 5u);
    EXPECT_EQ(doc.blocks[1].name, "BOLT");
    EXPECT_EQ(doc.blocks[1].base.y, 2);
    EXPECT_EQ(doc.blocks[4].name, "EXTRA");
    for (const dxf::DxfBlock& block : doc.blocks)
        EXPECT_EQ(block.entities.lines.size(), 1u) << block.name;
    // Text is filed with its groups for the text conversion.
    const auto& texts = doc.entities.rawOf(dxf::Kind::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(doc.rawGroups[texts[0].firstGroup].value, "hello");
    // Block contents are not drawn by themselves: the text is all there is.
    ChainOwner<VectGroup> groups(dxf.convert(diagnostics));
    ASSERT_TRUE(groups);
    ASSERT_EQ(vectsOf(groups.get()).size(), 1u);
    EXPECT_EQ(vectsOf(groups.get())[0]->type, LINTREL_TEXT);
}

TEST(DxfDocument, PolyfaceFaceRecordsAreNotVertices) {
    DxfText t = entitiesOnly();
    t.polyline({{0, 0}, {4, 0}, {4, 4}, {0, 0}}, 64, {192, 192, 192, 128});
    auto groups = importDrawing(t);
    const auto vs = vectsOf(groups.get());
    ASSERT_EQ(vs.size(), 1u);
    EXPECT_EQ(ringCount(vs[0]->segs), 2);
}

}  // namespace
}  // namespace lintrel::test
