// Decoding of settings files to UTF-8. Files written on Windows are in the GBK code page;
// GB18030 is its superset, so one conversion covers them. Bytes that no conversion accepts
// become U+FFFD instead of failing the whole file. The conversion is the library's own.
#include <string>
#include <string_view>

#include "core/settings/profile_file.h"
#include "platform/code_pages.h"

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

// An undecodable or truncated sequence becomes U+FFFD and the conversion goes on after it.
std::string convert(std::string_view bytes, const char* from) {
    long rejected = 0;
    return lintrel::platform::transcode(bytes, "UTF-8", from, "\xEF\xBF\xBD", rejected);
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
