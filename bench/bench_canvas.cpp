// The canvas on a large drawing: a full repaint (scene built from the drawing, reduced to the
// pixels, rasterised with its rulers) into a 1600 x 1000 area, a pan (the same rebuild from a
// moved view) and a paint of the cached picture with the not-xor overlays.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPixmap>
#include <cmath>
#include <cstdlib>
#include <vector>

#include <lintrel/lintrel.hpp>

#include "core/document/document.h"
#include "view/canvas.h"

using namespace lintrel;

namespace {

constexpr int kGroups = 10;
constexpr int kSegsPerVect = 100;

// Line segs through the points, made by the library's constructor as any host makes them.
Seg* lineChain(const std::vector<Point>& points) {
    Seg* chain = nullptr;
    for (size_t i = 1; i < points.size(); ++i) {
        Seg* seg = VarnixCad3_NewSeg();
        seg->x0 = points[i - 1].x;
        seg->y0 = points[i - 1].y;
        seg->x1 = points[i].x;
        seg->y1 = points[i].y;
        append(chain, seg);
    }
    return chain;
}

// Closed wavy rings of 100 segs on a square lattice, one ring per cell, so that the drawing
// fills the area evenly; every seventh ring is open and every thirteenth selected, so that all
// pens take part.
VectGroup* rings(int segments) {
    const int count = segments / kSegsPerVect;
    const int side = static_cast<int>(std::ceil(std::sqrt(count)));
    VectGroup* groups = nullptr;
    std::vector<VectGroup*> byGroup;
    for (int g = 0; g < kGroups; ++g) {
        VectGroup* group = VarnixCad3_NewVectGroup();
        group->number = g + 1;
        append(groups, group);
        byGroup.push_back(group);
    }
    std::vector<Point> points(kSegsPerVect + 1);
    for (int i = 0; i < count; ++i) {
        const double cx = (i % side) * 10.0, cy = (i / side) * 10.0;
        for (int k = 0; k <= kSegsPerVect; ++k) {
            const double a = 2 * M_PI * k / kSegsPerVect;
            const double r = 4 + 0.5 * std::sin(6 * a);
            points[static_cast<size_t>(k)] = {cx + r * std::cos(a), cy + r * std::sin(a)};
        }
        Vect* vect = VarnixCad3_NewVect();
        vect->segs = lineChain(points);
        vect->closed = i % 7 != 0;
        vect->selected = i % 13 == 0;
        append(byGroup[static_cast<size_t>(i % kGroups)]->vects, vect);
    }
    return groups;
}

struct Bench {
    explicit Bench(int segments) : canvas(document, view, 1.0) {
        document.adopt(rings(segments));
        view.showAbs = true;
        canvas.resize(1600, 1000);
        canvas.show();
        QApplication::processEvents();
        canvas.picture();
    }
    pathloom::Document document;
    pathloom::ViewSettings view;
    pathloom::view::Canvas canvas;
};

void BM_RepaintFull(benchmark::State& state) {
    Bench bench(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        bench.canvas.refresh();
        benchmark::DoNotOptimize(bench.canvas.picture().constBits());
    }
    state.counters["strokes"] = static_cast<double>(bench.canvas.scene().strokes.size());
    state.counters["points"] = static_cast<double>(bench.canvas.scene().points.size());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RepaintFull)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_Pan(benchmark::State& state) {
    Bench bench(static_cast<int>(state.range(0)));
    QPoint at(800, 500);
    int step = 0;
    for (auto _ : state) {
        const QPoint to = at + QPoint(step % 2 ? -40 : 40, 25);
        QMouseEvent press(QEvent::MouseButtonPress, at, bench.canvas.mapToGlobal(at),
                          Qt::MiddleButton, Qt::MiddleButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, to, bench.canvas.mapToGlobal(to),
                            Qt::MiddleButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&bench.canvas, &press);
        QApplication::sendEvent(&bench.canvas, &release);
        benchmark::DoNotOptimize(bench.canvas.picture().constBits());
        ++step;
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Pan)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_PaintCached(benchmark::State& state) {
    Bench bench(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        QPixmap shown = bench.canvas.grab();
        benchmark::DoNotOptimize(shown);
    }
}
BENCHMARK(BM_PaintCached)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
