/* A C host built against the installed tree with pkg-config: builds a square, measures it and
 * reads the library's version; exits non-zero on any surprise. */
#include <lintrel/lintrel.h>
#include <stdio.h>
#include <string.h>
#include <varnix/varnix.h>

static Seg* line(double x0, double y0, double x1, double y1) {
    Seg* s = VarnixCad3_NewSeg();
    s->x0 = x0;
    s->y0 = y0;
    s->x1 = x1;
    s->y1 = y1;
    return s;
}

int main(void) {
    Vect* square = VarnixCad3_NewVect();
    square->segs = line(0, 0, 4, 0);
    VarnixCad3_ItemInsertBefore(square->segs, line(4, 0, 4, 3));
    VarnixCad3_ItemInsertBefore(square->segs, line(4, 3, 0, 3));
    float x, y, width, height;
    if (VarnixCad3_GetRange(square, &x, &y, &width, &height, 0.05) != LINTREL_OK) return 1;
    if (x != 0 || y != 0 || width != 4 || height != 3) return 2;
    if (VarnixCad3_ItemGetListNum(square->segs) != 3) return 3;
    if (strncmp(Lintrel_GetVerSionInfo(), "3.1.0-", 6) != 0) return 4;
    if (VXC_GetMaxPciCards() < 0) return 5;
    VarnixCad3_DeleteChain(square);
    printf("C host: %s\n", Lintrel_GetVerSionInfo());
    return 0;
}
