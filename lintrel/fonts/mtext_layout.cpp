// MTEXT lines: the runs of a line follow each other from the line's start; a line is moved left
// by half or all of its width for the centre and right attachment columns, and the block is
// moved up by half or all of its depth for the middle and bottom attachment rows.
#include "fonts/mtext_layout.h"

#include <algorithm>
#include <cmath>

#include "fonts/text_codes.h"
#include "fonts/text_layout.h"
#include "fonts/text_vect.h"

namespace lintrel::fonts {

namespace {

struct Line {
    double width = 0;
    double height = 0;
    double baseline = 0;
};

TextFont fontOf(const MTextRun& run, const MTextBlock& block, FontCache& cache) {
    return run.font.empty() ? chooseFont(block.fontFile, block.bigFontFile, cache)
                            : chooseFont(run.font, "", cache);
}

// Breaks runs at blanks so that lines stay within `width`: a line takes words while they fit;
// a word wider than the whole width stands alone on its line. Runs whose characters cannot be
// measured (SHX text) are not broken.
class Wrapper {
  public:
    Wrapper(double width, std::vector<MTextRun>& out) : width_(width), out_(out) {}

    void add(const MTextRun& run, const std::vector<double>& stops) {
        if (run.line != sourceLine_) {
            line_ += sourceLine_ < 0 ? run.line + 1 : run.line - sourceLine_;
            sourceLine_ = run.line;
            x_ = 0;
        }
        const std::u32string codes = codePointsOf(run.text);
        if (stops.size() != codes.size() || codes.empty())
            return emit(run, run.text, stops.empty() ? 0 : stops.back());
        size_t start = 0;
        while (start < codes.size()) {
            const double origin = start ? stops[start - 1] : 0;
            size_t end = codes.size();
            if (x_ + stops.back() - origin > width_) {
                end = breakAfter(codes, stops, start, origin);
                if (end == 0) {  // nothing fits behind what the line holds: a new line
                    newLine();
                    continue;
                }
            }
            std::string piece;
            for (size_t k = start; k < end; ++k)
                appendUtf8(piece, codes[k]);
            emit(run, std::move(piece), stops[end - 1] - origin);
            if (end < codes.size()) newLine();
            start = end;
        }
    }

  private:
    // The end of the piece from `start` that fits: just after its last fitting blank; when none
    // fits, 0 if the line already holds something, else just after the first word.
    size_t breakAfter(const std::u32string& codes, const std::vector<double>& stops, size_t start,
                      double origin) const {
        size_t fit = 0;
        for (size_t k = start; k < codes.size(); ++k) {
            const double before = (k ? stops[k - 1] : 0) - origin;
            if (x_ + before > width_) break;
            if (codes[k] == U' ' && k > start) fit = k + 1;
        }
        if (fit || x_ > 0) return fit;
        for (size_t k = start + 1; k < codes.size(); ++k)
            if (codes[k] == U' ') return k + 1;
        return codes.size();
    }

    void emit(const MTextRun& run, std::string text, double advance) {
        MTextRun piece = run;
        piece.text = std::move(text);
        piece.line = line_;
        out_.push_back(std::move(piece));
        x_ += advance;
    }
    void newLine() {
        ++line_;
        x_ = 0;
    }

    double width_;
    std::vector<MTextRun>& out_;
    int sourceLine_ = -1;
    int line_ = -1;
    double x_ = 0;
};

std::vector<MTextRun> wrapped(const std::vector<MTextRun>& runs, const MTextBlock& block,
                              FontCache& cache) {
    std::vector<MTextRun> out;
    Wrapper wrapper(block.width, out);
    for (const MTextRun& run : runs) {
        const LaidText laid = layoutText(run.text, fontOf(run, block, cache),
                                         {run.height, run.widthFactor, run.tracking}, cache);
        wrapper.add(run, laid.stops);
    }
    return out;
}

void shear(Seg* segs, double slant) {
    for (Seg* s : ring(segs)) {
        s->x0 += s->y0 * slant;
        s->x1 += s->y1 * slant;
    }
}

}  // namespace

void layoutMText(const std::vector<MTextRun>& source, const MTextBlock& block, FontCache& cache,
                 std::vector<Vect*>& out) {
    const std::vector<MTextRun> runs = block.width > 0 ? wrapped(source, block, cache) : source;
    std::vector<LaidText> laid;
    laid.reserve(runs.size());
    int lines = 1;
    for (const MTextRun& run : runs) {
        laid.push_back(layoutText(run.text, fontOf(run, block, cache),
                                  {run.height, run.widthFactor, run.tracking}, cache));
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
