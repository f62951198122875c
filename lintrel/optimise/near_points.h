// A static k-d tree over a set of points answering "the k nearest points" for the candidate
// lists of the shortest-travel tour. Ties go to the smaller point index, so answers do not
// depend on the build's internal order.
#pragma once

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "model/geometry.h"

namespace lintrel {

class NearPoints {
  public:
    explicit NearPoints(const std::vector<Point>& points) {
        // The points are kept in tree order with their indices, so that neither the build nor
        // the search reaches back into the caller's order.
        nodes_.resize(points.size());
        for (size_t k = 0; k < points.size(); ++k)
            nodes_[k] = {points[k], static_cast<int>(k)};
        build(0, static_cast<int>(nodes_.size()), 0);
    }

    // Up to `k` point indices nearest to `p`, nearest first.
    void nearest(Point p, int k, std::vector<int>& out) const {
        best_.clear();
        if (k > 0) search(0, static_cast<int>(nodes_.size()), 0, p, static_cast<size_t>(k));
        out.clear();
        for (const auto& b : best_)
            out.push_back(b.second);
    }

  private:
    static constexpr int kLeaf = 8;

    // Points in [lo, hi) split at the median of x (depth even) or y (odd).
    void build(int lo, int hi, int depth) {
        if (hi - lo <= kLeaf) return;
        const int mid = lo + (hi - lo) / 2;
        std::nth_element(nodes_.begin() + lo, nodes_.begin() + mid, nodes_.begin() + hi,
                         [depth](const Node& a, const Node& b) {
                             const double u = coord(a, depth), v = coord(b, depth);
                             return u < v || (u == v && a.index < b.index);
                         });
        build(lo, mid, depth + 1);
        build(mid + 1, hi, depth + 1);
    }

    struct Node {
        Point p;
        int index;
    };
    // Damaged coordinates sort last, so that the splits stay a strict order.
    static double coord(const Node& node, int depth) {
        const double v = depth % 2 == 0 ? node.p.x : node.p.y;
        return v == v ? v : INFINITY;
    }

    void offer(int slot, Point p, size_t k) const {
        const std::pair<double, int> c{distanceSquared(nodes_[slot].p, p), nodes_[slot].index};
        if (!(c.first == c.first)) return;  // damaged coordinates are never near
        if (best_.size() == k && !(c < best_.back())) return;
        if (best_.size() == k) best_.pop_back();
        best_.insert(std::upper_bound(best_.begin(), best_.end(), c), c);
    }

    void search(int lo, int hi, int depth, Point p, size_t k) const {
        if (hi - lo <= kLeaf) {
            for (int e = lo; e < hi; ++e)
                offer(e, p, k);
            return;
        }
        const int mid = lo + (hi - lo) / 2;
        const double split = coord(nodes_[mid], depth);
        const double along = depth % 2 == 0 ? p.x : p.y;
        const bool lowFirst = along <= split;
        if (lowFirst)
            search(lo, mid, depth + 1, p, k);
        else
            search(mid + 1, hi, depth + 1, p, k);
        offer(mid, p, k);
        const double gap = (along - split) * (along - split);
        if (best_.size() < k || gap <= best_.back().first) {
            if (lowFirst)
                search(mid + 1, hi, depth + 1, p, k);
            else
                search(lo, mid, depth + 1, p, k);
        }
    }

    std::vector<Node> nodes_;                           // the points in tree order
    mutable std::vector<std::pair<double, int>> best_;  // the best so far, nearest first
};

}  // namespace lintrel
