// Clean-up and curve precision on random drawings of 1,000, 10,000 and 100,000 vects
// (polylines, arcs and circles with many duplicates and touching ends), with the literal scans
// of duplicate removal and merging beside them where they finish in reasonable time. After the
// runs a table gives each operation's growth from one size to the next.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "optimise/random_drawing.h"
#include "optimise/reference_cleanup.h"

using namespace lintrel;
using namespace lintrel::test;

namespace {

constexpr double kTolerance = 0.01;

// One drawing per size and order, built once; every iteration works on a fresh copy. In a
// "local" drawing the shapes come region by region, as drawings are made and stored; otherwise
// consecutive shapes lie anywhere on the sheet, the worst case for any spatial index.
Vect* drawing(int count, bool local) {
    static std::map<std::pair<int, bool>, ChainOwner<Vect>> made;
    ChainOwner<Vect>& owner = made[{count, local}];
    if (!owner) {
        RandomDrawing random(20260, 4 * std::sqrt(double(count)), kTolerance);
        owner.reset(random.list(count, local));
    }
    return owner.get();
}

// Streams through a buffer larger than the caches, so that every size starts from memory as a
// drawing does that was imported a while ago. Without it the small drawings would be measured
// in a cache the copy has just warmed and the growth between sizes would mostly show where
// the drawing stops fitting into the cache.
void evictCaches() {
    static std::vector<char> buffer(256u << 20);
    static char round = 0;
    ++round;
    for (size_t i = 0; i < buffer.size(); i += 64)
        buffer[i] = round;
    benchmark::DoNotOptimize(buffer.data());
}

// glibc keeps freed small records in quick lists and folds them back into its free lists only at
// the next large request. One large request before each copy settles the deletion of the
// previous copy: the deletion is not paid for inside the next measured call (whose first
// vector is such a request), and the copy is laid out in memory as a drawing read from a file
// is, record after record, instead of in the order the quick lists hand records back.
void settleAllocator() {
    void* block = std::malloc(4096);
    benchmark::DoNotOptimize(block);
    std::free(block);
}

template <class Operation>
void runOnCopies(benchmark::State& state, Operation operation, bool local = false) {
    Vect* original = drawing(static_cast<int>(state.range(0)), local);
    for (auto _ : state) {
        state.PauseTiming();
        settleAllocator();
        Vect* copy = copyVectChain(original);
        evictCaches();
        state.ResumeTiming();
        benchmark::DoNotOptimize(operation(copy));
        state.PauseTiming();
        deleteVectChain(copy);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

int deleteTiny(Vect*& head) {
    void* list = head;
    const int result = deleteTinyShapes(list, 1.5, 1.5, 0);
    head = static_cast<Vect*>(list);
    return result;
}

void BM_DelLitSeg(benchmark::State& state) {
    runOnCopies(state, deleteTiny);
}
void BM_DelSameSeg(benchmark::State& state) {
    runOnCopies(state, [](Vect* head) { return deleteDuplicates(head, 0); });
}
void BM_DelLitSeg_local(benchmark::State& state) {
    runOnCopies(state, deleteTiny, true);
}
void BM_DelSameSeg_local(benchmark::State& state) {
    runOnCopies(
        state, [](Vect* head) { return deleteDuplicates(head, 0); }, true);
}
void BM_MergeSeg_local(benchmark::State& state) {
    runOnCopies(
        state, [](Vect* head) { return mergeConnected(head, kTolerance, 0); }, true);
}
void BM_DelSameSeg_reference(benchmark::State& state) {
    runOnCopies(state, [](Vect* head) { return referenceDeleteDuplicates(head, 0); });
}
void BM_MergeSeg(benchmark::State& state) {
    runOnCopies(state, [](Vect* head) { return mergeConnected(head, kTolerance, 0); });
}
void BM_MergeSeg_reference(benchmark::State& state) {
    runOnCopies(state, [](Vect* head) { return referenceMerge(head, kTolerance, 0); });
}
void BM_SplitVect(benchmark::State& state) {
    // A point off the drawing: every vect is tried.
    runOnCopies(state, [](Vect* head) { return splitVect(head, {-50, -50}, 0.1, true); });
}
void BM_ChangStartPt(benchmark::State& state) {
    runOnCopies(state, [](Vect* head) { return changeStartPoint(head, {-50, -50}, 0.1, true); });
}
void BM_Reverse(benchmark::State& state) {
    runOnCopies(state, [](Vect* head) { return reverseVects(head, 0); });
}
void BM_IfCloseVect(benchmark::State& state) {
    runOnCopies(state, [](Vect* head) { return updateClosedFlags(head, 0); });
}
void BM_CurveSmooth(benchmark::State& state) {
    runOnCopies(state, [](Vect* head) { return smoothCurves(head, 0.05, 0, false); });
}

}  // namespace

// Fixed iteration counts: each iteration pays for a copy and a cache sweep outside the timing.
// The machine is shared, so each figure is the best of three repetitions, in processor time.
double fastest(const std::vector<double>& v) {
    return *std::min_element(v.begin(), v.end());
}
#define CLEANUP_SIZE(name, size, iterations) \
    BENCHMARK(name)                          \
        ->Arg(size)                          \
        ->Iterations(iterations)             \
        ->Repetitions(3)                     \
        ->ComputeStatistics("min", fastest)  \
        ->ReportAggregatesOnly(true)         \
        ->Unit(benchmark::kMillisecond)
#define CLEANUP_SIZES(name)        \
    CLEANUP_SIZE(name, 1000, 200); \
    CLEANUP_SIZE(name, 10000, 40); \
    CLEANUP_SIZE(name, 100000, 8)

CLEANUP_SIZES(BM_DelLitSeg);
CLEANUP_SIZES(BM_DelSameSeg);
CLEANUP_SIZE(BM_DelSameSeg_reference, 1000, 20);
CLEANUP_SIZE(BM_DelSameSeg_reference, 10000, 2);
CLEANUP_SIZES(BM_MergeSeg);
CLEANUP_SIZE(BM_MergeSeg_reference, 1000, 20);
CLEANUP_SIZE(BM_MergeSeg_reference, 10000, 2);
CLEANUP_SIZES(BM_DelLitSeg_local);
CLEANUP_SIZES(BM_DelSameSeg_local);
CLEANUP_SIZES(BM_MergeSeg_local);
CLEANUP_SIZES(BM_SplitVect);
CLEANUP_SIZES(BM_ChangStartPt);
CLEANUP_SIZES(BM_Reverse);
CLEANUP_SIZES(BM_IfCloseVect);
CLEANUP_SIZES(BM_CurveSmooth);

namespace {

// Prints the usual console output and, at the end, each benchmark's time per size and its
// growth from one size to the next.
class GrowthReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "min") continue;
            const std::string name = run.run_name.function_name;
            const size_t slash = run.run_name.args.find('/');
            times_[name][std::stol(run.run_name.args.substr(0, slash))] = run.GetAdjustedCPUTime();
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n%-26s %12s %12s %12s %10s %10s\n", "operation", "1k ms", "10k ms", "100k ms",
                    "10k/1k", "100k/10k");
        for (const auto& [name, bySize] : times_) {
            std::printf("%-26s", name.c_str());
            for (const long size : {1000L, 10000L, 100000L}) {
                const auto it = bySize.find(size);
                if (it == bySize.end())
                    std::printf(" %12s", "-");
                else
                    std::printf(" %12.3f", it->second);
            }
            for (const long size : {10000L, 100000L}) {
                const auto hi = bySize.find(size), lo = bySize.find(size / 10);
                if (hi == bySize.end() || lo == bySize.end() || lo->second <= 0)
                    std::printf(" %10s", "-");
                else
                    std::printf(" %10.2f", hi->second / lo->second);
            }
            std::printf("\n");
        }
    }

  private:
    std::map<std::string, std::map<long, double>> times_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    GrowthReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
