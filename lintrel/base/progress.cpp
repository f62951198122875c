// The per-thread progress state: the host's callback, how deep in exports the thread is, and
// whether the running operation has changed its input.
#include "base/progress.h"

#include <algorithm>
#include <cmath>

namespace lintrel {

namespace {

// What an operation shared between threads has come to (`SharedOperation`).
enum Shared : int { kUnchanged, kChanged, kStopped };

struct ThreadProgress {
    ProgressCallback callback = nullptr;
    void* context = nullptr;
    int depth = 0;
    bool changed = false;
    double from = 0, width = 1;  // the running part's place in the whole, as shares
    // The operation this thread shares, if any, and what of its running part it has added to
    // the shared progress.
    SharedOperation::State* shared = nullptr;
    long long published = 0;
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

void noteInputChanged() {
    if (state.changed) return;
    if (state.shared) {
        int now = kUnchanged;
        // Another thread took the host's stop while nothing was changed: stop here too.
        if (!state.shared->stage.compare_exchange_strong(now, kChanged) && now == kStopped)
            throw Cancelled{};
    }
    state.changed = true;
}

namespace {

// Adds what the running part has come to since the last time to the shared progress.
void publish(double part) {
    SharedOperation::State& shared = *state.shared;
    const double relative = shared.width > 0 ? state.width / shared.width : 0;
    const long long now = std::llround(relative * part * 1e6);
    if (now > state.published) shared.done += now - state.published;
    state.published = std::max(now, state.published);
}

// Hands `share` of the whole to the callback; throws Cancelled when it asks to stop and the
// input is still as given (on every thread of a shared operation).
void tell(double share) {
    const int percent = std::clamp(static_cast<int>(share * 100), 0, 100);
    const bool stop = state.callback(state.context, percent) != 0;
    // Work that has begun to change the drawing is finished: half a sort would be worse than
    // a late one.
    if (!stop || state.changed) return;
    if (state.shared) {
        int now = kUnchanged;
        if (!state.shared->stage.compare_exchange_strong(now, kStopped) && now != kStopped) return;
    }
    throw Cancelled{};
}

double sharedShare() {
    const SharedOperation::State& shared = *state.shared;
    return shared.from + shared.width * std::min(1.0, shared.done.load() / 1e6);
}

}  // namespace

ProgressPart::ProgressPart(long long before, long long size, long long total)
    : savedFrom_(state.from), savedWidth_(state.width) {
    state.published = 0;
    if (total <= 0) return;
    state.from =
        savedFrom_ + savedWidth_ * static_cast<double>(before) / static_cast<double>(total);
    state.width = savedWidth_ * static_cast<double>(size) / static_cast<double>(total);
}

ProgressPart::~ProgressPart() {
    if (state.shared) publish(1);  // the part is done, whether or not it reported its end
    state.published = 0;
    state.from = savedFrom_;
    state.width = savedWidth_;
}

void reportProgress(long long done, long long total) {
    const double part = total > 0 ? std::clamp(static_cast<double>(done) / total, 0.0, 1.0) : 1.0;
    if (state.shared) {
        publish(part);
        if (!state.changed && state.shared->stage.load() == kStopped) throw Cancelled{};
        if (state.callback) tell(sharedShare());
        return;
    }
    if (state.callback) tell(state.from + state.width * part);
}

SharedOperation::SharedOperation()
    : state_{state.changed ? kChanged : kUnchanged, 0, state.from, state.width},
      saved_(state.shared),
      savedFrom_(state.from),
      savedWidth_(state.width) {
    state.shared = &state_;
    state.published = 0;
}

SharedOperation::~SharedOperation() {
    state.shared = saved_;
    state.from = savedFrom_;
    state.width = savedWidth_;
    if (state_.stage.load() == kChanged) state.changed = true;
}

void SharedOperation::report() {
    if (state.callback) tell(sharedShare());
}

SharedOperation::Helper::Helper(SharedOperation& operation) {
    state.shared = &operation.state_;
    state.published = 0;
    state.changed = false;
    // The parts of the operation take their places in the same whole as on the calling thread.
    state.from = operation.state_.from;
    state.width = operation.state_.width;
    ++state.depth;
}

SharedOperation::Helper::~Helper() {
    state.shared = nullptr;
    state.from = 0;
    state.width = 1;
    --state.depth;
}

}  // namespace lintrel
