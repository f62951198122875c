// Writing the scene's depth tint, strokes, dots and numbers as SVG elements in painting order.
#include "core/canvas/svg.h"

#include <cmath>
#include <cstdio>

namespace pathloom::canvas {
namespace {

std::string colourText(Colour c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", c & 0xFFFFFFu);
    return text;
}

void appendf(std::string& out, const char* format, auto... values) {
    char line[256];
    const int n = std::snprintf(line, sizeof line, format, values...);
    if (n > 0) out.append(line, static_cast<size_t>(std::min<int>(n, sizeof line - 1)));
}

void stroke(std::string& out, const Scene& scene, const Stroke& s) {
    const Pen& pen = scene.pens[s.pen];
    const PixelPoint* p = scene.points.data() + s.first;
    if (s.count == 1) {
        if (pen.dotted && pen.width <= 1) return;
        appendf(out, "<circle cx=\"%d\" cy=\"%d\" r=\"%g\" fill=\"%s\"/>\n", p->x, p->y,
                std::max(0.5, pen.width / 2.0), colourText(pen.colour).c_str());
        return;
    }
    out += "<polyline fill=\"none\" stroke=\"" + colourText(pen.colour) + "\"";
    if (pen.dotted) out += " stroke-dasharray=\"2 2\"";
    out += " points=\"";
    for (uint32_t i = 0; i < s.count; ++i)
        appendf(out, i ? " %d,%d" : "%d,%d", p[i].x, p[i].y);
    out += "\"/>\n";
}

}  // namespace

std::string sceneSvg(const Scene& scene) {
    std::string out;
    appendf(out,
            "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" "
            "viewBox=\"0 0 %d %d\">\n",
            scene.width, scene.height, scene.width, scene.height);
    out += "<rect width=\"100%\" height=\"100%\" fill=\"#000000\"/>\n";
    for (const Fill& ring : scene.fills) {
        out += "<polygon stroke=\"none\" fill=\"" + colourText(ring.colour) + "\" points=\"";
        const PixelPoint* p = scene.points.data() + ring.first;
        for (uint32_t i = 0; i < ring.count; ++i)
            appendf(out, i ? " %d,%d" : "%d,%d", p[i].x, p[i].y);
        out += "\"/>\n";
    }
    if (scene.grid) {
        const double spacing = 100 * scene.zoom;
        const double x0 = std::fmod(scene.origin.x, spacing),
                     y0 = std::fmod(scene.origin.y, spacing);
        out += "<g stroke=\"" + colourText(kGridColour) + "\" stroke-dasharray=\"2 2\">\n";
        for (double x = x0 < 0 ? x0 + spacing : x0; x < scene.width; x += spacing)
            appendf(out, "<line x1=\"%.1f\" y1=\"0\" x2=\"%.1f\" y2=\"%d\"/>\n", x, x,
                    scene.height);
        for (double y = y0 < 0 ? y0 + spacing : y0; y < scene.height; y += spacing)
            appendf(out, "<line x1=\"0\" y1=\"%.1f\" x2=\"%d\" y2=\"%.1f\"/>\n", y, scene.width, y);
        out += "</g>\n";
    }
    const double arm = 8 * scene.scale;
    appendf(out, "<path stroke=\"%s\" stroke-width=\"2\" d=\"M%.1f %.1fH%.1fM%.1f %.1fV%.1f\"/>\n",
            colourText(kOriginColour).c_str(), scene.origin.x - arm, scene.origin.y,
            scene.origin.x + arm, scene.origin.x, scene.origin.y - arm, scene.origin.y + arm);
    for (const Stroke& s : scene.strokes)
        stroke(out, scene, s);
    for (const PixelPoint& p : scene.starts)
        appendf(out, "<circle cx=\"%d\" cy=\"%d\" r=\"%g\" fill=\"#ffffff\"/>\n", p.x, p.y,
                2.5 * scene.scale);
    for (const OrderLabel& label : scene.orders)
        appendf(out,
                "<text x=\"%d\" y=\"%d\" fill=\"#ffffff\" font-family=\"sans-serif\" "
                "font-size=\"12\">%d</text>\n",
                label.at.x, label.at.y, label.number);
    out += "</svg>\n";
    return out;
}

}  // namespace pathloom::canvas
