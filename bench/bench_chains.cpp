// Chain copy and delete of a million segs, the cost every copy-based operation pays.
#include <benchmark/benchmark.h>

#include "model/items.h"

using namespace lintrel;

namespace {

constexpr int kSegs = 1'000'000;

Vect* bigPolyline() {
    Vect* v = newVect();
    for (int i = 0; i < kSegs; ++i)
        append(v->segs, newLine(i, 0, i + 1, 0));
    return v;
}

void BM_CopySegChain(benchmark::State& state) {
    Vect* v = bigPolyline();
    for (auto _ : state) {
        Seg* copy = copySegChain(v->segs);
        benchmark::DoNotOptimize(copy);
        state.PauseTiming();
        deleteSegChain(copy);
        state.ResumeTiming();
    }
    deleteVectChain(v);
    state.counters["segs/s"] =
        benchmark::Counter(double(kSegs) * double(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_DeleteSegChain(benchmark::State& state) {
    Vect* v = bigPolyline();
    for (auto _ : state) {
        state.PauseTiming();
        Seg* copy = copySegChain(v->segs);
        state.ResumeTiming();
        deleteSegChain(copy);
    }
    deleteVectChain(v);
    state.counters["segs/s"] =
        benchmark::Counter(double(kSegs) * double(state.iterations()), benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(BM_CopySegChain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteSegChain)->Unit(benchmark::kMillisecond);
