// The shortest-travel tour: nearest neighbour on a point index, then 2-opt, Or-opt and entry
// point moves driven by a queue of items whose surroundings changed, until no move shortens it.
#include "optimise/tour.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <latch>
#include <numeric>
#include <optional>

#include "optimise/near_points.h"
#include "optimise/point_index.h"
#include "optimise/workers.h"

namespace lintrel {

void TourInput::addOpen(Point start, Point end, bool reversible) {
    start_.push_back(start);
    end_.push_back(end);
    reversible_.push_back(reversible);
    firstEntry_.push_back(firstEntry_.back());
}

void TourInput::addClosed(std::span<const Point> entries) {
    start_.push_back(entries.front());
    end_.push_back(entries.front());
    reversible_.push_back(1);
    entries_.insert(entries_.end(), entries.begin(), entries.end());
    firstEntry_.push_back(static_cast<int>(entries_.size()));
}

namespace {

constexpr int kNear = 8;              // candidate list length
constexpr double kGain = 1e-7;        // a move must shorten the tour by more than this
constexpr int kMaxSegment = 3;        // longest run an Or-opt move carries
constexpr int kMaxKicks = 300;        // iterated search rounds on short tours
constexpr int kKickBudget = 100'000;  // ... fewer on longer tours: budget / items
constexpr int kKickWindow = 50;       // positions a kick may disturb
constexpr unsigned kKickSeed = 2121;
// From this many items, items are renumbered in spatial order (below, the arrays stay in cache).
constexpr int kRenumberFrom = 20'000;
// Candidate lists are found in blocks of this many items, on as many threads as there are.
constexpr int kCandidateBlock = 4096;
// From two blocks of this many positions on, the local search improves each block on its own
// (on as many threads as there are) before one pass over the whole tour.
constexpr int kSearchBlock = 50'000;

// The kicks' positions: a fixed-seed generator (SplitMix64), the same on every platform.
unsigned nextRandom(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return static_cast<unsigned>((z ^ (z >> 31)) >> 32);
}

class Tour {
  public:
    // `original` gives each item's number in the caller's input when the items were renumbered
    // (empty otherwise): ties go to the smaller original number, so the plan is the same.
    Tour(const TourInput& input, Point from, const Point* to, int maxKicks,
         std::vector<int> original)
        : input_(input),
          from_(from),
          to_(to ? *to : Point{}),
          hasTo_(to != nullptr),
          maxKicks_(maxKicks),
          original_(std::move(original)) {
        const int n = input.size();
        byOriginal_.resize(n);
        for (int i = 0; i < n; ++i)
            byOriginal_[originalOf(i)] = i;
        rev_.assign(n, 0);
        entry_.assign(n, -1);
        for (int i = 0; i < n; ++i)
            if (!input.entries(i).empty()) entry_[i] = input.firstEntry(i);
        symmetric_ = true;
        for (int i = 0; i < n; ++i)
            if (!input.reversible(i) && !sameEnds(i)) symmetric_ = false;
        // Reversals and moves are limited in reach on long lists, so that each costs little.
        reach_ = std::max(1000, std::min(n, 50'000'000 / std::max(n, 1)));
    }

    void run() {
        // The candidate lists do not depend on the tour. On long tours their tree is built and
        // they are found on other threads while the walk's index is built and the
        // nearest-neighbour walk, which has to go one item after another, runs on this one,
        // which then joins them once the tree is there; each list is written by one thread.
        const int threads = input_.size() >= kCandidateBlock ? workerThreads() : 1;
        Walk walk;
        Candidates candidates(input_.size());
        if (threads > 1) {
            std::latch treeBuilt(1);
            bool treeReady = false;  // false when the build failed; its exception follows
            sideBySide(
                [&] {
                    {
                        struct CountDown {
                            std::latch& latch;
                            ~CountDown() { latch.count_down(); }
                        } built{treeBuilt};
                        prepareCandidates(candidates, threads - 1);
                        treeReady = true;
                    }
                    onThreads(threads - 1, [&] { findCandidates(candidates); });
                },
                [&] {
                    prepareWalk(walk);
                    nearestNeighbour(walk);
                    treeBuilt.wait();
                    if (treeReady) findCandidates(candidates);
                });
        } else {
            prepareWalk(walk);
            nearestNeighbour(walk);
            prepareCandidates(candidates, 1);
            findCandidates(candidates);
        }
        queued_.assign(size(), 0);
        whole_ = wholeTour();
        if (size() >= 2 * kSearchBlock)
            improveInBlocks(workerThreads());
        else
            improveAll(whole_);
        kick();
    }

