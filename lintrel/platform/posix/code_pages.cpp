// Code pages through iconv, which knows every name a drawing gives.
#include "platform/code_pages.h"

#include <iconv.h>

#include <cerrno>

namespace lintrel::platform {

bool knownCodePage(const char* codePage) {
    iconv_t probe = iconv_open("UTF-8", codePage);
    if (probe == reinterpret_cast<iconv_t>(-1)) return false;
    iconv_close(probe);
    return true;
}

std::string transcode(std::string_view bytes, const char* to, const char* from, const char* bad,
                      long& rejected) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(bytes);
    std::string out;
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    char buffer[1024];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t done = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        if (done == static_cast<size_t>(-1) && errno != E2BIG) {
            out += bad;
            ++rejected;
            ++in;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(cd);
    return out;
}

}  // namespace lintrel::platform
