// The PDF reader: path operators, graphics state, colour spaces, page boxes, rotation and user
// unit, form XObjects, object streams, text and image diagnostics and the page choice, on
// small files written here.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import/pdf/pdf_diagnostics.h"
#include "import/pdf/pdf_reader.h"
#include "import_helpers.h"
#include "pdf_builder.h"

namespace lintrel::test {
namespace {

constexpr double kInch = 25.4;  // 72 points

// The objects of a page tree over `pages` page dictionaries' entries, each with its content.
struct Page {
    std::string content;
    std::string entries = "/MediaBox[0 0 72 72]";
};

std::string pdfOf(const std::vector<Page>& pages, std::string_view treeEntries = "",
                  PdfText pdf = PdfText()) {
    std::string kids;
    for (const Page& p : pages) {
        const int content = pdf.stream(p.content);
        kids += PdfText::ref(pdf.object("<</Type/Page" + p.entries + "/Contents " +
                                        PdfText::ref(content) + ">>")) +
                " ";
    }
    const int tree = pdf.object("<</Type/Pages" + std::string(treeEntries) + "/Kids[" + kids +
                                "]/Count " + std::to_string(pages.size()) + ">>");
    pdf.object("<</Type/Catalog/Pages " + PdfText::ref(tree) + ">>");
    return pdf.str();
}

ChainOwner<VectGroup> readPage(const std::string& bytes, ImportDiagnostics& d, int page = 1) {
    return ChainOwner<VectGroup>(pdf::readPdfPage(bytes, page, d));
}

// The first vect of the first group, null when nothing was drawn.
Vect* firstVect(const ChainOwner<VectGroup>& groups) {
    return groups ? groups.get()->vects : nullptr;
}

TEST(PdfReader, PathOperatorsInMillimetres) {
    ImportDiagnostics d;
    const auto groups = readPage(pdfOf({{"0 0 m 72 0 l 72 36 l S\n"
                                         "0 0 m 0 72 72 72 72 0 c S\n"
                                         "0 0 m 36 72 72 0 v S 0 0 m 36 72 72 0 y S\n"
                                         "36 36 36 18 re f\n"
                                         "0 0 m 72 72 l h S"}}),
                                 d);
    ASSERT_TRUE(groups);
    const auto vects = itemsOf(firstVect(groups));
    ASSERT_EQ(vects.size(), 6u);
    expectPoints(vects[0], {{0, 0}, {kInch, 0}, {kInch, kInch / 2}});
    EXPECT_EQ(vects[1]->type, LINTREL_BEZIER);
    EXPECT_EQ(vects[2]->type, LINTREL_BEZIER);
    EXPECT_EQ(vects[3]->type, LINTREL_BEZIER);
    const double h = kInch / 2, q = kInch / 4;
    expectPoints(vects[4], {{h, h}, {kInch, h}, {kInch, h + q}, {h, h + q}, {h, h}});
    // h closes the subpath back to its start.
    expectPoints(vects[5], {{0, 0}, {kInch, kInch}, {0, 0}});
    EXPECT_TRUE(d.items().empty());
}

TEST(PdfReader, SavedStatesAndMatrices) {
    ImportDiagnostics d;
    const auto groups =
        readPage(pdfOf({{"q 2 0 0 2 0 0 cm 0 0 m 36 0 l S Q 0 0 m 36 0 l S\n"
                         "q 1 0 0 1 36 0 cm q 0 1 -1 0 0 0 cm 0 0 m 36 0 l S Q Q\n"
                         "Q Q 0 0 m 0 36 l S"}}),  // unbalanced restores change nothing
                 d);
    const auto vects = itemsOf(firstVect(groups));
    ASSERT_EQ(vects.size(), 4u);
    expectPoints(vects[0], {{0, 0}, {kInch, 0}});
    expectPoints(vects[1], {{0, 0}, {kInch / 2, 0}});
    expectPoints(vects[2], {{kInch / 2, 0}, {kInch / 2, kInch / 2}});
    expectPoints(vects[3], {{0, 0}, {0, kInch / 2}});
}

// Colour values are red in the low byte, then green, then blue.
TEST(PdfReader, StrokeAndFillColoursInTheDeviceSpaces) {
    ImportDiagnostics d;
    const auto groups = readPage(pdfOf({{"1 0 0 RG 0 0 1 rg 0 0 m 9 0 l S 0 0 9 9 re f\n"
                                         "0.2 G 0 0 m 9 9 l S\n"
                                         "1 0 0 0 K 0 0 0 1 k 0 0 m 0 9 l S 0 0 5 5 re f\n"
                                         "0 1 0 RG 1 g 0 0 9 9 re B"}}),
                                 d);
    const auto list = groupsOf(groups.get());
    ASSERT_EQ(list.size(), 6u);
    EXPECT_EQ(list[0]->colour, 0x0000FFu);  // the red stroke
    EXPECT_EQ(list[1]->colour, 0xFF0000u);  // the blue fill
    EXPECT_EQ(list[2]->colour, 0x333333u);
    EXPECT_EQ(list[3]->colour, 0xFFFF00u);  // cyan ink is green and blue light
    EXPECT_EQ(list[4]->colour, 0x000000u);
    EXPECT_EQ(list[5]->colour, 0x00FF00u);  // fill and stroke: the stroke's colour
    for (size_t i = 0; i < list.size(); ++i)
        EXPECT_EQ(list[i]->number, static_cast<int>(i) + 1);
}

TEST(PdfReader, ColourSpacesChosenByName) {
    ImportDiagnostics d;
    const auto groups = readPage(pdfOf({{"/DeviceRGB CS 0 1 0 SC 0 0 m 9 0 l S\n"
                                         "/DeviceCMYK CS 0 0 1 0 SCN 0 0 m 9 9 l S\n"
                                         "/DeviceGray CS 0 0 m 0 9 l S\n"  // starts black
                                         "/CS0 cs 1 0 0 scn 0 0 5 5 re f\n"
                                         "/Pattern cs /P0 scn 0 0 4 4 re f"}}),
                                 d);
    const auto list = groupsOf(groups.get());
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0]->colour, 0x00FF00u);
    EXPECT_EQ(list[1]->colour, 0x00FFFFu);  // yellow
    EXPECT_EQ(list[2]->colour, 0x000000u);
    EXPECT_EQ(list[3]->colour, 0x0000FFu);
    // A pattern space starts black like the others; its pattern is not read.
    EXPECT_EQ(itemsOf(list[2]->vects).size(), 2u);
}

