// Decoding of DXF text: code pages, escapes, caret codes and the %% special codes; and the
// MTEXT formatting runs.
#include <gtest/gtest.h>

#include "fonts/mtext_runs.h"
#include "fonts/text_codes.h"

namespace lintrel::fonts {
namespace {

std::string escaped(std::string_view s) {
    long bad = 0;
    return expandEscapes(s, bad);
}

TEST(TextCodes, DrawingsBeforeAc1021AreReadInTheirCodePage) {
    long bad = 0;
    const std::string gbk = "\xC4\xE3\xBA\xC3";  // two Chinese characters in GBK
    EXPECT_EQ(decodeText(gbk, TextEncoding::forDrawing("AC1015", "ANSI_936"), bad), "你好");
    EXPECT_EQ(decodeText("\xB0", TextEncoding::forDrawing("AC1009", "ANSI_1252"), bad), "°");
    // Without $DWGCODEPAGE the Western European page applies.
    EXPECT_EQ(decodeText("\xE9", TextEncoding::forDrawing("AC1015", ""), bad), "é");
    EXPECT_EQ(bad, 0);
    // From AC1021 on the file is UTF-8; a stray byte becomes U+FFFD and is counted.
    const TextEncoding utf8 = TextEncoding::forDrawing("AC1027", "ANSI_1252");
    EXPECT_EQ(decodeText("你好", utf8, bad), "你好");
    EXPECT_EQ(decodeText("a\xC4z", utf8, bad), "a\xEF\xBF\xBDz");
    EXPECT_EQ(bad, 1);
}

TEST(TextCodes, EscapesAndCaretCodesBecomeCharacters) {
    EXPECT_EQ(escaped("\\U+4F60\\U+597D!"), "你好!");
    EXPECT_EQ(escaped("\\M+5C4E3"), "你");  // a GBK character by its code-page bytes
    EXPECT_EQ(escaped("a^Jb^Ic^ d"), "a\nb c^d");
    // Malformed escapes stay as written; an escaped backslash is kept for the MTEXT reader.
    EXPECT_EQ(escaped("\\U+4G60\\M+9ABCD"), "\\U+4G60\\M+9ABCD");
    EXPECT_EQ(escaped("\\\\U+4F60"), "\\\\U+4F60");
}

TEST(TextCodes, OnlyTheFirstOfEachSpecialCodeIsReplaced) {
    EXPECT_EQ(replaceSpecialCodes("%%D45"), "°45");
    EXPECT_EQ(replaceSpecialCodes("%%d%%d"), "°%%d");
    EXPECT_EQ(replaceSpecialCodes("%%p0.5 %%c20 %%P1"), "±0.5 Ø20 ±1");
}

TEST(TextCodes, Utf8RoundTripsAndRejectsBadSequences) {
    EXPECT_EQ(codePointsOf("a你😀"), (std::u32string{U'a', U'你', U'😀'}));
    EXPECT_EQ(codePointsOf("\xC0\x80\xED\xA0\x80"), std::u32string(5, U'\xFFFD'));
    std::string out;
    appendUtf8(out, U'你');
    EXPECT_EQ(out, "你");
    EXPECT_EQ(encodeCodePage("a你", "GB18030"), "a\xC4\xE3");
}

std::vector<std::string> texts(const std::vector<MTextRun>& runs) {
    std::vector<std::string> out;
    for (const MTextRun& r : runs)
        out.push_back(r.text);
    return out;
}

TEST(MTextRuns, AttributesChangeAtGroupsAndCodes) {
    const auto runs = splitMText("a{\\H2x;b\\fSerif|b1;c}d\\Pe\\H7;f", 10);
    ASSERT_EQ(texts(runs), (std::vector<std::string>{"a", "b", "c", "d", "e", "f"}));
    EXPECT_EQ(runs[0].height, 10);
    EXPECT_EQ(runs[1].height, 20);
    EXPECT_EQ(runs[2].font, "Serif");
    EXPECT_EQ(runs[2].height, 20);
    EXPECT_EQ(runs[3].font, "");  // the group ended: font and height back
    EXPECT_EQ(runs[3].height, 10);
    EXPECT_EQ(runs[4].line, 1);
    EXPECT_EQ(runs[5].height, 7);  // an absolute height
}

TEST(MTextRuns, StackedTextTrackingAndEscapedCharacters) {
    const auto runs = splitMText("x\\S1^2;y\\T1.5;z\\W0.5;\\Q15;w\\\\\\{\\~\\Lu\\pxi1;\\C3;v", 1);
    ASSERT_EQ(texts(runs), (std::vector<std::string>{"x", "1/2", "y", "z", "w\\{ uv"}));
    EXPECT_TRUE(runs[1].stacked);
    EXPECT_EQ(runFontName(runs[3]), ";\\T1.500000");
    EXPECT_EQ(runs[4].widthFactor, 0.5);
    EXPECT_EQ(runs[4].oblique, 15);
    // Deeper than ten levels stays at the tenth; closing braces never go above level 0.
    EXPECT_EQ(texts(splitMText("{{{{{{{{{{{{a}}}}}}}}}}}}}}b", 1)),
              (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(splitMText("{\\H3;}", 1).empty());
}

}  // namespace
}  // namespace lintrel::fonts
