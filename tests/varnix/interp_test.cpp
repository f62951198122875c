// The program interpreter on hand-written programs in both languages, absolute and relative,
// checked against the geometry they must trace.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "interp/interpreter.h"

namespace {

using namespace varnix::interp;
constexpr double kPi = std::numbers::pi;

Result run(const std::string& program, Options options = {}) {
    return interpret(program, options);
}

// Every sample of moves [first, last) lies on the circle, no chord strays from it by more than
// the tolerance, and the samples turn by `sweep` (signed, counter-clockwise positive).
void expectArc(const Result& result, size_t first, size_t last, double cx, double cy, double r,
               double sweep, double tolerance, int a = 0, int b = 1) {
    ASSERT_LE(last, result.path.moves.size());
    ASSERT_LT(first, last);
    const auto& moves = result.path.moves;
    std::vector<double> previous = first == 0 ? result.path.start : moves[first - 1].to;
    double turned = 0;
    for (size_t i = first; i < last; ++i) {
        const std::vector<double>& point = moves[i].to;
        EXPECT_NEAR(std::hypot(point[a] - cx, point[b] - cy), r, 1e-6) << "sample " << i;
        const double mx = (previous[a] + point[a]) / 2, my = (previous[b] + point[b]) / 2;
        EXPECT_LE(r - std::hypot(mx - cx, my - cy), tolerance + 1e-9) << "chord " << i;
        double step = std::atan2(point[b] - cy, point[a] - cx) -
                      std::atan2(previous[b] - cy, previous[a] - cx);
        if (step > kPi) step -= 2 * kPi;
        if (step < -kPi) step += 2 * kPi;
        turned += step;
        previous = point;
    }
    EXPECT_NEAR(turned, sweep, 1e-9);
}

void expectSamePath(const Result& a, const Result& b, int axes = 3) {
    ASSERT_EQ(a.path.moves.size(), b.path.moves.size());
    for (size_t i = 0; i < a.path.moves.size(); ++i) {
        for (int axis = 0; axis < axes; ++axis) {
            EXPECT_NEAR(a.path.moves[i].to[axis], b.path.moves[i].to[axis], 1e-9)
                << "move " << i << " axis " << axis;
        }
        EXPECT_EQ(a.path.moves[i].travel, b.path.moves[i].travel) << "move " << i;
    }
}

TEST(Interpreter, GCodeAbsoluteTravelFullCircleAndLine) {
    const Result result =
        run("G90\r\nG00 X25.0000 Y20.0000\r\nG03 X25.0000 Y20.0000 I-5.0000 J0.0000 F200.0000\r\n"
            "G01 X30.0000 Y20.0000 F200.0000\r\n");
    ASSERT_TRUE(result.ok()) << result.error->message;
    EXPECT_TRUE(result.warnings.empty());
    const auto& moves = result.path.moves;
    ASSERT_GE(moves.size(), 6u);
    EXPECT_TRUE(moves.front().travel);
    EXPECT_EQ(moves.front().to[0], 25.0);
    EXPECT_EQ(moves.front().line, 2);
    // A G03 back to its start is a whole counter-clockwise turn.
    expectArc(result, 1, moves.size() - 1, 20, 20, 5, 2 * kPi, 0.01);
    EXPECT_FALSE(moves[1].travel);
    EXPECT_EQ(moves[1].speed, 200.0);
    EXPECT_EQ(moves[1].line, 3);
    EXPECT_EQ(moves.back().to[0], 30.0);
    EXPECT_EQ(moves.back().line, 4);
    double length = 0;
    for (size_t i = 1; i + 1 < moves.size(); ++i)
        length += moves[i].length;
    EXPECT_NEAR(length, 2 * kPi * 5, 0.05);
}

TEST(Interpreter, GCodeRelativeTracesTheSamePath) {
    const Result absolute =
        run("G90\r\nG00 X25.0000 Y20.0000\r\nG02 X15.0000 Y20.0000 I-5.0000 J0.0000 F50.0000\r\n"
            "G01 X15.0000 Y10.0000 F50.0000\r\n");
    const Result relative =
        run("G91\r\nG00 X25.0000 Y20.0000\r\nG02 X-10.0000 Y0.0000 I-5.0000 J0.0000 F50.0000\r\n"
            "G01 X0.0000 Y-10.0000 F50.0000\r\n");
    ASSERT_TRUE(absolute.ok() && relative.ok());
    expectSamePath(absolute, relative);
    // Clockwise from the right of the centre to its left passes below it.
    expectArc(absolute, 1, absolute.path.moves.size() - 1, 20, 20, 5, -kPi, 0.01);
    EXPECT_LT(absolute.path.moves[2].to[1], 20.0);
}

TEST(Interpreter, GCodeLiftPlungeAndHelix) {
    // The Z writer's relative lift uses U V W; they stay relative in absolute mode.
    const Result result =
        run("G90\r\nG00 X0.0000 Y0.0000 Z5.0000\r\nG00 U0.0 V0.0 W-3.0000\r\n"
            "G02 X10.0000 Y0.0000 Z0.0000 I5.0000 J0.0000 K0.0 F100.0000\r\n");
    ASSERT_TRUE(result.ok()) << result.error->message;
    const auto& moves = result.path.moves;
    EXPECT_EQ(moves[0].to[2], 5.0);
    EXPECT_EQ(moves[1].to[2], 2.0);
    EXPECT_TRUE(moves[1].travel);
    expectArc(result, 2, moves.size(), 5, 0, 5, -kPi, 0.01);
    // Z falls in proportion to the angle swept: a helix.
    for (size_t i = 2; i < moves.size(); ++i) {
        const double swept = kPi - std::atan2(moves[i].to[1], moves[i].to[0] - 5);
        EXPECT_NEAR(moves[i].to[2], 2.0 - 2.0 * swept / kPi, 1e-9);
        EXPECT_GE(moves[i].to[1], -1e-12);
    }
    EXPECT_EQ(moves.back().to[2], 0.0);
}

TEST(Interpreter, GCodeActionsWarnAndBadLinesStop) {
    const Result result = run(
        "M3\r\nG90\r\nG4 P1\r\n(cooling on)\r\nOP(1, ON)\r\n\r\nG01 X1.0000 Y0.0000 F10.0000\r\n"
        "G01 X1.0000 Y\r\nG01 X2.0000 Y0.0000\r\n");
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error->line, 8);
    ASSERT_EQ(result.warnings.size(), 3u);
    EXPECT_EQ(result.warnings[0].message, "action passed over: M3");
    EXPECT_EQ(result.warnings[0].line, 1);
    EXPECT_EQ(result.warnings[1].line, 3);
    EXPECT_EQ(result.warnings[2].line, 5);
    ASSERT_EQ(result.path.moves.size(), 1u);  // what came before the bad line

