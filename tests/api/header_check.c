/* Compiled as C: the public header must serve C callers, and a C program must be able to build,
 * flatten, measure and free a drawing through it. */
#include <lintrel/lintrel.h>
#include <stdio.h>
#include <string.h>

#include "../support/c_check.h"

int main(void) {
    VectGroup* group;
    Vect* circle;
    Seg* square;
    float x = -1, y = -1, w = -1, h = -1;

    CHECK(strcmp(Lintrel_GetVerSionInfo(), "3.1.0-20241030") == 0);
    CHECK(VarnixCad3_GetBeforeUnit() == LINTREL_UNIT_MILLIMETRE);

    group = VarnixCad3_NewVectGroup();
    circle = VarnixCad3_NewVect();
    square = VarnixCad3_NewSeg();
    square->x0 = 0;
    square->y0 = 0;
    square->x1 = 20;
    square->y1 = 20;
    circle->type = LINTREL_ARC;
    circle->closed = 1;
    circle->segs = square;
    group->vects = circle;

    CHECK(VarnixCad3_TransSeges(group, 0.01) == LINTREL_OK);
    CHECK(circle->type == LINTREL_POLYLINE);
    CHECK(VarnixCad3_ItemGetListNum(circle->segs) == 71);
    CHECK(VarnixCad3_GetRangeOne(group, &x, &y, &w, &h, 0.05) == LINTREL_OK);
    CHECK(x > -0.01f && x < 0.01f && w > 19.9f && w <= 20.0f);
    CHECK(VarnixCad3_DeleteChain(group) == LINTREL_OK);
    return failures == 0 ? 0 : 1;
}
