// Placing glyph outlines and filing them as text vects.
#include "fonts/text_vect.h"

#include <cmath>

#include "fonts/font_files.h"

namespace lintrel::fonts {

namespace {

// The trigonometry of a placement, worked out once for all the points of a text.
struct Placing {
    explicit Placing(const Placement& at)
        : at(at),
          shear(std::fabs(at.oblique) > 1e-6),
          turn(std::fabs(at.rotation) > 1e-6),
          slant(shear ? std::tan(at.oblique) : 0),
          c(std::cos(at.rotation)),
          s(std::sin(at.rotation)) {}

    void operator()(double& x, double& y, double dx, double dy) const {
        x += dx;
        y += dy;
        if (shear) x += (y - at.y) * slant;
        if (at.generation & 2) x = 2 * at.x - x;
        if (at.generation & 4) y = 2 * at.y - y;
        if (turn) {
            const double rx = x - at.x, ry = y - at.y;
            x = at.x + rx * c - ry * s;
            y = at.y + rx * s + ry * c;
        }
        if (at.mirrored) x = 2 * at.x - x;
    }

    const Placement& at;
    bool shear, turn;
    double slant, c, s;
};

}  // namespace

void placePoint(double& x, double& y, double dx, double dy, const Placement& at) {
    const Placing place(at);
    place(x, y, dx, dy);
}

void placeOutlines(Seg* segs, double dx, double dy, const Placement& at) {
    const Placing place(at);
    for (Seg* seg : ring(segs)) {
        place(seg->x0, seg->y0, dx, dy);
        place(seg->x1, seg->y1, dx, dy);
    }
}

Vect* textVect(ChainOwner<Seg> segs, const TextFields& fields, double x, double y) {
    Vect* v = newVect();
    v->type = LINTREL_TEXT;
    v->closed = 1;
    v->text = duplicateText(fields.text.c_str());
    v->fontName = duplicateText(fields.fontName.c_str());
    v->liftHeight = fields.rotation;
    v->workHeight = fields.oblique;
    v->textHeight = fields.widthFactor;
    v->segs = segs.release();
    bool first = true;
    for (Seg* s : ring(v->segs)) {
        for (const auto& [px, py] : {std::pair{s->x0, s->y0}, std::pair{s->x1, s->y1}}) {
            if (first || px < v->xMin) v->xMin = px;
            if (first || py < v->yMin) v->yMin = py;
            if (first || px > v->xMax) v->xMax = px;
            if (first || py > v->yMax) v->yMax = py;
            first = false;
        }
    }
    if (first) {
        v->xMin = v->xMax = x;
        v->yMin = v->yMax = y;
    }
    if (v->segs) {
        v->segs->z0 = x;
        v->segs->z1 = y;
    }
    return v;
}

TextFont chooseFont(const std::string& fontFile, const std::string& bigFontFile, FontCache& cache) {
    TextFont font;
    if (endsWithShx(fontFile)) {
        font.shape = cache.shx(fontFile);
        if (font.shape) {
            if (endsWithShx(bigFontFile)) font.big = cache.bigShx(bigFontFile);
            return font;
        }
    }
    std::string name = fontFile;
    if (name.starts_with('@')) {
        font.vertical = true;
        name.erase(0, 1);
    }
    font.trueType = cache.trueType(name);
    return font;
}

std::string recordedFontName(const std::string& fontFile) {
    const size_t dot = fontFile.rfind('.');
    if (dot != std::string::npos && fontFile.size() - dot <= 4) return fontFile.substr(0, dot);
    return fontFile;
}

}  // namespace lintrel::fonts
