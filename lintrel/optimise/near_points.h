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
    explicit NearPoints(std::vector<Point> points) : points_(std::move(points)) {
        index_.resize(points_.size());
        for (size_t k = 0; k < index_.size(); ++k)
            index_[k] = static_cast<int>(k);
        build(0, static_cast<int>(index_.size()), 0);
        // The search reads the points in tree order.
        placed_.resize(index_.size());
        for (size_t k = 0; k < index_.size(); ++k)
            placed_[k] = points_[index_[k]];
    }

    // Up to `k` point indices nearest to `p`, nearest first.
    void nearest(Point p, int k, std::vector<int>& out) const {
        best_.clear();
        if (k > 0) search(0, static_cast<int>(index_.size()), 0, p, static_cast<size_t>(k));
        std::sort(best_.begin(), best_.end());
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
        std::nth_element(index_.begin() + lo, index_.begin() + mid, index_.begin() + hi,
                         [&](int a, int b) { return less(a, b, depth); });
        build(lo, mid, depth + 1);
        build(mid + 1, hi, depth + 1);
    }
    bool less(int a, int b, int depth) const {
        const double u = coord(a, depth), v = coord(b, depth);
        return u < v || (u == v && a < b);
    }
    // Damaged coordinates sort last, so that the splits stay a strict order.
    double coord(int point, int depth) const {
        const double v = depth % 2 == 0 ? points_[point].x : points_[point].y;
        return v == v ? v : INFINITY;
    }

    void offer(int slot, Point p, size_t k) const {
        const std::pair<double, int> c{distanceSquared(placed_[slot], p), index_[slot]};
        if (!(c.first == c.first)) return;  // damaged coordinates are never near
        if (best_.size() < k) {
            best_.push_back(c);
            std::push_heap(best_.begin(), best_.end());
        } else if (c < best_.front()) {
            std::pop_heap(best_.begin(), best_.end());
            best_.back() = c;
            std::push_heap(best_.begin(), best_.end());
        }
    }

    void search(int lo, int hi, int depth, Point p, size_t k) const {
        if (hi - lo <= kLeaf) {
            for (int e = lo; e < hi; ++e)
                offer(e, p, k);
            return;
        }
        const int mid = lo + (hi - lo) / 2;
        const double split = coord(index_[mid], depth);
        const double along = depth % 2 == 0 ? p.x : p.y;
        const bool lowFirst = along <= split;
        if (lowFirst)
            search(lo, mid, depth + 1, p, k);
        else
            search(mid + 1, hi, depth + 1, p, k);
        offer(mid, p, k);
        const double gap = (along - split) * (along - split);
        if (best_.size() < k || gap <= best_.front().first) {
            if (lowFirst)
                search(mid + 1, hi, depth + 1, p, k);
            else
                search(lo, mid, depth + 1, p, k);
        }
    }

    std::vector<Point> points_;
    std::vector<int> index_;                            // point indices in tree order
    std::vector<Point> placed_;                         // the points in tree order
    mutable std::vector<std::pair<double, int>> best_;  // max-heap of the best so far
};

}  // namespace lintrel
