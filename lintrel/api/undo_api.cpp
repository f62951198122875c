// Exports of the undo store: opening and clearing steps, the four recording operations, undo
// and redo.
#include <lintrel/lintrel.h>

#include "api/guarded_call.h"
#include "editing/undo_store.h"

using namespace lintrel;

namespace {

// A recording operation that could not get memory for its record has changed nothing; the
// host hears that no step could take the edit. Clearing, opening, undo and redo never allocate.
constexpr int kRecordingFailed = LINTREL_NO_UNDO_RECORD;

}  // namespace

extern "C" {

LINTREL_API int Lintrel_Edit_ClearRecord(void) {
    return guardedCall(int{LINTREL_OK}, [] {
        undoStore().clear();
        return LINTREL_OK;
    });
}

LINTREL_API int Lintrel_Edit_AddRecord(void) {
    return guardedCall(int{LINTREL_OK}, [] {
        undoStore().openStep();
        return LINTREL_OK;
    });
}

LINTREL_API int Lintrel_Edit_InsertOne(void** head, void* item, void* after) {
    return guardedCall(kRecordingFailed, [&] { return undoStore().insertOne(head, item, after); });
}

LINTREL_API int Lintrel_Edit_DeleteOne(void** head, void* item) {
    return guardedCall(kRecordingFailed, [&] { return undoStore().deleteOne(head, item); });
}

LINTREL_API int Lintrel_Edit_UpdateOne(void** head, void* item, void* replacement) {
    return guardedCall(kRecordingFailed,
                       [&] { return undoStore().updateOne(head, item, replacement); });
}

LINTREL_API int Lintrel_Edit_UpdateAll(void** head, void* oldChain, void* newChain) {
    return guardedCall(kRecordingFailed,
                       [&] { return undoStore().updateAll(head, oldChain, newChain); });
}

LINTREL_API int Lintrel_Edit_IfUndo(void) {
    return guardedCall(0, [] { return undoStore().canUndo() ? 1 : 0; });
}

LINTREL_API int Lintrel_Edit_Undo(void) {
    return guardedCall(int{LINTREL_NOTHING_TO_DO}, [] { return undoStore().undo(); });
}

LINTREL_API int Lintrel_Edit_IfRedo(void) {
    return guardedCall(0, [] { return undoStore().canRedo() ? 1 : 0; });
}

LINTREL_API int Lintrel_Edit_Redo(void) {
    return guardedCall(int{LINTREL_NOTHING_TO_DO}, [] { return undoStore().redo(); });
}

LINTREL_API int Lintrel_Edit_DiscardOldest(void) {
    return guardedCall(int{LINTREL_NOTHING_TO_DO}, [] { return undoStore().discardOldest(); });
}

}  // extern "C"
