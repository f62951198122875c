// SVG numbers: sign, digits, one decimal point, an optional exponent. Parsed with from_chars
// (locale-free, exact), after checking the SVG shape ourselves so that "inf", "nan", hex and a
// dangling exponent are not taken for numbers.
#include "import/svg/svg_numbers.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace lintrel::svg {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Length of the SVG number at the start of `s`, 0 when there is none.
size_t numberLength(std::string_view s) {
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t digits = 0;
    while (i < s.size() && isDigit(s[i]))
        ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i]))
            ++i, ++digits;
    }
    if (digits == 0) return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        if (j < s.size() && isDigit(s[j])) {
            while (j < s.size() && isDigit(s[j]))
                ++j;
            i = j;
        }
    }
    return i;
}

}  // namespace

bool leadingNumber(std::string_view text, double& out, size_t& used) {
    size_t start = 0;
    while (start < text.size() && isSvgSpace(text[start]))
        ++start;
    const std::string_view s = text.substr(start);
    const size_t length = numberLength(s);
    if (length == 0) return false;
    const char* first = s.data() + (s[0] == '+' ? 1 : 0);
    double value = 0;
    const auto [end, error] = std::from_chars(first, s.data() + length, value);
    if (error == std::errc::result_out_of_range) {
        // Too large becomes infinite, which the callers refuse; too small becomes zero.
        value = std::strtod(std::string(first, s.data() + length).c_str(), nullptr);
    } else if (error != std::errc() || end != s.data() + length) {
        return false;
    }
    out = value;
    used = start + length;
    return true;
}

void NumberScanner::skipSpace() {
    while (pos_ < text_.size() && isSvgSpace(text_[pos_]))
        ++pos_;
}

void NumberScanner::skipSeparator() {
    skipSpace();
    if (peek() == ',') {
        ++pos_;
        skipSpace();
    }
}

bool NumberScanner::number(double& out) {
    const size_t saved = pos_;
    skipSeparator();
    size_t used = 0;
    if (!leadingNumber(text_.substr(pos_), out, used)) {
        pos_ = saved;
        return false;
    }
    pos_ += used;
    return true;
}

bool NumberScanner::flag(bool& out) {
    const size_t saved = pos_;
    skipSeparator();
    const char c = peek();
    if (c != '0' && c != '1') {
        pos_ = saved;
        return false;
    }
    out = c == '1';
    ++pos_;
    return true;
}

bool NumberScanner::atEnd() {
    skipSpace();
    return pos_ >= text_.size();
}

bool NumberScanner::startsNumber() {
    NumberScanner probe = *this;
    double ignored;
    return probe.number(ignored);
}

bool numberList(std::string_view text, double* out, int capacity, int& count) {
    NumberScanner scan(text);
    count = 0;
    double value;
    while (count < capacity && scan.number(value))
        out[count++] = value;
    return scan.atEnd();
}

}  // namespace lintrel::svg
