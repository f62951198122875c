// Removal of duplicate lines. Every vect is compared with the earlier vects of its list that
// survived; it goes when one of them is the same. Candidates come from a hash of grid cells of
// their end points, so only vects that can match are compared, and the result is the one a
// comparison of every pair in list order gives.
#include <cmath>
#include <utility>
#include <vector>

#include "model/items.h"
#include "optimise/cleanup.h"
#include "optimise/list_walk.h"
#include "optimise/point_grid.h"

namespace lintrel {

namespace {

bool near(double a, double b, double tolerance) {
    return std::fabs(a - b) <= tolerance;
}

bool sameSeg(const Seg& a, const Seg& b) {
    return near(a.x0, b.x0, kSameCoordinate) && near(a.y0, b.y0, kSameCoordinate) &&
           near(a.x1, b.x1, kSameCoordinate) && near(a.y1, b.y1, kSameCoordinate);
}

bool sameSegReversed(const Seg& a, const Seg& b) {
    return near(a.x0, b.x1, kSameCoordinate) && near(a.y0, b.y1, kSameCoordinate) &&
           near(a.x1, b.x0, kSameCoordinate) && near(a.y1, b.y0, kSameCoordinate);
}

// The first segs decide the direction of the comparison; every other seg must then agree and
// both chains must end together.
bool sameChain(const Seg* a, const Seg* b) {
    if (!a || !b) return a == b;
    const Seg* p = a;
    if (sameSeg(*a, *b)) {
        const Seg* q = b;
        do {
            if (!sameSeg(*p, *q)) return false;
            p = p->next;
            q = q->next;
        } while (p != a && q != b);
        return p == a && q == b;
    }
    const Seg* q = b->prev;
    do {
        if (!sameSegReversed(*p, *q)) return false;
        p = p->next;
        q = q->prev;
    } while (p != a && q != b->prev);
    return p == a && q == b->prev;
}

// Arcs on the same circle: equal sweeps from equal starts, or opposite sweeps where the
// earlier arc ends at the later one's start.
bool sameArc(const Vect& a, const Vect& b) {
    const Seg &p = *a.segs, &q = *b.segs;
    if (!near(std::fmax(p.x0, p.x1), std::fmax(q.x0, q.x1), kSame) ||
        !near(std::fmin(p.x0, p.x1), std::fmin(q.x0, q.x1), kSame) ||
        !near(std::fmax(p.y0, p.y1), std::fmax(q.y0, q.y1), kSame) ||
        !near(std::fmin(p.y0, p.y1), std::fmin(q.y0, q.y1), kSame) || a.closed != b.closed)
        return false;
    if (a.closed != 0) return true;
    if (near(p.z1, q.z1, kSame) && near(p.z0, q.z0, kSame)) return true;
    if (!(std::fabs(p.z1 + q.z1) <= kSame)) return false;
    const double d = std::fabs(p.z0 + p.z1 - q.z0);
    return d <= kSame || std::fabs(d - kTwoPi) <= kSame;
}

bool isPolylineKind(int type) {
    return type == LINTREL_POLYLINE || type == LINTREL_SPLINE || type == LINTREL_BEZIER;
}

// Which vects can be the same as another at all.
bool comparable(const Vect& v) {
    if (isPolylineKind(v.type)) return true;
    return (v.type == LINTREL_POINT || v.type == LINTREL_ARC) && v.segs;
}

// The coordinates a vect is filed by: its chain's start and end for the polyline kinds (a
// reversed duplicate has them exchanged), a point's location, an arc's lower corner.
struct Probe {
    Point first, second;
    bool pairs = false;
    double reach = 0;
    uint64_t salt = 0;
};

Probe probeOf(const Vect& v) {
    Probe p;
    p.salt = static_cast<uint64_t>(v.type);
    if (isPolylineKind(v.type)) {
        p.pairs = true;
        p.reach = 1.5 * kSameCoordinate;
        p.salt = p.salt * 2 + (v.flatSegs != nullptr);
        if (v.segs) {
            p.first = segStart(*v.segs);
            p.second = segEnd(*v.segs->prev);
        }
        return p;
    }
    p.reach = 1.5 * kSame;
    const Seg& s = *v.segs;
    if (v.type == LINTREL_ARC) {
        p.first = {std::fmin(s.x0, s.x1), std::fmin(s.y0, s.y1)};
        p.salt = p.salt * 31 + static_cast<uint64_t>(v.closed != 0);
    } else {
        p.first = segStart(s);
    }
    return p;
}

// The surviving vects, filed under the cells of the coordinates two same vects share.
class DuplicateIndex {
  public:
    bool holdsSameAs(const Vect& v, const Probe& p) const {
        bool found = false;
        forEachQueryKey(p, [&](uint64_t key) {
            const uint32_t cell = table_.find(key);
            if (cell == KeyTable::kNone) return;
            for (uint32_t e = heads_[cell]; e != KeyTable::kNone && !found; e = entries_[e].next)
                found = sameVect(*entries_[e].vect, v);
        });
        return found;
    }

