// The font settings and the font file lookup. The system folders are indexed once per process
// (see platform/system_fonts.h), by file name (without case, as on Windows) and by family name.
#include "fonts/font_files.h"

#include "platform/files.h"
#include "platform/system_fonts.h"

namespace lintrel::fonts {

namespace {

using platform::lowered;
using platform::SystemFonts;

bool systemSearch = true;

const SystemFonts& systemFonts() {
    static const SystemFonts fonts = platform::scanSystemFonts();
    return fonts;
}

// The system folders' file called `name`; the CJK font for the default Chinese font names.
std::string systemFile(std::string_view name) {
    if (!systemSearch || name.empty()) return {};
    const SystemFonts& fonts = systemFonts();
    const std::string key = lowered(name);
    if (const auto it = fonts.byFile.find(key); it != fonts.byFile.end()) return it->second.path;
    if (key == "simsun.ttf" || key == "simsun.ttc") return fonts.cjk;
    return {};
}

std::string inFolder(std::string_view name) {
    if (name.empty()) return {};
    std::string path = fontSettings().folder + std::string(name);
    return isRegularFile(path) ? path : std::string();
}

}  // namespace

FontSettings& fontSettings() {
    static FontSettings settings;
    return settings;
}

void setSystemFontSearch(bool on) {
    systemSearch = on;
}

bool endsWithShx(std::string_view name) {
    return name.ends_with(".shx") || name.ends_with(".SHX");
}

bool isRegularFile(const std::string& path) {
    return platform::isRegularFile(path.c_str());
}

std::string findTrueTypeFile(std::string_view name, bool* substituted) {
    const FontSettings& s = fontSettings();
    const std::string_view first = endsWithShx(name) ? std::string_view(s.defaultFile) : name;
    int step = 0;
    for (const std::string_view candidate :
         {first, std::string_view(s.defaultFile), std::string_view(s.fallbackFile)}) {
        std::string path = inFolder(candidate);
        if (path.empty()) path = systemFile(candidate);
        if (!path.empty()) {
            if (substituted) *substituted = step > 0 || first != name;
            return path;
        }
        ++step;
    }
    return {};
}

std::string findFontFamily(std::string_view family) {
    if (!systemSearch || family.empty()) return {};
    const SystemFonts& fonts = systemFonts();
    const auto it = fonts.byFamily.find(lowered(family));
    return it == fonts.byFamily.end() ? std::string() : it->second.path;
}

std::string findShxFile(std::string_view name) {
    if (name.empty()) return {};
    if (std::string path = inFolder(name); !path.empty()) return path;
    if (std::string path = systemFile(name); !path.empty()) return path;
    return isRegularFile(std::string(name)) ? std::string(name) : std::string();
}

}  // namespace lintrel::fonts
