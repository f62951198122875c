// Glyph outlines of one piece of text in one font, in text coordinates: the pen starts at
// (0, 0) on the baseline and moves along +x. Straight pieces become line segs, curved pieces
// runs of three curve segs; the first seg of every contour has `jump` = 1.
#pragma once

#include <string_view>
#include <vector>

#include "fonts/font_cache.h"
#include "model/items.h"

namespace lintrel::fonts {

// The glyph source of a text: a TrueType font, or SHX shape and big fonts.
struct TextFont {
    const TrueTypeFont* trueType = nullptr;
    const ShxFile* shape = nullptr;
    const ShxFile* big = nullptr;
    bool vertical = false;  // a TrueType font named with "@": wide characters stand upright
    bool found() const { return trueType || shape || big; }
};

struct RunStyle {
    double height = 1;
    double widthFactor = 1;
    double tracking = 1;  // multiplies every advance
};

struct LaidText {
    ChainOwner<Seg> segs;
    double width = 0;  // where the pen stands after the last character
    // TrueType text: where the pen stands after each code point (for line breaking).
    std::vector<double> stops;
};

// Lays out UTF-8 `text`. A line feed starts a new line one height lower. Characters the font
// lacks come from the default TrueType font; one that no font holds ends the text.
LaidText layoutText(std::string_view text, const TextFont& font, const RunStyle& style,
                    FontCache& cache);

}  // namespace lintrel::fonts
