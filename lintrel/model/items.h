// Internal view of the item records: base types, ring walking, splicing, construction,
// copying and deletion. Every subsystem of the library builds and rearranges chains with these
// helpers instead of writing its own pointer loops.
#pragma once

#include <lintrel/lintrel.h>

#include <cstddef>
#include <utility>

namespace lintrel {

inline int baseType(int type) {
    return type / 1000 * 1000;
}
inline int typeOf(const void* item) {
    return *static_cast<const int32_t*>(item);
}
inline int baseTypeOf(const void* item) {
    return baseType(typeOf(item));
}
inline bool isKnownBase(int base) {
    return base == LINTREL_BASE_SEG || base == LINTREL_BASE_VECT || base == LINTREL_BASE_GROUP ||
           base == LINTREL_BASE_IMAGE || base == LINTREL_BASE_GRAPH;
}

// ---- Walking rings ----

// Iterates a ring from its first item to the item that was last when the walk began, stopping
// early at a null `next`. The successor is read before an item is visited, so the visitor may
// unlink or delete the item it is given (but no other item of the ring).
template <class T>
class Ring {
  public:
    explicit Ring(T* first) : first_(first) {}

    class iterator {
      public:
        iterator(T* item, T* last) : item_(item), last_(last), next_(advance(item)) {}
        T* operator*() const { return item_; }
        iterator& operator++() {
            item_ = next_;
            next_ = advance(item_);
            return *this;
        }
        bool operator!=(const iterator& other) const { return item_ != other.item_; }

      private:
        T* advance(T* item) const { return !item || item == last_ ? nullptr : item->next; }
        T* item_;
        T* last_;
        T* next_;
    };

    iterator begin() const { return iterator(first_, first_ ? first_->prev : nullptr); }
    iterator end() const { return iterator(nullptr, nullptr); }

