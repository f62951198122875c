// Line splitting, group reading and number conversion of the DXF reader.
#include "import/dxf/dxf_groups.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>

namespace lintrel::dxf {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

size_t skipBlanks(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\f' || text[i] == '\v')) ++i;
    return i;
}

size_t skipDigits(std::string_view text, size_t i) {
    while (i < text.size() && isDigit(text[i])) ++i;
    return i;
}

// Drops every tab and carriage return of `line` into `scratch` and returns the cleaned view.
std::string_view withoutTabs(std::string_view line, std::string& scratch) {
    scratch.clear();
    for (char c : line)
        if (c != '\t' && c != '\r') scratch.push_back(c);
    return scratch;
}

}  // namespace

int parseInt(std::string_view text) {
    size_t i = skipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > INT_MAX) {
            value = static_cast<long long>(INT_MAX) + 1;
            i = skipDigits(text, i);
            break;
        }
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

double parseDouble(std::string_view text) {
    const size_t begin = skipBlanks(text);
    size_t i = begin;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    const size_t mantissa = i;
    i = skipDigits(text, i);
    size_t digits = i - mantissa;
    if (i < text.size() && text[i] == '.') {
        const size_t fraction = i + 1;
        i = skipDigits(text, fraction);
        digits += i - fraction;
    }
    if (digits == 0) return 0;
    // An exponent counts only when digits follow its letter and sign.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t e = i + 1;
        if (e < text.size() && (text[e] == '-' || text[e] == '+')) ++e;
        const size_t end = skipDigits(text, e);
        if (end > e) i = end;
    }
    double value = 0;
    const auto [ptr, ec] = std::from_chars(text.data() + mantissa, text.data() + i, value,
                                           std::chars_format::general);
    (void)ptr;
    if (ec != std::errc() || !std::isfinite(value)) return 0;
    return negative ? -value : value;
}

bool GroupReader::readLine(std::string_view& line, std::string& scratch) {
    if (ended_ || cursor_ >= buffer_.size() || buffer_[cursor_] == '\0') {
        ended_ = true;
        return false;
    }
    const char* start = buffer_.data() + cursor_;
    const size_t rest = buffer_.size() - cursor_;
    const char* lf = static_cast<const char*>(std::memchr(start, '\n', rest));
    size_t length = lf ? static_cast<size_t>(lf - start) : rest;
    // A NUL inside the line ends the data there.
    if (const void* nul = std::memchr(start, '\0', length)) {
        length = static_cast<size_t>(static_cast<const char*>(nul) - start);
        ended_ = true;
    }
    cursor_ = lf && !ended_ ? cursor_ + length + 1 : buffer_.size();
    std::string_view raw(start, length);
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    if (std::memchr(raw.data(), '\t', raw.size()) || std::memchr(raw.data(), '\r', raw.size()))
        line = withoutTabs(raw, scratch);
    else
        line = raw;
    if (buffer_.compare(cursor_, 3, "EOF") == 0) ended_ = true;
    return true;
}

bool GroupReader::next(Group& group) {
    std::string_view code;
    if (!readLine(code, codeScratch_) || !readLine(group.value, valueScratch_)) {
        group.code = kNoGroup;
        group.value = {};
        return false;
    }
    group.code = parseInt(code);
    return true;
}

bool GroupReader::skipTo(int code, std::string_view value) {
    Group g;
    while (next(g))
        if (g.code == code && g.value == value) return true;
    return false;
}

}  // namespace lintrel::dxf