// Where the line from (100, 200) to (172, 200) lands under each page's boxes, turn and unit.
TEST(PdfReader, PageBoxRotationAndUserUnit) {
    const struct {
        const char* page;
        const char* tree;
        std::vector<Point> points;
    } cases[] = {
        {"/MediaBox[100 200 244 272]", "", {{0, 0}, {kInch, 0}}},
        // The crop box wins over the media box; the tree's box is inherited.
        {"/CropBox[64 200 172 272]", "/MediaBox[0 0 999 999]", {{kInch / 2, 0}, {1.5 * kInch, 0}}},
        // Turned a quarter clockwise: the box is 72 wide and 144 high, shown 144 wide.
        {"/MediaBox[100 200 172 344]/Rotate 90", "", {{0, kInch}, {0, 0}}},
        {"/MediaBox[100 200 172 344]/Rotate 180", "", {{kInch, 2 * kInch}, {0, 2 * kInch}}},
        {"/MediaBox[100 200 172 344]/Rotate -90", "", {{2 * kInch, 0}, {2 * kInch, kInch}}},
        {"/MediaBox[100 200 172 344]/UserUnit 10", "", {{0, 0}, {10 * kInch, 0}}},
    };
    for (const auto& c : cases) {
        ImportDiagnostics d;
        SCOPED_TRACE(c.page);
        expectPoints(firstVect(readPage(pdfOf({{"100 200 m 172 200 l S", c.page}}, c.tree), d)),
                     c.points);
    }
}

