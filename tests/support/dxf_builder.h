// A small writer of DXF text for tests: sections, header variables, layer tables and the
// entities the reader converts, written as group-code/value line pairs. Tests build their
// drawings with it instead of keeping opaque files.
#pragma once

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <utility>

#include <unistd.h>
#include <vector>

namespace lintrel::test {

class DxfText {
  public:
    DxfText& group(int code, std::string_view value) {
        text_ += std::to_string(code);
        text_ += '\n';
        text_ += value;
        text_ += '\n';
        return *this;
    }
    DxfText& group(int code, double value) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.17g", value);
        return group(code, std::string_view(buf));
    }
    DxfText& group(int code, int value) {
        return group(code, std::string_view(std::to_string(value)));
    }

    DxfText& section(std::string_view name) { return group(0, "SECTION").group(2, name); }
    DxfText& endSection() { return group(0, "ENDSEC"); }
    DxfText& eof() { return group(0, "EOF"); }

    // A LAYER table of (name, colour) records; `count` is the table's announced size.
    DxfText& layers(const std::vector<std::pair<std::string, int>>& records, int count = -1) {
        section("TABLES").group(0, "TABLE").group(2, "LAYER");
        group(70, count < 0 ? static_cast<int>(records.size()) : count);
        for (const auto& [name, colour] : records)
            group(0, "LAYER").group(2, name).group(70, 0).group(62, colour).group(6, "CONTINUOUS");
        return group(0, "ENDTAB").endSection();
    }

    // Starts an entity with its layer and, when given, its colour.
    DxfText& entity(std::string_view kind, std::string_view layer = "0", int colour = -1) {
        group(0, kind).group(8, layer);
        if (colour >= 0) group(62, colour);
        return *this;
    }
    DxfText& point(int code, double x, double y, double z = 0) {
        return group(code, x).group(code + 10, y).group(code + 20, z);
    }
    DxfText& line(double x0, double y0, double x1, double y1, std::string_view layer = "0",
                  int colour = -1) {
        return entity("LINE", layer, colour).point(10, x0, y0).point(11, x1, y1);
    }
    DxfText& circle(double cx, double cy, double r, std::string_view layer = "0") {
        return entity("CIRCLE", layer).point(10, cx, cy).group(40, r);
    }
    DxfText& arc(double cx, double cy, double r, double start, double end,
                 std::string_view layer = "0") {
        return entity("ARC", layer).point(10, cx, cy).group(40, r).group(50, start).group(51, end);
    }
    // LWPOLYLINE of (x, y, bulge) vertices.
    struct V {
        double x, y, bulge = 0;
    };
    DxfText& lwpolyline(const std::vector<V>& vertices, bool closed = false, int count = -1) {
        entity("LWPOLYLINE").group(90, count < 0 ? static_cast<int>(vertices.size()) : count);
        group(70, closed ? 1 : 0);
        for (const V& v : vertices) {
            group(10, v.x).group(20, v.y);
            if (v.bulge != 0) group(42, v.bulge);
        }
        return *this;
    }
    // POLYLINE with VERTEX entities of (x, y, bulge) and per-vertex flags.
    DxfText& polyline(const std::vector<V>& vertices, int flags = 0,
                      const std::vector<int>& vertexFlags = {}) {
        entity("POLYLINE").group(66, 1).group(70, flags);
        for (size_t i = 0; i < vertices.size(); ++i) {
            entity("VERTEX").point(10, vertices[i].x, vertices[i].y);
            if (vertices[i].bulge != 0) group(42, vertices[i].bulge);
            if (i < vertexFlags.size()) group(70, vertexFlags[i]);
        }
        return group(0, "SEQEND");
    }

    // ELLIPSE with centre, major-axis end relative to it, axis ratio and parameter range.
    DxfText& ellipse(double cx, double cy, double ax, double ay, double ratio, double start,
                     double end, std::string_view layer = "0") {
        entity("ELLIPSE", layer).point(10, cx, cy).point(11, ax, ay);
        return group(40, ratio).group(41, start).group(42, end);
    }
    struct P {
        double x, y;
    };
    // SPLINE of a degree, control points with optional knots and weights, and fit points.
    struct Spline {
        int degree = 3;
        std::vector<P> control;
        std::vector<double> knots;
        std::vector<double> weights;
        std::vector<P> fit;
        const P* startTangent = nullptr;
        const P* endTangent = nullptr;
        int flags = 8;
    };
    DxfText& spline(const Spline& s, std::string_view layer = "0") {
        entity("SPLINE", layer).group(70, s.flags).group(71, s.degree);
        group(72, static_cast<int>(s.knots.size())).group(73, static_cast<int>(s.control.size()));
        group(74, static_cast<int>(s.fit.size()));
        if (s.startTangent) point(12, s.startTangent->x, s.startTangent->y);
        if (s.endTangent) point(13, s.endTangent->x, s.endTangent->y);
        for (double k : s.knots)
            group(40, k);
        for (double w : s.weights)
            group(41, w);
        for (const P& c : s.control)
            point(10, c.x, c.y);
        for (const P& f : s.fit)
            point(11, f.x, f.y);
        return *this;
    }
    // INSERT (or MINSERT with columns and rows) of a block.
    DxfText& insert(std::string_view block, double x, double y, double sx = 1, double sy = 1,
                    double rotation = 0, std::string_view layer = "0") {
        entity("INSERT", layer).group(2, block).point(10, x, y);
        return group(41, sx).group(42, sy).group(43, 1.0).group(50, rotation);
    }
    DxfText& minsert(std::string_view block, double x, double y, double rotation, int columns,
                     int rows, double columnSpacing, double rowSpacing) {
        entity("MINSERT").group(2, block).point(10, x, y).group(50, rotation);
        return group(70, columns).group(71, rows).group(44, columnSpacing).group(45, rowSpacing);
    }
    // A block's head; its entities follow, then endBlock().
    DxfText& block(std::string_view name, double baseX = 0, double baseY = 0) {
        return group(0, "BLOCK")
            .group(8, "0")
            .group(2, name)
            .point(10, baseX, baseY)
            .group(3, name);
    }
    DxfText& endBlock() { return group(0, "ENDBLK").group(8, "0"); }

    const std::string& str() const { return text_; }

  private:
    std::string text_;
};

// A file in the test's temporary folder, removed when the test ends.
class TempFile {
  public:
    TempFile(std::string_view name, std::string_view content) {
        static int serial = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("pathloom-import-" + std::to_string(::getpid()) + "-" + std::to_string(serial++) +
                 "-" + std::string(name));
        std::ofstream(path_, std::ios::binary)
            .write(content.data(), static_cast<std::streamsize>(content.size()));
        name_ = path_.string();
    }
    ~TempFile() {
        std::error_code ec;
        std::filesystem::remove(path_, ec);
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    // The name as the library takes it (the path's own characters are wide on Windows).
    const char* path() const { return name_.c_str(); }

  private:
    std::filesystem::path path_;
    std::string name_;
};

}  // namespace lintrel::test
