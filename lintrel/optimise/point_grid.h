// Uniform grid cells for the clean-up fast paths. Points within a reach of each other land in
// neighbouring cells, so a query visits the few cells a reach box covers and compares the
// candidates it finds exactly. Coordinates that are not finite or far out share clamped cells;
// that only adds candidates, never loses one.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

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

// Numbers the distinct keys it is given, 0, 1, 2, ... in order of first sight. Open addressing
// in flat arrays: the clean-up fast paths look up a key per vect end, and node-based maps
// spend most of their time in the allocator.
class KeyTable {
  public:
    static constexpr uint32_t kNone = 0xFFFFFFFFu;

    explicit KeyTable(size_t expectedKeys) {
        size_t capacity = 16;
        while (capacity < 2 * expectedKeys)
            capacity *= 2;
        keys_.assign(capacity, 0);
        ids_.assign(capacity, kNone);
    }

    uint32_t find(uint64_t key) const {
        for (size_t i = slot(key);; i = (i + 1) & mask())
            if (ids_[i] == kNone || keys_[i] == key) return ids_[i];
    }

    uint32_t findOrAdd(uint64_t key) {
        if (2 * (count_ + 1) > keys_.size()) grow();
        size_t i = slot(key);
        while (ids_[i] != kNone && keys_[i] != key)
            i = (i + 1) & mask();
        if (ids_[i] == kNone) {
            keys_[i] = key;
            ids_[i] = count_++;
        }
        return ids_[i];
    }

    uint32_t size() const { return count_; }

  private:
    size_t mask() const { return keys_.size() - 1; }
    size_t slot(uint64_t key) const { return (key ^ (key >> 29)) & mask(); }

    void grow() {
        std::vector<uint64_t> keys(std::move(keys_));
        std::vector<uint32_t> ids(std::move(ids_));
        keys_.assign(2 * keys.size(), 0);
        ids_.assign(2 * keys.size(), kNone);
        for (size_t j = 0; j < keys.size(); ++j) {
            if (ids[j] == kNone) continue;
            size_t i = slot(keys[j]);
            while (ids_[i] != kNone)
                i = (i + 1) & mask();
            keys_[i] = keys[j];
            ids_[i] = ids[j];
        }
    }

    std::vector<uint64_t> keys_;
    std::vector<uint32_t> ids_;
    uint32_t count_ = 0;
};

}  // namespace lintrel
