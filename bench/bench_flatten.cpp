// Flattening throughput: segments produced per second for arcs, ellipses and Bezier pieces.
#include <benchmark/benchmark.h>

#include "curves/flatten.h"
#include "model/items.h"

using namespace lintrel;

namespace {

Vect* curve(int type, double x0, double y0, double x1, double y1, double z0, double z1) {
    Vect* v = newVect();
    v->type = type;
    Seg* s = newLine(x0, y0, x1, y1);
    s->z0 = z0;
    s->z1 = z1;
    v->segs = s;
    return v;
}

template <class Make>
void flattenLoop(benchmark::State& state, Make make) {
    const double precision = 1.0 / static_cast<double>(state.range(0));
    int64_t segs = 0;
    for (auto _ : state) {
        Vect* v = make();
        flattenVect(*v, precision);
        segs += ringCount(v->segs);
        deleteVectChain(v);
    }
    state.counters["segs/s"] =
        benchmark::Counter(static_cast<double>(segs), benchmark::Counter::kIsRate);
    state.counters["segs/curve"] =
        static_cast<double>(segs) / static_cast<double>(state.iterations());
}

void BM_FlattenCircle(benchmark::State& state) {
    flattenLoop(state, [] { return curve(LINTREL_ARC, 0, 0, 100, 100, 0, 0); });
}
void BM_FlattenEllipse(benchmark::State& state) {
    flattenLoop(state, [] { return curve(LINTREL_ELLIPSE, 0, 0, 100, 60, 0, -6.283185307179586); });
}
void BM_FlattenBezier(benchmark::State& state) {
    flattenLoop(state, [] {
        Vect* v = newVect();
        v->type = LINTREL_BEZIER;
        for (int k = 0; k < 10; ++k) {
            const double x = 30.0 * k;
            append(v->segs, newLine(x, 0, x + 10, 40));
            append(v->segs, newLine(x + 10, 40, x + 20, -40));
            append(v->segs, newLine(x + 20, -40, x + 30, 0));
        }
        return v;
    });
}

}  // namespace

// The argument is 1 / precision: 20 -> 0.05 mm, 1000 -> 0.001 mm.
BENCHMARK(BM_FlattenCircle)->Arg(20)->Arg(1000);
BENCHMARK(BM_FlattenEllipse)->Arg(20)->Arg(1000);
BENCHMARK(BM_FlattenBezier)->Arg(20)->Arg(1000);
