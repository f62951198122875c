// The document pipeline: import with the automatic steps, unit conversion, the editing and
// value commands on the selection, and the export of the program text.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/document/commands.h"
#include "core/document/document.h"
#include "core/document/drawing_summary.h"
#include "core/document/pipeline.h"
#include "core/document/units.h"
#include "core/text/texts.h"
#include "support/builders.h"
#include "support/dxf_builder.h"

namespace pathloom {
namespace {

using lintrel::test::DxfText;
using lintrel::test::TempFile;

class RecordingSink final : public StatusSink {
  public:
    void status(std::string_view text) override { statuses.emplace_back(text); }
    void message(std::string_view text) override { messages.emplace_back(text); }
    std::vector<std::string> statuses;
    std::vector<std::string> messages;
};

AutoOptimizeSettings noSteps() {
    return withoutSteps(AutoOptimizeSettings{});
}

// A drawing in the given $INSUNITS (none when negative): a 0.4-unit square, a duplicate line
// pair, and a far line.
std::string drawingIn(int insunits) {
    DxfText dxf;
    if (insunits >= 0) dxf.section("HEADER").group(9, "$INSUNITS").group(70, insunits).endSection();
    dxf.section("ENTITIES");
    dxf.lwpolyline({{1, 1}, {1.4, 1}, {1.4, 1.4}, {1, 1.4}}, true);
    dxf.line(5, 0, 9, 0).line(9, 0, 5, 0).line(0, 5, 0, 9);
    return dxf.endSection().eof().str();
}

std::vector<Vect*> allVects(VectGroup* drawing) {
    std::vector<Vect*> out;
    for (VectGroup* g : lintrel::ring(drawing))
        for (Vect* v : lintrel::ring(g->vects))
            out.push_back(v);
    return out;
}

TEST(Document, WithEveryStepOffTheReaderOrderStaysAndOnlyClosedFlagsAreSet) {
    TempFile file("plain.dxf", drawingIn(4));
    Document document;
    RecordingSink sink;
    ASSERT_EQ(document.open(file.path(), noSteps(), sink), OpenResult::Done);
    VectGroup* direct = VarnixCad3_ImportVectGraph(file.path(), 1016.0, 1, 0.05, 0);
    const auto ours = allVects(document.drawing());
    const auto theirs = allVects(direct);
    ASSERT_EQ(ours.size(), theirs.size());
    for (size_t i = 0; i < ours.size(); ++i) {
        EXPECT_EQ(ours[i]->segs->x0, theirs[i]->segs->x0);
        EXPECT_EQ(ours[i]->segs->y1, theirs[i]->segs->y1);
    }
    for (Vect* v : ours)
        EXPECT_EQ(v->closed, lintrel::ringCount(v->segs) == 4 ? 1 : 0);  // only the square
    EXPECT_EQ(sink.statuses, std::vector<std::string>{"正在处理数据，请稍后..."});
    VarnixCad3_DeleteChain(direct);
}

TEST(Document, StepsRunInTheirOrderWithTheirStatusTexts) {
    TempFile file("steps.dxf", drawingIn(4));
    Document document;
    RecordingSink sink;
    ASSERT_EQ(document.open(file.path(), AutoOptimizeSettings{}, sink), OpenResult::Done);
    const std::vector<std::string> expected = {"正在处理数据，请稍后...", "正在自动去除重复线...",
                                               "正在自动合并相连线...",   "正在自动去除极小图形...",
                                               "正在自动曲线精度处理...", "正在自动排序...",
                                               "正在自动优化空移..."};
    EXPECT_EQ(sink.statuses, expected);
    EXPECT_TRUE(sink.messages.empty());
    // The reversed copy of the line went; the square of 0.4 mm is below the 0.5 limit and went too.
    EXPECT_EQ(allVects(document.drawing()).size(), 2u);
}

TEST(Document, SortBy8CutsTheSameDrawingWithLessTravel) {
    // Squares with a stroke inside each, listed in a scrambled order.
    DxfText dxf;
    dxf.section("ENTITIES");
    for (int k = 0; k < 64; ++k) {
        const double x = (k * 37 % 64) % 8 * 25.0, y = (k * 37 % 64) / 8 * 25.0;
        dxf.lwpolyline({{x, y}, {x + 10, y}, {x + 10, y + 10}, {x, y + 10}}, true);
        dxf.line(x + 2, y + 2, x + 8, y + 7);
    }
    TempFile file("scrambled.dxf", dxf.endSection().eof().str());
    const auto travelWith = [&](int sortBy) {
        AutoOptimizeSettings steps;
        steps.sortBy = sortBy;
        Document document;
        RecordingSink sink;
        EXPECT_EQ(document.open(file.path(), steps, sink), OpenResult::Done);
        EXPECT_TRUE(sink.messages.empty());
        EXPECT_EQ(allVects(document.drawing()).size(), 128u);
        return measureDrawing(document.drawing(), MachineParameters{}).travel;
    };
    const double byDefault = travelWith(1), shortest = travelWith(8);
    EXPECT_LT(shortest, 0.95 * byDefault);
}

TEST(Document, InchDrawingsBecomeMillimetresBeforeTheCleanUpMeasuresThem) {
    TempFile inches("inches.dxf", drawingIn(1));
    Document document;
    RecordingSink sink;
    ASSERT_EQ(document.open(inches.path(), AutoOptimizeSettings{}, sink), OpenResult::Done);
    // 0.4 inch is 10.16 mm: the square is no tiny shape once the drawing is in millimetres.
    float x, y, w, h;
    ASSERT_EQ(VarnixCad3_GetRange(document.drawing(), &x, &y, &w, &h, 0.05), LINTREL_OK);
    EXPECT_NEAR(w, 9 * 25.4, 1e-3);
    EXPECT_EQ(allVects(document.drawing()).size(), 3u);

    // A drawing that declares no unit after it stays as drawn.
    TempFile plain("undeclared.dxf", drawingIn(-1));
    ASSERT_EQ(document.open(plain.path(), noSteps(), sink), OpenResult::Done);
    ASSERT_EQ(VarnixCad3_GetRange(document.drawing(), &x, &y, &w, &h, 0.05), LINTREL_OK);
    EXPECT_NEAR(w, 9, 1e-5);

    ASSERT_EQ(document.open(inches.path(), AutoOptimizeSettings{}, sink), OpenResult::Done);
    AutoOptimizeSettings off = noSteps();
    off.autoUnits = false;
    ASSERT_EQ(document.open(inches.path(), off, sink), OpenResult::Done);
    ASSERT_EQ(VarnixCad3_GetRange(document.drawing(), &x, &y, &w, &h, 0.05), LINTREL_OK);
    EXPECT_NEAR(w, 9, 1e-5);
}

// The reader flattens ellipses at once; an inch drawing's ellipse is read again at the
// precision that gives the millimetre precision once the drawing is scaled.
TEST(Document, InchEllipsesAreFlattenedAtThePrecisionInMillimetres) {
    DxfText dxf;
    dxf.section("HEADER").group(9, "$INSUNITS").group(70, 1).endSection();
    dxf.section("ENTITIES").ellipse(0, 0, 4, 0, 0.5, 0, 2 * lintrel::kPi);
    TempFile file("oval.dxf", dxf.endSection().eof().str());
    Document document;
    RecordingSink sink;
    AutoOptimizeSettings settings = noSteps();
    settings.smoothingAccuracy = 0.05;
    ASSERT_EQ(document.open(file.path(), settings, sink), OpenResult::Done);
    const auto vects = allVects(document.drawing());
    ASSERT_EQ(vects.size(), 1u);
    // Chord midpoints against the true ellipse in millimetres (a = 4 in, b = 2 in); the
    // flattening's own step count lets chords stray about a third beyond the precision.
    const double a = 4 * 25.4, b = 2 * 25.4;
    double worst = 0;
    for (Seg* s : lintrel::ring(vects[0]->segs)) {
        const double mx = (s->x0 + s->x1) / 2, my = (s->y0 + s->y1) / 2;
        double best = 1e300;
        for (int i = 0; i < 4000; ++i) {
            const double t0 = 2 * lintrel::kPi * i / 4000, t1 = 2 * lintrel::kPi * (i + 1) / 4000;
            best = std::min(
                best, lintrel::distanceToSegment({mx, my}, {a * std::cos(t0), b * std::sin(t0)},
                                                 {a * std::cos(t1), b * std::sin(t1)}));
        }
        worst = std::max(worst, best);
    }
    EXPECT_LT(worst, 0.05 * 1.4);
    EXPECT_GT(worst, 0.005);  // flattened at the precision, not finer
}

TEST(Document, OpeningAppliesThePresetsAndWritesTheProgramWhenTheCodePaneIsShown) {
    TempFile file("open.dxf", drawingIn(4));
    Settings settings;
    settings.optimize = noSteps();
    settings.process.presets[0].speed = 150;
    settings.process.presets[0].beforeProcessing = "OP(1, ON)";
    Document document;
    RecordingSink sink;
    ASSERT_EQ(openDrawing(document, file.path(), settings, nullptr, sink), OpenResult::Done);
    for (Vect* v : allVects(document.drawing())) {
        EXPECT_EQ(v->speed, 150);
        ASSERT_NE(v->beforeAction, nullptr);
        EXPECT_STREQ(v->beforeAction, "OP(1, ON)");
        EXPECT_EQ(v->afterAction, nullptr);  // empty preset texts leave the vect's own
    }
    EXPECT_EQ(document.code().rfind("BASE(0, 1)\r\n", 0), 0u);
    EXPECT_NE(document.code().find("MOVE_PARA(SPEED, 0, 150.0000)\r\n"), std::string::npos);
    EXPECT_EQ(sink.statuses.back(), "正在显示图形，请稍后...");

    settings.view.showGcode = false;
    ASSERT_EQ(openDrawing(document, file.path(), settings, nullptr, sink), OpenResult::Done);
    EXPECT_EQ(document.code(), "");  // reset emptied it and nothing wrote it again
}

TEST(Document, UnitFactorsAndExtensions) {
    EXPECT_DOUBLE_EQ(*millimetresPerUnit(8001), 25.4);
    EXPECT_DOUBLE_EQ(*millimetresPerUnit(8011), 25.4 / 72);
    EXPECT_FALSE(millimetresPerUnit(8000));
    EXPECT_FALSE(millimetresPerUnit(8013));
    EXPECT_DOUBLE_EQ(importScale("a.DxF", true, 8003), 10.0);
    // Illustrator coordinates are points whatever ruler unit the document names.
    for (int declared : {8000, 8001, 8003, 8011})
        EXPECT_DOUBLE_EQ(importScale("a.Ai", true, declared), 25.4 / 72) << declared;
    EXPECT_DOUBLE_EQ(importScale("a.ai", false, 8011), 1.0);
    EXPECT_DOUBLE_EQ(importScale("a.plt", true, 8001), 1.0);
    EXPECT_DOUBLE_EQ(importScale("a.dst", true, 8001), 1.0);
    EXPECT_DOUBLE_EQ(importScale("a.dxf", false, 8001), 1.0);
    EXPECT_DOUBLE_EQ(importScale("dxf", true, 8001), 1.0);
    // PDF drawings come in millimetres from their reader, whatever unit was declared before.
    EXPECT_DOUBLE_EQ(importScale("a.PDF", true, 8001), 1.0);
    EXPECT_EQ(coordinateUnit("a.pdf", 8001), 8000);
    EXPECT_EQ(coordinateUnit("a.dxf", 8001), 8001);
}

TEST(Document, AnUnreadableFileGivesNoDrawingAndNoMessage) {
    Document document;
    RecordingSink sink;
    EXPECT_EQ(document.open("/nonexistent/drawing.dxf", AutoOptimizeSettings{}, sink),
              OpenResult::NoDrawing);
    EXPECT_EQ(document.drawing(), nullptr);
    EXPECT_TRUE(sink.messages.empty());
}

TEST(Document, ADrawingTheCleanUpRemovesWhollyIsToldApartFromAnUnreadableOne) {
    DxfText dxf;
    dxf.section("ENTITIES").line(0, 0, 0.2, 0).endSection().eof();
    TempFile file("speck.dxf", dxf.str());
    Document document;
    RecordingSink sink;
    EXPECT_EQ(document.open(file.path(), AutoOptimizeSettings{}, sink), OpenResult::Emptied);
    EXPECT_EQ(document.drawing(), nullptr);
    EXPECT_EQ(document.open(file.path(), noSteps(), sink), OpenResult::Done);
}

TEST(Document, TheHatchOutlineSettingReachesTheImport) {
    DxfText dxf;
    dxf.section("ENTITIES").entity("HATCH").group(2, "SOLID").group(70, 1).group(91, 1);
    dxf.group(92, 2).group(72, 0).group(73, 1).group(93, 3);
    dxf.group(10, 0.0).group(20, 0.0).group(10, 20.0).group(20, 0.0).group(10, 0.0).group(20, 20.0);
    TempFile file("hatch.dxf", dxf.group(97, 0).endSection().eof().str());
    Document document;
    RecordingSink sink;
    AutoOptimizeSettings settings = noSteps();
    EXPECT_EQ(document.open(file.path(), settings, sink), OpenResult::NoDrawing);
    settings.hatchOutlines = true;
    ASSERT_EQ(document.open(file.path(), settings, sink), OpenResult::Done);
    const auto vects = allVects(document.drawing());
    ASSERT_EQ(vects.size(), 1u);
    EXPECT_EQ(lintrel::ringCount(vects[0]->segs), 3);
}

TEST(Document, NothingHappensWhileASimulationRuns) {
    TempFile file("busy.dxf", drawingIn(4));
    Document document;
    RecordingSink sink;
    ASSERT_EQ(document.open(file.path(), noSteps(), sink), OpenResult::Done);
    VectGroup* before = document.drawing();
    document.setMode(ViewMode::Simulation);
    EXPECT_EQ(document.open(file.path(), noSteps(), sink), OpenResult::Busy);
    EXPECT_EQ(document.drawing(), before);
    EXPECT_EQ(runEdit(document, EditCommand::ReverseDirection, {}, sink), Outcome::Busy);
    const std::string program = std::string(file.path()) + ".bas";
    EXPECT_FALSE(document.exportProgram(program).empty());
    EXPECT_FALSE(std::filesystem::exists(program));
}

TEST(Document, FailedCommandsShowTheirMessageWithTheCode) {
    Document document;  // no drawing: the library refuses with 21000
    RecordingSink sink;
    EXPECT_EQ(runEdit(document, EditCommand::MoveForward, {}, sink), Outcome::Failed);
    EXPECT_EQ(runEdit(document, EditCommand::ReverseOrder, {}, sink), Outcome::Failed);
    EXPECT_EQ(runEdit(document, EditCommand::SortTopToBottom, {}, sink), Outcome::Failed);
    const std::string why = "（参数不正确，或没有可处理的图形）";
    EXPECT_EQ(sink.messages,
              (std::vector<std::string>{"手动排序出错，21000" + why, "反序出错，21000" + why,
                                        "从上到下排序出错，21000" + why}));
}

// Three groups: A B | C | D E, every vect a short line at x = its letter's index.
VectGroup* lettered() {
    using lintrel::test::polyline;
    VectGroup* g1 =
        lintrel::test::groupOf({polyline({{0, 0}, {0, 1}}), polyline({{1, 0}, {1, 1}})}, 1);
    VectGroup* g2 = lintrel::test::groupOf({polyline({{2, 0}, {2, 1}})}, 2);
    VectGroup* g3 =
        lintrel::test::groupOf({polyline({{3, 0}, {3, 1}}), polyline({{4, 0}, {4, 1}})}, 3);
    lintrel::append(g1, g2);
    lintrel::append(g1, g3);
    return g1;
}

std::string order(VectGroup* drawing) {
    std::string out;
    for (VectGroup* g : lintrel::ring(drawing)) {
        out += '|';
        for (Vect* v : lintrel::ring(g->vects))
            out += static_cast<char>('A' + static_cast<int>(v->segs->x0));
    }
    return out;
}

void select(VectGroup* drawing, char letter) {
    for (Vect* v : allVects(drawing))
        v->selected = ('A' + static_cast<int>(v->segs->x0)) == letter;
}

TEST(DocumentCommands, ChangeOrderMovesTheFirstSelectedVectWithinItsGroup) {
    RecordingSink sink;
    Document document;
    VectGroup* drawing = lettered();  // |AB|C|DE, and F joins the last group
    lintrel::append(lintrel::lastOf(drawing)->vects, lintrel::test::polyline({{5, 0}, {5, 1}}));
    document.adopt(drawing);
    select(document.drawing(), 'D');
    EXPECT_EQ(changeOrder(document, 6, sink), Outcome::Changed);
    EXPECT_EQ(order(document.drawing()), "|AB|C|EFD");
    EXPECT_EQ(changeOrder(document, 5, sink), Outcome::Changed);
    EXPECT_EQ(order(document.drawing()), "|AB|C|EDF");
    EXPECT_EQ(changeOrder(document, 4, sink), Outcome::Changed);  // the group's first vect
    EXPECT_EQ(order(document.drawing()), "|AB|C|DEF");
    EXPECT_EQ(changeOrder(document, 99, sink), Outcome::Changed);  // beyond the end means last
    EXPECT_EQ(order(document.drawing()), "|AB|C|EFD");
    select(document.drawing(), 'A');
    EXPECT_EQ(changeOrder(document, 1, sink), Outcome::Unchanged);
    EXPECT_EQ(changeOrder(document, 0, sink), Outcome::Unchanged);
    EXPECT_EQ(changeOrder(document, 2, sink), Outcome::Changed);
    EXPECT_EQ(order(document.drawing()), "|BA|C|EFD");
    EXPECT_EQ(sink.messages, std::vector<std::string>{"参数错误"});

    // A position in another group would cut the shape with that group's preset: refused, in
    // either language, with the positions its own group holds.
    sink.messages.clear();
    EXPECT_EQ(changeOrder(document, 3, sink), Outcome::Unchanged);
    select(document.drawing(), 'C');
    EXPECT_EQ(changeOrder(document, 1, sink), Outcome::Unchanged);
    setLanguage(Language::English);
    select(document.drawing(), 'E');
    EXPECT_EQ(changeOrder(document, 2, sink), Outcome::Unchanged);
    setLanguage(Language::Chinese);
    EXPECT_EQ(order(document.drawing()), "|BA|C|EFD");
    EXPECT_EQ(sink.messages,
              (std::vector<std::string>{
                  "该图形所在颜色组的顺序为 1-2，图形只能在本组内移动",
                  "该图形所在颜色组的顺序为 3，图形只能在本组内移动",
                  "The shape's colour group holds positions 4-6; a shape moves only within its "
                  "group"}));
    EXPECT_TRUE(lintrel::test::wellLinked(document.drawing()->vects));
    EXPECT_TRUE(lintrel::test::wellLinked(lintrel::lastOf(document.drawing())->vects));
}

TEST(DocumentCommands, ValueCommandsRefuseBadValuesAndChangeOnlyTheSelection) {
    RecordingSink sink;
    Document document;
    document.adopt(lettered());
    select(document.drawing(), 'B');
    EXPECT_EQ(setSpeed(document, 0, sink), Outcome::Unchanged);
    EXPECT_EQ(scaleSelection(document, 0.0001, sink), Outcome::Unchanged);
    EXPECT_EQ(sink.messages, (std::vector<std::string>{"参数错误", "缩放尺寸不正确！"}));
    EXPECT_EQ(setSpeed(document, 75, sink), Outcome::Changed);
    EXPECT_EQ(scaleSelection(document, 0.00011, sink), Outcome::Changed);
    EXPECT_EQ(rotateSelection(document, 0, 0, 0), Outcome::Unchanged);
    EXPECT_EQ(translateSelection(document, 0, 0), Outcome::Unchanged);
    const auto vects = allVects(document.drawing());
    EXPECT_EQ(vects[1]->speed, 75);
    EXPECT_EQ(vects[0]->speed, 200);
    EXPECT_NEAR(vects[1]->segs->y1, 0.00011, 1e-9);
    EXPECT_EQ(vects[0]->segs->y1, 1);
    EXPECT_EQ(selectedCount(document.drawing()), 1);

    vects[1]->beforeAction = VarnixCad3_SetStrT(nullptr, 8);
    EXPECT_EQ(clearActions(document), Outcome::Changed);
    EXPECT_EQ(vects[1]->beforeAction, nullptr);
}

TEST(DocumentCommands, MirrorTurnsArcsAndMoveStartUsesTheRoundedStart) {
    Document document;
    document.adopt(lintrel::test::groupOf({lintrel::test::arc(10, 0, 5, 0.5, 1.0)}));
    Vect& arc = *document.drawing()->vects;
    arc.selected = 1;
    const lintrel::Point start = *startPoint(arc);
    ASSERT_EQ(mirrorSelection(document, true, 20, false, 0), Outcome::Changed);
    EXPECT_DOUBLE_EQ(arc.segs->z0, lintrel::kPi - 0.5);
    EXPECT_DOUBLE_EQ(arc.segs->z1, -1.0);
    // The mirrored arc starts at the mirror image of the old start.
    const lintrel::Point mirrored = *startPoint(arc);
    EXPECT_NEAR(mirrored.x, 40 - start.x, 1e-9);
    EXPECT_NEAR(mirrored.y, start.y, 1e-9);
    ASSERT_EQ(mirrorSelection(document, false, 0, true, 1), Outcome::Changed);
    EXPECT_DOUBLE_EQ(arc.segs->z0, -(lintrel::kPi - 0.5));
    EXPECT_NEAR(startPoint(arc)->y, 2 - start.y, 1e-9);

    const lintrel::Point before = *startPoint(arc);
    ASSERT_EQ(moveStartTo(document, 100, 50), Outcome::Changed);
    const lintrel::Point after = *startPoint(arc);
    EXPECT_NEAR(after.x, 100 + before.x - std::floor(before.x * 10000 + 0.5) / 10000, 1e-9);
    EXPECT_NEAR(after.y, 50 + before.y - std::floor(before.y * 10000 + 0.5) / 10000, 1e-9);
    EXPECT_NEAR(lineAngleDegrees(0, 0, 0, -5), 270, 1e-9);
    EXPECT_NEAR(lineAngleDegrees(0, 0, -1, 0), 180, 1e-9);
}

TEST(Document, ExportWritesTheTextUnchangedOrSaysWhy) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("pathloom-export-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    Document document;
    document.setCode("MOVEABS(1.0000, 2.0000)\r\nMOVEABS(3.0000, 4.0000)\r\n");
    const std::string target = (dir / "KORVEL.bas").string();
    EXPECT_EQ(document.exportProgram(target), "");
    std::ifstream in(target, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    EXPECT_EQ(bytes.str(), document.code());

    const std::string missing = (dir / "no-such-folder" / "KORVEL.bas").string();
    EXPECT_NE(document.exportProgram(missing).find(missing), std::string::npos);
    std::filesystem::remove_all(dir);
}

TEST(Document, FiguresMeasureArcsExactlyAndTravelFromTheOrigin) {
    VectGroup* drawing = lintrel::test::groupOf(
        {lintrel::test::polyline({{10, 0}, {20, 0}}), lintrel::test::circle(40, 0, 5)});
    MachineParameters machine;
    machine.emptySpeed = 10;
    const DrawingFigures f = measureDrawing(drawing, machine);
    EXPECT_EQ(f.vects, 2);
    EXPECT_NEAR(f.cutLength, 10 + 2 * lintrel::kPi * 5, 1e-9);
    // 10 to the line, 25 from its end to the circle's rightmost point, 45 back home.
    EXPECT_NEAR(f.travel, 10 + 25 + 45, 1e-9);
    EXPECT_NEAR(f.travelSeconds, 8, 1e-9);
    EXPECT_NEAR(f.cutSeconds, f.cutLength / 200, 1e-9);
    VarnixCad3_DeleteChain(drawing);
}

}  // namespace
}  // namespace pathloom
