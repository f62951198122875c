// Small text helpers shared by the two language readers.
#pragma once

#include <cctype>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnix::interp {

inline std::string_view trim(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
        text.remove_prefix(1);
    }
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
        text.remove_suffix(1);
    }
    return text;
}

// A finite decimal number filling the whole text ("12", "-0.5000", "+3", ".5").
inline std::optional<double> parseNumber(std::string_view text) {
    text = trim(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

inline std::string upperCase(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return result;
}

inline bool identifierStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}

// Operators' action texts start with a command word, possibly in their own language: a letter,
// an underscore, '?' (the controller's print shorthand) or any non-ASCII character.
inline bool actionStart(char c) {
    return identifierStart(c) || c == '?' || static_cast<unsigned char>(c) >= 0x80;
}

// The leading identifier of a statement ("MOVEABS" of "MOVEABS(1, 2)"), empty when none.
inline std::string_view leadingIdentifier(std::string_view text) {
    if (text.empty() || !identifierStart(text.front())) return {};
    size_t end = 1;
    while (end < text.size() &&
           (std::isalnum(static_cast<unsigned char>(text[end])) || text[end] == '_')) {
        ++end;
    }
    return text.substr(0, end);
}

// Splits "a, b, c" at commas; an empty text gives no items.
inline std::vector<std::string_view> splitArguments(std::string_view text) {
    std::vector<std::string_view> items;
    if (trim(text).empty()) return items;
    size_t start = 0;
    for (;;) {
        const size_t comma = text.find(',', start);
        items.push_back(trim(text.substr(start, comma - start)));
        if (comma == std::string_view::npos) return items;
        start = comma + 1;
    }
}

}  // namespace varnix::interp
