// The Illustrator reader: native text (operators, colours, grouping, unit metadata, line ends,
// closing paints, unpainted paths) and PDF containers (private data plain, filtered or
// compressed over several streams; page content with transforms), and hostile containers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/diagnostics.h"
#include "import/ai/ai_diagnostics.h"
#include "import/ai/pdf_container.h"
#include "import/ai/pdf_reader.h"
#include "import_helpers.h"
#include "pdf_builder.h"

namespace lintrel::test {
namespace {

ChainOwner<VectGroup> readAi(std::string_view text) {
    return importText(text, 1, 0.05, 0, "ai");
}

TEST(AiReader, CurvesBecomeBezierVectsJoinedToLines) {
    auto curve = readAi("0 g\n0 0 m\n0 50 50 100 100 100 c\nF\n");
    ASSERT_EQ(vectsOf(curve.get()).size(), 1u);
    EXPECT_EQ(vectsOf(curve.get())[0]->type, LINTREL_BEZIER);
    expectPoints(vectsOf(curve.get())[0], {{0, 0}, {0, 50}, {50, 100}, {100, 100}});

    auto mixed = readAi("0 0 m\n10 0 L\n20 10 30 10 40 0 c\n50 0 l\n60 0 70 10 v\nS\n");
    const auto vects = vectsOf(mixed.get());
    ASSERT_EQ(vects.size(), 4u);
    const int types[] = {LINTREL_POLYLINE, LINTREL_BEZIER, LINTREL_POLYLINE, LINTREL_BEZIER};
    for (size_t i = 0; i < vects.size(); ++i) {
        EXPECT_EQ(vects[i]->type, types[i]) << i;
        if (i > 0) {
            EXPECT_EQ(pointsOf(vects[i]).front().x, pointsOf(vects[i - 1]).back().x) << i;
            EXPECT_EQ(pointsOf(vects[i]).front().y, pointsOf(vects[i - 1]).back().y) << i;
        }
    }
    expectPoints(vects[2], {{40, 0}, {50, 0}});
    // "v": the first control point is the current point.
    expectPoints(vects[3], {{50, 0}, {50, 0}, {60, 0}, {70, 10}});
}

TEST(AiReader, ColoursGroupVectsInOrderOfFirstUse) {
    auto groups = readAi(
        "0 1 1 0 k\n0 0 m\n1 0 L\nS\n0.5 g\n0 1 m\n1 1 L\nS\n"
        "0 1 1 0 k\n0 2 m\n1 2 L\nS\n0.2 0.4 0.6 Xa\n0 3 m\n1 3 L\nS\n");
    const auto list = groupsOf(groups.get());
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0]->number, 1);
    EXPECT_EQ(list[0]->colour, 0x0000FFu);  // CMYK 0 1 1 0 is red
    EXPECT_EQ(vectsOf(list[0]->vects).size(), 2u);
    EXPECT_EQ(list[1]->colour, 0x7F7F7Fu);
    EXPECT_EQ(list[2]->number, 3);
    EXPECT_EQ(list[2]->colour, (153u << 16) | (102u << 8) | 51u);
    // Out-of-range components and wrong operand counts change nothing: all stays black.
    auto same = readAi("0 0 0 1 K\n0 0 m\n1 0 L\nS\n2 g\n0.5 0.5 k\n0 1 m\n1 1 L\nS\n");
    ASSERT_EQ(groupsOf(same.get()).size(), 1u);
    EXPECT_EQ(same.get()->number, 1);
    EXPECT_EQ(same.get()->colour, 0u);
}

TEST(AiReader, UnitMetadataSetsTheSourceUnit) {
    readAi("%%BoundingBox: 0 0 10 10\n  <stDim:unit>Centimeters</stDim:unit>\n0 0 m\n1 1 L\nS\n");
    EXPECT_EQ(VarnixCad3_GetBeforeUnit(), 8003);
    readAi("<stDim:unit>Inches</stDim:unit>\n");
    EXPECT_EQ(VarnixCad3_GetBeforeUnit(), 8001);
    readAi("0 0 m\n1 1 L\nS\n");  // no unit: the last one stays
    EXPECT_EQ(VarnixCad3_GetBeforeUnit(), 8001);
    readAi("<stDim:unit>Millimeters</stDim:unit>\n");
    EXPECT_EQ(VarnixCad3_GetBeforeUnit(), 8000);
}

