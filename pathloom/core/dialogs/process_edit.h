// The process parameters dialog without its window: the copy of the machine parameters, the
// connection and the 20 presets it edits, each property's value as the list shows it, and the
// rules that turn an edited value back into a setting.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/settings/settings.h"
#include "core/text/texts.h"

namespace pathloom {

// How a property is edited; its value is shown and entered as text.
enum class PropertyKind {
    Axis,      // an axis number: a whole number below the axis limit
    Number,    // a finite number
    Flag,      // "True" / "False"
    Choice,    // index of an entry of a fixed list: "0", "1"
    Text,      // one line
    LinesText  // several lines, each break shown as the four characters \r\n
};

// Property identifiers 1 to 28; their kind, or nothing for an unknown identifier.
std::optional<PropertyKind> propertyKind(int id);

struct ProcessEdit {
    ProcessSettings process;
    ConnectionSettings connection;

    bool operator==(const ProcessEdit&) const = default;
};

// The shown value of property `id` for the preset with number `preset` (1 to 20; any other
// number uses preset 1, as the apply step does).
std::string propertyValue(const ProcessEdit& edit, int preset, int id);

// Stores a shown value. Nothing is changed and the reason is returned, in the current language,
// when the value is not of the property's kind, its key's rule refuses it ("-100 is not a speed;
// a speed is a number above 0 in mm/s") or the settings file could not keep it.
std::optional<std::string> setPropertyValue(ProcessEdit& edit, int preset, int id,
                                            std::string_view shown);

}  // namespace pathloom
