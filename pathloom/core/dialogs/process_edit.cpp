// Property values of the process parameters dialog.
#include "core/dialogs/process_edit.h"

#include <algorithm>
#include <type_traits>
#include <variant>

#include "core/dialogs/number_input.h"
#include "core/dialogs/stored_values.h"
#include "core/presets/stored_text.h"

namespace pathloom {
namespace {

// An index into a fixed list of `count` entries.
struct ChoiceRef {
    int* value;
    int count = 2;
};
struct LinesRef {
    std::string* value;
};
using FieldRef = std::variant<int*, double*, bool*, ChoiceRef, std::string*, LinesRef>;

ProcessPreset& presetOf(ProcessEdit& edit, int preset) {
    return edit.process.presets[static_cast<size_t>(presetIndex(preset))];
}

std::optional<FieldRef> machineField(ProcessEdit& edit, ProcessProperty property) {
    MachineParameters& m = edit.process.machine;
    switch (property) {
        case ProcessProperty::XAxis:
            return &m.xAxis;
        case ProcessProperty::YAxis:
            return &m.yAxis;
        case ProcessProperty::TravelSpeed:
            return &m.emptySpeed;
        case ProcessProperty::TravelAcceleration:
            return &m.emptyAccel;
        case ProcessProperty::TravelDeceleration:
            return &m.emptyDecel;
        case ProcessProperty::WorkAcceleration:
            return &m.moveAccel;
        case ProcessProperty::WorkDeceleration:
            return &m.moveDecel;
        case ProcessProperty::CodeType:
            return ChoiceRef{&m.codeType};
        case ProcessProperty::AutoConnect:
            return &edit.connection.autoConnect;
        case ProcessProperty::AutoConnectAddress:
            return &edit.connection.autoIp;
        case ProcessProperty::ProcessFileName:
            return &m.processFilename;
        case ProcessProperty::ReturnToStart:
            return &m.returnFirstPos;
        case ProcessProperty::OutputProfile:
            return ChoiceRef{&m.outputProfile, kOutputProfileCount};
        default:
            return std::nullopt;
    }
}

std::optional<FieldRef> presetField(ProcessPreset& p, ProcessProperty property) {
    switch (property) {
        case ProcessProperty::UseZ:
            return &p.useZ;
        case ProcessProperty::ZAxis:
            return &p.zAxis;
        case ProcessProperty::LiftWhileWorking:
            return &p.dotLift;
        case ProcessProperty::WorkHeight:
            return &p.workHeight;
        case ProcessProperty::LiftHeight:
            return &p.upliftHeight;
        case ProcessProperty::UseR:
            return &p.useR;
        case ProcessProperty::RAxis:
            return &p.rAxis;
        case ProcessProperty::ReferencePrecision:
            return &p.refAccuracy;
        case ProcessProperty::WorkSpeed:
            return &p.speed;
        case ProcessProperty::MoveType:
            return ChoiceRef{&p.moveType};
        case ProcessProperty::ArcsToSegments:
            return &p.circToSeg;
        case ProcessProperty::ActionBefore:
            return LinesRef{&p.beforeProcessing};
        case ProcessProperty::ActionAfter:
            return LinesRef{&p.afterProcessing};
        case ProcessProperty::StartAction:
            return LinesRef{&p.startAction};
        case ProcessProperty::EndAction:
            return LinesRef{&p.endAction};
        case ProcessProperty::LaserPower:
            return &p.laserPower;
        case ProcessProperty::PierceDelay:
            return &p.pierceDelay;
        case ProcessProperty::KerfWidth:
            return &p.kerfWidth;
        case ProcessProperty::KerfSide:
            return ChoiceRef{&p.kerfSide, 4};
        case ProcessProperty::KerfCorners:
            return ChoiceRef{&p.kerfCorners};
        case ProcessProperty::MitreLimit:
            return &p.mitreLimit;
        case ProcessProperty::LeadType:
            return ChoiceRef{&p.leadType, 3};
        case ProcessProperty::LeadLength:
            return &p.leadLength;
        case ProcessProperty::LeadAngle:
            return &p.leadAngle;
        case ProcessProperty::Overcut:
            return &p.overcut;
        case ProcessProperty::StartPoint:
            return ChoiceRef{&p.startPoint, 3};
        case ProcessProperty::CutDirection:
            return ChoiceRef{&p.cutDirection, 3};
        default:
            return std::nullopt;
    }
}

std::optional<FieldRef> fieldOf(ProcessEdit& edit, int preset, ProcessProperty property) {
    if (auto field = machineField(edit, property)) return field;
    return presetField(presetOf(edit, preset), property);
}

template <class... F>
struct Overload : F... {
    using F::operator()...;
};

// Line breaks shown as the four characters \r\n, as the list shows them on one line.
std::string shownLines(const std::string& text) {
    return encodePresetText(text);
}

}  // namespace

std::optional<PropertyKind> propertyKind(ProcessProperty property) {
    ProcessEdit probe;
    const std::optional<FieldRef> field = fieldOf(probe, 1, property);
    if (!field) return std::nullopt;
    return std::visit(Overload{[](int*) { return PropertyKind::Axis; },
                               [](double*) { return PropertyKind::Number; },
                               [](bool*) { return PropertyKind::Flag; },
                               [](ChoiceRef) { return PropertyKind::Choice; },
                               [](std::string*) { return PropertyKind::Text; },
                               [](LinesRef) { return PropertyKind::LinesText; }},
                      *field);
}

std::string propertyValue(const ProcessEdit& edit, int preset, ProcessProperty property) {
    const std::optional<FieldRef> field = fieldOf(const_cast<ProcessEdit&>(edit), preset, property);
    if (!field) return {};
    return std::visit(
        Overload{
            [](int* v) { return std::to_string(*v); }, [](double* v) { return dialogNumber(*v); },
            [](bool* v) { return std::string(*v ? "True" : "False"); },
            [](ChoiceRef c) { return std::to_string(std::clamp(*c.value, 0, c.count - 1)); },
            [](std::string* v) { return *v; }, [](LinesRef l) { return shownLines(*l.value); }},
        *field);
}

std::string_view propertyUnit(const ProcessEdit& edit, ProcessProperty property) {
    const std::optional<FieldRef> field = fieldOf(const_cast<ProcessEdit&>(edit), 1, property);
    if (!field) return {};
    const auto unitOf = [&](const void* value) -> std::string_view {
        const ValueRule* rule = ruleOfField(edit.process, value);
        return rule ? rule->unit : "";
    };
    return std::visit(
        Overload{[&](double* v) { return unitOf(v); }, [](auto&&) { return std::string_view(); }},
        *field);
}

std::optional<std::string> setPropertyValue(ProcessEdit& edit, int preset, ProcessProperty property,
                                            std::string_view shown) {
    const std::optional<FieldRef> field = fieldOf(edit, preset, property);
    const auto refusal = [](Text reason) { return std::optional<std::string>(text(reason)); };
    if (!field) return refusal(Text::BadParameter);
    const std::optional<double> number = parseNumber(shown);
    // Numbers follow the rule of their key in the settings file.
    const auto storeNumber = [&](auto* value) -> std::optional<std::string> {
        if (!number) return refusal(Text::NotANumber);
        const ValueRule* rule = ruleOfField(edit.process, value);
        if (rule && !rule->allows(*number)) return refusalText(*rule, shown);
        *value = static_cast<std::remove_pointer_t<decltype(value)>>(*number);
        return std::nullopt;
    };
    return std::visit(
        Overload{[&](int* v) { return storeNumber(v); }, [&](double* v) { return storeNumber(v); },
                 [&](bool* v) -> std::optional<std::string> {
                     if (shown != "True" && shown != "False") return refusal(Text::BadParameter);
                     *v = shown == "True";
                     return std::nullopt;
                 },
                 [&](ChoiceRef c) -> std::optional<std::string> {
                     const bool listed = shown.size() == 1 && shown[0] >= '0' &&
                                         shown[0] < static_cast<char>('0' + c.count);
                     if (!listed) return refusal(Text::BadParameter);
                     *c.value = shown[0] - '0';
                     return std::nullopt;
                 },
                 [&](std::string* v) -> std::optional<std::string> {
                     if (!survivesProfile(shown)) return refusal(Text::TextNotStorable);
                     *v = shown;
                     return std::nullopt;
                 },
                 [&](LinesRef l) -> std::optional<std::string> {
                     const std::string text = decodePresetText(shown);
                     if (!presetTextStorable(text)) return refusal(Text::TextNotStorable);
                     *l.value = text;
                     return std::nullopt;
                 }},
        *field);
}

}  // namespace pathloom
