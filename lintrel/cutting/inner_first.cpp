// Mending an order so that no shape comes after its encloser: the pull-forward rule walks the
// containment forest with a minimum tree over its preorder, the deferring rule sorts by the last
// descendant, and the list operation lays either out.
#include "cutting/inner_first.h"

#include <algorithm>
#include <climits>
#include <numeric>
#include <optional>

#include "cutting/containment.h"
#include "cutting/outline.h"
#include "model/list_walk.h"
#include "optimise/ordering.h"
#include "optimise/short_travel.h"
#include "optimise/sort_list.h"

namespace lintrel {

namespace {

// The forest in preorder: each item's slot, and the end (exclusive) of its subtree's slots.
struct Preorder {
    std::vector<int> slot, subtreeEnd, depth;
};

Preorder preorderOf(std::span<const int> parent) {
    const int n = static_cast<int>(parent.size());
    std::vector<int> children(n);
    // Counting sort of the children by parent (roots under a virtual node n).
    std::vector<int> count(n + 2, 0);
    for (int i = 0; i < n; ++i)
        ++count[(parent[i] < 0 ? n : parent[i]) + 1];
    std::partial_sum(count.begin(), count.end(), count.begin());
    std::vector<int> fill(count.begin(), count.end() - 1);
    for (int i = 0; i < n; ++i)
        children[fill[parent[i] < 0 ? n : parent[i]]++] = i;
    Preorder p{std::vector<int>(n), std::vector<int>(n), std::vector<int>(n, 0)};
    int next = 0;
    // Explicit stack: nesting may be as deep as the drawing is long.
    std::vector<std::pair<int, int>> stack{{n, count[n]}};
    while (!stack.empty()) {
        auto& [node, child] = stack.back();
        if (child < count[node + 1]) {
            const int c = children[child++];
            p.slot[c] = next++;
            p.depth[c] = node == n ? 0 : p.depth[node] + 1;
            stack.push_back({c, count[c]});
        } else {
            if (node != n) p.subtreeEnd[node] = next;
            stack.pop_back();
        }
    }
    return p;
}

// Minimum over slot ranges, with removal.
class MinTree {
  public:
    explicit MinTree(int n) : size_(std::max(1, n)), tree_(2 * size_, INT_MAX) {}
    void set(int slot, int value) {
        int k = slot + size_;
        tree_[k] = value;
        for (k /= 2; k >= 1; k /= 2)
            tree_[k] = std::min(tree_[2 * k], tree_[2 * k + 1]);
    }
    int minimum(int from, int to) const {  // [from, to)
        int best = INT_MAX;
        for (int l = from + size_, r = to + size_; l < r; l /= 2, r /= 2) {
            if (l & 1) best = std::min(best, tree_[l++]);
            if (r & 1) best = std::min(best, tree_[--r]);
        }
        return best;
    }

  private:
    int size_;
    std::vector<int> tree_;
};

std::vector<int> pullForward(std::span<const int> parent, const Preorder& p) {
    const int n = static_cast<int>(parent.size());
    MinTree undone(n);
    for (int i = 0; i < n; ++i)
        undone.set(p.slot[i], i);
    std::vector<int> order, stack;
    order.reserve(n);
    while (static_cast<int>(order.size()) < n) {
        if (stack.empty()) {
            stack.push_back(undone.minimum(0, n));
            continue;
        }
        const int v = stack.back();
        const int d = undone.minimum(p.slot[v] + 1, p.subtreeEnd[v]);
        if (d != INT_MAX) {
            stack.push_back(d);
            continue;
        }
        stack.pop_back();
        order.push_back(v);
        undone.set(p.slot[v], INT_MAX);
    }
    return order;
}

std::vector<int> deferred(std::span<const int> parent, const Preorder& p) {
    const int n = static_cast<int>(parent.size());
    // The last place of each subtree: children have larger slots, so a reverse slot walk sees
    // them before their parents.
    std::vector<int> bySlot(n), last(n);
    for (int i = 0; i < n; ++i)
        bySlot[p.slot[i]] = i;
    std::iota(last.begin(), last.end(), 0);
    for (int s = n - 1; s >= 0; --s) {
        const int i = bySlot[s];
        if (parent[i] >= 0) last[parent[i]] = std::max(last[parent[i]], last[i]);
    }
    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        if (last[a] != last[b]) return last[a] < last[b];
        if (p.depth[a] != p.depth[b]) return p.depth[a] > p.depth[b];
        return a < b;
    });
    return order;
}

