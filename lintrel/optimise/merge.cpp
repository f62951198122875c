// Merging of connected lines. Each vect in list order takes the first later vect whose ends
// come within the tolerance of its own, joins it, and looks again from the start of the rest of
// the list, until it closes or finds no partner. A grid of the end points of the vects not yet
// visited answers "first later vect within the tolerance" without looking at every pair, and
// gives the same partners in the same order as a scan of the list would.
#include <array>
#include <cmath>
#include <limits>
#include <span>
#include <vector>

#include "base/progress.h"
#include "curves/flatten.h"
#include "model/chain_edit.h"
#include "model/items.h"
#include "model/list_walk.h"
#include "optimise/cleanup.h"
#include "optimise/point_grid.h"

namespace lintrel {

namespace {

constexpr size_t kNone = std::numeric_limits<size_t>::max();

// A vect takes part in joining when it is open, has records, is no member of a compound, and
// its chain is a path: an ellipse's record is its bounding box, not a path, and points have no
// ends to join.
bool joinable(const Vect& v, int selectedOnly) {
    return takesPart(v, selectedOnly) && v.closed != 1 && !v.link && v.segs &&
           v.type != LINTREL_ELLIPSE && v.type != LINTREL_POINT;
}

struct Ends {
    Point start, end;
};

Ends endsOf(const Vect& v) {
    Ends e;
    vectStartPoint(v, e.start);
    vectEndPoint(v, e.end);
    return e;
}

// End points of the vects still waiting for their turn, filed by grid cell. Each cell lists its
// points in list order, so the first live point within reach is the earliest candidate there.
// The cells are built once, in flat arrays; vects leave by being marked.
class EndGrid {
  public:
    explicit EndGrid(double reach) : scale_(cellSizeFor(reach)), reach_(reach), table_(1024) {}

    // Files the ends of the vect at list position `index`; positions come in increasing order.
    void file(size_t index, const Vect& v) {
        if (index >= live_.size()) {
            live_.resize(index + 1, 0);
            ends_.resize(index + 1);
        }
        live_[index] = 1;
        const Ends e = ends_[index] = endsOf(v);
        for (const Point p : {e.start, e.end})
            filed_.push_back({keyOf(p), 0, {index, p}});
    }

    // Builds the cells once every vect of a list of `count` is filed.
    void build(size_t count) {
        live_.resize(count, 0);
        ends_.resize(count);
        table_ = KeyTable(filed_.size());
        constexpr size_t kAhead = 16;
        for (size_t k = 0; k < filed_.size(); ++k) {
            if (k + kAhead < filed_.size()) table_.prefetch(filed_[k + kAhead].key);
            filed_[k].cell = table_.findOrAdd(filed_[k].key);
        }
        // Counting sort by cell keeps list order within each cell.
        begin_.assign(table_.size() + 1, 0);
        for (const Filed& f : filed_)
            ++begin_[f.cell + 1];
        for (size_t c = 1; c < begin_.size(); ++c)
            begin_[c] += begin_[c - 1];
        from_.assign(begin_.begin(), begin_.end() - 1);
        entries_.resize(filed_.size());
        std::vector<uint32_t> fill(from_);
        for (const Filed& f : filed_)
            entries_[fill[f.cell]++] = f.entry;
        homes_.assign(count, {KeyTable::kNone, KeyTable::kNone});
        for (size_t k = 0; k < filed_.size(); ++k)  // a vect's start, then its end
            homes_[filed_[k].entry.index][k % 2] = filed_[k].cell;
        filed_ = {};
    }

    void remove(size_t index) { live_[index] = 0; }
    // Asks for the cells of a vect's ends ahead of the first query of its turn, in two stages:
    // the cells, and a few turns later (the cells now at hand) their first entries.
    void prefetchCells(size_t index) const {
        if (!live(index)) return;
        for (const uint32_t cell : homes_[index]) {
            __builtin_prefetch(&from_[cell]);
            __builtin_prefetch(&begin_[cell + 1]);
        }
    }
    void prefetchEntries(size_t index) const {
        if (!live(index)) return;
        for (const uint32_t cell : homes_[index])
            __builtin_prefetch(entries_.data() + from_[cell]);  // may be one past the end
    }
    bool live(size_t index) const { return live_[index] != 0; }

