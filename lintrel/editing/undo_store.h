// Step-wise undo and redo of structural edits to chains of items. Nothing is copied: an edit
// records which item it detached and which it attached, and reversing it swaps the two. Detached
// items stay in the store, keeping their old links, until the step that holds them is discarded.
#pragma once

#include <lintrel/lintrel.h>

#include <array>
#include <vector>

namespace lintrel {

enum class EditKind { Insert = 1, Delete = 2, ReplaceOne = 3, ReplaceChain = 4 };

// One recorded edit. `out` is the item (a chain for ReplaceChain) held detached by the store,
// `in` the one that the edit put into the model. A head is the chain variable that must point
// to its item while that item is attached and first; null when the item is not first.
struct EditRecord {
    EditKind kind;
    void* outItem;
    void** outHead;
    void* inItem;
    void** inHead;
};

class UndoStore {
  public:
    static constexpr int kSlots = 32;

    UndoStore() = default;
    UndoStore(const UndoStore&) = delete;
    UndoStore& operator=(const UndoStore&) = delete;

    // Discards every step; no step is open afterwards.
    void clear();
    // Drops the redo steps and opens a new step, discarding the oldest when all slots are used.
    void openStep();

    // The recording operations perform their edit and append its record to the open step.
    // Results: 0; 21000 bad arguments; 21002 items of different base types; 21020 no open step;
    // 21022 (insertion, replacement) an item that is still linked to others.
    int insertOne(void** head, void* item, void* after);
    int deleteOne(void** head, void* item);
    int updateOne(void** head, void* item, void* replacement);
    int updateAll(void** head, void* oldChain, void* newChain);

    bool canUndo() const { return undoCount_ > 0; }
    bool canRedo() const { return redoCount_ > 0; }
    // 0, or 100 when there is nothing to undo (redo).
    int undo();
    int redo();

    // Discards the oldest undoable step, freeing what it holds: a host bounds the memory the
    // store keeps. 0, or 100 when there is no undoable step.
    int discardOldest();

    int undoCount() const { return undoCount_; }
    int redoCount() const { return redoCount_; }

  private:
    using Step = std::vector<EditRecord>;

    // The open step, or null when recording is not possible now.
    Step* recordingStep();
    static void discard(Step& step);

    std::array<Step, kSlots> steps_;
    int position_ = 0;  // slot of the next new step
    int undoCount_ = 0;
    int redoCount_ = 0;
    int open_ = -1;  // slot that recording appends to
};

// The one store of the process.
UndoStore& undoStore();

}  // namespace lintrel
