// The cut paths the presets shape: nothing changes while every option is off; with kerf, leads,
// overcut and a pierce delay on, both writers cut the shaped copy, the drawing stays as drawn,
// the line map still counts the drawing's vects, and what could not be done is counted. Inner
// shapes first holds under every sort of the import steps and the sort menu.
#include <gtest/gtest.h>

#include <lintrel/lintrel.hpp>

#include <algorithm>
#include <cmath>

#include "core/canvas/scene.h"
#include "core/codegen/cut_paths.h"
#include "core/codegen/program.h"
#include "core/document/auto_optimize.h"
#include "core/simulation/simulation_path.h"
#include "support/builders.h"

using namespace pathloom;
using namespace lintrel::test;
using lintrel::ChainOwner;

namespace {

Vect* square(double x, double y, double size) {
    return polyline({{x, y}, {x + size, y}, {x + size, y + size}, {x, y + size}, {x, y}}, true);
}

// A 40 mm plate with a 10 mm hole, a part inside that hole... and a separate open slot.
VectGroup* plate() {
    return groupOf(
        {square(0, 0, 40), square(15, 15, 10), square(18, 18, 4), polyline({{50, 0}, {60, 0}})});
}

ProcessSettings cutting() {
    ProcessSettings settings;
    ProcessPreset& p = settings.presets[0];
    p.kerfWidth = 0.4;
    p.kerfSide = LINTREL_KERF_BY_DEPTH;
    p.kerfCorners = LINTREL_CORNER_MITRE;
    p.leadType = LINTREL_LEAD_LINE;
    p.leadLength = 1;
    p.overcut = 0.5;
    p.pierceDelay = 0.25;
    return settings;
}

double leftOf(const Vect& v) {
    double left = 1e9;
    for (const Seg* s : lintrel::ring(v.segs))
        left = std::min(left, s->x0);
    return left;
}

int lineCount(const std::string& text, const std::string& start) {
    int count = 0;
    for (size_t at = text.find(start); at != std::string::npos; at = text.find(start, at + 1))
        count += at == 0 || text[at - 1] == '\n';
    return count;
}

TEST(CutPaths, EveryOptionOffLeavesTheProgramAsTheWritersWriteTheDrawing) {
    ChainOwner<VectGroup> drawing(plate());
    ProcessSettings settings;
    EXPECT_FALSE(cutsShaped(drawing.get(), settings.presets));
    EXPECT_FALSE(buildCutPaths(drawing.get(), settings.presets).paths);
    settings.machine.codeType = 1;
    EXPECT_EQ(writeProgram(drawing.get(), settings, nullptr).program.text,
              writeGcode(drawing.get(), settings, nullptr).program.text);
    settings.machine.codeType = 0;
    EXPECT_EQ(writeProgram(drawing.get(), settings, nullptr).program.text,
              writeBasic(drawing.get(), settings, nullptr).program.text);
}

TEST(CutPaths, KerfLeadsOvercutAndDwellInBothLanguagesOnACopy) {
    ChainOwner<VectGroup> drawing(plate());
    const std::vector<Vect*> vects = vectsOf(drawing.get());
    const double plateX = vects[0]->segs->x0;
    ProcessSettings settings = cutting();
    int compound = 0;
    vects[1]->link = &compound;  // compound tags ride along and stay

    const CutPaths cuts = buildCutPaths(drawing.get(), settings.presets, true);
    ASSERT_TRUE(cuts.paths);
    EXPECT_EQ(vects[1]->link, &compound);
    EXPECT_EQ(vectsOf(cuts.paths.get())[1]->link, &compound);
    EXPECT_EQ(vectsOf(cuts.paths.get())[0]->link, nullptr);
    EXPECT_EQ(cuts.original, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(cuts.offsetDone, (std::vector<char>{1, 1, 1, 0}));
    EXPECT_EQ(cuts.led, (std::vector<char>{1, 1, 1, 0}));
    EXPECT_EQ(cuts.notes.unoffset, 1);  // the open slot
    EXPECT_EQ(cutNoteLines(cuts.notes).size(), 1u);
    // The plate grows by half the kerf; the drawing keeps its corner.
    EXPECT_NEAR(leftOf(*vectsOf(cuts.offset.get())[0]), -0.2, 1e-6);
    EXPECT_EQ(vects[0]->segs->x0, plateX);
    EXPECT_TRUE(vects[0]->closed);

    settings.machine.codeType = 1;
    const WriteResult gcode = writeProgram(drawing.get(), settings, nullptr);
    ASSERT_EQ(gcode.status, WriteStatus::Ok);
    EXPECT_EQ(lineCount(gcode.program.text, "G04 P0.25"), 4);  // one pierce per shape
    EXPECT_EQ(gcode.program.lineMap.size(), 2 * vects.size());
    EXPECT_EQ(gcode.cutNotes.unoffset, 1);
    EXPECT_NE(gcode.program.text, writeGcode(drawing.get(), settings, nullptr).program.text);

    settings.machine.codeType = 0;
    const WriteResult basic = writeProgram(drawing.get(), settings, nullptr);
    ASSERT_EQ(basic.status, WriteStatus::Ok);
    EXPECT_EQ(lineCount(basic.program.text, "DELAY(250)"), 4);
    EXPECT_EQ(basic.program.lineMap.size(), 2 * vects.size());

    // The simulation runs the same paths: the pierce point of the plate lies off its edge.
    const SimulationPath path = buildSimulationPath(drawing.get(), settings, nullptr);
    ASSERT_GT(path.points.size(), 2u);
    const SimulationPoint pierce = path.points[1];
    EXPECT_TRUE(pierce.travel);
    EXPECT_TRUE(pierce.x < -0.2 || pierce.y < -0.2 || pierce.x > 40.2 || pierce.y > 40.2)
        << pierce.x << ", " << pierce.y;
}

TEST(CutPaths, RoundCornersAreCutAsArcsAboutTheDrawnCorners) {
    ChainOwner<VectGroup> drawing(plate());
    ProcessSettings settings;
    ProcessPreset& p = settings.presets[0];
    p.kerfWidth = 1;  // several chords to a corner at the precision of 0.05
    p.kerfSide = LINTREL_KERF_BY_DEPTH;
    p.kerfCorners = LINTREL_CORNER_ROUND;
    const CutPaths cuts = buildCutPaths(drawing.get(), settings.presets);
    ASSERT_TRUE(cuts.paths);

    // The plate and the part grow round their four corners; the hole shrinks to sharp corners.
    const std::vector<Vect*> drawn = vectsOf(drawing.get());
    const std::vector<Vect*> cut = vectsOf(cuts.paths.get());
    EXPECT_EQ(cornerArcsOf(&cuts.cornerArcs, *cut[1]), nullptr);
    int arcs = 0;
    bool severalChords = false;
    for (const int k : {0, 2}) {
        const std::vector<CornerArc>* corners = cornerArcsOf(&cuts.cornerArcs, *cut[k]);
        ASSERT_NE(corners, nullptr) << k;
        double swept = 0;
        for (const CornerArc& arc : *corners) {
            bool onCorner = false;
            for (const Seg* s : lintrel::ring(drawn[k]->segs))
                onCorner = onCorner || (s->x0 == arc.move.centre.x && s->y0 == arc.move.centre.y);
            EXPECT_TRUE(onCorner) << arc.move.centre.x << ", " << arc.move.centre.y;
            EXPECT_NEAR(lintrel::distance(arc.move.end, arc.move.centre), 0.5, 2e-6);
            EXPECT_EQ(arc.move.clockwise, arc.move.change < 0);
            swept += arc.move.change;
            severalChords = severalChords || arc.lastSeg > arc.firstSeg;
            ++arcs;
        }
        // Four quarter turns, split in two where the path starts inside a corner.
        EXPECT_NEAR(std::fabs(swept), lintrel::kTwoPi, 1e-5) << k;
    }
    EXPECT_TRUE(severalChords);

    // Each writer cuts each corner with one arc command; the preset's "circles as segments" and
    // a G-code profile without arcs keep the chords.
    settings.machine.codeType = 1;
    const std::string gcode = writeProgram(drawing.get(), settings, nullptr).program.text;
    EXPECT_EQ(lineCount(gcode, "G02 ") + lineCount(gcode, "G03 "), arcs);
    settings.machine.codeType = 0;
    EXPECT_EQ(
        lineCount(writeProgram(drawing.get(), settings, nullptr).program.text, "MOVECIRCABS("),
        arcs);
    settings.presets[0].circToSeg = true;
    EXPECT_EQ(
        lineCount(writeProgram(drawing.get(), settings, nullptr).program.text, "MOVECIRCABS("), 0);

    // Mitred corners have no arcs, nor do corners too small to tell an arc's end from its start.
    settings.presets[0].kerfCorners = LINTREL_CORNER_MITRE;
    EXPECT_TRUE(buildCutPaths(drawing.get(), settings.presets).cornerArcs.empty());
    settings.presets[0].kerfCorners = LINTREL_CORNER_ROUND;
    settings.presets[0].kerfWidth = 0.008;
    EXPECT_TRUE(buildCutPaths(drawing.get(), settings.presets).cornerArcs.empty());
}

TEST(CutPaths, TheCanvasDrawsOffsetPathsAndLeadsInTheirOwnPens) {
    ChainOwner<VectGroup> drawing(plate());
    const CutPaths cuts = buildCutPaths(drawing.get(), cutting().presets, true);
    canvas::ViewTransform view;
    view.setArea(800, 600);
    view.fit(canvas::drawingRange(drawing.get()));
    const canvas::Layers layers;
    const auto strokesIn = [](const canvas::Scene& scene, canvas::Colour colour) {
        int count = 0;
        for (const canvas::Stroke& stroke : scene.strokes)
            count += scene.pens[stroke.pen].colour == colour;
        return count;
    };
    const canvas::Scene plain = canvas::buildScene(drawing.get(), view, layers, 1.0);
    const canvas::Scene shaped = canvas::buildScene(drawing.get(), view, layers, 1.0, &cuts);
    EXPECT_EQ(strokesIn(plain, canvas::kOffsetColour), 0);
    EXPECT_GE(strokesIn(shaped, canvas::kOffsetColour), 3);  // the three closed shapes
    EXPECT_GE(strokesIn(shaped, canvas::kLeadColour), 3);
    // The drawing itself is drawn as before, underneath: the same points up to the travel moves.
    const canvas::Pen travel{canvas::kTravelColour, true, 1};
    size_t drawn = plain.points.size();
    for (const canvas::Stroke& stroke : plain.strokes)
        if (plain.pens[stroke.pen] == travel) drawn = std::min<size_t>(drawn, stroke.first);
    ASSERT_GT(drawn, 0u);
    EXPECT_TRUE(
        std::equal(plain.points.begin(), plain.points.begin() + drawn, shaped.points.begin()));
}

TEST(CutPaths, TravelMovesAndStartDotsRunBetweenWhereTheCutsEndAndPierce) {
    ChainOwner<VectGroup> drawing(plate());
    const ProcessSettings settings = cutting();
    const CutPaths cuts = buildCutPaths(drawing.get(), settings.presets, true);
    ASSERT_TRUE(cuts.paths);
    canvas::ViewTransform view;
    view.setArea(800, 600);
    view.fit(canvas::drawingRange(drawing.get()));
    canvas::Layers layers;
    layers.showOrder = true;
    const auto pixel = [&](double x, double y) {
        const canvas::PointD p = view.toPixel(x, y);
        return canvas::PixelPoint{static_cast<int32_t>(std::lround(p.x)),
                                  static_cast<int32_t>(std::lround(p.y))};
    };
    const canvas::Scene scene = canvas::buildScene(drawing.get(), view, layers, 1.0, &cuts);
    const std::vector<Vect*> cut = vectsOf(cuts.paths.get());
    const canvas::Pen travel{canvas::kTravelColour, true, 1};
    std::vector<canvas::Stroke> moves;
    for (const canvas::Stroke& stroke : scene.strokes)
        if (scene.pens[stroke.pen] == travel) moves.push_back(stroke);
    ASSERT_EQ(moves.size(), cut.size() - 1);
    for (size_t k = 0; k + 1 < cut.size(); ++k) {
        const Seg* last = cut[k]->segs->prev;
        const Seg* next = cut[k + 1]->segs;
        EXPECT_EQ(scene.points[moves[k].first], pixel(last->x1, last->y1)) << k;
        EXPECT_EQ(scene.points[moves[k].first + moves[k].count - 1], pixel(next->x0, next->y0))
            << k;
    }
    ASSERT_EQ(scene.starts.size(), cut.size());
    ASSERT_EQ(scene.orders.size(), cut.size());
    for (size_t k = 0; k < cut.size(); ++k) {
        EXPECT_EQ(scene.starts[k], pixel(cut[k]->segs->x0, cut[k]->segs->y0)) << k;
        EXPECT_EQ(scene.orders[k].number, static_cast<int>(k) + 1);
    }
    // The lead moves the plate's pierce off its corner, where the simulation pierces too.
    const Seg* drawn = vectsOf(drawing.get())[0]->segs;
    EXPECT_NE(scene.starts[0], pixel(drawn->x0, drawn->y0));
    const SimulationPath path = buildSimulationPath(drawing.get(), settings, nullptr);
    ASSERT_GT(path.points.size(), 2u);
    EXPECT_EQ(scene.starts[0], pixel(path.points[1].x, path.points[1].y));

    // With every option off the cut paths are empty and the scene is the drawing's own.
    const CutPaths none = buildCutPaths(drawing.get(), ProcessSettings{}.presets, true);
    const canvas::Scene plain = canvas::buildScene(drawing.get(), view, layers, 1.0);
    const canvas::Scene same = canvas::buildScene(drawing.get(), view, layers, 1.0, &none);
    EXPECT_EQ(same.points, plain.points);
    EXPECT_EQ(same.starts, plain.starts);
    EXPECT_EQ(plain.starts[0], pixel(drawn->x0, drawn->y0));
}

TEST(CutPaths, AHoleThatVanishesAndALeadWithoutRoomAreCounted) {
    ChainOwner<VectGroup> drawing(groupOf(
        {square(0, 0, 40), square(10, 10, 0.3), square(20, 20, 5), square(20.6, 20.6, 3.8)}));
    ProcessSettings settings = cutting();
    settings.presets[0].kerfWidth = 0.4;
    settings.presets[0].leadLength = 5;  // no room between the last two squares
    const CutPaths cuts = buildCutPaths(drawing.get(), settings.presets);
    EXPECT_EQ(cuts.notes.unoffset, 1);  // 0.3 mm shrunk by 0.2 on each side
    EXPECT_GT(cuts.notes.leadsDropped + cuts.notes.leadsShortened, 0);
    // A split or a dropped lead never loses the line map's shape.
    const std::vector<int> map = drawingLineMap(std::vector<int>{0, 3, 4, 6, 7, 9, 10, 12, 13, 15},
                                                std::vector<int>{0, 1, 1, 2, 3}, 4);
    EXPECT_EQ(map, (std::vector<int>{0, 3, 4, 9, 10, 12, 13, 15}));
}

TEST(CutPaths, EverySortKeepsInnerShapesFirst) {
    for (const int sortBy : {kSortByGrid, 1, 2, 3, 4, 5, 6, 7, kSortByShortestTravel}) {
        for (const int selectedOnly : {0, 1}) {
            // The holes and the part in the hole lie before... and after their encloser.
            ChainOwner<VectGroup> drawing(
                groupOf({square(18, 18, 4), square(0, 0, 40), square(15, 15, 10), square(2, 2, 5),
                         square(100, 0, 10), square(102, 2, 3)}));
            for (Vect* v : vectsOf(drawing.get()))
                v->selected = 1;
            void** list = reinterpret_cast<void**>(&drawing.head());
            const int code = sortDrawing(list, {sortBy, false, selectedOnly != 0, 100, true, 0.05});
            EXPECT_TRUE(code == LINTREL_OK || code == LINTREL_NOTHING_TO_DO) << code;
            std::vector<double> lefts;
            for (Vect* v : vectsOf(drawing.get()))
                lefts.push_back(leftOf(*v));
            const auto at = [&](double x) {
                return std::find(lefts.begin(), lefts.end(), x) - lefts.begin();
            };
            EXPECT_LT(at(18), at(15)) << "sort " << sortBy;
            EXPECT_LT(at(15), at(0)) << "sort " << sortBy;
            EXPECT_LT(at(2), at(0)) << "sort " << sortBy;
            EXPECT_LT(at(102), at(100)) << "sort " << sortBy;
        }
    }
}

}  // namespace
namespace {

// The lead-out leaves from the end of the overcut, a point interpolated on a slanted chord of the
// flattened circle; it was once judged to cross that chord and dropped.
TEST(CutPaths, ACircleKeepsItsLeadOutAfterAnOvercut) {
    for (const bool inPlate : {false, true}) {
        ChainOwner<VectGroup> drawing(inPlate ? groupOf({square(0, 0, 40), circle(10, 20, 4)})
                                              : groupOf({circle(10, 20, 4)}));
        ProcessSettings settings = cutting();
        settings.presets[0].overcut = 1;
        for (const int side : {LINTREL_KERF_NONE, LINTREL_KERF_BY_DEPTH}) {
            settings.presets[0].kerfSide = side;
            const CutPaths cuts = buildCutPaths(drawing.get(), settings.presets);
            EXPECT_EQ(cuts.notes.leadsDropped, 0) << inPlate << side;
        }
    }
}

}  // namespace