    // The earliest live vect with an end within the tolerance of the ends the vect at `index`
    // was filed with. An end whose reach stays within its own cell asks that cell directly.
    size_t earliestNearFiled(size_t index, double limit) {
        const Ends& e = ends_[index];
        return earliestNear(e.end, limit, earliestNear(e.start, limit, kNone, homes_[index][0]),
                            homes_[index][1]);
    }

    // The earliest live vect with an end whose squared distance from `q` is at most `limit`;
    // `home` is the cell of `q` when known.
    size_t earliestNear(Point q, double limit, size_t best, uint32_t home = KeyTable::kNone) {
        const CellSpan xs = scale_.span(q.x, reach_), ys = scale_.span(q.y, reach_);
        if (home != KeyTable::kNone && xs.low == xs.high && ys.low == ys.high)
            return earliestIn(home, q, limit, best);
        for (int64_t x = xs.low; x <= xs.high; ++x)
            for (int64_t y = ys.low; y <= ys.high; ++y) {
                const uint32_t cell = table_.find(cellKey(x, y, 0));
                if (cell != KeyTable::kNone) best = earliestIn(cell, q, limit, best);
            }
        return best;
    }

  private:
    struct Entry {
        size_t index;
        Point p;
    };
    struct Filed {
        uint64_t key;
        uint32_t cell;
        Entry entry;
    };

    static double cellSizeFor(double reach) {
        return std::isfinite(reach) ? std::fmax(4 * reach, 1e-6) : INFINITY;
    }

    uint64_t keyOf(Point p) const { return cellKey(scale_.cell(p.x), scale_.cell(p.y), 0); }

    size_t earliestIn(uint32_t cell, Point q, double limit, size_t best) {
        uint32_t& from = from_[cell];  // entries before it belong to visited or joined vects
        const uint32_t end = begin_[cell + 1];
        while (from < end && !live(entries_[from].index))
            ++from;
        for (uint32_t i = from; i < end; ++i) {
            const Entry& e = entries_[i];
            if (e.index >= best) break;
            if (live(e.index) && limit >= distanceSquared(e.p, q)) return e.index;
        }
        return best;
    }

