// The cutting options on a sheet of 20,000 parts with four round holes each (100,000 closed
// shapes, shuffled): each step alone on a sorted sheet, and the whole run (sort, inner shapes
// first, kerf offset, leads) against the same sort alone, for a sort by position (mode 4) and
// for the shortest-travel sort; and the program's whole shaping of its cut paths (start points,
// directions, kerf, leads and overcut on copies, core/codegen/cut_paths.h) after the sort.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <vector>

#include "core/codegen/cut_paths.h"
#include "model/geometry.h"
#include "model/items.h"
#include "optimise/travel.h"

using namespace lintrel;

namespace {

constexpr int kColumns = 200, kRows = 100;  // 20,000 parts, 100,000 shapes
constexpr double kPart = 30, kGap = 10;
constexpr double kPrecision = 0.05;

Vect* closedPolyline(const std::vector<Point>& points) {
    Vect* v = newVect();
    std::vector<Point> ring = points;
    ring.push_back(points.front());
    v->segs = chainThrough(ring);
    v->closed = 1;
    return v;
}

Vect* circleVect(Point centre, double r) {
    Vect* v = newVect();
    v->type = LINTREL_ARC;
    v->segs = newLine(centre.x - r, centre.y - r, centre.x + r, centre.y + r);
    v->closed = 1;
    return v;
}

ChainOwner<VectGroup> sheetOfParts() {
    std::vector<Vect*> shapes;
    for (int c = 0; c < kColumns; ++c)
        for (int r = 0; r < kRows; ++r) {
            const double x = c * (kPart + kGap), y = r * (kPart + kGap);
            shapes.push_back(
                closedPolyline({{x, y}, {x + kPart, y}, {x + kPart, y + kPart}, {x, y + kPart}}));
            for (double fx : {0.25, 0.75})
                for (double fy : {0.25, 0.75})
                    shapes.push_back(circleVect({x + fx * kPart, y + fy * kPart}, kPart / 10));
        }
    std::mt19937 random(1);
    std::shuffle(shapes.begin(), shapes.end(), random);
    ChainOwner<VectGroup> sheet(newGroup());
    sheet.get()->number = 1;
    for (Vect* v : shapes)
        append(sheet.get()->vects, v);
    return sheet;
}

const VectGroup* sharedSheet() {
    static ChainOwner<VectGroup> sheet = sheetOfParts();
    return sheet.get();
}

const KerfRecord kKerf{-1, LINTREL_KERF_BY_DEPTH, LINTREL_CORNER_ROUND, 0, 0.1, 2};
const LeadRecord kLeads{-1, LINTREL_LEAD_LINE, LINTREL_LEAD_ARC, 0, 3, 45, 2, 90, 1};

// The steps after the sort: inner shapes first (unless the sort kept the rule itself), the kerf
// offset copy and its leads.
void cuttingSteps(void** list, bool mend) {
    if (mend) Lintrel_InnerFirst(list, kPrecision, 0);
    void* cut = nullptr;
    Lintrel_KerfOffset(*list, &kKerf, 1, kPrecision, &cut, nullptr, 0);
    Lintrel_AddLeads(cut, &kLeads, 1, kPrecision, nullptr, 0);
    VarnixCad3_DeleteChain(cut);
}

template <class Work>
void timed(benchmark::State& state, Work work) {
    for (auto _ : state) {
        ChainOwner<VectGroup> sheet(copyGroupChain(sharedSheet()));
        void* list = sheet.get();
        const auto t0 = std::chrono::steady_clock::now();
        work(&list);
        const auto t1 = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
        state.counters["travel"] = travelDistance(list);
    }
    state.counters["shapes"] = kColumns * kRows * 5;
}

void BM_SortByPosition(benchmark::State& state) {
    timed(state, [](void** list) { Lintrel_AutoSort(list, 4, 1, 0); });
}
void BM_SortByPositionWithCutting(benchmark::State& state) {
    timed(state, [](void** list) {
        Lintrel_AutoSort(list, 4, 1, 0);
        cuttingSteps(list, true);
    });
}
// What the program writes from: sort, inner shapes first, then the cut paths of preset 1
// (kerf and leads; with `startAndTurn` also the sharpest-corner start and the directions).
void programCutPaths(benchmark::State& state, bool startAndTurn) {
    pathloom::PresetTable presets{};
    pathloom::ProcessPreset& p = presets[0];
    p.refAccuracy = kPrecision;
    p.kerfWidth = 2 * kKerf.distance;
    p.kerfSide = kKerf.side;
    p.leadType = LINTREL_LEAD_LINE;
    p.leadLength = 3;
    p.leadAngle = 45;
    p.overcut = 1;
    if (startAndTurn) {
        p.startPoint = LINTREL_START_CORNER;
        p.cutDirection = LINTREL_DIRECTION_OUTER_CW;
    }
    timed(state, [&](void** list) {
        Lintrel_AutoSort(list, 4, 1, 0);
        Lintrel_InnerFirst(list, kPrecision, 0);
        const pathloom::CutPaths cuts =
            pathloom::buildCutPaths(static_cast<VectGroup*>(*list), presets);
        benchmark::DoNotOptimize(cuts.paths.get());
    });
}
void BM_SortByPositionWithProgramCutPaths(benchmark::State& state) {
    programCutPaths(state, false);
}
void BM_SortByPositionWithProgramCutPathsStartAndTurn(benchmark::State& state) {
    programCutPaths(state, true);
}
void BM_ShortTravel(benchmark::State& state) {
    timed(state, [](void** list) { Lintrel_ShortTravelSort(list, 1, 0); });
}
void BM_ShortTravelWithCutting(benchmark::State& state) {
    timed(state, [](void** list) {
        Lintrel_ShortTravelSortInnerFirst(list, 1, 0);
        cuttingSteps(list, false);
    });
}

// Each step alone, on a sheet sorted by position.
void BM_Containment(benchmark::State& state) {
    timed(state, [](void** list) {
        int count = 0;
        Lintrel_GetContainment(*list, kPrecision, nullptr, nullptr, &count);
        std::vector<int> parent(count), depth(count);
        Lintrel_GetContainment(*list, kPrecision, parent.data(), depth.data(), &count);
    });
}
void BM_InnerFirst(benchmark::State& state) {
    timed(state, [](void** list) { Lintrel_InnerFirst(list, kPrecision, 0); });
}
void BM_Kerf(benchmark::State& state) {
    timed(state, [](void** list) {
        void* cut = nullptr;
        Lintrel_KerfOffset(*list, &kKerf, 1, kPrecision, &cut, nullptr, 0);
        VarnixCad3_DeleteChain(cut);
    });
}
void BM_Leads(benchmark::State& state) {
    timed(state, [](void** list) { Lintrel_AddLeads(*list, &kLeads, 1, kPrecision, nullptr, 0); });
}

void once(benchmark::internal::Benchmark* b) {
    b->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
}

}  // namespace

BENCHMARK(BM_SortByPosition)->Apply(once);
BENCHMARK(BM_SortByPositionWithCutting)->Apply(once);
BENCHMARK(BM_SortByPositionWithProgramCutPaths)->Apply(once);
BENCHMARK(BM_SortByPositionWithProgramCutPathsStartAndTurn)->Apply(once);
BENCHMARK(BM_ShortTravel)->Apply(once);
BENCHMARK(BM_ShortTravelWithCutting)->Apply(once);
BENCHMARK(BM_Containment)->Apply(once);
BENCHMARK(BM_InnerFirst)->Apply(once);
BENCHMARK(BM_Kerf)->Apply(once);
BENCHMARK(BM_Leads)->Apply(once);