    for (const char* bad :
         {"G90\nG05 X1\n", "G90\nX5 Y5\n", "G90\nG01 X1 P3\n", "G90\n12 X\n", "G90\nG02 X1 Y1 F1\n",
          "G90\nG02 X20 Y0 I1 J0 F1\n", "G90\nG01 X1 X2\n"}) {
        const Result failed = run(bad);
        ASSERT_FALSE(failed.ok()) << bad;
        EXPECT_EQ(failed.error->line, 2) << bad;
    }
}

// The same drawing as the G-code tests, as the Basic writer puts it.
const char* const kBasicAbsolute =
    "BASE(0, 1)\r\nMOVE_PARA(SPEED, 0, 500.0000)\r\nMOVE_PARA(ACCEL, 0, 1000.0000)\r\n"
    "MOVE_PARA(DECEL, 0, 1000.0000)\r\nMOVEABS(25.0000, 20.0000)\r\n"
    "MOVE_PARA(SPEED, 0, 200.0000)\r\nMOVE_PARA(ACCEL, 0, 1000.0000)\r\n"
    "MOVE_PARA(DECEL, 0, 1000.0000)\r\nMOVECIRCABS(25.0000, 20.0000, 20.0000, 20.0000, 0)\r\n"
    "MOVEABS(30.0000, 20.0000)\r\n";
const char* const kBasicRelative =
    "BASE(0, 1)\r\nMOVE_PARA(SPEED, 0, 500.0000)\r\nMOVE(25.0000, 20.0000)\r\n"
    "MOVE_PARA(SPEED, 0, 200.0000)\r\nMOVECIRC(0.0000, 0.0000, -5.0000, 0.0000, 0)\r\n"
    "MOVE(5.0000, 0.0000)\r\n";

TEST(Interpreter, BasicTracesWhatTheGCodeTraces) {
    Options options;
    options.travelSpeed = 500;
    const Result absolute = run(kBasicAbsolute, options);
    const Result relative = run(kBasicRelative, options);
    ASSERT_TRUE(absolute.ok()) << absolute.error->message;
    ASSERT_TRUE(relative.ok()) << relative.error->message;
    expectSamePath(absolute, relative);
    const Result gcode =
        run("G90\r\nG00 X25.0000 Y20.0000\r\nG03 X25.0000 Y20.0000 I-5.0000 J0.0000 F200.0000\r\n"
            "G01 X30.0000 Y20.0000 F200.0000\r\n");
    expectSamePath(absolute, gcode);
    EXPECT_EQ(absolute.path.moves.front().speed, 500.0);
    EXPECT_EQ(absolute.path.moves.back().speed, 200.0);
    EXPECT_FALSE(absolute.path.moves.back().travel);
}

