// Containment of outlines: a bounding-volume tree over the boxes of the closed outlines, edge
// bands that make the point test of a large outline cheap, and the parent and depth of each
// shape.
#include "cutting/containment.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>

namespace lintrel {

namespace {

// Outlines of this many edges or fewer are tested edge by edge.
constexpr int kBandedEdges = 16;
// Points of a shape tried before it is judged to lie along an outline rather than inside.
constexpr int kSamplePoints = 16;

// The edges of a closed outline sorted into horizontal bands, each listing the edges whose
// height range (widened by the tolerance) meets it.
class EdgeBands {
  public:
    EdgeBands(const Outline& o, double tolerance) : o_(o) {
        const int edges = o.edgeCount();
        low_ = o.box.yMin - tolerance;
        const double height = o.box.yMax - o.box.yMin + 2 * tolerance;
        double spanSum = 0;
        o.forEachEdge([&](Point a, Point b) { spanSum += std::fabs(a.y - b.y) + 2 * tolerance; });
        // As many bands as keep the lists at about eight entries per edge in all.
        double bands = std::max(1.0, edges / 4.0);
        const double entries = edges + spanSum * bands / std::max(height, 1e-300);
        if (entries > 8.0 * edges) bands = std::max(1.0, bands * 8.0 * edges / entries);
        count_ = static_cast<int>(std::min(bands, 1e6));
        step_ = height / count_;
        first_.assign(count_ + 1, 0);
        forBands(tolerance, [&](int band, int) { ++first_[band + 1]; });
        std::partial_sum(first_.begin(), first_.end(), first_.begin());
        std::vector<int> fill(first_.begin(), first_.end() - 1);
        members_.resize(first_.back());
        forBands(tolerance, [&](int band, int edge) { members_[fill[band]++] = edge; });
    }

    template <class Visit>
    void forEdgesNear(double y, Visit&& visit) const {
        const int band = bandOf(y);
        const int n = static_cast<int>(o_.points.size());
        for (int k = first_[band]; k < first_[band + 1]; ++k) {
            const int e = members_[k];
            visit(o_.points[e], o_.points[(e + 1) % n]);
        }
    }

  private:
    int bandOf(double y) const {
        if (!(step_ > 0)) return 0;
        const double b = std::floor((y - low_) / step_);
        return static_cast<int>(std::clamp(b, 0.0, static_cast<double>(count_ - 1)));
    }
    template <class Visit>
    void forBands(double tolerance, Visit&& visit) const {
        const int n = static_cast<int>(o_.points.size());
        for (int e = 0; e < n; ++e) {
            const Point a = o_.points[e], b = o_.points[(e + 1) % n];
            const int from = bandOf(std::min(a.y, b.y) - tolerance);
            const int to = bandOf(std::max(a.y, b.y) + tolerance);
            for (int band = from; band <= to; ++band)
                visit(band, e);
        }
    }

    const Outline& o_;
    double low_ = 0, step_ = 0;
    int count_ = 1;
    std::vector<int> first_, members_;
};

// Crossing count of a ray to +x and the touch test, over the edges offered.
struct RayTest {
    Point p;
    double tolerance;
    bool inside = false;
    bool onEdge = false;
    void operator()(Point a, Point b) {
        if (distanceToSegment(p, a, b) <= tolerance) onEdge = true;
        if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y))
            inside = !inside;
    }
    Where where() const { return onEdge ? Where::OnEdge : inside ? Where::Inside : Where::Outside; }
};

Where locate(const Outline& o, const EdgeBands* bands, Point p, double tolerance) {
    if (!o.box.containsPoint(p, tolerance)) return Where::Outside;
    RayTest test{p, tolerance};
    if (bands)
        bands->forEdgesNear(p.y, test);
    else
        o.forEachEdge(test);
    return test.where();
}

// A bounding-volume tree over boxes, built by median splits; answers which boxes hold a box.
// The members keep their boxes beside them, so that building and reading a leaf walk one array.
class BoxTree {
  public:
    BoxTree(std::span<const Outline> outlines, std::span<const int> members) {
        members_.reserve(members.size());
        for (int m : members)
            members_.push_back({outlines[m].box, m});
        if (members_.empty()) return;
        nodes_.resize(1);
        build(0, 0, static_cast<int>(members_.size()));
    }

    template <class Visit>
    void forBoxesHolding(const Box& box, double tolerance, Visit&& visit) const {
        if (nodes_.empty()) return;
        std::vector<int>& stack = stack_;
        stack.assign(1, 0);
        while (!stack.empty()) {
            const Node& node = nodes_[stack.back()];
            stack.pop_back();
            if (!node.box.containsBox(box, tolerance)) continue;
            if (node.left < 0) {
                for (int k = node.from; k < node.to; ++k)
                    if (members_[k].box.containsBox(box, tolerance)) visit(members_[k].id);
            } else {
                stack.push_back(node.left);
                stack.push_back(node.left + 1);
            }
        }
    }