    TourPlan plan() const {
        TourPlan result;
        for (int item : order_) {
            TourStep step;
            step.item = item;
            step.reversed = rev_[item] != 0;
            step.entry = entry_[item] < 0 ? 0 : entry_[item] - input_.firstEntry(item);
            result.steps.push_back(step);
        }
        result.travel = length();
        return result;
    }

  private:
    int originalOf(int item) const { return original_.empty() ? item : original_[item]; }

    bool sameEnds(int i) const {
        return input_.start(i).x == input_.end(i).x && input_.start(i).y == input_.end(i).y;
    }
    Point in(int item) const {
        if (entry_[item] >= 0) return input_.entryPoint(entry_[item]);
        return rev_[item] ? input_.end(item) : input_.start(item);
    }
    Point out(int item) const {
        if (entry_[item] >= 0) return input_.entryPoint(entry_[item]);
        return rev_[item] ? input_.start(item) : input_.end(item);
    }
    int size() const { return static_cast<int>(order_.size()); }

    // The positions lo..hi-1 a local search works on: the whole tour, or one block of it
    // improved on its own while the positions round it stand still (the tool comes from
    // `before` and goes on to `after`, where they stood when the blocks were handed out).
    struct Stretch {
        int lo = 0, hi = 0;
        Point before{}, after{};
        bool hasAfter = false;
        int block = -1;  // -1: the whole tour, where every candidate may move
        // Items waiting to be looked at, each at most once: a ring of one place per position.
        std::vector<int> queue;
        int head = 0, count = 0;
    };

    Stretch wholeTour() const {
        Stretch s;
        s.hi = size();
        s.before = from_;
        s.after = to_;
        s.hasAfter = hasTo_;
        return s;
    }
    // Where the tool stands after position k (k = lo - 1: before the stretch).
    [[gnu::always_inline]] Point outAt(const Stretch& s, int k) const {
        return k < s.lo ? s.before : out(order_[k]);
    }
    // The travel from `a` into position k; past the stretch, on to what follows it if anything.
    [[gnu::always_inline]] double into(const Stretch& s, Point a, int k) const {
        if (k < s.hi) return distance(a, in(order_[k]));
        return s.hasAfter ? distance(a, s.after) : 0.0;
    }

    double length() const {
        const Stretch whole = wholeTour();
        double total = 0;
        for (int k = 0; k <= size(); ++k)
            total += into(whole, outAt(whole, k - 1), k);
        return total;
    }

    // The point index of the nearest-neighbour walk: every entry point of every item.
    struct Walk {
        std::optional<PointIndex> index;
        std::vector<int> entryOf;  // per entry: an entry point index, -1 start, -2 end
    };

