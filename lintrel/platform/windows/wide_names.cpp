// File names between the ANSI code page and UTF-16.
#include "platform/windows/wide_names.h"

#include <windows.h>

namespace lintrel::platform {

std::wstring wideFromLocal(const char* name) {
    if (!name || !*name) return {};
    const int length = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, name, -1, nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, name, -1, wide.data(), length);
    wide.pop_back();  // the terminating NUL
    return wide;
}

std::string localFromWide(const std::wstring& name) {
    if (name.empty()) return {};
    BOOL lossy = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.c_str(), -1, nullptr,
                                           0, nullptr, &lossy);
    if (length <= 0 || lossy) return {};
    std::string local(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.c_str(), -1, local.data(), length,
                        nullptr, nullptr);
    local.pop_back();
    return local;
}

}  // namespace lintrel::platform
