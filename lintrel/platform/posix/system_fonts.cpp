// The system font folders on Linux, listed through fontconfig.
#include "platform/system_fonts.h"

#include <fontconfig/fontconfig.h>

namespace lintrel::platform {

namespace {

const char* stringOf(FcPattern* p, const char* object, int index = 0) {
    FcChar8* value = nullptr;
    if (FcPatternGetString(p, object, index, &value) != FcResultMatch) return nullptr;
    return reinterpret_cast<const char*>(value);
}

void addFont(SystemFonts& fonts, FcPattern* font) {
    const char* file = stringOf(font, FC_FILE);
    if (!file || !isOutlineFile(file)) return;
    const char* style = stringOf(font, FC_STYLE);
    const bool regular =
        style && (std::string_view(style) == "Regular" || std::string_view(style) == "Book");
    std::vector<std::string> families;
    for (int k = 0; const char* family = stringOf(font, FC_FAMILY, k); ++k)
        families.emplace_back(family);
    fonts.add(file, families, regular);
}

// The font standing in for SimSun: SimSun itself when installed, else a Chinese sans font
// (WenQuanYi Micro Hei and its kin), else any font that covers Chinese; by path within each.
std::string findCjk() {
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

}  // namespace

SystemFonts scanSystemFonts() {
    SystemFonts fonts;
    if (!FcInit()) return fonts;
    FcPattern* all = FcPatternCreate();
    FcObjectSet* objects = FcObjectSetBuild(FC_FILE, FC_FAMILY, FC_STYLE, nullptr);
    FcFontSet* set = FcFontList(nullptr, all, objects);
    for (int i = 0; set && i < set->nfont; ++i)
        addFont(fonts, set->fonts[i]);
    if (set) FcFontSetDestroy(set);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(all);
    fonts.cjk = findCjk();
    return fonts;
}

}  // namespace lintrel::platform