    GridScale scale_;
    double reach_;
    KeyTable table_;
    std::vector<Filed> filed_;  // until the cells are built
    std::vector<char> live_;
    std::vector<Ends> ends_;
    std::vector<std::array<uint32_t, 2>> homes_;  // the cells of each vect's start and end
    std::vector<uint32_t> begin_, from_;
    std::vector<Entry> entries_;
};

// The reach of the grid for a tolerance: a little beyond it, so that rounding in the squared
// distances cannot hide a candidate in a cell the query does not visit. A tolerance whose
// square overflows lets any two ends meet, however far apart: then one cell holds them all.
double reachFor(double tolerance) {
    return std::isfinite(tolerance * tolerance) ? std::fabs(tolerance) * (1 + 1e-9) + 1e-150
                                                : INFINITY;
}

int foldIfSelected(Vect& v) {
    return v.selected && !v.link && v.type == LINTREL_POLYLINE ? foldCollinearJoints(v.segs) : 0;
}

struct Merged {
    bool joined = false;
    bool folded = false;
};

// Joins in list order; the entries of `order` for the vects joined into others become null.
// A vect's chain is final once its turn is over (it has left the grid, so no later vect takes
// it), and its collinear joints are folded then, while its segs are still at hand.
Merged joinAll(Vect* head, std::span<Vect*> order, EndGrid& grid, double tolerance) {
    const double limit = tolerance * tolerance;
    Merged merged;
    constexpr size_t kStage = 8;
    for (size_t i = 0; i < order.size(); ++i) {
        if (i % kProgressInterval == 0)
            reportProgress(static_cast<long long>(i), static_cast<long long>(order.size()));
        if (i + 2 * kStage < order.size()) grid.prefetchCells(i + 2 * kStage);
        if (i + kStage < order.size()) grid.prefetchEntries(i + kStage);
        if (!order[i]) continue;
        Vect& a = *order[i];
        if (grid.live(i)) {
            grid.remove(i);
            for (size_t b = grid.earliestNearFiled(i, limit); b != kNone;) {
                grid.remove(b);
                noteInputChanged();
                const bool closed = joinVects(a, *order[b]);
                eraseFrom(head, order[b]);  // a later vect, never the head
                order[b] = nullptr;
                merged.joined = true;
                if (closed) break;
                const Ends e = endsOf(a);
                b = grid.earliestNear(e.end, limit, grid.earliestNear(e.start, limit, kNone));
            }
        }
        if (foldIfSelected(a) > 0) {
            noteInputChanged();
            merged.folded = true;
        }
    }
    return merged;
}

// Makes a curve's flattened copy its definition so that its line segs can be joined.
void takeFlatSegs(Vect& v) {
    if (!v.flatSegs) buildFlatSegs(&v, kCleanupPrecision);
    if (!v.flatSegs) return;
    replaceSegs(&v, v.flatSegs);
    v.flatSegs = nullptr;
}

}  // namespace

bool endsMeet(const Vect& a, const Vect& b, double tolerance) {
    const Ends p = endsOf(a), q = endsOf(b);
    const double limit = tolerance * tolerance;
    return limit >= distanceSquared(q.end, p.end) || limit >= distanceSquared(q.end, p.start) ||
           limit >= distanceSquared(q.start, p.start) || limit >= distanceSquared(q.start, p.end);
}

bool joinVects(Vect& a, Vect& b) {
    const Ends p = endsOf(a), q = endsOf(b);
    const double ee = distanceSquared(q.end, p.end), es = distanceSquared(q.end, p.start);
    const double ss = distanceSquared(q.start, p.start), se = distanceSquared(q.start, p.end);
    takeFlatSegs(a);
    takeFlatSegs(b);
    Seg* chain = b.segs;
    b.segs = nullptr;
    a.type = LINTREL_POLYLINE;
    if (!chain || !a.segs) {
        append(a.segs, chain);
    } else if (ee < es && ee < ss && ee < se) {
        chain->prev->x1 = a.segs->prev->x1;
        chain->prev->y1 = a.segs->prev->y1;
        append(a.segs, reverseChain(chain));
    } else if (es < ss && es < se) {
        chain->prev->x1 = a.segs->x0;
        chain->prev->y1 = a.segs->y0;
        append(chain, a.segs);
        a.segs = chain;
    } else if (se < ss) {
        chain->x0 = a.segs->prev->x1;
        chain->y0 = a.segs->prev->y1;
        append(a.segs, chain);
    } else {
        chain->x0 = a.segs->x0;
        chain->y0 = a.segs->y0;
        chain = reverseChain(chain);
        append(chain, a.segs);
        a.segs = chain;
    }
    if (a.segs && samePoint(segStart(*a.segs), segEnd(*a.segs->prev))) a.closed = 1;
    return a.closed == 1;
}

int foldSelectedJoints(std::span<Vect* const> vects) {
    int folded = 0;
    constexpr size_t kAhead = 8;
    for (size_t i = 0; i < vects.size(); ++i) {
        if (i + kAhead < vects.size() && vects[i + kAhead]) prefetchChainEnds(vects[i + kAhead]);
        if (vects[i]) folded += foldIfSelected(*vects[i]);
    }
    return folded;
}

int mergeConnected(Vect* head, double tolerance, int selectedOnly) {
    if (!head) return LINTREL_BAD_ARGUMENT;
    // A tolerance that is not a number lets no ends meet.
    if (std::isnan(tolerance))
        return foldSelectedJoints(vectsInOrder(head)) > 0 ? LINTREL_OK : LINTREL_NOTHING_TO_DO;
    EndGrid grid(reachFor(tolerance));
    std::vector<Vect*> order = visitVectsInOrder(head, [&](size_t i, const Vect* v) {
        if (joinable(*v, selectedOnly)) grid.file(i, *v);
    });
    grid.build(order.size());
    const Merged merged = joinAll(head, order, grid, tolerance);
    return merged.joined || merged.folded ? LINTREL_OK : LINTREL_NOTHING_TO_DO;
}

}  // namespace lintrel
