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

    // Cells are centred on multiples of the cell size: drawings are full of round coordinates,
    // and a round value on a cell border would make every query visit two cells per axis.
    int64_t cell(double v) const {
        constexpr double kFar = 4.0e18;
        const double c = std::floor(v / size_ + 0.5);
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
        slots_.assign(capacity, Slot{});
        keys_.reserve(expectedKeys);
    }

    uint32_t find(uint64_t key) const { return slots_[slotOf(key)].id; }

    // Asks for the slot of `key` ahead of a lookup (a hint only). Lookups in list order land
    // anywhere in the table; a few in flight at once hide most of the wait for memory.
    void prefetch(uint64_t key) const { __builtin_prefetch(&slots_[key & mask()]); }

    uint32_t findOrAdd(uint64_t key) {
        if (2 * (keys_.size() + 1) > slots_.size()) grow();
        Slot& slot = slots_[slotOf(key)];
        if (slot.id == kNone) {
            slot = {tagOf(key), static_cast<uint32_t>(keys_.size())};
            keys_.push_back(key);
        }
        return slot.id;
    }

    uint32_t size() const { return static_cast<uint32_t>(keys_.size()); }

  private:
    // Eight bytes a slot, so that the table of a large drawing still fits the cache: the high
    // half of the key as a tag, and its number; the full key is checked only when tags agree.
    struct Slot {
        uint32_t tag = 0;
        uint32_t id = kNone;
    };

    static uint32_t tagOf(uint64_t key) { return static_cast<uint32_t>(key >> 32); }
    size_t mask() const { return slots_.size() - 1; }

    // The slot holding `key`, or the empty slot where it would go.
    size_t slotOf(uint64_t key) const {
        const uint32_t tag = tagOf(key);
        size_t i = key & mask();
        while (slots_[i].id != kNone && (slots_[i].tag != tag || keys_[slots_[i].id] != key))
            i = (i + 1) & mask();
        return i;
    }

    void grow() {
        slots_.assign(2 * slots_.size(), Slot{});
        for (uint32_t id = 0; id < keys_.size(); ++id)
            slots_[slotOf(keys_[id])] = {tagOf(keys_[id]), id};
    }

    std::vector<Slot> slots_;
    std::vector<uint64_t> keys_;  // by number
};

}  // namespace lintrel
