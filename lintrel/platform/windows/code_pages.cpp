// Code pages through the Windows conversion functions. Text is decoded one character at a time,
// so that a byte the code page rejects is replaced and counted without losing its neighbours.
#include "platform/code_pages.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace lintrel::platform {

namespace {

constexpr UINT kUnknown = 0;

// The Windows code page number of a code page name.
UINT pageNumber(const char* name) {
    if (!name) return kUnknown;
    if (std::strcmp(name, "UTF-8") == 0) return CP_UTF8;
    // Systems without the GB18030 tables (Wine) read and write its two-byte part, GBK.
    if (std::strcmp(name, "GB18030") == 0) return IsValidCodePage(54936) ? 54936 : 936;
    if (std::strcmp(name, "BIG5") == 0) return 950;
    if (std::strcmp(name, "JOHAB") == 0) return 1361;
    if (std::strncmp(name, "CP", 2) != 0) return kUnknown;
    char* end = nullptr;
    const unsigned long number = std::strtoul(name + 2, &end, 10);
    if (end == name + 2 || *end != '\0' || number == 0 || number > 65535) return kUnknown;
    return IsValidCodePage(static_cast<UINT>(number)) ? static_cast<UINT>(number) : kUnknown;
}

void appendUtf8(std::string& out, const wchar_t* wide, int length) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return;
    const size_t at = out.size();
    out.resize(at + static_cast<size_t>(size));
    WideCharToMultiByte(CP_UTF8, 0, wide, length, out.data() + at, size, nullptr, nullptr);
}

// The longest character of the code pages we meet is four bytes (GB18030).
std::string decode(std::string_view bytes, UINT page, const char* bad, long& rejected) {
    std::string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            out += bytes[i++];
            continue;
        }
        wchar_t wide[4];
        int got = 0;
        size_t length = 1;
        for (; length <= 4 && i + length <= bytes.size(); ++length) {
            got = MultiByteToWideChar(page, MB_ERR_INVALID_CHARS, bytes.data() + i,
                                      static_cast<int>(length), wide, 4);
            if (got > 0) break;
        }
        if (got > 0) {
            appendUtf8(out, wide, got);
            i += length;
        } else {
            out += bad;
            ++rejected;
            ++i;
        }
    }
    return out;
}

std::string encode(std::string_view utf8, UINT page, const char* bad, long& rejected) {
    if (utf8.empty()) return {};
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    if (length <= 0) return std::string(utf8);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                        length);
    // GB18030 and UTF-8 encode every character and take no replacement.
    const bool complete = page == 54936 || page == CP_UTF8;
    BOOL replaced = FALSE;
    const char* fallback = complete ? nullptr : bad;
    BOOL* used = complete ? nullptr : &replaced;
    const int size = WideCharToMultiByte(page, 0, wide.data(), length, nullptr, 0, fallback, used);
    if (size <= 0) return std::string(utf8);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(page, 0, wide.data(), length, out.data(), size, fallback, used);
    if (replaced) ++rejected;
    return out;
}

}  // namespace

bool knownCodePage(const char* codePage) {
    return pageNumber(codePage) != kUnknown;
}

std::string transcode(std::string_view bytes, const char* to, const char* from, const char* bad,
                      long& rejected) {
    const UINT source = pageNumber(from), target = pageNumber(to);
    if (source == kUnknown || target == kUnknown) return std::string(bytes);
    if (target == CP_UTF8) return decode(bytes, source, bad, rejected);
    if (source == CP_UTF8) return encode(bytes, target, bad, rejected);
    return std::string(bytes);
}

}  // namespace lintrel::platform
