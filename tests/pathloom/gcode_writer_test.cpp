// The G-code writer: the small programs whose every byte is known, relative mode, arcs, the
// travel margin, action texts, group frames, the Z generator, the start position read from the
// controller, and the line map.
#include <gtest/gtest.h>

#include <utility>

#include "core/codegen/program.h"
#include "pathloom/fake_controller.h"
#include "support/builders.h"

using namespace pathloom;
using namespace lintrel::test;
using lintrel::ChainOwner;
using pathloom::test::FakeController;

namespace {

ProcessSettings noReturn() {
    return pathloom::test::withoutReturn(1);
}

std::string gcode(VectGroup* groups, const ProcessSettings& settings,
                  ControllerLink* link = nullptr) {
    return pathloom::test::programText(groups, settings, link);
}

}  // namespace

TEST(GcodeWriter, OpenPolylineIsExactlyThreeLines) {
    ChainOwner<VectGroup> drawing(groupOf({polyline({{0, 0}, {10, 0}, {10, 5}})}));
    const WriteResult result = writeGcode(drawing.get(), noReturn(), nullptr);
    ASSERT_EQ(result.status, WriteStatus::Ok);
    EXPECT_EQ(result.program.text,
              "G90\r\nG01 X10.0000 Y0.0000 F200.0000\r\nG01 X10.0000 Y5.0000 F200.0000\r\n");
    EXPECT_EQ(result.program.lineMap, (std::vector<int>{1, 2}));

    ProcessSettings relative = noReturn();
    relative.presets[0].moveType = 1;
    EXPECT_EQ(gcode(drawing.get(), relative),
              "G91\r\nG01 X10.0000 Y0.0000 F200.0000\r\nG01 X0.0000 Y5.0000 F200.0000\r\n");
}

TEST(GcodeWriter, CutsNeverRunWithoutASpeed) {
    Vect* cut = polyline({{0, 0}, {10, 0}});
    cut->speed = -5;
    ChainOwner<VectGroup> drawing(groupOf({cut}));
    ProcessSettings settings = noReturn();
    settings.presets[0].speed = 150;
    EXPECT_EQ(gcode(drawing.get(), settings), "G90\r\nG01 X10.0000 Y0.0000 F150.0000\r\n");
    settings.presets[0].speed = 0;  // refused as well: the default speed
    EXPECT_EQ(gcode(drawing.get(), settings), "G90\r\nG01 X10.0000 Y0.0000 F200.0000\r\n");
}

TEST(GcodeWriter, FullCircleIsOneArcLineOrItsFlattenedSegs) {
    ChainOwner<VectGroup> drawing(groupOf({circle(20, 20, 5)}));
    EXPECT_EQ(gcode(drawing.get(), noReturn()),
              "G90\r\nG00 X25.0000 Y20.0000\r\n"
              "G03 X25.0000 Y20.0000 I-5.0000 J0.0000 F200.0000\r\n");
    ASSERT_NE(drawing.get()->vects->flatSegs, nullptr);  // built on demand and kept

    ProcessSettings relative = noReturn();
    relative.presets[0].moveType = 1;
    EXPECT_EQ(gcode(drawing.get(), relative),
              "G91\r\nG00 X25.0000 Y20.0000\r\n"
              "G03 X0.0000 Y0.0000 I-5.0000 J0.0000 F200.0000\r\n");

    ProcessSettings segments = noReturn();
    segments.presets[0].circToSeg = true;
    const std::string text = gcode(drawing.get(), segments);
    const int segs = lintrel::ringCount(drawing.get()->vects->flatSegs);
    size_t g01 = 0;
    for (size_t at = text.find("G01"); at != std::string::npos; at = text.find("G01", at + 1))
        ++g01;
    EXPECT_EQ(g01, static_cast<size_t>(segs));
    EXPECT_EQ(text.find("G03"), std::string::npos);
}

TEST(GcodeWriter, ArcDirectionFollowsTheSweep) {
    // A clockwise quarter (positive sweep) from angle 0: G02, centre given from the start.
    ChainOwner<VectGroup> drawing(groupOf({arc(0, 0, 10, 0, lintrel::kHalfPi)}));
    const std::string text = gcode(drawing.get(), noReturn());
    // The flattened start may carry a negative zero from the sine; it is written unsigned.
    EXPECT_EQ(text.substr(0, 31), "G90\r\nG00 X10.0000 Y0.0000\r\nG02 ");
    EXPECT_NE(text.find("\r\nG02 X0.0000 Y-10.0000 I-10.0000 J0.0000 F200.0000\r\n"),
              std::string::npos)
        << text;
}