TEST(Interpreter, BasicHelixTurnsTheRotaryAxis) {
    // X-Y-R: a clockwise full circle turns R by -2π while the tool goes round.
    const Result result =
        run("BASE(0, 1, 3)\r\nMPOS(3) = 1.0000\r\nMOVE_PARA(SPEED, 0, 100.0000)\r\n"
            "MOVEABS(25.0000, 20.0000, 1.0000)\r\n"
            "MHELICAL(0.0000, 0.0000, -5.0000, 0.0000, 1, -6.2832)\r\n");
    ASSERT_TRUE(result.ok()) << result.error->message;
    const auto& moves = result.path.moves;
    expectArc(result, 1, moves.size(), 20, 20, 5, -2 * kPi, 0.01);
    double swept = 0;
    std::vector<double> previous = moves[0].to;
    for (size_t i = 1; i < moves.size(); ++i) {
        swept += std::hypot(moves[i].to[0] - previous[0], moves[i].to[1] - previous[1]);
        previous = moves[i].to;
        EXPECT_EQ(moves[i].to[2], 0.0);  // axis 2 is not in BASE
    }
    double along = 0;
    previous = moves[0].to;
    for (size_t i = 1; i < moves.size(); ++i) {
        along += std::hypot(moves[i].to[0] - previous[0], moves[i].to[1] - previous[1]);
        previous = moves[i].to;
        EXPECT_NEAR(moves[i].to[3], 1.0 - 6.2832 * along / swept, 1e-9);
    }
    EXPECT_NEAR(moves.back().to[3], 1.0 - 6.2832, 1e-12);
}

TEST(Interpreter, BasicFourAxisHelixWithModeAndBaseSwitch) {
    // The X-Y-Z-R writer switches BASE to X, Y, R around the helical line and back.
    const std::string program =
        "BASE(0, 1, 2, 3)\r\nMOVE_PARA(SPEED, 0, 100.0000)\r\n"
        "MOVEABS(10.0000, 0.0000, -1.0000, 1.5708)\r\nBASE(0, 1, 3)\r\n"
        "MHELICALABS(0.0000, 0.0000, 5.0000, 0.0000, 0, 4.7124, MODE)\r\nBASE(0, 1, 2, 3)\r\n"
        "MOVEABS(0.0000, -5.0000, -1.0000, 4.7124)\r\n";
    auto withMode = [&](const char* mode) {
        std::string text = program;
        text.replace(text.find("MODE"), 4, mode);
        return run(text);
    };
    const Result planar = withMode("1");
    const Result helical = withMode("0");
    ASSERT_TRUE(planar.ok()) << planar.error->message;
    ASSERT_TRUE(helical.ok());
    expectSamePath(planar, helical, 4);
    const auto& moves = planar.path.moves;
    expectArc(planar, 1, moves.size() - 1, 5, 0, 5, kPi, 0.01);
    double planarLength = 0, helicalLength = 0;
    for (size_t i = 1; i + 1 < moves.size(); ++i) {
        EXPECT_EQ(moves[i].to[2], -1.0);  // Z stays at the processing height
        planarLength += moves[i].length;
        helicalLength += helical.path.moves[i].length;
    }
    EXPECT_NEAR(planarLength, kPi * 5, 0.02);
    EXPECT_NEAR(helicalLength, std::hypot(kPi * 5, kPi), 0.05);
    EXPECT_EQ(moves.back().to[3], 4.7124);
}

TEST(Interpreter, BasicActionsWarnAndBadStatementsStop) {
    const Result result = run(
        "M3\r\nBASE(0, 1)\r\nOP(1, ON)\r\nDELAY(100)\r\n' a comment\r\nMOVEABS(1.0000, 2.0000)\r\n"
        "\xe5\xbc\x80\xe5\xa7\x8b\r\nMOVEAB(1.0000, 2.0000)\r\n");
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error->line, 8);
    ASSERT_EQ(result.warnings.size(), 4u);
    EXPECT_EQ(result.warnings[0].line, 1);
    EXPECT_EQ(result.warnings[2].line, 4);
    EXPECT_EQ(result.warnings[3].line, 7);  // an action named in the operator's language
    ASSERT_EQ(result.path.moves.size(), 1u);
    EXPECT_EQ(result.path.moves[0].to[1], 2.0);

    for (const char* bad :
         {"BASE(0, 1)\nMOVEABS(1, 2\n", "BASE(0, 1)\nMOVEABS(1, 2, 3)\n",
          "BASE(0, 1)\nBASE(0, 99)\n", "BASE(0, 1)\nMOVECIRCABS(1, 1, 0, 0, 2)\n",
          "BASE(0, 1)\nMHELICAL(1, 1, 0, 0, 1, 1)\n", "BASE(0, 1)\nMOVE_PARA(JERK, 0, 1)\n",
          "BASE(0, 1)\n)(\n", "BASE(0, 1)\nMOVE(1, x)\n", "BASE(0, 1)\nMPOS(0)\n",
          "BASE(0, 1)\nBASE(1, 1)\n"}) {
        const Result failed = run(bad);
        ASSERT_FALSE(failed.ok()) << bad;
        EXPECT_EQ(failed.error->line, 2) << bad;
    }
}

