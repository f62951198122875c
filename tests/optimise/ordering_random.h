// Seeded random drawings for the ordering tests and benchmarks: vect lists on a coarse lattice
// (exact ties and shared end points), nudged by amounts around the 1e-4 margin (near-ties),
// mixing open and closed polylines, arcs and circles, some selected. Every vect carries its
// creation index in `speed` so that orders can be compared across copies.
#pragma once

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "model/geometry.h"
#include "model/items.h"
#include "support/builders.h"

namespace lintrel::test {

struct DrawingShape {
    int lattice = 6;  // coordinates are whole numbers 0 .. lattice, times `scale`
    double scale = 1;
    double nudgeChance = 0.3;  // chance that a point moves by a near-tie amount
    double selectChance = 1;   // chance that a vect is selected
    double offset = 0;         // added to every coordinate (negative drawings)
};

inline double nudged(std::mt19937& rng, const DrawingShape& shape, double v) {
    static const double kNudges[] = {3e-5, 5e-5, 1e-4, 1.5e-4, -5e-5, -1e-4, 2e-4};
    if (std::uniform_real_distribution<double>(0, 1)(rng) < shape.nudgeChance)
        v += kNudges[std::uniform_int_distribution<int>(0, 6)(rng)];
    return v;
}

inline Point latticePoint(std::mt19937& rng, const DrawingShape& shape) {
    std::uniform_int_distribution<int> coord(0, shape.lattice);
    return {nudged(rng, shape, coord(rng) * shape.scale + shape.offset),
            nudged(rng, shape, coord(rng) * shape.scale + shape.offset)};
}

inline Vect* randomVect(std::mt19937& rng, const DrawingShape& shape) {
    const int kind = std::uniform_int_distribution<int>(0, 9)(rng);
    Vect* v;
    if (kind < 5) {  // open polyline of one to three segs
        std::vector<Point> pts{latticePoint(rng, shape)};
        const int segs = 1 + kind % 3;
        for (int k = 0; k < segs; ++k)
            pts.push_back(latticePoint(rng, shape));
        v = polylineOf(pts);
    } else if (kind < 7) {  // closed triangle
        const Point a = latticePoint(rng, shape), b = latticePoint(rng, shape),
                    c = latticePoint(rng, shape);
        v = polylineOf({a, b, c, a}, true);
    } else if (kind < 9) {  // open arc
        const Point c = latticePoint(rng, shape);
        const double start = std::uniform_int_distribution<int>(0, 7)(rng) * kPi / 4;
        const double sweep = std::uniform_int_distribution<int>(-3, 3)(rng) * kPi / 4;
        v = arc(c.x, c.y, shape.scale * (1 + kind % 2), start, sweep == 0 ? kPi / 2 : sweep);
    } else {
        const Point c = latticePoint(rng, shape);
        v = circle(c.x, c.y, shape.scale);
    }
    v->selected = std::uniform_real_distribution<double>(0, 1)(rng) < shape.selectChance;
    return v;
}

inline Vect* randomList(std::mt19937& rng, int n, const DrawingShape& shape) {
    Vect* head = nullptr;
    for (int k = 0; k < n; ++k) {
        Vect* v = randomVect(rng, shape);
        v->speed = k;
        append(head, v);
    }
    return head;
}

inline Point startOf(const Vect* v) {
    Point p;
    vectStartPoint(*v, p);
    return p;
}

// Order, direction and definition of every vect of a list, exactly.
inline std::string signature(Vect* head) {
    std::string out;
    char buf[512];
    for (const Vect* v : ring(head)) {
        const Seg* a = v->segs;
        const Seg* b = v->segs->prev;
        std::snprintf(buf, sizeof buf,
                      "#%g t%d %.17g,%.17g>%.17g,%.17g|%.17g,%.17g>%.17g,%.17g z%.17g,%.17g\n",
                      v->speed, v->type, a->x0, a->y0, a->x1, a->y1, b->x0, b->y0, b->x1, b->y1,
                      a->z0, a->z1);
        out += buf;
    }
    return out;
}

}  // namespace lintrel::test
