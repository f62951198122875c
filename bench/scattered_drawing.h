// The benchmark drawing of the ordering benchmarks: small strokes and squares at a constant
// density, in random order.
#pragma once

#include <cmath>
#include <random>

#include "model/items.h"

namespace lintrel {

// Small open strokes and closed squares scattered over a square whose side grows with the
// square root of the count, so that every size has the same density.
inline Vect* scatteredDrawing(int n, unsigned seed) {
    std::mt19937 rng(seed);
    const double side = 10 * std::sqrt(static_cast<double>(n));
    std::uniform_real_distribution<double> at(0, side), size(0.5, 4);
    Vect* head = nullptr;
    for (int k = 0; k < n; ++k) {
        const double x = at(rng), y = at(rng), s = size(rng);
        Vect* v = newVect();
        if (k % 3 == 0) {
            append(v->segs, newLine(x, y, x + s, y));
            append(v->segs, newLine(x + s, y, x + s, y + s));
            append(v->segs, newLine(x + s, y + s, x, y + s));
            append(v->segs, newLine(x, y + s, x, y));
            v->closed = 1;
        } else {
            append(v->segs, newLine(x, y, x + s, y + s / 2));
            append(v->segs, newLine(x + s, y + s / 2, x + s / 2, y + s));
        }
        v->selected = 1;
        append(head, v);
    }
    return head;
}

}  // namespace lintrel
