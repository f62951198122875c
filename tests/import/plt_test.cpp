// The HPGL/PLT reader through the import entry point: strokes, pens and their shared numbers,
// scaling by plotter units, every coordinate pair of an instruction, relative moves, circles,
// arcs, Bezier curves and encoded polylines, user units, and the count of what was skipped.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/diagnostics.h"
#include "import/plt/plt_diagnostics.h"
#include "import_helpers.h"
#include "model/geometry.h"

namespace lintrel::test {
namespace {

constexpr double kMm = 25.4 / 1016;  // millimetres per plotter unit at the default 1016 per inch

ChainOwner<VectGroup> plot(std::string_view text, double pltUnits = 1016, double precision = 0.05) {
    TempFile file("drawing.plt", text);
    return ChainOwner<VectGroup>(
        VarnixCad3_ImportVectGraph(file.path(), pltUnits, 1, precision, 0));
}

TEST(PltReader, OneStrokeOfTwoSegsScaledByPlotterUnits) {
    for (double units : {1016.0, 40.0}) {
        auto groups = plot("IN;SP1;PU0,0;PD100,0;PD100,100;PU;", units);
        ASSERT_EQ(groupsOf(groups.get()).size(), 1u);
        EXPECT_EQ(groups.get()->number, 1);
        EXPECT_EQ(groups.get()->colour, 0u);
        ASSERT_EQ(vectsOf(groups.get()).size(), 1u);
        Vect* v = vectsOf(groups.get())[0];
        EXPECT_EQ(v->type, LINTREL_POLYLINE);
        expectPoints(v, {{0, 0}, {100, 0}, {100, 100}}, 25.4 / units);
        // The cached box follows the segs.
        EXPECT_NEAR(v->xMax, 100 * 25.4 / units, 1e-9);
        EXPECT_NEAR(v->yMin, 0, 1e-9);
    }
    // An unusable unit count falls back to 1016 per inch instead of infinite coordinates.
    auto zero = plot("PU0,0;PD100,0;", 0);
    expectPoints(vectsOf(zero.get())[0], {{0, 0}, {100, 0}}, kMm);
}

TEST(PltReader, PensGroupStrokesAndColoursShareNumbers) {
    auto groups = plot("SP2;PU0,0;PD1,0;PU;SP3;PD2,0;PU;SP2;PD3,0;PU;");
    auto list = groupsOf(groups.get());
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]->number, 1);
    EXPECT_EQ(list[0]->colour, 0xFF0000u);
    EXPECT_EQ(vectsOf(list[0]->vects).size(), 2u);
    EXPECT_EQ(list[1]->number, 2);
    EXPECT_EQ(list[1]->colour, 0x0000FFu);
    // Pens 1 and 9 are both black: their groups share one number.
    auto shared = plot("SP2;PD1,0;SP3;PD2,0;SP1;PD3,0;SP9;PD4,0;SP2;PD5,0;");
    std::vector<int> numbers;
    for (VectGroup* g : groupsOf(shared.get()))
        numbers.push_back(g->number);
    EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3, 3}));
}

