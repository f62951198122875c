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

#include "measured_runs.h"
#include "optimise/random_drawing.h"
#include "optimise/reference_cleanup.h"

using namespace lintrel;
using namespace lintrel::test;
using lintrel::bench::evictCaches;
using lintrel::bench::fastest;
using lintrel::bench::GrowthReporter;
using lintrel::bench::settleAllocator;

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

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    GrowthReporter reporter({1000, 10000, 100000});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
