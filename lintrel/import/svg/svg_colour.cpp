// Colour syntax. Keywords are looked up in a sorted table of the CSS colour names.
#include "import/svg/svg_colour.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>

#include "import/svg/svg_numbers.h"

namespace lintrel::svg {

namespace {

struct NamedColour {
    const char* name;
    uint32_t rgb;  // 0xRRGGBB as written in CSS
};

constexpr NamedColour kNamedColours[] = {{"aliceblue", 0xF0F8FF},
                                         {"antiquewhite", 0xFAEBD7},
                                         {"aqua", 0x00FFFF},
                                         {"aquamarine", 0x7FFFD4},
                                         {"azure", 0xF0FFFF},
                                         {"beige", 0xF5F5DC},
                                         {"bisque", 0xFFE4C4},
                                         {"black", 0x000000},
                                         {"blanchedalmond", 0xFFEBCD},
                                         {"blue", 0x0000FF},
                                         {"blueviolet", 0x8A2BE2},
                                         {"brown", 0xA52A2A},
                                         {"burlywood", 0xDEB887},
                                         {"cadetblue", 0x5F9EA0},
                                         {"chartreuse", 0x7FFF00},
                                         {"chocolate", 0xD2691E},
                                         {"coral", 0xFF7F50},
                                         {"cornflowerblue", 0x6495ED},
                                         {"cornsilk", 0xFFF8DC},
                                         {"crimson", 0xDC143C},
                                         {"cyan", 0x00FFFF},
                                         {"darkblue", 0x00008B},
                                         {"darkcyan", 0x008B8B},
                                         {"darkgoldenrod", 0xB8860B},
                                         {"darkgray", 0xA9A9A9},
                                         {"darkgreen", 0x006400},
                                         {"darkgrey", 0xA9A9A9},
                                         {"darkkhaki", 0xBDB76B},
                                         {"darkmagenta", 0x8B008B},
                                         {"darkolivegreen", 0x556B2F},
                                         {"darkorange", 0xFF8C00},
                                         {"darkorchid", 0x9932CC},
                                         {"darkred", 0x8B0000},
                                         {"darksalmon", 0xE9967A},
                                         {"darkseagreen", 0x8FBC8F},
                                         {"darkslateblue", 0x483D8B},
                                         {"darkslategray", 0x2F4F4F},
                                         {"darkslategrey", 0x2F4F4F},
                                         {"darkturquoise", 0x00CED1},
                                         {"darkviolet", 0x9400D3},
                                         {"deeppink", 0xFF1493},
                                         {"deepskyblue", 0x00BFFF},
                                         {"dimgray", 0x696969},
                                         {"dimgrey", 0x696969},
                                         {"dodgerblue", 0x1E90FF},
                                         {"firebrick", 0xB22222},
                                         {"floralwhite", 0xFFFAF0},
                                         {"forestgreen", 0x228B22},
                                         {"fuchsia", 0xFF00FF},
                                         {"gainsboro", 0xDCDCDC},
                                         {"ghostwhite", 0xF8F8FF},
                                         {"gold", 0xFFD700},
                                         {"goldenrod", 0xDAA520},
                                         {"gray", 0x808080},
                                         {"green", 0x008000},
                                         {"greenyellow", 0xADFF2F},
                                         {"grey", 0x808080},
                                         {"honeydew", 0xF0FFF0},
                                         {"hotpink", 0xFF69B4},
                                         {"indianred", 0xCD5C5C},
                                         {"indigo", 0x4B0082},
                                         {"ivory", 0xFFFFF0},
                                         {"khaki", 0xF0E68C},
                                         {"lavender", 0xE6E6FA},
                                         {"lavenderblush", 0xFFF0F5},
                                         {"lawngreen", 0x7CFC00},
                                         {"lemonchiffon", 0xFFFACD},
                                         {"lightblue", 0xADD8E6},
                                         {"lightcoral", 0xF08080},
                                         {"lightcyan", 0xE0FFFF},
                                         {"lightgoldenrodyellow", 0xFAFAD2},
                                         {"lightgray", 0xD3D3D3},
                                         {"lightgreen", 0x90EE90},
                                         {"lightgrey", 0xD3D3D3},
                                         {"lightpink", 0xFFB6C1},
                                         {"lightsalmon", 0xFFA07A},
                                         {"lightseagreen", 0x20B2AA},
                                         {"lightskyblue", 0x87CEFA},
                                         {"lightslategray", 0x778899},
                                         {"lightslategrey", 0x778899},
                                         {"lightsteelblue", 0xB0C4DE},
                                         {"lightyellow", 0xFFFFE0},
                                         {"lime", 0x00FF00},
                                         {"limegreen", 0x32CD32},
                                         {"linen", 0xFAF0E6},
                                         {"magenta", 0xFF00FF},
                                         {"maroon", 0x800000},
                                         {"mediumaquamarine", 0x66CDAA},
                                         {"mediumblue", 0x0000CD},
                                         {"mediumorchid", 0xBA55D3},
                                         {"mediumpurple", 0x9370DB},
                                         {"mediumseagreen", 0x3CB371},
                                         {"mediumslateblue", 0x7B68EE},
                                         {"mediumspringgreen", 0x00FA9A},
                                         {"mediumturquoise", 0x48D1CC},
                                         {"mediumvioletred", 0xC71585},
                                         {"midnightblue", 0x191970},
                                         {"mintcream", 0xF5FFFA},
                                         {"mistyrose", 0xFFE4E1},
                                         {"moccasin", 0xFFE4B5},
                                         {"navajowhite", 0xFFDEAD},
                                         {"navy", 0x000080},
                                         {"oldlace", 0xFDF5E6},
                                         {"olive", 0x808000},
                                         {"olivedrab", 0x6B8E23},
                                         {"orange", 0xFFA500},
                                         {"orangered", 0xFF4500},
                                         {"orchid", 0xDA70D6},
                                         {"palegoldenrod", 0xEEE8AA},
                                         {"palegreen", 0x98FB98},
                                         {"paleturquoise", 0xAFEEEE},
                                         {"palevioletred", 0xDB7093},
                                         {"papayawhip", 0xFFEFD5},
                                         {"peachpuff", 0xFFDAB9},
                                         {"peru", 0xCD853F},
                                         {"pink", 0xFFC0CB},
                                         {"plum", 0xDDA0DD},
                                         {"powderblue", 0xB0E0E6},
                                         {"purple", 0x800080},
                                         {"rebeccapurple", 0x663399},
                                         {"red", 0xFF0000},
                                         {"rosybrown", 0xBC8F8F},
                                         {"royalblue", 0x4169E1},
                                         {"saddlebrown", 0x8B4513},
                                         {"salmon", 0xFA8072},
                                         {"sandybrown", 0xF4A460},
                                         {"seagreen", 0x2E8B57},
                                         {"seashell", 0xFFF5EE},
                                         {"sienna", 0xA0522D},
                                         {"silver", 0xC0C0C0},
                                         {"skyblue", 0x87CEEB},
                                         {"slateblue", 0x6A5ACD},
                                         {"slategray", 0x708090},
                                         {"slategrey", 0x708090},
                                         {"snow", 0xFFFAFA},
                                         {"springgreen", 0x00FF7F},
                                         {"steelblue", 0x4682B4},
                                         {"tan", 0xD2B48C},
                                         {"teal", 0x008080},
                                         {"thistle", 0xD8BFD8},
                                         {"tomato", 0xFF6347},
                                         {"turquoise", 0x40E0D0},
                                         {"violet", 0xEE82EE},
                                         {"wheat", 0xF5DEB3},
                                         {"white", 0xFFFFFF},
                                         {"whitesmoke", 0xF5F5F5},
                                         {"yellow", 0xFFFF00},
                                         {"yellowgreen", 0x9ACD32}};

uint32_t fromRgb(double r, double g, double b) {
    auto channel = [](double v) {
        return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0, 255.0)));
    };
    return channel(r) | channel(g) << 8 | channel(b) << 16;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = static_cast<char>(c | 0x20);
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

