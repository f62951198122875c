// The optimisation thread: copy, steps, result.
#include "core/document/optimise_job.h"

#include <lintrel/lintrel.hpp>

#include "core/document/auto_optimize.h"

namespace pathloom {

OptimiseJob::OptimiseJob(const VectGroup* drawing, const AutoOptimizeSettings& steps,
                         AfterSteps afterSteps)
    : progress_(steps) {
    thread_ = std::thread(
        [this, drawing, steps, after = std::move(afterSteps)] { run(drawing, steps, after); });
}

OptimiseJob::~OptimiseJob() {
    requestStop();
    if (thread_.joinable()) thread_.join();
    if (optimised_) VarnixCad3_DeleteChain(optimised_);
}

VectGroup* OptimiseJob::takeDrawing() {
    if (result() != Result::Done) return nullptr;
    return std::exchange(optimised_, nullptr);
}

void OptimiseJob::run(const VectGroup* drawing, AutoOptimizeSettings steps,
                      const AfterSteps& afterSteps) {
    const OptimiseProgress::Listening listening(progress_);
    void* copied = nullptr;
    if (!drawing || VarnixCad3_CopyChain(const_cast<VectGroup*>(drawing), &copied) != LINTREL_OK ||
        !copied) {
        progress_.message(textWithCode(Text::AutoSortFailed, LINTREL_INTERNAL_ERROR));
        result_.store(Result::StepFailed);
        return;
    }
    lintrel::ChainOwner<VectGroup> copy(static_cast<VectGroup*>(copied));
    const bool ran = runAutoOptimize(&copy.head(), steps, progress_, &emptiedBy_);
    if (progress_.stopRequested()) {
        result_.store(Result::Stopped);
    } else if (!ran) {
        result_.store(Result::StepFailed);
    } else if (!copy.get()) {
        result_.store(Result::Emptied);
    } else {
        if (afterSteps) afterSteps(copy.get());
        optimised_ = copy.release();
        result_.store(Result::Done);
    }
}

}  // namespace pathloom
