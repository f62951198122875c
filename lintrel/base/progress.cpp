// The per-thread progress state: the host's callback, how deep in exports the thread is, and
// whether the running operation has changed its input.
#include "base/progress.h"

#include <algorithm>

namespace lintrel {

namespace {

// What an operation shared between threads has come to (`SharedOperation`).
enum Shared : int { kUnchanged, kChanged, kStopped };

struct ThreadProgress {
    ProgressCallback callback = nullptr;
    void* context = nullptr;
    int depth = 0;
    bool changed = false;
    double from = 0, width = 1;          // the running part's place in the whole, as shares
    std::atomic<int>* shared = nullptr;  // the operation this thread shares, if any
};

thread_local ThreadProgress state;

}  // namespace

void setProgressCallback(ProgressCallback callback, void* context) {
    state.callback = callback;
    state.context = callback ? context : nullptr;
}

OperationScope::OperationScope() {
    if (state.depth++ == 0) state.changed = false;
}

OperationScope::~OperationScope() {
    --state.depth;
}

bool progressWanted() {
    return state.callback != nullptr;
}

ProgressPart::ProgressPart(long long before, long long size, long long total)
    : savedFrom_(state.from), savedWidth_(state.width) {
    if (total <= 0) return;
    state.from =
        savedFrom_ + savedWidth_ * static_cast<double>(before) / static_cast<double>(total);
    state.width = savedWidth_ * static_cast<double>(size) / static_cast<double>(total);
}

ProgressPart::~ProgressPart() {
    state.from = savedFrom_;
    state.width = savedWidth_;
}

void noteInputChanged() {
    if (state.changed) return;
    if (state.shared) {
        int now = kUnchanged;
        // Another thread took the host's stop while nothing was changed: stop here too.
        if (!state.shared->compare_exchange_strong(now, kChanged) && now == kStopped)
            throw Cancelled{};
    }
    state.changed = true;
}

void reportProgress(long long done, long long total) {
    if (state.shared && !state.changed && state.shared->load() == kStopped) throw Cancelled{};
    if (!state.callback) return;
    const double part = total > 0 ? std::clamp(static_cast<double>(done) / total, 0.0, 1.0) : 1.0;
    const int share = static_cast<int>((state.from + state.width * part) * 100);
    const bool stop = state.callback(state.context, std::clamp(share, 0, 100)) != 0;
    // Work that has begun to change the drawing is finished: half a sort would be worse than
    // a late one.
    if (!stop || state.changed) return;
    if (state.shared) {
        int now = kUnchanged;
        if (!state.shared->compare_exchange_strong(now, kStopped) && now != kStopped) return;
    }
    throw Cancelled{};
}

SharedOperation::SharedOperation()
    : state_(state.changed ? kChanged : kUnchanged), saved_(state.shared) {
    state.shared = &state_;
}

SharedOperation::~SharedOperation() {
    state.shared = saved_;
    if (state_.load() == kChanged) state.changed = true;
}

SharedOperation::Helper::Helper(SharedOperation& operation) {
    state.shared = &operation.state_;
    state.changed = false;
    ++state.depth;
}

SharedOperation::Helper::~Helper() {
    state.shared = nullptr;
    --state.depth;
}

}  // namespace lintrel