// Native drawings and the points of the vects they give, in order; some note what they
// closed or dropped.
TEST(AiReader, PathsArePaintedClosedOrDropped) {
    const std::vector<Point> open = {{0, 0}, {10, 0}, {10, 10}};
    const std::vector<Point> square = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}};
    const struct {
        std::string text;
        std::vector<std::vector<Point>> vects;
        int code = 0;  // a diagnostic the drawing notes `count` times
        long count = 0;
    } cases[] = {
        // Lines end in LF, CR or CR LF.
        {"0 G\n0 0 m\n10 0 L\n10 10 L\nS\n", {open}},
        {"0 G\r0 0 m\r10 0 L\r10 10 L\rS\r", {open}},
        {"0 G\r\n0 0 m\r\n10 0 L\r\n10 10 L\r\nS\r\n", {open}},
        // s, b and f close every subpath; S leaves it open; a closed path gets no extra seg.
        {"0 0 m\n10 0 L\n10 10 L\n0 10 L\ns\n", {square}, diag::kAiPathClosed, 1},
        {"0 0 m\n10 0 L\n10 10 L\n0 10 L\nb\n", {square}, diag::kAiPathClosed, 1},
        {"0 0 m\n10 0 L\n10 10 L\n0 10 L\nf\n", {square}, diag::kAiPathClosed, 1},
        {"0 0 m\n10 0 L\n10 10 L\n0 0 L\nf\n", {{{0, 0}, {10, 0}, {10, 10}, {0, 0}}}},
        // Two subpaths closed; a curve's end is joined back with a line.
        {"0 0 m\n5 0 L\n5 5 L\n20 0 m\n20 10 30 10 30 0 c\nb\n",
         {{{0, 0}, {5, 0}, {5, 5}, {0, 0}},
          {{20, 0}, {20, 10}, {30, 10}, {30, 0}},
          {{30, 0}, {20, 0}}},
         diag::kAiPathClosed,
         2},
        // A clipping path ended with n, and a guide ended with "(N) *", are not carried on.
        {"0 0 m\n100 0 L\n100 100 L\nn\n-50 5 m\n900 5 L\n(N) *\n1 1 m\n2 2 L\nS\n",
         {{{1, 1}, {2, 2}}},
         diag::kAiPathDiscarded,
         2},
        // Patterns defined in the setup section and non-printing sections are no artwork.
        {"%%BeginSetup\n-9000 0 m\n9000 0 L\nS\n%%EndSetup\n"
         "%AI5_Begin_NonPrinting\n0 -9000 m\n0 9000 L\nS\n%AI5_End_NonPrinting--\n"
         "3 3 m\n4 4 L\nS\n",
         {{{3, 3}, {4, 4}}}},
        // A move right after a move leaves nothing for the first.
        {"0 0 m\n5 5 m\n6 6 L\nS\n", {{{5, 5}, {6, 6}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        auto groups = readAi(c.text);
        const auto vects = vectsOf(groups.get());
        ASSERT_EQ(vects.size(), c.vects.size());
        for (size_t i = 0; i < vects.size(); ++i)
            expectPoints(vects[i], c.vects[i]);
        if (c.code) {
            EXPECT_EQ(lastImport().countOf(c.code), c.count);
        }
    }
}

// A PDF-based AI file whose private data holds `native` as the given streams.
std::string pdfWithPrivateData(const std::vector<std::string>& streams,
                               std::string_view dict = "") {
    PdfText pdf;
    const int content = pdf.stream("0 0 m 999 999 l S");  // must not be read
    std::string entries;
    for (size_t i = 0; i < streams.size(); ++i)
        entries += "/AIPrivateData" + std::to_string(i + 1) + " " +
                   PdfText::ref(pdf.stream(streams[i], dict));
    pdf.page(PdfText::ref(content), entries);
    return pdf.str();
}

TEST(AiPdf, PrivateDataPlainFilteredOrCompressedOverSeveralStreams) {
    ImportDiagnostics diagnostics;
    const std::string native = "%%BoundingBox: 0 0 10 10\r0 0 m\r10 0 L\r10 10 L\rS\r";
    ai::PdfSource source;
    const auto check = [&](const std::string& bytes) {
        ChainOwner<VectGroup> groups(ai::readPdfContainer(bytes, diagnostics, &source));
        ASSERT_EQ(vectsOf(groups.get()).size(), 1u);
        EXPECT_EQ(source, ai::PdfSource::kPrivateData);
        expectPoints(vectsOf(groups.get())[0], {{0, 0}, {10, 0}, {10, 10}});
    };
    check(pdfWithPrivateData({native}));
    check(pdfWithPrivateData({deflated(native)}, "/Filter/FlateDecode"));
    check(pdfWithPrivateData({deflated(native)}, "/Filter[/FlateDecode]"));
    // "%AI12_CompressedData" and one zlib stream split over three private streams; numbers
    // order them (AIPrivateData10 comes after 9).
    const std::string packed = "%AI12_CompressedData" + deflated(native);
    const size_t third = packed.size() / 3;
    check(pdfWithPrivateData({"%%BoundingBox: 0 0 10 10\n", packed.substr(0, third),
                              packed.substr(third, third), packed.substr(2 * third)}));
    std::vector<std::string> eleven(11, "");
    eleven[0] = "0 0 m\n";
    eleven[9] = "10 0 L\n10 10 L\n";
    eleven[10] = "S\n";
    check(pdfWithPrivateData(eleven));
    // The file goes through the import entry point by its extension as well; the unit comes
    // from the container's metadata stream.
    PdfText withUnit;
    withUnit.object(
        "<</Type/Metadata/Subtype/XML/Length 60>>\nstream\n"
        "<x>\n  <stDim:unit>Picas</stDim:unit>\n</x>\nendstream");
    const int data = withUnit.stream(native);
    withUnit.page(PdfText::ref(withUnit.stream("")), "/AIPrivateData1 " + PdfText::ref(data));
    EXPECT_EQ(vectsOf(readAi(withUnit.str()).get()).size(), 1u);
    EXPECT_EQ(VarnixCad3_GetBeforeUnit(), 8012);
}

// Newer files mark the compressed part of their private data as Zstandard data. A build
// without libzstd (the Windows DLL) refuses it with its own code and reads the plain part.
TEST(AiPdf, ZstandardPrivateDataIsDecompressedUnderTheBound) {
    ImportDiagnostics diagnostics;
    const std::string plain = "%%BoundingBox: 0 0 10 10\r";
    const std::string paths = "0 0 m\r10 0 L\r10 10 L\rS\r20 0 m\r30 0 L\rS\r";
    const std::string packed = "%AI24_ZStandard_Data\r\n" + zstdStored(paths);
    const size_t half = packed.size() / 2;
    ChainOwner<VectGroup> groups(ai::readPdfContainer(
        pdfWithPrivateData({plain, packed.substr(0, half), packed.substr(half)}), diagnostics));
    if (!pdf::zstdAvailable()) {
        EXPECT_EQ(diagnostics.countOf(diag::kAiUnsupportedCompression), 1);
        return;
    }
    EXPECT_EQ(diagnostics.countOf(diag::kAiUnsupportedCompression), 0);
    ASSERT_EQ(vectsOf(groups.get()).size(), 2u);
    expectPoints(vectsOf(groups.get())[0], {{0, 0}, {10, 0}, {10, 10}});

    // Data that breaks off inside its frame keeps what came before and is counted.
    diagnostics.clear();
    ChainOwner<VectGroup> cut(ai::readPdfContainer(
        pdfWithPrivateData({plain, packed.substr(0, packed.size() - 12)}), diagnostics));
    EXPECT_EQ(vectsOf(cut.get()).size(), 1u);
    EXPECT_EQ(diagnostics.countOf(diag::kAiStreamUnreadable), 1);

    // A bomb of repeated-byte blocks (4 bytes each for 128 KiB of line ends) stops at the bound.
    std::string bomb("\x28\xB5\x2F\xFD\x00\x38", 6);
    for (int i = 0; i < 64; ++i) {
        const uint32_t header = uint32_t(128 * 1024) << 3 | 1 << 1 | (i == 63 ? 1 : 0);
        for (int b = 0; b < 3; ++b)
            bomb += static_cast<char>(header >> (8 * b) & 0xFF);
        bomb += '\n';
    }
    diagnostics.clear();
    ChainOwner<VectGroup> bounded(ai::readPdfContainer(
        pdfWithPrivateData({"%AI24_ZStandard_Data" + bomb + zstdStored(paths)}), diagnostics,
        nullptr, 1 << 20));
    EXPECT_FALSE(bounded);  // the bound is spent on the bomb: nothing else is read
    EXPECT_EQ(diagnostics.countOf(diag::kAiInflationBound), 1);
}

// Without private data the page content is read, in points, through the content reader the PDF
// reader shares (its operators are tested in pdf_reader_test.cpp).
TEST(AiPdf, PageContentIsReadWithoutPrivateData) {
    ImportDiagnostics diagnostics;
    PdfText pdf;
    const std::string content =
        "q 0 0 100 100 re W n Q\n"    // a clipping path draws nothing
        "BT /F1 12 Tf (m l) Tj ET\n"  // nor does a string that reads like operators
        "q 2 0 0 2 10 20 cm 1 0 0 rg 0 0 m 5 0 l 5 5 l h f Q";
    pdf.page(PdfText::ref(pdf.stream(deflated(content), "/Filter/FlateDecode")));
    ai::PdfSource source;
    ChainOwner<VectGroup> groups(ai::readPdfContainer(pdf.str(), diagnostics, &source));
    EXPECT_EQ(source, ai::PdfSource::kPageContent);
    ASSERT_EQ(vectsOf(groups.get()).size(), 1u);
    EXPECT_EQ(groups.get()->colour, 0x0000FFu);
    // The filled triangle, transformed by the matrix and closed.
    expectPoints(groups.get()->vects, {{10, 20}, {20, 20}, {20, 30}, {10, 20}});
    // Contents given as an array of streams, or as a reference to such an array.
    PdfText split;
    const int a = split.stream("0 0 m 1 0 l");
    const int b = split.stream("1 1 l S");
    const int array = split.object("[" + PdfText::ref(a) + " " + PdfText::ref(b) + "]");
    split.page(PdfText::ref(array));
    ChainOwner<VectGroup> joined(ai::readPdfContainer(split.str(), diagnostics));
    ASSERT_EQ(vectsOf(joined.get()).size(), 1u);
    expectPoints(vectsOf(joined.get())[0], {{0, 0}, {1, 0}, {1, 1}});
}

TEST(AiPdf, HostileContainersEndCleanly) {
    ImportDiagnostics diagnostics;
    // A compressed stream that breaks off: what it held before stays; the flaw is counted.
    const std::string native = "0 0 m\n10 0 L\nS\n20 0 m\n30 0 L\nS\n";
    std::string packed = deflated(native);
    packed.resize(packed.size() / 2);
    diagnostics.clear();
    ChainOwner<VectGroup> cut(
        ai::readPdfContainer(pdfWithPrivateData({"%AI12_CompressedData" + packed}), diagnostics));
    EXPECT_LE(vectsOf(cut.get()).size(), 2u);
    EXPECT_EQ(diagnostics.countOf(diag::kAiStreamUnreadable), 1);
    // A bomb: far more inflated data than the bound allows stops at the bound.
    const std::string bomb = deflated(std::string(4 << 20, '\n') + "0 0 m\n1 1 L\nS\n");
    diagnostics.clear();
    ChainOwner<VectGroup> bounded(ai::readPdfContainer(
        pdfWithPrivateData({bomb}, "/Filter/FlateDecode"), diagnostics, nullptr, 1 << 20));
    EXPECT_FALSE(bounded);  // the bound is spent on the bomb: nothing else is read
    EXPECT_EQ(diagnostics.countOf(diag::kAiInflationBound), 1);
    // Objects that reference themselves: a length, a page's contents, an array of itself.
    PdfText loop;
    loop.object("<</Length 1 0 R>>\nstream\n0 0 m 5 5 l S\nendstream");
    loop.object("[2 0 R 2 0 R]");
    loop.object(
        "<</Type/Page/Contents 3 0 R/PieceInfo<</Illustrator<</Private"
        "<</AIPrivateData1 4 0 R>>>>>>>>");
    loop.object("<</Length 4 0 R/Filter/FlateDecode>>\nstream\nxx\nendstream");
    loop.page(PdfText::ref(2));
    loop.page(PdfText::ref(1));
    ChainOwner<VectGroup> looped(ai::readPdfContainer(loop.str(), diagnostics));
    ASSERT_EQ(vectsOf(looped.get()).size(), 1u);  // the one real stream, length found by scan
    // Many objects whose dictionaries never close: each is read only up to the next header.
    std::string open = "%PDF-1.4\n";
    for (int i = 1; i <= 50000; ++i)
        open += std::to_string(i) + " 0 obj <</Type/Page/Contents [<<\n";
    EXPECT_FALSE(readAi(open));
    // One raw stream referenced two thousand times stops at the bound.
    PdfText repeated;
    const int big = repeated.stream(std::string(64 * 1024, ' ') + "0 0 m 1 1 l S");
    std::string refs = "[";
    for (int i = 0; i < 2000; ++i)
        refs += PdfText::ref(big) + " ";
    repeated.page(refs + "]");
    diagnostics.clear();
    ChainOwner<VectGroup> many(ai::readPdfContainer(repeated.str(), diagnostics, nullptr, 1 << 22));
    EXPECT_GT(vectsOf(many.get()).size(), 0u);
    EXPECT_EQ(diagnostics.countOf(diag::kAiInflationBound), 1);
    // Garbage with an AI name, and a PDF header followed by garbage.
    const std::string garbage = noise(100000, 99);
    readAi(garbage);
    EXPECT_FALSE(readAi("%PDF-1.4\n" + garbage));
    EXPECT_FALSE(readAi("%PDF-1.4\n1 0 obj <</Type/Page/Contents [<< (((( >>"));
}

}  // namespace
}  // namespace lintrel::test