TEST(Interpreter, WriterShapedZProgramEndsWhereItShould) {
    // A relative G-code program as the Z writer puts it: start action, lift, travel, plunge,
    // cut, full circle, lift, travel, return line, end action.
    const Result result =
        run("M3\r\nG91\r\nG00 X0.0 Y0.0 Z5.0000\r\nG00 X10.0000 Y0.0000 Z0.0\r\n"
            "G00 X0.0 Y0.0 Z-6.0000\r\nG01 X10.0000 Y0.0000 F200.0000\r\n"
            "G02 X0.0000 Y0.0000 Z0.0 I-5.0000 J0.0000 K0.0 F200.0000\r\n"
            "G00 U0.0 V0.0 W6.0000\r\nG00 X-20.0000 Y0.0000 Z0.0\r\nM5\r\n");
    ASSERT_TRUE(result.ok()) << result.error->message;
    EXPECT_EQ(result.warnings.size(), 2u);
    const auto& moves = result.path.moves;
    EXPECT_EQ(moves[2].to[0], 10.0);
    EXPECT_EQ(moves[2].to[2], -1.0);
    EXPECT_EQ(moves[3].to[0], 20.0);
    EXPECT_FALSE(moves[3].travel);
    expectArc(result, 4, moves.size() - 2, 15, 0, 5, -2 * kPi, 0.01);
    EXPECT_EQ(moves[moves.size() - 2].to[2], 5.0);
    EXPECT_EQ(moves.back().to[0], 0.0);
    EXPECT_EQ(moves.back().to[2], 5.0);
    EXPECT_TRUE(moves.back().travel);
}

TEST(Interpreter, WriterShapedFourAxisRelativeProgram) {
    // X-Y-Z-R in relative form: lift, turn on the spot, travel, plunge with a turn, a cut that
    // keeps its heading, then a clockwise circle on BASE(X, Y, R) with the R change -2π.
    const Result result =
        run("BASE(0, 1, 2, 3)\r\nMOVE_PARA(SPEED, 0, 500.0000)\r\nMOVE(0.0, 0.0, 5.0000, 0.0)\r\n"
            "MOVE(0.0, 0.0, 0.0, 1.5708)\r\nMOVE(0.0000, 10.0000, 0.0000, 0.0)\r\n"
            "MOVE(0.0, 0.0, -6.0000, -1.5708)\r\nMOVE_PARA(SPEED, 0, 200.0000)\r\n"
            "MOVE(10.0000, 0.0000, 0.0000, 0.0000)\r\nBASE(0, 1, 3)\r\n"
            "MHELICAL(0.0000, 0.0000, 0.0000, -5.0000, 1, -6.2832, 1)\r\nBASE(0, 1, 2, 3)\r\n");
    ASSERT_TRUE(result.ok()) << result.error->message;
    const auto& moves = result.path.moves;
    EXPECT_NEAR(moves[1].to[3], 1.5708, 1e-12);
    EXPECT_EQ(moves[2].to[1], 10.0);
    EXPECT_NEAR(moves[3].to[2], -1.0, 1e-12);
    EXPECT_NEAR(moves[3].to[3], 0.0, 1e-12);
    EXPECT_EQ(moves[4].to[0], 10.0);
    expectArc(result, 5, moves.size(), 10, 5, 5, -2 * kPi, 0.01);
    EXPECT_NEAR(moves.back().to[3], -6.2832, 1e-12);
    EXPECT_NEAR(moves.back().to[2], -1.0, 1e-12);  // Z is not in the helix's BASE
}

TEST(Interpreter, SamplingHonoursTheToleranceAndStaysBounded) {
    Options fine;
    fine.tolerance = 0.001;
    const std::string circle = "G90\nG00 X100 Y0\nG03 X100 Y0 I-100 J0 F10\n";
    const Result result = run(circle, fine);
    ASSERT_TRUE(result.ok());
    const size_t samples = result.path.moves.size() - 1;
    expectArc(result, 1, result.path.moves.size(), 0, 0, 100, 2 * kPi, 0.001);
    // No more samples than twice the fewest that meet the tolerance.
    const double fewest = 2 * kPi / (2 * std::acos(1 - 0.001 / 100));
    EXPECT_LE(static_cast<double>(samples), 2 * fewest);
    Options absurd;
    absurd.tolerance = 1e-9;
    const Result refused = run("G90\nG00 X1000000 Y0\nG03 X1000000 Y0 I-1000000 J0 F1\n", absurd);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error->line, 3);
}

}  // namespace
