// The Basic writer: the planar program with its speed blocks, the travel speed switch, BASE lines
// between groups, the R generators (turns on the spot, helical circles, the start heading sent
// to the controller) and the four-axis arc framed by BASE lines.
#include <gtest/gtest.h>

#include <limits>

#include "core/codegen/program.h"
#include "pathloom/fake_controller.h"
#include "support/builders.h"

using namespace pathloom;
using namespace lintrel::test;
using lintrel::ChainOwner;
using pathloom::test::FakeController;

namespace {

constexpr const char* kWorkBlock =
    "MOVE_PARA(SPEED, 0, 200.0000)\r\nMOVE_PARA(ACCEL, 0, 1000.0000)\r\n"
    "MOVE_PARA(DECEL, 0, 1000.0000)\r\n";
constexpr const char* kTravelBlock =
    "MOVE_PARA(SPEED, 0, 500.0000)\r\nMOVE_PARA(ACCEL, 0, 1000.0000)\r\n"
    "MOVE_PARA(DECEL, 0, 1000.0000)\r\n";

ProcessSettings noReturn() {
    return pathloom::test::withoutReturn(0);
}

std::string basic(VectGroup* groups, const ProcessSettings& settings,
                  ControllerLink* link = nullptr) {
    return pathloom::test::programText(groups, settings, link);
}

Vect* square() {
    return polyline({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}, true);
}

}  // namespace

TEST(BasicWriter, PlanarProgramHasWorkSpeedAndNoTravelBlock) {
    ChainOwner<VectGroup> drawing(groupOf({polyline({{0, 0}, {10, 0}})}));
    const WriteResult result = writeBasic(drawing.get(), noReturn(), nullptr);
    EXPECT_EQ(result.program.text,
              std::string("BASE(0, 1)\r\n") + kWorkBlock + "MOVEABS(10.0000, 0.0000)\r\n");
    EXPECT_EQ(result.program.lineMap, (std::vector<int>{1, 4}));
    // Through the dispatcher: code type 0 is Basic.
    EXPECT_EQ(writeProgram(drawing.get(), noReturn(), nullptr).program.text, result.program.text);
}

TEST(BasicWriter, EveryMoveRunsAtAStatedSpeed) {
    Vect* slow = polyline({{5, 5}, {6, 5}});
    ChainOwner<VectGroup> drawing(groupOf({slow}));
    ProcessSettings settings;  // returns to the start position
    const std::string sound =
        std::string("BASE(0, 1)\r\n") + kTravelBlock + "MOVEABS(5.0000, 5.0000)\r\n" + kWorkBlock +
        "MOVEABS(6.0000, 5.0000)\r\n" + kTravelBlock + "MOVEABS(0.0000, 0.0000)\r\n";
    EXPECT_EQ(basic(drawing.get(), settings), sound);
    // A vect without a speed runs at its preset's; settings that reach the writer unchecked give
    // way to their defaults, so no block is left out and no line names an axis past the last.
    slow->speed = 0;
    settings.machine.emptySpeed = 0;
    settings.machine.emptyAccel = -1;
    settings.machine.moveDecel = std::numeric_limits<double>::quiet_NaN();
    settings.machine.xAxis = 77;
    EXPECT_EQ(basic(drawing.get(), settings), sound);
    slow->speed = -5;
    settings.presets[0].speed = 0;
    EXPECT_EQ(basic(drawing.get(), settings), sound);
    // A speed too small for four decimals is stated as the smallest they show.
    slow->speed = 0.00001;
    EXPECT_NE(basic(drawing.get(), settings).find("MOVE_PARA(SPEED, 0, 0.0001)"),
              std::string::npos);
}

TEST(BasicWriter, BaseLinesBetweenGroups) {
    ChainOwner<VectGroup> drawing(groupOf({polyline({{0, 0}, {1, 0}})}, 1));
    drawing.append(groupOf({polyline({{1, 0}, {2, 0}})}, 2));
    ProcessSettings settings = noReturn();
    settings.presets[0].useZ = settings.presets[1].useZ = true;
    settings.presets[1].zAxis = 7;
    size_t bases = 0;
    const std::string same = basic(drawing.get(), settings);
    for (size_t at = same.find("BASE"); at != std::string::npos; at = same.find("BASE", at + 1))
        ++bases;
    EXPECT_EQ(bases, 1u) << same;

    // Group 2 drops Z: its BASE line keeps group 1's axis set with group 2's axis numbers.
    settings.presets[1].useZ = false;
    const std::string changed = basic(drawing.get(), settings);
    EXPECT_EQ(changed.find("BASE(0, 1, 3)\r\n"), 0u);
    EXPECT_NE(changed.find("BASE(0, 1, 7)\r\n"), std::string::npos) << changed;
}

