// Process presets meet the drawing: the values a vect takes from its group's preset, the OK step
// of the process parameters dialog that pushes only the changed fields into the vects, the
// preset selector's entries, and the before/after actions of the selected vects.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include <lintrel/lintrel.h>

#include "core/presets/actions.h"
#include "core/presets/process.h"

namespace pathloom {

// What the dialog changed in one preset.
struct PresetChange {
    bool speed = false;       // by more than 0.0001
    bool workHeight = false;  // by more than 0.0001
    bool lift = false;        // uplift height by more than 0.0001, or the lift flag
    bool before = false;      // texts compared without regard to case
    bool after = false;
    bool startAction = false;
    bool endAction = false;

    bool operator==(const PresetChange&) const = default;
};
using PresetChanges = std::array<PresetChange, kPresetCount>;

PresetChanges comparePresets(const PresetTable& current, const PresetTable& edited);

// Replaces a vect's action text with a copy of `text` on the library's heap (an empty text gives
// an empty string, not null).
void setVectText(char*& slot, std::string_view text);

// Gives every vect its group preset's values, as after an import: texts only when the preset's
// text is not empty, speed, travel height and work height always.
void assignPresets(VectGroup* groups, const PresetTable& presets);

// The OK step: compares `edited` with `current`, stores it as the current values, and pushes the
// changed fields into every vect (work heights always). Returns what changed.
PresetChanges acceptProcessEdit(ProcessSettings& current, const ProcessSettings& edited,
                                VectGroup* groups);

// Entries of the preset selector: "工艺n" for every group in chain order, or just "工艺1".
std::vector<std::string> presetSelectorEntries(const VectGroup* groups);
// The preset number of a selector entry (the text after "工艺"); 0 when there is none.
int presetNumberOfEntry(std::string_view entry);

// Which entry of the before/after lists a vect's text selects.
struct ActionChoice {
    enum Kind { None, Custom, Listed } kind = None;
    int index = -1;  // the action, for Listed
    bool operator==(const ActionChoice&) const = default;
};
ActionChoice actionChoiceFor(const char* text, const ActionList& actions);

// The OK step of the before/after dialog: every selected vect gets copies of the two texts; an
// empty text leaves the vect without that action.
void setSelectedActions(VectGroup* groups, std::string_view before, std::string_view after);

}  // namespace pathloom
