// Single-precision copies of the vects' end points, laid out for wide comparisons, so that the
// nearest-neighbour scan can pass over the many vects that cannot be its next improvement
// without computing their exact distances.
//
// The screen is conservative: a position it passes over is surely farther than the reach by
// the exact double-precision distance; a position it stops at is decided on the exact distance
// by the caller. Drawings whose coordinates do not fit single precision are not screened.
#pragma once

#include <vector>

#include "model/geometry.h"

namespace lintrel {

class EndScreen {
  public:
    // How many comparisons run at once: the widest the processor offers, four, or one.
    enum class Lanes { Widest, Four, One };

    // `largest` bounds the magnitude of every coordinate that will be loaded.
    EndScreen(int size, double largest, Lanes lanes = Lanes::Widest);

    // A position that does not take part is never offered.
    void load(int position, Point start, Point end, bool takesPart);
    void swap(int a, int b);
    // Exchanges the start and end at `position` when `turn` is set.
    void turn(int position, bool turn);
    // The arrays themselves, for a loop that writes many positions: it keeps their addresses
    // in registers.
    struct Columns {
        float *sx, *sy, *ex, *ey;
        void put(int position, Point start, Point end) const {
            sx[position] = static_cast<float>(start.x);
            sy[position] = static_cast<float>(start.y);
            ex[position] = static_cast<float>(end.x);
            ey[position] = static_cast<float>(end.y);
        }
    };
    Columns columns() { return {sx_.data(), sy_.data(), ex_.data(), ey_.data()}; }

    // A reference point prepared for many searches. When coordinates are too large (or not
    // numbers) for single precision, nothing is screened and every position is offered.
    struct Probe {
        float x = 0, y = 0;
        double slack = 0;  // bound on the error of a single-precision distance
        bool screened = false;
    };
    Probe probe(Point reference) const;

    // Positions that may lie within reach: bit k of `mask` stands for position `at + k`.
    struct Hits {
        int at = 0;
        unsigned mask = 0;
    };
    // The first block of sixteen positions from `from` on holding a position below `to` whose
    // start (and with `eitherEnd` whose end) may lie closer to the probe's point than `reach`,
    // with all such positions of the block; a mask of 0 when surely none does.
    Hits nextWithin(const Probe& probe, int from, int to, double reach, bool eitherEnd) const;

    // The arrays and one search's point and bound on the squared distance.
    struct Block {
        const float *sx, *sy, *ex, *ey;
        float rx, ry, bound;
    };

  private:
    using Scan = Hits (*)(const Block&, int, int);
    static constexpr int kPad = 16;  // the wide loops read whole blocks past the end
    Scan scanStarts_, scanEither_;
    std::vector<float> sx_, sy_, ex_, ey_;
    double largest_;
    bool usable_;
};

}  // namespace lintrel
