// The G-code output profiles: how each kind of controller wants the tool switched, the modal
// words of its header, its motion words, number format, dwell unit and program end. Each
// profile is one row of data that the G-code writer reads; the writer has no case per profile.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/presets/process.h"

#include "core/text/texts.h"

namespace pathloom {

// When the tool is switched on and off.
enum class ToolSwitching {
    None,          // never: the presets' Z heights and actions do it
    EachCut,       // on before each cut, off after it, so every travel runs with the tool off
    WholeProgram,  // on once before the first cut (a spindle or a drag knife), off at the end
};

struct OutputProfile {
    const char* name;  // as the command line takes it
    Text title;
    // Motion words: rapid, line, clockwise and counter-clockwise arc.
    const char* rapid;
    const char* feed;
    const char* clockwise;
    const char* counterClockwise;
    int decimals;  // of every coordinate and feed
    bool arcs;     // false: arcs are written as lines at the preset's curve precision
    // The arc words of a Z preset: Z and K on every arc line, as the default form has them;
    // controllers that refuse K in the XY plane get neither.
    bool arcZK;
    // The words that hold X and Y still in a relative Z move.
    const char* relativeHold;
    bool modalFeed;  // F only when it changes
    // F per mm/s of the presets' speeds: 1 for the default form, 60 where G94 means mm/min.
    double feedPerSecond;
    const char* header;  // lines before the first move; "{precision}" is the first preset's
    ToolSwitching toolSwitching;
    const char* toolOn;  // followed by the S value when `powerMax` > 0
    const char* toolOff;
    int powerMax;            // the S maximum that 100 % power means; 0: no S word
    double dwellPerSecond;   // G4 P units per second: 1 for seconds, 1000 for milliseconds
    const char* dwell;       // the dwell word
    const char* programEnd;  // the last line, empty for none
};

// Every profile; index 0 is the form Pathloom has always written.
using OutputProfileTable = std::array<OutputProfile, kOutputProfileCount>;
const OutputProfileTable& outputProfiles();
// The profile a setting names; an index outside the table gives the default profile.
const OutputProfile& outputProfile(int index);
// The index of the profile with this command-line name (case does not matter).
std::optional<int> outputProfileIndex(std::string_view name);
// "default, linuxcnc, ..." for help and error texts.
std::string outputProfileNames();

}  // namespace pathloom
