// MTEXT into text vects: its runs laid out one after the other along their lines, each line
// aligned by the attachment point, the block placed at the insertion point and turned by the
// MTEXT's rotation. Every run becomes one text vect.
#pragma once

#include <string>
#include <vector>

#include "fonts/font_cache.h"
#include "fonts/mtext_runs.h"
#include "model/items.h"

namespace lintrel::fonts {

struct MTextBlock {
    double x = 0, y = 0;  // insertion point
    double height = 1;    // group 40
    int attachment = 1;   // 1 ... 9: top, middle, bottom rows; left, centre, right columns
    double width = 0;     // reference width (group 41): lines break at blanks beyond it
    double rotation = 0;  // radians, counter-clockwise
    bool mirrored = false;
    std::string fontFile, bigFontFile;  // the style's
};

// Line pitch as a multiple of the line's tallest run: the usual spacing of MTEXT paragraphs.
inline constexpr double kLinePitch = 5.0 / 3.0;

// Appends one text vect per run to `out`, in run order.
void layoutMText(const std::vector<MTextRun>& runs, const MTextBlock& block, FontCache& cache,
                 std::vector<Vect*>& out);

}  // namespace lintrel::fonts
