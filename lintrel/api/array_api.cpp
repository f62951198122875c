// Exports of the indexed array family: vects of the array chain addressed by a running index
// (all vects of the first group, then of the next, ...) and exchanged as 104-byte records, one
// per defining seg.
#include <lintrel/lintrel.h>

#include <cmath>
#include <cstring>

#include "api/array_graph.h"
#include "api/guarded_call.h"
#include "curves/flatten.h"
#include "model/geometry.h"
#include "model/items.h"

using namespace lintrel;

namespace {

struct Found {
    VectGroup* group = nullptr;
    Vect* vect = nullptr;
};

Found vectAt(int index) {
    if (index < 0) return {};
    for (VectGroup* g : ring(arrayChain()))
        for (Vect* v : ring(g->vects))
            if (index-- == 0) return {g, v};
    return {};
}

Seg* segOfRecord(const ArrayRecord& r) {
    Seg* s = newLine(r.x0, r.y0, r.x1, r.y1);
    s->z0 = r.z0;
    s->z1 = r.z1;
    s->jump = r.jump;
    s->tag = r.tag;
    return s;
}

Vect* vectOfRecord(const ArrayRecord& r) {
    Vect* v = newVect();
    v->type = r.vectType;
    v->closed = r.closed;
    v->selected = r.selected ? 1 : 0;
    v->link = r.link;
    v->segs = segOfRecord(r);
    return v;
}

// Builds a vect chain from records apart from the array chain; 21000 (nothing built) when the
// first record does not start a vect or a continuation does not join its predecessor.
int chainOfRecords(const ArrayRecord* records, int count, Vect*& out) {
    if (!records || count <= 0 || records[0].startMarker != 1) return LINTREL_BAD_ARGUMENT;
    ChainOwner<Vect> chain;
    Vect* current = nullptr;
    for (int i = 0; i < count; ++i) {
        const ArrayRecord& r = records[i];
        if (r.startMarker == 1) {
            current = vectOfRecord(r);
            chain.append(current);
            continue;
        }
        const ArrayRecord& before = records[i - 1];
        if (std::fabs(r.x0 - before.x1) > kSame || std::fabs(r.y0 - before.y1) > kSame)
            return LINTREL_BAD_ARGUMENT;
        append(current->segs, segOfRecord(r));
    }
    out = chain.release();
    return LINTREL_OK;
}

ArrayRecord recordOf(const VectGroup& g, const Vect& v, const Seg& s, bool first) {
    ArrayRecord r{};
    r.groupNumber = g.number;
    r.vectType = v.type;
    r.startMarker = first ? 1 : 0;
    r.pointFlag = v.type == LINTREL_POINT ? 1 : 0;
    r.closed = v.closed;
    r.selected = v.selected;
    r.link = v.link;
    r.jump = s.jump;
    r.tag = s.tag;
    r.x0 = s.x0;
    r.y0 = s.y0;
    r.z0 = s.z0;
    r.x1 = s.x1;
    r.y1 = s.y1;
    r.z1 = s.z1;
    Point start;
    if (first && vectStartPoint(v, start)) {
        r.startX = start.x;
        r.startY = start.y;
    }
    return r;
}

}  // namespace

