// The lowest layer of the DXF reader: number conversion, line splitting and the end of data.
#include <gtest/gtest.h>

#include <charconv>
#include <climits>
#include <random>
#include <string>
#include <vector>

#include "import/dxf/dxf_groups.h"

namespace lintrel::dxf {
namespace {

std::vector<std::pair<int, std::string>> groupsOf(std::string_view text) {
    GroupReader reader(text);
    std::vector<std::pair<int, std::string>> out;
    Group g;
    while (reader.next(g))
        out.emplace_back(g.code, std::string(g.value));
    return out;
}

TEST(DxfNumbers, DecimalsFollowTheConversionRules) {
    EXPECT_EQ(parseDouble("  3.5xyz"), 3.5);
    EXPECT_EQ(parseDouble("-2.5E2"), -250);
    EXPECT_EQ(parseDouble("+.5"), 0.5);
    EXPECT_EQ(parseDouble("5."), 5);
    EXPECT_EQ(parseDouble("1e"), 1);  // a letter without digits is not an exponent
    EXPECT_EQ(parseDouble("1e+"), 1);
    EXPECT_EQ(parseDouble("0.1"), 0.1);
    EXPECT_EQ(parseDouble("123456789.123456789"), 123456789.123456789);
}

// Short decimals take a fast path; it must give exactly what a full conversion gives.
TEST(DxfNumbers, FastDecimalsMatchTheFullConversion) {
    std::mt19937_64 random(7);
    for (int i = 0; i < 200000; ++i) {
        const int whole = static_cast<int>(random() % 12),
                  fraction = static_cast<int>(random() % 24);
        std::string text = std::to_string(random() % 1000000000000ULL).substr(0, whole + 1);
        text += '.';
        for (int k = 0; k < fraction; ++k)
            text += static_cast<char>('0' + random() % 10);
        if (random() % 4 == 0) text += "000";
        double expected = 0;
        std::from_chars(text.data(), text.data() + text.size(), expected);
        ASSERT_EQ(parseDouble(text), expected) << text;
        ASSERT_EQ(parseDouble("-" + text), -expected) << text;
    }
}

TEST(DxfNumbers, MalformedAndNonFiniteValuesReadAsZero) {
    for (const char* text :
         {"", "-", "+", ".", "abc", "nan", "NaN", "inf", "-infinity", "1e400", "-1e400", "0x10"}) {
        const double v = parseDouble(text);
        EXPECT_TRUE(v == 0) << text << " -> " << v;
    }
}

TEST(DxfNumbers, IntegersStopAtTheFirstNonDigitAndClamp) {
    EXPECT_EQ(parseInt("  62"), 62);
    EXPECT_EQ(parseInt("-3"), -3);
    EXPECT_EQ(parseInt("12.7"), 12);
    EXPECT_EQ(parseInt("abc"), 0);
    EXPECT_EQ(parseInt("99999999999999999999"), INT_MAX);
    EXPECT_EQ(parseInt("-99999999999999999999"), INT_MIN);
}

TEST(DxfGroups, TabsAndCarriageReturnsAreDroppedAnywhere) {
    const auto plain = groupsOf("0\nLINE\n8\nWALLS\n10\n1.5\n");
    EXPECT_EQ(groupsOf("\t0\r\nLI\tNE\r\n  8\r\nWALLS\r\n10\r\n1.5\r\n"), plain);
    ASSERT_EQ(plain.size(), 3u);
    EXPECT_EQ(plain[2], (std::pair<int, std::string>(10, "1.5")));
    // Leading blanks of a value are kept; those of a code are skipped.
    EXPECT_EQ(groupsOf("  1\n  text\n")[0], (std::pair<int, std::string>(1, "  text")));
}

TEST(DxfGroups, DataEndsAtTheEofMarkerANulOrTheBuffer) {
    EXPECT_EQ(groupsOf("0\nLINE\n0\nEOF\n0\nCIRCLE\n").size(), 1u);
    EXPECT_EQ(groupsOf(std::string_view("0\nLINE\n0\nCIR\0CLE\n0\nARC\n", 26)).size(), 2u);
    EXPECT_EQ(groupsOf("0\nLINE\n0\nARC").size(), 2u);  // no final line feed
    EXPECT_EQ(groupsOf("0\nLINE\n0\n").size(), 1u);     // a code without a value
    GroupReader reader("0\n");
    Group g;
    EXPECT_FALSE(reader.next(g));
    EXPECT_EQ(g.code, kNoGroup);
}

TEST(DxfGroups, AMarkReturnsToAGroup) {
    GroupReader reader("1\na\n2\nb\n");
    Group g;
    ASSERT_TRUE(reader.next(g));
    const auto mark = reader.mark();
    ASSERT_TRUE(reader.next(g));
    reader.reset(mark);
    ASSERT_TRUE(reader.next(g));
    EXPECT_EQ(g.value, "b");
    EXPECT_FALSE(reader.next(g));
    reader.rewind();
    ASSERT_TRUE(reader.next(g));
    EXPECT_EQ(g.value, "a");
}

// Passes skip to their section from the start of the buffer; what one skip saw must lead a later
// one to the same group a plain scan would find.
TEST(DxfGroups, SkippingAgainFindsTheSameGroups) {
    const std::string text = "2\nA\n0\nX\n2\nB\n5\nb1\n2\nA\n5\na2\n2\nC\n5\nc1\n";
    GroupReader reader(text);
    Group g;
    ASSERT_TRUE(reader.skipTo(2, "B"));
    reader.rewind();
    ASSERT_TRUE(reader.skipTo(2, "A"));
    ASSERT_TRUE(reader.next(g));
    EXPECT_EQ(g.value, "X");
    ASSERT_TRUE(reader.skipTo(2, "A"));
    ASSERT_TRUE(reader.next(g));
    EXPECT_EQ(g.value, "a2");
    EXPECT_FALSE(reader.skipTo(2, "Z"));
    reader.rewind();
    ASSERT_TRUE(reader.skipTo(2, "C"));
    ASSERT_TRUE(reader.next(g));
    EXPECT_EQ(g.value, "c1");
    // Read past what was indexed without skipping, then skip from there.
    GroupReader fresh(text);
    ASSERT_TRUE(fresh.skipTo(2, "A"));
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(fresh.next(g));
    ASSERT_TRUE(fresh.skipTo(2, "A"));
    ASSERT_TRUE(fresh.next(g));
    EXPECT_EQ(g.value, "a2");
    fresh.rewind();
    ASSERT_TRUE(fresh.skipTo(2, "B"));
    ASSERT_TRUE(fresh.next(g));
    EXPECT_EQ(g.value, "b1");
}

}  // namespace
}  // namespace lintrel::dxf
