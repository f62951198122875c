// Removal of duplicate lines. Every vect is compared with the earlier vects of its list that
// survived; it goes when one of them is the same. Candidates come from grid cells of their end
// points, matched by key, so only vects that can match are compared, and the result is the one
// a comparison of every pair in list order gives.
#include <cmath>
#include <span>
#include <utility>
#include <vector>

#include "base/progress.h"
#include "model/items.h"
#include "model/list_walk.h"
#include "optimise/cleanup.h"
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

// Cells ten times the coordinate tolerance: a reach box spans at most two per axis.
const GridScale& cellScale() {
    static const GridScale scale{10 * kSameCoordinate};
    return scale;
}

struct Cell {
    int64_t x, y;
    bool operator<(const Cell& o) const { return x < o.x || (x == o.x && y < o.y); }
};

// A polyline kind is filed under the pair of its end cells in either order, so that a reversed
// duplicate finds it under the same key.
uint64_t keyOf(const Probe& p, Cell a, Cell b) {
    if (!p.pairs) return cellKey(a.x, a.y, p.salt);
    if (b < a) std::swap(a, b);
    return cellKey(b.x, b.y, cellKey(a.x, a.y, p.salt));
}

// The key a vect is filed under: the cells of its own coordinates.
uint64_t homeKey(const Probe& p) {
    const GridScale& s = cellScale();
    return keyOf(p, {s.cell(p.first.x), s.cell(p.first.y)},
                 {s.cell(p.second.x), s.cell(p.second.y)});
}

// Every key a vect the same as this one can be filed under, each once: the cells within reach
// of its coordinates.
template <class F>
void forEachQueryKey(const Probe& p, F f) {
    const GridScale& s = cellScale();
    const CellSpan ax = s.span(p.first.x, p.reach), ay = s.span(p.first.y, p.reach);
    const CellSpan bx = s.span(p.second.x, p.reach), by = s.span(p.second.y, p.reach);
    uint64_t seen[16];
    int count = 0;
    auto once = [&](uint64_t key) {
        for (int k = 0; k < count; ++k)
            if (seen[k] == key) return;
        seen[count++] = key;
        f(key);
    };
    for (int64_t x = ax.low; x <= ax.high; ++x)
        for (int64_t y = ay.low; y <= ay.high; ++y) {
            if (!p.pairs) {
                once(keyOf(p, {x, y}, {}));
                continue;
            }
            for (int64_t u = bx.low; u <= bx.high; ++u)
                for (int64_t w = by.low; w <= by.high; ++w)
                    once(keyOf(p, {x, y}, {u, w}));
        }
}

constexpr uint32_t kNone = 0xFFFFFFFFu;

// A key and the list position of the vect it was made for.
struct Keyed {
    uint64_t key;
    uint32_t position;
};

// The items in 2^bits parts by the top bits of their keys, each part in the items' order;
// `start` receives each part's first index, and one past the last part's end.
std::vector<Keyed> partitionByKey(const std::vector<Keyed>& items, int bits,
                                  std::vector<uint32_t>& start) {
    const size_t parts = size_t{1} << bits;
    auto partOf = [bits](uint64_t key) { return bits == 0 ? 0 : key >> (64 - bits); };
    start.assign(parts + 1, 0);
    for (const Keyed& k : items)
        ++start[partOf(k.key) + 1];
    for (size_t p = 0; p < parts; ++p)
        start[p + 1] += start[p];
    std::vector<uint32_t> fill(start.begin(), start.end() - 1);
    std::vector<Keyed> out(items.size());
    for (const Keyed& k : items)
        out[fill[partOf(k.key)]++] = k;
    return out;
}

// For every vect of a list, the earlier vects filed under one of its query keys: the only ones
// it can be the same as. Each vect is filed once under its home key; equal home keys form a
// chain in list order. The keys are matched part by part, each part small enough for the
// cache, so that no step looks up a table of the whole drawing at random; the candidates are
// then handed out in list order.
class DuplicateCandidates {
  public:
    DuplicateCandidates(Vect* head, int selectedOnly) {
        std::vector<Keyed> homes, queries;
        order_ = visitVectsInOrder(head, [&](size_t i, const Vect* v) {
            if (!takesPart(*v, selectedOnly) || !comparable(*v)) return;
            const Probe probe = probeOf(*v);
            const uint32_t position = static_cast<uint32_t>(i);
            homes.push_back({homeKey(probe), position});
            forEachQueryKey(probe, [&](uint64_t key) { queries.push_back({key, position}); });
        });
        matchKeys(homes, queries, order_.size());
    }

    // The list's vects in order.
    const std::vector<Vect*>& order() const { return order_; }

    // The positions of the vects that have candidates, in list order.
    const std::vector<uint32_t>& positions() const { return positions_; }

    // The earliest candidate of the vect at `position` (to ask memory for it ahead of use).
    uint32_t firstCandidate(uint32_t position) const {
        return filed_[heads_[first_[position]]].position;
    }

