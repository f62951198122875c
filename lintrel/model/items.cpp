// Construction, deep copying and deletion of items. This file is the record allocator: every
// record the library hands out is created and freed here.
#include "model/items.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>

namespace lintrel {

namespace {

template <class T>
T* allocate() {
    T* item = new T{};
    if constexpr (!std::is_same_v<T, Graph>) {
        item->prev = item;
        item->next = item;
    }
    return item;
}

void* copyBytes(const void* source, size_t size) {
    if (!source || size == 0) return nullptr;
    void* block = std::malloc(size);
    // Out of memory goes the way of every other allocation: up to the export's guard.
    if (!block) throw std::bad_alloc();
    std::memcpy(block, source, size);
    return block;
}

}  // namespace

Seg* newSeg() {
    Seg* seg = allocate<Seg>();
    seg->type = LINTREL_SEG;
    return seg;
}

Seg* newLine(double x0, double y0, double x1, double y1) {
    Seg* seg = newSeg();
    seg->x0 = x0;
    seg->y0 = y0;
    seg->x1 = x1;
    seg->y1 = y1;
    return seg;
}

Vect* newVect() {
    Vect* vect = allocate<Vect>();
    vect->type = LINTREL_POLYLINE;
    vect->state = 1;
    vect->speed = 200.0;
    return vect;
}

VectGroup* newGroup() {
    VectGroup* group = allocate<VectGroup>();
    group->type = LINTREL_GROUP;
    return group;
}

Image* newImage() {
    Image* image = allocate<Image>();
    image->type = LINTREL_IMAGE;
    return image;
}

Graph* newGraph() {
    Graph* graph = allocate<Graph>();
    graph->type = LINTREL_GRAPH;
    return graph;
}

char* duplicateText(const char* text) {
    if (!text) return nullptr;
    return static_cast<char*>(copyBytes(text, std::strlen(text) + 1));
}

void freeText(char*& text) {
    std::free(text);
    text = nullptr;
}

// ---- Deletion ----
// Each chain is cut open behind its last item first, so the walk covers the whole ring and
// stops at the cut even if a caller's ring was already open.

void deleteSegChain(Seg* first) {
    if (!first) return;
    if (first->prev) first->prev->next = nullptr;
    for (Seg* seg = first; seg;) {
        Seg* next = seg->next;
        delete seg;
        seg = next;
    }
}

static void freeVectContents(Vect* vect) {
    deleteSegChain(vect->segs);
    deleteSegChain(vect->flatSegs);
    freeText(vect->beforeAction);
    freeText(vect->afterAction);
    freeText(vect->text);
    freeText(vect->fontName);
}

void deleteVectChain(Vect* first) {
    if (!first) return;
    if (first->prev) first->prev->next = nullptr;
    for (Vect* vect = first; vect;) {
        Vect* next = vect->next;
        freeVectContents(vect);
        delete vect;
        vect = next;
    }
}

void deleteLoneVect(Vect* vect) {
    if (!vect) return;
    unlink(vect);
    deleteVectChain(vect);
}

void deleteGroupChain(VectGroup* first) {
    if (!first) return;
    if (first->prev) first->prev->next = nullptr;
    for (VectGroup* group = first; group;) {
        VectGroup* next = group->next;
        deleteVectChain(group->vects);
        delete group;
        group = next;
    }
}

void deleteImageChain(Image* first) {
    if (!first) return;
    if (first->prev) first->prev->next = nullptr;
    for (Image* image = first; image;) {
        Image* next = image->next;
        std::free(image->pixels);
        std::free(image->palette);
        delete image;
        image = next;
    }
}

void deleteGraph(Graph* graph) {
    if (!graph) return;
    deleteGroupChain(graph->groups);
    deleteImageChain(graph->images);
    delete graph;
}

namespace {

void deleteChainOf(Seg* p) {
    deleteSegChain(p);
}
void deleteChainOf(Vect* p) {
    deleteVectChain(p);
}
void deleteChainOf(VectGroup* p) {
    deleteGroupChain(p);
}
void deleteChainOf(Image* p) {
    deleteImageChain(p);
}
void deleteChainOf(Graph* p) {
    deleteGraph(p);
}

}  // namespace

bool deleteAnyChain(void* item) {
    return visitRecord(item, false, [](auto* record) {
        deleteChainOf(record);
        return true;
    });
}

bool deleteAnyItem(void* item) {
    return visitRecord(item, false, [](auto* record) {
        // A graph is never part of a ring.
        if constexpr (!std::is_same_v<decltype(record), Graph*>) unlink(record);
        deleteChainOf(record);
        return true;
    });
}

void numberGroups(VectGroup* first) {
    int number = 1;
    for (VectGroup* g : ring(first))
        g->number = number++;
}

void replaceSegs(Vect* vect, Seg* segs) {
    deleteSegChain(vect->segs);
    vect->segs = segs;
}

void clearFlatSegs(Vect* vect) {
    deleteSegChain(vect->flatSegs);
    vect->flatSegs = nullptr;
}

// ---- Copying ----

template <class T, class CopyOne>
static T* copyRing(const T* first, CopyOne copyOne) {
    T* head = nullptr;
    for (const T* item : ring(first))
        append(head, copyOne(item));
    return head;
}

Seg* copySeg(const Seg* seg) {
    Seg* copy = allocate<Seg>();
    copy->type = seg->type;
    copy->jump = seg->jump;
    copy->tag = seg->tag;
    copy->x0 = seg->x0;
    copy->y0 = seg->y0;
    copy->z0 = seg->z0;
    copy->x1 = seg->x1;
    copy->y1 = seg->y1;
    copy->z1 = seg->z1;
    return copy;
}

Seg* copySegChain(const Seg* first) {
    return copyRing(first, copySeg);
}

Vect* copyVect(const Vect* vect) {
    Vect* copy = allocate<Vect>();
    Vect* prev = copy->prev;
    Vect* next = copy->next;
    *copy = *vect;
    copy->prev = prev;
    copy->next = next;
    copy->beforeAction = nullptr;
    copy->afterAction = nullptr;
    copy->text = duplicateText(vect->text);
    copy->fontName = duplicateText(vect->fontName);
    copy->segs = copySegChain(vect->segs);
    copy->flatSegs = copySegChain(vect->flatSegs);
    return copy;
}

Vect* copyVectChain(const Vect* first) {
    return copyRing(first, copyVect);
}

VectGroup* copyGroup(const VectGroup* group) {
    VectGroup* copy = newGroup();
    copy->number = group->number;
    copy->colour = group->colour;
    copy->vects = copyVectChain(group->vects);
    return copy;
}

VectGroup* copyGroupChain(const VectGroup* first) {
    return copyRing(first, copyGroup);
}

Image* copyImage(const Image* image) {
    Image* copy = allocate<Image>();
    Image* prev = copy->prev;
    Image* next = copy->next;
    *copy = *image;
    copy->prev = prev;
    copy->next = next;
    copy->palette = static_cast<uint8_t*>(
        copyBytes(image->palette, image->paletteCount > 0 ? size_t(image->paletteCount) * 4 : 0));
    copy->pixels = static_cast<uint8_t*>(
        copyBytes(image->pixels, image->pixelBytes > 0 ? size_t(image->pixelBytes) : 0));
    return copy;
}

Image* copyImageChain(const Image* first) {
    return copyRing(first, copyImage);
}

Graph* copyGraph(const Graph* graph) {
    Graph* copy = newGraph();
    copy->groups = copyGroupChain(graph->groups);
    copy->images = copyImageChain(graph->images);
    return copy;
}

void* copyAnyChain(const void* item) {
    return visitRecord(item, static_cast<void*>(nullptr), [](auto* record) -> void* {
        using Record = std::remove_cv_t<std::remove_pointer_t<decltype(record)>>;
        if constexpr (std::is_same_v<Record, Seg>)
            return copySegChain(record);
        else if constexpr (std::is_same_v<Record, Vect>)
            return copyVectChain(record);
        else if constexpr (std::is_same_v<Record, VectGroup>)
            return copyGroupChain(record);
        else if constexpr (std::is_same_v<Record, Image>)
            return copyImageChain(record);
        else
            return copyGraph(record);
    });
}

void* copyAnyOne(const void* item) {
    return visitRecord(item, static_cast<void*>(nullptr), [](auto* record) -> void* {
        using Record = std::remove_cv_t<std::remove_pointer_t<decltype(record)>>;
        if constexpr (std::is_same_v<Record, Seg>)
            return copySeg(record);
        else if constexpr (std::is_same_v<Record, Vect>)
            return copyVect(record);
        else if constexpr (std::is_same_v<Record, VectGroup>)
            return copyGroup(record);
        else if constexpr (std::is_same_v<Record, Image>)
            return copyImage(record);
        else
            return copyGraph(record);
    });
}

}  // namespace lintrel
