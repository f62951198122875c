// Leads and overcut: the path of each closed shape from its flattened outline, the lead shapes,
// the clearance test on a uniform grid of every edge of the drawing (and of the leads placed so
// far), and the chain that replaces the shape's own.
#include "cutting/leads.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <span>

#include "cutting/containment.h"
#include "cutting/outline.h"
#include "model/items.h"

namespace lintrel {

namespace {

// A lead that will not fit is tried at these fractions of its length before it is dropped.
constexpr double kShorterLeads[] = {1.0, 0.5, 0.25};

struct Edge {
    Point a, b;
    int owner;  // the shape's index, or -1 - index for the leads of that shape
};

bool segmentsCross(Point a, Point b, Point c, Point d) {
    const auto side = [](Point p, Point q, Point r) {
        return (q.x - p.x) * (r.y - p.y) - (q.y - p.y) * (r.x - p.x);
    };
    const double d1 = side(c, d, a), d2 = side(c, d, b), d3 = side(a, b, c), d4 = side(a, b, d);
    return ((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0));
}

double segmentDistance(Point a, Point b, Point c, Point d) {
    if (segmentsCross(a, b, c, d)) return 0;
    return std::min({distanceToSegment(a, c, d), distanceToSegment(b, c, d),
                     distanceToSegment(c, a, b), distanceToSegment(d, a, b)});
}

// Every edge in the cells of a uniform grid its box meets. The drawing's edges are filed once,
// copied cell by cell into one array so that a cell's edges lie side by side; leads join as
// they are placed, each cell keeping its own as a linked list.
class EdgeGrid {
  public:
    EdgeGrid(const Box& extent, std::span<const Outline> outlines) : extent_(extent) {
        size_t edgeCount = 0;
        for (const Outline& o : outlines)
            edgeCount += o.points.size();
        const double w = std::max(extent.xMax - extent.xMin, 1e-9);
        const double h = std::max(extent.yMax - extent.yMin, 1e-9);
        const double cells = std::clamp(edgeCount / 4.0, 1.0, 4e6);
        cell_ = std::sqrt(w * h / cells);
        if (!(cell_ > 0)) cell_ = std::max(w, h);
        columns_ = std::max(1, static_cast<int>(std::min(w / cell_ + 1, 4e6)));
        rows_ = std::max(1, static_cast<int>(std::min(h / cell_ + 1, 4e6)));
        const size_t cellCount = static_cast<size_t>(columns_) * rows_;
        const auto eachEdge = [&](auto&& visit) {
            for (size_t k = 0; k < outlines.size(); ++k)
                outlines[k].forEachEdge([&](Point a, Point b) {
                    visit(Edge{a, b, static_cast<int>(k)});
                });
        };
        // Counted, then filed: the members of cell c are first_[c] up to first_[c + 1].
        first_.assign(cellCount + 1, 0);
        eachEdge([&](const Edge& e) {
            eachCell(boxOf(e.a, e.b, 0), [&](size_t c) { ++first_[c + 1]; });
        });
        std::partial_sum(first_.begin(), first_.end(), first_.begin());
        members_.resize(first_.back());
        std::vector<size_t> fill(first_.begin(), first_.end() - 1);
        eachEdge([&](const Edge& e) {
            eachCell(boxOf(e.a, e.b, 0), [&](size_t c) { members_[fill[c]++] = e; });
        });
        leadHead_.assign(cellCount, -1);
    }
    void addLead(const Edge& e) {
        eachCell(boxOf(e.a, e.b, 0), [&](size_t c) {
            leads_.push_back({e, leadHead_[c]});
            leadHead_[c] = static_cast<int>(leads_.size()) - 1;
        });
    }
    // True when an edge of another owner than `skipA` and `skipB` comes within `clearance` of
    // a-b. An edge filed in several of the cells is simply tested again.
    bool meets(Point a, Point b, double clearance, int skipA, int skipB) const {
        bool hit = false;
        const auto test = [&](const Edge& e) {
            if (e.owner != skipA && e.owner != skipB)
                hit = segmentDistance(a, b, e.a, e.b) <= clearance;
        };
        eachCell(boxOf(a, b, clearance), [&](size_t c) {
            for (size_t k = first_[c]; k < first_[c + 1] && !hit; ++k)
                test(members_[k]);
            for (int k = leadHead_[c]; k >= 0 && !hit; k = leads_[k].next)
                test(leads_[k].edge);
        });
        return hit;
    }

  private:
    static Box boxOf(Point a, Point b, double grow) {
        return {std::min(a.x, b.x) - grow, std::min(a.y, b.y) - grow, std::max(a.x, b.x) + grow,
                std::max(a.y, b.y) + grow};
    }
    int clampCell(double v, double low, int count) const {
        const double c = std::floor((v - low) / cell_);
        return static_cast<int>(std::clamp(c, 0.0, static_cast<double>(count - 1)));
    }
    template <class Visit>
    void eachCell(const Box& b, Visit&& visit) const {
        const int c0 = clampCell(b.xMin, extent_.xMin, columns_);
        const int c1 = clampCell(b.xMax, extent_.xMin, columns_);
        const int r0 = clampCell(b.yMin, extent_.yMin, rows_);
        const int r1 = clampCell(b.yMax, extent_.yMin, rows_);
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c)
                visit(static_cast<size_t>(r) * columns_ + c);
    }

