#include "optimise/nearest_chain.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "base/progress.h"
#include "optimise/end_screen.h"

namespace lintrel {

namespace {

// The scan is kept as written: its chain of improvements is long (every swap leaves the
// displaced vects in runs of falling distance, so chains grow with the list), and a point
// index pays more per improvement than the scan pays per vect passed. What is made cheap is
// the walk: single-precision copies of the ends pass over the vects that surely do not improve
// many at a time, and a swap moves only a small record per position (the exact ends and the
// vect's place in the list), in the order the scan walks. The list itself is reordered once,
// at the end.
class NearestChain {
  public:
    NearestChain(SortList& list, bool allowReverse, double margin)
        : list_(list),
          allowReverse_(allowReverse),
          margin_(margin),
          slots_(list.size()),
          tags_(list.size()),
          turned_(list.size(), 0),
          screen_(list.size(), largestCoordinate(list)) {
        for (int p = 0; p < list.size(); ++p) {
            tags_[p] = p << 1 | (list.reversesBySwap(p) ? 1 : 0);
            load(p);
        }
    }

    void run(const Point* centre) {
        const int n = static_cast<int>(slots_.size());
        Point lastEnd{0, 0};  // where the tool stands before a position
        for (int i = 0; i < n; ++i) {
            if (i % kProgressInterval == 0) reportProgress(i, n);
            if (list_.takesPart(i)) {
                if (i + 1 < n)
                    fillPosition(i, centre ? *centre : lastEnd);
                else
                    reversalCheck(i, n == 1 && centre ? *centre : lastEnd);
            }
            if (list_.ends(idAt(i)).valid) lastEnd = slots_[i].end;
        }
        for (size_t id = 0; id < turned_.size(); ++id)
            if (turned_[id]) list_.reverse(static_cast<int>(id));
        // Only vects that take part ever move, so the others keep their positions.
        const std::vector<int> moved = list_.takingPart();
        std::vector<int> from(moved.size());
        for (size_t k = 0; k < moved.size(); ++k)
            from[k] = idAt(moved[k]);
        list_.permute(moved, from);
    }

  private:
    // The exact ends of the vect at a position: 32 bytes, so that each lies in one cache line.
    struct alignas(32) Slot {
        Point start, end;
    };

    static double largestCoordinate(const SortList& list) {
        double largest = 0;
        for (int p = 0; p < list.size(); ++p) {
            if (!list.takesPart(p)) continue;
            const VectEnds& e = list.ends(p);
            for (double v : {e.start.x, e.start.y, e.end.x, e.end.y}) {
                if (std::isnan(v)) return INFINITY;
                largest = std::max(largest, std::fabs(v));
            }
        }
        return largest;
    }

    void load(int p) {
        const int id = idAt(p);
        const VectEnds& e = list_.ends(id);
        slots_[p].start = e.start;
        slots_[p].end = e.end;
        screen_.load(p, e.start, e.end, list_.takesPart(id));
    }

    // Reverses the vect at `p` when `turn` is set; most vects only exchange their ends, which
    // is done without a branch, since whether a vect turns cannot be foreseen.
    void reverse(int p, bool turn = true) {
        Slot& s = slots_[p];
        if (tags_[p] & 1) {
            const Point a = s.start, b = s.end;
            s.start = turn ? b : a;
            s.end = turn ? a : b;
            if (turn) turned_[idAt(p)] ^= 1;
            screen_.turn(p, turn);
        } else if (turn) {
            list_.reverse(idAt(p));
            load(p);
        }
    }

    void reversalCheck(int p, Point ref) {
        if (allowReverse_ && wantsReversal(ref, {slots_[p].start, slots_[p].end, true})) reverse(p);
    }

    void swap(int a, int b) {
        std::swap(slots_[a], slots_[b]);
        std::swap(tags_[a], tags_[b]);
        screen_.swap(a, b);
    }

    // The scan of one position. The screen gives the candidates of sixteen positions at a
    // time for the cost at the start of the block, and they are taken in order, each against
    // the cost left by the one before. The cost mostly falls, so the block's improvements are
    // among them; a vect taken by a nearer end that does not turn it (its start is within
    // 1e-4 of the end's distance) leaves its start's distance as the cost, which may be higher,
    // and then the screen starts again after it.
    void fillPosition(int i, Point ref) {
        const int n = static_cast<int>(slots_.size());
        reversalCheck(i, ref);
        double m = distance(ref, slots_[i].start);
        const EndScreen::Probe probe = screen_.probe(ref);
        for (int j = i + 1; j < n;) {
            const double bar = allowReverse_ ? m : m - margin_;
            if (!(bar > 0)) break;  // no distance is below it
            const EndScreen::Hits hits = screen_.nextWithin(probe, j, n, bar, allowReverse_);
            j = hits.at + 16;
            for (unsigned mask = hits.mask; mask; mask &= mask - 1) {
                const int p = hits.at + __builtin_ctz(mask);
                double w = 0, t = 0;
                if (!improves(p, ref, m, w, t)) continue;
                const bool turn = allowReverse_ && t < w - kSame;
                reverse(p, turn);
                m = turn ? t : w;
                swap(i, p);
                if (m > bar) {
                    j = p + 1;
                    break;
                }
            }
        }
    }

    // Whether the vect at `p` beats the current cost `m`, as the comparison is written; `w` and
    // `t` receive the distances of its start and end when it may.
    bool improves(int p, Point ref, double m, double& w, double& t) const {
        if (!list_.takesPart(p)) return false;  // offered only when the screen is not in use
        const double bar = allowReverse_ ? m : m - margin_;
        // Squared distances at or above this are surely not below `bar`.
        const double far = bar * bar * (1 + 1e-12);
        const Slot& s = slots_[p];
        const double ws = distanceSquared(ref, s.start);
        const double ts = distanceSquared(ref, s.end);
        if (!(ws < far) && !(allowReverse_ && ts < far)) return false;
        w = std::sqrt(ws);
        t = std::sqrt(ts);
        return allowReverse_ ? std::min(w, t) < m : w < m - margin_;
    }

    SortList& list_;
    bool allowReverse_;
    double margin_;
    int idAt(int p) const { return tags_[p] >> 1; }

    std::vector<Slot> slots_;
    // Per position: the vect's position in the list as given, shifted left by one, and whether
    // it turns by exchanging its ends (the low bit); kept apart from the ends so that a swap
    // touches one line of the ends' array and a short array that stays in cache.
    std::vector<int> tags_;
    std::vector<char> turned_;  // per vect: turned by exchanging its ends
    EndScreen screen_;
};

}  // namespace

void nearestSort(SortList& list, bool allowReverse, double margin, const Point* centre) {
    NearestChain(list, allowReverse, margin).run(centre);
}

}  // namespace lintrel