extern "C" {

LINTREL_API int VarnixCadArray_NewOne(ArrayRecord record) {
    return guardedCode([&]() -> int {
        VectGroup*& chain = arrayChain();
        VectGroup* target = nullptr;
        for (VectGroup* g : ring(chain))
            if (g->number == record.groupNumber) {
                target = g;
                break;
            }
        if (!target) {
            target = newGroup();
            target->number = record.groupNumber;
            target->colour = 0;
            append(chain, target);
        }
        append(target->vects, vectOfRecord(record));
        return LINTREL_OK;
    });
}

LINTREL_API int VarnixCadArray_DelOne(int index) {
    return guardedCode([&]() -> int {
        const Found f = vectAt(index);
        if (!f.vect) return LINTREL_BAD_ARGUMENT;
        eraseFrom(f.group->vects, f.vect);
        if (!f.group->vects) eraseFrom(arrayChain(), f.group);
        return LINTREL_OK;
    });
}

LINTREL_API int VarnixCadArray_DelAll(void) {
    return guardedCode([&]() -> int {
        VectGroup*& chain = arrayChain();
        if (!chain) return LINTREL_BAD_ARGUMENT;
        deleteGroupChain(chain);
        chain = nullptr;
        return LINTREL_OK;
    });
}

LINTREL_API int VarnixCadArray_GetRange(float* x, float* y, float* width, float* height,
                                        double precision) {
    return guardedCode(
        [&] { return VarnixCad3_GetRange(arrayChain(), x, y, width, height, precision); });
}

LINTREL_API int VarnixCadArray_CopyChain(const ArrayRecord* source, ArrayRecord* destination,
                                         int recordCount) {
    return guardedCode([&]() -> int {
        if (!source || (!destination && recordCount > 0)) return LINTREL_BAD_ARGUMENT;
        if (recordCount > 0)
            std::memmove(destination, source,
                         sizeof(ArrayRecord) * static_cast<size_t>(recordCount));
        return LINTREL_OK;
    });
}

LINTREL_API int VarnixCadArray_Move(double dx, double dy, int index) {
    return guardedCode([&]() -> int {
        if (index == -1) return VarnixCad3_Move(arrayChain(), dx, dy);
        const Found f = vectAt(index);
        return f.vect ? VarnixCad3_Move(f.vect, dx, dy) : LINTREL_BAD_ARGUMENT;
    });
}

LINTREL_API int VarnixCadArray_Scale(float sx, float sy, float cx, float cy, int index) {
    return guardedCode([&]() -> int {
        if (index == -1) return VarnixCad3_Scale(arrayChain(), sx, sy, cx, cy);
        const Found f = vectAt(index);
        return f.vect ? VarnixCad3_Scale(f.vect, sx, sy, cx, cy) : LINTREL_BAD_ARGUMENT;
    });
}

// The new vects take the given index: spliced in before the vect that had it (becoming their
// group's first vects when that vect was first), or appended to the last group.
LINTREL_API int VarnixCadArray_ItemInsert(const ArrayRecord* records, int recordCount, int index) {
    return guardedCode([&]() -> int {
        VectGroup* chain = arrayChain();
        if (index < 0 || !chain) return LINTREL_BAD_ARGUMENT;
        Vect* items = nullptr;
        if (const int code = chainOfRecords(records, recordCount, items); code != LINTREL_OK)
            return code;
        const Found f = vectAt(index);
        if (!f.vect) {
            append(lastOf(chain)->vects, items);
            return LINTREL_OK;
        }
        spliceBefore(f.vect, items);
        if (f.group->vects == f.vect) f.group->vects = items;
        return LINTREL_OK;
    });
}

LINTREL_API int VarnixCadArray_ItemModify(const ArrayRecord* records, int recordCount, int index) {
    return guardedCode([&]() -> int {
        if (index < 0 || !arrayChain()) return LINTREL_BAD_ARGUMENT;
        const Found f = vectAt(index);
        if (!f.vect) return LINTREL_BAD_ARGUMENT;
        Vect* items = nullptr;
        if (const int code = chainOfRecords(records, recordCount, items); code != LINTREL_OK)
            return code;
        spliceBefore(f.vect, items);
        if (f.group->vects == f.vect) f.group->vects = items;
        unlink(f.vect);
        deleteLoneVect(f.vect);
        return LINTREL_OK;
    });
}

LINTREL_API int VarnixCadArray_GetVectNum(int* segCount) {
    return guardedCode([&]() -> int {
        if (!segCount) return LINTREL_BAD_ARGUMENT;
        VectGroup* chain = arrayChain();
        if (!chain) return LINTREL_OK;
        int total = 0;
        for (VectGroup* g : ring(chain))
            for (Vect* v : ring(g->vects))
                total += ringCount(v->segs);
        *segCount = total;
        return LINTREL_OK;
    });
}

LINTREL_API int VarnixCadArray_GetVectArray(ArrayRecord* records, int maxRecords) {
    return guardedCode([&]() -> int {
        if (!records && maxRecords > 0) return LINTREL_BAD_ARGUMENT;
        // Every curve gets its flattened copy first, so that each first record can carry the
        // vect's start on its working chain.
        for (VectGroup* g : ring(arrayChain()))
            for (Vect* v : ring(g->vects))
                if (!v->flatSegs) buildFlatSegs(v, kMeasurePrecision);
        int written = 0;
        for (VectGroup* g : ring(arrayChain()))
            for (Vect* v : ring(g->vects)) {
                bool first = true;
                for (Seg* s : ring(v->segs)) {
                    if (written >= maxRecords) return LINTREL_OK;
                    records[written++] = recordOf(*g, *v, *s, first);
                    first = false;
                }
            }
        return LINTREL_OK;
    });
}

}  // extern "C"
