// The G-code writer in the output profiles: header, tool switching per cut or per program with
// each group's power, pierce dwell in the profile's unit, modal feed in mm/min, arcs kept or
// flattened, relative Z moves in the profile's words, and the names the command line takes.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/codegen/output_profile.h"
#include "core/codegen/program.h"
#include "pathloom/fake_controller.h"
#include "support/builders.h"

using namespace pathloom;
using namespace lintrel::test;
using lintrel::ChainOwner;

namespace {

ProcessSettings inProfile(const char* name) {
    ProcessSettings settings = pathloom::test::withoutReturn(1);
    settings.machine.outputProfile = *outputProfileIndex(name);
    return settings;
}

std::string gcode(VectGroup* groups, const ProcessSettings& settings) {
    return pathloom::test::programText(groups, settings, nullptr);
}

}  // namespace

TEST(OutputProfile, NamesAndTheDefaultRow) {
    EXPECT_EQ(outputProfileIndex("default"), 0);
    EXPECT_EQ(outputProfileIndex("GRBL-Laser"), 2);
    EXPECT_FALSE(outputProfileIndex("grbl"));
    EXPECT_EQ(outputProfileNames(), "default, linuxcnc, grbl-laser, grbl-spindle, mach, marlin");
    EXPECT_STREQ(outputProfile(99).name, "default");  // a bad index never reads past the table
    EXPECT_STREQ(outputProfile(-1).name, "default");
}

TEST(OutputProfile, LaserSwitchesPerCutWithEachGroupsPowerAndDwell) {
    VectGroup* first = groupOf({polyline({{0, 0}, {10, 0}}), polyline({{10, 0}, {10, 5}})}, 1);
    ChainOwner<VectGroup> drawing(first);
    Vect* slow = polyline({{20, 0}, {30, 0}});
    slow->speed = 10;
    drawing.append(groupOf({slow}, 2));
    ProcessSettings settings = inProfile("grbl-laser");
    settings.presets[0].laserPower = 40;
    settings.presets[0].pierceDelay = 0.25;
    settings.presets[1].laserPower = 100;
    EXPECT_EQ(gcode(drawing.get(), settings),
              "G21\r\nG17\r\nG94\r\nG90\r\n"
              "M4 S400\r\nG4 P0.25\r\nG1 X10.000 Y0.000 F12000.000\r\nM5\r\n"
              "M4 S400\r\nG4 P0.25\r\nG1 X10.000 Y5.000\r\nM5\r\n"  // F is modal
              "G0 X20.000 Y0.000\r\n"
              "M4 S1000\r\nG1 X30.000 Y0.000 F600.000\r\nM5\r\nM2\r\n");

    settings.machine.outputProfile = *outputProfileIndex("marlin");  // dwell in milliseconds
    const std::string marlin = gcode(drawing.get(), settings);
    EXPECT_NE(marlin.find("M106 S102\r\nG4 P250\r\n"), std::string::npos) << marlin;
    EXPECT_NE(marlin.find("M107\r\nM84\r\n"), std::string::npos) << marlin;
}

TEST(OutputProfile, SpindleRunsOnceAndChangesSpeedOnlyWithThePower) {
    VectGroup* first = groupOf({polyline({{0, 0}, {10, 0}}), polyline({{20, 0}, {30, 0}})}, 1);
    ChainOwner<VectGroup> drawing(first);
    drawing.append(groupOf({polyline({{30, 0}, {40, 0}})}, 2));
    ProcessSettings settings = inProfile("grbl-spindle");
    settings.machine.returnFirstPos = true;
    settings.presets[1].laserPower = 50;
    EXPECT_EQ(gcode(drawing.get(), settings),
              "G21\r\nG17\r\nG94\r\nG90\r\n"
              "M3 S1000\r\nG1 X10.000 Y0.000 F12000.000\r\n"
              "G0 X20.000 Y0.000\r\nG1 X30.000 Y0.000\r\n"
              "M3 S500\r\nG1 X40.000 Y0.000\r\n"
              "M5\r\nG0 X0.000 Y0.000\r\nM2\r\n");  // off before the return travel

    for (Vect* v : lintrel::ring(drawing.get()->vects)) {
        v->liftHeight = 5;
        v->workHeight = -1;
    }
    settings.presets[0].useZ = true;
    const std::string plunging = gcode(drawing.get(), settings);
    EXPECT_NE(plunging.find("G0 X0.000 Y0.000 Z5.000\r\nM3 S1000\r\nG0 X0.000 Y0.000 Z-1.000\r\n"),
              std::string::npos)
        << plunging;  // the spindle turns before it plunges
}

