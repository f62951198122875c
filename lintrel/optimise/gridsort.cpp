// The grid sort: the box of a vect list is cut into cells that are visited row by row from the
// bottom, alternating direction (a serpentine), and each cell takes the unplaced vects that
// start or end in it, lowest first.
//
// The result is exactly that of the cell-by-cell selection scan. Each cell's vects are found in
// buckets instead of by scanning; within the cell they are placed by `exchangeOrder`, and the
// vects left behind are reordered the way the scan's swaps reorder them: the ones in front of
// the last vect of the cell ride forward in a queue (see exchange_order.h), which the unplaced
// sequence replays with a few link changes per placed vect.
#include <algorithm>
#include <cmath>
#include <utility>

#include "curves/range.h"
#include "model/items.h"
#include "model/transform.h"
#include "optimise/exchange_order.h"
#include "optimise/ordering.h"
#include "optimise/sort_list.h"
#include "optimise/unplaced_sequence.h"

namespace lintrel {

namespace {

// Cells below this size would let the 1e-4 margins cover many cells per point.
constexpr double kMinCellSize = 1e-3;

struct Grid {
    double x = 0, y = 0;  // lower-left corner of the list's box
    double cellWidth = 0, cellHeight = 0;
    long long columns = 1, rows = 1;
};

// Indexes of the cells of one axis whose span holds `v`.
std::pair<long long, long long> cellsHolding(double v, double origin, double size,
                                             long long count) {
    const double guess = std::floor((v - origin) / size);
    if (!(std::fabs(guess) < 1e15)) return {1, 0};
    long long lo = std::max(0LL, static_cast<long long>(guess) - 2);
    long long hi = std::min(count - 1, static_cast<long long>(guess) + 2);
    while (lo <= hi && !(v >= cellLow(origin, static_cast<double>(lo), size) &&
                         v <= cellHigh(origin, static_cast<double>(lo), size)))
        ++lo;
    while (hi >= lo && !(v >= cellLow(origin, static_cast<double>(hi), size) &&
                         v <= cellHigh(origin, static_cast<double>(hi), size)))
        --hi;
    return {lo, hi};
}

// One membership of a vect in a cell, keyed by the serpentine visiting order.
struct Membership {
    long long row, step;
    int id;
    bool operator<(const Membership& o) const {
        return row != o.row ? row < o.row : (step != o.step ? step < o.step : id < o.id);
    }
};

void addMemberships(const Grid& grid, Point p, int id, std::vector<Membership>& out) {
    const auto [c0, c1] = cellsHolding(p.x, grid.x, grid.cellWidth, grid.columns);
    const auto [r0, r1] = cellsHolding(p.y, grid.y, grid.cellHeight, grid.rows);
    for (long long r = r0; r <= r1; ++r)
        for (long long c = c0; c <= c1; ++c)
            out.push_back({r, r % 2 == 0 ? c : grid.columns - 1 - c, id});
}

struct LowCorner {
    double y, x;
    bool operator<(const LowCorner& o) const { return y < o.y || (y == o.y && x < o.x); }
};

class GridSorter {
  public:
    GridSorter(SortList& list, bool allowReverse)
        : list_(list),
          allowReverse_(allowReverse),
          slots_(list.takingPart()),
          unplaced_(list.size(), slots_),  // the ids are the vects' original positions
          placed_(list.size(), 0) {}

    // The list's only taking-part vect stands at its last position: the scan ends at once,
    // checking it against the first cell only.
    bool loneLast() const { return slots_.size() == 1 && slots_[0] == list_.size() - 1; }

    // Places the unplaced vects of one cell; false when the sort is over.
    bool fillCell(std::span<const Membership> cell) {
        std::vector<int> inCell;
        for (const Membership& m : cell)
            if (!placed_[m.id]) inCell.push_back(m.id);
        std::sort(inCell.begin(), inCell.end());
        inCell.erase(std::unique(inCell.begin(), inCell.end()), inCell.end());
        std::sort(inCell.begin(), inCell.end(),
                  [&](int a, int b) { return unplaced_.label(a) < unplaced_.label(b); });
        if (!inCell.empty()) place(inCell);
        // Once only the list's last vect is left the scan stops; that vect is not in this cell.
        const int left = unplaced_.size();
        return left > 1 || (left == 1 && slots_.back() != list_.size() - 1);
    }