    struct LeadLink {
        Edge edge;
        int next;  // the cell's previous lead edge, or -1
    };
    Box extent_;
    double cell_ = 1;
    int columns_ = 1, rows_ = 1;
    std::vector<size_t> first_;
    std::vector<Edge> members_;
    std::vector<int> leadHead_;  // per cell: its latest lead edge in leads_, or -1
    std::vector<LeadLink> leads_;
};

Point unit(Point from, Point to) {
    const double length = distance(from, to);
    if (length == 0) return {1, 0};
    return {(to.x - from.x) / length, (to.y - from.y) / length};
}

// The overcut: the path from its start run on for `length` (at most once round).
void overcutPoints(const std::vector<Point>& ring, double length, Point& tangent,
                   std::vector<Point>& out) {
    out.clear();
    const size_t n = ring.size();
    // Without overcut the path ends arriving along its last edge.
    tangent = unit(ring[n - 1], ring[0]);
    for (size_t k = 0; k < n && length > 0; ++k) {
        const Point a = ring[k], b = ring[(k + 1) % n];
        const double edge = distance(a, b);
        if (edge == 0) continue;
        tangent = unit(a, b);
        if (edge >= length) {
            out.push_back({a.x + tangent.x * length, a.y + tangent.y * length});
            break;
        }
        out.push_back(b);
        length -= edge;
    }
}

// The lead's points from the path point `at` outwards into the scrap side `normal`, the path
// running along `tangent` there; `backwards` for a lead-in (which runs against the path).
void leadPoints(const Lead& lead, double scale, Point at, Point tangent, Point normal,
                bool backwards, double precision, std::vector<Point>& out) {
    const double length = lead.length * scale;
    const double angle = std::clamp(lead.angleDegrees, 0.0, 180.0) * kPi / 180;
    const double t = backwards ? -1 : 1;
    out.assign(1, at);
    if (lead.kind == LeadKind::Line) {
        out.push_back(
            {at.x + length * (t * std::cos(angle) * tangent.x + std::sin(angle) * normal.x),
             at.y + length * (t * std::cos(angle) * tangent.y + std::sin(angle) * normal.y)});
        return;
    }
    // An arc tangent to the path at `at`, its centre on the scrap side.
    const Point centre{at.x + length * normal.x, at.y + length * normal.y};
    const int steps = stepCount(length * angle, length, precision);
    out.clear();
    for (int k = 0; k <= steps; ++k) {
        const double s = angle * k / steps;
        out.push_back({centre.x - length * (normal.x * std::cos(s) - t * tangent.x * std::sin(s)),
                       centre.y - length * (normal.y * std::cos(s) - t * tangent.y * std::sin(s))});
    }
}

struct Placer {
    EdgeGrid& grid;
    const Outline& own;
    int index;
    bool hole;
    double precision;

    // The lead fits when it keeps clear of everything but its own shape and leads, and its far
    // end lies on the scrap side of its own shape.
    bool fits(const std::vector<Point>& points) {
        // The first piece touches the path: its clearance, and whether it crosses its own shape,
        // are tested from a little way off (a point interpolated on a slanted edge lies a
        // rounding error to either side of it).
        const double piece = distance(points[0], points[1]);
        const double f = piece > 0 ? std::min(1.0, 2 * precision / piece) : 1;
        const Point offPath{points[0].x + f * (points[1].x - points[0].x),
                            points[0].y + f * (points[1].y - points[0].y)};
        const auto pieceStart = [&](size_t k) { return k == 1 ? offPath : points[k - 1]; };
        for (size_t k = 1; k < points.size(); ++k)
            if (grid.meets(pieceStart(k), points[k], precision, index, -1 - index)) return false;
        Box reach{points[0].x, points[0].y, points[0].x, points[0].y};
        for (const Point& p : points)
            reach = {std::min(reach.xMin, p.x), std::min(reach.yMin, p.y),
                     std::max(reach.xMax, p.x), std::max(reach.yMax, p.y)};
        bool crossesOwn = false;
        own.forEachEdge([&](Point a, Point b) {
            const Box edge{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x),
                           std::max(a.y, b.y)};
            if (crossesOwn || !edge.overlaps(reach)) return;
            for (size_t k = 1; k < points.size() && !crossesOwn; ++k)
                crossesOwn = segmentsCross(pieceStart(k), points[k], a, b);
        });
        const Where far = locatePoint(own, points.back(), precision);
        return !crossesOwn && far == (hole ? Where::Inside : Where::Outside);
    }

