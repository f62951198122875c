// The progress of the automatic optimisation: step texts, the library's reports, the stop request.
#include "core/document/optimise_progress.h"

#include <lintrel/lintrel.h>

#include <algorithm>

#include "core/text/texts.h"

namespace pathloom {

namespace {

// The status texts of the six automatic steps: others (the import's) do not start a step.
bool isStepText(std::string_view status) {
    for (Text step : {Text::AutoDuplicates, Text::AutoMerge, Text::AutoTiny, Text::AutoSmoothing,
                      Text::AutoSort, Text::AutoTravel})
        if (status == text(step)) return true;
    return false;
}

}  // namespace

int enabledSteps(const AutoOptimizeSettings& s) {
    return s.removeDuplicates + s.mergeConnected + s.removeMinimal + s.curveSmoothing + s.sort +
           s.optimizeAbs;
}

OptimiseProgress::OptimiseProgress(const AutoOptimizeSettings& steps, StatusSink* forward)
    : steps_(std::max(1, enabledSteps(steps))), forward_(forward) {}

void OptimiseProgress::status(std::string_view status) {
    if (!isStepText(status)) {
        if (forward_) forward_->status(status);
        return;
    }
    {
        const std::lock_guard lock(mutex_);
        step_.assign(status);
    }
    stepIndex_ = std::min(stepIndex_ + 1, steps_ - 1);
    percent_.store((stepIndex_ * 100) / steps_);
    ++revision_;
    if (onChange) onChange();
    if (forward_) forward_->status(status);
}

void OptimiseProgress::message(std::string_view text) {
    if (forward_) return forward_->message(text);
    const std::lock_guard lock(mutex_);
    messages_.emplace_back(text);
}

std::string OptimiseProgress::step() const {
    const std::lock_guard lock(mutex_);
    return step_;
}

std::vector<std::string> OptimiseProgress::messages() const {
    const std::lock_guard lock(mutex_);
    return messages_;
}

void OptimiseProgress::setPercent(int share) {
    const int whole = (std::max(stepIndex_, 0) * 100 + std::clamp(share, 0, 100)) / steps_;
    if (percent_.exchange(whole) == whole) return;
    ++revision_;
    if (onChange) onChange();
}

int OptimiseProgress::report(void* self, int percent) {
    auto& progress = *static_cast<OptimiseProgress*>(self);
    progress.setPercent(percent);
    return progress.stopRequested() ? 1 : 0;
}

OptimiseProgress::Listening::Listening(OptimiseProgress& progress) {
    Lintrel_SetProgressCallback(&OptimiseProgress::report, &progress);
}

OptimiseProgress::Listening::~Listening() {
    Lintrel_SetProgressCallback(nullptr, nullptr);
}

}  // namespace pathloom
