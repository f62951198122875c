// The automatic steps after import.
#include "core/document/auto_optimize.h"

#include <functional>
#include <string>

#include "core/text/texts.h"

namespace pathloom {

namespace {

constexpr int kMaxTravelPasses = 5;

bool accepted(int code) {
    return code == LINTREL_OK || code == LINTREL_NOTHING_TO_DO;
}

// Runs the enabled steps one by one: shows each status text, runs the call, reports a failure
// with the step's message (the code taking the place of the message's number) and notes the step
// that left nothing of the drawing.
class StepRunner {
  public:
    StepRunner(VectGroup** drawing, StatusSink& sink, Text* emptiedBy)
        : drawing_(drawing), sink_(sink), emptiedBy_(emptiedBy) {}

    // False when the step failed or the operator asked to stop. Steps that are off, or find no
    // drawing left, are passed over.
    bool run(bool enabled, Text status, Text error, Text name, const std::function<int()>& call) {
        if (!enabled || !*drawing_) return true;
        if (sink_.stopRequested()) return false;
        sink_.status(text(status));
        const int code = call();
        if (!*drawing_ && emptiedBy_) *emptiedBy_ = name;
        if (accepted(code)) return true;
        if (code == LINTREL_CANCELLED) return false;  // stopped as asked: nothing to report
        sink_.message(textWithCode(error, code));
        return false;
    }

  private:
    VectGroup** drawing_;
    StatusSink& sink_;
    Text* emptiedBy_;
};

}  // namespace

AutoOptimizeSettings withoutSteps(AutoOptimizeSettings settings) {
    settings.removeDuplicates = settings.mergeConnected = settings.removeMinimal = false;
    settings.curveSmoothing = settings.sort = settings.optimizeAbs = false;
    return settings;
}

int sortDrawing(void** list, const SortRun& run) {
    const int reverse = run.allowReverse ? 1 : 0;
    const int selected = run.selectedOnly ? 1 : 0;
    if (run.sortBy == kSortByShortestTravel)
        return run.innerFirst ? Lintrel_ShortTravelSortInnerFirst(list, reverse, selected)
                              : Lintrel_ShortTravelSort(list, reverse, selected);
    const int code = run.sortBy == kSortByGrid
                         ? Lintrel_GridsSort(list, run.gridCell, run.gridCell, reverse, selected)
                         : Lintrel_AutoSort(list, run.sortBy, reverse, selected);
    if (!run.innerFirst || !accepted(code)) return code;
    const int mended = Lintrel_InnerFirst(list, run.precision, selected);
    if (!accepted(mended)) return mended;
    return mended == LINTREL_OK ? LINTREL_OK : code;
}

int optimizeTravel(VectGroup* drawing, double tolerance, int selectedOnly) {
    int code = LINTREL_NOTHING_TO_DO;
    for (int pass = 0; pass < kMaxTravelPasses; ++pass) {
        code = Lintrel_OptimizeAbs(drawing, tolerance, selectedOnly);
        if (code != LINTREL_OK) break;
    }
    return code;
}

bool runAutoOptimize(VectGroup** drawing, const AutoOptimizeSettings& steps, StatusSink& sink,
                     Text* emptiedBy) {
    StepRunner step(drawing, sink, emptiedBy);
    void** list = reinterpret_cast<void**>(drawing);
    return step.run(steps.removeDuplicates, Text::AutoDuplicates, Text::DuplicatesFailed,
                    Text::StepDuplicates, [&] { return Lintrel_DelSameSeg(*drawing, 0); }) &&
           step.run(steps.mergeConnected, Text::AutoMerge, Text::MergeFailed, Text::StepMerge,
                    [&] { return Lintrel_MergeSeg(*drawing, steps.mergeMaxSize, 0); }) &&
           step.run(steps.removeMinimal, Text::AutoTiny, Text::TinyFailed, Text::StepTiny,
                    [&] {
                        return Lintrel_DelLitSeg(list, steps.minimalWidth, steps.minimalHeight, 0);
                    }) &&
           step.run(steps.curveSmoothing, Text::AutoSmoothing, Text::SmoothingFailed,
                    Text::StepSmoothing,
                    [&] { return Lintrel_CurveSmooth(*drawing, steps.smoothingAccuracy, 0, 0); }) &&
           step.run(steps.sort, Text::AutoSort, Text::AutoSortFailed, Text::StepSort,
                    [&] {
                        return sortDrawing(list, {steps.sortBy, steps.changeDirection, false, 100.0,
                                                  steps.innerFirst, steps.smoothingAccuracy});
                    }) &&
           step.run(steps.optimizeAbs, Text::AutoTravel, Text::TravelFailed, Text::StepTravel,
                    [&] { return optimizeTravel(*drawing, steps.smoothingAccuracy, 0); });
}

}  // namespace pathloom
