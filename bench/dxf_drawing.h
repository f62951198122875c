// The large DXF drawings of the benchmarks: a header, a layer table and a mix of every entity
// kind the reader converts (points, lines, xlines, arcs, circles, bulged lightweight polylines
// and vertex polylines), laid out on a grid or scattered at random over a 2000 x 1000 sheet.
#pragma once

#include <cstdint>
#include <cstdio>

namespace lintrel::bench {

struct Writer {
    std::FILE* f;
    void g(int code, const char* value) { std::fprintf(f, "%3d\n%s\n", code, value); }
    void g(int code, int value) { std::fprintf(f, "%3d\n%6d\n", code, value); }
    void g(int code, double value) { std::fprintf(f, "%3d\n%.12f\n", code, value); }
    void common(const char* kind, const char* handle_layer, int colour) {
        g(0, kind);
        g(100, "AcDbEntity");
        g(8, handle_layer);
        if (colour > 0) g(62, colour);
    }
    void xy(int code, double x, double y) {
        g(code, x);
        g(code + 10, y);
        g(code + 20, 0.0);
    }
};

inline const char* kLayers[] = {"OUTLINE", "HOLES", "ENGRAVE", "CUT", "MARKS"};

inline void header(Writer& w) {
    w.g(0, "SECTION");
    w.g(2, "HEADER");
    w.g(9, "$ACADVER");
    w.g(1, "AC1015");
    w.g(9, "$INSUNITS");
    w.g(70, 4);
    w.g(9, "$EXTMIN");
    w.xy(10, 0.0, 0.0);
    w.g(0, "ENDSEC");
    w.g(0, "SECTION");
    w.g(2, "TABLES");
    w.g(0, "TABLE");
    w.g(2, "LAYER");
    w.g(70, 5);
    for (int i = 0; i < 5; ++i) {
        w.g(0, "LAYER");
        w.g(2, kLayers[i]);
        w.g(70, 0);
        w.g(62, i + 1);
        w.g(6, "CONTINUOUS");
    }
    w.g(0, "ENDTAB");
    w.g(0, "ENDSEC");
}

// Entity `i` of a drawing at (x, y): its kind, layer and colour follow from `i`.
inline void entity(Writer& w, long i, double x, double y) {
    const char* layer = kLayers[i % 5];
    const int colour = i % 7 == 0 ? static_cast<int>(i % 255) + 1 : 0;
    switch (i % 7) {
        case 0:
            w.common("POINT", layer, colour);
            w.xy(10, x, y);
            break;
        case 1:
        case 2:
            w.common(i % 7 == 1 ? "LINE" : "XLINE", layer, colour);
            w.xy(10, x, y);
            w.xy(11, x + 10.25, y + 3.5);
            break;
        case 3:
            w.common("ARC", layer, colour);
            w.xy(10, x, y);
            w.g(40, 4.5);
            w.g(50, 15.0);
            w.g(51, 290.0);
            break;
        case 4:
            w.common("CIRCLE", layer, colour);
            w.xy(10, x, y);
            w.g(40, 3.25);
            break;
        case 5:
            w.common("LWPOLYLINE", layer, colour);
            w.g(90, 5);
            w.g(70, 1);
            for (int k = 0; k < 5; ++k) {
                w.g(10, x + (k == 1 || k == 2 ? 8.0 : 0.0));
                w.g(20, y + (k >= 2 && k <= 3 ? 6.0 : 0.0) + k * 0.5);
                if (k == 2) w.g(42, 0.41421356);
            }
            break;
        default:
            w.common("POLYLINE", layer, colour);
            w.g(66, 1);
            w.xy(10, 0.0, 0.0);
            w.g(70, 0);
            for (int k = 0; k < 4; ++k) {
                w.common("VERTEX", layer, 0);
                w.xy(10, x + k * 2.0, y + (k % 2) * 3.0);
            }
            w.common("SEQEND", layer, 0);
            break;
    }
}

enum class Placement { Grid, Sheet };

// Writes `count` entities; false when the file could not be written.
inline bool writeDxfDrawing(std::FILE* f, long count, Placement placement) {
    Writer w{f};
    header(w);
    w.g(0, "SECTION");
    w.g(2, "ENTITIES");
    uint64_t state = 20261208;  // a fixed-seed generator: the same drawing every time
    const auto unit = [&state] {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(state >> 11) / 9007199254740992.0;
    };
    for (long i = 0; i < count; ++i) {
        if (placement == Placement::Grid)
            entity(w, i, static_cast<double>(i % 1000) * 12.5,
                   static_cast<double>(i / 1000) * 9.75);
        else
            entity(w, i, unit() * 2000.0, unit() * 1000.0);
    }
    w.g(0, "ENDSEC");
    w.g(0, "EOF");
    return !std::ferror(f);
}

}  // namespace lintrel::bench