double travelAlong(const SortList& view, std::span<const int> slots, std::span<const int> order) {
    double travel = 0;
    Point at = view.previousEnd(slots.empty() ? 0 : slots[0]);
    for (int k : order) {
        travel += distance(at, view.ends(slots[k]).start);
        at = view.ends(slots[k]).end;
    }
    return travel;
}

}  // namespace

std::vector<int> innerFirstOrder(std::span<const int> parent, InnerFirstRule rule) {
    const Preorder p = preorderOf(parent);
    return rule == InnerFirstRule::PullForward ? pullForward(parent, p) : deferred(parent, p);
}

namespace {

// A list's new order: position `slots[k]` receives the vect now at `from[k]`.
struct Reorder {
    std::vector<int> slots, from;
};

// The mended order of one list, none when it stays as it is.
std::optional<Reorder> mendedOrder(const SortList& view, double precision,
                                   const InnerFirstRule* rule) {
    const std::vector<int> slots = view.takingPart();
    std::vector<Vect*> taking(slots.size());
    for (size_t k = 0; k < slots.size(); ++k)
        taking[k] = view.at(slots[k]);
    const Containment nesting = findContainment(outlinesOf(taking, precision), precision);
    std::vector<int> order;
    if (rule) {
        order = innerFirstOrder(nesting.parent, *rule);
    } else {
        order = innerFirstOrder(nesting.parent, InnerFirstRule::PullForward);
        std::vector<int> other = innerFirstOrder(nesting.parent, InnerFirstRule::Defer);
        if (travelAlong(view, slots, other) < travelAlong(view, slots, order))
            order = std::move(other);
    }
    bool changed = false;
    std::vector<int> from(order.size());
    for (size_t k = 0; k < order.size(); ++k) {
        from[k] = slots[order[k]];
        changed = changed || order[k] != static_cast<int>(k);
    }
    if (!changed) return std::nullopt;
    return Reorder{slots, std::move(from)};
}

// Mends one list; the reorder it made, if any.
std::optional<Reorder> mendList(Vect*& head, bool selectedOnly, double precision,
                                const InnerFirstRule* rule) {
    SortList view(head, selectedOnly);
    std::optional<Reorder> reorder = mendedOrder(view, precision, rule);
    if (!reorder) return std::nullopt;
    view.permute(reorder->slots, reorder->from);
    view.relink(head);
    return reorder;
}

// The same reorder given to an exact copy of the list it was found for.
void replayReorder(Vect*& head, const Reorder& reorder) {
    const std::vector<Vect*> items = vectsInOrder(head);
    std::vector<Vect*> placed = items;
    for (size_t k = 0; k < reorder.slots.size(); ++k)
        placed[reorder.slots[k]] = items[reorder.from[k]];
    relinkInOrder(head, placed);
}

}  // namespace

int innerFirstList(Vect*& head, bool selectedOnly, double precision, const InnerFirstRule* rule) {
    return mendList(head, selectedOnly, precision, rule) ? LINTREL_OK : LINTREL_NOTHING_TO_DO;
}

OrderFinish innerFirstFinish(bool selectedOnly) {
    // The replay is the reorder of each list and the start points moved.
    return [selectedOnly](VectGroup* first) -> FinishReplay {
        std::vector<std::optional<Reorder>> reorders;
        for (VectGroup* g : ring(first))
            if (g->vects)
                reorders.push_back(mendList(g->vects, selectedOnly, kMeasurePrecision, nullptr));
        // One pass enters the outlines that changed neighbours well; more passes gain little on
        // the sort's own, already optimised entries.
        StartMoves moves;
        optimizeStartPoints(first, kMeasurePrecision, selectedOnly, &moves);
        return [reorders = std::move(reorders), moves = std::move(moves)](VectGroup* copy) {
            size_t next = 0;
            for (VectGroup* g : ring(copy)) {
                if (!g->vects) continue;
                if (const std::optional<Reorder>& r = reorders[next++]) replayReorder(g->vects, *r);
            }
            replayStartMoves(copy, kMeasurePrecision, moves);
        };
    };
}

int innerFirstShortTravelSort(void** list, bool allowReverse, bool selectedOnly) {
    return shortTravelSort(list, allowReverse, selectedOnly, kExactGuardVects,
                           innerFirstFinish(selectedOnly));
}

}  // namespace lintrel
