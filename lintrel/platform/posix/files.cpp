// Files on POSIX systems: names are passed through unchanged (the local code page is UTF-8).
#include "platform/files.h"

#include <sys/stat.h>

namespace lintrel::platform {

std::FILE* openFile(const char* name, const char* mode) {
    return name ? std::fopen(name, mode) : nullptr;
}

std::optional<std::uint64_t> regularFileSize(std::FILE* file) {
    struct stat st {};
    if (::fstat(::fileno(file), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    return static_cast<std::uint64_t>(st.st_size);
}

bool isRegularFile(const char* name) {
    struct stat info {};
    return name && ::stat(name, &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace lintrel::platform
