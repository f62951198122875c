// The font settings and the font file lookup. The system folders are indexed once per process
// through fontconfig, by file name (without case, as on Windows) and by family name.
#include "fonts/font_files.h"

#include <fontconfig/fontconfig.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <unordered_map>

namespace lintrel::fonts {

namespace {

bool systemSearch = true;

std::string lowered(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string baseName(std::string_view path) {
    const size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

bool isOutlineFile(std::string_view path) {
    const std::string name = lowered(path);
    return name.ends_with(".ttf") || name.ends_with(".ttc") || name.ends_with(".otf");
}

const char* stringOf(FcPattern* p, const char* object, int index = 0) {
    FcChar8* value = nullptr;
    if (FcPatternGetString(p, object, index, &value) != FcResultMatch) return nullptr;
    return reinterpret_cast<const char*>(value);
}

// A font file's path. (A map of standard types alone would be exported from the shared
// library by unoptimised builds; this type keeps the instantiation inside.)
struct FontPath {
    std::string path;
};

// The font files of the system folders, by lower-case file name and by lower-case family.
struct SystemFonts {
    std::unordered_map<std::string, FontPath> byFile, byFamily;
    std::string cjk;  // the platform's CJK font, standing in for the default Chinese font

    SystemFonts() {
        if (!FcInit()) return;
        FcPattern* all = FcPatternCreate();
        FcObjectSet* objects = FcObjectSetBuild(FC_FILE, FC_FAMILY, FC_STYLE, nullptr);
        FcFontSet* set = FcFontList(nullptr, all, objects);
        for (int i = 0; set && i < set->nfont; ++i)
            add(set->fonts[i]);
        if (set) FcFontSetDestroy(set);
        FcObjectSetDestroy(objects);
        FcPatternDestroy(all);
        cjk = findCjk();
    }

    void add(FcPattern* font) {
        const char* file = stringOf(font, FC_FILE);
        if (!file || !isOutlineFile(file)) return;
        byFile.emplace(lowered(baseName(file)), FontPath{file});
        const char* style = stringOf(font, FC_STYLE);
        const bool regular =
            style && (std::string_view(style) == "Regular" || std::string_view(style) == "Book");
        for (int k = 0; const char* family = stringOf(font, FC_FAMILY, k); ++k) {
            auto [it, fresh] = byFamily.emplace(lowered(family), FontPath{file});
            if (!fresh && regular) it->second.path = file;
        }
    }

    // The font standing in for SimSun: SimSun itself when installed, else a Chinese sans font
    // (WenQuanYi Micro Hei and its kin), else any font that covers Chinese; by path within each.
    static std::string findCjk() {
        FcPattern* want = FcPatternCreate();
        FcPatternAddString(want, FC_LANG, reinterpret_cast<const FcChar8*>("zh-cn"));
        FcObjectSet* objects = FcObjectSetBuild(FC_FILE, FC_FAMILY, nullptr);
        FcFontSet* set = FcFontList(nullptr, want, objects);
        std::string best;
        int bestRank = 3;
        for (int i = 0; set && i < set->nfont; ++i) {
            const char* file = stringOf(set->fonts[i], FC_FILE);
            if (!file || !isOutlineFile(file)) continue;
            int rank = 2;
            for (int k = 0; const char* family = stringOf(set->fonts[i], FC_FAMILY, k); ++k) {
                const std::string name = lowered(family);
                if (name == "simsun")
                    rank = 0;
                else if (rank > 1 && (name.find("sans") != std::string::npos ||
                                      name.find("hei") != std::string::npos))
                    rank = 1;
            }
            if (rank < bestRank || (rank == bestRank && file < best)) {
                best = file;
                bestRank = rank;
            }
        }
        if (set) FcFontSetDestroy(set);
        FcObjectSetDestroy(objects);
        FcPatternDestroy(want);
        return best;
    }
};

const SystemFonts& systemFonts() {
    static const SystemFonts fonts;
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
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
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
