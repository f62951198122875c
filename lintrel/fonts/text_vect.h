// Text vects (type 2007): glyph outlines placed at the insertion point with the oblique angle,
// the generation flags, the rotation and the extrusion mirror, and the text's own fields.
#pragma once

#include <string>

#include "fonts/font_cache.h"
#include "fonts/text_layout.h"
#include "model/items.h"

namespace lintrel::fonts {

struct Placement {
    double x = 0, y = 0;    // insertion point: every step turns about it
    double rotation = 0;    // radians, counter-clockwise
    double oblique = 0;     // radians, slanting to the right
    int generation = 0;     // bit value 2 mirrors in x, 4 in y
    bool mirrored = false;  // extrusion against the drawing's normal: mirror in x
};

// Moves text coordinates by (dx, dy), then applies the placing steps in their order.
void placeOutlines(Seg* segs, double dx, double dy, const Placement& at);
void placePoint(double& x, double& y, double dx, double dy, const Placement& at);

// The fields a text vect carries besides its outlines.
struct TextFields {
    std::string text;
    std::string fontName;
    double rotation = 0, oblique = 0, widthFactor = 1;
};

// A closed text vect owning `segs` (may be empty), with the insertion point in the first seg
// and the box of the outlines.
Vect* textVect(ChainOwner<Seg> segs, const TextFields& fields, double x, double y);

// The glyph source for a style's font files: SHX when the font file is an SHX name and can be
// read, else TrueType by the lookup order. `vertical` is set for "@" TrueType names.
TextFont chooseFont(const std::string& fontFile, const std::string& bigFontFile, FontCache& cache);

// The font name a text vect records: the font file name without its extension.
std::string recordedFontName(const std::string& fontFile);

}  // namespace lintrel::fonts
