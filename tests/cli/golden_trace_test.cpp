// The golden drawings, opened as the program opens them and written in Basic and in every G-code
// output profile, are run
// through the controller's program interpreter: every cut must lie on the paths the presets shape
// (the drawing itself while no cutting option is on; on an arc's true circle where the program
// cuts it as one arc command, else on the working chain) and the cuts together must be as long
// as those paths, so that all movement between shapes happens with the tool up. Where a kerf is
// compensated, the traced cut runs half the kerf off the drawn shape.
#include <gtest/gtest.h>
#include <lintrel/lintrel.hpp>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "core/codegen/cut_paths.h"
#include "core/codegen/output_profile.h"
#include "core/document/drawing_summary.h"
#include "core/document/pipeline.h"
#include "core/settings/settings.h"
#include "interp/interpreter.h"

namespace pathloom {
namespace {

using lintrel::Point;

constexpr double kOnDrawing = 0.001;

// True when p lies on a shape of the drawing as the program cuts it: within kOnDrawing of a
// working chain or of the circle of one of its corner arcs, or, for an arc cut as one command,
// within the curve precision of its circle. (Travel optimisation may start such an arc at a point
// of its flattened chain, which lies up to the precision inside the circle; the command then
// runs through that point.)
bool onDrawing(VectGroup* drawing, Point p, double precision, const CornerArcs* corners = nullptr) {
    for (VectGroup* group : lintrel::ring(drawing)) {
        for (Vect* v : lintrel::ring(group->vects)) {
            if (const std::vector<CornerArc>* arcs = cornerArcsOf(corners, *v))
                for (const CornerArc& arc : *arcs)
                    if (std::fabs(lintrel::distance(p, arc.move.centre) -
                                  lintrel::distance(arc.move.end, arc.move.centre)) < kOnDrawing)
                        return true;
            if (v->type == LINTREL_ARC) {
                const lintrel::ArcGeometry arc = lintrel::arcGeometry(*v->segs);
                if (std::fabs(lintrel::distance(p, arc.centre) - arc.radius) <
                    precision + kOnDrawing)
                    return true;
                continue;
            }
            for (Seg* s : lintrel::ring(lintrel::workingChain(*v)))
                if (lintrel::distanceToSeg(p, *s) < kOnDrawing) return true;
        }
    }
    return false;
}

class GoldenTrace : public testing::TestWithParam<std::string> {};

TEST_P(GoldenTrace, ProgramsCutAlongTheDrawingAndTravelBetweenShapes) {
    // Form -1 is Basic, the others the G-code output profiles by index.
    for (int form = -1; form < static_cast<int>(outputProfiles().size()); ++form) {
        const int codeType = form < 0 ? 0 : 1;
        // A drawing may come with its own settings file, as the golden programs are made.
        const std::string own = PATHLOOM_SOURCE_DIR "/tests/golden/settings/" +
                                std::filesystem::path(GetParam()).filename().string() + ".ini";
        Settings settings = std::filesystem::exists(own) ? loadSettings(own) : Settings{};
        settings.process.machine.codeType = codeType;
        settings.process.machine.outputProfile = std::max(form, 0);
        Document document;
        SilentSink sink;
        ASSERT_EQ(openDrawing(document, GetParam(), settings, nullptr, sink), OpenResult::Done);
        ASSERT_FALSE(document.code().empty());

        const CutPaths cuts = buildCutPaths(document.drawing(), settings.process.presets);
        VectGroup* cut = cuts.cut(document.drawing());

        varnix::interp::Options options;
        options.tolerance = 0.0002;
        options.travelSpeed = settings.process.machine.emptySpeed;  // Basic marks travels by speed
        const varnix::interp::Result run = varnix::interp::interpret(document.code(), options);
        ASSERT_TRUE(run.ok()) << run.error->line << ": " << run.error->message;

        double cutLength = 0;
        Point at{0, 0};
        for (const varnix::interp::Move& move : run.path.moves) {
            const Point to{move.to[0], move.to[1]};
            if (!move.travel) {
                cutLength += lintrel::distance(at, to);
                const Point middle{(at.x + to.x) / 2, (at.y + to.y) / 2};
                const double precision = settings.optimize.smoothingAccuracy;
                EXPECT_TRUE(onDrawing(cut, to, precision, &cuts.cornerArcs))
                    << "form " << form << ", line " << move.line;
                // A straight cut from one shape to another would leave the drawing in between.
                EXPECT_TRUE(onDrawing(cut, middle, precision, &cuts.cornerArcs))
                    << "form " << form << ", line " << move.line;
            }
            at = to;
        }
        const DrawingFigures figures = measureDrawing(cut, settings.process.machine);
        // Arcs cut as one command differ from the chords the drawing measures by the precision.
        EXPECT_NEAR(cutLength, figures.cutLength, 0.005 * figures.cutLength) << "form " << form;
    }
}

// The distance from p to the nearest drawn shape: an arc's true circle, else its working chain.
double fromDrawing(VectGroup* drawing, Point p) {
    double nearest = 1e300;
    for (VectGroup* group : lintrel::ring(drawing)) {
        for (Vect* v : lintrel::ring(group->vects)) {
            if (v->type == LINTREL_ARC) {
                const lintrel::ArcGeometry arc = lintrel::arcGeometry(*v->segs);
                nearest =
                    std::min(nearest, std::fabs(lintrel::distance(p, arc.centre) - arc.radius));
                continue;
            }
            for (Seg* s : lintrel::ring(lintrel::workingChain(*v)))
                nearest = std::min(nearest, lintrel::distanceToSeg(p, *s));
        }
    }
    return nearest;
}

// True when p lies on a vect of `chain` whose flag in `wanted` is set.
bool onFlagged(VectGroup* chain, const std::vector<char>& wanted, Point p) {
    size_t k = 0;
    for (VectGroup* group : lintrel::ring(chain))
        for (Vect* v : lintrel::ring(group->vects))
            if (k < wanted.size() && wanted[k++])
                for (Seg* s : lintrel::ring(lintrel::workingChain(*v)))
                    if (lintrel::distanceToSeg(p, *s) < kOnDrawing) return true;
    return false;
}

std::vector<std::string> programLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

bool isArcLine(const std::string& line) {
    for (const char* word : {"G2 ", "G3 ", "G02 ", "G03 ", "MOVECIRC"})
        if (line.rfind(word, 0) == 0) return true;
    return false;
}

TEST(GoldenTraceKerf, TheTracedCutOfACompensatedShapeRunsHalfTheKerfOffIt) {
    const std::string name = "cut-plate.dxf";
    const Settings own =
        loadSettings(PATHLOOM_SOURCE_DIR "/tests/golden/settings/" + name + ".ini");
    const ProcessPreset& preset = own.process.presets[0];
    ASSERT_GT(preset.kerfWidth, 0);
    for (const int codeType : {0, 1}) {
        Settings settings = own;
        settings.process.machine.codeType = codeType;
        Document document;
        SilentSink sink;
        ASSERT_EQ(openDrawing(document, PATHLOOM_SOURCE_DIR "/tests/golden/inputs/" + name,
                              settings, nullptr, sink),
                  OpenResult::Done);
        const CutPaths cuts = buildCutPaths(document.drawing(), settings.process.presets, true);
        ASSERT_TRUE(cuts.offset);
        varnix::interp::Options options;
        options.tolerance = 0.0002;
        options.travelSpeed = settings.process.machine.emptySpeed;
        const varnix::interp::Result run = varnix::interp::interpret(document.code(), options);
        ASSERT_TRUE(run.ok());
        // Lines run along chords of curves within the curve precision; the round corners are
        // cut as arcs about the drawn corners, exactly half the kerf off them.
        const std::vector<std::string> lines = programLines(document.code());
        int checked = 0, onArcs = 0;
        for (const varnix::interp::Move& move : run.path.moves) {
            const Point to{move.to[0], move.to[1]};
            if (move.travel || !onFlagged(cuts.offset.get(), cuts.offsetDone, to)) continue;
            const bool arc = isArcLine(lines.at(static_cast<size_t>(move.line) - 1));
            const double allowed = arc ? 0.001 : 0.001 + preset.refAccuracy;
            EXPECT_NEAR(fromDrawing(document.drawing(), to), preset.kerfWidth / 2, allowed)
                << "language " << codeType << ", line " << move.line;
            ++checked;
            onArcs += arc;
        }
        EXPECT_GT(checked, 100) << "language " << codeType;
        EXPECT_GT(onArcs, 10) << "language " << codeType;
    }
}

std::vector<std::string> goldenDrawings() {
    std::vector<std::string> paths;
    for (const auto& entry :
         std::filesystem::directory_iterator(PATHLOOM_SOURCE_DIR "/tests/golden/inputs"))
        paths.push_back(entry.path().string());
    std::sort(paths.begin(), paths.end());
    return paths;
}

INSTANTIATE_TEST_SUITE_P(Golden, GoldenTrace, testing::ValuesIn(goldenDrawings()),
                         [](const testing::TestParamInfo<std::string>& info) {
                             std::string name = std::filesystem::path(info.param).stem().string();
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });

}  // namespace
}  // namespace pathloom