    // The lead at the longest length that fits into `points` (empty when none does); bits for
    // shortened or dropped. At a corner (`bisector` given) a line that fits at none of its
    // lengths is tried along the bisector of the scrap side's wedge: square to a hole's corner
    // it would run along the other edge.
    void place(const Lead& lead, Point at, Point tangent, Point normal, const Point* bisector,
               bool backwards, int shortened, int dropped, int& outcome,
               std::vector<Point>& points) {
        points.clear();
        if (lead.kind == LeadKind::None || !(lead.length > 0)) return;
        if (!longestFit(lead, at, tangent, normal, backwards, shortened, outcome, points) &&
            !(bisector && lead.kind == LeadKind::Line &&
              longestFit({LeadKind::Line, lead.length, 90}, at, tangent, *bisector, backwards,
                         shortened, outcome, points))) {
            points.clear();
            outcome |= dropped;
        }
        for (size_t k = 1; k < points.size(); ++k)
            grid.addLead({points[k - 1], points[k], -1 - index});
    }

    bool longestFit(const Lead& lead, Point at, Point tangent, Point normal, bool backwards,
                    int shortened, int& outcome, std::vector<Point>& points) {
        for (double scale : kShorterLeads) {
            leadPoints(lead, scale, at, tangent, normal, backwards, precision, points);
            if (!fits(points)) continue;
            if (scale < 1) outcome |= shortened;
            return true;
        }
        return false;
    }
};

// The bisector of the scrap side's wedge at a vertex, from the scrap normals of the edges
// meeting there; false where the path runs straight on (no corner) or turns right back.
bool cornerBisector(Point before, Point after, Point& bisector) {
    const double cross = before.x * after.y - before.y * after.x;
    const double sum = std::hypot(before.x + after.x, before.y + after.y);
    if (std::fabs(cross) < 1e-3 || sum < 1e-9) return false;
    bisector = {(before.x + after.x) / sum, (before.y + after.y) / sum};
    return true;
}

Box extentOf(const std::vector<Outline>& outlines) {
    Box b{0, 0, 0, 0};
    bool first = true;
    for (const Outline& o : outlines) {
        if (o.points.empty()) continue;
        b = first ? o.box
                  : Box{std::min(b.xMin, o.box.xMin), std::min(b.yMin, o.box.yMin),
                        std::max(b.xMax, o.box.xMax), std::max(b.yMax, o.box.yMax)};
        first = false;
    }
    return b;
}

// The new chain: lead-in, the shape once round, the overcut and the lead-out (`path` is scratch).
Seg* ledChain(const std::vector<Point>& in, const std::vector<Point>& ring,
              const std::vector<Point>& overcut, const std::vector<Point>& out,
              std::vector<Point>& path) {
    path.assign(in.rbegin(), in.rend());
    if (!path.empty()) path.pop_back();
    path.insert(path.end(), ring.begin(), ring.end());
    path.push_back(ring.front());
    path.insert(path.end(), overcut.begin(), overcut.end());
    if (!out.empty()) path.insert(path.end(), out.begin() + 1, out.end());
    return chainThrough(path);
}

}  // namespace

void addLeads(void* list, const std::vector<const LeadRule*>& ruleOfVect, double precision,
              std::vector<int>& outcomes) {
    const std::vector<Vect*> vects = drawingVects(list);
    const std::vector<Outline> outlines = outlinesOf(vects, precision);
    const Containment nesting = findContainment(outlines, precision);
    EdgeGrid grid(extentOf(outlines), outlines);
    outcomes.assign(vects.size(), 0);
    // Point lists of one shape's leads, overcut and path, reused from shape to shape.
    std::vector<Point> in, overcut, out, path;
    for (size_t k = 0; k < vects.size(); ++k) {
        const LeadRule* rule = ruleOfVect[k];
        if (!rule) continue;
        const Outline& o = outlines[k];
        if (!o.closed) {
            outcomes[k] = kLeadNotClosed;
            continue;
        }
        const bool hole = nesting.depth[k] % 2 == 1;
        // The scrap side: right of the path for a counter-clockwise outer shape.
        const double side = (o.area > 0) != hole ? 1 : -1;
        const auto scrapNormal = [side](Point t) { return Point{side * t.y, -side * t.x}; };
        Placer placer{grid, o, static_cast<int>(k), hole, precision};
        const Point startTangent = unit(o.points[0], o.points[1]);
        const Point arriving = unit(o.points.back(), o.points[0]);
        Point bisector;
        const Point* corner =
            cornerBisector(scrapNormal(arriving), scrapNormal(startTangent), bisector) ? &bisector
                                                                                       : nullptr;
        placer.place(rule->in, o.points[0], startTangent, scrapNormal(startTangent), corner, true,
                     kLeadInShortened, kLeadInDropped, outcomes[k], in);
        Point endTangent;
        overcutPoints(o.points, rule->overcut, endTangent, overcut);
        const Point end = overcut.empty() ? o.points[0] : overcut.back();
        placer.place(rule->out, end, endTangent, scrapNormal(endTangent),
                     overcut.empty() ? corner : nullptr, false, kLeadOutShortened, kLeadOutDropped,
                     outcomes[k], out);
        if (in.empty() && out.empty() && overcut.empty()) continue;
        Vect& v = *vects[k];
        clearFlatSegs(&v);
        v.type = LINTREL_POLYLINE;
        v.closed = 0;
        replaceSegs(&v, ledChain(in, o.points, overcut, out, path));
    }
}

}  // namespace lintrel
