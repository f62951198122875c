// Exports of the item family: type codes, constructors, copies, deletion, splicing, counting
// and the action texts shared with the host's heap.
#include <lintrel/lintrel.h>

#include <cstdlib>
#include <type_traits>

#include "api/guarded_call.h"
#include "model/items.h"

using namespace lintrel;

namespace {

// Calls `f` with the item as a pointer to its own ring record type; `otherwise` for a graph,
// which is in no ring, and for unknown kinds.
template <class F, class G>
auto onRingItem(void* item, F f, G otherwise) {
    using Result = decltype(otherwise());
    return visitRecord(item, otherwise(), [&](auto* record) -> Result {
        if constexpr (std::is_same_v<decltype(record), Graph*>)
            return otherwise();
        else
            return f(record);
    });
}

int insert(void* position, void* items, bool before) {
    if (!position || !items) return LINTREL_BAD_ARGUMENT;
    const int base = baseTypeOf(position);
    if (!isKnownBase(base) || !isKnownBase(baseTypeOf(items))) return LINTREL_BAD_ARGUMENT;
    if (base != baseTypeOf(items)) return LINTREL_BASE_TYPES_DIFFER;
    return onRingItem(
        position,
        [&](auto* at) {
            auto* block = static_cast<decltype(at)>(items);
            if (before)
                spliceBefore(at, block);
            else
                spliceAfter(at, block);
            return int{LINTREL_OK};
        },
        [] { return int{LINTREL_BAD_ARGUMENT}; });
}

void* neighbour(void* item, bool next) {
    if (!item) return nullptr;
    return onRingItem(
        item, [next](auto* p) -> void* { return next ? p->next : p->prev; },
        []() -> void* { return nullptr; });
}

}  // namespace

extern "C" {

LINTREL_API int VarnixCad3_GetItemType(void* item) {
    return guardedCode([&] { return item ? typeOf(item) : 0; });
}
LINTREL_API int VarnixCad3_GetItemBaseType(void* item) {
    return guardedCode([&] { return item ? baseTypeOf(item) : 0; });
}

LINTREL_API Graph* VarnixCad3_NewGraph(void) {
    return guardedCall<Graph*>(nullptr, newGraph);
}
LINTREL_API VectGroup* VarnixCad3_NewVectGroup(void) {
    return guardedCall<VectGroup*>(nullptr, newGroup);
}
LINTREL_API Vect* VarnixCad3_NewVect(void) {
    return guardedCall<Vect*>(nullptr, newVect);
}
LINTREL_API Seg* VarnixCad3_NewSeg(void) {
    return guardedCall<Seg*>(nullptr, newSeg);
}
LINTREL_API Image* VarnixCad3_NewImage(void) {
    return guardedCall<Image*>(nullptr, newImage);
}

LINTREL_API int VarnixCad3_CopyChain(void* item, void** copy) {
    return guardedCode([&] {
        if (!item || !copy || !isKnownBase(baseTypeOf(item))) return LINTREL_BAD_ARGUMENT;
        *copy = copyAnyChain(item);
        return LINTREL_OK;
    });
}

LINTREL_API void* VarnixCad3_CopyOne(void* item) {
    return guardedCall<void*>(nullptr, [&] { return item ? copyAnyOne(item) : nullptr; });
}

LINTREL_API int VarnixCad3_DeleteChain(void* item) {
    return guardedCode([&] {
        if (!item) return LINTREL_BAD_ARGUMENT;
        return deleteAnyChain(item) ? LINTREL_OK : LINTREL_BAD_ARGUMENT;
    });
}

LINTREL_API int VarnixCad3_ItemDelete(void* item) {
    return guardedCode([&] {
        if (!item) return LINTREL_BAD_ARGUMENT;
        return deleteAnyItem(item) ? LINTREL_OK : LINTREL_BAD_ARGUMENT;
    });
}

LINTREL_API int VarnixCad3_ItemSeparate(void* item) {
    return guardedCode([&] {
        if (!item) return int{LINTREL_BAD_ARGUMENT};
        if (baseTypeOf(item) == LINTREL_BASE_GRAPH) return int{LINTREL_OK};  // in no ring
        return onRingItem(
            item,
            [](auto* p) {
                unlink(p);
                return int{LINTREL_OK};
            },
            [] { return int{LINTREL_BAD_ARGUMENT}; });
    });
}

LINTREL_API int VarnixCad3_ItemInsertBefore(void* position, void* items) {
    return guardedCode([&] { return insert(position, items, true); });
}

LINTREL_API int VarnixCad3_ItemInsertAfter(void* position, void* items) {
    return guardedCode([&] { return insert(position, items, false); });
}

LINTREL_API void* VarnixCad3_ItemFindNext(void* item) {
    return guardedCall<void*>(nullptr, [&] { return neighbour(item, true); });
}
LINTREL_API void* VarnixCad3_ItemFindPrev(void* item) {
    return guardedCall<void*>(nullptr, [&] { return neighbour(item, false); });
}

LINTREL_API int VarnixCad3_ItemGetListNum(void* item) {
    return guardedCall(-1, [&] {
        if (!item) return 0;
        return onRingItem(
            item, [](auto* p) { return ringCount(p); }, [] { return 1; });
    });
}

LINTREL_API char* VarnixCad3_SetStrT(char* oldText, int size) {
    return guardedCall<char*>(nullptr, [&] {
        std::free(oldText);
        return static_cast<char*>(std::malloc(size > 0 ? static_cast<size_t>(size) : 1));
    });
}

LINTREL_API int VarnixCad3_DelStrT(char* text) {
    return guardedCode([&] {
        std::free(text);
        return LINTREL_OK;
    });
}

}  // extern "C"
