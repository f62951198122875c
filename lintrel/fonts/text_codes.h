// Text of DXF TEXT and MTEXT entities into UTF-8: the drawing's code page (UTF-8 from AC1021 on,
// $DWGCODEPAGE before), the \U+XXXX and \M+nXXXX escapes, caret control characters and the
// %% special codes; and UTF-8 into code points for the glyph layout.
#pragma once

#include <string>
#include <string_view>

namespace lintrel::fonts {

// How a drawing's text bytes are encoded.
struct TextEncoding {
    bool utf8 = true;                 // AC1021 and later
    std::string codePage = "CP1252";  // code page name of $DWGCODEPAGE for older files

    static TextEncoding forDrawing(std::string_view version, std::string_view dwgCodePage);
};

// The raw value of a text group as UTF-8; `undecodable` counts bytes that became U+FFFD.
std::string decodeText(std::string_view raw, const TextEncoding& encoding, long& undecodable);

// \U+XXXX and \M+nXXXX escapes and ^ control characters (^J line feed, ^I tab, "^ " caret).
std::string expandEscapes(std::string_view text, long& undecodable);

// The first occurrence of each special code replaced: %%C/%%c diameter, %%D/%%d degree,
// %%P/%%p plus-minus.
std::string replaceSpecialCodes(std::string text);

// UTF-8 into the bytes of a code page (characters it lacks become "?"), for fonts that
// index their glyphs by code-page bytes.
std::string encodeCodePage(std::string_view utf8, const char* codePage);

// UTF-8 into code points; a byte that starts no valid sequence becomes U+FFFD.
std::u32string codePointsOf(std::string_view utf8);
void appendUtf8(std::string& out, char32_t code);

}  // namespace lintrel::fonts
