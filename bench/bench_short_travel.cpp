// The shortest-travel sort at 10,000, 100,000 and 1,000,000 vects: the tour alone (planning and
// laying it out) and the whole export, whose guard runs the default order (or, above 20,000
// vects, its nearest-neighbour rule on an index) beside the planning to compare with.
#include <benchmark/benchmark.h>

#include <chrono>

#include "model/items.h"
#include "optimise/short_travel.h"
#include "optimise/travel.h"
#include "scattered_drawing.h"

using namespace lintrel;

namespace {

// One group holding a copy of the benchmark drawing.
ChainOwner<VectGroup> groupCopy(Vect* drawing) {
    ChainOwner<VectGroup> group(newGroup());
    group.get()->vects = copyVectChain(drawing);
    return group;
}

void BM_ShortTravelTour(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    ChainOwner<Vect> drawing(scatteredDrawing(n, 2));
    double before = 0, after = 0;
    for (auto _ : state) {
        ChainOwner<VectGroup> group = groupCopy(drawing.get());
        // The travel is measured outside the timed span: it is the benchmark's, not the tour's.
        before = travelDistance(group.get());
        const auto t0 = std::chrono::steady_clock::now();
        const DrawingPlan plan = planShortTravel(group.get(), true, false);
        applyShortTravel(group.get(), plan, false);
        const auto t1 = std::chrono::steady_clock::now();
        after = travelDistance(group.get());
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
    }
    state.counters["vects"] = n;
    state.counters["travel/vect before"] = before / n;
    state.counters["after tour"] = after / n;
}

// The export as the program calls it; `saved %` is against the default order (mode 1 and the
// travel optimisation), which is not run at 1,000,000 vects (it would take about ten minutes).
void BM_ShortTravelSort(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    ChainOwner<Vect> drawing(scatteredDrawing(n, 2));
    double byDefault = 0, after = 0;
    if (n <= 100'000) {
        ChainOwner<VectGroup> group = groupCopy(drawing.get());
        void* list = group.get();
        Lintrel_AutoSort(&list, 1, 1, 0);
        for (int pass = 0; pass < 5; ++pass)
            if (Lintrel_OptimizeAbs(group.get(), 0.05, 0) != LINTREL_OK) break;
        byDefault = travelDistance(group.get());
    }
    for (auto _ : state) {
        ChainOwner<VectGroup> group = groupCopy(drawing.get());
        const auto t0 = std::chrono::steady_clock::now();
        void* list = group.get();
        benchmark::DoNotOptimize(Lintrel_ShortTravelSort(&list, 1, 0));
        const auto t1 = std::chrono::steady_clock::now();
        after = travelDistance(group.get());
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
    }
    state.counters["vects"] = n;
    state.counters["after sort"] = after / n;
    if (byDefault > 0) {
        state.counters["travel/vect default"] = byDefault / n;
        state.counters["saved %"] = 100 * (byDefault - after) / byDefault;
    }
}

// One iteration per size: the largest takes seconds.
void sizes(benchmark::internal::Benchmark* b) {
    b->ArgName("vects")->Arg(10'000)->Arg(100'000)->Arg(1'000'000);
    b->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
}

}  // namespace

BENCHMARK(BM_ShortTravelTour)->Apply(sizes);
BENCHMARK(BM_ShortTravelSort)->Apply(sizes);
