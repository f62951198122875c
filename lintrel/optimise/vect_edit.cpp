// Edits of single vects picked at a point (split, start point) and list-wide direction and
// closed-flag updates.
#include "curves/flatten.h"
#include "model/chain_edit.h"
#include "model/items.h"
#include "model/list_walk.h"
#include "optimise/cleanup.h"

namespace lintrel {

namespace {

enum class Pick { Missed, Hit, Ready };

// Gives a picked vect a working chain of line segs. An arc without a flattened copy is first
// tested as an arc, so that a miss costs no flattening. `made` tells whether a flattened copy
// was made here (and must go again if the pick misses).
Pick prepareWorkingChain(Vect& v, Point p, double tolerance, bool apply, bool& made) {
    made = false;
    if (v.flatSegs || !v.segs) return Pick::Ready;
    if (v.type == LINTREL_ARC) {
        if (!arcHit(*v.segs, v.closed != 0, p, tolerance)) return Pick::Missed;
        if (!apply) return Pick::Hit;
    }
    made = buildFlatSegs(&v, kCleanupPrecision);
    return Pick::Ready;
}

// Drops a flattened copy made for a pick that changed nothing, and the polyline type a spline
// took with it: a missed pick leaves the vect as it was.
void dropMadeCopy(Vect& v, bool made, int type) {
    if (!made) return;
    clearFlatSegs(&v);
    v.type = type;
}

// Cuts the vect's chain before `tail`; the segs from `tail` on go to a new vect after it.
Vect* splitOff(Vect& v, Seg* tail) {
    Vect* piece = newVect();
    piece->segs = cutRingBefore(v.segs, tail);
    // The piece is machined like the rest of the shape it came from.
    piece->speed = v.speed;
    piece->liftHeight = v.liftHeight;
    piece->workHeight = v.workHeight;
    piece->selected = v.selected;
    spliceAfter(&v, piece);
    return piece;
}

int cutVectAt(Vect& v, Seg& hit, Point p) {
    if (v.flatSegs) {
        replaceSegs(&v, v.flatSegs);
        v.flatSegs = nullptr;
        v.type = LINTREL_POLYLINE;
    }
    const Point f = footOnSegment(p, segStart(hit), segEnd(hit));
    Seg* tail = atSegStart(hit, f) ? &hit : atSegEnd(hit, f) ? hit.next : cutSegAt(hit, f);
    if (tail == v.segs) return LINTREL_NOTHING_TO_DO;  // the very start or end of the chain
    splitOff(v, tail);
    v.type = LINTREL_POLYLINE;
    v.closed = 0;
    v.state = 1;
    return LINTREL_OK;
}

}  // namespace

int splitVect(Vect* head, Point p, double tolerance, bool apply) {
    if (!head) return LINTREL_BAD_ARGUMENT;
    for (Vect* v : ring(head)) {
        if (v->link) continue;
        const int type = v->type;
        bool made = false;
        const Pick pick = prepareWorkingChain(*v, p, tolerance, apply, made);
        if (pick == Pick::Missed) continue;
        if (pick == Pick::Hit) return LINTREL_OK;
        Seg* hit = firstSegWithin(workingChain(*v), p, tolerance);
        if (!hit || !apply) {
            dropMadeCopy(*v, made, type);
            if (!hit) continue;
            return LINTREL_OK;
        }
        return cutVectAt(*v, *hit, p);
    }
    return LINTREL_NOTHING_TO_DO;
}

int changeStartPoint(Vect* head, Point p, double tolerance, bool apply) {
    if (!head) return LINTREL_BAD_ARGUMENT;
    // The first vect, then backwards from the last.
    Vect* v = head;
    do {
        if (v->closed == 1 && !v->link && v->type != LINTREL_POINT) {
            const int type = v->type;
            bool made = false;
            const Pick pick = prepareWorkingChain(*v, p, tolerance, apply, made);
            if (pick == Pick::Hit) return LINTREL_OK;
            if (pick == Pick::Ready) {
                const bool hit = moveStartPoint(*v, p, tolerance, apply);
                if (!hit || !apply) dropMadeCopy(*v, made, type);
                if (hit) return LINTREL_OK;
            }
        }
        v = v->prev;
    } while (v != head);
    return LINTREL_NOTHING_TO_DO;
}

int reverseVects(Vect* head, int selectedOnly) {
    if (!head) return LINTREL_BAD_ARGUMENT;
    bool reversed = false;
    for (Vect* v : ring(head))
        if (takesPart(*v, selectedOnly) && reverseVect(*v)) reversed = true;
    return reversed ? LINTREL_OK : LINTREL_NOTHING_TO_DO;
}

int updateClosedFlags(Vect* head, int selectedOnly) {
    if (!head) return LINTREL_BAD_ARGUMENT;
    for (Vect* v : ring(head)) {
        if (!takesPart(*v, selectedOnly) || v->closed == 1) continue;
        switch (v->type) {
            case LINTREL_POINT:
                v->closed = 1;
                break;
            case LINTREL_ARC:
                if (v->segs) v->closed = std::fabs(v->segs->z1) <= kSame ? 1 : 0;
                break;
            case LINTREL_POLYLINE:
            case LINTREL_SPLINE:
            case LINTREL_BEZIER:
                v->closed =
                    v->segs && samePoint(segStart(*v->segs), segEnd(*v->segs->prev)) ? 1 : 0;
                break;
            default:
                break;  // an ellipse keeps its flag; text is not touched
        }
    }
    return LINTREL_OK;
}

}  // namespace lintrel
