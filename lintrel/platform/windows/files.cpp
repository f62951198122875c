// Files on Windows: names arrive in the ANSI code page and are opened by their wide form, so
// that every name the host can spell opens, whatever the C runtime's own locale.
#include "platform/files.h"

#include <sys/stat.h>

#include <string>

#include "platform/windows/wide_names.h"

namespace lintrel::platform {

std::FILE* openFile(const char* name, const char* mode) {
    const std::wstring wideName = wideFromLocal(name);
    if (wideName.empty() || !mode) return nullptr;
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(wideName.c_str(), wideMode.c_str());
}

std::optional<std::uint64_t> regularFileSize(std::FILE* file) {
    struct _stat64 st {};
    if (_fstat64(_fileno(file), &st) != 0 || (st.st_mode & _S_IFMT) != _S_IFREG)
        return std::nullopt;
    return static_cast<std::uint64_t>(st.st_size);
}

bool isRegularFile(const char* name) {
    const std::wstring wideName = wideFromLocal(name);
    struct _stat64 st {};
    return !wideName.empty() && _wstat64(wideName.c_str(), &st) == 0 &&
           (st.st_mode & _S_IFMT) == _S_IFREG;
}

}  // namespace lintrel::platform