    // Whether `test` holds for a candidate of the vect at `position`, tried in list order per key.
    template <class Test>
    bool any(uint32_t position, Test test) const {
        for (uint32_t h = first_[position]; h < first_[position + 1]; ++h)
            for (uint32_t m = heads_[h]; m != kNone && filed_[m].position < position; m = next_[m])
                if (test(filed_[m].position)) return true;
        return false;
    }

  private:
    void matchKeys(const std::vector<Keyed>& homes, const std::vector<Keyed>& queries,
                   size_t count) {
        int bits = 0;  // parts of about 256 vects
        while (bits < 20 && (size_t{256} << bits) < homes.size())
            ++bits;
        std::vector<uint32_t> homeStart, queryStart;
        filed_ = partitionByKey(homes, bits, homeStart);
        const std::vector<Keyed> asked = partitionByKey(queries, bits, queryStart);

        struct Slot {
            uint64_t key;
            uint32_t member;  // the earliest vect filed under the key
        };
        struct Match {
            uint32_t position, member;
        };
        std::vector<Slot> table;
        std::vector<Match> matches;
        next_.assign(filed_.size(), kNone);
        for (size_t part = 0; part + 1 < homeStart.size(); ++part) {
            const uint32_t begin = homeStart[part], end = homeStart[part + 1];
            size_t capacity = 16;
            while (capacity < 2 * size_t{end - begin})
                capacity *= 2;
            table.assign(capacity, Slot{0, kNone});
            const size_t mask = capacity - 1;
            auto slotOf = [&](uint64_t key) -> Slot& {
                size_t s = key & mask;
                while (table[s].member != kNone && table[s].key != key)
                    s = (s + 1) & mask;
                return table[s];
            };
            for (uint32_t m = end; m-- > begin;) {  // backwards, so chains run in list order
                Slot& slot = slotOf(filed_[m].key);
                next_[m] = slot.member;
                slot = {filed_[m].key, m};
            }
            for (uint32_t q = queryStart[part]; q < queryStart[part + 1]; ++q) {
                const uint32_t m = slotOf(asked[q].key).member;
                if (m != kNone && filed_[m].position < asked[q].position)
                    matches.push_back({asked[q].position, m});
            }
        }

        first_.assign(count + 1, 0);
        for (const Match& match : matches)
            ++first_[match.position + 1];
        for (size_t i = 0; i < count; ++i) {
            if (first_[i + 1] != 0) positions_.push_back(static_cast<uint32_t>(i));
            first_[i + 1] += first_[i];
        }
        heads_.resize(matches.size());
        std::vector<uint32_t> fill(first_.begin(), first_.end() - 1);
        for (const Match& match : matches)
            heads_[fill[match.position]++] = match.member;
    }

    std::vector<Vect*> order_;
    std::vector<Keyed> filed_;     // home keys, by part
    std::vector<uint32_t> next_;   // the next later vect filed under the same key
    std::vector<uint32_t> first_;  // per position, its first entry in heads_
    std::vector<uint32_t> heads_;  // the first vect of each key a position matched
    std::vector<uint32_t> positions_;
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
    const DuplicateCandidates candidates(head, selectedOnly);
    const std::vector<Vect*>& order = candidates.order();
    std::vector<char> gone(order.size(), 0);
    // Duplicates are unlinked at once but freed at the end, after the comparisons: freeing
    // among them was measured slower.
    struct Doomed {
        std::vector<Vect*> vects;
        ~Doomed() {
            for (Vect* v : vects)
                deleteVectChain(v);
        }
    } doomed;
    // The vects to compare lie anywhere in memory; each pair is asked for a few turns ahead,
    // first the records, then their chains.
    const std::vector<uint32_t>& work = candidates.positions();
    constexpr size_t kRecordsAhead = 16, kChainsAhead = 8;
    for (size_t k = 0; k < work.size(); ++k) {
        if (k % kProgressInterval == 0)
            reportProgress(static_cast<long long>(k), static_cast<long long>(work.size()));
        if (k + kRecordsAhead < work.size()) {
            __builtin_prefetch(order[work[k + kRecordsAhead]]);
            __builtin_prefetch(order[candidates.firstCandidate(work[k + kRecordsAhead])]);
        }
        if (k + kChainsAhead < work.size()) {
            const Vect* v = order[work[k + kChainsAhead]];
            const Vect* u = order[candidates.firstCandidate(work[k + kChainsAhead])];
            if (v->segs) __builtin_prefetch(v->segs);
            prefetchChainEnds(u);
            if (u->segs) __builtin_prefetch(u->segs);
        }
        const uint32_t position = work[k];
        Vect* v = order[position];
        if (candidates.any(position, [&](uint32_t earlier) {
                return !gone[earlier] && sameVect(*order[earlier], *v);
            })) {
            gone[position] = 1;
            noteInputChanged();
            detach(head, v);  // never the head: the first vect taking part always stays
            doomed.vects.push_back(v);
        }
    }
    return doomed.vects.empty() ? LINTREL_NOTHING_TO_DO : LINTREL_OK;
}

}  // namespace lintrel
