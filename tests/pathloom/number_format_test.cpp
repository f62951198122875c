// The program number formatter against the C library's "%.4lf" (with the sign of a printed zero
// dropped): random bit patterns over the whole double range, exact rounding ties, values a hair
// either side of a rounding boundary, negative values that round to zero, the report forms and
// the integer form.
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>

#include "core/codegen/number_format.h"

using pathloom::appendFixed4;
using pathloom::appendInt;
using pathloom::fixedText;
using pathloom::shortestText;

namespace {

// printf's text, unsigned when every digit is a zero.
std::string viaPrintf(double v, int decimals = 4) {
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*lf", decimals, v);
    std::string text = buffer;
    if (text[0] == '-' && text.find_first_not_of("0.", 1) == std::string::npos) text.erase(0, 1);
    return text;
}

std::string viaFormatter(double v) {
    std::string out = "#";  // appends, never overwrites
    appendFixed4(out, v);
    return out.substr(1);
}

double fromBits(uint64_t bits) {
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

}  // namespace

TEST(NumberFormat, MatchesPrintfOnRandomBitPatterns) {
    std::mt19937_64 random(20261207);
    for (int i = 0; i < 100000; ++i) {
        const double v = fromBits(random());
        ASSERT_EQ(viaFormatter(v), viaPrintf(v)) << std::hexfloat << v;
    }
}

TEST(NumberFormat, MatchesPrintfOnDrawingSizedValues) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> coordinate(-1e7, 1e7);
    std::uniform_int_distribution<int> exponent(-30, 70);
    for (int i = 0; i < 300000; ++i) {
        const double v =
            i % 2 ? coordinate(random) : std::ldexp(coordinate(random), exponent(random) - 23);
        ASSERT_EQ(viaFormatter(v), viaPrintf(v)) << std::hexfloat << v;
    }
}

TEST(NumberFormat, RoundingTiesAndBoundaries) {
    // k / 32 has an exact fifth decimal of 5 for odd k: an exact tie, rounded to even.
    for (int k = -4000; k <= 4000; ++k) {
        const double tie = k / 32.0;
        ASSERT_EQ(viaFormatter(tie), viaPrintf(tie)) << tie;
    }
    EXPECT_EQ(viaFormatter(0.03125), "0.0312");
    EXPECT_EQ(viaFormatter(0.09375), "0.0938");
    // Neighbours of every rounding boundary in [0, 3): one step either side and on it.
    for (int k = 0; k < 30000; ++k) {
        const double boundary = k * 0.0001 + 0.00005;
        for (double v : {std::nextafter(boundary, 0.0), boundary, std::nextafter(boundary, 1.0)})
            ASSERT_EQ(viaFormatter(v), viaPrintf(v)) << std::hexfloat << v;
    }
    EXPECT_EQ(viaFormatter(9.99995), viaPrintf(9.99995));
    EXPECT_EQ(viaFormatter(99999.99999), "100000.0000");
}

TEST(NumberFormat, SignsExtremesAndSpecials) {
    // Whatever prints as zero has no sign; the smallest nonzero figures keep theirs.
    EXPECT_EQ(viaFormatter(-0.0), "0.0000");
    EXPECT_EQ(viaFormatter(-0.00004), "0.0000");
    EXPECT_EQ(viaFormatter(-0.00001), "0.0000");
    EXPECT_EQ(viaFormatter(-0.00005), viaPrintf(-0.00005));  // a hair beyond the tie
    EXPECT_EQ(viaFormatter(-0.000051), "-0.0001");
    EXPECT_EQ(viaFormatter(-1e-300), "0.0000");
    EXPECT_EQ(viaFormatter(0.0), "0.0000");
    EXPECT_EQ(viaFormatter(-5), "-5.0000");
    EXPECT_EQ(viaFormatter(-0.0001), "-0.0001");
    for (double v : std::initializer_list<double>{DBL_MAX, -DBL_MAX, DBL_MIN, -DBL_MIN,
                                                  DBL_TRUE_MIN, 9007199254740993.0,
                                                  9.2233720368547758e18, 1.8446744073709552e19,
                                                  1e300, -1e22, INFINITY, -INFINITY, NAN, -NAN})
        EXPECT_EQ(viaFormatter(v), viaPrintf(v)) << v;
}

TEST(NumberFormat, ReportFormsDropTheSignOfZero) {
    EXPECT_EQ(fixedText(-0.0, 4), "0.0000");
    EXPECT_EQ(fixedText(-0.00001, 4), "0.0000");
    EXPECT_EQ(fixedText(-0.04, 1), "0.0");
    EXPECT_EQ(fixedText(-0.06, 1), "-0.1");
    EXPECT_EQ(fixedText(-0.4, 0), "0");
    EXPECT_EQ(fixedText(-1e-9, 6), "0.000000");
    EXPECT_EQ(fixedText(-12.5, 2), "-12.50");
    EXPECT_EQ(fixedText(-INFINITY, 4), "-inf");
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> small(-0.002, 0.002);
    for (int i = 0; i < 20000; ++i) {
        const double v = small(random);
        const int decimals = i % 5;
        ASSERT_EQ(fixedText(v, decimals), viaPrintf(v, decimals)) << std::hexfloat << v;
        ASSERT_EQ(fixedText(v, 4), viaFormatter(v)) << std::hexfloat << v;
    }
    EXPECT_EQ(shortestText(-0.0), "0");
    EXPECT_EQ(shortestText(-0.25), "-0.25");
    EXPECT_EQ(shortestText(1e-300), "1e-300");
}

TEST(NumberFormat, IntegersAsPercentD) {
    for (long long v : {0LL, 7LL, -1LL, 12345LL, static_cast<long long>(INT_MAX),
                        static_cast<long long>(INT_MIN), LLONG_MIN, LLONG_MAX}) {
        std::string out;
        appendInt(out, v);
        EXPECT_EQ(out, std::to_string(v));
    }
}
