// Whole SVG documents through the import entry: the page in millimetres with y up, units and
// view boxes, transforms through groups and uses, what is not drawn, colour groups, curves kept
// as Bezier and arc vects, SVGZ, and the diagnostics of damaged or partly converted files.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cmath>
#include <string>

#include "base/diagnostics.h"
#include "import/svg/svg_diagnostics.h"
#include "import_helpers.h"

namespace lintrel::test {
namespace {

constexpr double kPx = 25.4 / 96;  // millimetres per CSS pixel

ChainOwner<VectGroup> importSvg(std::string_view text, int options = 1) {
    return importText(text, options, 0.05, 0, "svg");
}

std::string page(std::string_view body,
                 std::string_view root = R"~(width="100mm" height="50mm" viewBox="0 0 100 50")~") {
    return std::string(
               R"~(<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" )~") +
           std::string(root) + ">" + std::string(body) + "</svg>";
}

std::vector<Vect*> allVects(const ChainOwner<VectGroup>& groups) {
    return vectsOf(groups.get());
}

// The extent of the drawing after flattening at a fine precision.
void expectDrawn(const ChainOwner<VectGroup>& groups, double x0, double y0, double x1, double y1) {
    expectExtent(extentOf(groups.get(), 0.001), x0, y0, x1, y1, 1e-3);
}

TEST(SvgImport, DocumentUnits) {
    const char* line = R"~(<line x1="0" y1="0" x2="10" y2="0" stroke="black"/>)~";
    struct Case {
        const char* root;
        double length;  // of the line, in millimetres
    };
    for (const Case c : {Case{R"~(width="100" height="100")~", 10 * kPx},
                         Case{R"~(width="100px" height="100px")~", 10 * kPx},
                         Case{R"~(width="100mm" height="100mm")~", 10 * kPx},
                         Case{R"~(width="10cm" height="10cm" viewBox="0 0 100 100")~", 10},
                         Case{R"~(viewBox="0 0 100 100")~", 10 * kPx}, Case{"", 10 * kPx}}) {
        auto groups = importSvg(page(line, c.root));
        ASSERT_TRUE(groups) << c.root;
        const Seg* s = allVects(groups)[0]->segs;
        EXPECT_NEAR(s->x1 - s->x0, c.length, 1e-9) << c.root;
    }
    // Lengths with units inside a view box are pixels of user space.
    auto groups = importSvg(page(R"~(<line x1="0" y1="0" x2="25.4mm" y2="0" stroke="black"/>)~",
                                 R"~(width="200mm" height="200mm" viewBox="0 0 200 200")~"));
    EXPECT_NEAR(allVects(groups)[0]->segs->x1, 96, 1e-9);
}

// Where a shape lands in millimetres, y up from the page's lower edge, under the page size, the
// view box, its aspect ratio and nested transforms.
TEST(SvgImport, PageViewBoxAndTransformsPlaceShapes) {
    const char* square = R"~(<rect x="0" y="0" width="200" height="200" fill="black"/>)~";
    const char* half = R"~(<rect width="50" height="25"/>)~";
    const struct {
        const char* root;
        const char* body;
        Extent extent;
    } cases[] = {
        // A line 10 user units below the top of a 50 mm high page lies 40 mm above its bottom.
        {R"~(width="100mm" height="50mm" viewBox="0 0 100 50")~",
         R"~(<line x1="10" y1="10" x2="30" y2="20" stroke="black"/>)~",
         {10, 30, 30, 40}},
        // A missing page side follows the view box.
        {R"~(width="100mm" viewBox="0 0 50 25")~", half, {0, 0, 100, 50}},
        {R"~(height="10mm" viewBox="0 0 50 25")~", half, {0, 0, 20, 10}},
        {R"~(width="200" height="100" viewBox="0 0 200 200")~",
         square,
         {50 * kPx, 0, 150 * kPx, 100 * kPx}},
        {R"~(width="200" height="100" viewBox="0 0 200 200" preserveAspectRatio="xMinYMin")~",
         square,
         {0, 0, 100 * kPx, 100 * kPx}},
        {R"~(width="200" height="100" viewBox="0 0 200 200" preserveAspectRatio="none")~",
         square,
         {0, 0, 200 * kPx, 100 * kPx}},
        {R"~(width="200" height="100" viewBox="-100 -50 200 100")~",
         R"~(<rect x="-100" y="-50" width="100" height="50"/>)~",
         {0, 50 * kPx, 100 * kPx, 100 * kPx}},
        // translate(40 30) > scale(0.5) > skewY(45) on the rect 120..280 x -80..80.
        {R"~(width="200mm" height="200mm" viewBox="0 0 200 200")~",
         R"~(<g transform="translate(40 30)"><g transform="scale(0.5, 0.5)">
            <rect x="120" y="-80" width="160" height="160" transform="skewY(45)"/></g></g>)~",
         {100, 200 - 210, 180, 200 - 50}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.root);
        const Extent& e = c.extent;
        expectDrawn(importSvg(page(c.body, c.root)), e.x0, e.y0, e.x1, e.y1);
    }
    auto rotated = importSvg(page(
        R"~(<g transform="rotate(90 50 50)"><line x1="50" y1="50" x2="60" y2="50" stroke="red"/></g>)~",
        R"~(width="100mm" height="100mm" viewBox="0 0 100 100")~"));
    const Seg* s = allVects(rotated)[0]->segs;
    EXPECT_NEAR(s->x1, 50, 1e-9);
    EXPECT_NEAR(s->y1, 40, 1e-9) << "rotated towards +y of user space, which is down";
}

TEST(SvgImport, UsesSymbolsAndDefinitions) {
    const std::string body = R"~(<defs><rect id="r" width="10" height="10"/>
        <g id="pair"><use href="#r"/><use xlink:href="#r" x="20"/></g></defs>
        <symbol id="s" viewBox="0 0 10 10"><circle cx="5" cy="5" r="5"/></symbol>
        <use href="#pair" transform="translate(0 30)"/>
        <use href="#s" x="50" y="0" width="20" height="20"/>)~";
    auto groups = importSvg(page(body));
    ASSERT_TRUE(groups);
    EXPECT_EQ(allVects(groups).size(), 3u) << "definitions and symbols draw only through uses";
    expectDrawn(groups, 0, 10, 70, 50);
    // Missing and circular references are named and bounded.
    auto broken =
        importSvg(page(R"~(<g id="loop"><use href="#loop"/><rect width="1" height="1"/></g>
        <use href="#missing"/>)~"));
    ASSERT_TRUE(broken);
    EXPECT_EQ(lastImport().countOf(diag::kSvgUseUnresolved), 1);
    EXPECT_GE(lastImport().countOf(diag::kSvgUseBounded), 1);
}

TEST(SvgImport, WhatIsNotDrawn) {
    auto groups = importSvg(page(R"~(
        <rect width="1" height="1" display="none"/>
        <g style="display:none"><rect width="2" height="2"/></g>
        <rect width="3" height="3" visibility="hidden"/>
        <clipPath id="c"><rect width="4" height="4"/></clipPath>
        <mask id="m"><rect width="5" height="5"/></mask>
        <pattern id="p"><rect width="6" height="6"/></pattern>
        <marker id="k"><rect width="7" height="7"/></marker>
        <rect width="8" height="8" fill="none"/>
        <text x="0" y="10"><textPath href="#c">label</textPath></text>
        <image href="x.png" width="9" height="9"/>
        <g visibility="hidden"><rect width="10" height="10" visibility="visible" stroke="red"/></g>)~"));
    ASSERT_TRUE(groups);
    expectDrawn(groups, 0, 40, 10, 50);
    EXPECT_EQ(allVects(groups).size(), 1u);
    EXPECT_EQ(lastImport().countOf(diag::kSvgHidden), 3);
    EXPECT_EQ(lastImport().countOf(diag::kSvgUnpainted), 1);
    EXPECT_EQ(lastImport().countOf(diag::kSvgTextNotConverted), 1);
    EXPECT_EQ(lastImport().countOf(diag::kSvgImageNotConverted), 1);
}

TEST(SvgImport, GroupsByStrokeColourElseFill) {
    auto groups = importSvg(page(R"~(<style>.cut { stroke: #0000ff }</style>
        <rect width="1" height="1" fill="red"/>
        <rect width="1" height="1" class="cut" fill="red"/>
        <rect width="1" height="1" style="stroke: blue"/>
        <g color="#00ff00"><rect width="1" height="1" stroke="currentColor"/></g>
        <rect width="1" height="1"/>
        <g inkscape:groupmode="layer" xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape"><rect width="1" height="1" stroke="red"/></g>)~"));
    const auto list = groupsOf(groups.get());
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0]->colour, 0x0000FFu);  // red fill, then red stroke in the layer
    EXPECT_EQ(ringCount(list[0]->vects), 2);
    EXPECT_EQ(list[1]->colour, 0xFF0000u);  // blue strokes from the sheet and the style
    EXPECT_EQ(ringCount(list[1]->vects), 2);
    EXPECT_EQ(list[2]->colour, 0x00FF00u);
    EXPECT_EQ(list[3]->colour, 0u) << "fill is black by default";
    for (size_t i = 0; i < list.size(); ++i)
        EXPECT_EQ(list[i]->number, static_cast<int>(i) + 1);
    EXPECT_EQ(lastImport().countOf(diag::kSvgLayersMerged), 1);
}