  private:
    struct Node {
        Box box;
        int left = -1;  // children at left and left + 1, or -1 for a leaf
        int from = 0, to = 0;
    };
    struct Member {
        Box box;
        int id;  // the outline's index
    };

    // Builds the node over members [from, to) into `slot`; children go side by side at the end.
    void build(int slot, int from, int to) {
        Box box = members_[from].box;
        for (int k = from; k < to; ++k) {
            const Box& b = members_[k].box;
            box = {std::min(box.xMin, b.xMin), std::min(box.yMin, b.yMin),
                   std::max(box.xMax, b.xMax), std::max(box.yMax, b.yMax)};
        }
        nodes_[slot] = {box, -1, from, to};
        if (to - from <= 4) return;
        const bool alongX = box.xMax - box.xMin >= box.yMax - box.yMin;
        const int middle = from + (to - from) / 2;
        std::nth_element(members_.begin() + from, members_.begin() + middle, members_.begin() + to,
                         [&](const Member& a, const Member& b) {
                             const Box &p = a.box, &q = b.box;
                             return alongX ? p.xMin + p.xMax < q.xMin + q.xMax
                                           : p.yMin + p.yMax < q.yMin + q.yMax;
                         });
        const int left = static_cast<int>(nodes_.size());
        nodes_.resize(nodes_.size() + 2);
        nodes_[slot].left = left;
        build(left, from, middle);
        build(left + 1, middle, to);
    }

    std::vector<Member> members_;
    std::vector<Node> nodes_;
    // The walk's stack, kept between queries (one tree serves one thread).
    mutable std::vector<int> stack_;
};

class Locator {
  public:
    Locator(std::span<const Outline> outlines, double tolerance)
        : outlines_(outlines), tolerance_(tolerance), bands_(outlines.size()) {}

    Where locate(int outline, Point p) {
        const Outline& o = outlines_[outline];
        if (o.edgeCount() > kBandedEdges && !bands_[outline])
            bands_[outline] = std::make_unique<EdgeBands>(o, tolerance_);
        return lintrel::locate(o, bands_[outline].get(), p, tolerance_);
    }

    // Whether `shape` lies inside the closed outline `by`, by its first point off that outline.
    bool liesInside(int shape, int by) {
        const std::vector<Point>& points = outlines_[shape].points;
        const size_t tries = std::min<size_t>(points.size(), kSamplePoints);
        for (size_t k = 0; k < tries; ++k) {
            const Where w = locate(by, points[k]);
            if (w != Where::OnEdge) return w == Where::Inside;
        }
        return false;
    }

  private:
    std::span<const Outline> outlines_;
    double tolerance_;
    std::vector<std::unique_ptr<EdgeBands>> bands_;
};

}  // namespace

Where locatePoint(const Outline& closed, Point p, double tolerance) {
    return locate(closed, nullptr, p, tolerance);
}

Containment findContainment(std::span<const Outline> outlines, double tolerance) {
    const int n = static_cast<int>(outlines.size());
    Containment result{std::vector<int>(n, -1), std::vector<int>(n, 0)};
    std::vector<int> closed;
    for (int i = 0; i < n; ++i)
        if (outlines[i].closed) closed.push_back(i);
    const BoxTree tree(outlines, closed);
    Locator locator(outlines, tolerance);
    std::vector<int> candidates;
    for (int i = 0; i < n; ++i) {
        const Outline& shape = outlines[i];
        if (shape.points.empty()) continue;
        const double size = std::fabs(shape.area);
        candidates.clear();
        tree.forBoxesHolding(shape.box, tolerance, [&](int j) {
            if (j != i && std::fabs(outlines[j].area) > size) candidates.push_back(j);
        });
        std::sort(candidates.begin(), candidates.end(), [&](int a, int b) {
            const double x = std::fabs(outlines[a].area), y = std::fabs(outlines[b].area);
            return x != y ? x < y : a < b;
        });
        for (int j : candidates)
            if (locator.liesInside(i, j)) {
                result.parent[i] = j;
                break;
            }
    }
    // A parent is larger than its child, so the largest outlines learn their depth first.
    std::vector<double> size(n);
    for (int i = 0; i < n; ++i)
        size[i] = std::fabs(outlines[i].area);
    std::vector<int> bySize(n);
    std::iota(bySize.begin(), bySize.end(), 0);
    std::stable_sort(bySize.begin(), bySize.end(), [&](int a, int b) { return size[a] > size[b]; });
    for (int i : bySize)
        if (result.parent[i] >= 0) result.depth[i] = result.depth[result.parent[i]] + 1;
    return result;
}

}  // namespace lintrel