    void prepareWalk(Walk& walk) const {
        const int n = input_.size();
        std::vector<PointIndex::Entry> entries;
        std::vector<int>& entryOf = walk.entryOf;
        const auto add = [&](Point p, int item, int which) {
            entries.push_back({p, item, static_cast<long long>(entries.size())});
            entryOf.push_back(which);
        };
        // Entries in the original order, which settles ties.
        for (const int i : byOriginal_) {
            if (entry_[i] >= 0) {
                for (int e = input_.firstEntry(i); e < input_.firstEntry(i + 1); ++e)
                    add(input_.entryPoint(e), i, e);
            } else {
                add(input_.start(i), i, -1);
                if (input_.reversible(i) && !sameEnds(i)) add(input_.end(i), i, -2);
            }
        }
        PointIndex& index = walk.index.emplace(std::move(entries), n);
        std::vector<int> slots(n);
        for (int i = 0; i < n; ++i)
            slots[i] = i;
        index.placeAll(slots);
    }

    void nearestNeighbour(Walk& walk) {
        const int n = input_.size();
        PointIndex& index = *walk.index;
        const std::vector<int>& entryOf = walk.entryOf;
        Point at = from_;
        std::vector<char> placed(n, 0);
        for (int step = 0; step < n; ++step) {
            const int best = index.nearest(at);
            if (best < 0) break;
            const PointIndex::Entry& e = index.entry(best);
            const int which = entryOf[static_cast<size_t>(e.order)];
            if (which >= 0) entry_[e.id] = which;
            rev_[e.id] = which == -2;
            index.remove(e.id);
            placed[e.id] = 1;
            order_.push_back(e.id);
            at = out(e.id);
        }
        // Items the index could not rank (damaged coordinates) follow in list order.
        for (const int i : byOriginal_)
            if (!placed[i]) order_.push_back(i);
        pos_.assign(n, 0);
        for (int k = 0; k < n; ++k)
            pos_[order_[k]] = k;
    }

    // The search for near neighbours of each item by its two ends (and a few points round a
    // closed outline), handed out in blocks of items.
    struct Candidates {
        explicit Candidates(int items) : blocks(items, kCandidateBlock) {}
        std::optional<NearPoints> tree;
        int perEnd = 0;
        Blocks blocks;
    };

    void prepareCandidates(Candidates& candidates, int threads) {
        const int n = input_.size();
        std::vector<Point> points;
        std::vector<int> owner;  // per point, its item: the tree's tag
        // Points in the original order of their items: ties go to the smaller point index.
        for (const int i : byOriginal_) {
            points.push_back(input_.start(i));
            owner.push_back(i);
            if (!sameEnds(i)) {
                points.push_back(input_.end(i));
                owner.push_back(i);
            }
            const int count = input_.firstEntry(i + 1) - input_.firstEntry(i);
            for (int q = 1; q < 4 && count >= 4; ++q) {
                points.push_back(input_.entryPoint(input_.firstEntry(i) + q * count / 4));
                owner.push_back(i);
            }
        }
        // Short tours rank every other item; long ones the few nearest points of each end.
        candidates.perEnd = n <= 4 * kNear ? static_cast<int>(points.size()) : kNear + 4;
        candidates.tree.emplace(points, threads, owner);
        near_.assign(static_cast<size_t>(n) * kNear, -1);
    }

    // Fills the lists of the blocks this thread takes. Items are asked for in their order,
    // spatial on long tours, so that consecutive searches share the tree's nodes.
    void findCandidates(Candidates& candidates) {
        std::vector<int> found;
        std::vector<std::pair<double, int>> ranked;
        NearPoints::Search search;
        for (int begin, end; candidates.blocks.take(begin, end);) {
            for (int i = begin; i < end; ++i) {
                ranked.clear();
                // An outline's two ends are one point: asking twice would find the same points.
                for (int e = 0; e < (sameEnds(i) ? 1 : 2); ++e) {
                    candidates.tree->nearest(e == 0 ? input_.start(i) : input_.end(i),
                                             candidates.perEnd, found, search);
                    for (int owner : found)
                        if (owner != i) ranked.push_back({0.0, owner});
                }
                fillCandidates(i, ranked);
            }
        }
    }

