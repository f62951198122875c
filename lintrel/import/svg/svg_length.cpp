// Units and viewports. Physical units go through the CSS pixel (96 per inch); em and ex take
// the font size (ex as half of it, as renderers do without font metrics).
#include "import/svg/svg_length.h"

#include <algorithm>
#include <cmath>

#include "import/svg/svg_numbers.h"

namespace lintrel::svg {

namespace {

bool sameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if ((a[i] | 0x20) != b[i]) return false;
    return true;
}

double percentBase(const LengthBase& base, Axis axis) {
    if (axis == Axis::kX) return base.viewportWidth;
    if (axis == Axis::kY) return base.viewportHeight;
    return std::hypot(base.viewportWidth, base.viewportHeight) / std::sqrt(2.0);
}

}  // namespace

LengthStatus parseLength(std::string_view text, const LengthBase& base, Axis axis, Length& out) {
    text = trimmed(text);
    double number = 0;
    size_t used = 0;
    if (!leadingNumber(text, number, used) || !std::isfinite(number)) return LengthStatus::kBad;
    const std::string_view unit = text.substr(used);
    struct Unit {
        const char* name;
        double pixels;
    };
    static constexpr Unit kAbsolute[] = {{"", 1},           {"px", 1},  {"mm", 96 / 25.4},
                                         {"cm", 96 / 2.54}, {"in", 96}, {"pt", 96.0 / 72},
                                         {"pc", 16}};
    out = {};
    out.number = number;
    for (const Unit& u : kAbsolute)
        if (sameLetters(unit, u.name)) {
            out.value = number * u.pixels;
            return LengthStatus::kAbsolute;
        }
    if (unit == "%") {
        out.percent = true;
        out.value = number / 100 * percentBase(base, axis);
    } else if (sameLetters(unit, "em")) {
        out.value = number * base.fontSize;
    } else if (sameLetters(unit, "ex")) {
        out.value = number * base.fontSize / 2;
    } else {
        return LengthStatus::kBad;
    }
    return LengthStatus::kRelative;
}

bool parseViewBox(std::string_view text, ViewBox& out) {
    double v[4];
    int count = 0;
    if (!numberList(text, v, 4, count) || count != 4) return false;
    for (double d : v)
        if (!std::isfinite(d)) return false;
    if (!(v[2] > 0 && v[3] > 0)) return false;
    out = {v[0], v[1], v[2], v[3]};
    return true;
}

AspectRatio parseAspectRatio(std::string_view text) {
    AspectRatio aspect;
    text = trimmed(text);
    if (text.starts_with("defer")) text = trimmed(text.substr(5));
    const std::string_view align = text.substr(0, std::min(text.find(' '), text.size()));
    const std::string_view rest = trimmed(text.substr(align.size()));
    aspect.slice = rest == "slice";
    if (align == "none") {
        aspect.none = true;
        return aspect;
    }
    // xMinYMin ... xMaxYMax; anything else keeps the default xMidYMid.
    if (align.size() != 8 || align[0] != 'x' || align[4] != 'Y') return aspect;
    auto position = [](std::string_view s) {
        return s == "Min" ? 0 : s == "Mid" ? 1 : s == "Max" ? 2 : -1;
    };
    const int x = position(align.substr(1, 3)), y = position(align.substr(5, 3));
    if (x >= 0 && y >= 0) aspect.alignX = x, aspect.alignY = y;
    return aspect;
}

Matrix viewBoxTransform(const ViewBox& box, const AspectRatio& aspect, double x, double y,
                        double width, double height) {
    double sx = width / box.width, sy = height / box.height;
    if (!aspect.none) sx = sy = aspect.slice ? std::max(sx, sy) : std::min(sx, sy);
    double tx = x - box.x * sx, ty = y - box.y * sy;
    if (!aspect.none) {
        tx += (width - box.width * sx) * aspect.alignX / 2;
        ty += (height - box.height * sy) * aspect.alignY / 2;
    }
    return {sx, 0, 0, sy, tx, ty};
}

}  // namespace lintrel::svg
