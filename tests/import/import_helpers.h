// Helpers of the import tests: importing DXF text through the public entry point and looking
// at the groups and vects that came back: their points, their extent, whether all is finite.
#pragma once

#include <gtest/gtest.h>
#include <lintrel/lintrel.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "api/last_import.h"
#include "curves/flatten.h"
#include "model/geometry.h"
#include "model/items.h"
#include "support/builders.h"
#include "support/dxf_builder.h"

namespace lintrel::test {

// Imports `text` as a file with the given extension; curves are kept unless options say else.
inline ChainOwner<VectGroup> importText(std::string_view text, int options = 1,
                                        double precision = 0.05, int moveToOrigin = 0,
                                        std::string_view extension = "dxf") {
    TempFile file(std::string("drawing.") + std::string(extension), text);
    return ChainOwner<VectGroup>(
        VarnixCad3_ImportVectGraph(file.path(), 1016.0, options, precision, moveToOrigin));
}

// The diagnostics the last import through the exports published.
inline ImportDiagnostics lastImport() {
    ImportDiagnostics out;
    for (const Diagnostic& d : lastImportDiagnostics())
        out.note(d.code, d.text, d.count);
    return out;
}

// Ends the drawing's last section and the file, and imports it.
inline ChainOwner<VectGroup> importDrawing(DxfText& t, int options = 1, double precision = 0.05,
                                           int moveToOrigin = 0) {
    return importText(t.endSection().eof().str(), options, precision, moveToOrigin);
}

inline std::vector<VectGroup*> groupsOf(VectGroup* chain) {
    return itemsOf(chain);
}

// A drawing of only an ENTITIES section, as many small writers produce.
inline DxfText entitiesOnly() {
    DxfText t;
    t.section("ENTITIES");
    return t;
}

// The points a vect visits: the start of its first seg, then the end of every seg, each divided
// by `unit` (a plotter unit in millimetres, say).
inline std::vector<Point> pointsOf(const Vect* v, double unit = 1) {
    std::vector<Point> out;
    for (Seg* s : ring(v->segs)) {
        if (out.empty()) out.push_back({s->x0 / unit, s->y0 / unit});
        out.push_back({s->x1 / unit, s->y1 / unit});
    }
    return out;
}

// Expects `v` to visit exactly `expected`, in `unit`s, to within 1e-9.
inline void expectPoints(const Vect* v, const std::vector<Point>& expected, double unit = 1) {
    ASSERT_TRUE(v);
    const std::vector<Point> got = pointsOf(v, unit);
    ASSERT_EQ(got.size(), expected.size());
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_NEAR(got[i].x, expected[i].x, 1e-9) << "point " << i;
        EXPECT_NEAR(got[i].y, expected[i].y, 1e-9) << "point " << i;
    }
}

struct Extent {
    double x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
    void add(Point p) {
        x0 = std::fmin(x0, p.x), y0 = std::fmin(y0, p.y);
        x1 = std::fmax(x1, p.x), y1 = std::fmax(y1, p.y);
    }
    bool empty() const { return !(x1 >= x0 && y1 >= y0); }
};

// The extent of one vect's segs; with a `flatten` precision its curves are flattened first, so
// that control points do not count.
inline void addExtent(Extent& e, const Vect* v, double flatten = 0) {
    Seg* flat = flatten > 0 && v->type != LINTREL_POLYLINE ? flattenedCopy(*v, flatten) : nullptr;
    for (Seg* s : ring(flat ? flat : v->segs)) {
        e.add(segStart(*s));
        e.add(segEnd(*s));
    }
    if (flat) VarnixCad3_DeleteChain(flat);
}
inline Extent extentOf(const Vect* v, double flatten = 0) {
    Extent e;
    addExtent(e, v, flatten);
    return e;
}
inline Extent extentOf(VectGroup* chain, double flatten = 0) {
    Extent e;
    for (Vect* v : vectsOf(chain))
        addExtent(e, v, flatten);
    return e;
}

inline void expectExtent(const Extent& e, double x0, double y0, double x1, double y1,
                         double tolerance) {
    EXPECT_NEAR(e.x0, x0, tolerance);
    EXPECT_NEAR(e.y0, y0, tolerance);
    EXPECT_NEAR(e.x1, x1, tolerance);
    EXPECT_NEAR(e.y1, y1, tolerance);
}

// True when every coordinate of every seg is finite.
inline bool allFinite(VectGroup* chain) {
    for (Vect* v : vectsOf(chain))
        for (Seg* s : ring(v->segs))
            for (double d : {s->x0, s->y0, s->z0, s->x1, s->y1, s->z1})
                if (!std::isfinite(d)) return false;
    return true;
}

// `size` bytes of noise, the same for the same seed.
inline std::string noise(size_t size, unsigned seed) {
    std::string out;
    for (size_t i = 0; i < size; ++i) {
        seed = seed * 1103515245 + 12345;
        out += static_cast<char>(seed >> 16);
    }
    return out;
}

inline std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace lintrel::test