TEST(GcodeWriter, TravelOnlyBeyondTheMargin) {
    ChainOwner<VectGroup> near(groupOf({polyline({{0.0001, -0.0001}, {5, 0}})}));
    EXPECT_EQ(gcode(near.get(), noReturn()), "G90\r\nG01 X5.0000 Y0.0000 F200.0000\r\n");
    ChainOwner<VectGroup> far(groupOf({polyline({{0.00011, 0}, {5, 0}})}));
    EXPECT_EQ(gcode(far.get(), noReturn()),
              "G90\r\nG00 X0.0001 Y0.0000\r\nG01 X5.0000 Y0.0000 F200.0000\r\n");
}

TEST(GcodeWriter, ActionTextsBecomeLines) {
    ChainOwner<VectGroup> drawing(groupOf({polyline({{0, 0}, {1, 0}})}));
    Vect* v = drawing.get()->vects;
    v->beforeAction = lintrel::test::sharedText("A\\nB\r\nC");
    v->afterAction = lintrel::test::sharedText("OUT\n");
    ProcessSettings settings = noReturn();
    settings.presets[0].startAction = "M3\\nG4 P1";
    EXPECT_EQ(gcode(drawing.get(), settings),
              "M3\r\nG4 P1\r\nG90\r\nA\\nB\r\nC\r\nG01 X1.0000 Y0.0000 F200.0000\r\nOUT\r\n\r\n");
    // The vect's lines run from its before-text to the empty line its after-text ends with.
    EXPECT_EQ(writeGcode(drawing.get(), settings, nullptr).program.lineMap,
              (std::vector<int>{3, 7}));

    settings.presets[0].startAction = "M3\n";
    VarnixCad3_DelStrT(std::exchange(v->beforeAction, nullptr));
    VarnixCad3_DelStrT(std::exchange(v->afterAction, nullptr));
    EXPECT_EQ(gcode(drawing.get(), settings), "M3\r\n\r\nG90\r\nG01 X1.0000 Y0.0000 F200.0000\r\n");
}

TEST(GcodeWriter, GroupFramesAndTheReturnLine) {
    VectGroup* first = groupOf({polyline({{0, 0}, {1, 0}})}, 1);
    VectGroup* second = groupOf({polyline({{1, 0}, {2, 0}})}, 2);
    ChainOwner<VectGroup> drawing(first);
    drawing.append(second);
    ProcessSettings settings = noReturn();
    settings.machine.returnFirstPos = true;
    settings.presets[0].startAction = "S1";
    settings.presets[0].endAction = "E1";
    settings.presets[1].startAction = "S2";
    settings.presets[1].endAction = "E2";
    settings.presets[1].moveType = 1;  // the return line follows the last group
    const WriteResult result = writeGcode(drawing.get(), settings, nullptr);
    EXPECT_EQ(result.program.text,
              "S1\r\nG90\r\nG01 X1.0000 Y0.0000 F200.0000\r\n"
              "E2\r\nS2\r\nG01 X1.0000 Y0.0000 F200.0000\r\n"
              "G00 X-2.0000 Y0.0000\r\nE1\r\n");
    EXPECT_EQ(result.program.lineMap, (std::vector<int>{2, 2, 5, 5}));
}

TEST(GcodeWriter, ZGeneratorLiftsTravelsAndPlunges) {
    Vect* a = polyline({{0, 0}, {10, 0}});
    Vect* b = polyline({{10, 0}, {10, 10}});
    Vect* c = polyline({{20, 0}, {30, 0}});
    for (Vect* v : {a, b, c}) {
        v->liftHeight = 10;
        v->workHeight = 1;
    }
    b->workHeight = 2;
    ChainOwner<VectGroup> drawing(groupOf({a, b, c}));
    ProcessSettings settings = noReturn();
    settings.presets[0].useZ = true;
    EXPECT_EQ(gcode(drawing.get(), settings),
              "G90\r\n"
              "G00 X0.0000 Y0.0000 Z10.0000\r\n"  // to the lift height before the group
              "G00 X0.0000 Y0.0000 Z1.0000\r\n"   // plunge, no travel needed
              "G01 X10.0000 Y0.0000 F200.0000\r\n"
              "G00 X10.0000 Y0.0000 Z2.0000\r\n"  // joined: no lift, only the new height
              "G01 X10.0000 Y10.0000 F200.0000\r\n"
              "G00 X10.0000 Y10.0000 Z10.0000\r\n"
              "G00 X20.0000 Y0.0000 Z10.0000\r\n"
              "G00 X20.0000 Y0.0000 Z1.0000\r\n"
              "G01 X30.0000 Y0.0000 F200.0000\r\n");
    settings.presets[0].moveType = 1;
    EXPECT_EQ(gcode(drawing.get(), settings),
              "G91\r\nG00 X0.0 Y0.0 Z10.0000\r\nG00 X0.0 Y0.0 Z-9.0000\r\n"
              "G01 X10.0000 Y0.0000 F200.0000\r\nG00 X0.0 Y0.0 Z1.0000\r\n"
              "G01 X0.0000 Y10.0000 F200.0000\r\nG00 U0.0 V0.0 W8.0000\r\n"
              "G00 X10.0000 Y-10.0000 Z0.0\r\nG00 X0.0 Y0.0 Z-9.0000\r\n"
              "G01 X10.0000 Y0.0000 F200.0000\r\n");
}

