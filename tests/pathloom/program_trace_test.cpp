// Programs read back: random drawings of polylines, arcs and circles are written absolute and
// relative, in both languages, with and without Z; replaying each program's moves must visit the
// same positions, and the cut moves must end where the drawing's segments end.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <sstream>

#include "core/codegen/program.h"
#include "pathloom/fake_controller.h"
#include "support/builders.h"

using namespace pathloom;
using namespace lintrel::test;
using lintrel::ChainOwner;
using lintrel::Point;

namespace {

struct Move {
    double x, y;
    bool cut;
};

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end = text.find("\r\n"); end != std::string::npos;
         start = end + 2, end = text.find("\r\n", start))
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "text after the last CR LF";
    return lines;
}

// The value of the word `letter` in a G-code line, if present.
bool word(const std::string& line, char letter, double& value) {
    const size_t at = line.find(std::string(" ") + letter);
    if (at == std::string::npos) return false;
    value = std::strtod(line.c_str() + at + 2, nullptr);
    return true;
}

std::vector<Move> replayGcode(const std::string& text) {
    std::vector<Move> moves;
    bool relative = false;
    double x = 0, y = 0;
    for (const std::string& line : linesOf(text)) {
        if (line == "G91") relative = true;
        if (line.size() < 3 || line[0] != 'G' || line == "G90" || line == "G91") continue;
        double wx = 0, wy = 0;
        if (!word(line, 'X', wx) || !word(line, 'Y', wy)) continue;  // a relative lift
        const double nx = relative ? x + wx : wx, ny = relative ? y + wy : wy;
        const bool travel = line.rfind("G00", 0) == 0;
        if (travel && nx == x && ny == y) continue;  // a lift or plunge
        x = nx;
        y = ny;
        moves.push_back({x, y, !travel});
    }
    return moves;
}

std::vector<double> arguments(const std::string& line) {
    std::vector<double> out;
    const size_t open = line.find('(');
    std::stringstream list(line.substr(open + 1, line.rfind(')') - open - 1));
    for (std::string item; std::getline(list, item, ',');)
        out.push_back(std::strtod(item.c_str(), nullptr));
    return out;
}

// Two-axis Basic (BASE names X and Y, or X, Y and Z): the first two arguments of every move.
std::vector<Move> replayBasic(const std::string& text, bool withZ) {
    std::vector<Move> moves;
    double x = 0, y = 0;
    bool cutting = false;  // a work speed block precedes the cuts of a vect
    for (const std::string& line : linesOf(text)) {
        if (line.rfind("MOVE_PARA(SPEED", 0) == 0)
            cutting = line.find("200.0000") != std::string::npos;
        const bool absolute = line.rfind("MOVEABS(", 0) == 0 || line.rfind("MOVECIRCABS(", 0) == 0;
        const bool relative = line.rfind("MOVE(", 0) == 0 || line.rfind("MOVECIRC(", 0) == 0;
        if (!absolute && !relative) continue;
        const std::vector<double> a = arguments(line);
        if (withZ && a.size() == 3 && (relative ? a[0] == 0 && a[1] == 0 : a[0] == x && a[1] == y))
            continue;  // lift or plunge
        x = relative ? x + a[0] : a[0];
        y = relative ? y + a[1] : a[1];
        moves.push_back({x, y, cutting && !(withZ && a.size() == 3)});
    }
    return moves;
}

// A random drawing: polylines, open arcs and circles in two groups.
VectGroup* randomDrawing(std::mt19937& random, double lift, double work) {
    std::uniform_real_distribution<double> coordinate(-200, 200);
    std::uniform_real_distribution<double> radius(1, 40);
    std::uniform_real_distribution<double> sweep(-5, 5);
    ChainOwner<VectGroup> groups;
    for (int g = 1; g <= 2; ++g) {
        VectGroup* group = groupOf({}, g);
        for (int v = 0; v < 6; ++v) {
            Vect* vect = nullptr;
            if (v % 3 == 0) {
                vect = circle(coordinate(random), coordinate(random), radius(random));
            } else if (v % 3 == 1) {
                vect =
                    arc(coordinate(random), coordinate(random), radius(random), 1.0, sweep(random));
            } else {
                std::vector<Point> points;
                for (int i = 0; i < 5; ++i)
                    points.push_back({coordinate(random), coordinate(random)});
                vect = polylineOf(points);
            }
            vect->liftHeight = lift;
            vect->workHeight = work;
            lintrel::append(group->vects, vect);
        }
        groups.append(group);
    }
    return groups.release();
}

void expectSamePath(const std::vector<Move>& a, const std::vector<Move>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        // Relative programs round every step to 0.0001; the error adds up along the program.
        EXPECT_NEAR(a[i].x, b[i].x, 2e-3) << i;
        EXPECT_NEAR(a[i].y, b[i].y, 2e-3) << i;
        EXPECT_EQ(a[i].cut, b[i].cut) << i;
    }
}

// The cut ends of the drawing in order, as the writers meet them (arcs as one move).
std::vector<Point> cutEnds(VectGroup* groups, bool arcsAsSegs) {
    std::vector<Point> ends;
    for (VectGroup* g : lintrel::ring(groups))
        for (Vect* v : lintrel::ring(g->vects)) {
            if (v->type == LINTREL_ARC && !arcsAsSegs) {
                ends.push_back(lintrel::segEnd(*v->flatSegs->prev));
                continue;
            }
            for (Seg* s : lintrel::ring(lintrel::workingChain(*v)))
                ends.push_back(lintrel::segEnd(*s));
        }
    return ends;
}

}  // namespace

TEST(ProgramTrace, AbsoluteAndRelativeProgramsTraceTheDrawing) {
    std::mt19937 random(42);
    for (int round = 0; round < 20; ++round) {
        const bool withZ = round % 2 == 1;
        const bool arcsAsSegs = round % 4 >= 2;
        ChainOwner<VectGroup> drawing(randomDrawing(random, 10, 1));
        for (int language : {0, 1}) {
            std::vector<Move> paths[2];
            for (int mode : {0, 1}) {
                ProcessSettings settings = pathloom::test::withoutReturn(language);
                for (ProcessPreset& p : settings.presets) {
                    p.moveType = mode;
                    p.useZ = withZ;
                    p.circToSeg = arcsAsSegs;
                }
                const std::string text = pathloom::test::programText(drawing.get(), settings);
                paths[mode] = language == 1 ? replayGcode(text) : replayBasic(text, withZ);
            }
            SCOPED_TRACE("round " + std::to_string(round) + " language " +
                         std::to_string(language));
            expectSamePath(paths[0], paths[1]);
            std::vector<Point> cuts;
            for (const Move& m : paths[0])
                if (m.cut) cuts.push_back({m.x, m.y});
            const std::vector<Point> expected = cutEnds(drawing.get(), arcsAsSegs);
            ASSERT_EQ(cuts.size(), expected.size())
                << "round " << round << " language " << language;
            for (size_t i = 0; i < cuts.size(); ++i) {
                EXPECT_NEAR(cuts[i].x, expected[i].x, 1e-4);
                EXPECT_NEAR(cuts[i].y, expected[i].y, 1e-4);
            }
        }
    }
}
