// Exports of the indexed array family: argument checks over the array chain module; vects are
// addressed by a running index and exchanged as 104-byte records, one per defining seg.
#include <lintrel/lintrel.h>

#include <cstring>

#include "api/guarded_call.h"
#include "array/array_chain.h"
#include "model/items.h"

using namespace lintrel;

extern "C" {

LINTREL_API int VarnixCadArray_NewOne(ArrayRecord record) {
    return guardedCode([&] {
        arrayAddRecord(record);
        return LINTREL_OK;
    });
}

LINTREL_API int VarnixCadArray_DelOne(int index) {
    return guardedCode([&] { return arrayDeleteVect(index); });
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
    return guardedCode([&] {
        if (index == -1) return VarnixCad3_Move(arrayChain(), dx, dy);
        Vect* v = arrayVectAt(index).vect;
        return v ? VarnixCad3_Move(v, dx, dy) : int{LINTREL_BAD_ARGUMENT};
    });
}

LINTREL_API int VarnixCadArray_Scale(float sx, float sy, float cx, float cy, int index) {
    return guardedCode([&] {
        if (index == -1) return VarnixCad3_Scale(arrayChain(), sx, sy, cx, cy);
        Vect* v = arrayVectAt(index).vect;
        return v ? VarnixCad3_Scale(v, sx, sy, cx, cy) : int{LINTREL_BAD_ARGUMENT};
    });
}

LINTREL_API int VarnixCadArray_ItemInsert(const ArrayRecord* records, int recordCount, int index) {
    return guardedCode([&] { return arraySpliceRecords(records, recordCount, index, false); });
}

LINTREL_API int VarnixCadArray_ItemModify(const ArrayRecord* records, int recordCount, int index) {
    return guardedCode([&] { return arraySpliceRecords(records, recordCount, index, true); });
}

LINTREL_API int VarnixCadArray_GetVectNum(int* segCount) {
    return guardedCode([&] {
        if (!segCount) return LINTREL_BAD_ARGUMENT;
        // An empty chain leaves the count as it was.
        if (arrayChain()) *segCount = arraySegCount();
        return LINTREL_OK;
    });
}

LINTREL_API int VarnixCadArray_GetVectArray(ArrayRecord* records, int maxRecords) {
    return guardedCode([&] {
        if (!records && maxRecords > 0) return LINTREL_BAD_ARGUMENT;
        arrayRecords(records, maxRecords);
        return LINTREL_OK;
    });
}

}  // extern "C"
