// Literal implementations of the clean-up scans, exactly as described: every later vect is
// compared with each earlier one, and merging restarts its scan after every join. They are
// quadratic and live here only, as the reference the library's fast paths must agree with.
#pragma once

#include <cmath>
#include <vector>

#include "model/items.h"
#include "optimise/cleanup.h"

namespace lintrel::test {

inline bool referencePasses(const Vect& v, int selectedOnly) {
    return selectedOnly == 0 || v.selected != 0;
}

// Each vect is compared with every later vect; a later one that is the same goes.
inline int referenceDeleteDuplicates(Vect* head, int selectedOnly) {
    bool deleted = false;
    Vect* a = head;
    do {
        if (referencePasses(*a, selectedOnly)) {
            for (Vect* b = a->next; b != head;) {
                Vect* following = b->next;
                if (referencePasses(*b, selectedOnly) && sameVect(*a, *b)) {
                    unlink(b);
                    deleteVectChain(b);
                    deleted = true;
                }
                b = following;
            }
        }
        a = a->next;
    } while (a != head);
    return deleted ? LINTREL_OK : LINTREL_NOTHING_TO_DO;
}

inline bool referenceJoinable(const Vect& v, int selectedOnly) {
    return referencePasses(v, selectedOnly) && v.closed != 1 && !v.link && v.segs &&
           v.type != LINTREL_ELLIPSE && v.type != LINTREL_POINT;
}

// Each joint of a chain in turn: a seg that runs on in its predecessor's direction (angles within
// 1e-4) from its predecessor's end is folded into it. Every angle is measured.
inline int referenceFoldCollinearJoints(Seg* head) {
    if (!head) return 0;
    int folded = 0;
    double beforeAngle = directionAngle(*head);
    for (Seg* s = head->next; s != head;) {
        Seg* before = s->prev;
        Seg* next = s->next;
        const double angle = directionAngle(*s);
        if (std::fabs(beforeAngle - angle) <= kSame && samePoint(segEnd(*before), segStart(*s))) {
            before->x1 = s->x1;
            before->y1 = s->y1;
            unlink(s);
            deleteSegChain(s);
            beforeAngle = directionAngle(*before);
            ++folded;
        } else {
            beforeAngle = angle;
        }
        s = next;
    }
    return folded;
}

// For each vect, the later vects are scanned in order; after a join the scan starts again right
// after the vect, until it closes or the scan reaches the end of the list.
inline int referenceMerge(Vect* head, double tolerance, int selectedOnly) {
    bool changed = false;
    Vect* a = head;
    do {
        if (referenceJoinable(*a, selectedOnly)) {
            Vect* b = a->next;
            while (b != head) {
                if (referenceJoinable(*b, selectedOnly) && endsMeet(*a, *b, tolerance)) {
                    const bool closed = joinVects(*a, *b);
                    unlink(b);
                    deleteVectChain(b);
                    changed = true;
                    if (closed) break;
                    b = a->next;
                    continue;
                }
                b = b->next;
            }
        }
        a = a->next;
    } while (a != head);
    for (Vect* v : ring(head))
        if (v->selected && !v->link && v->type == LINTREL_POLYLINE &&
            referenceFoldCollinearJoints(v->segs) > 0)
            changed = true;
    return changed ? LINTREL_OK : LINTREL_NOTHING_TO_DO;
}

}  // namespace lintrel::test
