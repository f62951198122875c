// The SHX interpreters and the SHX text layout. The big-font interpreter reads the subset of
// shape codes that big fonts use; the shape interpreter draws vectors and displacements and
// steps over the arc codes without drawing them. Cell widths and the per-character advance
// corrections are the reader's own constants: drawn text depends on their exact values.
#include "fonts/shx_read.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace lintrel::fonts {

namespace {

double signedByte(uint8_t b) {
    return static_cast<int8_t>(b);
}

// Collects polylines in font units and maps them into text coordinates when closed.
struct Collector {
    double scaleX, scaleY, height, ox;
    ShxText& out;
    std::vector<ShxPoint> current;

    void add(double X, double Y) { current.push_back({ox + X * scaleX, Y * scaleY - height}); }
    void close() {
        if (current.size() > 1) out.polylines.push_back(std::move(current));
        current.clear();
    }
};

// The arc of a bulge from (x, y) over the chord (dx, dy), as points up to but excluding its end.
void bulgeArc(Collector& c, double x, double y, double dx, double dy, double bulge) {
    if (bulge == 0) return;
    const double chord = std::sqrt(dx * dx + dy * dy);
    if (chord == 0) return;
    // The bulge of an SHX arc is the sagitta in 127ths of half the chord, signed.
    const double b = bulge / 127.0;
    const double sweep = 4 * std::atan(b);  // counter-clockwise when positive
    const double r = chord * (1 + b * b) / (4 * std::fabs(b));
    const double mx = x + dx / 2, my = y + dy / 2;
    const double d = r - std::fabs(b) * chord / 2;  // centre's distance from the chord middle
    const double nx = -dy / chord, ny = dx / chord;
    const double sign = b > 0 ? 1 : -1;
    const double cx = mx + nx * d * sign, cy = my + ny * d * sign;
    const double start = std::atan2(y - cy, x - cx);
    for (int k = 1; k < 16; ++k) {
        const double a = start + sweep * k / 16;
        c.add(cx + r * std::cos(a), cy + r * std::sin(a));
    }
}

// Lengths of the shape commands, for the "ignore the next command" code.
size_t commandLength(std::span<const uint8_t> d, size_t i) {
    const uint8_t b = d[i];
    if (b >= 16) return 1;
    switch (b) {
        case 3:
        case 4:
        case 7:
        case 10:
            return 2;
        case 8:
            return 3;
        case 11:
            return 6;
        case 12:
            return 4;
        case 9:
        case 13: {
            size_t k = i + 1;
            while (k + 1 < d.size() && !(d[k] == 0 && d[k + 1] == 0))
                k += b == 9 ? 2 : 3;
            return k + 2 - i;
        }
        default:
            return 1;
    }
}

// Directions of the vector codes.
constexpr double kDirX[16] = {1, 1, 1, 0.5, 0, -0.5, -1, -1, -1, -1, -1, -0.5, 0, 0.5, 1, 1};
constexpr double kDirY[16] = {0, 0.5, 1, 1, 1, 1, 1, 0.5, 0, -0.5, -1, -1, -1, -1, -1, -0.5};

// Per-character advance corrections, in heights times the width factor.
double characterCorrection(unsigned char c) {
    switch (c) {
        case '0':
        case 'j':
            return -0.1668;
        case '1':
        case 'I':
            return -0.3334;
        case '!':
            return -0.1736;
        case '"':
            return 0.1608;
        case '#':
            return 0.5002;
        case '$':
            return 0.498;
        case '%':
            return 0.4948;
        case '&':
            return 0.5028;
        case '*':
            return 0.4916;
        case '+':
            return 0.5048;
        case '-':
            return 0.4988;
        case '.':
        case ':':
            return -0.1663;
        case '<':
        case '>':
        case '?':
            return 0.3328;
        case '[':
        case ']':
        case '{':
        case '}':
            return -0.3412;
        case '`':
            return -0.5076;
        case '~':
            return -0.0084;
        case 'V':
            return 0.3325;
        case 'W':
            return 0.3353;
        case 'b':
            return -0.0045;
        case 'i':
            return -0.6668;
        case 'l':
            return -0.5005;
        case '|':
            return -0.6745;
        default:
            return 0;
    }
}

bool isPunctuation(unsigned char c) {
    return (c >= '!' && c <= '/') || (c >= ':' && c <= '?');
}

// Added to the cell of a two-byte character, in heights, by interpreter mode.
double bigModeConstant(int mode) {
    static constexpr double constants[] = {-0.27095, 0.015605, 0.012467, 0, 0.13335};
    return mode >= 0 && mode <= 4 ? constants[mode] : 0;
}

}  // namespace

CShxRead::CShxRead(const ShxFile* bigFont, const ShxFile* shapeFont)
    : big_(bigFont), shape_(shapeFont) {}

int CShxRead::loadShape(unsigned char code) {
    glyph_ = {};
    if (!shape_) return shx::kNotOpened;
    return shape_->shape(code, glyph_);
}

int CShxRead::loadBigShape(unsigned code) {
    glyph_ = {};
    if (!big_) return shx::kNotOpened;
    return big_->bigShape(code, glyph_);
}