    void fillCandidates(int i, std::vector<std::pair<double, int>>& ranked) {
        for (auto& r : ranked)
            r.first = std::min(distance(input_.start(i), nearestPoint(r.second, input_.start(i))),
                               distance(input_.end(i), nearestPoint(r.second, input_.end(i))));
        // Nearer first, ties to the smaller original number.
        std::sort(ranked.begin(), ranked.end(), [&](const auto& a, const auto& b) {
            return a.first < b.first ||
                   (!(b.first < a.first) && originalOf(a.second) < originalOf(b.second));
        });
        int filled = 0;
        for (size_t r = 0; r < ranked.size() && filled < kNear; ++r) {
            if (r > 0 && ranked[r].second == ranked[r - 1].second) continue;
            bool seen = false;
            for (int f = 0; f < filled; ++f)
                seen = seen || near_[static_cast<size_t>(i) * kNear + f] == ranked[r].second;
            if (!seen) near_[static_cast<size_t>(i) * kNear + filled++] = ranked[r].second;
        }
    }

    Point nearestPoint(int item, Point p) const {
        const Point a = input_.start(item), b = input_.end(item);
        return distanceSquared(a, p) <= distanceSquared(b, p) ? a : b;
    }

    // Looks at every item of the stretch in turn, then at those whose surroundings changed.
    void improveAll(Stretch& s) {
        for (int k = s.lo; k < s.hi; ++k)
            wake(s, order_[k]);
        improve(s);
    }

    void improve(Stretch& s) {
        while (s.count > 0) {
            const int item = s.queue[s.head];
            s.head = (s.head + 1) % static_cast<int>(s.queue.size());
            --s.count;
            queued_[item] = 0;
            if (moveEntry(s, item) || twoOpt(s, item) || orOpt(s, item)) wake(s, item);
        }
    }

    // Long tours: the tour is cut into blocks of kSearchBlock positions, each improved on its
    // own by moves that stay inside it (the positions round it taken as they stood before),
    // the blocks on as many threads as there are; then one pass over the whole tour takes up
    // the items that had a candidate in another block and those at the joins. The blocks and
    // what is done in each do not depend on the thread count, so neither does the plan.
    void improveInBlocks(int threads) {
        const int n = size();
        const int count = (n + kSearchBlock - 1) / kSearchBlock;
        blockOf_.resize(n);
        for (int k = 0; k < n; ++k)
            blockOf_[order_[k]] = k / kSearchBlock;
        deferred_.assign(n, 0);
        std::vector<Stretch> blocks(count);
        for (int b = 0; b < count; ++b) {
            Stretch& s = blocks[b];
            s.lo = b * kSearchBlock;
            s.hi = std::min(n, s.lo + kSearchBlock);
            s.before = outAt(whole_, s.lo - 1);
            s.hasAfter = s.hi < n || hasTo_;
            s.after = s.hi < n ? in(order_[s.hi]) : to_;
            s.block = b;
        }
        Blocks handOut(count, 1);
        onThreads(threads, [&] {
            for (int b, end; handOut.take(b, end);) {
                improveAll(blocks[b]);
                blocks[b].queue = {};
            }
        });
        for (const Stretch& s : blocks)
            deferred_[order_[s.lo]] = deferred_[order_[s.hi - 1]] = 1;
        for (int k = 0; k < n; ++k)
            if (deferred_[order_[k]]) wake(whole_, order_[k]);
        improve(whole_);
        blockOf_ = {};
        deferred_ = {};
    }

    // Whether the search of `s` may move the candidate c of `item`: one in another block waits,
    // and the item with it, for the pass over the whole tour.
    bool mayMove(const Stretch& s, int item, int c) {
        if (s.block < 0 || blockOf_[c] == s.block) return true;
        deferred_[item] = 1;
        return false;
    }

