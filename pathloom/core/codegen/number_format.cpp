// "%.4lf" without printf. A double is m * 2^e with an integer m of at most 53 bits; for the
// values programs hold, the integer part fits 64 bits and the fraction times 10^4 fits 128 bits,
// so the rounding decision is made on exact integers (ties to even, as the C library rounds).
// Values beyond that range, infinities and NaN take the library's own path. A number printed as
// zero is written without a sign, on every path.
#include "core/codegen/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace pathloom {
namespace {

// 128-bit products keep the rounding decision exact.
__extension__ typedef unsigned __int128 Wide;

// Writes the decimal digits of `v` and returns how many were written, right-aligned in `end`.
int digitsOf(uint64_t v, char* end) {
    char* p = end;
    do {
        *--p = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v);
    return static_cast<int>(end - p);
}

// A number printed as zero loses its sign: "-0.0000" becomes "0.0000", "-0.0" "0.0".
void dropSignOfZero(std::string& text) {
    if (text.size() < 2 || text[0] != '-') return;
    if (text.find_first_not_of("0.", 1) == std::string::npos) text.erase(0, 1);
}

void appendSlow(std::string& out, double value) {
    out += fixedText(value, 4);
}

}  // namespace

std::string fixedText(double value, int decimals) {
    // The largest double has 309 integer digits; more than 40 decimals say nothing of a double.
    char buffer[400];
    const int n = std::snprintf(buffer, sizeof buffer, "%.*f", std::clamp(decimals, 0, 40), value);
    std::string text(buffer, n > 0 ? static_cast<size_t>(n) : 0);
    dropSignOfZero(text);
    return text;
}

std::string shortestText(double value) {
    char buffer[64];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value == 0 ? 0.0 : value);
    return error == std::errc() ? std::string(buffer, end) : std::string("0");
}

void appendFixed4(std::string& out, double value) {
    if (!std::isfinite(value)) return appendSlow(out, value);
    const bool negative = std::signbit(value);
    const double magnitude = std::fabs(value);
    int exponent = 0;
    const double fraction = std::frexp(magnitude, &exponent);  // magnitude = fraction * 2^exponent
    // mantissa * 2^shift == magnitude exactly, mantissa < 2^53.
    const uint64_t mantissa = static_cast<uint64_t>(std::ldexp(fraction, 53));
    const int shift = exponent - 53;
    uint64_t whole = 0;
    uint32_t decimals = 0;  // the four decimals as an integer 0 ... 9999
    if (magnitude == 0) {
        // whole and decimals stay 0
    } else if (shift >= 0) {
        if (shift > 10) return appendSlow(out, value);  // beyond 2^63
        whole = mantissa << shift;
    } else if (shift >= -113) {
        const int s = -shift;
        whole = s >= 64 ? 0 : mantissa >> s;
        const Wide one = 1;
        const Wide mask = (one << s) - 1;
        const Wide scaled = (static_cast<Wide>(mantissa) & mask) * 10000;
        uint64_t quotient = static_cast<uint64_t>(scaled >> s);
        const Wide remainder = scaled & mask;
        const Wide half = one << (s - 1);
        if (remainder > half || (remainder == half && (quotient & 1))) ++quotient;
        if (quotient == 10000) {
            quotient = 0;
            ++whole;
        }
        decimals = static_cast<uint32_t>(quotient);
    }
    // else: below 2^-60, which rounds to zero.
    const bool printsZero = whole == 0 && decimals == 0;

    char buffer[40];
    char* const end = buffer + sizeof buffer;
    char* p = end - 4;
    for (int i = 3; i >= 0; --i) {
        p[i] = static_cast<char>('0' + decimals % 10);
        decimals /= 10;
    }
    *--p = '.';
    p -= digitsOf(whole, p);
    if (negative && !printsZero) *--p = '-';
    out.append(p, static_cast<size_t>(end - p));
}

void appendInt(std::string& out, long long value) {
    char buffer[24];
    char* const end = buffer + sizeof buffer;
    const bool negative = value < 0;
    // Through unsigned arithmetic so that the most negative value has a magnitude.
    const uint64_t magnitude =
        negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    char* p = end - digitsOf(magnitude, end);
    if (negative) *--p = '-';
    out.append(p, static_cast<size_t>(end - p));
}

}  // namespace pathloom
