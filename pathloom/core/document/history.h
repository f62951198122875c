// The drawing's undo history: one list of named steps that the operator undoes and redoes.
// Every step exchanges the whole drawing chain. An edit copies the drawing before it runs; once
// it has changed the drawing, the step keeps the copy, and undo exchanges it with the drawing
// (so that the step then keeps the edited chain for redo). The library's undo store is not used
// for these steps: its whole-chain records name the chain an edit left in place, and the next
// edit changes that same chain in place again, so a second undo would hand the store a chain
// another record already holds.
#pragma once

#include <lintrel/lintrel.h>

#include <cstddef>
#include <string>
#include <vector>

#include "core/document/document.h"

namespace pathloom {

class History {
  public:
    // Steps kept at most (as many as the library's own undo store keeps).
    static constexpr int kSteps = 32;
    // Segments the kept chains may hold together before the oldest steps go; the newest step is
    // always kept, however large.
    static constexpr long long kSegmentBudget = 8'000'000;

    explicit History(Document& document);
    ~History();
    History(const History&) = delete;
    History& operator=(const History&) = delete;

    // Before an edit that changes the drawing in place: keeps a copy of it.
    void beginEdit();
    // After the edit: when it changed the drawing, a step called `name` (the copy is dropped
    // otherwise). A call without `beginEdit` does nothing.
    void endEdit(bool changed, const std::string& name);
    bool editPending() const { return pending_ != nullptr || pendingEmpty_; }

    // The document's drawing was replaced as a whole and `previous` (null for none) is handed
    // over, with the file name the document had: a step called `name`.
    void replaced(VectGroup* previous, std::string previousFile, const std::string& name);

    bool canUndo() const { return position_ > 0; }
    bool canRedo() const { return position_ < steps_.size(); }
    // Names of the steps undo and redo would take back or repeat; empty when none.
    std::string undoName() const;
    std::string redoName() const;
    // False when there was nothing to undo (redo).
    bool undo();
    bool redo();

    // Forgets every step and frees what they hold.
    void clear();
    // The drawing as it is now counts as kept (opened or exported); `modified()` tells whether
    // it has changed since.
    void markClean() { clean_ = static_cast<long long>(position_); }
    bool modified() const { return clean_ != static_cast<long long>(position_); }

    // Segments (definition and flattened) of a drawing, the measure of the memory a step holds.
    static long long segmentCount(const VectGroup* drawing);

  private:
    struct Step {
        std::string name;
        VectGroup* kept = nullptr;  // the other chain: before the step, or after it once undone
        std::string keptFile;       // the document's file name that goes with the other chain
        long long segments = 0;
    };

    void makeRoom(long long segments);
    void push(Step step);
    void dropRedoSteps();
    void dropOldest();
    void exchange(Step& step);
    static void freeKept(Step& step);

    Document& document_;
    std::vector<Step> steps_;
    size_t position_ = 0;  // steps before it are undoable, from it on redoable
    long long clean_ = 0;  // position of the kept state; -1 when it is no longer reachable
    long long held_ = 0;   // segments held by all steps
    VectGroup* pending_ = nullptr;
    bool pendingEmpty_ = false;  // beginEdit found no drawing
};

}  // namespace pathloom