TEST(SvgImport, ElementsWithTheSvgPrefix) {
    auto groups =
        importSvg(R"~(<svg:svg xmlns:svg="http://www.w3.org/2000/svg" width="10mm" height="10mm"
        viewBox="0 0 10 10"><svg:style>rect { stroke: red }</svg:style><svg:g>
        <svg:rect width="5" height="5"/></svg:g><other:rect xmlns:other="urn:x" width="9" height="9"/></svg:svg>)~");
    ASSERT_TRUE(groups);
    EXPECT_EQ(allVects(groups).size(), 1u) << "elements of other namespaces are not drawn";
    EXPECT_EQ(groupsOf(groups.get())[0]->colour, 0x0000FFu);
}

TEST(SvgImport, GradientsAndPatternsGroupByOneColour) {
    auto groups = importSvg(page(R"~(<defs>
        <linearGradient id="base"><stop offset="0" style="stop-color:#00ff00"/><stop offset="1" stop-color="red"/></linearGradient>
        <radialGradient id="derived" xlink:href="#base"/><pattern id="p" width="1" height="1"/></defs>
        <rect width="1" height="1" fill="url(#derived)"/>
        <rect width="1" height="1" fill="url('#p') blue"/>
        <rect width="1" height="1" fill="url(#missing)"/>)~"));
    const auto list = groupsOf(groups.get());
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0]->colour, 0x00FF00u) << "the first stop of the gradient it refers to";
    EXPECT_EQ(list[1]->colour, 0xFF0000u) << "a pattern's fallback colour";
    EXPECT_EQ(list[2]->colour, 0u);
    EXPECT_EQ(lastImport().countOf(diag::kSvgPaintServer), 3);
}

