// A static k-d tree over a set of points answering "the k nearest points" for the candidate
// lists of the shortest-travel tour. Ties go to the smaller point index, so answers do not
// depend on the build's internal order. A search only reads the tree, so several threads may
// search at once, each with a `Search` of its own. Each point carries a tag, which answers
// give (its index unless tags are given: the tour tags each point with its item, so that the
// answers need no look-up in a table of the caller's, out of cache on long tours).
#pragma once

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "model/geometry.h"
#include "optimise/workers.h"

namespace lintrel {

class NearPoints {
  public:
    // `threads` may build the halves of the top levels side by side; the tree is the same.
    // `tags` is empty or holds one tag per point.
    explicit NearPoints(const std::vector<Point>& points, int threads = 1,
                        const std::vector<int>& tags = {}) {
        // The points are kept in tree order with their indices and tags, so that neither the
        // build nor the search reaches back into the caller's order.
        nodes_.resize(points.size());
        for (size_t k = 0; k < points.size(); ++k) {
            const int index = static_cast<int>(k);
            nodes_[k] = {points[k], index, tags.empty() ? index : tags[k]};
        }
        build(0, static_cast<int>(nodes_.size()), 0, threads);
    }

    struct Found {
        double distanceSquared;
        int index, tag;
        bool operator<(const Found& other) const {
            return distanceSquared < other.distanceSquared ||
                   (distanceSquared == other.distanceSquared && index < other.index);
        }
    };
    // The best points so far of one search; one per thread that searches.
    using Search = std::vector<Found>;

    // The tags of up to `k` points nearest to `p`, nearest first.
    void nearest(Point p, int k, std::vector<int>& out, Search& best) const {
        best.clear();
        if (k > 0) search(0, static_cast<int>(nodes_.size()), 0, p, static_cast<size_t>(k), best);
        out.clear();
        for (const Found& b : best)
            out.push_back(b.tag);
    }

  private:
    static constexpr int kLeaf = 8;

    // Points in [lo, hi) split at the median of x (depth even) or y (odd).
    void build(int lo, int hi, int depth, int threads) {
        if (hi - lo <= kLeaf) return;
        const int mid = lo + (hi - lo) / 2;
        std::nth_element(nodes_.begin() + lo, nodes_.begin() + mid, nodes_.begin() + hi,
                         [depth](const Node& a, const Node& b) {
                             const double u = coord(a, depth), v = coord(b, depth);
                             return u < v || (u == v && a.index < b.index);
                         });
        // The split is a strict order, so each half holds the same points however it is built.
        if (threads > 1 && hi - lo > 65536) {
            sideBySide([&] { build(lo, mid, depth + 1, threads / 2); },
                       [&] { build(mid + 1, hi, depth + 1, threads - threads / 2); });
            return;
        }
        build(lo, mid, depth + 1, 1);
        build(mid + 1, hi, depth + 1, 1);
    }

    struct Node {
        Point p;
        int index, tag;
    };
    // Damaged coordinates sort last, so that the splits stay a strict order.
    static double coord(const Node& node, int depth) {
        const double v = depth % 2 == 0 ? node.p.x : node.p.y;
        return v == v ? v : INFINITY;
    }

    void offer(int slot, Point p, size_t k, Search& best) const {
        const Node& node = nodes_[slot];
        const Found c{distanceSquared(node.p, p), node.index, node.tag};
        if (!(c.distanceSquared == c.distanceSquared))
            return;  // damaged coordinates are never near
        if (best.size() == k && !(c < best.back())) return;
        if (best.size() == k) best.pop_back();
        best.insert(std::upper_bound(best.begin(), best.end(), c), c);
    }

    void search(int lo, int hi, int depth, Point p, size_t k, Search& best) const {
        if (hi - lo <= kLeaf) {
            for (int e = lo; e < hi; ++e)
                offer(e, p, k, best);
            return;
        }
        const int mid = lo + (hi - lo) / 2;
        const double split = coord(nodes_[mid], depth);
        const double along = depth % 2 == 0 ? p.x : p.y;
        const bool lowFirst = along <= split;
        if (lowFirst)
            search(lo, mid, depth + 1, p, k, best);
        else
            search(mid + 1, hi, depth + 1, p, k, best);
        offer(mid, p, k, best);
        const double gap = (along - split) * (along - split);
        if (best.size() < k || gap <= best.back().distanceSquared) {
            if (lowFirst)
                search(mid + 1, hi, depth + 1, p, k, best);
            else
                search(lo, mid, depth + 1, p, k, best);
        }
    }

    std::vector<Node> nodes_;  // the points in tree order
};

}  // namespace lintrel
