// MTEXT lines: the runs of a line follow each other from the line's start; a line is moved left
// by half or all of its width for the centre and right attachment columns, and the block is
// moved up by half or all of its depth for the middle and bottom attachment rows.
#include "fonts/mtext_layout.h"

#include <algorithm>
#include <cmath>

#include "fonts/text_layout.h"
#include "fonts/text_vect.h"

namespace lintrel::fonts {

namespace {

struct Line {
    double width = 0;
    double height = 0;
    double baseline = 0;
};

void shear(Seg* segs, double slant) {
    for (Seg* s : ring(segs)) {
        s->x0 += s->y0 * slant;
        s->x1 += s->y1 * slant;
    }
}

}  // namespace

void layoutMText(const std::vector<MTextRun>& runs, const MTextBlock& block, FontCache& cache,
                 std::vector<Vect*>& out) {
    std::vector<LaidText> laid;
    laid.reserve(runs.size());
    int lines = 1;
    for (const MTextRun& run : runs) {
        const TextFont font = run.font.empty()
                                  ? chooseFont(block.fontFile, block.bigFontFile, cache)
                                  : chooseFont(run.font, "", cache);
        laid.push_back(
            layoutText(run.text, font, {run.height, run.widthFactor, run.tracking}, cache));
        lines = std::max(lines, run.line + 1);
    }
    std::vector<Line> line(static_cast<size_t>(lines));
    std::vector<double> runX(runs.size());
    for (size_t i = 0; i < runs.size(); ++i) {
        Line& l = line[static_cast<size_t>(runs[i].line)];
        runX[i] = l.width;
        l.width += laid[i].width;
        l.height = std::max(l.height, runs[i].height);
    }
    double baseline = 0;
    for (size_t k = 0; k < line.size(); ++k) {
        const double h = line[k].height > 0 ? line[k].height : block.height;
        baseline -= k == 0 ? h : kLinePitch * h;
        line[k].baseline = baseline;
    }
    const int row = (std::clamp(block.attachment, 1, 9) - 1) / 3;
    const int column = (std::clamp(block.attachment, 1, 9) - 1) % 3;
    const double lift = row == 0 ? 0 : row == 1 ? -baseline / 2 : -baseline;
    Placement at;
    at.x = block.x;
    at.y = block.y;
    at.rotation = block.rotation;
    at.mirrored = block.mirrored;
    for (size_t i = 0; i < runs.size(); ++i) {
        const MTextRun& run = runs[i];
        const Line& l = line[static_cast<size_t>(run.line)];
        const double oblique = run.oblique * 3.14159265358979 / 180;
        if (std::fabs(oblique) > 1e-6) shear(laid[i].segs.get(), std::tan(oblique));
        const double dx = block.x + runX[i] - l.width * column / 2.0;
        const double dy = block.y + l.baseline + lift;
        placeOutlines(laid[i].segs.get(), dx, dy, at);
        TextFields fields;
        fields.text = run.text;
        fields.fontName = run.font.empty() ? recordedFontName(block.fontFile) : runFontName(run);
        fields.rotation = block.rotation;
        fields.oblique = oblique;
        fields.widthFactor = run.widthFactor;
        double startX = 0, startY = 0;
        placePoint(startX, startY, dx, dy, at);
        out.push_back(textVect(std::move(laid[i].segs), fields, startX, startY));
    }
}

}  // namespace lintrel::fonts
