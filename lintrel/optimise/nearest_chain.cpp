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
    NearestChain(SortList& list, bool allowReverse, double margin, EndScreen::Lanes lanes)
        : list_(list),
          allowReverse_(allowReverse),
          margin_(margin),
          slots_(list.size()),
          tags_(list.size()),
          screen_(list.size(), largestCoordinate(list), lanes) {
        for (int p = 0; p < list.size(); ++p) {
            tags_[p] = p << 2 | (list.reversesBySwap(p) ? kBySwap : 0);
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
        for (int p = 0; p < n; ++p)
            if (tags_[p] & kTurned) list_.reverse(idAt(p));
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
        if (tags_[p] & kBySwap) {
            const Point a = s.start, b = s.end;
            s.start = turn ? b : a;
            s.end = turn ? a : b;
            tags_[p] ^= turn ? kTurned : 0;
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
    //
    // An improvement is one exchange: the vect held for the position (kept in registers while
    // the position is scanned) goes to the candidate's place, and the candidate, turned if it
    // turns, is held instead. The loop is kept out of line with the arrays' addresses in
    // registers, since an improvement is a few dozen instructions and spilled values would
    // double them; where the screen compares in 256-bit lanes, the loop is compiled for them
    // too, with the screen's search inlined.
    template <bool Reverse>
    [[gnu::noinline]] void fillPosition(int i, Point ref) {
        scanPosition<Reverse>(
            i, ref, [this](const EndScreen::Probe& probe, int from, int to, double reach) {
                return screen_.nextWithin(probe, from, to, reach, Reverse);
            });
    }

#ifdef LINTREL_WIDE_SCREEN
    template <bool Reverse>
    [[gnu::noinline]] LINTREL_AVX2 void fillPositionWide(int i, Point ref) {
        scanPosition<Reverse>(
            i, ref,
            [this](const EndScreen::Probe& probe, int from, int to, double reach)
                LINTREL_AVX2 { return screen_.nextWithinWide<Reverse>(probe, from, to, reach); });
    }
#endif

    template <bool Reverse, class Search>
    [[gnu::always_inline]] inline void scanPosition(int i, Point ref, const Search& search) {
        const int n = static_cast<int>(slots_.size());
        reversalCheck(i, ref);
        Slot* const slots = slots_.data();
        int* const tags = tags_.data();
        const EndScreen::Columns columns = screen_.columns();
        Slot held = slots[i];
        int heldTag = tags[i];
        const double first = distanceSquared(ref, held.start);
        Cost cost(first, std::sqrt(first));
        const EndScreen::Probe probe = screen_.probe(ref);
        for (int j = i + 1; j < n;) {
            const double bar = Reverse ? cost.m : cost.m - margin_;
            if (!(bar > 0)) break;  // no distance is below it
            // A cost whose square is below this one is not above the bar.
            const double barSquared = bar * bar * (1 - 1e-12);
            const EndScreen::Hits hits = search(probe, j, n, bar);
            j = hits.at + 16;
            for (unsigned mask = hits.mask; mask; mask &= mask - 1) {
                const int p = hits.at + __builtin_ctz(mask);
                if (!probe.screened && !list_.takesPart(p)) continue;
                const Slot s = slots[p];
                const double ws = distanceSquared(ref, s.start);
                bool turn = false;
                if constexpr (Reverse) {
                    const double ts = distanceSquared(ref, s.end);
                    if (!cost.exceeds(ts < ws ? ts : ws)) continue;
                    if (ts < ws) {  // only a vect whose end is nearer at all may turn
                        const double w = std::sqrt(ws), t = std::sqrt(ts);
                        turn = t < w - kSame;
                        cost = turn ? Cost(ts, t) : Cost(ws, w);
                    } else {
                        cost = Cost(ws, std::sqrt(ws));
                    }
                } else {
                    const double reach = cost.m - margin_;
                    if (!(ws < reach * reach * (1 + 1e-12)) || !(std::sqrt(ws) < reach)) continue;
                    cost = Cost(ws, std::sqrt(ws));
                }
                const int tag = tags[p];
                if (tag & kBySwap) [[likely]] {
                    slots[p] = held;
                    tags[p] = heldTag;
                    columns.put(p, held.start, held.end);
                    held = turn ? Slot{s.end, s.start} : s;
                    heldTag = tag ^ (turn ? kTurned : 0);
                } else {
                    const Held now = takeRecomputed(i, p, turn, {held, heldTag});
                    held = now.ends;
                    heldTag = now.tag;
                }
                if (cost.squared > barSquared) {
                    j = p + 1;
                    break;
                }
            }
        }
        slots[i] = held;
        tags[i] = heldTag;
        columns.put(i, held.start, held.end);
    }

    void fillPosition(int i, Point ref) {
#ifdef LINTREL_WIDE_SCREEN
        if (screen_.wide())
            return allowReverse_ ? fillPositionWide<true>(i, ref) : fillPositionWide<false>(i, ref);
#endif
        allowReverse_ ? fillPosition<true>(i, ref) : fillPosition<false>(i, ref);
    }

    // An improvement by a vect whose reversal recomputes its ends (an arc without a flattened
    // chain): it is turned through the list and exchanged with the vect held for `i`.
    // Returns the vect then held.
    struct Held {
        Slot ends;
        int tag;
    };
    [[gnu::noinline]] Held takeRecomputed(int i, int p, bool turn, const Held& held) {
        slots_[i] = held.ends;
        tags_[i] = held.tag;
        screen_.columns().put(i, held.ends.start, held.ends.end);
        reverse(p, turn);
        swap(i, p);
        return {slots_[i], tags_[i]};
    }

    // The distance of the best vect so far, `m`, and the square it is the root of. Whether a
    // vect's nearer end is closer than `m` is mostly settled on the squares, which keeps the
    // roots off the path from one comparison to the next.
    struct Cost {
        Cost(double squared, double m) : squared(squared), m(m) {}
        // Whether the root of `q` is below `m`, exactly as the roots compare. The root rounds
        // monotonically, so a square at or above `squared` never is; one clearly below it
        // always is; only in between are the roots compared.
        bool exceeds(double q) const {
            if (!(q < squared)) return false;
            if (q < squared * (1 - 1e-12) && squared > 1e-280) return true;
            return std::sqrt(q) < m;
        }
        double squared, m;
    };

    SortList& list_;
    bool allowReverse_;
    double margin_;
    int idAt(int p) const {
        return tags_[p] >> 2;
    }

    std::vector<Slot> slots_;
    // Per position: the vect's position in the list as given, shifted left by two, whether it
    // turns by exchanging its ends, and whether it has been turned so (the two low bits); kept
    // apart from the ends so that a swap touches one line of the ends' array and a short array
    // that stays in cache.
    std::vector<int> tags_;
    static constexpr int kBySwap = 1, kTurned = 2;
    EndScreen screen_;
};

}  // namespace

void nearestSort(SortList& list, bool allowReverse, double margin, const Point* centre,
                 EndScreen::Lanes lanes) {
    NearestChain(list, allowReverse, margin, lanes).run(centre);
}

}  // namespace lintrel
