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

// The dialog's properties, numbered as the dialog has always numbered them (its editors are
// named "property<number>"); some belong to the machine or the connection, the others to the
// preset being edited.
enum class ProcessProperty : int {
    XAxis = 1,
    YAxis = 2,
    TravelSpeed = 3,
    TravelAcceleration = 4,
    TravelDeceleration = 5,
    WorkAcceleration = 6,
    WorkDeceleration = 7,
    UseZ = 8,
    ZAxis = 9,
    LiftWhileWorking = 10,
    WorkHeight = 11,
    LiftHeight = 12,
    UseR = 13,
    RAxis = 14,
    ReferencePrecision = 15,
    WorkSpeed = 16,
    MoveType = 17,
    ArcsToSegments = 18,
    ActionBefore = 19,
    ActionAfter = 20,
    CodeType = 21,
    AutoConnect = 22,
    AutoConnectAddress = 23,
    ProcessFileName = 24,
    StartAction = 25,
    EndAction = 26,
    ReturnToStart = 27,
    OutputProfile = 28,
    // The tool and the cutting options of the preset.
    LaserPower = 29,
    PierceDelay = 30,
    KerfWidth = 31,
    KerfSide = 32,
    KerfCorners = 33,
    MitreLimit = 34,
    LeadType = 35,
    LeadLength = 36,
    LeadAngle = 37,
    Overcut = 38,
    StartPoint = 39,
    CutDirection = 40,
};

// A property's kind, or nothing for a number that names no property.
std::optional<PropertyKind> propertyKind(ProcessProperty property);

struct ProcessEdit {
    ProcessSettings process;
    ConnectionSettings connection;

    bool operator==(const ProcessEdit&) const = default;
};

// The shown value of `property` for the preset with number `preset` (1 to 20; any other
// number uses preset 1, as the apply step does).
std::string propertyValue(const ProcessEdit& edit, int preset, ProcessProperty property);

// The unit of a number property as its key's rule gives it ("mm/s"); empty for the others.
std::string_view propertyUnit(const ProcessEdit& edit, ProcessProperty property);

// Stores a shown value. Nothing is changed and the reason is returned, in the current language,
// when the value is not of the property's kind, its key's rule refuses it ("-100 is not a speed;
// a speed is a number above 0 in mm/s") or the settings file could not keep it.
std::optional<std::string> setPropertyValue(ProcessEdit& edit, int preset, ProcessProperty property,
                                            std::string_view shown);

}  // namespace pathloom