TEST(SvgImport, CurvesStayCurves) {
    auto groups =
        importSvg(page(R"~(<path d="M 10 10 C 20 0 30 0 40 10 L 50 10 Q 60 0 70 10" stroke="black"/>
        <circle cx="50" cy="25" r="10" stroke="black"/>
        <ellipse cx="20" cy="25" rx="10" ry="5" stroke="black"/>
        <path d="M 80 40 A 10 10 0 0 1 90 30" stroke="black"/>)~"));
    const auto vects = allVects(groups);
    ASSERT_EQ(vects.size(), 6u);
    EXPECT_EQ(vects[0]->type, LINTREL_BEZIER);
    EXPECT_EQ(ringCount(vects[0]->segs), 3);
    EXPECT_EQ(vects[1]->type, LINTREL_POLYLINE);
    EXPECT_EQ(vects[2]->type, LINTREL_BEZIER);
    // The circle: one closed arc vect of radius 10 about (50, 25) in millimetres, clockwise.
    EXPECT_EQ(vects[3]->type, LINTREL_ARC);
    EXPECT_EQ(vects[3]->closed, 1);
    const ArcGeometry circle = arcGeometry(*vects[3]->segs);
    EXPECT_NEAR(circle.radius, 10, 1e-9);
    EXPECT_NEAR(circle.centre.x, 50, 1e-9);
    EXPECT_NEAR(circle.centre.y, 25, 1e-9);
    EXPECT_GT(vects[3]->segs->x0, vects[3]->segs->x1);
    EXPECT_EQ(vects[4]->type, LINTREL_BEZIER) << "an ellipse is four cubic pieces";
    EXPECT_EQ(ringCount(vects[4]->segs), 12);
    EXPECT_EQ(vects[4]->closed, 1);
    // The quarter arc from (80,10) to (90,20) in millimetres about (90,10), clockwise.
    ASSERT_EQ(vects[5]->type, LINTREL_ARC);
    const ArcGeometry arc = arcGeometry(*vects[5]->segs);
    EXPECT_NEAR(arc.centre.x, 90, 1e-9);
    EXPECT_NEAR(arc.centre.y, 10, 1e-9);
    EXPECT_NEAR(arc.sweep, kHalfPi, 1e-9) << "clockwise sweeps are positive";
    const Point start = arcStartPoint(arc), end = arcEndPoint(arc);
    EXPECT_NEAR(start.x, 80, 1e-9);
    EXPECT_NEAR(start.y, 10, 1e-9);
    EXPECT_NEAR(end.x, 90, 1e-9);
    EXPECT_NEAR(end.y, 20, 1e-9);
    // Without the keep-curves option everything arrives as polylines.
    auto flat = importSvg(page(R"~(<circle cx="50" cy="25" r="10" stroke="black"/>)~"), 0);
    EXPECT_EQ(allVects(flat)[0]->type, LINTREL_POLYLINE);
}

TEST(SvgImport, ArcsUnderSkewOrStretchBecomeCubics) {
    auto skewed =
        importSvg(page(R"~(<g transform="skewX(30)"><circle cx="50" cy="25" r="10" stroke="black"/>
        <path d="M 0 0 A 5 5 0 0 1 10 0" stroke="black"/></g>)~"));
    for (Vect* v : allVects(skewed))
        EXPECT_EQ(v->type, LINTREL_BEZIER);
    // A mirrored, rotated and scaled circle stays a circle.
    auto mirrored = importSvg(page(
        R"~(<circle cx="0" cy="0" r="5" stroke="black" transform="matrix(0 2 2 0 50 25)"/>)~"));
    ASSERT_EQ(allVects(mirrored)[0]->type, LINTREL_ARC);
    EXPECT_NEAR(arcGeometry(*allVects(mirrored)[0]->segs).radius, 10, 1e-9);
    EXPECT_LT(allVects(mirrored)[0]->segs->x0, allVects(mirrored)[0]->segs->x1)
        << "a mirroring transform turns the circle counterclockwise";
    // A rotation written with seven digits is still a rotation.
    auto written = importSvg(page(
        R"~(<circle r="5" stroke="black" transform="matrix(0.7071068 0.7071068 -0.7071067 0.7071068 50 25)"/>)~"));
    EXPECT_EQ(allVects(written)[0]->type, LINTREL_ARC);
}

TEST(SvgImport, RectanglesPlainAndRounded) {
    auto plain =
        importSvg(page(R"~(<rect x="10" y="10" width="20" height="10" stroke="black"/>)~"));
    const auto v = allVects(plain);
    ASSERT_EQ(v.size(), 1u);
    EXPECT_EQ(v[0]->type, LINTREL_POLYLINE);
    EXPECT_EQ(v[0]->closed, 1);
    EXPECT_EQ(ringCount(v[0]->segs), 4);
    auto round =
        importSvg(page(R"~(<rect x="10" y="10" width="20" height="10" rx="3" stroke="black"/>)~"));
    int arcs = 0;
    for (Vect* r : allVects(round))
        arcs += r->type == LINTREL_ARC;
    EXPECT_EQ(arcs, 4) << "ry takes rx's value";
    expectDrawn(round, 10, 30, 30, 40);
    // Radii beyond half a side are limited to it; zero sizes draw nothing.
    auto pill = importSvg(
        page(R"~(<rect x="10" y="10" width="20" height="10" rx="50" ry="50" stroke="black"/>
        <rect width="0" height="10" stroke="black"/>)~"));
    expectDrawn(pill, 10, 30, 30, 40);
}

TEST(SvgImport, CompressedDrawings) {
    const std::string text = page(R"~(<line x1="0" y1="0" x2="10" y2="0" stroke="black"/>)~");
    std::string packed(compressBound(text.size()) + 32, '\0');
    z_stream z{};
    ASSERT_EQ(deflateInit2(&z, 9, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY), Z_OK);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    z.avail_in = static_cast<uInt>(text.size());
    z.next_out = reinterpret_cast<Bytef*>(packed.data());
    z.avail_out = static_cast<uInt>(packed.size());
    ASSERT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
    packed.resize(z.total_out);
    deflateEnd(&z);
    auto groups = importText(packed, 1, 0.05, 0, "svgz");
    ASSERT_TRUE(groups);
    EXPECT_NEAR(allVects(groups)[0]->segs->x1, 10, 1e-9);
    auto truncated = importText(packed.substr(0, packed.size() / 2), 1, 0.05, 0, "svgz");
    EXPECT_FALSE(truncated);
    EXPECT_EQ(lastImport().countOf(diag::kSvgzUnreadable), 1);
}

TEST(SvgImport, DamagedDocuments) {
    EXPECT_FALSE(importSvg("<svg><path d='M 0 0 L 1 1'"));
    EXPECT_EQ(lastImport().countOf(diag::kSvgNotXml), 1);
    EXPECT_FALSE(importSvg("<html><body/></html>"));
    EXPECT_EQ(lastImport().countOf(diag::kSvgNoSvgRoot), 1);
    auto partial =
        importSvg(page(R"~(<path d="M 0 0 L 10 0 L 10 x 10" stroke="black" transform="bogus(1)"/>
        <rect width="ten" height="5" stroke="black"/>)~"));
    ASSERT_TRUE(partial);
    EXPECT_EQ(ringCount(allVects(partial)[0]->segs), 1);
    EXPECT_EQ(lastImport().countOf(diag::kSvgPathDataError), 1);
    EXPECT_EQ(lastImport().countOf(diag::kSvgBadValue), 2);
    // Coordinates that overflow once in millimetres drop their pieces, not the path.
    auto huge = importSvg(page(
        R"~(<path d="M 0 0 L 10 0 L 1e308 0 L 20 0 L 30 0" stroke="black" transform="scale(10)"/>)~"));
    ASSERT_TRUE(huge);
    for (Vect* v : allVects(huge))
        for (Seg* s : ring(v->segs))
            EXPECT_TRUE(std::isfinite(s->x0) && std::isfinite(s->x1));
    EXPECT_EQ(lastImport().countOf(diag::kSvgOutOfRange), 1);
    EXPECT_EQ(ringCount(allVects(huge)[0]->segs), 1);
    EXPECT_EQ(ringCount(allVects(huge)[1]->segs), 1);
    // Uses nested deeper than the bound, each drawing twice its predecessor, stop early.
    std::string deep = R"~(<defs><path id="u0" d="M 0 0 L 1 1" stroke="black"/>)~";
    for (int i = 1; i <= 30; ++i)
        deep += "<g id=\"u" + std::to_string(i) + "\"><use href=\"#u" + std::to_string(i - 1) +
                "\"/><use href=\"#u" + std::to_string(i - 1) + "\"/></g>";
    deep += R"~(</defs><use href="#u30"/>)~";
    auto bounded = importSvg(page(deep));
    EXPECT_GE(lastImport().countOf(diag::kSvgUseBounded), 1);
}

}  // namespace
}  // namespace lintrel::test
