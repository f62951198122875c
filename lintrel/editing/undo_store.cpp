// The undo store: a ring of step slots, the four recording operations, and applying, undoing,
// redoing and discarding steps. Ring edits here keep a detached item's own links, so that the
// item can later be put back between the neighbours it names.
#include "editing/undo_store.h"

#include <type_traits>
#include <utility>

#include "model/items.h"

namespace lintrel {

namespace {

// Calls `f` with the item as its own ring record type; false for a graph (in no ring) and for
// unknown kinds.
template <class F>
bool withRingRecord(void* item, F f) {
    switch (baseTypeOf(item)) {
        case LINTREL_BASE_SEG:
            f(static_cast<Seg*>(item));
            return true;
        case LINTREL_BASE_VECT:
            f(static_cast<Vect*>(item));
            return true;
        case LINTREL_BASE_GROUP:
            f(static_cast<VectGroup*>(item));
            return true;
        case LINTREL_BASE_IMAGE:
            f(static_cast<Image*>(item));
            return true;
        default:
            return false;
    }
}

bool isRingItem(const void* item) {
    const int base = baseTypeOf(item);
    return base >= LINTREL_BASE_SEG && base <= LINTREL_BASE_IMAGE;
}

bool isLone(void* item) {
    bool lone = false;
    withRingRecord(item, [&](auto* p) { lone = p->next == p && p->prev == p; });
    return lone;
}

// The item that follows `item` in its ring, or null when it is alone.
void* successorOrNull(void* item) {
    void* next = nullptr;
    withRingRecord(item, [&](auto* p) { next = p->next == p ? nullptr : p->next; });
    return next;
}

// Joins the item's neighbours; the item keeps its links to them.
void unhook(void* item) {
    withRingRecord(item, [](auto* p) {
        p->prev->next = p->next;
        p->next->prev = p->prev;
    });
}

// Puts the item back between the neighbours its own links name.
void rehook(void* item) {
    withRingRecord(item, [](auto* p) {
        p->prev->next = p;
        p->next->prev = p;
    });
}

// Forgets the item's old neighbours (which no longer point to it).
void makeLone(void* item) {
    withRingRecord(item, [](auto* p) { p->prev = p->next = p; });
}

// `replacement` (a lone item) takes the place of `item`, which keeps its own links.
void takePlace(void* item, void* replacement) {
    withRingRecord(item, [&](auto* p) {
        auto* r = static_cast<decltype(p)>(replacement);
        if (p->next == p) return;  // a lone item has no neighbours to hand over
        r->prev = p->prev;
        r->next = p->next;
        r->prev->next = r;
        r->next->prev = r;
    });
}

void insertItem(void** head, void* item, void* after) {
    withRingRecord(item, [&](auto* p) {
        using Record = std::remove_pointer_t<decltype(p)>;
        if (after)
            spliceAfter(static_cast<Record*>(after), p);
        else
            append(*reinterpret_cast<Record**>(head), p);
    });
}

bool sameBase(const void* a, const void* b) {
    return baseTypeOf(a) == baseTypeOf(b);
}

// Reverses or repeats one edit; afterwards the record describes the opposite edit.
void applyRecord(EditRecord& r) {
    const bool relink = r.kind != EditKind::ReplaceChain;
    if (r.inItem) {
        if (relink) unhook(r.inItem);
        if (r.inHead && *r.inHead == r.inItem) *r.inHead = successorOrNull(r.inItem);
    }
    if (r.outItem) {
        if (relink) rehook(r.outItem);
        if (r.outHead) *r.outHead = r.outItem;
    }
    std::swap(r.outItem, r.inItem);
    std::swap(r.outHead, r.inHead);
}

}  // namespace

UndoStore& undoStore() {
    static UndoStore store;
    return store;
}

void UndoStore::discard(Step& step) {
    for (EditRecord& r : step) {
        if (!r.outItem) continue;
        if (r.kind != EditKind::ReplaceChain) makeLone(r.outItem);
        deleteAnyChain(r.outItem);
    }
    step.clear();
}

void UndoStore::clear() {
    for (Step& step : steps_)
        discard(step);
    position_ = undoCount_ = redoCount_ = 0;
    open_ = -1;
}

void UndoStore::openStep() {
    // Newest first: the redo step furthest from the position was undone first.
    for (int i = redoCount_ - 1; i >= 0; --i)
        discard(steps_[(position_ + i) % kSlots]);
    redoCount_ = 0;
    // With every slot undoable, the slot taken now holds the oldest step.
    discard(steps_[position_]);
    open_ = position_;
    position_ = (position_ + 1) % kSlots;
    if (undoCount_ < kSlots) ++undoCount_;
}

UndoStore::Step* UndoStore::recordingStep() {
    // Recording goes only into the newest undoable step: after an undo the open step has become
    // a redo step, and edits appended to it would be re-applied out of order.
    if (open_ < 0 || undoCount_ == 0) return nullptr;
    if (open_ != (position_ + kSlots - 1) % kSlots) return nullptr;
    Step* step = &steps_[open_];
    step->reserve(step->size() + 1);  // so that appending cannot fail after the edit
    return step;
}

int UndoStore::insertOne(void** head, void* item, void* after) {
    if (!head || !item || !isRingItem(item)) return LINTREL_BAD_ARGUMENT;
    if (!isLone(item)) return LINTREL_NOT_LONE_ITEM;
    if ((after && !sameBase(after, item)) || (*head && !sameBase(*head, item)))
        return LINTREL_BASE_TYPES_DIFFER;
    Step* step = recordingStep();
    if (!step) return LINTREL_NO_UNDO_RECORD;
    const bool becomesChain = !after && !*head;
    insertItem(head, item, after);
    step->push_back({EditKind::Insert, nullptr, nullptr, item, becomesChain ? head : nullptr});
    return LINTREL_OK;
}

int UndoStore::deleteOne(void** head, void* item) {
    if (!head || !item || !*head || !isRingItem(item)) return LINTREL_BAD_ARGUMENT;
    if (!sameBase(*head, item)) return LINTREL_BASE_TYPES_DIFFER;
    Step* step = recordingStep();
    if (!step) return LINTREL_NO_UNDO_RECORD;
    const bool wasFirst = *head == item;
    unhook(item);
    if (wasFirst) *head = successorOrNull(item);
    step->push_back({EditKind::Delete, item, wasFirst ? head : nullptr, nullptr, nullptr});
    return LINTREL_OK;
}

int UndoStore::updateOne(void** head, void* item, void* replacement) {
    if (!head || !item || !replacement || !isRingItem(item) || replacement == item)
        return LINTREL_BAD_ARGUMENT;
    if (!sameBase(replacement, item)) return LINTREL_BASE_TYPES_DIFFER;
    if (!isLone(replacement)) return LINTREL_NOT_LONE_ITEM;
    Step* step = recordingStep();
    if (!step) return LINTREL_NO_UNDO_RECORD;
    const bool wasFirst = *head == item;
    takePlace(item, replacement);
    if (wasFirst) *head = replacement;
    void** recordHead = wasFirst ? head : nullptr;
    step->push_back({EditKind::ReplaceOne, item, recordHead, replacement, recordHead});
    return LINTREL_OK;
}

int UndoStore::updateAll(void** head, void* oldChain, void* newChain) {
    if (!head || !oldChain || !newChain || oldChain == newChain) return LINTREL_BAD_ARGUMENT;
    if (!isKnownBase(baseTypeOf(oldChain)) || !isKnownBase(baseTypeOf(newChain)))
        return LINTREL_BAD_ARGUMENT;
    if (!sameBase(oldChain, newChain)) return LINTREL_BASE_TYPES_DIFFER;
    Step* step = recordingStep();
    if (!step) return LINTREL_NO_UNDO_RECORD;
    *head = newChain;
    step->push_back({EditKind::ReplaceChain, oldChain, head, newChain, head});
    return LINTREL_OK;
}

int UndoStore::discardOldest() {
    if (undoCount_ == 0) return LINTREL_NOTHING_TO_DO;
    const int oldest = (position_ + kSlots - undoCount_) % kSlots;
    discard(steps_[oldest]);
    --undoCount_;
    if (undoCount_ == 0) open_ = -1;  // the open step may have been this one
    return LINTREL_OK;
}

int UndoStore::undo() {
    if (undoCount_ == 0) return LINTREL_NOTHING_TO_DO;
    --undoCount_;
    ++redoCount_;
    position_ = (position_ + kSlots - 1) % kSlots;
    Step& step = steps_[position_];
    for (auto r = step.rbegin(); r != step.rend(); ++r)
        applyRecord(*r);
    return LINTREL_OK;
}

int UndoStore::redo() {
    if (redoCount_ == 0) return LINTREL_NOTHING_TO_DO;
    --redoCount_;
    Step& step = steps_[position_];
    position_ = (position_ + 1) % kSlots;
    ++undoCount_;
    for (EditRecord& r : step)
        applyRecord(r);
    return LINTREL_OK;
}

}  // namespace lintrel
