// The number grammar shared by path data, point lists, transforms, lengths and view boxes:
// a cursor over a text that skips white space and commas and reads SVG numbers, where
// "1.5.5" is two numbers and "-1e-2" one, and arc flags that need no separator.
#pragma once

#include <string>
#include <string_view>

namespace lintrel::svg {

inline bool isSvgSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// `s` without the white space at either end.
inline std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isSvgSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isSvgSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

// ASCII letters in lower case: names and keywords compare so; other bytes stay as they are.
inline std::string lowerCase(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return out;
}

class NumberScanner {
  public:
    explicit NumberScanner(std::string_view text) : text_(text) {}

    // Skips white space, then at most one comma and the white space after it.
    void skipSeparator();
    void skipSpace();
    // Reads a number after an optional separator; false (cursor unchanged) when none is there.
    bool number(double& out);
    // Reads one flag character '0' or '1' after an optional separator.
    bool flag(bool& out);
    // True when only white space is left.
    bool atEnd();
    bool startsNumber();
    char peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
    void advance() { ++pos_; }
    size_t position() const { return pos_; }
    std::string_view rest() const { return text_.substr(pos_); }

  private:
    std::string_view text_;
    size_t pos_ = 0;
};

// The number at the start of `text` (after white space); its length in `used`. False when
// `text` does not start with a number.
bool leadingNumber(std::string_view text, double& out, size_t& used);

// All numbers of a list separated by white space and/or commas; false when anything else is
// in it (the numbers before the fault are kept).
bool numberList(std::string_view text, double* out, int capacity, int& count);

}  // namespace lintrel::svg
