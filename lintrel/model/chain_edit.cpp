// Working-chain edits: hit tests, cuts, collinear folding and start point moves.
#include "model/chain_edit.h"

#include <cmath>

#include "model/items.h"

namespace lintrel {

Seg* firstSegWithin(Seg* head, Point p, double tolerance) {
    for (Seg* s : ring(head))
        if (distanceToSeg(p, *s) <= tolerance) return s;
    return nullptr;
}

bool arcHit(const Seg& definition, bool closed, Point p, double tolerance) {
    const ArcGeometry arc = arcGeometry(definition);
    if (!(std::fabs(distance(p, arc.centre) - arc.radius) <= tolerance)) return false;
    if (closed) return true;
    double lo = kTwoPi - arc.start, hi = lo;
    if (arc.sweep >= 0)
        lo = hi - arc.sweep;
    else
        hi = lo - arc.sweep;
    const double phi = angleFrom(arc.centre, p);
    for (const double a : {phi, phi - kTwoPi, phi + kTwoPi})
        if (a >= lo && a <= hi) return true;
    return false;
}

bool atSegStart(const Seg& seg, Point f) {
    return samePoint(segStart(seg), f);
}
bool atSegEnd(const Seg& seg, Point f) {
    return samePoint(segEnd(seg), f);
}

Seg* cutSegAt(Seg& seg, Point f) {
    Seg* tail = newLine(f.x, f.y, seg.x1, seg.y1);
    tail->type = seg.type;
    tail->tag = seg.tag;
    seg.x1 = f.x;
    seg.y1 = f.y;
    spliceAfter(&seg, tail);
    return tail;
}

namespace {

// Whether the turn from `a` to `b` is so clearly above the angle tolerance that their
// direction angles need not be measured. The difference of two measured angles is at least the
// turn between the directions, as long as neither angle is snapped to an axis (a run of less
// than the tolerance across); those are left to the measure. A turn whose tangent exceeds
// twice the tolerance is far above it, whatever the rounding of the products.
bool clearlyTurns(const Seg& a, const Seg& b) {
    const double ax = a.x1 - a.x0, ay = a.y1 - a.y0, bx = b.x1 - b.x0, by = b.y1 - b.y0;
    if (!(std::fabs(ax) >= kSame && std::fabs(bx) >= kSame)) return false;
    const double dot = ax * bx + ay * by, cross = ax * by - ay * bx;
    return dot <= 0 || std::fabs(cross) > 2 * kSame * dot;
}

}  // namespace

int foldCollinearJoints(Seg* head) {
    if (!head) return 0;
    int folded = 0;
    // The predecessor's angle is measured when a joint needs it and carried along from there;
    // it is measured again when the predecessor grows.
    double beforeAngle = 0;
    bool beforeMeasured = false;
    for (Seg* s = head->next; s != head;) {
        Seg* before = s->prev;
        Seg* next = s->next;
        if (before == s || clearlyTurns(*before, *s)) {
            beforeMeasured = false;
            s = next;
            continue;
        }
        if (!beforeMeasured) beforeAngle = directionAngle(*before);
        const double angle = directionAngle(*s);
        beforeMeasured = true;
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

bool moveStartPoint(Vect& vect, Point p, double tolerance, bool apply) {
    Seg*& chain = vect.flatSegs ? vect.flatSegs : vect.segs;
    Seg* hit = firstSegWithin(chain, p, tolerance);
    if (!hit) return false;
    if (!apply) return true;

    const Point f = footOnSegment(p, segStart(*hit), segEnd(*hit));
    if (atSegStart(*hit, f))
        chain = hit;
    else if (atSegEnd(*hit, f))
        chain = hit->next;
    else
        chain = cutSegAt(*hit, f);

    if (vect.type == LINTREL_ARC && vect.segs) {
        const ArcGeometry arc = arcGeometry(*vect.segs);
        vect.segs->z0 = kTwoPi - std::atan2(f.y - arc.centre.y, f.x - arc.centre.x);
        return true;
    }
    if (vect.flatSegs) {
        replaceSegs(&vect, vect.flatSegs);
        vect.flatSegs = nullptr;
        vect.type = LINTREL_POLYLINE;
    }
    foldCollinearJoints(vect.segs);
    return true;
}

}  // namespace lintrel
