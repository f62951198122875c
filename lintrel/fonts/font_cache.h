// The fonts of one import: every font file is found and loaded once, however many texts use it,
// and every font that could not be found is named once in the import diagnostics.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/diagnostics.h"
#include "fonts/truetype_font.h"

namespace lintrel::fonts {

class ShxFile;

class FontCache {
  public:
    FontCache();
    ~FontCache();
    FontCache(const FontCache&) = delete;
    FontCache& operator=(const FontCache&) = delete;

    // The TrueType font for a style's font file name or an MTEXT font family, found by the
    // lookup order (defaults standing in); null when no font at all can be found.
    const TrueTypeFont* trueType(std::string_view name);
    // The default TrueType file, for characters the chosen font lacks.
    const TrueTypeFont* defaultTrueType();
    // An SHX font file by name; null when it cannot be found or read.
    const ShxFile* shx(std::string_view name);
    // The same for a big font, naming it in the diagnostics when it is missing.
    const ShxFile* bigShx(std::string_view name);

    void noteMissingGlyphs(long count) { missingGlyphs_ += count; }
    // Writes what this import's texts lacked into its diagnostics.
    void reportDiagnostics(ImportDiagnostics& d) const;
    // How many TrueType files this cache has read: each at most once, however many texts use it.
    long filesRead() const { return filesRead_; }

  private:
    const TrueTypeFont* loadPath(const std::string& path);

    std::unordered_map<std::string, std::unique_ptr<TrueTypeFont>> byPath_;
    std::unordered_map<std::string, const TrueTypeFont*> byName_;
    std::unordered_map<std::string, std::unique_ptr<ShxFile>> shx_;
    const TrueTypeFont* default_ = nullptr;
    bool defaultLooked_ = false;
    std::vector<std::string> replaced_, missing_, unreadable_, missingBig_;
    long missingGlyphs_ = 0;
    long filesRead_ = 0;
};

}  // namespace lintrel::fonts
