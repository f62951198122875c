// Decoding of DXF text. The code pages of older drawings are converted by the platform; bytes a
// code page does not define become U+FFFD and are counted, so one bad byte never costs the whole
// text.
#include "fonts/text_codes.h"

#include <cctype>
#include <cstdlib>

#include "platform/code_pages.h"

namespace lintrel::fonts {

namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";

bool isAscii(std::string_view s) {
    for (const char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// Unknown code page names are read as the Western European one.
std::string convert(std::string_view bytes, const char* from, long& undecodable) {
    if (!platform::knownCodePage(from)) from = "CP1252";
    return platform::transcode(bytes, "UTF-8", from, kReplacement, undecodable);
}

// Re-encodes UTF-8 so that every invalid byte becomes U+FFFD.
std::string validated(std::string_view s, long& undecodable) {
    std::string out;
    out.reserve(s.size());
    for (const char32_t c : codePointsOf(s)) {
        if (c == 0xFFFD) ++undecodable;
        appendUtf8(out, c);
    }
    return out;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// `count` hex digits at `at`, or -1.
long hexAt(std::string_view s, size_t at, int count) {
    if (s.size() < at + static_cast<size_t>(count)) return -1;
    long v = 0;
    for (int i = 0; i < count; ++i) {
        const int d = hexValue(s[at + static_cast<size_t>(i)]);
        if (d < 0) return -1;
        v = v * 16 + d;
    }
    return v;
}

// The code page of a \M+n escape: 1 Japanese, 2 traditional Chinese, 3 Korean (Wansung),
// 4 Korean (Johab), 5 simplified Chinese.
const char* multibyteCodePage(char n) {
    switch (n) {
        case '1':
            return "CP932";
        case '2':
            return "BIG5";
        case '3':
            return "CP949";
        case '4':
            return "JOHAB";
        case '5':
            return "GB18030";
        default:
            return nullptr;
    }
}

}  // namespace

TextEncoding TextEncoding::forDrawing(std::string_view version, std::string_view dwgCodePage) {
    TextEncoding e;
    // Versions are "AC" and four digits; AC1021 (2007) switched the file to UTF-8.
    e.utf8 = version.size() >= 6 && version.substr(0, 2) == "AC" &&
             std::atoi(std::string(version.substr(2, 4)).c_str()) >= 1021;
    std::string page(dwgCodePage);
    for (char& c : page)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    while (!page.empty() && page.back() == ' ')
        page.pop_back();
    if (page.starts_with("ANSI_")) {
        const std::string number = page.substr(5);
        e.codePage = number == "936" ? "GB18030" : number == "950" ? "BIG5" : "CP" + number;
    } else if (page.starts_with("DOS")) {
        e.codePage = "CP" + page.substr(3);
    } else if (page == "GB2312") {
        e.codePage = "GB18030";
    } else if (page.starts_with("BIG5")) {
        e.codePage = "BIG5";
    }
    return e;
}

std::string decodeText(std::string_view raw, const TextEncoding& encoding, long& undecodable) {
    if (isAscii(raw)) return std::string(raw);
    if (encoding.utf8) return validated(raw, undecodable);
    return convert(raw, encoding.codePage.c_str(), undecodable);
}

std::string expandEscapes(std::string_view s, long& undecodable) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '\\' && i + 1 < s.size() && s[i + 1] == '\\') {
            out += "\\\\";  // an escaped backslash stays for the MTEXT reader
            ++i;
        } else if (c == '\\' && s.substr(i + 1, 2) == "U+") {
            const long code = hexAt(s, i + 3, 4);
            if (code < 0) {
                out += c;
                continue;
            }
            appendUtf8(out, static_cast<char32_t>(code));
            i += 6;
        } else if (c == '\\' && s.substr(i + 1, 2) == "M+" && i + 3 < s.size()) {
            const char* page = multibyteCodePage(s[i + 3]);
            const long code = hexAt(s, i + 4, 4);
            if (!page || code < 0) {
                out += c;
                continue;
            }
            const char bytes[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
            out += convert(std::string_view(bytes, 2), page, undecodable);
            i += 7;
        } else if (c == '^' && i + 1 < s.size()) {
            const char next = s[++i];
            if (next == ' ')
                out += '^';
            else if (next == 'J')
                out += '\n';
            else if (next == 'I')
                out += ' ';
            else if (next != 'M') {  // ^M, a carriage return, adds nothing
                out += '^';
                out += next;
            }
        } else {
            out += c;
        }
    }
    return out;
}

std::string replaceSpecialCodes(std::string text) {
    static const struct {
        const char* code;
        const char* replacement;
    } codes[] = {{"%%C", "\xC3\x98"}, {"%%c", "\xC3\x98"}, {"%%D", "\xC2\xB0"},
                 {"%%d", "\xC2\xB0"}, {"%%P", "\xC2\xB1"}, {"%%p", "\xC2\xB1"}};
    for (const auto& c : codes) {
        const size_t at = text.find(c.code);
        if (at != std::string::npos) text.replace(at, 3, c.replacement);
    }
    return text;
}

std::string encodeCodePage(std::string_view utf8, const char* codePage) {
    if (isAscii(utf8)) return std::string(utf8);
    long rejected = 0;
    return platform::transcode(utf8, codePage, "UTF-8", "?", rejected);
}

std::u32string codePointsOf(std::string_view s) {
    std::u32string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        const unsigned char lead = static_cast<unsigned char>(s[i]);
        size_t extra = 0;
        char32_t code = lead;
        if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2;
            code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3;
            code = lead & 0x07;
        } else if (lead >= 0x80) {
            out += U'\xFFFD';
            ++i;
            continue;
        }
        bool ok = s.size() - i > extra;
        for (size_t k = 1; ok && k <= extra; ++k) {
            const unsigned char b = static_cast<unsigned char>(s[i + k]);
            ok = (b & 0xC0) == 0x80;
            code = (code << 6) | (b & 0x3F);
        }
        const bool overlong = (extra == 2 && code < 0x800) || (extra == 3 && code < 0x10000);
        if (!ok || overlong || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            out += U'\xFFFD';
            ++i;
            continue;
        }
        out += code;
        i += extra + 1;
    }
    return out;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c >= 0xD800 && c <= 0xDFFF) c = 0xFFFD;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace lintrel::fonts
