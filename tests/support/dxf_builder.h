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
    }
    ~TempFile() {
        std::error_code ec;
        std::filesystem::remove(path_, ec);
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const char* path() const { return path_.c_str(); }

  private:
    std::filesystem::path path_;
};

}  // namespace lintrel::test