// Each drawing's strokes, in plotter units, as the instructions visit their points.
TEST(PltReader, InstructionsVisitTheirPointsInOrder) {
    struct Case {
        const char* text;
        std::vector<std::vector<Point>> strokes;
    };
    const Case cases[] = {
        // Every coordinate pair of an instruction; PA switches to absolute while the pen is down.
        {"PU0,0;PD100,0,100,100,0,100;PU;PA50,50;PD;PA60,50,60,60;",
         {{{0, 0}, {100, 0}, {100, 100}, {0, 100}}, {{50, 50}, {60, 50}, {60, 60}}}},
        // PU with several pairs moves through them all and draws nothing.
        {"PU1,1,5,5;PD6,5;", {{{5, 5}, {6, 5}}}},
        // A pen change while the pen is down ends the stroke; the next starts where it ended.
        {"SP1;PU0,0;PD10,0;SP4;PD10,10;", {{{0, 0}, {10, 0}}, {{10, 0}, {10, 10}}}},
        {"PU0,0;PD12.7,3.9;", {{{0, 0}, {12.7, 3.9}}}},
        {"PU 0 0;PD 10 0 , 10 10\n20 10;", {{{0, 0}, {10, 0}, {10, 10}, {20, 10}}}},
        // The last instruction counts without a separator, also when it lies in the last bytes.
        {"PU0,0;PD40,0", {{{0, 0}, {40, 0}}}},
        {"PU0,0;PD9,9", {{{0, 0}, {9, 9}}}},
        {"PU0,0;PR;PD1,1;PD1,1", {{{0, 0}, {1, 1}, {2, 2}}}},
        {"PU10,10;PR;PD5,0,0,5;PA;PD0,0;", {{{10, 10}, {15, 10}, {15, 15}, {0, 0}}}},
        // EA outlines a rectangle as its own closed vect.
        {"PU10,10;EA30,20;", {{{10, 10}, {30, 10}, {30, 20}, {10, 20}, {10, 10}}}},
        // User units: type 0 fits each direction to the input window, relative moves alike;
        // type 1 keeps one factor and centres the spare room; type 2 gives the factors.
        {"IP0,0,1000,2000;SC0,10,0,10;PU0,0;PD10,10;PR;PD-1,0;",
         {{{0, 0}, {1000, 2000}, {900, 2000}}}},
        {"IP0,0,1000,2000;SC0,10,0,10,1;PU0,0;PD10,10;", {{{0, 500}, {1000, 1500}}}},
        {"SC5,3,0,2,2;PU5,0;PD6,1;", {{{0, 0}, {3, 2}}}},
        // Without an input window the size of the units is unknown: they stay plotter units.
        // IN ends the scaling.
        {"SC0,500,0,500;PU0,0;PD10,0;IN;PU0,0;PD0,7;", {{{0, 0}, {10, 0}}, {{0, 0}, {0, 7}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        auto groups = plot(c.text);
        const auto vects = vectsOf(groups.get());
        ASSERT_EQ(vects.size(), c.strokes.size());
        for (size_t i = 0; i < vects.size(); ++i)
            expectPoints(vects[i], c.strokes[i], kMm);
    }
    EXPECT_EQ(lastImport().countOf(diag::kPltScalingSkipped), 1);  // of the last drawing
    // No length limit: one instruction of 20,000 pairs.
    std::string longList = "PU0,0;PD";
    for (int i = 1; i <= 20000; ++i)
        longList += std::to_string(i) + "," + std::to_string(i % 7) + (i < 20000 ? "," : ";");
    auto many = plot(longList);
    ASSERT_EQ(vectsOf(many.get()).size(), 1u);
    EXPECT_EQ(ringCount(vectsOf(many.get())[0]->segs), 20000);
}

TEST(PltReader, CirclesArcsAndCurves) {
    // A circle of radius 400 around (1000, 1000): its own closed vect, every point on it.
    auto circle = plot("PU1000,1000;CI400;", 1016, 0.01);
    ASSERT_EQ(vectsOf(circle.get()).size(), 1u);
    const auto ring = pointsOf(vectsOf(circle.get())[0], kMm);
    EXPECT_GT(ring.size(), 16u);
    EXPECT_NEAR(ring.front().x, 1400, 1e-9);
    EXPECT_NEAR(ring.back().x, ring.front().x, 1e-9);
    EXPECT_NEAR(ring.back().y, ring.front().y, 1e-9);
    for (Point p : ring)
        EXPECT_NEAR(distance(p, {1000, 1000}), 400, 1e-6);
    // Radii scale with user units.
    auto scaled = plot("IP0,0,100,100;SC0,10,0,10;PU5,5;CI1;");
    for (Point p : pointsOf(vectsOf(scaled.get())[0], kMm))
        EXPECT_NEAR(distance(p, {50, 50}), 10, 1e-6);

    // A quarter arc counterclockwise from (100, 0) around the origin ends at (0, 100) and
    // continues the stroke; AR takes its centre relative to the pen.
    for (const char* text : {"PU0,0;PD100,0;AA0,0,90;", "PU0,0;PD100,0;AR-100,0,90;"}) {
        auto arc = plot(text, 1016, 0.01);
        ASSERT_EQ(vectsOf(arc.get()).size(), 1u) << text;
        const auto pts = pointsOf(vectsOf(arc.get())[0], kMm);
        EXPECT_GT(pts.size(), 4u);
        EXPECT_NEAR(pts.back().x, 0, 1e-9);
        EXPECT_NEAR(pts.back().y, 100, 1e-9);
        for (size_t i = 1; i < pts.size(); ++i)
            EXPECT_NEAR(distance(pts[i], {0, 0}), 100, 1e-6);
    }

    // A Bezier curve ends at its last point.
    auto bezier = plot("PU0,0;PD;BZ0,100,100,100,100,0;");
    EXPECT_NEAR(pointsOf(vectsOf(bezier.get())[0], kMm).back().x, 100, 1e-9);
}

// Writes a signed number as encoded polyline digits (eight-bit, base 64).
std::string encode(long value) {
    unsigned long v = value < 0 ? (static_cast<unsigned long>(-value) << 1) | 1
                                : static_cast<unsigned long>(value) << 1;
    std::string out;
    while (v >= 64) {
        out += static_cast<char>(63 + v % 64);
        v /= 64;
    }
    out += static_cast<char>(191 + v);
    return out;
}

TEST(PltReader, EncodedPolylinesDecodePensAndMoves) {
    // Pen 2; absolute pen-up move to (1000, 2000); relative draws (+300, 0) and (0, -4100).
    const std::string data = ":" + encode(2) + "<=" + encode(1000) + encode(2000) + encode(300) +
                             encode(0) + encode(0) + encode(-4100);
    auto groups = plot("IN;PE" + data + ";");
    ASSERT_EQ(vectsOf(groups.get()).size(), 1u);
    EXPECT_EQ(groups.get()->colour, 0xFF0000u);
    expectPoints(vectsOf(groups.get())[0], {{1000, 2000}, {1300, 2000}, {1300, -2100}}, kMm);
    // Data that breaks off inside a number keeps what came before and says so.
    auto cut = plot("PE<=" + encode(0) + encode(0) + encode(50) + std::string(1, 'A'));
    EXPECT_EQ(lastImport().countOf(diag::kPltEncodedDamaged), 1);
}

TEST(PltReader, SkippedInstructionsAreCountedByKind) {
    auto groups = plot(
        "IN;LT;PW0.5;RO90;LBPD100,100;\x03PM0;PU0,0;PD1,1;FP;QQ;\x1b.(;\x7f"
        "PU;BP1,\"PD5,5\";");
    ASSERT_EQ(vectsOf(groups.get()).size(), 1u);  // neither label nor quoted text draws
    const ImportDiagnostics& d = lastImport();
    EXPECT_EQ(d.countOf(diag::kPltSetupSkipped), 3);
    EXPECT_EQ(d.countOf(diag::kPltScalingSkipped), 1);
    EXPECT_EQ(d.countOf(diag::kPltLabelSkipped), 1);
    EXPECT_EQ(d.countOf(diag::kPltFillSkipped), 2);
    EXPECT_EQ(d.countOf(diag::kPltUnknownSkipped), 1);
    EXPECT_EQ(d.countOf(diag::kPltDeviceControlSkipped), 1);
    EXPECT_EQ(d.countOf(diag::kPltBytesSkipped), 1);
}

TEST(PltBadInput, GarbageAndEndlessInstructionsEndCleanly) {
    auto g = plot(noise(200000, 12345));  // whatever it makes of it, it returns
    EXPECT_TRUE(allFinite(g.get()));
    // An endless instruction without separator: numbers until the end of the file.
    std::string endless = "PD";
    while (endless.size() < 1000000)
        endless += "1,2,";
    auto e = plot(endless);
    EXPECT_EQ(vectsOf(e.get()).size(), 1u);
    // Huge circles and coordinates that overflow stay bounded and finite.
    std::string huge;
    for (int i = 0; i < 2000; ++i)
        huge += "CI1e300;CI1e9;";
    huge += "PR;PD1e308,0,1e308,0;";
    auto h = plot(huge, 1016, 0.0005);
    long segs = 0;
    for (Vect* v : vectsOf(h.get()))
        segs += ringCount(v->segs);
    EXPECT_TRUE(allFinite(h.get()));
    EXPECT_LT(segs, 3000000);
    EXPECT_GT(lastImport().countOf(diag::kPltCurveStepsLimited), 0);
}

}  // namespace
}  // namespace lintrel::test
