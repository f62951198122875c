// SVG import throughput: a drawing of 1,000,000 path segments (1000 paths of 1000 relative
// lines, cubics, quadratics and arcs in a mm view box, as generators and editors write them),
// read from its bytes by the SVG reader and imported from a file through the library's entry
// with curves kept.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "import/import_context.h"
#include "import/svg/svg_reader.h"
#include "model/items.h"
#include "support/dxf_builder.h"

using namespace lintrel;

namespace {

constexpr int kPaths = 1000;
constexpr int kSegmentsPerPath = 1000;

std::string millionSegmentDrawing() {
    std::string svg =
        R"(<svg xmlns="http://www.w3.org/2000/svg" width="1000mm" height="1000mm" viewBox="0 0 1000 1000">)"
        "\n<g fill=\"none\" stroke=\"#0000ff\">\n";
    char piece[96];
    for (int p = 0; p < kPaths; ++p) {
        std::snprintf(piece, sizeof piece, R"(<path d="M%.3f,%.3f)", (p % 40) * 25.0,
                      (p / 40) * 40.0);
        svg += piece;
        for (int s = 0; s < kSegmentsPerPath; ++s) {
            const double d = 0.01 * ((s * 7 + p) % 13);
            switch (s % 4) {
                case 0:
                    std::snprintf(piece, sizeof piece, "l%.3f,%.3f", 0.021 + d, -0.013);
                    break;
                case 1:
                    std::snprintf(piece, sizeof piece, "c%.3f,%.3f %.3f,%.3f %.3f,%.3f", 0.01, 0.02,
                                  0.03 + d, 0.02, 0.04, 0.0);
                    break;
                case 2:
                    std::snprintf(piece, sizeof piece, "q%.3f,%.3f %.3f,%.3f", 0.01, -0.02,
                                  0.02 + d, 0.0);
                    break;
                default:
                    std::snprintf(piece, sizeof piece, "a%.3f %.3f 0 0 1 %.3f,%.3f", 0.02, 0.02,
                                  0.02, 0.02 + d);
                    break;
            }
            svg += piece;
        }
        svg += "\"/>\n";
    }
    return svg + "</g>\n</svg>\n";
}

const std::string& drawing() {
    static const std::string text = millionSegmentDrawing();
    return text;
}

void countSegs(benchmark::State& state, VectGroup* groups) {
    int64_t segs = 0;
    for (VectGroup* g : ring(groups))
        for (Vect* v : ring(g->vects))
            segs += ringCount(v->segs);
    state.counters["segs"] = static_cast<double>(segs);
}

void BM_SvgReadMillionSegments(benchmark::State& state) {
    for (auto _ : state) {
        ImportDiagnostics diagnostics;
        ImportContext context{diagnostics, 1};
        ChainOwner<VectGroup> groups(readSvg(drawing(), context));
        state.PauseTiming();
        countSegs(state, groups.get());
        groups.reset();
        state.ResumeTiming();
    }
    state.counters["bytes"] = static_cast<double>(drawing().size());
}

void BM_SvgImportFileMillionSegments(benchmark::State& state) {
    const test::TempFile file("million.svg", drawing());
    for (auto _ : state) {
        ChainOwner<VectGroup> groups(VarnixCad3_ImportVectGraph(file.path(), 1016.0, 1, 0.05, 0));
        state.PauseTiming();
        countSegs(state, groups.get());
        groups.reset();
        state.ResumeTiming();
    }
}

}  // namespace

BENCHMARK(BM_SvgReadMillionSegments)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SvgImportFileMillionSegments)->Unit(benchmark::kMillisecond)->Iterations(3);
