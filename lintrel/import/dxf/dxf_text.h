// TEXT and MTEXT of a DXF document into text vects: the typed parsers over the groups the
// entity pass kept, text decoding by the drawing's code page, font choice through the style
// table, and the glyph outlines of lintrel/fonts/. One converter serves a whole import, so every
// font is loaded once however many texts use it.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include <lintrel/lintrel.h>

#include "fonts/font_cache.h"
#include "fonts/text_codes.h"
#include "import/dxf/dxf_document.h"

namespace lintrel::dxf {

struct DxfText {
    std::string text;  // UTF-8, escapes expanded
    std::string style = "STANDARD";
    Vec3 first, second;
    double height = 0, xScale = 1, rotation = 0, oblique = 0;  // angles in degrees
    int generation = 0, hJustify = 0, vJustify = 0;
};

struct DxfMText {
    std::string text;  // UTF-8, escapes expanded, formatting codes kept
    std::string style = "STANDARD";
    Vec3 at;
    Vec3 direction;  // x-axis direction; zero when the file gives none
    double height = 0, rotation = 0, width = 0;
    int attachment = 1;
};

class TextConverter {
  public:
    explicit TextConverter(const DxfDocument& doc);

    DxfText parseText(const DxfRawEntity& e);
    DxfMText parseMText(const DxfRawEntity& e);

    Vect* convertText(const DxfRawEntity& e);
    void convertMText(const DxfRawEntity& e, std::vector<Vect*>& out);

    // Converts the TEXT and then the MTEXT entities of `layer` in `entities`, file order
    // within each kind, handing each vect with its entity's colour to `add`.
    void convertLayer(const DxfEntities& entities, int layer,
                      const std::function<void(int, Vect*)>& add);
    // Converts every TEXT and then every MTEXT entity of a block's contents, file order within
    // each kind, whatever their layers (as the block's other entities are).
    void convertAll(const DxfEntities& entities, const std::function<void(int, Vect*)>& add);

    // Notes what the texts of this import lacked in its diagnostics.
    void finish(ImportDiagnostics& diagnostics);
    // How many font files the texts of this import loaded.
    long fontFilesRead() const { return cache_.filesRead(); }

  private:
    const DxfStyle* style(const std::string& name);
    std::string decoded(std::string_view raw);
    bool mirrored(const DxfEntity& e) const;

    const DxfDocument& doc_;
    fonts::FontCache cache_;
    fonts::TextEncoding encoding_;
    std::unordered_map<std::string, const DxfStyle*> styles_;  // by upper-case name
    std::unordered_map<const DxfEntities*, std::vector<std::vector<uint32_t>>> buckets_;
    std::vector<Vect*> scratch_;
    long undecodable_ = 0;
    long missingStyles_ = 0;
};

}  // namespace lintrel::dxf
