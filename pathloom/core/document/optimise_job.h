// The automatic optimisation of an imported drawing on a thread of its own, so that the drawing
// as imported can be shown and the program stays responsive: the job copies the drawing, runs
// the enabled steps on the copy, and hands the copy over when it has finished. Stopping it
// leaves the drawing the caller holds as it was; it was never touched.
#pragma once

#include <lintrel/lintrel.h>

#include <atomic>
#include <functional>
#include <thread>

#include "core/document/optimise_progress.h"
#include "core/settings/settings.h"
#include "core/text/texts.h"

namespace pathloom {

class OptimiseJob {
  public:
    enum class Result { Running, Done, Stopped, StepFailed, Emptied };

    // Runs on the job's thread on the optimised drawing, before the job counts as finished: the
    // work that belongs to the result (presets, the program) stays off the caller's thread too.
    using AfterSteps = std::function<void(VectGroup* optimised)>;

    // Starts at once. `drawing` is only read, on the job's thread, until `finished()`: the
    // caller must not change it before then.
    OptimiseJob(const VectGroup* drawing, const AutoOptimizeSettings& steps,
                AfterSteps afterSteps = {});
    // Asks the job to stop and waits for it; an unclaimed result is freed.
    ~OptimiseJob();
    OptimiseJob(const OptimiseJob&) = delete;
    OptimiseJob& operator=(const OptimiseJob&) = delete;

    OptimiseProgress& progress() { return progress_; }
    void requestStop() { progress_.requestStop(); }
    bool finished() const { return result_.load() != Result::Running; }
    // After `finished()`.
    Result result() const { return result_.load(); }
    // The optimised drawing, when the result is Done; the caller owns it. Null otherwise.
    VectGroup* takeDrawing();
    // The step that left nothing, when the result is Emptied.
    Text emptiedBy() const { return emptiedBy_; }

  private:
    void run(const VectGroup* drawing, AutoOptimizeSettings steps, const AfterSteps& afterSteps);

    OptimiseProgress progress_;
    std::atomic<Result> result_{Result::Running};
    VectGroup* optimised_ = nullptr;
    Text emptiedBy_ = Text::StepTiny;
    std::thread thread_;
};

}  // namespace pathloom
