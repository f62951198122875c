/* Builds a small drawing with the Lintrel library (a square, a circle, an arc and a Bezier
 * curve), flattens it and prints each vect with its segment count and the drawing's range. */
#include <lintrel/lintrel.h>
#include <stdio.h>
#include <stdlib.h>

static Seg* line(double x0, double y0, double x1, double y1) {
    Seg* s = VarnixCad3_NewSeg();
    s->x0 = x0;
    s->y0 = y0;
    s->x1 = x1;
    s->y1 = y1;
    return s;
}

static void appendSeg(Vect* v, Seg* s) {
    if (v->segs)
        VarnixCad3_ItemInsertBefore(v->segs, s);
    else
        v->segs = s;
}

static void appendVect(VectGroup* g, Vect* v) {
    if (g->vects)
        VarnixCad3_ItemInsertBefore(g->vects, v);
    else
        g->vects = v;
}

static const char* kindName(int type) {
    switch (type) {
        case LINTREL_POLYLINE:
            return "polyline";
        case LINTREL_ARC:
            return "arc";
        case LINTREL_BEZIER:
            return "bezier";
        default:
            return "other";
    }
}

int main(int argc, char** argv) {
    const double precision = argc > 1 ? atof(argv[1]) : 0.01;
    const char* names[] = {"square", "circle r=10", "quarter arc r=15", "bezier"};
    VectGroup* group = VarnixCad3_NewVectGroup();
    Vect *square = VarnixCad3_NewVect(), *circle = VarnixCad3_NewVect();
    Vect *arc = VarnixCad3_NewVect(), *bezier = VarnixCad3_NewVect();
    Vect* v;
    int i = 0;
    float x, y, w, h;

    group->number = 1;
    appendSeg(square, line(0, 0, 40, 0));
    appendSeg(square, line(40, 0, 40, 40));
    appendSeg(square, line(40, 40, 0, 40));
    appendSeg(square, line(0, 40, 0, 0));
    square->closed = 1;

    circle->type = LINTREL_ARC; /* corners of the bounding square; sweep 0 = full circle */
    circle->closed = 1;
    appendSeg(circle, line(10, 10, 30, 30));

    arc->type = LINTREL_ARC; /* start 0, sweep -pi/2: counter-clockwise quarter */
    appendSeg(arc, line(45, 5, 75, 35));
    arc->segs->z0 = 0;
    arc->segs->z1 = -1.5707963267948966;

    bezier->type = LINTREL_BEZIER; /* one cubic piece P0..P3 */
    appendSeg(bezier, line(0, 50, 20, 80));
    appendSeg(bezier, line(20, 80, 50, 20));
    appendSeg(bezier, line(50, 20, 70, 50));

    appendVect(group, square);
    appendVect(group, circle);
    appendVect(group, arc);
    appendVect(group, bezier);

    printf("precision %.4f\n", precision);
    for (v = group->vects, i = 0; i < 4; v = v->next, ++i)
        printf("before  %-18s %-9s %3d segs\n", names[i], kindName(v->type),
               VarnixCad3_ItemGetListNum(v->segs));
    if (VarnixCad3_TransSeges(group, precision) != LINTREL_OK) return 1;
    for (v = group->vects, i = 0; i < 4; v = v->next, ++i) {
        const Seg* last = v->segs->prev;
        printf("after   %-18s %-9s %3d segs  start (%.4f, %.4f)  end (%.4f, %.4f)\n", names[i],
               kindName(v->type), VarnixCad3_ItemGetListNum(v->segs), v->segs->x0, v->segs->y0,
               last->x1, last->y1);
    }
    if (VarnixCad3_GetRange(group, &x, &y, &w, &h, precision) != LINTREL_OK) return 1;
    printf("range   x %.4f  y %.4f  width %.4f  height %.4f\n", x, y, w, h);
    printf("library %s\n", Lintrel_GetVerSionInfo());
    VarnixCad3_DeleteChain(group);
    return 0;
}