TEST(OutputProfile, ArcsKeptWithoutKOrFlattened) {
    Vect* ring = circle(20, 20, 5);
    ring->liftHeight = 10;
    ring->workHeight = 1;
    ChainOwner<VectGroup> drawing(groupOf({ring}));
    ProcessSettings settings = inProfile("linuxcnc");
    settings.presets[0].useZ = true;
    EXPECT_EQ(gcode(drawing.get(), settings),
              "G21\r\nG17\r\nG94\r\nG64 P0.0500\r\nG90\r\n"
              "G0 X0.0000 Y0.0000 Z10.0000\r\nG0 X25.0000 Y20.0000 Z10.0000\r\n"
              "G0 X25.0000 Y20.0000 Z1.0000\r\nM3 S1000\r\n"
              "G3 X25.0000 Y20.0000 I-5.0000 J0.0000 F12000.0000\r\nM5\r\nM2\r\n");

    settings.presets[0].moveType = 1;  // relative: X and Y held by zeros, not U and V
    const std::string relative = gcode(drawing.get(), settings);
    EXPECT_EQ(relative.find(" U"), std::string::npos) << relative;
    EXPECT_EQ(relative.find(" K"), std::string::npos) << relative;

    settings = inProfile("marlin");
    const std::string marlin = gcode(drawing.get(), settings);
    EXPECT_EQ(marlin.find("G3"), std::string::npos);
    EXPECT_GT(std::count(marlin.begin(), marlin.end(), '\n'), 20);  // the flattened chain
}

TEST(OutputProfile, DefaultRowWritesTheFormPathloomAlwaysWrote) {
    ChainOwner<VectGroup> drawing(groupOf({polyline({{1, 0}, {10, 0}})}));
    ProcessSettings settings = inProfile("default");
    settings.presets[0].laserPower = 10;  // no tool words in the default form
    EXPECT_EQ(gcode(drawing.get(), settings),
              "G90\r\nG00 X1.0000 Y0.0000\r\nG01 X10.0000 Y0.0000 F200.0000\r\n");
    // Its actions switch the tool, so the pierce delay follows them where each cut starts.
    settings.presets[0].pierceDelay = 1.5;
    EXPECT_EQ(gcode(drawing.get(), settings),
              "G90\r\nG00 X1.0000 Y0.0000\r\nG04 P1.5\r\nG01 X10.0000 Y0.0000 F200.0000\r\n");
}

TEST(OutputProfile, TemplatesFrameTheProgramWithTheDrawingsFigures) {
    ChainOwner<VectGroup> drawing(groupOf({polyline({{0, 0}, {60, 0}, {60, 30}})}));
    ProcessSettings settings = inProfile("mach");
    settings.machine.programHeaders[4] = "(job {name} {date})\r\n(size {extent}, {time})";
    settings.machine.programFooters[4] = "(travel {travel}) {unknown}";
    settings.machine.programHeaders[2] = "(not this profile's)";
    const WriteResult result =
        writeProgram(drawing.get(), settings, nullptr, {"part.dxf", "2026-12-08"});
    const std::string& text = result.program.text;
    // 90 mm at 200 mm/s and the 67 mm back to the origin at 500 mm/s.
    EXPECT_EQ(text.substr(0, text.find("G21")),
              "(job part.dxf 2026-12-08)\r\n(size 60.000 x 30.000 mm, 0:00:01)\r\n");
    EXPECT_NE(text.find("M05\r\n(travel 67.1 mm) {unknown}\r\nM30\r\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("not this"), std::string::npos);
    // The line map counts the template's lines.
    EXPECT_EQ(result.program.lineMap[0], 6);
}
