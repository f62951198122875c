// A static k-d tree over the start (and end) points of the vects of one list, with the list
// position ("slot") of every vect kept up to date. It answers the two questions chain following
// asks without scanning: the earliest vect in list order that passes an exact test near a
// point, and the nearest point with ties going to the earliest entry.
#pragma once

#include <algorithm>
#include <climits>
#include <cmath>
#include <span>
#include <vector>

#include "model/geometry.h"

namespace lintrel {

class PointIndex {
  public:
    struct Entry {
        Point p;
        int id = 0;           // vect identifier, 0 <= id < idCount
        long long order = 0;  // tie order of the entry for nearest queries
    };
    // Leaves hold up to `leafSize` entries: larger leaves make a shallower tree, quicker to
    // build and to update, for a longer scan of each leaf searched.
    PointIndex(std::vector<Entry> entries, int idCount, int leafSize = 8);

    // Puts a vect (all its entries) in the index at list position `slot`.
    void place(int id, int slot);
    // Puts every vect in at once: `slots[id]`, or a negative slot for vects left out.
    void placeAll(std::span<const int> slots);
    void remove(int id);
    // Renumbers the vects in the order their first entries come in the tree, so that vects near
    // each other in the drawing get near numbers and per-vect arrays kept by the new numbers are
    // read from a few cache lines by each step of a walk. Returns the old number of each new one.
    // Call before placing any vect; `order` is kept, so every answer is the same vect as before.
    std::vector<int> renumberInTreeOrder();

    // The vect with the smallest slot above `after` that has an entry within `radius` of `p`
    // and passes `test(id)`, or -1. `test` decides exactly; the radius only prunes, with a small
    // allowance for points that moved by rounding.
    // With `nearId`, the search starts from the smallest subtree round `nearId`'s leaf that
    // holds every point within the radius (see `nearest`); the answer is the same.
    template <class Test>
    int firstAfter(int after, Point p, double radius, const Test& test, int nearId = -1) const;

    // The entry nearest to `p`, ties going to the smaller `order`; -1 when the index is empty.
    int nearest(Point p) const;
    // The same answer, searched outwards from the leaf of `nearId`'s entry nearest to `p`: when
    // `p` is near that vect (the end of a chain that just took it), the search settles within a
    // few nodes of the leaf instead of coming down from the root.
    int nearest(Point p, int nearId) const;
    Entry entry(int index) const { return {points_[index], ids_[index], orders_[index]}; }
    // Parts of an entry, each from its own array.
    Point point(int index) const { return points_[index]; }
    int id(int index) const { return ids_[index]; }

  private:
    struct Node {
        double x0, y0, x1, y1;  // box of the node's points
        int lo, hi;             // entry range
        int minSlot, maxSlot;   // over the vects present
        int minId;              // the vect at `minSlot`
    };
    static constexpr int kAbsent = INT_MAX;

    void build(int node, int lo, int hi);
    void groupById();
    bool refresh(int node);  // true when the node's summary changed
    void update(int id);
    void setSlot(int id, int slot);
    double boxDistanceSquared(const Node& n, Point p) const;
    static int parentOf(int node) { return (node - 1) / 2; }  // children of k: 2k+1, 2k+2
    static bool holds(const Node& n, Point p) {
        return p.x >= n.x0 && p.x <= n.x1 && p.y >= n.y0 && p.y <= n.y1;
    }
    // True when every point within `reach` of `p` lies strictly inside the node's box. Each
    // point outside a subtree lies beyond one of its box's sides (the splits of its ancestors
    // part the points cleanly when all are finite), so none of them is within reach.
    static bool holdsReach(const Node& n, Point p, double reach) {
        return p.x - reach > n.x0 && p.x + reach < n.x1 && p.y - reach > n.y0 && p.y + reach < n.y1;
    }
    // The leaf of `nearId`'s entry nearest to `p`, or -1 when a search outwards cannot be used
    // (no such vect, or a coordinate that is not finite).
    int startLeaf(int nearId, Point p) const;
    static double allowance(double radius, Point p) {
        return 1e-9 * (1 + radius + std::fabs(p.x) + std::fabs(p.y));
    }
    double farCornerSquared(const Node& n, Point p) const {
        const double dx = std::max(std::fabs(p.x - n.x0), std::fabs(p.x - n.x1));
        const double dy = std::max(std::fabs(p.y - n.y0), std::fabs(p.y - n.y1));
        return dx * dx + dy * dy;
    }
    template <class Test>
    void searchFirst(int node, int after, Point p, double reach2, double inner2, const Test& test,
                     int& bestSlot, int& bestId) const;
    void searchNearest(int node, Point p, double& bestD, int& best) const;