    // Iterated local search: exchanges two neighbouring runs within a short window, improves
    // around the cuts and keeps the result only when the whole tour got shorter. The window
    // positions come from a fixed-seed generator, so the result is the same every time. Each
    // kick measures the whole tour, so long tours get few kicks or none.
    void kick() {
        const int n = size();
        const int kicks = n < 2 ? 0 : std::min({kMaxKicks, kKickBudget / n, maxKicks_});
        if (kicks == 0) return;
        std::uint64_t state = kKickSeed;
        std::vector<int> bestOrder = order_, bestEntry = entry_;
        std::vector<char> bestRev = rev_;
        double best = length();
        const int window = std::min(n, kKickWindow);
        for (int k = 0; k < kicks; ++k) {
            const int base =
                static_cast<int>(nextRandom(state) % static_cast<unsigned>(n - window + 1));
            int cut[3];
            for (int& c : cut)
                c = base + static_cast<int>(nextRandom(state) % static_cast<unsigned>(window + 1));
            std::sort(cut, cut + 3);
            if (cut[0] == cut[1] || cut[1] == cut[2]) continue;
            std::rotate(order_.begin() + cut[0], order_.begin() + cut[1], order_.begin() + cut[2]);
            for (int q = cut[0]; q < cut[2]; ++q)
                pos_[order_[q]] = q;
            for (int q = std::max(0, cut[0] - 1); q <= std::min(n - 1, cut[2]); ++q)
                wake(whole_, order_[q]);
            improve(whole_);
            const double now = length();
            if (now < best - kGain) {
                best = now;
                bestOrder = order_, bestEntry = entry_, bestRev = rev_;
            } else {
                order_ = bestOrder, entry_ = bestEntry, rev_ = bestRev;
                for (int q = 0; q < n; ++q)
                    pos_[order_[q]] = q;
            }
        }
    }

    void push(Stretch& s, int item) {
        if (s.queue.empty()) s.queue.resize(std::max(s.hi - s.lo, 1));
        s.queue[(s.head + s.count) % static_cast<int>(s.queue.size())] = item;
        ++s.count;
    }

    void wake(Stretch& s, int item) {
        if (!queued_[item]) {
            queued_[item] = 1;
            push(s, item);
        }
    }
    // Wakes the items at and around position k, within the stretch.
    void wakeAround(Stretch& s, int k) {
        for (int q = k - 1; q <= k + 1; ++q)
            if (q >= s.lo && q < s.hi) wake(s, order_[q]);
    }

    // The best entry point of a closed outline, or the better direction of a reversible vect,
    // for the travel into it and on to the next.
    bool moveEntry(Stretch& s, int item) {
        const int k = pos_[item];
        const Point a = outAt(s, k - 1);
        const double now = distance(a, in(item)) + into(s, out(item), k + 1);
        if (entry_[item] >= 0) {
            int best = entry_[item];
            double bestCost = now;
            for (int e = input_.firstEntry(item); e < input_.firstEntry(item + 1); ++e) {
                const Point q = input_.entryPoint(e);
                const double c = distance(a, q) + into(s, q, k + 1);
                if (c < bestCost - kGain) best = e, bestCost = c;
            }
            if (best == entry_[item]) return false;
            entry_[item] = best;
        } else {
            if (!input_.reversible(item) || sameEnds(item)) return false;
            rev_[item] ^= 1;
            if (!(distance(a, in(item)) + into(s, out(item), k + 1) < now - kGain)) {
                rev_[item] ^= 1;
                return false;
            }
        }
        wakeAround(s, k);
        return true;
    }

    // Reverses positions i..j (each reversible vect turns).
    void reverseRange(int i, int j) {
        std::reverse(order_.begin() + i, order_.begin() + j + 1);
        for (int k = i; k <= j; ++k) {
            pos_[order_[k]] = k;
            if (entry_[order_[k]] < 0 && !sameEnds(order_[k])) rev_[order_[k]] ^= 1;
        }
    }

