// Machine parameters and the 20 process presets that code generation, simulation and the
// document pipeline read. Defaults are those a new installation starts with.
#pragma once

#include <array>
#include <string>

#include <lintrel/lintrel.h>

namespace pathloom {

// The G-code output profiles (see core/codegen/output_profile.h), each with its own templates.
inline constexpr int kOutputProfileCount = 6;
using ProfileTexts = std::array<std::string, kOutputProfileCount>;

struct MachineParameters {
    int xAxis = 0;
    int yAxis = 1;
    double emptySpeed = 500.0;
    double emptyAccel = 1000.0;
    double emptyDecel = 1000.0;
    double moveAccel = 1000.0;
    double moveDecel = 1000.0;
    int codeType = 0;  // 0 Basic, otherwise G-code
    std::string processFilename = "KORVEL.kvp";
    bool returnFirstPos = true;
    int outputProfile = 0;  // the G-code form: an index into outputProfiles(), 0 the default form
    // Lines written at the program's start and before its end in each profile, with the
    // placeholders of programTemplate(); empty for none.
    ProfileTexts programHeaders{};
    ProfileTexts programFooters{};

    bool operator==(const MachineParameters&) const = default;
};

struct ProcessPreset {
    bool useZ = false;
    int zAxis = 3;
    bool dotLift = false;
    double workHeight = 1.0;
    double upliftHeight = 10.0;
    bool useR = false;
    int rAxis = 4;
    double refAccuracy = 0.05;
    double speed = 200.0;
    int moveType = 0;  // 0 absolute, otherwise relative
    bool circToSeg = false;
    // Texts may hold several lines, separated by CR LF.
    std::string beforeProcessing;
    std::string afterProcessing;
    std::string startAction;
    std::string endAction;
    double laserPower = 100.0;  // percent of the output profile's S maximum
    double pierceDelay = 0.0;   // seconds of dwell after the tool is switched on
    // Cutting: kerf compensation, leads, overcut, start point and direction of closed shapes.
    // Every default leaves the program as drawn. The codes are those of the library's records.
    double kerfWidth = 0.0;   // mm; the path runs half of it off the shape
    int kerfSide = 0;         // 0 none, 1 by containment depth, 2 outside, 3 inside
    int kerfCorners = 0;      // 0 round, 1 mitred
    double mitreLimit = 2.0;  // the longest mitre, in multiples of half the kerf
    int leadType = 0;         // 0 none, 1 line, 2 arc (lead-in and lead-out alike)
    double leadLength = 2.0;  // mm: a line's length or an arc's radius
    double leadAngle = 90.0;  // degrees: a line's angle to the path or an arc's sweep
    double overcut = 0.0;     // mm of the path cut again past its start
    int startPoint = 0;       // 0 as drawn, 1 nearest the previous end, 2 sharpest corner
    int cutDirection = 0;     // 0 as drawn, 1 outer shapes clockwise and holes counter-clockwise,
                              // 2 the reverse

    bool relative() const { return moveType != 0; }
    // The travel height of a vect: the uplift height when Z lifts between cuts, else the cut
    // runs and travels at the work height.
    double liftHeight() const { return dotLift ? upliftHeight : workHeight; }
    // True when the preset changes the path its shapes are cut along.
    bool shapesCuts() const {
        return (kerfSide != 0 && kerfWidth > 0) || (leadType != 0 && leadLength > 0) ||
               overcut > 0 || startPoint != 0 || cutDirection != 0;
    }

    bool operator==(const ProcessPreset&) const = default;
};

inline constexpr int kPresetCount = 20;
using PresetTable = std::array<ProcessPreset, kPresetCount>;

// Index into the preset table for a group number. Only numbers 1 to 20 have a preset; any other
// number uses preset 1, so that the table is never read outside its records.
inline int presetIndex(int groupNumber) {
    return groupNumber >= 1 && groupNumber <= kPresetCount ? groupNumber - 1 : 0;
}
inline const ProcessPreset& presetFor(const PresetTable& presets, const VectGroup& group) {
    return presets[static_cast<size_t>(presetIndex(group.number))];
}

// Everything the program writers read besides the drawing.
struct ProcessSettings {
    MachineParameters machine;
    PresetTable presets{};

    bool operator==(const ProcessSettings&) const = default;
};

}  // namespace pathloom
