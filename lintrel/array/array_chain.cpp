// The array family's chain and records: finding a vect by its running index, building vects from
// records and records from vects, and splicing record-built vects into the chain. The library
// never frees the chain on unload; the host empties it with VarnixCadArray_DelAll.
#include "array/array_chain.h"

#include <cmath>

#include "curves/flatten.h"
#include "model/geometry.h"
#include "model/items.h"

namespace lintrel {

namespace {

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

VectGroup*& arrayChain() {
    static VectGroup* chain = nullptr;
    return chain;
}

ArrayPosition arrayVectAt(int index) {
    if (index < 0) return {};
    for (VectGroup* g : ring(arrayChain()))
        for (Vect* v : ring(g->vects))
            if (index-- == 0) return {g, v};
    return {};
}

void arrayAddRecord(const ArrayRecord& record) {
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
}

int arrayDeleteVect(int index) {
    const ArrayPosition at = arrayVectAt(index);
    if (!at.vect) return LINTREL_BAD_ARGUMENT;
    eraseFrom(at.group->vects, at.vect);
    if (!at.group->vects) eraseFrom(arrayChain(), at.group);
    return LINTREL_OK;
}

int arraySpliceRecords(const ArrayRecord* records, int recordCount, int index, bool replace) {
    VectGroup* chain = arrayChain();
    if (index < 0 || !chain) return LINTREL_BAD_ARGUMENT;
    const ArrayPosition at = arrayVectAt(index);
    if (replace && !at.vect) return LINTREL_BAD_ARGUMENT;
    Vect* items = nullptr;
    if (const int code = chainOfRecords(records, recordCount, items); code != LINTREL_OK)
        return code;
    if (!at.vect) {
        append(lastOf(chain)->vects, items);
        return LINTREL_OK;
    }
    // The new vects take the index: spliced in before the vect that had it, becoming their
    // group's first vects when that vect was first.
    spliceBefore(at.vect, items);
    if (at.group->vects == at.vect) at.group->vects = items;
    if (replace) {
        unlink(at.vect);
        deleteLoneVect(at.vect);
    }
    return LINTREL_OK;
}

int arraySegCount() {
    int total = 0;
    for (VectGroup* g : ring(arrayChain()))
        for (Vect* v : ring(g->vects))
            total += ringCount(v->segs);
    return total;
}

void arrayRecords(ArrayRecord* records, int maxRecords) {
    for (VectGroup* g : ring(arrayChain()))
        for (Vect* v : ring(g->vects))
            if (!v->flatSegs) buildFlatSegs(v, kMeasurePrecision);
    int written = 0;
    for (VectGroup* g : ring(arrayChain()))
        for (Vect* v : ring(g->vects)) {
            bool first = true;
            for (Seg* s : ring(v->segs)) {
                if (written >= maxRecords) return;
                records[written++] = recordOf(*g, *v, *s, first);
                first = false;
            }
        }
}

}  // namespace lintrel
