// The automatic sorts of a vect list: nearest neighbour (mode 1), small shapes first (2),
// inside to outside (3), by position (4 to 7) and chain following (10).
//
// They give exactly the orders of the selection scan that stored jobs were made with: each
// position takes the best of the later vects, swapping places with every improvement on the
// way. Key orders are settled by `exchangeOrder`; the nearest-neighbour scans of modes 1 and 3
// are followed step by step (`nearestSort`).
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <numeric>
#include <optional>
#include <span>

#include "base/progress.h"
#include "model/items.h"
#include "model/list_walk.h"
#include "optimise/exchange_order.h"
#include "optimise/nearest_chain.h"
#include "optimise/ordering.h"
#include "optimise/point_index.h"
#include "optimise/sort_list.h"
#include "optimise/workers.h"

namespace lintrel {

namespace {

// Sorts the taking-part vects by a key, smaller first, and then gives each its reversal check.
template <class KeyOf>
void keySort(SortList& list, bool allowReverse, const KeyOf& keyOf) {
    const std::vector<int> slots = list.takingPart();
    std::vector<double> keys(slots.size());
    for (size_t k = 0; k < slots.size(); ++k) {
        const double key = keyOf(slots[k]);
        keys[k] = std::isnan(key) ? INFINITY : key;  // damaged drawings sort last
    }
    const std::vector<int> order = exchangeOrder<double>(keys);
    std::vector<int> from(slots.size());
    for (size_t k = 0; k < slots.size(); ++k)
        from[k] = slots[order[k]];
    list.permute(slots, from);
    for (int p : slots)
        list.reversalCheck(p, list.previousEnd(p), allowReverse);
}

// True when reversing `v` keeps its nearer end distance from `centre` bit for bit. An arc's
// ends are recomputed from its angles after reversal and may move by a rounding step.
bool reversesExactly(const Vect& v, Point centre, double lo) {
    if (v.flatSegs || v.type != LINTREL_ARC || !v.segs) return true;
    Vect probe{};
    probe.type = v.type;
    probe.closed = v.closed;
    ChainOwner<Seg> definition(copySeg(v.segs));
    probe.segs = definition.get();
    reverseVect(probe);
    const VectEnds e = endsOf(probe);
    return std::min(distance(centre, e.start), distance(centre, e.end)) == lo;
}

// The scan of mode 3 with reversal for the members of one class whose bars let members
// displace each other (see `insideOutWithReversal`). Every class below it (`below` vects, at
// the positions `belowAt` of the list as given, ascending) and every class above it move as the
// exchange sort of class keys moves them; only which member stands at which of the class's
// places is left, and it follows from the passes that reach a member:
// - pass i of the first `below` passes: the lower vects still unplaced lie at belowAt[i] and
//   beyond, so the holder at i is a lower vect when belowAt[i] == i, and otherwise the first of
//   them, at belowAt[i], takes the place. Before it the holder (a vect of a higher class or a
//   member) meets the members in between: any member beats a higher vect, a member beats a
//   member by its nearer end against the other's bar; the member holding the place when the
//   lower vect is found goes to belowAt[i].
// - the next passes place the class: the same meetings over the rest of the list, and the
//   holder stays.
// Returns the members in placement order; `examined` marks every member that held a place
// during a pass (and so was turned to face the centre).
std::vector<int> followNearTies(std::span<const int> members, std::span<const int> belowAt,
                                std::span<const double> lo, std::span<const double> bar, int count,
                                std::vector<char>& examined) {
    struct At {
        int position, member;
    };
    std::vector<At> at, kept;
    for (int m : members)
        at.push_back({m, m});
    std::sort(at.begin(), at.end(), [](At a, At b) { return a.position < b.position; });
    // One pass at position i over the members before `limit`; returns the final holder (-1: a
    // vect of a higher class) and leaves the other members in `at`.
    const auto pass = [&](int i, int limit) {
        int holder = -1;
        size_t k = 0;
        if (at[0].position == i) holder = at[k++].member;
        kept.clear();
        for (; k < at.size() && at[k].position < limit; ++k) {
            At x = at[k];
            if (holder < 0 || lo[x.member] < bar[holder]) {
                if (holder >= 0) examined[holder] = 1;
                std::swap(x.member, holder);
            }
            if (x.member >= 0) kept.push_back(x);
        }
        if (holder >= 0) examined[holder] = 1;
        kept.insert(kept.end(), at.begin() + static_cast<long>(k), at.end());
        return holder;
    };
    const int below = static_cast<int>(belowAt.size());
    for (int i = 0; i < below; ++i) {
        if (at[0].position >= belowAt[i]) continue;  // the pass never meets a member
        const int holder = pass(i, belowAt[i]);
        if (holder >= 0) {
            const auto to = std::lower_bound(kept.begin(), kept.end(), belowAt[i],
                                             [](At a, int p) { return a.position < p; });
            kept.insert(to, At{belowAt[i], holder});
        }
        at.swap(kept);
    }
    std::vector<int> placed;
    for (int i = below; i < below + static_cast<int>(members.size()); ++i) {
        if (i + 1 == count) {  // the last position has no pass of its own
            placed.push_back(at[0].member);
            break;
        }
        placed.push_back(pass(i, count));
        at.swap(kept);
    }
    return placed;
}

// Mode 3 with reversal. The reference point never moves, so each vect has two fixed keys: the
// distance of its nearer end `lo`, at which it beats a holder, and the bar it sets while it
// holds a place, which is `lo` too except when its end is nearer than its start by no more than
// 1e-4 (it is then not turned and its start distance is the bar). Vects are grouped in classes:
// sorted by `lo`, a vect joins the class before it when its key equals the previous one or
// falls under a bar of the class. A member of a lower class always beats a member of a higher
// one and is never beaten by it, and a swap within a class leaves every class on the same
// places, so the classes are placed as the exchange sort of class keys places them; within a
// class of equal keys the queue rule settles the members, and the classes where one member
// may beat another are followed pass by pass (`followNearTies`).
// Every vect placed before the last position was examined against the centre, so it faces the
// centre; the one left at the last position only did if the scan ever passed it along.
void insideOutWithReversal(SortList& list, Point centre) {
    const std::vector<int> slots = list.takingPart();
    const size_t count = slots.size();
    std::vector<double> lo(count), bar(count);
    for (size_t k = 0; k < count; ++k) {
        const VectEnds& e = list.ends(slots[k]);
        const double a = distance(centre, e.start), b = distance(centre, e.end);
        lo[k] = std::isnan(std::min(a, b)) ? INFINITY : std::min(a, b);
        bar[k] = b < a - kSame ? lo[k] : a;
        if (!(bar[k] > lo[k])) bar[k] = lo[k];
        if (b < a - kSame && !reversesExactly(*list.at(slots[k]), centre, lo[k]))
            return nearestSort(list, true, 0, &centre);
    }
    // Keys travel with their indexes, equal keys in input order (`lo` is never a NaN).
    std::vector<std::pair<double, int>> keyed(count);
    for (size_t k = 0; k < count; ++k)
        keyed[k] = {lo[k], static_cast<int>(k)};
    std::sort(keyed.begin(), keyed.end());
    std::vector<int> byKey(count);
    for (size_t k = 0; k < count; ++k)
        byKey[k] = keyed[k].second;
    std::vector<double> classKey(count);
    std::vector<std::pair<int, int>> nearTies;  // [first, last) of byKey
    for (size_t s = 0; s < count;) {
        size_t e = s + 1;
        double top = bar[byKey[s]];
        while (e < count && (keyed[e].first < top || keyed[e].first == keyed[e - 1].first))
            top = std::max(top, bar[byKey[e++]]);
        bool displaces = false;
        for (size_t k = s; k < e; ++k) {
            classKey[byKey[k]] = keyed[s].first;
            displaces = displaces || bar[byKey[k]] > keyed[k].first;
        }
        if (displaces && e - s > 1) nearTies.push_back({static_cast<int>(s), static_cast<int>(e)});
        s = e;
    }
    std::vector<int> order = exchangeOrder<double>(classKey);
    std::vector<char> examined(count, 0), followed(count, 0);
    std::vector<int> belowAt, rank(nearTies.empty() ? 0 : count);
    if (!nearTies.empty())
        for (size_t k = 0; k < count; ++k)
            rank[byKey[k]] = static_cast<int>(k);
    for (const auto& [first, last] : nearTies) {
        belowAt.clear();
        for (size_t k = 0; k < count; ++k)
            if (rank[k] < first) belowAt.push_back(static_cast<int>(k));
        const std::span<const int> members(byKey.data() + first, last - first);
        const std::vector<int> placed =
            followNearTies(members, belowAt, lo, bar, static_cast<int>(count), examined);
        std::copy(placed.begin(), placed.end(), order.begin() + first);
        for (int m : members)
            followed[m] = 1;
    }
    const int n = list.size();
    const bool lastTakesPart = count > 0 && slots.back() == n - 1;
    bool lastFacedCentre = false;
    if (lastTakesPart && n > 1) {
        // The vect ending last is the last of the largest keys. It was passed along (and so
        // examined) once the passes after it joined the riders reached it in their queue.
        const int z = order.back();
        long long smaller = 0, before = 0, earlierEqual = 0;
        for (size_t k = 0; k < count; ++k) {
            if (lo[k] < lo[z]) {
                ++smaller;
                if (static_cast<int>(k) < z) ++before;
            } else if (!(lo[z] < lo[k]) && static_cast<int>(k) < z) {
                ++earlierEqual;
            }
        }
        lastFacedCentre = followed[z] ? examined[z] != 0
                                      : before < smaller && smaller - before >= earlierEqual + 1;
    }
    std::vector<int> from(count);
    for (size_t k = 0; k < count; ++k)
        from[k] = slots[order[k]];
    list.permute(slots, from);
    for (size_t k = 0; k < count; ++k) {
        const int p = slots[k];
        if (p != n - 1 || lastFacedCentre) list.reversalCheck(p, centre, true);
    }
    if (lastTakesPart) list.reversalCheck(n - 1, n == 1 ? centre : list.previousEnd(n - 1), true);
}

// Mode 10: from the first gathered vect, each next vect is one that starts (or, with reversal,
// ends) within 1e-4 of the chain's end, the first such in list order, else the nearest start or
// end. The chain is then laid out behind its first vect; the list pointer stays.
//
// On long lists the walk's time is made of reads that miss the cache, so everything a step
// reads is kept by the index's own numbering (vects in the tree's order, near each other in the
// drawing as the chain's end is near the last vect taken): the ends, and how a vect turns.
// Ties are still settled by list position (the index's slots and entry orders), so the chain is
// the same vect for vect. The records themselves are touched after the walk, in list order:
// the turns, and the ring written once from the chain (only an arc whose ends are recomputed
// turns during the walk).
int chainFollow(SortList& list, bool allowReverse, bool selectedOnly) {
    const std::vector<int> gathered = list.takingPart();
    if (gathered.empty()) return selectedOnly ? LINTREL_NOTHING_TO_DO : LINTREL_OK;
    const int g = static_cast<int>(gathered.size());
    std::vector<PointIndex::Entry> entries;
    entries.reserve(allowReverse ? 2 * g : g);
    for (int k = 0; k < g; ++k) {
        entries.push_back({list.ends(gathered[k]).start, k, 2LL * k});
        if (allowReverse) entries.push_back({list.ends(gathered[k]).end, k, 2LL * k + 1});
    }
    // Leaves of 16: a level less to build and to update than with 8, for a little more
    // scanning (about 9 % less time on lists of 200,000 vects).
    PointIndex index(std::move(entries), g, 16);
    // From here on a vect is known by its number in the index (`id`); `listed[id]` is its
    // number among the gathered vects, which is also its slot.
    const std::vector<int> listed = index.renumberInTreeOrder();
    // How a vect turns: its two ends change places (its record is turned after the walk), it
    // has no direction (a point), or it turns now and its ends are read again.
    enum Turn : char { kSwapsEnds, kStays, kTurnsNow };
    // What a step reads of a vect, in one record: its ends, its gathered number, its turn.
    struct Vertex {
        Point start, end;
        int k;
        Turn turn;
    };
    std::vector<Vertex> at(g);
    std::vector<int> slots(g);
    int last = 0;
    // With reversal both ends are entries of the index, read in its order rather than
    // gathered from the list's.
    if (allowReverse)
        for (int x = 0; x < 2 * g; ++x) {
            const PointIndex::Entry entry = index.entry(x);
            (entry.order % 2 == 0 ? at[entry.id].start : at[entry.id].end) = entry.p;
        }
    for (int id = 0; id < g; ++id) {
        const int k = listed[id];
        const int p = gathered[k];
        if (!allowReverse) {
            at[id].start = list.ends(p).start;
            at[id].end = list.ends(p).end;
        }
        at[id].k = k;
        at[id].turn = !list.hasDirection(p)    ? kStays
                      : list.reversesBySwap(p) ? kSwapsEnds
                                               : kTurnsNow;
        slots[id] = k;
        if (k == 0) last = id;
    }
    slots[last] = -1;  // the chain starts with it
    index.placeAll(slots);
    std::vector<int> chain{0};  // gathered numbers
    chain.reserve(g);
    std::vector<char> swapped(g, 0);  // by gathered number
    for (int step = 1; step < g; ++step) {
        const Point e = at[last].end;
        bool reversed = false;
        // The nearest end first: a vect within 1e-4 passes the test on one of its ends, so
        // when the nearest is farther there is none, and the search by list order is skipped.
        const int best = index.nearest(e, last);
        int id = -1;
        if (best < 0 || !(distance(e, index.point(best)) > kSame))
            id = index.firstAfter(
                -1, e, kSame,
                [&](int i) {
                    return distance(e, at[i].start) <= kSame ||
                           (allowReverse && distance(e, at[i].end) < kSame);
                },
                last);
        const bool nearest = id < 0;
        if (nearest && best < 0) break;
        if (nearest) id = index.id(best);
        // The vect's record is new ground; its read overlaps the index's update.
        __builtin_prefetch(&at[id]);
        index.remove(id);
        if (nearest) {
            // The entry of the vect's end (odd order) when the point is not its start: a start
            // equal to its end ties with it and wins on its smaller order.
            const Point q = index.point(best);
            reversed = !(q.x == at[id].start.x && q.y == at[id].start.y);
        } else {
            reversed = !(distance(e, at[id].start) <= kSame);
        }
        const int k = at[id].k;
        if (reversed) {
            if (at[id].turn == kSwapsEnds) {
                std::swap(at[id].start, at[id].end);
                swapped[k] = 1;  // each vect is taken once
            } else if (at[id].turn == kTurnsNow) {
                list.reverse(gathered[k]);
                const VectEnds& now = list.ends(gathered[k]);
                at[id].start = now.start;
                at[id].end = now.end;
            }
        }
        chain.push_back(k);
        last = id;
    }
    for (int k = 0; k < g; ++k)
        if (swapped[k]) list.reverseBySwap(gathered[k]);
    if (chain.size() < 2) {
        list.applyReversals();
        return LINTREL_OK;
    }
    // The ring as moving each chain vect in turn in front of the first would leave it: the
    // vects outside the chain in their order, the chain's others just before its first.
    const int n = list.size();
    std::vector<char> moved(n, 0);
    for (size_t c = 1; c < chain.size(); ++c)
        moved[gathered[chain[c]]] = 1;
    std::vector<int> ringOrder;
    ringOrder.reserve(n);
    const int firstAt = gathered[chain[0]];
    for (int p = 0; p < n; ++p) {
        if (p == firstAt) {
            for (size_t c = 1; c < chain.size(); ++c)
                ringOrder.push_back(gathered[chain[c]]);
        } else if (moved[p]) {
            continue;
        }
        ringOrder.push_back(p);
    }
    std::vector<int> nextOf(n), prevOf(n);
    for (int r = 0; r < n; ++r) {
        nextOf[ringOrder[r]] = ringOrder[r + 1 == n ? 0 : r + 1];
        prevOf[ringOrder[r]] = ringOrder[r == 0 ? n - 1 : r - 1];
    }
    list.relinkAs(nextOf, prevOf);
    return LINTREL_OK;
}

}  // namespace

std::optional<SortMode> sortModeOf(int number) {
    if ((number < 1 || number > 7) && number != 10) return std::nullopt;
    return static_cast<SortMode>(number);
}

namespace {

// A list the sorts accept: a vect list whose first vect has segs.
bool sortable(const Vect* head) {
    return head && baseTypeOf(head) == LINTREL_BASE_VECT && head->segs;
}

}  // namespace

int autoSortList(Vect*& head, SortMode mode, bool allowReverse, bool selectedOnly) {
    if (!sortable(head)) return LINTREL_BAD_ARGUMENT;
    SortList list(head, selectedOnly);
    if (mode == SortMode::ChainFollow) return chainFollow(list, allowReverse, selectedOnly);
    const auto box = [&](int p) { return boxOf(*list.at(p)); };
    switch (mode) {
        case SortMode::Nearest:
            nearestSort(list, allowReverse, kSame, nullptr);
            break;
        case SortMode::SmallFirst:
            keySort(list, allowReverse, [&](int p) {
                const VectBox b = box(p);
                return static_cast<double>(std::max(b.width, b.height));
            });
            break;
        case SortMode::InsideOut: {
            const Point centre = listCentre(head);
            if (allowReverse)
                insideOutWithReversal(list, centre);
            else
                keySort(list, false, [&](int p) { return distance(centre, list.ends(p).start); });
            break;
        }
        case SortMode::LeftFirst:
            keySort(list, allowReverse, [&](int p) { return static_cast<double>(box(p).x); });
            break;
        case SortMode::RightFirst:
            keySort(list, allowReverse, [&](int p) {
                const VectBox b = box(p);
                return -static_cast<double>(b.x + b.width);
            });
            break;
        case SortMode::TopFirst:
            keySort(list, allowReverse, [&](int p) {
                const VectBox b = box(p);
                return -static_cast<double>(b.y + b.height);
            });
            break;
        case SortMode::BottomFirst:
            keySort(list, allowReverse, [&](int p) { return static_cast<double>(box(p).y); });
            break;
        case SortMode::ChainFollow:
        case SortMode::ShortTravel:  // not a per-list sort; `sortModeOf` never gives it
            break;
    }
    list.relink(head);
    return LINTREL_OK;
}

int autoSortGroups(VectGroup* first, SortMode mode, bool allowReverse, bool selectedOnly) {
    const auto sortList = [&](Vect*& head) {
        return autoSortList(head, mode, allowReverse, selectedOnly);
    };
    // Only the nearest-neighbour sort takes long enough to share out.
    if (mode != SortMode::Nearest) return walkVectLists(first, GroupFold::AnyChanged, sortList);
    struct Part {
        VectGroup* group;
        long long size, before;
    };
    std::vector<Part> parts;
    bool wellFormed = true;
    for (VectGroup* group : ring(first)) {
        if (!group->vects) continue;
        parts.push_back({group, ringCount(group->vects), 0});
        wellFormed = wellFormed && sortable(group->vects);
    }
    // The longest first, so that the threads end close together.
    std::stable_sort(parts.begin(), parts.end(),
                     [](const Part& a, const Part& b) { return a.size > b.size; });
    const int threads = std::min(workerThreads(), static_cast<int>(parts.size()));
    // Lists shorter than this sort in a few milliseconds: not worth a thread.
    constexpr long long kSideBySide = 4096;
    if (threads < 2 || parts[1].size < kSideBySide || !wellFormed)
        return walkVectLists(first, GroupFold::AnyChanged, sortList);

    long long total = 0;
    for (Part& part : parts) {
        part.before = total;
        total += part.size;
    }
    std::vector<int> results(parts.size(), LINTREL_NOTHING_TO_DO);
    std::atomic<size_t> next{0};
    // The helpers still sorting, counted before they take a list.
    std::mutex mutex;
    std::condition_variable finished;
    int helping = 0;
    SharedOperation operation;
    onIndexedThreads(threads, [&](int thread) {
        std::optional<SharedOperation::Helper> helper;
        if (thread > 0) {
            helper.emplace(operation);
            const std::lock_guard lock(mutex);
            ++helping;
        }
        struct Done {
            int* helping;
            std::mutex& mutex;
            std::condition_variable& finished;
            ~Done() {
                if (!helping) return;
                {
                    const std::lock_guard lock(mutex);
                    --*helping;
                }
                finished.notify_all();
            }
        } done{thread > 0 ? &helping : nullptr, mutex, finished};
        for (size_t k; (k = next.fetch_add(1)) < parts.size();) {
            const ProgressPart part(parts[k].before, parts[k].size, total);
            results[k] = sortList(parts[k].group->vects);
        }
        // The calling thread has the host's callback: while the helpers sort the last lists, it
        // goes on reporting their progress and can take a stop. (Every list is taken by now,
        // and a helper counts itself before it takes one.)
        if (thread == 0) {
            for (;;) {
                {
                    std::unique_lock lock(mutex);
                    if (finished.wait_for(lock, std::chrono::milliseconds(20),
                                          [&] { return helping == 0; }))
                        break;
                }
                operation.report();
            }
            operation.report();  // every list sorted
        }
    });
    return std::count(results.begin(), results.end(), LINTREL_OK) ? LINTREL_OK
                                                                  : LINTREL_NOTHING_TO_DO;
}

}  // namespace lintrel
