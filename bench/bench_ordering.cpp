// Ordering at 1,000, 10,000 and 100,000 vects (and 1,000,000 where the mode is not quadratic):
// every automatic mode, the grid sort and the start point optimisation, on drawings of constant
// density in random order. `travel/vect` figures show what each step saves.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <random>

#include "model/items.h"
#include "optimise/end_screen.h"
#include "optimise/ordering.h"
#include "optimise/travel.h"
#include "scattered_drawing.h"

using namespace lintrel;

namespace {

// Times `sort` on a fresh copy of the drawing per iteration; copying is not timed.
template <class Sort>
void timeOnCopies(benchmark::State& state, const Sort& sort) {
    const int n = static_cast<int>(state.range(0));
    ChainOwner<Vect> drawing(scatteredDrawing(n, 1));
    for (auto _ : state) {
        ChainOwner<Vect> copy(copyVectChain(drawing.get()));
        const auto t0 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(sort(copy.head()));
        const auto t1 = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
    }
    state.counters["vects"] = n;
}

void BM_AutoSort(benchmark::State& state) {
    const int mode = static_cast<int>(state.range(1));
    const bool reverse = state.range(2) != 0;
    timeOnCopies(state, [&](Vect*& head) {
        return autoSortList(head, static_cast<SortMode>(mode), reverse, false);
    });
}

void BM_GridSort(benchmark::State& state) {
    timeOnCopies(state, [](Vect*& head) { return gridSortList(head, 100, 100, true, false); });
}

// Travel of the drawing as it comes, after nearest-neighbour sorting with reversal, and after
// the start point optimisation repeated as the program repeats it.
void BM_TravelSaved(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    ChainOwner<Vect> drawing(scatteredDrawing(n, 2));
    double before = 0, sorted = 0, optimised = 0;
    for (auto _ : state) {
        ChainOwner<VectGroup> group(newGroup());
        group.get()->vects = copyVectChain(drawing.get());
        const auto t0 = std::chrono::steady_clock::now();
        before = travelDistance(group.get());
        autoSortList(group.get()->vects, SortMode::Nearest, true, false);
        sorted = travelDistance(group.get());
        for (int pass = 0; pass < 5; ++pass)
            if (optimizeStartPoints(group.get(), 0.05, false) != LINTREL_OK) break;
        optimised = travelDistance(group.get());
        const auto t1 = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
    }
    state.counters["travel/vect before"] = before / n;
    state.counters["after mode 1"] = sorted / n;
    state.counters["after OptimizeAbs"] = optimised / n;
}

// The screen of the nearest-neighbour scan on its own, in each of its three widths: one pass
// over 100,000 end points per iteration with a reach that nothing falls within, as most of the
// scan's passes between two improvements are.
void BM_EndScreenScan(benchmark::State& state) {
    constexpr int n = 100'000;
    const auto lanes = static_cast<EndScreen::Lanes>(state.range(0));
    const bool eitherEnd = state.range(1) != 0;
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> x(0, 2000), y(0, 1000);
    EndScreen screen(n, 2000, lanes);
    for (int p = 0; p < n; ++p)
        screen.load(p, {x(rng), y(rng)}, {x(rng), y(rng)}, true);
    const EndScreen::Probe probe = screen.probe({-500, -500});
    for (auto _ : state) {
        EndScreen::Hits hits = screen.nextWithin(probe, 0, n, 1.0, eitherEnd);
        benchmark::DoNotOptimize(hits);
    }
    state.SetItemsProcessed(state.iterations() * n);
}

void sizes(benchmark::internal::Benchmark* b, std::initializer_list<int64_t> extra) {
    for (int64_t n : {1'000, 10'000, 100'000}) {
        std::vector<int64_t> args{n};
        args.insert(args.end(), extra);
        b->Args(args);
    }
}

}  // namespace

BENCHMARK(BM_AutoSort)
    ->Apply([](benchmark::internal::Benchmark* b) {
        sizes(b, {1, 1});
        sizes(b, {1, 0});
        for (int64_t mode : {2, 3, 4, 5, 6, 7, 10}) {
            sizes(b, {mode, 1});
            if (mode == 3) sizes(b, {mode, 0});
        }
        // The growth from 100,000 to 1,000,000 vects, where neither drawing stays in the cache,
        // for the modes that are not quadratic by contract.
        for (int64_t mode : {2, 4, 10})
            b->Args({1'000'000, mode, 1});
    })
    ->ArgNames({"vects", "mode", "reverse"})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridSort)
    ->Apply([](benchmark::internal::Benchmark* b) {
        sizes(b, {});
        b->Args({1'000'000});
    })
    ->ArgName("vects")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TravelSaved)
    ->Apply([](benchmark::internal::Benchmark* b) { sizes(b, {}); })
    ->ArgName("vects")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
// Lanes: 0 the widest the processor offers (AVX2 where present), 1 four (SSE), 2 one.
BENCHMARK(BM_EndScreenScan)
    ->ArgsProduct({{0, 1, 2}, {0, 1}})
    ->ArgNames({"lanes", "either"})
    ->Unit(benchmark::kMicrosecond);