TEST(BasicWriter, RotaryAxisTurnsOnTheSpotAlongASquare) {
    ChainOwner<VectGroup> drawing(groupOf({square()}));
    ProcessSettings settings = noReturn();
    settings.presets[0].useR = true;
    EXPECT_EQ(basic(drawing.get(), settings),
              std::string("BASE(0, 1, 4)\r\n") + kWorkBlock +
                  "MOVEABS(0.0000, 0.0000, 0.0000)\r\nMOVEABS(10.0000, 0.0000, 0.0000)\r\n"
                  "MOVEABS(10.0000, 0.0000, 1.5708)\r\nMOVEABS(10.0000, 10.0000, 1.5708)\r\n"
                  "MOVEABS(10.0000, 10.0000, 3.1416)\r\nMOVEABS(0.0000, 10.0000, 3.1416)\r\n"
                  "MOVEABS(0.0000, 10.0000, 4.7124)\r\nMOVEABS(0.0000, 0.0000, 4.7124)\r\n");
    settings.presets[0].moveType = 1;
    // The start heading is brought to 2pi first: the first turn is a whole turn, corrected to 0.
    EXPECT_EQ(basic(drawing.get(), settings),
              std::string("BASE(0, 1, 4)\r\n") + kWorkBlock +
                  "MOVE(0.0, 0.0, 0.0000)\r\nMOVE(10.0000, 0.0000, 0.0)\r\n"
                  "MOVE(0.0, 0.0, 1.5708)\r\nMOVE(0.0000, 10.0000, 0.0)\r\n"
                  "MOVE(0.0, 0.0, 1.5708)\r\nMOVE(-10.0000, 0.0000, 0.0)\r\n"
                  "MOVE(0.0, 0.0, 1.5708)\r\nMOVE(0.0000, -10.0000, 0.0)\r\n");
}

TEST(BasicWriter, RotaryCircleIsOneHelicalLine) {
    ChainOwner<VectGroup> drawing(groupOf({circle(20, 20, 5)}));
    ProcessSettings settings = noReturn();
    settings.presets[0].useR = true;
    EXPECT_EQ(basic(drawing.get(), settings),
              std::string("BASE(0, 1, 4)\r\n") + kTravelBlock +
                  "MOVEABS(0.0000, 0.0000, 0.6747)\r\nMOVEABS(25.0000, 20.0000, 0.6747)\r\n" +
                  kWorkBlock + "MHELICALABS(25.0000, 20.0000, 20.0000, 20.0000, 0, 0.6747)\r\n");
    settings.presets[0].moveType = 1;
    EXPECT_EQ(basic(drawing.get(), settings),
              std::string("BASE(0, 1, 4)\r\n") + kTravelBlock +
                  "MOVE(0.0, 0.0, -5.6084)\r\nMOVE(25.0000, 20.0000, 0.0)\r\n" + kWorkBlock +
                  "MHELICAL(0.0000, 0.0000, -5.0000, 0.0000, 0, 6.2832)\r\n");
}

TEST(BasicWriter, StartHeadingIsToldToTheController) {
    ChainOwner<VectGroup> drawing(groupOf({polyline({{0, 0}, {1, 0}})}));
    ProcessSettings settings = noReturn();
    settings.presets[0].useR = true;
    FakeController controller;
    controller.replies = {{"?MPOS(4)", "20"}};
    basic(drawing.get(), settings, &controller);
    EXPECT_EQ(controller.sent, (std::vector<std::string>{"?MPOS(0)", "?MPOS(1)", "?MPOS(3)",
                                                         "?MPOS(4)", "MPOS(4) = 7.4336"}));
    // A position far out must not stall the writer.
    controller.replies = {{"?MPOS(4)", "-1e300"}};
    controller.sent.clear();
    basic(drawing.get(), settings, &controller);
    ASSERT_EQ(controller.sent.size(), 5u);
    EXPECT_EQ(controller.sent[4].substr(0, 10), "MPOS(4) = ");
}

TEST(BasicWriter, FourAxisLiftPlungeAndFramedArc) {
    Vect* line = polyline({{0, 0}, {10, 0}, {10, 10}});
    Vect* ring = circle(0, 10, 10);
    for (Vect* v : {line, ring}) {
        v->liftHeight = 10;
        v->workHeight = 1;
    }
    ChainOwner<VectGroup> drawing(groupOf({line, ring}));
    ProcessSettings settings = noReturn();
    settings.presets[0].useR = settings.presets[0].useZ = true;
    EXPECT_EQ(basic(drawing.get(), settings),
              std::string("BASE(0, 1, 3, 4)\r\n") + kTravelBlock +
                  "MOVEABS(0.0000, 0.0000, 10.0000, 6.2832)\r\n" + kTravelBlock +
                  "MOVEABS(0.0000, 0.0000, 1.0000, 0.0000)\r\n" + kWorkBlock +
                  "MOVEABS(10.0000, 0.0000, 1.0000, 0.0000)\r\n"
                  "MOVEABS(10.0000, 10.0000, 1.0000, 1.5708)\r\n" +
                  kWorkBlock +
                  "BASE(0, 1, 4)\r\n"
                  "MHELICALABS(10.0000, 10.0000, 0.0000, 10.0000, 0, 1.5708, 1)\r\n"
                  "BASE(0, 1, 3, 4)\r\n");
}

TEST(BasicWriter, ZGeneratorPlungesAtTravelSpeed) {
    Vect* v = polyline({{5, 0}, {6, 0}});
    v->liftHeight = 10;
    v->workHeight = 1;
    ChainOwner<VectGroup> drawing(groupOf({v}));
    ProcessSettings settings = noReturn();
    settings.presets[0].useZ = true;
    EXPECT_EQ(basic(drawing.get(), settings),
              std::string("BASE(0, 1, 3)\r\n") + kTravelBlock +
                  "MOVEABS(0.0000, 0.0000, 10.0000)\r\n" + kTravelBlock +
                  "MOVEABS(5.0000, 0.0000, 10.0000)\r\nMOVEABS(5.0000, 0.0000, 1.0000)\r\n" +
                  kWorkBlock + "MOVEABS(6.0000, 0.0000)\r\n");
}
