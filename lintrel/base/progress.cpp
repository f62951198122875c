// The per-thread progress state: the host's callback, how deep in exports the thread is, and
// whether the running operation has changed its input.
#include "base/progress.h"

#include <algorithm>

namespace lintrel {

namespace {

struct ThreadProgress {
    ProgressCallback callback = nullptr;
    void* context = nullptr;
    int depth = 0;
    bool changed = false;
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

void noteInputChanged() {
    state.changed = true;
}

void reportProgress(long long done, long long total) {
    if (!state.callback) return;
    const long long share = total > 0 ? std::clamp(done * 100 / total, 0LL, 100LL) : 100;
    const bool stop = state.callback(state.context, static_cast<int>(share)) != 0;
    // Work that has begun to change the drawing is finished: half a sort would be worse than
    // a late one.
    if (stop && !state.changed) throw Cancelled{};
}

}  // namespace lintrel
