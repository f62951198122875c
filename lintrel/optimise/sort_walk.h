// The walking frame of the ordering operations: a list is given either as its first vect group
// or as its first vect, and an operation on one vect list runs group by group.
#pragma once

#include <lintrel/lintrel.h>

#include "model/items.h"

namespace lintrel {

// Runs `onList(Vect*& head)` on the vect list at `*list`, or on every group's vect list when
// `*list` is a vect group. Groups keep their order; groups without vects are passed over.
// Results: the list's own result; over groups 0 if any group gave 0, 21000 as soon as one gives
// it, else 100. A missing list or a first item of another kind gives 21000.
template <class OnList>
int forEachVectList(void** list, OnList&& onList) {
    if (!list || !*list) return LINTREL_BAD_ARGUMENT;
    switch (baseTypeOf(*list)) {
        case LINTREL_BASE_VECT: {
            Vect* head = static_cast<Vect*>(*list);
            const int r = onList(head);
            *list = head;
            return r;
        }
        case LINTREL_BASE_GROUP: {
            int result = LINTREL_NOTHING_TO_DO;
            for (VectGroup* g : ring(static_cast<VectGroup*>(*list))) {
                if (!g->vects) continue;
                const int r = onList(g->vects);
                if (r == LINTREL_BAD_ARGUMENT) return r;
                if (r == LINTREL_OK) result = LINTREL_OK;
            }
            return result;
        }
        default:
            return LINTREL_BAD_ARGUMENT;
    }
}

}  // namespace lintrel