  private:
    T* first_;
};

template <class T>
Ring<T> ring(T* first) {
    return Ring<T>(first);
}

// Number of items in the ring that holds `item`; 0 for null.
template <class T>
int ringCount(const T* item) {
    int n = 0;
    for (const T* p : ring(const_cast<T*>(item))) {
        (void)p;
        ++n;
    }
    return n;
}

template <class T>
T* lastOf(T* first) {
    return first ? first->prev : nullptr;
}

// ---- Relinking ----

// Makes `item` a lone ring, joining its neighbours.
template <class T>
void unlink(T* item) {
    item->prev->next = item->next;
    item->next->prev = item->prev;
    item->prev = item;
    item->next = item;
}

// Splices the whole ring of `items` in before `position`, keeping its order.
template <class T>
void spliceBefore(T* position, T* items) {
    T* last = items->prev;
    T* before = position->prev;
    before->next = items;
    items->prev = before;
    last->next = position;
    position->prev = last;
}

// Splices the whole ring of `items` in after `position`, keeping its order.
template <class T>
void spliceAfter(T* position, T* items) {
    T* last = items->prev;
    T* after = position->next;
    position->next = items;
    items->prev = position;
    last->next = after;
    after->prev = last;
}

// Cuts the ring of `head` in two before `from` (another member): `head` keeps the items before
// `from`, and the items from `from` to the last form a ring of their own, headed by `from`.
template <class T>
T* cutRingBefore(T* head, T* from) {
    // The two rings exchange the items before `head` and before `from`.
    head->prev->next = from;
    from->prev->next = head;
    std::swap(head->prev, from->prev);
    return from;
}

// Appends the ring of `items` at the end of the chain `head` (which may be empty).
template <class T>
void append(T*& head, T* items) {
    if (!head)
        head = items;
    else
        spliceBefore(head, items);
}

// Removes `item` from the chain `head`, moving or clearing the head as needed. The item
// becomes a lone ring owned by the caller.
template <class T>
void detach(T*& head, T* item) {
    if (item == head) head = item->next == item ? nullptr : item->next;
    unlink(item);
}

// ---- Construction ----

Seg* newSeg();
Seg* newLine(double x0, double y0, double x1, double y1);
Vect* newVect();
VectGroup* newGroup();
Image* newImage();
Graph* newGraph();

// ---- Deletion: each frees the item(s) and everything they own ----

void deleteSegChain(Seg* first);
void deleteVectChain(Vect* first);
void deleteGroupChain(VectGroup* first);
void deleteImageChain(Image* first);
void deleteGraph(Graph* graph);
void deleteLoneVect(Vect* vect);
// Deletes any item kind's whole ring; false for an unknown base type.
bool deleteAnyChain(void* item);
// Unlinks `item` from its ring and frees it; false for an unknown base type.
bool deleteAnyItem(void* item);

// Deletes `item` from the chain `head`, moving or clearing the head.
template <class T>
void eraseFrom(T*& head, T* item);
template <>
inline void eraseFrom<Seg>(Seg*& head, Seg* item) {
    detach(head, item);
    deleteSegChain(item);
}
template <>
inline void eraseFrom<Vect>(Vect*& head, Vect* item) {
    detach(head, item);
    deleteVectChain(item);
}
template <>
inline void eraseFrom<VectGroup>(VectGroup*& head, VectGroup* item) {
    detach(head, item);
    deleteGroupChain(item);
}

// ---- Copying: deep copies as lone items or whole new rings ----

Seg* copySeg(const Seg* seg);
Seg* copySegChain(const Seg* first);
Vect* copyVect(const Vect* vect);  // action texts are not copied
Vect* copyVectChain(const Vect* first);
VectGroup* copyGroup(const VectGroup* group);
VectGroup* copyGroupChain(const VectGroup* first);
Image* copyImage(const Image* image);
Image* copyImageChain(const Image* first);
Graph* copyGraph(const Graph* graph);
// Copies the whole ring of any item kind; null for an unknown base type.
void* copyAnyChain(const void* item);
// Copies one item as a lone item; null for an unknown base type.
void* copyAnyOne(const void* item);

// Replaces a vect's defining chain, freeing the old one.
void replaceSegs(Vect* vect, Seg* segs);
// Frees a vect's flattened copy, if any.
void clearFlatSegs(Vect* vect);

// ---- Scoped ownership of a temporary chain ----

namespace detail {
inline void deleteChainOf(Seg* p) {
    deleteSegChain(p);
}
inline void deleteChainOf(Vect* p) {
    deleteVectChain(p);
}
inline void deleteChainOf(VectGroup* p) {
    deleteGroupChain(p);
}
inline void deleteChainOf(Image* p) {
    deleteImageChain(p);
}
inline void deleteChainOf(Graph* p) {
    deleteGraph(p);
}
}  // namespace detail

// Owns a chain until it is released; deletes it otherwise.
template <class T>
class ChainOwner {
  public:
    ChainOwner() = default;
    explicit ChainOwner(T* head) : head_(head) {}
    ChainOwner(const ChainOwner&) = delete;
    ChainOwner& operator=(const ChainOwner&) = delete;
    ChainOwner(ChainOwner&& other) noexcept : head_(other.release()) {}
    ChainOwner& operator=(ChainOwner&& other) noexcept {
        reset(other.release());
        return *this;
    }
    ~ChainOwner() { reset(); }

    T* get() const { return head_; }
    T*& head() { return head_; }
    T* release() { return std::exchange(head_, nullptr); }
    void reset(T* head = nullptr) {
        if (head_) detail::deleteChainOf(head_);
        head_ = head;
    }
    void append(T* items) { lintrel::append(head_, items); }
    explicit operator bool() const { return head_ != nullptr; }

  private:
    T* head_ = nullptr;
};

// ---- Strings on the runtime heap shared with the host ----

char* duplicateText(const char* text);  // null stays null
void freeText(char*& text);

}  // namespace lintrel
