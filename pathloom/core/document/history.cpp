// The undo history: whole-chain steps exchanged with the document.
#include "core/document/history.h"

#include <lintrel/lintrel.hpp>

#include <utility>

namespace pathloom {

History::History(Document& document) : document_(document) {}

History::~History() {
    clear();
}

long long History::segmentCount(const VectGroup* drawing) {
    long long count = 0;
    for (VectGroup* group : lintrel::ring(const_cast<VectGroup*>(drawing)))
        for (Vect* v : lintrel::ring(group->vects))
            count += lintrel::ringCount(v->segs) + lintrel::ringCount(v->flatSegs) + 1;
    return count;
}

void History::freeKept(Step& step) {
    if (step.kept) VarnixCad3_DeleteChain(step.kept);
    step.kept = nullptr;
}

void History::clear() {
    endEdit(false, {});
    for (Step& step : steps_)
        freeKept(step);
    steps_.clear();
    position_ = 0;
    clean_ = 0;
    held_ = 0;
}

void History::beginEdit() {
    endEdit(false, {});
    VectGroup* drawing = document_.drawing();
    if (!drawing) {
        pendingEmpty_ = true;
        return;
    }
    void* copy = nullptr;
    // Without a copy the edit still runs; it just cannot be taken back.
    if (VarnixCad3_CopyChain(drawing, &copy) == LINTREL_OK)
        pending_ = static_cast<VectGroup*>(copy);
}

void History::endEdit(bool changed, const std::string& name) {
    VectGroup* before = std::exchange(pending_, nullptr);
    const bool hadNone = std::exchange(pendingEmpty_, false);
    if (!changed || (!before && !hadNone)) {
        if (before) VarnixCad3_DeleteChain(before);
        return;
    }
    dropRedoSteps();
    Step step{name, before, document_.name(), segmentCount(before)};
    makeRoom(step.segments);
    push(std::move(step));
}

void History::replaced(VectGroup* previous, std::string previousFile, const std::string& name) {
    endEdit(false, {});
    dropRedoSteps();
    const long long segments = segmentCount(previous);
    makeRoom(segments);
    push({name, previous, std::move(previousFile), segments});
}

// Before a new step is recorded: at most kSteps steps within the segment budget.
void History::makeRoom(long long segments) {
    while (!steps_.empty() &&
           (steps_.size() >= static_cast<size_t>(kSteps) || held_ + segments > kSegmentBudget))
        dropOldest();
}

void History::push(Step step) {
    held_ += step.segments;
    steps_.push_back(std::move(step));
    position_ = steps_.size();
}

void History::dropRedoSteps() {
    if (clean_ > static_cast<long long>(position_)) clean_ = -1;
    while (steps_.size() > position_) {
        held_ -= steps_.back().segments;
        freeKept(steps_.back());
        steps_.pop_back();
    }
}

void History::dropOldest() {
    Step& oldest = steps_.front();
    held_ -= oldest.segments;
    freeKept(oldest);
    steps_.erase(steps_.begin());
    --position_;
    clean_ = clean_ > 0 ? clean_ - 1 : -1;
}

void History::exchange(Step& step) {
    VectGroup* other = step.kept;
    step.kept = document_.release();
    document_.adopt(other);
    std::string file = std::move(step.keptFile);
    step.keptFile = document_.name();
    document_.setName(std::move(file));
}

bool History::undo() {
    if (!canUndo() || document_.busy()) return false;
    exchange(steps_[position_ - 1]);
    --position_;
    return true;
}

bool History::redo() {
    if (!canRedo() || document_.busy()) return false;
    exchange(steps_[position_]);
    ++position_;
    return true;
}

std::string History::undoName() const {
    return canUndo() ? steps_[position_ - 1].name : std::string();
}

std::string History::redoName() const {
    return canRedo() ? steps_[position_].name : std::string();
}

}  // namespace pathloom
