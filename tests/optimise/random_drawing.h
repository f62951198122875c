// Seeded random vect lists for the clean-up differential tests and benchmarks: polylines,
// arcs, circles, points and curves on a coarse lattice, so that exact duplicates, reversed
// duplicates, ends that meet exactly, within or just outside a tolerance, and ties are common.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <vector>

#include "curves/flatten.h"
#include "model/geometry.h"
#include "model/items.h"
#include "optimise/cleanup.h"
#include "support/builders.h"

namespace lintrel::test {

class RandomDrawing {
  public:
    // `span` is the lattice size in drawing units; `tolerance` the merge tolerance whose
    // neighbourhood the ends are jittered around.
    // With `wild` a few coordinates are not finite or far out, as damaged files bring them.
    RandomDrawing(uint64_t seed, double span, double tolerance, bool wild = false)
        : rng_(seed), span_(span), window_(span), tolerance_(tolerance), wild_(wild) {}

    // With `local` the shapes are drawn region by region, as drawings are made and stored:
    // each lies in a small window that moves over the sheet row by row, and copies repeat
    // recent shapes. Otherwise each lies anywhere and copies repeat any earlier shape.
    Vect* list(int count, bool local = false) {
        std::vector<Vect*> made;
        Vect* head = nullptr;
        const double window = local ? std::fmin(span_, kWindow) : span_;
        const int columns = static_cast<int>(std::ceil(span_ / window));
        const int perWindow = std::max(1, count / (columns * columns));
        for (int i = 0; i < count; ++i) {
            if (local) {
                const int w = i / perWindow, row = w / columns, column = w % columns;
                origin_ = {window * (row % 2 ? columns - 1 - column : column), window * row};
                window_ = window;
            }
            const size_t recent = local ? std::min<size_t>(made.size(), 256) : made.size();
            Vect* v = made.empty() || pick(10) < 6
                          ? fresh()
                          : variantOf(made[made.size() - 1 - pick(recent)]);
            decorate(*v);
            made.push_back(v);
            append(head, v);
        }
        return head;
    }

    size_t pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng_); }

  private:
    static constexpr double kWindow = 16;

    double lattice() { return static_cast<double>(pick(static_cast<size_t>(window_) + 1)); }

    // A lattice coordinate, sometimes moved to just inside or just outside a tolerance.
    double coordinate() {
        static constexpr std::array<double, 7> kShifts = {0,        1,      -1,    1 - 1e-9,
                                                          1 + 1e-9, 0.9999, 1.0001};
        static constexpr std::array<double, 4> kWild = {NAN, INFINITY, -INFINITY, 1e300};
        if (wild_ && pick(100) == 0) return kWild[pick(kWild.size())];
        const double c = lattice();
        if (pick(4) != 0) return c;
        const double t = pick(2) ? tolerance_ : kSameCoordinate;
        return c + t * kShifts[pick(kShifts.size())];
    }

    Point point() { return {origin_.x + coordinate(), origin_.y + coordinate()}; }

    Vect* fresh() {
        switch (pick(12)) {
            case 0:
            case 1: {
                static constexpr std::array<double, 6> kAngles = {0,   kHalfPi, kPi, kThreeHalfPi,
                                                                  0.5, 5.9};
                static constexpr std::array<double, 6> kSweeps = {kHalfPi, -kHalfPi, kPi,
                                                                  -kPi,    0,        1.0};
                return arc(origin_.x + lattice(), origin_.y + lattice(),
                           1 + static_cast<double>(pick(2)), kAngles[pick(kAngles.size())],
                           kSweeps[pick(kSweeps.size())]);
            }
            case 2: {
                Vect* p = polyline({point(), point()});
                p->type = LINTREL_POINT;
                p->segs->x1 = p->segs->x0;
                p->segs->y1 = p->segs->y0;
                p->segs->jump = p->segs->tag = 255;
                p->closed = 1;
                return p;
            }
            case 3:
                return controlPolygon(pick(2) ? LINTREL_BEZIER : LINTREL_SPLINE,
                                      {point(), point(), point(), point()});
            default: {
                std::vector<Point> points(2 + pick(3));
                for (Point& p : points)
                    p = point();
                if (pick(6) == 0) points.back() = points.front();
                return polylineOf(points);
            }
        }
    }

    // Copies that are duplicates, reversed duplicates or near misses of an earlier vect.
    Vect* variantOf(const Vect* original) {
        Vect* v = copyVect(original);
        switch (pick(4)) {
            case 0:
                break;
            case 1:
                reverseVect(*v);
                break;
            case 2:
                jitter(v->segs, pick(2) ? 0.0009 : 0.0011);
                break;
            default:
                if (v->type == LINTREL_ARC) v->segs->z0 += pick(2) ? 0.00009 : 0.00011;
                jitter(v->segs, 0.00009);
                break;
        }
        return v;
    }

    void jitter(Seg* head, double by) {
        for (Seg* s : ring(head))
            for (double* c : {&s->x0, &s->y0, &s->x1, &s->y1})
                if (pick(3) == 0) *c += pick(2) ? by : -by;
    }

    void decorate(Vect& v) {
        v.selected = pick(5) != 0;
        if (v.type != LINTREL_POINT && v.type != LINTREL_ARC && pick(8) == 0) v.closed = 1;
        if (pick(25) == 0) v.link = reinterpret_cast<void*>(0x40);
        if (v.type == LINTREL_ARC && pick(5) == 0) buildFlatSegs(&v, 0.1);
        if (pick(40) == 0) v.type = LINTREL_ELLIPSE;
    }

    std::mt19937_64 rng_;
    double span_;
    double window_;
    Point origin_;
    double tolerance_;
    bool wild_;
};

}  // namespace lintrel::test