void CShxRead::drawBigGlyph(double height, double widthFactor, double ox, ShxText& out) {
    const auto d = glyph_;
    Collector c{widthFactor * height / 96, height / 96, height, ox, out, {}};
    double X = 0, Y = 0;
    auto has = [&](size_t i, size_t n) { return i + n <= d.size(); };
    auto arc = [&](double dx, double dy, double bulge) {
        if (c.current.empty()) c.add(X, Y);
        bulgeArc(c, X, Y, dx, dy, bulge);
        X += dx;
        Y += dy;
        c.add(X, Y);
    };
    for (size_t i = 3; i < d.size();) {
        const uint8_t b = d[i];
        if (b == 2) {
            c.close();
            if (has(i, 4) && d[i + 1] == 8) {
                X += signedByte(d[i + 2]);
                Y += signedByte(d[i + 3]);
                c.add(X, Y);
                i += 4;
            } else {
                i += 1;
            }
        } else if (b == 8 && has(i, 3)) {
            X += signedByte(d[i + 1]);
            Y += signedByte(d[i + 2]);
            c.add(X, Y);
            i += 3;
        } else if (b >= 9 && b <= 12 && has(i, 4)) {
            arc(signedByte(d[i + 1]), signedByte(d[i + 2]), signedByte(d[i + 3]));
            i += 4;
        } else if ((b == 3 || b == 4 || b == 7) && has(i, 3) &&
                   ((d[i + 1] == 142 && d[i + 2] == 2) || (d[i + 1] == 143 && d[i + 2] == 0))) {
            if (d[i + 1] == 143) c.close();
            i += 2;
        } else if ((b <= 1 || b == 5 || b == 6 || b == 14) && has(i, 4) && d[i + 1] == 8) {
            X += signedByte(d[i + 2]);
            Y += signedByte(d[i + 3]);
            c.add(X, Y);
            i += 4;
        } else if ((b <= 1 || b == 5 || b == 6 || b == 14) && has(i, 5) && d[i + 1] == 12) {
            arc(signedByte(d[i + 3]), signedByte(d[i + 4]), signedByte(d[i + 2]));
            i += 5;
        } else {
            i += 1;
        }
    }
    c.close();
}

struct CShxRead::Pen {
    double X = 0, Y = 0, m = 1;
    bool down = false;
};

void CShxRead::drawShapeGlyph(double height, double widthFactor, double ox, ShxText& out) {
    auto d = glyph_;
    // A compiled definition starts with the shape's name, NUL-terminated.
    for (size_t k = 0; k < d.size(); ++k)
        if (d[k] == 0) {
            d = d.subspan(k + 1);
            break;
        }
    const double above = shape_ ? shape_->above() : 8;
    Collector c{widthFactor * height / above, height / above, height, ox, out, {}};
    // Shapes start drawing at their origin, as the SHX format defines: a first vector is drawn.
    Pen pen;
    pen.down = true;
    c.add(0, 0);
    std::vector<Pen> stack;
    auto moveBy = [&](double dx, double dy) {
        pen.X += dx * pen.m;
        pen.Y += dy * pen.m;
        if (pen.down) c.add(pen.X, pen.Y);
    };
    for (size_t i = 0; i < d.size();) {
        const uint8_t b = d[i];
        const size_t length = std::min(commandLength(d, i), d.size() - i);
        if (b >= 16) {
            moveBy(kDirX[b & 15] * (b >> 4), kDirY[b & 15] * (b >> 4));
        } else if (b == 1) {
            if (!pen.down) c.add(pen.X, pen.Y);
            pen.down = true;
        } else if (b == 2) {
            pen.down = false;
            c.close();
        } else if ((b == 3 || b == 4) && length == 2 && d[i + 1] != 0) {
            pen.m = b == 3 ? pen.m / d[i + 1] : pen.m * d[i + 1];
        } else if (b == 5) {
            if (stack.size() < 5) stack.push_back(pen);
        } else if (b == 6) {
            if (!stack.empty()) {
                const bool down = pen.down;
                pen = stack.back();
                pen.down = down;
                stack.pop_back();
                if (down) {
                    c.close();
                    c.add(pen.X, pen.Y);
                }
            }
        } else if (b == 8 && length == 3) {
            moveBy(signedByte(d[i + 1]), signedByte(d[i + 2]));
        } else if (b == 9) {
            for (size_t k = i + 1; k + 1 < i + length && !(d[k] == 0 && d[k + 1] == 0); k += 2)
                moveBy(signedByte(d[k]), signedByte(d[k + 1]));
        } else if (b == 14 && i + 1 < d.size()) {
            i += 1 + std::min(commandLength(d, i + 1), d.size() - i - 1);
            continue;
        }
        i += length;
    }
    c.close();
}

ShxText CShxRead::drawText(std::string_view text, double height, double widthFactor, int mode) {
    if (text.starts_with('{')) text = text.size() > 6 ? text.substr(5, text.size() - 6) : "";
    ShxText out;
    double pen = 0, advance = 0;
    bool first = true;
    const double cell = widthFactor * height;
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char ch = static_cast<unsigned char>(text[i]);
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if ((ch == ' ' && next == '&') ||
            (ch == '\\' && (next == '{' || next == '}' || next == '\\')))
            continue;
        if (ch >= 128) {
            pen += advance;
            first = false;
            const unsigned code =
                i + 1 < text.size() ? ch * 256u + static_cast<unsigned char>(text[i + 1]) : ch;
            if (i + 1 < text.size()) ++i;
            if (loadBigShape(code) > 0) {
                drawBigGlyph(height, widthFactor, pen, out);
                advance = cell + bigModeConstant(mode) * height;
            }
            continue;
        }
        if (isPunctuation(ch)) advance -= 0.0075 * height * widthFactor;
        if (!first) pen += advance;
        first = false;
        const bool drawn = loadShape(ch) > 0;
        if (drawn) drawShapeGlyph(height, widthFactor, pen, out);
        advance = mode == 3 && drawn ? cell : cell + 0.00785 * height;
        if (!drawn) continue;
        if (isPunctuation(ch)) advance -= 0.5008 * height * widthFactor;
        advance += characterCorrection(ch) * height * widthFactor;
    }
    out.advance = pen + advance;
    return out;
}

}  // namespace lintrel::fonts
