// The list rule shared by the clean-up, curve precision and ordering operations: each accepts the
// first vect group of a list of groups or the first vect of a list of vects, runs on each vect
// list in turn and folds the per-list results into one code.
#pragma once

#include <lintrel/lintrel.h>

#include "base/progress.h"
#include "model/items.h"

#include <span>
#include <vector>

namespace lintrel {

// How the results of the groups of a group list are folded.
enum class GroupFold {
    // 0 if any group gave 0, 100 otherwise; a 21000 stops the walk at once.
    AnyChanged,
    // The first group that gives 0 ends the walk with 0 (hit-and-change operations).
    FirstChanged,
    // The first non-zero group result ends the walk with it; 0 otherwise.
    FirstNonZero,
};

// Runs `onList(Vect*& head)` on the list that `first` names: once for a vect, once per group
// (in group order) for a group. A null or foreign first item gives 21000. A group without
// vects has nothing to work on and is passed over. With `firstGroupOnly` only the first group
// is walked.
template <class OnList>
int walkVectLists(void* first, GroupFold fold, OnList onList, bool firstGroupOnly = false) {
    if (!first) return LINTREL_BAD_ARGUMENT;
    const int base = baseTypeOf(first);
    if (base == LINTREL_BASE_VECT) {
        Vect* head = static_cast<Vect*>(first);
        return onList(head);
    }
    if (base != LINTREL_BASE_GROUP) return LINTREL_BAD_ARGUMENT;

    // A host watching the progress sees the groups as parts of one run, by their sizes.
    std::vector<long long> sizes;
    long long total = 0;
    if (progressWanted()) {
        for (VectGroup* group : ring(static_cast<VectGroup*>(first))) {
            sizes.push_back(group->vects ? ringCount(group->vects) : 0);
            total += sizes.back();
        }
    }
    bool changed = false;
    long long before = 0;
    size_t index = 0;
    for (VectGroup* group : ring(static_cast<VectGroup*>(first))) {
        const long long size = index < sizes.size() ? sizes[index++] : 0;
        const ProgressPart part(before, size, total);
        before += size;
        if (group->vects) {
            const int result = onList(group->vects);
            if (result == LINTREL_BAD_ARGUMENT) return result;
            if (fold == GroupFold::FirstNonZero && result != LINTREL_OK) return result;
            if (fold == GroupFold::FirstChanged && result == LINTREL_OK) return result;
            changed = changed || result == LINTREL_OK;
        }
        if (firstGroupOnly) break;
    }
    if (fold == GroupFold::FirstNonZero) return LINTREL_OK;
    return changed ? LINTREL_OK : LINTREL_NOTHING_TO_DO;
}

// The same for operations that may change a list's first vect (the sorts): `*list` names the
// list and follows its new first vect when the list is a vect list; a group keeps its own
// first-vect pointer up to date. A null address gives 21000.
template <class OnList>
int walkVectLists(void** list, GroupFold fold, OnList onList) {
    if (!list || !*list) return LINTREL_BAD_ARGUMENT;
    if (baseTypeOf(*list) != LINTREL_BASE_VECT) return walkVectLists(*list, fold, onList);
    Vect* head = static_cast<Vect*>(*list);
    const int result = onList(head);
    *list = head;
    return result;
}

// The `selectedOnly` filter of the list operations.
inline bool takesPart(const Vect& v, int selectedOnly) {
    return selectedOnly == 0 || v.selected != 0;
}

// The vects of a list in order. The fast paths walk them by index; the first seg of each is
// asked for from memory while the walk goes on, as every scan reads the chain ends next.
inline std::vector<Vect*> vectsInOrder(Vect* head) {
    std::vector<Vect*> order;
    for (Vect* v : ring(head)) {
        order.push_back(v);
        if (v->segs) __builtin_prefetch(v->segs);
    }
    return order;
}

// Asks for a vect's chain ends ahead of their use (a hint only).
inline void prefetchChainEnds(const Vect* v) {
    if (v->segs) __builtin_prefetch(v->segs->prev);
}

// For a walk by index that reads each vect's working chain: asks for the record of the vect
// sixteen places ahead of `k`, the first seg of the one eight places ahead and the last seg of
// the one four places ahead, each once the step before has brought its address (a hint only).
// Always inlined: a function made only of prefetches counts as having no effect, and GCC drops
// a call to it.
[[gnu::always_inline]] inline void prefetchWorkingChains(std::span<Vect* const> vects, size_t k) {
    if (k + 16 < vects.size()) {
        __builtin_prefetch(vects[k + 16]);
        __builtin_prefetch(&vects[k + 16]->flatSegs);
    }
    if (k + 8 < vects.size())
        if (const Seg* head = workingChain(*vects[k + 8])) __builtin_prefetch(head);
    if (k + 4 < vects.size())
        if (const Seg* head = workingChain(*vects[k + 4])) __builtin_prefetch(head->prev);
}

// The vects of a list in order, with `visit(position, vect)` called for each as the walk goes.
// A list's records lie anywhere in memory; the walk asks for each vect's first seg as it
// reaches the vect, for its last seg a few steps later, and visits it a few steps after that,
// when both are at hand.
template <class Visit>
std::vector<Vect*> visitVectsInOrder(Vect* head, Visit visit) {
    constexpr size_t kLag = 4;
    std::vector<Vect*> order;
    for (Vect* v : ring(head)) {
        order.push_back(v);
        if (v->segs) __builtin_prefetch(v->segs);
        const size_t n = order.size();
        if (n > kLag) prefetchChainEnds(order[n - 1 - kLag]);
        if (n > 2 * kLag) visit(n - 1 - 2 * kLag, order[n - 1 - 2 * kLag]);
    }
    for (size_t i = order.size() > 2 * kLag ? order.size() - 2 * kLag : 0; i < order.size(); ++i)
        visit(i, order[i]);
    return order;
}

}  // namespace lintrel
