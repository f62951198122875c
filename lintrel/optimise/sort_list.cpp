// The array view of a vect list used by the sorts, and the shared ordering primitives.
#include "optimise/sort_list.h"
#include "curves/range.h"

#include <algorithm>
#include <cmath>

#include "base/progress.h"
#include "model/items.h"
#include "model/transform.h"

namespace lintrel {

VectEnds endsOf(const Vect& v) {
    VectEnds e;
    e.valid = vectStartPoint(v, e.start) && vectEndPoint(v, e.end);
    return e;
}

VectBox boxOf(Vect& v) {
    RectF r;
    if (rangeOf(&v, Reach::One, kMeasurePrecision, r) != LINTREL_OK) return {};
    return {r.x, r.y, r.width, r.height};
}

Point listCentre(Vect* first) {
    RectF r;
    if (!first || rangeOf(first, Reach::Ring, kMeasurePrecision, r) != LINTREL_OK) return {};
    return {r.x + r.width / 2.0, r.y + r.height / 2.0};
}

long long cellCount(double extent, double size) {
    const double n = std::trunc((extent - kSame) / size + 1);
    // Far-out values from damaged drawings are held to a count that still fits.
    if (!(n >= 1)) return 1;
    return n > 1e15 ? static_cast<long long>(1e15) : static_cast<long long>(n);
}

SortList::SortList(Vect* head, bool selectedOnly) {
    for (Vect* v : ring(head)) {
        items_.push_back(v);
        ends_.push_back(endsOf(*v));
        part_.push_back((!selectedOnly || v->selected) && ends_.back().valid);
        flip_.push_back(0);
        origin_.push_back(static_cast<int>(origin_.size()));
        turn_.push_back(v->type == LINTREL_POINT                 ? Turn::None
                        : v->type == LINTREL_ARC && !v->flatSegs ? Turn::Recompute
                                                                 : Turn::Swap);
    }
}

std::vector<int> SortList::takingPart() const {
    std::vector<int> out;
    for (int p = 0; p < size(); ++p)
        if (part_[p]) out.push_back(p);
    return out;
}

void SortList::swap(int a, int b) {
    std::swap(items_[a], items_[b]);
    std::swap(ends_[a], ends_[b]);
    std::swap(part_[a], part_[b]);
    std::swap(flip_[a], flip_[b]);
    std::swap(origin_[a], origin_[b]);
    std::swap(turn_[a], turn_[b]);
}

void SortList::permute(std::span<const int> slots, std::span<const int> from) {
    std::vector<Vect*> items(from.size());
    std::vector<VectEnds> ends(from.size());
    std::vector<char> flips(from.size());
    std::vector<int> origins(from.size());
    std::vector<Turn> turns(from.size());
    for (size_t k = 0; k < from.size(); ++k) {
        items[k] = items_[from[k]];
        ends[k] = ends_[from[k]];
        flips[k] = flip_[from[k]];
        origins[k] = origin_[from[k]];
        turns[k] = turn_[from[k]];
    }
    for (size_t k = 0; k < slots.size(); ++k) {
        items_[slots[k]] = items[k];
        ends_[slots[k]] = ends[k];
        part_[slots[k]] = 1;
        flip_[slots[k]] = flips[k];
        origin_[slots[k]] = origins[k];
        turn_[slots[k]] = turns[k];
    }
}

void SortList::reverse(int position) {
    if (turn_[position] == Turn::None) return;  // points have no direction
    if (turn_[position] == Turn::Recompute) {
        // An arc's ends are recomputed from its angles: turn it now and read them again.
        Vect& v = *items_[position];
        noteInputChanged();
        reverseVect(v);
        ends_[position] = endsOf(v);
        return;
    }
    flip_[position] ^= 1;
    std::swap(ends_[position].start, ends_[position].end);
}

void SortList::applyReversals() {
    noteInputChanged();
    std::vector<std::pair<int, Vect*>> pending;
    for (int p = 0; p < size(); ++p)
        if (flip_[p]) pending.emplace_back(origin_[p], items_[p]);
    std::sort(pending.begin(), pending.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [origin, v] : pending)
        reverseVect(*v);
    std::fill(flip_.begin(), flip_.end(), 0);
}

bool SortList::reversalCheck(int position, Point reference, bool allowReverse) {
    if (!allowReverse || !wantsReversal(reference, ends_[position])) return false;
    reverse(position);
    return true;
}

Point SortList::previousEnd(int position) const {
    for (int p = position - 1; p >= 0; --p)
        if (ends_[p].valid) return ends_[p].end;
    return {0, 0};
}

void relinkInOrder(Vect*& head, std::span<Vect* const> items) {
    noteInputChanged();
    const size_t n = items.size();
    if (n == 0) return;
    for (size_t k = 0; k < n; ++k) {
        items[k]->next = items[(k + 1) % n];
        items[k]->prev = items[(k + n - 1) % n];
    }
    head = items[0];
}

std::vector<int> SortList::positionsInGivenOrder() const {
    std::vector<int> positionOf(origin_.size());
    for (size_t p = 0; p < origin_.size(); ++p)
        positionOf[static_cast<size_t>(origin_[p])] = static_cast<int>(p);
    return positionOf;
}

void SortList::relinkAs(std::span<const int> nextOf, std::span<const int> prevOf) {
    noteInputChanged();
    // Each record is turned and linked while it is at hand: one read of it instead of two.
    for (const int p : positionsInGivenOrder()) {
        Vect* v = items_[p];
        if (flip_[p]) {
            reverseVect(*v);
            flip_[p] = 0;
        }
        v->next = items_[nextOf[p]];
        v->prev = items_[prevOf[p]];
    }
}

void SortList::relink(Vect*& head) {
    applyReversals();
    const int n = size();
    if (n == 0) return;
    for (const int p : positionsInGivenOrder()) {
        Vect* v = items_[p];
        v->next = items_[p + 1 == n ? 0 : p + 1];
        v->prev = items_[p == 0 ? n - 1 : p - 1];
    }
    head = items_[0];
}

}  // namespace lintrel
