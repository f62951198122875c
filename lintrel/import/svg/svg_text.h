// SVG text as glyph outlines of the program's fonts. A text element is a list of runs (its own
// characters and those of its tspans, each in its own style); a run that sets x or y starts a
// new chunk there, and each chunk stands against its position by its text-anchor. Each run
// becomes one text vect in its colour group.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/diagnostics.h"
#include "fonts/font_cache.h"
#include "import/svg/svg_matrix.h"
#include "import/svg/svg_shapes.h"
#include "import/svg/svg_style.h"

namespace lintrel::svg {

struct TextRun {
    std::string text;  // UTF-8, white space already collapsed
    Style style;
    uint32_t colour = 0;
    bool drawn = true;  // painted and visible; a run that is not still takes its room
    // A run that sets x or y starts a chunk there (user units); the other stays the pen's.
    bool hasX = false, hasY = false;
    double x = 0, y = 0;
    bool placed() const { return hasX || hasY; }
};

class TextOutlines {
  public:
    // Lays out one text element's runs and files their text vects, user space mapped to
    // millimetres by `toOutput`.
    void draw(const std::vector<TextRun>& runs, const Matrix& toOutput, ColourGroups& groups);
    // Segs filed so far, for the drawing's budget.
    long segCount() const { return segs_; }
    // Notes the fonts and characters the texts lacked; nothing when no text was drawn.
    void finish(ImportDiagnostics& diagnostics) const;

  private:
    struct Family {
        const fonts::TrueTypeFont* font = nullptr;
        std::string name;  // the family drawn with, as the text vect records it
    };
    const Family& familyOf(const std::string& families);

    fonts::FontCache cache_;
    std::unordered_map<std::string, Family> families_;
    long segs_ = 0;
    bool used_ = false;
};

// Collapses white space as SVG text does by default: line ends and tabs become spaces, runs of
// spaces one, and the text loses its leading and trailing spaces. Runs are collapsed as one.
void collapseWhiteSpace(std::vector<TextRun>& runs);

}  // namespace lintrel::svg
