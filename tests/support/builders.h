// Builders for small drawings in tests: polylines, arcs, circles, Bezier chains, groups.
// Everything they return is owned by the caller (wrap it in a ChainOwner). Built on the public
// interface only, so the tests of the programs that link the shared library use them too.
#pragma once

#include <lintrel/lintrel.h>
#include <lintrel/lintrel.hpp>

#include <cstring>
#include <initializer_list>
#include <utility>
#include <vector>

namespace lintrel::test {

inline Seg* lineSeg(double x0, double y0, double x1, double y1) {
    Seg* s = VarnixCad3_NewSeg();
    s->x0 = x0;
    s->y0 = y0;
    s->x1 = x1;
    s->y1 = y1;
    return s;
}

// A copy of `text` on the heap the library shares with its host, as an action text is kept.
inline char* sharedText(const char* text) {
    const size_t size = std::strlen(text) + 1;
    char* copy = VarnixCad3_SetStrT(nullptr, static_cast<int>(size));
    std::memcpy(copy, text, size);
    return copy;
}

// A chain of line segs through `points`; null for fewer than two.
inline Seg* segsThrough(const std::vector<Point>& points) {
    Seg* head = nullptr;
    for (size_t i = 1; i < points.size(); ++i)
        append(head, lineSeg(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y));
    return head;
}

inline Vect* polyline(std::initializer_list<Point> points, bool closed = false) {
    Vect* v = VarnixCad3_NewVect();
    v->segs = segsThrough(std::vector<Point>(points));
    v->closed = closed ? 1 : 0;
    return v;
}

inline Vect* polylineOf(const std::vector<Point>& points, bool closed = false) {
    Vect* v = VarnixCad3_NewVect();
    v->segs = segsThrough(points);
    v->closed = closed ? 1 : 0;
    return v;
}

// An arc or circle of the given centre and radius; `start` and `sweep` are stored angles
// (clockwise from +x). A sweep of 0 is a full circle.
inline Vect* arc(double cx, double cy, double r, double start, double sweep) {
    Vect* v = VarnixCad3_NewVect();
    v->type = LINTREL_ARC;
    Seg* d = lineSeg(cx - r, cy - r, cx + r, cy + r);
    d->z0 = start;
    d->z1 = sweep;
    v->segs = d;
    v->closed = std::fabs(sweep) <= kSame ? 1 : 0;
    return v;
}

inline Vect* circle(double cx, double cy, double r) {
    return arc(cx, cy, r, 0, 0);
}

// A curve vect whose segs join the control points in order (Bezier, spline).
inline Vect* controlPolygon(int type, std::initializer_list<Point> points) {
    Vect* v = polyline(points);
    v->type = type;
    return v;
}

inline VectGroup* groupOf(std::initializer_list<Vect*> vects, int number = 1) {
    VectGroup* g = VarnixCad3_NewVectGroup();
    g->number = number;
    for (Vect* v : vects)
        append(g->vects, v);
    return g;
}

// The items of a ring in order.
template <class T>
std::vector<T*> itemsOf(T* head) {
    std::vector<T*> out;
    for (T* item : ring(head))
        out.push_back(item);
    return out;
}
inline std::vector<Seg*> segsOf(Seg* head) {
    return itemsOf(head);
}
inline std::vector<Vect*> vectsOf(Vect* head) {
    return itemsOf(head);
}
// Every vect of every group, in order.
inline std::vector<Vect*> vectsOf(VectGroup* chain) {
    return vectsOfDrawing(chain);
}

// True when every seg starts where its predecessor ends.
// The start of every vect, in drawing order: what a reversal or a sort changes.
inline std::vector<std::pair<double, double>> vectStarts(const VectGroup* drawing) {
    std::vector<std::pair<double, double>> out;
    for (Vect* v : vectsOf(const_cast<VectGroup*>(drawing)))
        out.emplace_back(v->segs->x0, v->segs->y0);
    return out;
}

inline bool continuous(Seg* head) {
    const std::vector<Seg*> segs = segsOf(head);
    for (size_t i = 1; i < segs.size(); ++i)
        if (segs[i]->x0 != segs[i - 1]->x1 || segs[i]->y0 != segs[i - 1]->y1) return false;
    return true;
}

// True when the ring's links agree in both directions.
template <class T>
bool wellLinked(T* head) {
    if (!head) return true;
    T* p = head;
    do {
        if (p->next->prev != p || p->prev->next != p) return false;
        p = p->next;
    } while (p != head);
    return true;
}

}  // namespace lintrel::test
