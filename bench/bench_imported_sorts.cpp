// Every sort through the exports (the exact nearest-neighbour scan, mode 1, at the smaller size
// only), on drawings imported from DXF files of random entities on a 2000 x 1000 sheet
// (dxf_drawing.h) with 100,000 and 1,000,000 entities. Each iteration sorts a fresh copy from cold
// caches; figures are the best of three in processor time, and a table at the end gives the growth.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "dxf_drawing.h"
#include "measured_runs.h"
#include "model/items.h"

using namespace lintrel;
using lintrel::bench::evictCaches;
using lintrel::bench::fastest;
using lintrel::bench::GrowthReporter;
using lintrel::bench::settleAllocator;

namespace {

// The imported drawing of each size, made once: written to a temporary file and read back
// through the import export as the program reads a file.
VectGroup* drawing(long entities) {
    static std::map<long, ChainOwner<VectGroup>> made;
    ChainOwner<VectGroup>& owner = made[entities];
    if (owner) return owner.get();
    char path[] = "/tmp/pathloom-sheet-XXXXXX.dxf";
    const int fd = mkstemps(path, 4);
    if (fd < 0) return nullptr;
    std::FILE* file = fdopen(fd, "wb");
    const bool written =
        file && lintrel::bench::writeDxfDrawing(file, entities, lintrel::bench::Placement::Sheet);
    if (file) std::fclose(file);
    if (written) owner.reset(VarnixCad3_ImportVectGraph(path, 40, 1, 0.05, 0));
    std::remove(path);
    return owner.get();
}

template <class Sort>
void sortCopies(benchmark::State& state, const Sort& sort) {
    VectGroup* original = drawing(state.range(0));
    if (!original) {
        state.SkipWithError("the drawing could not be written or imported");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        settleAllocator();
        void* copy = copyGroupChain(original);
        evictCaches();
        state.ResumeTiming();
        benchmark::DoNotOptimize(sort(&copy));
        state.PauseTiming();
        deleteGroupChain(static_cast<VectGroup*>(copy));
        state.ResumeTiming();
    }
}

void BM_ImportedAutoSort(benchmark::State& state) {
    const int mode = static_cast<int>(state.range(1));
    sortCopies(state, [mode](void** list) { return Lintrel_AutoSort(list, mode, 1, 0); });
}

void BM_ImportedGridSort(benchmark::State& state) {
    sortCopies(state, [](void** list) { return Lintrel_GridsSort(list, 100, 100, 1, 0); });
}

void BM_ImportedShortTravel(benchmark::State& state) {
    sortCopies(state, [](void** list) { return Lintrel_ShortTravelSort(list, 1, 0); });
}

void sizes(benchmark::internal::Benchmark* b, std::initializer_list<int64_t> rest) {
    for (const int64_t entities : {100'000, 1'000'000}) {
        std::vector<int64_t> args{entities};
        args.insert(args.end(), rest.begin(), rest.end());
        b->Args(args);
    }
}

}  // namespace

#define IMPORTED_SORT(name)                 \
    BENCHMARK(name)                         \
        ->Iterations(1)                     \
        ->Repetitions(3)                    \
        ->ComputeStatistics("min", fastest) \
        ->ReportAggregatesOnly(true)        \
        ->Unit(benchmark::kMillisecond)

IMPORTED_SORT(BM_ImportedAutoSort)
    ->ArgNames({"entities", "mode"})
    ->Apply([](benchmark::internal::Benchmark* b) {
        for (int64_t mode : {2, 3, 4, 5, 6, 7, 10})
            sizes(b, {mode});
        // Mode 1 is quadratic by contract: 100,000 and 120,000 entities only (about 128,000
        // and 154,000 vects).
        b->Args({100'000, 1});
        b->Args({120'000, 1});
    });
IMPORTED_SORT(BM_ImportedGridSort)->ArgNames({"entities"})->Apply([](auto* b) { sizes(b, {}); });
IMPORTED_SORT(BM_ImportedShortTravel)->ArgNames({"entities"})->Apply([](auto* b) { sizes(b, {}); });

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    GrowthReporter reporter({100'000, 1'000'000});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
