// The header and footer templates of the G-code output profiles: the operator's own lines with
// placeholders for the drawing's name, the date, its extent, the estimated time and the tool-up
// travel, filled when a program is written.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "core/codegen/program.h"
#include "core/text/texts.h"

namespace pathloom {

// A placeholder the templates may hold and what it becomes, for the template editor's list.
struct TemplatePlaceholder {
    const char* name;  // "{name}"
    Text meaning;      // "the drawing's name"
};
// Every placeholder, in the order programTemplate() fills them.
std::span<const TemplatePlaceholder> templatePlaceholders();

// `pattern` with {name}, {date}, {extent} ("W x H mm"), {time} ("H:MM:SS", cutting and travel
// at constant speeds) and {travel} ("N.N mm") filled for `groups`; any other text stays.
std::string programTemplate(std::string_view pattern, VectGroup* groups,
                            const MachineParameters& machine, const ProgramInfo& info);

}  // namespace pathloom