    void add(const Vect* v, const Probe& p) {
        const CellSpan x = scale_.span(p.first.x, 0), y = scale_.span(p.first.y, 0);
        const CellSpan u = scale_.span(p.second.x, 0), w = scale_.span(p.second.y, 0);
        file(keyOf(p, {x.low, y.low}, {u.low, w.low}), v);
    }

  private:
    struct Entry {
        const Vect* vect;
        uint32_t next;
    };

    void file(uint64_t key, const Vect* v) {
        const uint32_t cell = table_.findOrAdd(key);
        if (cell == heads_.size()) heads_.push_back(KeyTable::kNone);
        entries_.push_back({v, heads_[cell]});
        heads_[cell] = static_cast<uint32_t>(entries_.size() - 1);
    }

    struct Cell {
        int64_t x, y;
        bool operator<(const Cell& o) const { return x < o.x || (x == o.x && y < o.y); }
    };

    // A polyline kind is filed under the pair of its end cells in either order, so that a
    // reversed duplicate finds it under the same key.
    uint64_t keyOf(const Probe& p, Cell a, Cell b) const {
        if (!p.pairs) return cellKey(a.x, a.y, p.salt);
        if (b < a) std::swap(a, b);
        return cellKey(b.x, b.y, cellKey(a.x, a.y, p.salt));
    }

    template <class F>
    void forEachQueryKey(const Probe& p, F f) const {
        const CellSpan ax = scale_.span(p.first.x, p.reach), ay = scale_.span(p.first.y, p.reach);
        const CellSpan bx = scale_.span(p.second.x, p.reach), by = scale_.span(p.second.y, p.reach);
        for (int64_t x = ax.low; x <= ax.high; ++x)
            for (int64_t y = ay.low; y <= ay.high; ++y) {
                if (!p.pairs) {
                    f(keyOf(p, {x, y}, {}));
                    continue;
                }
                for (int64_t u = bx.low; u <= bx.high; ++u)
                    for (int64_t w = by.low; w <= by.high; ++w)
                        f(keyOf(p, {x, y}, {u, w}));
            }
    }

    // Cells ten times the coordinate tolerance: a reach box spans at most two per axis.
    GridScale scale_{10 * kSameCoordinate};
    KeyTable table_{1024};
    std::vector<uint32_t> heads_;
    std::vector<Entry> entries_;
};

}  // namespace

bool sameVect(const Vect& a, const Vect& b) {
    if (a.type != b.type) return false;
    switch (a.type) {
        case LINTREL_POINT:
            return a.segs && b.segs && samePoint(segStart(*a.segs), segStart(*b.segs));
        case LINTREL_POLYLINE:
        case LINTREL_SPLINE:
        case LINTREL_BEZIER:
            return sameChain(a.segs, b.segs) && sameChain(a.flatSegs, b.flatSegs);
        case LINTREL_ARC:
            return a.segs && b.segs && sameArc(a, b);
        default:
            return false;  // ellipses and texts are never taken for duplicates
    }
}

int deleteDuplicates(Vect* head, int selectedOnly) {
    if (!head) return LINTREL_BAD_ARGUMENT;
    DuplicateIndex index;
    const std::vector<Vect*> order = vectsInOrder(head);
    // Duplicates are unlinked at once but freed at the end: freed records wait in the
    // allocator's small-chunk lists, which it sweeps whole before every large allocation
    // (the index grows as it goes), and that sweep would be paid once per growth.
    struct Doomed {
        std::vector<Vect*> vects;
        ~Doomed() {
            for (Vect* v : vects)
                deleteVectChain(v);
        }
    } doomed;
    constexpr size_t kAhead = 8;
    for (size_t i = 0; i < order.size(); ++i) {
        if (i + kAhead < order.size()) prefetchChainEnds(order[i + kAhead]);
        Vect* v = order[i];
        if (!takesPart(*v, selectedOnly) || !comparable(*v)) continue;
        const Probe probe = probeOf(*v);
        if (index.holdsSameAs(*v, probe)) {
            detach(head, v);  // never the head: the first vect taking part always stays
            doomed.vects.push_back(v);
        } else {
            index.add(v, probe);
        }
    }
    return doomed.vects.empty() ? LINTREL_NOTHING_TO_DO : LINTREL_OK;
}

}  // namespace lintrel
