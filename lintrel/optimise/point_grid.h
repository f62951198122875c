// Uniform grid cells for the clean-up fast paths. Points within a reach of each other land in
// neighbouring cells, so a query visits the few cells a reach box covers and compares the
// candidates it finds exactly. Coordinates that are not finite or far out share clamped cells;
// that only adds candidates, never loses one.
#pragma once

#include <cmath>
#include <cstdint>

#include "model/geometry.h"

namespace lintrel {

struct CellSpan {
    int64_t low = 0;
    int64_t high = 0;
};

class GridScale {
  public:
    explicit GridScale(double cellSize) : size_(cellSize) {}

    int64_t cell(double v) const {
        constexpr double kFar = 4.0e18;
        const double c = std::floor(v / size_);
        if (std::isnan(c)) return 0;
        if (c < -kFar) return static_cast<int64_t>(-kFar);
        if (c > kFar) return static_cast<int64_t>(kFar);
        return static_cast<int64_t>(c);
    }
    // The cells a coordinate within `reach` of `v` can fall into.
    CellSpan span(double v, double reach) const { return {cell(v - reach), cell(v + reach)}; }

  private:
    double size_;
};

// Mixes cell coordinates and a salt (kind, counts) into one hash key. Different cells may share
// a key; callers compare candidates exactly, so a shared key costs time, never correctness.
inline uint64_t cellKey(int64_t cx, int64_t cy, uint64_t salt) {
    uint64_t h = salt * 0x9E3779B97F4A7C15ull;
    for (const uint64_t part : {static_cast<uint64_t>(cx), static_cast<uint64_t>(cy)}) {
        h ^= part + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
        h *= 0xBF58476D1CE4E5B9ull;
        h ^= h >> 31;
    }
    return h;
}

}  // namespace lintrel