    // Gain of reversing positions i..j: the tool comes from before i into j's end and leaves
    // i's start for the position after j.
    double reversalGain(const Stretch& s, int i, int j) const {
        const Point a = outAt(s, i - 1);
        const Point first = in(order_[i]), last = out(order_[j]);
        return distance(a, first) + into(s, last, j + 1) - distance(a, last) -
               into(s, first, j + 1);
    }

    bool twoOpt(Stretch& s, int item) {
        if (!symmetric_) return false;
        const int k = pos_[item];
        for (int f = 0; f < kNear; ++f) {
            const int c = near_[static_cast<size_t>(item) * kNear + f];
            if (c < 0) break;
            if (!mayMove(s, item, c)) continue;
            const int j = pos_[c];
            // The item leads into a reversed run ending with c, or a reversed run starting
            // with c leads into the item.
            if (j > k + 1 && j - k <= reach_ && reversalGain(s, k + 1, j) > kGain) {
                reverseRange(k + 1, j);
                wakeAround(s, k);
                wakeAround(s, k + 1);
                wakeAround(s, j);
                return true;
            }
            if (j < k - 1 && k - j <= reach_ && reversalGain(s, j, k - 1) > kGain) {
                reverseRange(j, k - 1);
                wakeAround(s, j);
                wakeAround(s, k - 1);
                return true;
            }
        }
        // The run from the item to the end of the stretch may turn round as a whole.
        const int last = s.hi - 1;
        if (k < last && last - k <= reach_ && reversalGain(s, k, last) > kGain) {
            reverseRange(k, last);
            wakeAround(s, k);
            wakeAround(s, last);
            return true;
        }
        return false;
    }

    // Moves the run of `length` positions starting at i so that it follows position p,
    // reversed when asked.
    void moveRun(Stretch& s, int i, int length, int p, bool reversed) {
        int lo, hi, at;
        if (p < i) {
            std::rotate(order_.begin() + p + 1, order_.begin() + i, order_.begin() + i + length);
            lo = p + 1, hi = i + length - 1, at = p + 1;
        } else {
            std::rotate(order_.begin() + i, order_.begin() + i + length, order_.begin() + p + 1);
            lo = i, hi = p, at = p - length + 1;
        }
        for (int q = lo; q <= hi; ++q)
            pos_[order_[q]] = q;
        if (reversed) reverseRange(at, at + length - 1);
        wakeAround(s, lo);
        wakeAround(s, hi);
        wakeAround(s, at);
        wakeAround(s, at + length - 1);
    }

    bool runReversible(int i, int length) const {
        for (int q = i; q < i + length; ++q)
            if (!input_.reversible(order_[q]) && !sameEnds(order_[q])) return false;
        return true;
    }

    // Tries to carry the run of `length` positions from i to a place next to a near
    // neighbour of `item`.
    bool orOptRun(Stretch& s, int item, int i, int length) {
        if (i < s.lo || i + length > s.hi) return false;
        const Point before = outAt(s, i - 1);
        const Point first = in(order_[i]), last = out(order_[i + length - 1]);
        const double removal =
            distance(before, first) + into(s, last, i + length) - into(s, before, i + length);
        const bool canTurn = runReversible(i, length);
        for (int f = 0; f < kNear; ++f) {
            const int c = near_[static_cast<size_t>(item) * kNear + f];
            if (c < 0) break;
            if (!mayMove(s, item, c)) continue;
            for (const int p : {pos_[c], pos_[c] - 1}) {
                if (p >= i - 1 && p <= i + length - 1) continue;
                if (std::abs(p - i) > reach_) continue;
                const Point a = outAt(s, p);
                const double old = into(s, a, p + 1);
                for (const bool turned : {false, true}) {
                    if (turned && !canTurn) continue;
                    // A turned run enters at its last item's exit and leaves at its first's entry.
                    const Point enter = turned ? last : first, leave = turned ? first : last;
                    const double added = distance(a, enter) + into(s, leave, p + 1) - old;
                    if (removal - added > kGain) {
                        moveRun(s, i, length, p, turned);
                        return true;
                    }
                }
            }
        }
        return false;
    }