    void checkLoneLast(bool inFirstCell) {
        order_.push_back(slots_[0]);
        if (inFirstCell) checkReversal(slots_[0]);
        unplaced_.takeOut(slots_);
    }

    // Lays the placed vects and, behind them, the unplaced ones into the taking-part positions.
    void finish() {
        const std::vector<int> rest = unplaced_.ids();
        order_.insert(order_.end(), rest.begin(), rest.end());
        list_.permute(slots_, order_);
    }

  private:
    // `inCell` in sequence order.
    void place(const std::vector<int>& inCell) {
        unplaced_.takeOut(inCell);
        std::vector<LowCorner> keys;
        for (int id : inCell) {
            const VectEnds& e = list_.ends(id);
            // An end that is not a number (a damaged drawing) must not break the key order.
            const auto low = [](double a, double b) {
                const double v = std::min(a, b);
                return std::isnan(v) ? INFINITY : v;
            };
            keys.push_back({low(e.start.y, e.end.y), low(e.start.x, e.end.x)});
        }
        for (int k : exchangeOrder<LowCorner>(keys)) {
            placed_[inCell[k]] = 1;
            order_.push_back(inCell[k]);
            checkReversal(inCell[k]);
        }
    }

    // The reversal check of the vect just given the next slot, against the end point of the
    // vect in front of that slot. Records are still at their original positions (their ids).
    void checkReversal(int id) {
        const size_t k = order_.size() - 1;
        Point previous{0, 0};
        for (int p = slots_[k] - 1; p >= 0; --p) {
            if (list_.takesPart(p)) {
                previous = list_.ends(order_[k - 1]).end;  // the vect placed just before
                break;
            }
            if (list_.ends(p).valid) {
                previous = list_.ends(p).end;
                break;
            }
        }
        list_.reversalCheck(id, previous, allowReverse_);
    }

    SortList& list_;
    bool allowReverse_;
    std::vector<int> slots_;
    UnplacedSequence unplaced_;
    std::vector<char> placed_;
    std::vector<int> order_;  // ids in placing order
};

}  // namespace

int gridSortList(Vect*& head, double cellWidth, double cellHeight, bool allowReverse,
                 bool selectedOnly) {
    if (!head || baseTypeOf(head) != LINTREL_BASE_VECT || !head->segs) return LINTREL_BAD_ARGUMENT;
    if (!(cellWidth >= kMinCellSize) || !(cellHeight >= kMinCellSize) ||
        !std::isfinite(cellWidth) || !std::isfinite(cellHeight))
        return LINTREL_BAD_ARGUMENT;
    RectF box;
    if (rangeOf(head, Reach::Ring, kMeasurePrecision, box) != LINTREL_OK)
        return LINTREL_BAD_ARGUMENT;
    Grid grid{box.x,
              box.y,
              cellWidth,
              cellHeight,
              cellCount(box.width, cellWidth),
              cellCount(box.height, cellHeight)};

    SortList list(head, selectedOnly);
    std::vector<Membership> members;
    for (int p : list.takingPart()) {
        addMemberships(grid, list.ends(p).start, p, members);
        addMemberships(grid, list.ends(p).end, p, members);
    }
    std::sort(members.begin(), members.end());

    GridSorter sorter(list, allowReverse);
    if (sorter.loneLast()) {
        sorter.checkLoneLast(std::any_of(members.begin(), members.end(), [](const Membership& m) {
            return m.row == 0 && m.step == 0;
        }));
    } else {
        for (size_t lo = 0; lo < members.size();) {
            size_t hi = lo + 1;
            while (hi < members.size() && members[hi].row == members[lo].row &&
                   members[hi].step == members[lo].step)
                ++hi;
            if (!sorter.fillCell(std::span(members).subspan(lo, hi - lo))) break;
            lo = hi;
        }
    }
    sorter.finish();
    list.relink(head);
    return LINTREL_OK;
}

}  // namespace lintrel
