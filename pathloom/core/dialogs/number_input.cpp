// Parsing and formatting of dialog numbers.
#include "core/dialogs/number_input.h"

#include <cerrno>
#include <cfloat>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "core/codegen/number_format.h"

namespace pathloom {
namespace {

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

}  // namespace

std::optional<double> parseNumber(std::string_view text) {
    text = trimmed(text);
    if (text.empty()) return std::nullopt;
    // from_chars takes no leading '+', which operators type.
    if (text.front() == '+') {
        text.remove_prefix(1);
        if (text.empty() || text.front() == '-') return std::nullopt;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

int orderPosition(double value) {
    if (!(value >= 1)) return 0;
    if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
    return static_cast<int>(value);
}

bool scaleFitsFloat(double factor) {
    return std::isfinite(factor) && std::fabs(factor) <= FLT_MAX;
}

std::string fourDecimals(double value) {
    return fixedText(value, 4);
}

std::string shortestNumber(double value) {
    return shortestText(value);
}

std::string dialogNumber(double value) {
    std::string four = fixedText(value, 4);
    const std::optional<double> back = parseNumber(four);
    return back && *back == value ? four : shortestText(value);
}

double roundedToFourDecimals(double value) {
    return std::floor(value * 10000 + 0.5) / 10000;
}

}  // namespace pathloom
