// Building and updating the slot-aware k-d tree of the sorts, and its nearest-point query.
#include "optimise/point_index.h"

#include <algorithm>
#include <cmath>

namespace lintrel {

PointIndex::PointIndex(std::vector<Entry> entries, int idCount, int leafSize)
    : leafSize_(std::max(1, leafSize)),
      entries_(std::move(entries)),
      leafOf_(entries_.size()),
      firstEntryOf_(idCount + 1, 0),
      entrySlot_(entries_.size(), kAbsent) {
    if (entries_.empty()) return;
    for (const Entry& e : entries_)
        finite_ = finite_ && std::isfinite(e.p.x) && std::isfinite(e.p.y);
    build(0, 0, static_cast<int>(entries_.size()));
    points_.reserve(entries_.size());
    ids_.reserve(entries_.size());
    orders_.reserve(entries_.size());
    for (const Entry& e : entries_) {
        points_.push_back(e.p);
        ids_.push_back(e.id);
        orders_.push_back(e.order);
    }
    std::vector<Entry>().swap(entries_);
    groupById();
}

void PointIndex::groupById() {
    // Each id's entries side by side in one array (a counting sort by id), so that an update
    // reads one short run instead of a list of its own.
    const int idCount = static_cast<int>(firstEntryOf_.size()) - 1;
    std::fill(firstEntryOf_.begin(), firstEntryOf_.end(), 0);
    for (const int id : ids_)
        ++firstEntryOf_[id + 1];
    for (int id = 0; id < idCount; ++id)
        firstEntryOf_[id + 1] += firstEntryOf_[id];
    entriesById_.resize(ids_.size());
    std::vector<int> next(firstEntryOf_.begin(), firstEntryOf_.end() - 1);
    for (size_t e = 0; e < ids_.size(); ++e)
        entriesById_[next[ids_[e]]++] = static_cast<int>(e);
    leafById_.resize(ids_.size());
    for (size_t k = 0; k < ids_.size(); ++k)
        leafById_[k] = leafOf_[entriesById_[k]];
}

std::vector<int> PointIndex::renumberInTreeOrder() {
    const int idCount = static_cast<int>(firstEntryOf_.size()) - 1;
    std::vector<int> newId(idCount, -1), oldId;
    oldId.reserve(idCount);
    for (int& id : ids_) {
        int& to = newId[id];
        if (to < 0) {
            to = static_cast<int>(oldId.size());
            oldId.push_back(id);
        }
        id = to;
    }
    // Ids without entries keep their relative order after the others.
    for (int id = 0; id < idCount; ++id)
        if (newId[id] < 0) {
            newId[id] = static_cast<int>(oldId.size());
            oldId.push_back(id);
        }
    // Node summaries name vects too; before any vect is placed they name none.
    for (Node& n : nodes_)
        if (n.minId >= 0) n.minId = newId[n.minId];
    groupById();
    return oldId;
}

void PointIndex::build(int node, int lo, int hi) {
    if (node >= static_cast<int>(nodes_.size())) nodes_.resize(node + 1);
    Node& n = nodes_[node];
    n.lo = lo;
    n.hi = hi;
    n.minSlot = kAbsent;
    n.maxSlot = -1;
    n.minId = -1;
    n.x0 = n.y0 = INFINITY;
    n.x1 = n.y1 = -INFINITY;
    for (int e = lo; e < hi; ++e) {
        const Point q = entries_[e].p;
        n.x0 = std::min(n.x0, q.x);
        n.y0 = std::min(n.y0, q.y);
        n.x1 = std::max(n.x1, q.x);
        n.y1 = std::max(n.y1, q.y);
    }
    if (hi - lo <= leafSize_) {
        for (int e = lo; e < hi; ++e)
            leafOf_[e] = node;
        return;
    }
    const bool alongX = n.x1 - n.x0 >= n.y1 - n.y0;
    const int mid = lo + (hi - lo) / 2;
    // One comparison per axis, so that the selection's inner loop does not test the axis.
    const auto at = [&](int k) { return entries_.begin() + k; };
    if (alongX)
        std::nth_element(at(lo), at(mid), at(hi),
                         [](const Entry& a, const Entry& b) { return a.p.x < b.p.x; });
    else
        std::nth_element(at(lo), at(mid), at(hi),
                         [](const Entry& a, const Entry& b) { return a.p.y < b.p.y; });
    build(2 * node + 1, lo, mid);
    build(2 * node + 2, mid, hi);
}

bool PointIndex::refresh(int node) {
    Node& n = nodes_[node];
    const int oldMin = n.minSlot, oldMax = n.maxSlot, oldId = n.minId;
    n.minSlot = kAbsent;
    n.maxSlot = -1;
    n.minId = -1;
    if (n.hi - n.lo <= leafSize_) {
        for (int e = n.lo; e < n.hi; ++e) {
            const int s = entrySlot_[e];
            if (s == kAbsent) continue;
            if (s < n.minSlot) n.minSlot = s, n.minId = ids_[e];
            n.maxSlot = std::max(n.maxSlot, s);
        }
        return n.minSlot != oldMin || n.maxSlot != oldMax || n.minId != oldId;
    }
    const Node& a = nodes_[2 * node + 1];
    const Node& b = nodes_[2 * node + 2];
    const Node& low = a.minSlot <= b.minSlot ? a : b;
    n.minSlot = low.minSlot;
    n.minId = low.minId;
    n.maxSlot = std::max(a.maxSlot, b.maxSlot);
    return n.minSlot != oldMin || n.maxSlot != oldMax || n.minId != oldId;
}

void PointIndex::update(int id) {
    // Summaries above a node that did not change cannot change either.
    for (int k = firstEntryOf_[id]; k < firstEntryOf_[id + 1]; ++k)
        for (int node = leafById_[k]; refresh(node) && node > 0; node = parentOf(node)) {
        }
}

void PointIndex::placeAll(std::span<const int> slots) {
    for (size_t e = 0; e < ids_.size(); ++e) {
        const int slot = slots[ids_[e]];
        entrySlot_[e] = slot < 0 ? kAbsent : slot;
    }
    // Children come after their parents, so one backward sweep settles every summary.
    for (int node = static_cast<int>(nodes_.size()) - 1; node >= 0; --node)
        refresh(node);
}

void PointIndex::place(int id, int slot) {
    setSlot(id, slot);
    update(id);
}

void PointIndex::remove(int id) {
    setSlot(id, kAbsent);
    update(id);
}

void PointIndex::setSlot(int id, int slot) {
    for (int k = firstEntryOf_[id]; k < firstEntryOf_[id + 1]; ++k)
        entrySlot_[entriesById_[k]] = slot;
}

double PointIndex::boxDistanceSquared(const Node& n, Point p) const {
    const double dx = p.x < n.x0 ? n.x0 - p.x : (p.x > n.x1 ? p.x - n.x1 : 0);
    const double dy = p.y < n.y0 ? n.y0 - p.y : (p.y > n.y1 ? p.y - n.y1 : 0);
    return dx * dx + dy * dy;
}

int PointIndex::nearest(Point p) const {
    if (nodes_.empty()) return -1;
    double bestD = INFINITY;
    int best = -1;
    searchNearest(0, p, bestD, best);
    return best;
}

int PointIndex::startLeaf(int nearId, Point p) const {
    if (nodes_.empty() || !finite_ || !std::isfinite(p.x) || !std::isfinite(p.y) || nearId < 0 ||
        nearId + 1 >= static_cast<int>(firstEntryOf_.size()))
        return -1;
    int leaf = -1;
    double leafD = INFINITY;
    for (int k = firstEntryOf_[nearId]; k < firstEntryOf_[nearId + 1]; ++k) {
        const double d = distanceSquared(points_[entriesById_[k]], p);
        if (leaf < 0 || d < leafD) leaf = leafById_[k], leafD = d;
    }
    return leaf;
}

int PointIndex::nearest(Point p, int nearId) const {
    int node = startLeaf(nearId, p);
    if (node < 0) return nearest(p);
    // Up to the first node whose box holds `p`, searched as a whole; then outwards, one sibling
    // subtree at a time, until the reach of the best answer fits inside the subtree searched:
    // nothing outside can then come nearer or tie, and the answer is the one the search from
    // the root gives (the nearest, ties to the smallest order, whatever the order of search).
    while (node > 0 && !holds(nodes_[node], p))
        node = parentOf(node);
    double bestD = INFINITY;
    int best = -1;
    searchNearest(node, p, bestD, best);
    while (node > 0 && !(best >= 0 && holdsReach(nodes_[node], p, bestD + allowance(bestD, p)))) {
        const int up = parentOf(node);
        searchNearest(node == 2 * up + 1 ? 2 * up + 2 : 2 * up + 1, p, bestD, best);
        node = up;
    }
    return best;
}

void PointIndex::searchNearest(int node, Point p, double& bestD, int& best) const {
    const Node& n = nodes_[node];
    if (n.minSlot == kAbsent) return;
    if (best >= 0) {
        const double reach = bestD + allowance(bestD, p);
        if (boxDistanceSquared(n, p) > reach * reach) return;
    }
    if (n.hi - n.lo <= leafSize_) {
        for (int e = n.lo; e < n.hi; ++e) {
            if (entrySlot_[e] == kAbsent) continue;
            const double d = distance(p, points_[e]);
            // Strictly nearer wins; an equal distance goes to the earlier entry.
            if (d < bestD || (best >= 0 && d == bestD && orders_[e] < orders_[best])) {
                bestD = d;
                best = e;
            }
        }
        return;
    }
    const int a = 2 * node + 1, b = 2 * node + 2;
    const bool aFirst = boxDistanceSquared(nodes_[a], p) <= boxDistanceSquared(nodes_[b], p);
    searchNearest(aFirst ? a : b, p, bestD, best);
    searchNearest(aFirst ? b : a, p, bestD, best);
}

}  // namespace lintrel
