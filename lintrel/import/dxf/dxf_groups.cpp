// Line splitting, group reading and number conversion of the DXF reader.
#include "import/dxf/dxf_groups.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <utility>

namespace lintrel::dxf {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

size_t skipBlanks(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\f' || text[i] == '\v'))
        ++i;
    return i;
}

size_t skipDigits(std::string_view text, size_t i) {
    while (i < text.size() && isDigit(text[i]))
        ++i;
    return i;
}

// Drops every tab and carriage return of `line` into `scratch` and returns the cleaned view.
std::string_view withoutTabs(std::string_view line, std::string& scratch) {
    scratch.clear();
    for (char c : line)
        if (c != '\t' && c != '\r') scratch.push_back(c);
    return scratch;
}

// Most coordinates in drawings are short decimals without an exponent. When the digits (without
// trailing fraction zeros) fit in 2^53 and the fraction has at most 22 digits, the quotient of
// two exactly represented doubles is the correctly rounded value, the same as a full
// conversion gives. Returns -1 when the fast way does not apply.
double exactShortDecimal(std::string_view digits) {
    static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                         1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const size_t dot = digits.find('.');
    if (dot != std::string_view::npos) {
        while (digits.size() > dot + 1 && digits.back() == '0')
            digits.remove_suffix(1);
    }
    uint64_t mantissa = 0;
    int fraction = 0;
    bool afterDot = false;
    for (const char c : digits) {
        if (c == '.') {
            afterDot = true;
            continue;
        }
        if (!isDigit(c)) return -1;  // an exponent: the full conversion handles it
        if (mantissa > (uint64_t{1} << 53) / 10) return -1;
        mantissa = mantissa * 10 + static_cast<uint64_t>(c - '0');
        fraction += afterDot ? 1 : 0;
    }
    if (mantissa > (uint64_t{1} << 53) || fraction > 22) return -1;
    return static_cast<double>(mantissa) / kPowers[fraction];
}

// The decimal integer of a group code line; a damaged code line is not a malformed value.
int parseCode(std::string_view text) {
    size_t i = skipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > INT_MAX) return negative ? INT_MIN : INT_MAX;
    }
    return static_cast<int>(negative ? -value : value);
}

}  // namespace

int parseInt(std::string_view text, long& malformed) {
    size_t i = skipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    if (i >= text.size() || !isDigit(text[i])) ++malformed;
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

double parseDouble(std::string_view text, long& malformed) {
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
    if (digits == 0) {
        ++malformed;
        return 0;
    }
    // An exponent counts only when digits follow its letter and sign.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t e = i + 1;
        if (e < text.size() && (text[e] == '-' || text[e] == '+')) ++e;
        const size_t end = skipDigits(text, e);
        if (end > e) i = end;
    }
    if (const double fast = exactShortDecimal(text.substr(mantissa, i - mantissa)); fast >= 0)
        return negative ? -fast : fast;
    double value = 0;
    const auto [ptr, ec] =
        std::from_chars(text.data() + mantissa, text.data() + i, value, std::chars_format::general);
    (void)ptr;
    if (ec != std::errc() || !std::isfinite(value)) {
        ++malformed;
        return 0;
    }
    return negative ? -value : value;
}

int parseInt(std::string_view text) {
    long uncounted = 0;
    return parseInt(text, uncounted);
}

double parseDouble(std::string_view text) {
    long uncounted = 0;
    return parseDouble(text, uncounted);
}

bool GroupReader::readLine(std::string_view& line, std::string& scratch) {
    if (ended_ || cursor_ >= buffer_.size() || buffer_[cursor_] == '\0') {
        ended_ = true;
        return false;
    }
    // One pass over the line: find its end and note whether it holds anything but plain text
    // (a tab or carriage return to drop, or a NUL that ends the data).
    const char* start = buffer_.data() + cursor_;
    const char* const end = buffer_.data() + buffer_.size();
    const char* p = start;
    const char* special = nullptr;
    for (; p < end; ++p) {
        const char c = *p;
        if (static_cast<unsigned char>(c) > '\r') continue;
        if (c == '\n') break;
        if (c == '\0') {
            ended_ = true;
            break;
        }
        if (!special && (c == '\t' || c == '\r')) special = p;
    }
    std::string_view raw(start, static_cast<size_t>(p - start));
    cursor_ = p < end && !ended_ ? static_cast<size_t>(p + 1 - buffer_.data()) : buffer_.size();
    // A line end of CR LF needs no copy; only tabs or carriage returns inside the line do.
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    line = special && special < raw.data() + raw.size() ? withoutTabs(raw, scratch) : raw;
    if (cursor_ + 3 <= buffer_.size() && buffer_[cursor_] == 'E' && buffer_[cursor_ + 1] == 'O' &&
        buffer_[cursor_ + 2] == 'F')
        ended_ = atMarker_ = true;
    return true;
}

bool GroupReader::next(Group& group) {
    std::string_view code;
    if (!readLine(code, codeScratch_) || !readLine(group.value, valueScratch_)) {
        group.code = kNoGroup;
        group.value = {};
        return false;
    }
    group.code = parseCode(code);
    return true;
}

bool GroupReader::findLandmark(std::string_view value) {
    auto it = std::lower_bound(landmarks_.begin(), landmarks_.end(), cursor_,
                               [](const Landmark& l, size_t at) { return l.start < at; });
    for (; it != landmarks_.end(); ++it)
        if (it->value == value) {
            reset(it->after);
            return true;
        }
    return false;
}

bool GroupReader::skipTo(int code, std::string_view value) {
    Group g;
    if (code != 2) {
        while (next(g))
            if (g.code == code && g.value == value) return true;
        return false;
    }
    if (ended_) return false;
    if (findLandmark(value)) return true;
    if (scannedToEnd_) {
        cursor_ = buffer_.size();
        ended_ = true;
        return false;
    }
    // Groups are read pairwise from the start of the buffer by every pass, so the place where
    // the last skip stopped is a group boundary of this pass too. Scanning always resumes
    // there, so that the landmarks stay complete up to `scanned_`.
    const size_t from = cursor_;
    reset({scanned_, false});
    for (;;) {
        const size_t start = cursor_;
        if (!next(g)) {
            scannedToEnd_ = true;
            scanned_ = buffer_.size();
            return false;
        }
        if (g.code == 2) landmarks_.push_back({start, mark(), std::string(g.value)});
        scanned_ = cursor_;
        if (ended_) {
            // The data ends right after this group.
            scannedToEnd_ = true;
            scanned_ = buffer_.size();
        }
        if (g.code == 2 && g.value == value && start >= from) return true;
        if (scannedToEnd_) return false;
    }
}

}  // namespace lintrel::dxf
