// Rules that keep what the operator types storable in the settings file: action names and texts
// that would come back split or changed, and text properties the file cannot carry as typed.
#pragma once

#include <optional>
#include <string_view>

#include "core/presets/actions.h"
#include "core/text/texts.h"

namespace pathloom {

// Why the action editor refuses an action, or nothing when the settings file keeps it as it is:
// a name that is empty, holds "=" or a line break, or loses its surrounding blanks; a text that
// holds "&" (the file's line-break mark); an entry longer than the file keeps.
std::optional<Text> actionProblem(const Action& action);

// True when a value written under a key of the settings file reads back unchanged (the file trims
// values, drops surrounding quotes and cannot hold line breaks).
bool survivesProfile(std::string_view stored);

// True when a preset text (line breaks stored as \r\n) reads back as it is.
bool presetTextStorable(std::string_view text);

}  // namespace pathloom