TEST(PdfReader, FormsDrawnThroughDo) {
    PdfText pdf;
    const int inner =
        pdf.stream("0 G 0 0 m 0 36 l S", "/Type/XObject/Subtype/Form/BBox[0 0 72 72]");
    const int image = pdf.stream("xx", "/Type/XObject/Subtype/Image/Width 1/Height 1");
    const int form = pdf.stream("1 0 0 RG 0 0 m 36 0 l S /Fi Do /Im Do",
                                "/Subtype/Form/Matrix[1 0 0 1 36 0]/Resources<</XObject<</Fi " +
                                    PdfText::ref(inner) + "/Im " + PdfText::ref(image) + ">>>>");
    const int resources = pdf.object("<</XObject<</Fm " + PdfText::ref(form) + ">>>>");
    ImportDiagnostics d;
    const auto groups =
        readPage(pdfOf({{"q 2 0 0 2 0 0 cm /Fm Do Q /Fm Do /Nothing Do",
                         "/MediaBox[0 0 288 288]/Resources " + PdfText::ref(resources)}},
                       "", pdf),
                 d);
    const auto list = groupsOf(groups.get());
    ASSERT_EQ(list.size(), 2u);
    // The form's red line twice (scaled and not), its inner form's lines in black.
    const auto red = itemsOf(list[0]->vects);
    ASSERT_EQ(red.size(), 2u);
    EXPECT_EQ(list[0]->colour, 0x0000FFu);
    expectPoints(red[0], {{kInch, 0}, {2 * kInch, 0}});
    expectPoints(red[1], {{kInch / 2, 0}, {kInch, 0}});
    const auto black = itemsOf(list[1]->vects);
    ASSERT_EQ(black.size(), 2u);
    expectPoints(black[0], {{kInch, 0}, {kInch, kInch}});
    EXPECT_EQ(d.countOf(diag::kPdfImagesSkipped), 3);
}

// A form that draws a line and then itself n times would draw without end: the page stops at
// its bound of form draws (once nested eight deep, ten times over 4096 lines in all).
TEST(PdfReader, FormsDrawingThemselvesStop) {
    for (const auto& [draws, lines] : {std::pair{1, 8u}, std::pair{10, 4096u}}) {
        PdfText pdf;
        std::string content = "0 0 m 1 0 l S";
        for (int i = 0; i < draws; ++i)
            content += " /Me Do";
        // Object 1 is this form.
        pdf.stream(content, "/Subtype/Form/Resources<</XObject<</Me 1 0 R>>>>");
        ImportDiagnostics d;
        const auto groups = readPage(
            pdfOf({{"/Me Do", "/MediaBox[0 0 72 72]/Resources<</XObject<</Me 1 0 R>>>>"}}, "", pdf),
            d);
        EXPECT_EQ(itemsOf(firstVect(groups)).size(), lines) << draws;
        // Each stop is noted: once for the single self-reference.
        const long stops = d.countOf(diag::kPdfImagesSkipped);
        EXPECT_TRUE(draws == 1 ? stops == 1 : stops > 0) << draws << ": " << stops;
    }
}

// The page tree in a compressed object stream, as PDF 1.5 writers store it.
TEST(PdfReader, ObjectsInObjectStreams) {
    PdfText pdf;
    const int content = pdf.stream("0 0 m 72 0 l S");
    const std::string objects[] = {
        "<</Type/Page/Parent 12 0 R/MediaBox[0 0 72 72]/Contents " + PdfText::ref(content) + ">>",
        "<</Type/Pages/Kids[11 0 R]/Count 1>>", "<</Type/Catalog/Pages 12 0 R>>"};
    std::string head, body;
    for (int i = 0; i < 3; ++i) {
        head += std::to_string(11 + i) + " " + std::to_string(body.size()) + " ";
        body += objects[i] + "\n";
    }
    pdf.stream(deflated(head + body),
               "/Type/ObjStm/N 3/First " + std::to_string(head.size()) + "/Filter/FlateDecode");
    ImportDiagnostics d;
    const auto groups = readPage(pdf.str(), d);
    ASSERT_TRUE(groups);
    expectPoints(firstVect(groups), {{0, 0}, {kInch, 0}});
}

TEST(PdfReader, TextAndMissingPagesNoted) {
    const std::string twoPages =
        pdfOf({{"BT /F1 9 Tf (a) Tj ET BT (b) Tj ET 0 0 m 72 0 l S"}, {"0 0 m 0 72 l S"}});
    ImportDiagnostics d;
    const auto first = readPage(twoPages, d);
    expectPoints(firstVect(first), {{0, 0}, {kInch, 0}});
    EXPECT_EQ(d.countOf(diag::kPdfTextSkipped), 2);
    ImportDiagnostics second;
    expectPoints(firstVect(readPage(twoPages, second, 2)), {{0, 0}, {0, kInch}});
    EXPECT_TRUE(second.items().empty());
    ImportDiagnostics missing;
    expectPoints(firstVect(readPage(twoPages, missing, 5)), {{0, 0}, {kInch, 0}});
    EXPECT_EQ(missing.countOf(diag::kPdfPageMissing), 1);
    ImportDiagnostics none;
    EXPECT_FALSE(readPage("%PDF-1.4\n1 0 obj\n<</Type/Font>>\nendobj\n", none));
    EXPECT_EQ(none.countOf(diag::kPdfNoPage), 1);
}

