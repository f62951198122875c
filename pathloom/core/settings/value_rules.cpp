// Checking a value against its rule and the words of a refusal.
#include "core/settings/value_rules.h"

#include <cmath>
#include <cstdio>

#include "core/dialogs/number_input.h"

namespace pathloom {

bool ValueRule::allows(double value) const {
    if (!std::isfinite(value)) return false;
    if (whole && std::trunc(value) != value) return false;
    if (aboveLow ? !(value > low) : !(value >= low)) return false;
    return value <= high;
}

std::optional<double> allowedValue(const ValueRule& rule, std::string_view text) {
    const std::optional<double> value = parseNumber(text);
    if (!value || !rule.allows(*value)) return std::nullopt;
    return value;
}

std::string filledText(
    std::string_view pattern,
    std::initializer_list<std::pair<std::string_view, std::string_view>> values) {
    std::string out;
    while (!pattern.empty()) {
        bool replaced = false;
        for (const auto& [mark, value] : values) {
            if (!pattern.starts_with(mark)) continue;
            out += value;
            pattern.remove_prefix(mark.size());
            replaced = true;
            break;
        }
        if (replaced) continue;
        out += pattern.front();
        pattern.remove_prefix(1);
    }
    return out;
}

std::string numberText(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

std::string allowedText(const ValueRule& rule) {
    return filledText(
        text(rule.limits),
        {{"%lo", numberText(rule.low)}, {"%hi", numberText(rule.high)}, {"%unit", rule.unit}});
}

std::string refusalText(const ValueRule& rule, std::string_view value, std::string_view subject) {
    const Text pattern = subject.empty() ? Text::ValueRefusedUnnamed : Text::ValueRefused;
    return filledText(
        text(pattern),
        {{"%1", subject}, {"%2", value}, {"%3", text(rule.noun)}, {"%4", allowedText(rule)}});
}

}  // namespace pathloom
