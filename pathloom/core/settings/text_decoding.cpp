// Decoding of settings files to UTF-8. Files written on Windows are in the GBK code page;
// GB18030 is its superset, so one conversion covers them. Bytes that no conversion accepts
// become U+FFFD instead of failing the whole file.
#include <iconv.h>

#include <cerrno>
#include <string>
#include <string_view>

#include "core/settings/profile_file.h"

namespace pathloom {
namespace {

bool validUtf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        const unsigned char lead = static_cast<unsigned char>(s[i]);
        size_t extra = 0;
        if (lead < 0x80)
            extra = 0;
        else if (lead >= 0xC2 && lead <= 0xDF)
            extra = 1;
        else if (lead >= 0xE0 && lead <= 0xEF)
            extra = 2;
        else if (lead >= 0xF0 && lead <= 0xF4)
            extra = 3;
        else
            return false;
        if (s.size() - i <= extra) return false;
        for (size_t k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += extra + 1;
    }
    return true;
}

std::string convert(std::string_view bytes, const char* from) {
    iconv_t cd = iconv_open("UTF-8", from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() * 3 / 2 + 16);
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t done = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        if (done == static_cast<size_t>(-1) && errno != E2BIG) {
            out += "\xEF\xBF\xBD";  // an undecodable or truncated sequence: skip one byte
            ++in;
            --inLeft;
        }
    }
    iconv_close(cd);
    return out;
}

}  // namespace

std::string decodeProfileText(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    if (bytes.starts_with("\xFF\xFE")) return convert(bytes.substr(2), "UTF-16LE");
    if (bytes.starts_with("\xFE\xFF")) return convert(bytes.substr(2), "UTF-16BE");
    if (validUtf8(bytes)) return std::string(bytes);
    return convert(bytes, "GB18030");
}

}  // namespace pathloom