// The page count through the export, and the page chosen by the import options.
TEST(PdfReader, PagesAreCountedAndChosenByTheImportOptions) {
    const std::string twoPages = pdfOf({{"0 0 m 72 0 l S"}, {"0 0 m 0 72 l S"}});
    TempFile pdf("pages.pdf", twoPages);
    int count = -1;
    EXPECT_EQ(VarnixCad3_GetPageCount(pdf.path(), &count), LINTREL_OK);
    EXPECT_EQ(count, 2);
    const int second = 1 << LINTREL_IMPORT_PAGE_SHIFT;
    expectPoints(firstVect(importText(twoPages, 1 | second, 0.05, 0, "pdf")), {{0, 0}, {0, kInch}});
    expectPoints(firstVect(importText(twoPages, 1, 0.05, 0, "pdf")), {{0, 0}, {kInch, 0}});

    TempFile dxf("lines.dxf", entitiesOnly().line(0, 0, 1, 0).endSection().eof().str());
    EXPECT_EQ(VarnixCad3_GetPageCount(dxf.path(), &count), LINTREL_OK);
    EXPECT_EQ(count, 1);
    TempFile noPage("none.pdf", "%PDF-1.4\n1 0 obj\n<</Type/Font>>\nendobj\n");
    EXPECT_EQ(VarnixCad3_GetPageCount(noPage.path(), &count), LINTREL_NOTHING_TO_DO);
    EXPECT_EQ(count, 0);
    TempFile unknown("notes.txt", "0 0 m");
    EXPECT_EQ(VarnixCad3_GetPageCount(unknown.path(), &count), LINTREL_BAD_ARGUMENT);
    EXPECT_EQ(VarnixCad3_GetPageCount("/no/such/drawing.pdf", &count), LINTREL_BAD_ARGUMENT);
    EXPECT_EQ(VarnixCad3_GetPageCount(nullptr, &count), LINTREL_BAD_ARGUMENT);
    EXPECT_EQ(VarnixCad3_GetPageCount(pdf.path(), nullptr), LINTREL_BAD_ARGUMENT);
}

// 200 pages in a tree of ten nodes: every page but one has content that cannot be decoded, so
// any reading of another page's content would be noted. The chosen page reads cleanly.
TEST(PdfReader, TwoHundredPagesOpenAtTheChosenPageAlone) {
    constexpr int kPages = 200, kChosen = 137;
    PdfText pdf;
    std::string nodes;
    const int root = 1 + kPages * 2 + 10;  // the objects below come first
    for (int node = 0; node < 10; ++node) {
        std::string kids;
        for (int i = 0; i < kPages / 10; ++i) {
            const int page = node * (kPages / 10) + i + 1;
            const int content = page == kChosen
                                    ? pdf.stream("0 0 m " + std::to_string(page) + " 0 l S")
                                    : pdf.stream("no deflate data", "/Filter/FlateDecode");
            kids +=
                PdfText::ref(pdf.object("<</Type/Page/Contents " + PdfText::ref(content) + ">>")) +
                " ";
        }
        nodes += PdfText::ref(pdf.object("<</Type/Pages/Parent " + PdfText::ref(root) + "/Kids[" +
                                         kids + "]/Count 20>>")) +
                 " ";
    }
    ASSERT_EQ(pdf.object("<</Type/Pages/MediaBox[0 0 612 792]/Kids[" + nodes + "]/Count 200>>"),
              root);
    pdf.object("<</Type/Catalog/Pages " + PdfText::ref(root) + ">>");
    const std::string bytes = pdf.str();

    EXPECT_EQ(pdf::countPdfPages(bytes), kPages);
    ImportDiagnostics chosen;
    expectPoints(firstVect(readPage(bytes, chosen, kChosen)),
                 {{0, 0}, {kChosen / 72.0 * kInch, 0}});
    EXPECT_TRUE(chosen.items().empty());
    ImportDiagnostics other;
    EXPECT_FALSE(readPage(bytes, other, kChosen + 1));
    EXPECT_EQ(other.countOf(diag::kPdfStreamUnreadable), 1);
}

}  // namespace
}  // namespace lintrel::test
