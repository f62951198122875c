// The order in which the exchange selection sort places a sequence of keys, computed without
// its quadratic scan.
//
// The sort walks each position, lets every later item with a strictly smaller key swap places
// with the item held there, and moves on. Equal keys are not kept in their input order: the
// first item of a class rides forward, swap by swap, whenever everything before it is larger.
// Only items with smaller keys decide how a class moves, so the classes are settled in
// ascending order: item x of a class joins a queue at pass t(x) (the number of smaller items in
// front of it), and from then on every pass moves the front of the queue to its back. After
// the m passes that place the m smaller items, the class is placed in queue order, followed by
// the members that never joined.
#pragma once

#include <algorithm>
#include <numeric>
#include <span>
#include <utility>
#include <vector>

namespace lintrel {

// Counts, for a growing set of indexes, how many lie below a given index.
class IndexCounter {
  public:
    explicit IndexCounter(int size) : tree_(size + 1, 0) {}
    void add(int index) {
        for (int i = index + 1; i < static_cast<int>(tree_.size()); i += i & -i)
            ++tree_[i];
    }
    int countBelow(int index) const {
        int n = 0;
        for (int i = index; i > 0; i -= i & -i)
            n += tree_[i];
        return n;
    }

  private:
    std::vector<int> tree_;
};

// Order of one class of equal keys after `passes` passes: `members` in input order, `joins`
// their join passes (non-decreasing).
std::vector<int> riderOrder(std::span<const int> members, std::span<const long long> joins,
                            long long passes);

// Input indexes in placement order. `Less` must be a strict weak order on the keys.
template <class Key, class Less = std::less<Key>>
std::vector<int> exchangeOrder(std::span<const Key> keys, Less less = Less()) {
    const int n = static_cast<int>(keys.size());
    // Sorted by key, equal keys in input order; keys travel with their indexes for locality.
    std::vector<std::pair<Key, int>> sorted(n);
    for (int k = 0; k < n; ++k)
        sorted[k] = {keys[k], k};
    std::sort(sorted.begin(), sorted.end(), [&](const auto& a, const auto& b) {
        return less(a.first, b.first) || (!less(b.first, a.first) && a.second < b.second);
    });
    std::vector<int> byKey(n);
    for (int k = 0; k < n; ++k)
        byKey[k] = sorted[k].second;
    IndexCounter smaller(n);
    std::vector<int> placed;
    placed.reserve(n);
    std::vector<long long> joins;
    for (int lo = 0; lo < n;) {
        int hi = lo + 1;
        while (hi < n && !less(sorted[lo].first, sorted[hi].first))
            ++hi;
        const std::span<const int> members(byKey.data() + lo, hi - lo);
        if (members.size() == 1) {  // a key of its own is simply placed
            placed.push_back(members[0]);
            smaller.add(members[0]);
            lo = hi;
            continue;
        }
        joins.clear();
        for (int m : members)
            joins.push_back(smaller.countBelow(m));
        const std::vector<int> order =
            riderOrder(members, joins, static_cast<long long>(placed.size()));
        placed.insert(placed.end(), order.begin(), order.end());
        for (int m : members)
            smaller.add(m);
        lo = hi;
    }
    return placed;
}

}  // namespace lintrel
