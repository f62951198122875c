// Selection by group number and moving the selection into a group, keeping the group chain in
// ascending order of number.
#include "editing/selection.h"
#include "model/items.h"

namespace lintrel {

namespace {

VectGroup* findGroup(VectGroup* first, int number) {
    for (VectGroup* g : ring(first))
        if (g->number == number) return g;
    return nullptr;
}

// A new empty group placed so that an ascending chain stays ascending.
VectGroup* insertGroup(VectGroup*& first, int number) {
    VectGroup* group = newGroup();
    group->number = number;
    group->colour = 0;
    if (number < first->number) {
        spliceBefore(first, group);
        first = group;
        return group;
    }
    for (VectGroup* g : ring(first))
        if (g->next != first && g->number < number && g->next->number > number) {
            spliceAfter(g, group);
            return group;
        }
    spliceBefore(first, group);  // at the end
    return group;
}

}  // namespace

int selectGroup(VectGroup* first, int number) {
    if (!first || baseTypeOf(first) != LINTREL_BASE_GROUP) return LINTREL_BAD_ARGUMENT;
    for (VectGroup* g : ring(first))
        for (Vect* v : ring(g->vects))
            v->selected = g->number == number ? 1 : 0;
    return LINTREL_OK;
}

int moveSelectionToGroup(VectGroup*& first, int number) {
    if (!first || baseTypeOf(first) != LINTREL_BASE_GROUP) return LINTREL_BAD_ARGUMENT;
    VectGroup* target = findGroup(first, number);
    if (!target) target = insertGroup(first, number);

    for (VectGroup* g : ring(first)) {
        if (g == target) continue;
        bool moved = false;
        for (Vect* v : ring(g->vects)) {
            if (!v->selected) continue;
            detach(g->vects, v);
            append(target->vects, v);
            moved = true;
        }
        if (moved && !g->vects) eraseFrom(first, g);
    }
    VectGroup* lowest = first;
    for (VectGroup* g : ring(first))
        if (g->number < lowest->number) lowest = g;
    first = lowest;
    return LINTREL_OK;
}

}  // namespace lintrel
