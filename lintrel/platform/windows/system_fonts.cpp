// The system font folder on Windows (the Fonts folder of the Windows folder), and the family
// names that the system's font list in the registry gives its files.
#include "platform/system_fonts.h"

#include <windows.h>

#include "platform/windows/wide_names.h"

namespace lintrel::platform {

namespace {

std::wstring fontsFolder() {
    wchar_t windows[MAX_PATH];
    const UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return std::wstring(windows, length) + L"\\Fonts\\";
}

void addFolder(SystemFonts& fonts, const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const std::string path = localFromWide(folder + found.cFileName);
        if (!path.empty() && isOutlineFile(path)) fonts.add(path, {}, false);
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

// "Arial Bold (TrueType)" names the family "Arial Bold"; a collection lists its families
// joined by " & ". The family without its style words is indexed too, regular styles first.
void addFamilies(SystemFonts& fonts, std::wstring name, const std::wstring& folder,
                 const std::wstring& file) {
    if (const size_t open = name.rfind(L" ("); open != std::wstring::npos) name.resize(open);
    const std::wstring full = file.find(L'\\') == std::wstring::npos ? folder + file : file;
    const std::string path = localFromWide(full);
    if (path.empty() || !isOutlineFile(path)) return;
    std::vector<std::string> families;
    bool regular = true;
    for (size_t from = 0; from <= name.size();) {
        size_t to = name.find(L" & ", from);
        if (to == std::wstring::npos) to = name.size();
        std::wstring family = name.substr(from, to - from);
        for (const wchar_t* style : {L" Italic", L" Oblique", L" Bold"}) {
            const size_t at = family.find(style);
            if (at == std::wstring::npos) continue;
            regular = false;
            family.resize(at);
        }
        if (const std::string local = localFromWide(family); !local.empty())
            families.push_back(local);
        from = to + 3;
    }
    fonts.add(path, families, regular);
}

void addRegistered(SystemFonts& fonts, const std::wstring& folder) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts",
                      0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    for (DWORD index = 0;; ++index) {
        wchar_t name[512];
        wchar_t file[MAX_PATH];
        DWORD nameLength = 512, fileBytes = sizeof file - sizeof(wchar_t), type = 0;
        const LONG status = RegEnumValueW(key, index, name, &nameLength, nullptr, &type,
                                          reinterpret_cast<BYTE*>(file), &fileBytes);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status != ERROR_SUCCESS || type != REG_SZ) continue;
        file[fileBytes / sizeof(wchar_t)] = L'\0';
        addFamilies(fonts, std::wstring(name, nameLength), folder, file);
    }
    RegCloseKey(key);
}

}  // namespace

SystemFonts scanSystemFonts() {
    SystemFonts fonts;
    const std::wstring folder = fontsFolder();
    if (folder.empty()) return fonts;
    addRegistered(fonts, folder);
    addFolder(fonts, folder);
    // SimSun itself is found by name; Microsoft YaHei and SimHei stand in on systems without it.
    for (const char* name : {"simsun.ttc", "simsun.ttf", "msyh.ttc", "msyh.ttf", "simhei.ttf"}) {
        if (const auto it = fonts.byFile.find(name); it != fonts.byFile.end()) {
            fonts.cjk = it->second.path;
            break;
        }
    }
    return fonts;
}

}  // namespace lintrel::platform