bool hexColour(std::string_view hex, uint32_t& out) {
    if (hex.size() != 3 && hex.size() != 4 && hex.size() != 6 && hex.size() != 8) return false;
    int d[8];
    for (size_t i = 0; i < hex.size(); ++i)
        if ((d[i] = hexDigit(hex[i])) < 0) return false;
    if (hex.size() == 3 || hex.size() == 4) {
        out = fromRgb(d[0] * 17, d[1] * 17, d[2] * 17);
        return true;
    }
    out = fromRgb(d[0] * 16 + d[1], d[2] * 16 + d[3], d[4] * 16 + d[5]);
    return true;
}

// The arguments of rgb(...) or hsl(...): three or four numbers, each maybe in percent,
// separated by commas or spaces (and "/" before the alpha).
bool functionArguments(std::string_view inside, double* v, bool* percent, int& count) {
    count = 0;
    while (true) {
        inside = trimmed(inside);
        if (inside.empty()) return count >= 3;
        if (count == 4) return false;
        size_t used = 0;
        if (!leadingNumber(inside, v[count], used)) return false;
        inside.remove_prefix(used);
        percent[count] = !inside.empty() && inside.front() == '%';
        if (percent[count]) inside.remove_prefix(1);
        inside = trimmed(inside);
        if (!inside.empty() && (inside.front() == ',' || inside.front() == '/'))
            inside.remove_prefix(1);
        ++count;
    }
}

