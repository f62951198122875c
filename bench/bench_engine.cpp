// Program writing throughput: a drawing of one million line segments (10,000 polylines of 100
// segments in 10 groups) written as G-code and as Basic, absolute and relative. `lines/s` is the
// rate of program lines written, line map included.
#include <benchmark/benchmark.h>

#include <vector>

#include "core/codegen/program.h"
#include "model/geometry.h"
#include "model/items.h"

using namespace lintrel;
using namespace pathloom;

namespace {

constexpr int kGroups = 10;
constexpr int kVectsPerGroup = 1000;
constexpr int kSegsPerVect = 100;

// A zig-zag per vect, each vect offset so that every vect needs a travel.
VectGroup* millionSegments() {
    VectGroup* groups = nullptr;
    std::vector<Point> points(kSegsPerVect + 1);
    for (int g = 0; g < kGroups; ++g) {
        VectGroup* group = newGroup();
        group->number = g % kPresetCount + 1;
        for (int v = 0; v < kVectsPerGroup; ++v) {
            const double y = (g * kVectsPerGroup + v) * 0.37;
            for (int i = 0; i <= kSegsPerVect; ++i)
                points[static_cast<size_t>(i)] = {i * 1.234567, y + (i % 2) * 0.5};
            Vect* vect = newVect();
            vect->segs = chainThrough(points);
            append(group->vects, vect);
        }
        append(groups, group);
    }
    return groups;
}

void writeLoop(benchmark::State& state, bool basic) {
    ChainOwner<VectGroup> drawing(millionSegments());
    ProcessSettings settings;
    for (ProcessPreset& preset : settings.presets)
        preset.moveType = static_cast<int>(state.range(0));
    int64_t lines = 0;
    size_t bytes = 0;
    for (auto _ : state) {
        const WriteResult result = basic ? writeBasic(drawing.get(), settings, nullptr)
                                         : writeGcode(drawing.get(), settings, nullptr);
        bytes = result.program.text.size();
        for (char c : result.program.text)
            lines += c == '\n';
        benchmark::DoNotOptimize(result.program.lineMap.data());
    }
    state.counters["lines/s"] =
        benchmark::Counter(static_cast<double>(lines), benchmark::Counter::kIsRate);
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}

void BM_WriteGcode(benchmark::State& state) {
    writeLoop(state, false);
}
void BM_WriteBasic(benchmark::State& state) {
    writeLoop(state, true);
}

}  // namespace

BENCHMARK(BM_WriteGcode)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WriteBasic)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
