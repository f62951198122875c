// CSV and SVG renderings of a tool path.
#include "trace/output.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace varnix::trace {
namespace {

std::string number(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.4f", value);
    return text;
}

// SVG's y axis points down; drawings are shown with y up (and no "-0.0000").
double flip(double y) {
    return y == 0 ? 0.0 : -y;
}

size_t usedAxes(const interp::ToolPath& path) {
    size_t used = std::min<size_t>(path.start.size(), 2);
    std::vector<double> previous = path.start;
    for (const interp::Move& move : path.moves) {
        for (size_t axis = 0; axis < move.to.size(); ++axis) {
            if (move.to[axis] != previous[axis]) used = std::max(used, axis + 1);
        }
        previous = move.to;
    }
    return used;
}

}  // namespace

std::string toCsv(const interp::ToolPath& path) {
    const size_t axes = usedAxes(path);
    std::string csv = "line,kind,speed";
    for (size_t axis = 0; axis < axes; ++axis)
        csv += ",a" + std::to_string(axis);
    csv += "\n0,start,0.0000";
    for (size_t axis = 0; axis < axes; ++axis)
        csv += "," + number(path.start[axis]);
    csv += '\n';
    for (const interp::Move& move : path.moves) {
        csv +=
            std::to_string(move.line) + (move.travel ? ",travel," : ",cut,") + number(move.speed);
        for (size_t axis = 0; axis < axes; ++axis)
            csv += "," + number(move.to[axis]);
        csv += '\n';
    }
    return csv;
}

std::string toSvg(const interp::ToolPath& path, int a, int b) {
    double minX = path.start[a], maxX = minX, minY = path.start[b], maxY = minY;
    for (const interp::Move& move : path.moves) {
        minX = std::min(minX, move.to[a]);
        maxX = std::max(maxX, move.to[a]);
        minY = std::min(minY, move.to[b]);
        maxY = std::max(maxY, move.to[b]);
    }
    const double margin = std::max({maxX - minX, maxY - minY, 1.0}) * 0.05;
    const double width = maxX - minX + 2 * margin, height = maxY - minY + 2 * margin;
    const double stroke = std::max(width, height) / 500;
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"" +
                      number(minX - margin) + " " + number(-maxY - margin) + " " + number(width) +
                      " " + number(height) + "\">\n";
    // One polyline per run of moves of the same kind; y is negated so that +y points up.
    double x = path.start[a], y = path.start[b];
    for (size_t i = 0; i < path.moves.size();) {
        const bool travel = path.moves[i].travel;
        svg += "<polyline fill=\"none\" stroke=\"" + std::string(travel ? "gray" : "black") +
               "\" stroke-width=\"" + number(stroke) + "\"" +
               (travel ? " stroke-dasharray=\"" + number(stroke * 4) + "\"" : "") + " points=\"" +
               number(x) + "," + number(flip(y));
        for (; i < path.moves.size() && path.moves[i].travel == travel; ++i) {
            x = path.moves[i].to[a];
            y = path.moves[i].to[b];
            svg += " " + number(x) + "," + number(flip(y));
        }
        svg += "\"/>\n";
    }
    return svg + "</svg>\n";
}

}  // namespace varnix::trace