    bool orOpt(Stretch& s, int item) {
        const int k = pos_[item];
        for (int length = 1; length <= kMaxSegment; ++length)
            if (orOptRun(s, item, k, length) || orOptRun(s, item, k - length + 1, length))
                return true;
        return false;
    }

    const TourInput& input_;
    Point from_, to_;
    bool hasTo_;
    int maxKicks_;
    std::vector<int> original_, byOriginal_;  // item to original number, and back
    bool symmetric_ = true;
    int reach_ = 1000;
    std::vector<int> order_, pos_;
    std::vector<char> rev_;
    std::vector<int> entry_;  // chosen entry point index of a closed outline, else -1
    std::vector<int> near_;
    std::vector<char> queued_;  // per item: waiting in a stretch's queue
    Stretch whole_;
    // While the blocks of a long tour are improved: each item's block, and the items that had a
    // candidate in another block.
    std::vector<int> blockOf_;
    std::vector<char> deferred_;
};

}  // namespace

namespace {

// Distance of a cell along a Hilbert curve over a grid of 2^16 x 2^16 cells.
std::uint64_t hilbertKey(std::uint32_t x, std::uint32_t y) {
    std::uint64_t key = 0;
    for (std::uint32_t s = 1u << 15; s > 0; s >>= 1) {
        const std::uint32_t rx = (x & s) ? 1 : 0, ry = (y & s) ? 1 : 0;
        key += static_cast<std::uint64_t>(s) * s * ((3 * rx) ^ ry);
        if (ry == 0) {
            if (rx == 1) {
                x = s - 1 - (x & (s - 1)) + (x & ~(s - 1));
                y = s - 1 - (y & (s - 1)) + (y & ~(s - 1));
            }
            std::swap(x, y);
        }
    }
    return key;
}

// The items in the order of a Hilbert curve through their starts (items with damaged
// coordinates last), each as its number in `input`.
std::vector<int> spatialOrder(const TourInput& input) {
    const int n = input.size();
    double x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
    for (int i = 0; i < n; ++i) {
        const Point p = input.start(i);
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) continue;
        x0 = std::min(x0, p.x), y0 = std::min(y0, p.y);
        x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
    }
    const double side = std::max({x1 - x0, y1 - y0, 1e-300});
    const auto cell = [&](double v, double low) {
        const double c = std::floor((v - low) / side * 65535.0);
        return static_cast<std::uint32_t>(std::clamp(c, 0.0, 65535.0));
    };
    std::vector<std::pair<std::uint64_t, int>> keyed(n);
    for (int i = 0; i < n; ++i) {
        const Point p = input.start(i);
        const bool finite = std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(side);
        keyed[i] = {finite ? hilbertKey(cell(p.x, x0), cell(p.y, y0)) : UINT64_MAX, i};
    }
    std::sort(keyed.begin(), keyed.end());
    std::vector<int> order(n);
    for (int k = 0; k < n; ++k)
        order[k] = keyed[k].second;
    return order;
}

}  // namespace

TourPlan planTour(const TourInput& input, Point from, const Point* to, int maxKicks) {
    if (input.size() < kRenumberFrom) {
        Tour tour(input, from, to, maxKicks, {});
        tour.run();
        return tour.plan();
    }
    // Neighbours in the drawing become neighbours in every per-item array.
    std::vector<int> original = spatialOrder(input);
    TourInput local;
    for (const int i : original) {
        if (input.entries(i).empty())
            local.addOpen(input.start(i), input.end(i), input.reversible(i));
        else
            local.addClosed(input.entries(i));
    }
    Tour tour(local, from, to, maxKicks, original);
    tour.run();
    TourPlan plan = tour.plan();
    for (TourStep& step : plan.steps)
        step.item = original[step.item];
    return plan;
}

}  // namespace lintrel