    int leafSize_;
    std::vector<Entry> entries_;  // while building; then kept as the three arrays below
    // Per entry in tree order: the points, read by every search, apart from what only some
    // reads need, so that a leaf's points share as few cache lines as they can.
    std::vector<Point> points_;
    std::vector<int> ids_;
    std::vector<long long> orders_;
    std::vector<Node> nodes_;
    std::vector<int> leafOf_;        // per entry
    std::vector<int> firstEntryOf_;  // per id and one more: where its entries start
    std::vector<int> entriesById_;   // entry indexes grouped by id
    // The slot of each entry's vect (kAbsent when removed) in entry order, which is tree order:
    // a leaf reads its slots from one short run instead of from anywhere in a per-vect array.
    std::vector<int> entrySlot_;
    // The leaf of each entry of `entriesById_`, beside it, so that a vect's update finds its
    // leaves without first reading where its entries went.
    std::vector<int> leafById_;
    // Every coordinate is finite, so that the splits part the points cleanly: each subtree's
    // points lie on its side of every split above it (a search outwards relies on it).
    bool finite_ = true;
};

template <class Test>
int PointIndex::firstAfter(int after, Point p, double radius, const Test& test, int nearId) const {
    if (!(radius > 0) || nodes_.empty()) return -1;
    const double reach = radius + allowance(radius, p);
    const double inner = std::max(0.0, radius - allowance(radius, p));
    int node = startLeaf(nearId, p);
    while (node > 0 && !holdsReach(nodes_[node], p, reach))
        node = parentOf(node);
    int bestSlot = kAbsent, bestId = -1;
    searchFirst(std::max(node, 0), after, p, reach * reach, inner * inner, test, bestSlot, bestId);
    return bestId;
}

template <class Test>
void PointIndex::searchFirst(int node, int after, Point p, double reach2, double inner2,
                             const Test& test, int& bestSlot, int& bestId) const {
    const Node& n = nodes_[node];
    if (n.maxSlot <= after || n.minSlot == kAbsent || n.minSlot >= bestSlot) return;
    if (boxDistanceSquared(n, p) > reach2) return;
    // A node wholly inside the radius (with room for rounding) answers with its earliest vect,
    // unless that one was already passed.
    if (n.minSlot > after && farCornerSquared(n, p) < inner2 && test(n.minId)) {
        bestSlot = n.minSlot;
        bestId = n.minId;
        return;
    }
    if (n.hi - n.lo <= leafSize_) {
        for (int e = n.lo; e < n.hi; ++e) {
            const int s = entrySlot_[e];
            if (s <= after || s >= bestSlot) continue;
            const int id = ids_[e];
            if (distanceSquared(points_[e], p) > reach2 || !test(id)) continue;
            bestSlot = s;
            bestId = id;
        }
        return;
    }
    const int a = 2 * node + 1, b = 2 * node + 2;
    // Visit first the child whose earliest vect after `after` may come sooner.
    const int ka = std::max(nodes_[a].minSlot, after + 1);
    const int kb = std::max(nodes_[b].minSlot, after + 1);
    const int first = ka <= kb ? a : b;
    searchFirst(first, after, p, reach2, inner2, test, bestSlot, bestId);
    searchFirst(first == a ? b : a, after, p, reach2, inner2, test, bestSlot, bestId);
}

}  // namespace lintrel
