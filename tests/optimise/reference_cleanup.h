// Reference clean-up for the differential tests, written from the rules alone and as plainly as
// possible: the vects (or segs) are taken into an array in list order, every pair is looked at
// in the order the rule names, and what goes is unlinked at the end. Quadratic on purpose; the
// library's fast paths must reach exactly the same drawing.
#pragma once

#include <cmath>
#include <vector>

#include "model/items.h"
#include "optimise/cleanup.h"

namespace lintrel::test {

// The items of a ring in order, starting at `head`.
template <class T>
std::vector<T*> inListOrder(T* head) {
    std::vector<T*> out;
    for (T* item : ring(head))
        out.push_back(item);
    return out;
}

// Unlinks and frees the vects marked gone. The first vect never goes, so the list pointer stays.
inline void removeGone(const std::vector<Vect*>& vects, const std::vector<bool>& gone) {
    for (size_t i = 0; i < vects.size(); ++i)
        if (gone[i]) {
            unlink(vects[i]);
            deleteVectChain(vects[i]);
        }
}

// A vect takes part in an operation unless only selected vects do and it is not selected.
inline bool takesPartIn(const Vect& v, int selectedOnly) {
    return selectedOnly == 0 || v.selected != 0;
}

// Remove duplicate lines: every vect is compared with every later vect that takes part; a later
// vect that is the same as an earlier one goes, and the first occurrence always stays. A vect
// that went is compared with nothing more.
inline int referenceDeleteDuplicates(Vect* head, int selectedOnly) {
    const std::vector<Vect*> vects = inListOrder(head);
    std::vector<bool> gone(vects.size(), false);
    for (size_t earlier = 0; earlier < vects.size(); ++earlier) {
        if (gone[earlier] || !takesPartIn(*vects[earlier], selectedOnly)) continue;
        for (size_t later = earlier + 1; later < vects.size(); ++later)
            if (!gone[later] && takesPartIn(*vects[later], selectedOnly) &&
                sameVect(*vects[earlier], *vects[later]))
                gone[later] = true;
    }
    removeGone(vects, gone);
    for (const bool g : gone)
        if (g) return LINTREL_OK;
    return LINTREL_NOTHING_TO_DO;
}

// A vect may join others when it takes part and is not closed. Points and ellipses, vects
// without a chain and members of a compound (a link set) never join.
inline bool mayJoin(const Vect& v, int selectedOnly) {
    return takesPartIn(v, selectedOnly) && v.closed != 1 && v.link == nullptr &&
           v.segs != nullptr && v.type != LINTREL_POINT && v.type != LINTREL_ELLIPSE;
}

// Collinear joints of one chain: from the second seg on, a seg whose direction angle equals its
// predecessor's (within 1e-4) and that starts where the predecessor ends (within 1e-4 in x and
// in y) is taken into the predecessor, which now ends where the seg ended; the seg goes, and the
// grown predecessor is the predecessor of the next seg. Returns how many segs went.
inline int referenceFoldCollinearJoints(Seg* head) {
    if (!head) return 0;
    const std::vector<Seg*> segs = inListOrder(head);
    Seg* predecessor = segs[0];
    int folded = 0;
    for (size_t k = 1; k < segs.size(); ++k) {
        Seg* seg = segs[k];
        const bool sameDirection =
            std::fabs(directionAngle(*predecessor) - directionAngle(*seg)) <= 1e-4;
        const bool joined = std::fabs(predecessor->x1 - seg->x0) <= 1e-4 &&
                            std::fabs(predecessor->y1 - seg->y0) <= 1e-4;
        if (!sameDirection || !joined) {
            predecessor = seg;
            continue;
        }
        predecessor->x1 = seg->x1;
        predecessor->y1 = seg->y1;
        unlink(seg);
        deleteSegChain(seg);
        ++folded;
    }
    return folded;
}

// Merge connected lines: for each vect A in list order that may join, the later vects that may
// join are tried in order; the first whose ends meet A's within the tolerance is joined into A
// and goes. A that has closed takes no more partners; otherwise the search starts again with
// the vect right after A. Then every selected, unlinked polyline of the list loses its
// collinear joints, whatever `selectedOnly` says.
inline int referenceMerge(Vect* head, double tolerance, int selectedOnly) {
    const std::vector<Vect*> vects = inListOrder(head);
    std::vector<bool> gone(vects.size(), false);
    bool changed = false;
    for (size_t a = 0; a < vects.size(); ++a) {
        if (gone[a] || !mayJoin(*vects[a], selectedOnly)) continue;
        bool closed = false;
        for (size_t b = a + 1; b < vects.size() && !closed;) {
            if (gone[b] || !mayJoin(*vects[b], selectedOnly) ||
                !endsMeet(*vects[a], *vects[b], tolerance)) {
                ++b;
                continue;
            }
            closed = joinVects(*vects[a], *vects[b]);
            gone[b] = true;
            changed = true;
            b = a + 1;
        }
    }
    removeGone(vects, gone);
    for (Vect* v : ring(head))
        if (v->selected && v->link == nullptr && v->type == LINTREL_POLYLINE &&
            referenceFoldCollinearJoints(v->segs) > 0)
            changed = true;
    return changed ? LINTREL_OK : LINTREL_NOTHING_TO_DO;
}

}  // namespace lintrel::test