TEST(GcodeWriter, StartPositionComesFromTheController) {
    ChainOwner<VectGroup> drawing(groupOf({polyline({{0, 0}, {1, 0}})}));
    FakeController controller;
    controller.replies = {{"?MPOS(0)", "12.5"}, {"?MPOS(1)", " -3\r\n"}, {"?MPOS(3)", "nan"}};
    ProcessSettings settings = noReturn();
    settings.machine.returnFirstPos = true;
    settings.presets[0].useZ = true;
    settings.presets[0].workHeight = settings.presets[0].upliftHeight = 0;
    EXPECT_EQ(gcode(drawing.get(), settings, &controller),
              "G90\r\nG00 X0.0000 Y0.0000 Z0.0000\r\nG01 X1.0000 Y0.0000 F200.0000\r\n"
              "G00 X12.5000 Y-3.0000 Z0.0000\r\n");
    EXPECT_EQ(controller.sent, (std::vector<std::string>{"?MPOS(0)", "?MPOS(1)", "?MPOS(3)"}));

    controller.online = false;
    controller.sent.clear();
    EXPECT_EQ(gcode(drawing.get(), settings, &controller),
              "G90\r\nG01 X1.0000 Y0.0000 F200.0000\r\nG00 X0.0000 Y0.0000 Z0.0000\r\n");
    EXPECT_TRUE(controller.sent.empty());
}

TEST(GcodeWriter, EmptyDrawingsUnsupportedAxesAndEmptyPieces) {
    const WriteResult none = writeGcode(nullptr, noReturn(), nullptr);
    EXPECT_EQ(none.status, WriteStatus::Ok);
    EXPECT_TRUE(none.program.text.empty());
    EXPECT_TRUE(none.program.lineMap.empty());

    ChainOwner<VectGroup> drawing(groupOf({polyline({{0, 0}, {1, 0}})}));
    ProcessSettings rotary = noReturn();
    rotary.presets[0].useR = true;
    const WriteResult refused = writeGcode(drawing.get(), rotary, nullptr);
    EXPECT_EQ(refused.status, WriteStatus::Unsupported);
    EXPECT_TRUE(refused.program.text.empty());

    // A group without vects and a vect without segs are passed over; the later groups are
    // still written and the empty vect keeps its two line-map entries.
    drawing.append(groupOf({}, 2));
    Vect* hollow = VarnixCad3_NewVect();
    drawing.append(groupOf({hollow, polyline({{1, 0}, {1, 1}})}, 3));
    const WriteResult result = writeGcode(drawing.get(), noReturn(), nullptr);
    ASSERT_EQ(result.status, WriteStatus::Ok);
    EXPECT_EQ(result.program.text,
              "G90\r\nG01 X1.0000 Y0.0000 F200.0000\r\nG01 X1.0000 Y1.0000 F200.0000\r\n");
    EXPECT_EQ(result.program.lineMap, (std::vector<int>{1, 1, 2, 1, 2, 2}));
}

TEST(GcodeWriter, GroupNumbersOutsideThePresetsUseTheFirst) {
    ChainOwner<VectGroup> drawing(groupOf({polyline({{0, 0}, {1, 0}})}, 99));
    ProcessSettings settings = noReturn();
    settings.presets[0].moveType = 1;
    EXPECT_EQ(gcode(drawing.get(), settings).substr(0, 5), "G91\r\n");
    drawing.get()->number = -5;
    EXPECT_EQ(gcode(drawing.get(), settings).substr(0, 5), "G91\r\n");
}
