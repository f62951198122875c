// Font loading per import and the diagnostics that name the fonts an import could not find.
#include "fonts/font_cache.h"

#include "base/diagnostics.h"
#include "fonts/font_diagnostics.h"
#include "fonts/font_files.h"
#include "fonts/shx_file.h"

namespace lintrel::fonts {

namespace {

std::string joined(const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& n : names)
        out += (out.empty() ? "" : ", ") + (n.empty() ? std::string("(no name)") : n);
    return out;
}

}  // namespace

FontCache::FontCache() = default;
FontCache::~FontCache() = default;

const TrueTypeFont* FontCache::loadPath(const std::string& path) {
    auto [it, fresh] = byPath_.try_emplace(path);
    if (fresh) {
        ++filesRead_;
        it->second = TrueTypeFont::load(path);
        if (!it->second) unreadable_.push_back(path);
    }
    return it->second.get();
}

const TrueTypeFont* FontCache::trueType(std::string_view name) {
    const std::string key(name);
    if (const auto it = byName_.find(key); it != byName_.end()) return it->second;
    // A family name (no extension), as MTEXT font codes give them, is matched by family first.
    std::string path;
    if (key.find('.') == std::string::npos) path = findFontFamily(key);
    bool substituted = false;
    if (path.empty()) path = findTrueTypeFile(key, &substituted);
    const TrueTypeFont* font = path.empty() ? nullptr : loadPath(path);
    if (!font && !path.empty() && !substituted) {
        // The named file is no font this reader understands: the defaults stand in.
        path = findTrueTypeFile(fontSettings().defaultFile);
        font = path.empty() ? nullptr : loadPath(path);
        substituted = true;
    }
    if (!font)
        missing_.push_back(key);
    else if (substituted)
        replaced_.push_back(key);
    byName_.emplace(key, font);
    return font;
}

const TrueTypeFont* FontCache::defaultTrueType() {
    if (!defaultLooked_) {
        defaultLooked_ = true;
        const std::string path = findTrueTypeFile(fontSettings().defaultFile);
        default_ = path.empty() ? nullptr : loadPath(path);
    }
    return default_;
}

const ShxFile* FontCache::shx(std::string_view name) {
    auto [it, fresh] = shx_.try_emplace(std::string(name));
    if (fresh) {
        const std::string path = findShxFile(name);
        if (!path.empty()) it->second = ShxFile::load(path);
        if (!path.empty() && !it->second) unreadable_.push_back(path);
    }
    return it->second.get();
}

const ShxFile* FontCache::bigShx(std::string_view name) {
    const bool seen = shx_.contains(std::string(name));
    const ShxFile* font = shx(name);
    if (!font && !seen) missingBig_.emplace_back(name);
    return font;
}

void FontCache::reportDiagnostics(ImportDiagnostics& d) const {
    if (!replaced_.empty())
        d.note(diag::kFontReplaced,
               "fonts not found, drawn in the default font: " + joined(replaced_),
               static_cast<long>(replaced_.size()));
    if (!missing_.empty())
        d.note(diag::kFontMissing,
               "fonts not found, texts left without outlines: " + joined(missing_),
               static_cast<long>(missing_.size()));
    if (!missingBig_.empty())
        d.note(diag::kBigFontMissing,
               "big fonts not found, their characters left out: " + joined(missingBig_),
               static_cast<long>(missingBig_.size()));
    if (missingGlyphs_ > 0)
        d.note(diag::kGlyphMissing, "characters missing from every font ended their texts",
               missingGlyphs_);
    if (!unreadable_.empty())
        d.note(diag::kFontUnreadable, "font files that could not be read: " + joined(unreadable_),
               static_cast<long>(unreadable_.size()));
}

}  // namespace lintrel::fonts
