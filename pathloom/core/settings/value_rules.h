// The kinds of value the settings take (a speed, an axis number, a sort order...): the limits
// of each kind, its unit, and the words that refuse a value outside them. The settings file,
// the converter's --set and the dialogs check values with these same objects.
#pragma once

#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "core/text/texts.h"

namespace pathloom {

struct ValueRule {
    bool whole;        // only whole numbers
    double low;        // the smallest value, or the bound above which values lie
    bool aboveLow;     // `low` itself is refused
    double high;       // the largest value
    const char* unit;  // empty when the value has none
    Text noun;         // "a speed"
    Text limits;       // "a speed is a number above %lo in %unit"

    bool allows(double value) const;
};

// The largest axis count a controller reports while none is connected; axis numbers lie below.
inline constexpr int kAxisLimit = 64;

namespace rules {
inline constexpr double kNoLimit = std::numeric_limits<double>::max();

inline constexpr ValueRule kSpeed{
    false, 0, true, kNoLimit, "mm/s", Text::RuleSpeed, Text::RuleSpeedAllows};
inline constexpr ValueRule kAcceleration{
    false, 0, true, kNoLimit, "mm/s²", Text::RuleAcceleration, Text::RuleAccelerationAllows};
inline constexpr ValueRule kDeceleration{
    false, 0, true, kNoLimit, "mm/s²", Text::RuleDeceleration, Text::RuleDecelerationAllows};
inline constexpr ValueRule kAxis{
    true, 0, false, kAxisLimit - 1, "", Text::RuleAxis, Text::RuleAxisAllows};
// Heights, sizes and precisions: far beyond any machine, yet small enough that the library's
// single-precision geometry and the programs' fixed decimals stay meaningful.
inline constexpr ValueRule kHeight{
    false, -100000, false, 100000, "mm", Text::RuleHeight, Text::RuleHeightAllows};
inline constexpr ValueRule kPrecision{
    false, 0, true, 1000, "mm", Text::RulePrecision, Text::RulePrecisionAllows};
inline constexpr ValueRule kSize{
    false, 0, false, 100000, "mm", Text::RuleSize, Text::RuleSizeAllows};
inline constexpr ValueRule kPlotterUnits{
    false, 1, false, 100000, "", Text::RulePlotterUnits, Text::RulePlotterUnitsAllows};
inline constexpr ValueRule kSortOrder{
    true, 0, false, 8, "", Text::RuleSortOrder, Text::RuleSortOrderAllows};
inline constexpr ValueRule kCodeType{
    true, 0, false, 1, "", Text::RuleCodeType, Text::RuleCodeTypeAllows};
inline constexpr ValueRule kMoveType{
    true, 0, false, 1, "", Text::RuleMoveType, Text::RuleMoveTypeAllows};
inline constexpr ValueRule kSwitch{true, 0, false, 1, "", Text::RuleSwitch, Text::RuleSwitchAllows};
inline constexpr ValueRule kSimulationSpeed{
    true, 1, false, 1000, "", Text::RuleSimulationSpeed, Text::RuleSimulationSpeedAllows};
inline constexpr ValueRule kPanelWidth{
    true, 0, false, 10000, "px", Text::RulePanelWidth, Text::RulePanelWidthAllows};
inline constexpr ValueRule kOutputProfile{
    true, 0, false, 5, "", Text::RuleOutputProfile, Text::RuleOutputProfileAllows};
inline constexpr ValueRule kPercent{
    false, 0, false, 100, "", Text::RulePercent, Text::RulePercentAllows};
inline constexpr ValueRule kDelay{
    false, 0, false, 3600, "s", Text::RuleDelay, Text::RuleDelayAllows};
inline constexpr ValueRule kKerfSide{
    true, 0, false, 3, "", Text::RuleKerfSide, Text::RuleKerfSideAllows};
inline constexpr ValueRule kCorners{
    true, 0, false, 1, "", Text::RuleCorners, Text::RuleCornersAllows};
inline constexpr ValueRule kMitreLimit{
    false, 1, false, 100, "", Text::RuleMitreLimit, Text::RuleMitreLimitAllows};
inline constexpr ValueRule kLeadType{
    true, 0, false, 2, "", Text::RuleLeadType, Text::RuleLeadTypeAllows};
inline constexpr ValueRule kLeadAngle{
    false, 0, true, 180, "°", Text::RuleLeadAngle, Text::RuleLeadAngleAllows};
inline constexpr ValueRule kStartPoint{
    true, 0, false, 2, "", Text::RuleStartPoint, Text::RuleStartPointAllows};
inline constexpr ValueRule kCutDirection{
    true, 0, false, 2, "", Text::RuleCutDirection, Text::RuleCutDirectionAllows};
}  // namespace rules

// The number `text` holds when it is one the rule allows: decimal or exponent notation,
// surrounding blanks allowed, nothing else.
std::optional<double> allowedValue(const ValueRule& rule, std::string_view text);

// A number as the messages show it: up to 15 significant digits, no exponent below 1e15.
std::string numberText(double value);

// What the rule allows, in the current language: "a speed is a number above 0 in mm/s".
std::string allowedText(const ValueRule& rule);
// The refusal of `value`: "Speed1: -5 is not a speed; a speed is a number above 0 in mm/s".
// Without a subject (the dialogs, whose field says what it is) it starts at the value.
std::string refusalText(const ValueRule& rule, std::string_view value,
                        std::string_view subject = {});

// Replaces each placeholder ("%1", "%lo") of `pattern` by its value.
std::string filledText(std::string_view pattern,
                       std::initializer_list<std::pair<std::string_view, std::string_view>> values);

}  // namespace pathloom