double hueToRgb(double p, double q, double t) {
    t -= std::floor(t);
    if (t < 1.0 / 6) return p + (q - p) * 6 * t;
    if (t < 0.5) return q;
    if (t < 2.0 / 3) return p + (q - p) * (2.0 / 3 - t) * 6;
    return p;
}

bool functionalColour(const std::string& text, uint32_t& out) {
    const size_t open = text.find('('), close = text.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close < open) return false;
    const std::string name = text.substr(0, open);
    double v[4];
    bool percent[4];
    int count = 0;
    if (!functionArguments(std::string_view(text).substr(open + 1, close - open - 1), v, percent,
                           count))
        return false;
    if (name == "rgb" || name == "rgba") {
        for (int i = 0; i < 3; ++i)
            if (percent[i]) v[i] = v[i] * 255 / 100;
        out = fromRgb(v[0], v[1], v[2]);
        return true;
    }
    if (name == "hsl" || name == "hsla") {
        const double h = v[0] / 360, s = std::clamp(v[1] / 100, 0.0, 1.0);
        const double l = std::clamp(v[2] / 100, 0.0, 1.0);
        const double q = l < 0.5 ? l * (1 + s) : l + s - l * s, p = 2 * l - q;
        out = fromRgb(255 * hueToRgb(p, q, h + 1.0 / 3), 255 * hueToRgb(p, q, h),
                      255 * hueToRgb(p, q, h - 1.0 / 3));
        return true;
    }
    return false;
}

}  // namespace

bool parseColour(std::string_view text, uint32_t& out) {
    text = trimmed(text);
    if (text.empty()) return false;
    if (text.front() == '#') return hexColour(text.substr(1), out);
    const std::string lower = lowerCase(text);
    if (lower.find('(') != std::string::npos) return functionalColour(lower, out);
    const auto found = std::lower_bound(
        std::begin(kNamedColours), std::end(kNamedColours), lower,
        [](const NamedColour& c, const std::string& name) { return name.compare(c.name) > 0; });
    if (found == std::end(kNamedColours) || lower != found->name) return false;
    out = fromRgb(found->rgb >> 16 & 0xFF, found->rgb >> 8 & 0xFF, found->rgb & 0xFF);
    return true;
}

bool parsePaint(std::string_view text, Paint& out) {
    text = trimmed(text);
    const std::string lower = lowerCase(text);
    if (lower == "none") {
        out = {Paint::kNone, kBlack, {}};
    } else if (lower == "currentcolor") {
        out = {Paint::kCurrentColour, kBlack, {}};
    } else if (lower.starts_with("url(")) {
        out = {Paint::kServer, kBlack, {}};
        // A fallback after the reference replaces the server when it is a plain colour.
        const size_t close = text.find(')');
        if (close != std::string_view::npos) {
            std::string_view id = trimmed(text.substr(4, close - 4));
            if (id.size() >= 2 && (id.front() == '"' || id.front() == '\''))
                id = id.substr(1, id.size() - 2);
            if (id.starts_with("#")) out.server = std::string(id.substr(1));
        }
        uint32_t fallback;
        if (close != std::string_view::npos && parseColour(text.substr(close + 1), fallback))
            out.colour = fallback;
    } else {
        uint32_t colour;
        if (!parseColour(text, colour)) return false;
        out = {Paint::kColour, colour, {}};
    }
    return true;
}

}  // namespace lintrel::svg
