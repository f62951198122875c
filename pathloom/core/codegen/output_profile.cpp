// The rows of the output profiles. S maxima are the controllers' stock settings (GRBL's $30,
// Marlin's fan PWM); dwell units are those each controller's G4 P reads.
#include "core/codegen/output_profile.h"

#include <string>

#include "core/presets/actions.h"

namespace pathloom {

const OutputProfileTable& outputProfiles() {
    static const OutputProfileTable profiles = {{
        {"default", Text::ProfileDefault,
         "G00",     "G01",
         "G02",     "G03",
         4,         true,
         true,      "U0.0 V0.0 W",
         false,     1,
         "",        ToolSwitching::None,
         "",        "",
         0,         1,
         "G04",     ""},
        {"linuxcnc",
         Text::ProfileLinuxCnc,
         "G0",
         "G1",
         "G2",
         "G3",
         4,
         true,
         false,
         "X0 Y0 Z",
         true,
         60,
         "G21\nG17\nG94\nG64 P{precision}",
         ToolSwitching::EachCut,
         "M3 S",
         "M5",
         1000,
         1,
         "G4",
         "M2"},
        {"grbl-laser",
         Text::ProfileGrblLaser,
         "G0",
         "G1",
         "G2",
         "G3",
         3,
         true,
         false,
         "X0 Y0 Z",
         true,
         60,
         "G21\nG17\nG94",
         ToolSwitching::EachCut,
         "M4 S",
         "M5",
         1000,
         1,
         "G4",
         "M2"},
        {"grbl-spindle",
         Text::ProfileGrblSpindle,
         "G0",
         "G1",
         "G2",
         "G3",
         3,
         true,
         false,
         "X0 Y0 Z",
         true,
         60,
         "G21\nG17\nG94",
         ToolSwitching::WholeProgram,
         "M3 S",
         "M5",
         1000,
         1,
         "G4",
         "M2"},
        {"mach",
         Text::ProfileMach,
         "G00",
         "G01",
         "G02",
         "G03",
         4,
         true,
         false,
         "X0 Y0 Z",
         true,
         60,
         "G21\nG17\nG94",
         ToolSwitching::EachCut,
         "M03",
         "M05",
         0,
         1,
         "G4",
         "M30"},
        // Marlin streams its lines and knows no program end: M2 and M30 are unknown commands to
        // it. M84 releases the motors as a print's end code does. Arcs and G20/G21 need build
        // options many machines lack, so arcs are flattened and the header is empty (Marlin
        // works in millimetres).
        {"marlin", Text::ProfileMarlin,
         "G0",     "G1",
         "G2",     "G3",
         3,        false,
         false,    "X0 Y0 Z",
         true,     60,
         "",       ToolSwitching::EachCut,
         "M106 S", "M107",
         255,      1000,
         "G4",     "M84"},
    }};
    return profiles;
}

const OutputProfile& outputProfile(int index) {
    const OutputProfileTable& profiles = outputProfiles();
    const bool inTable = index >= 0 && static_cast<size_t>(index) < profiles.size();
    return profiles[inTable ? static_cast<size_t>(index) : 0];
}

std::optional<int> outputProfileIndex(std::string_view name) {
    const OutputProfileTable& profiles = outputProfiles();
    for (size_t i = 0; i < profiles.size(); ++i)
        if (sameTextIgnoringCase(profiles[i].name, name)) return static_cast<int>(i);
    return std::nullopt;
}

std::string outputProfileNames() {
    std::string names;
    for (const OutputProfile& profile : outputProfiles())
        names += (names.empty() ? "" : ", ") + std::string(profile.name);
    return names;
}

}  // namespace pathloom
