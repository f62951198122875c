// The whole automatic optimisation after an import, as the program runs it with its default
// settings (duplicates, merging, tiny shapes, curve precision, nearest-neighbour sort with
// reversal, travel optimisation), on random drawings of 1,000, 10,000 and 100,000 vects.
// Reports the travel before and after beside the time.
#include <benchmark/benchmark.h>

#include <cmath>
#include <map>

#include "core/document/auto_optimize.h"
#include "optimise/random_drawing.h"
#include "optimise/travel.h"

using namespace lintrel;

namespace {

VectGroup* drawing(int count) {
    static std::map<int, ChainOwner<VectGroup>> made;
    ChainOwner<VectGroup>& owner = made[count];
    if (!owner) {
        test::RandomDrawing random(8020, 4 * std::sqrt(double(count)), 0.01);
        VectGroup* group = newGroup();
        group->number = 1;
        group->vects = random.list(count);
        owner.reset(group);
    }
    return owner.get();
}

void BM_AutoOptimize(benchmark::State& state) {
    VectGroup* original = drawing(static_cast<int>(state.range(0)));
    pathloom::SilentSink sink;
    const pathloom::AutoOptimizeSettings defaults;
    double before = 0, after = 0;
    for (auto _ : state) {
        state.PauseTiming();
        VectGroup* copy = copyGroupChain(original);
        before = travelDistance(copy);
        state.ResumeTiming();
        benchmark::DoNotOptimize(pathloom::runAutoOptimize(&copy, defaults, sink));
        state.PauseTiming();
        after = travelDistance(copy);
        deleteGroupChain(copy);
        state.ResumeTiming();
    }
    state.counters["travel_before"] = before;
    state.counters["travel_after"] = after;
}

}  // namespace

BENCHMARK(BM_AutoOptimize)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
