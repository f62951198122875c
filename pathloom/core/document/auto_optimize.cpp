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

// Shows the status text, runs the call and reports a failure with the step's message, the code
// taking the place of the message's number.
bool runStep(StatusSink& sink, Text statusText, Text errorText, const std::function<int()>& call) {
    sink.status(text(statusText));
    const int code = call();
    if (accepted(code)) return true;
    sink.message(textWithCode(errorText, code));
    return false;
}

}  // namespace

AutoOptimizeSettings withoutSteps(AutoOptimizeSettings settings) {
    settings.removeDuplicates = settings.mergeConnected = settings.removeMinimal = false;
    settings.curveSmoothing = settings.sort = settings.optimizeAbs = false;
    return settings;
}

int optimizeTravel(VectGroup* drawing, double tolerance, int selectedOnly) {
    int code = LINTREL_NOTHING_TO_DO;
    for (int pass = 0; pass < kMaxTravelPasses; ++pass) {
        code = Lintrel_OptimizeAbs(drawing, tolerance, selectedOnly);
        if (code != LINTREL_OK) break;
    }
    return code;
}

bool runAutoOptimize(VectGroup** drawing, const AutoOptimizeSettings& steps, StatusSink& sink) {
    // Every step tests for a drawing: an earlier one may have removed everything.
    const auto enabled = [&](bool flag) { return flag && *drawing; };
    if (enabled(steps.removeDuplicates) &&
        !runStep(sink, Text::AutoDuplicates, Text::DuplicatesFailed,
                 [&] { return Lintrel_DelSameSeg(*drawing, 0); }))
        return false;
    if (enabled(steps.mergeConnected) && !runStep(sink, Text::AutoMerge, Text::MergeFailed, [&] {
            return Lintrel_MergeSeg(*drawing, steps.mergeMaxSize, 0);
        }))
        return false;
    if (enabled(steps.removeMinimal) && !runStep(sink, Text::AutoTiny, Text::TinyFailed, [&] {
            return Lintrel_DelLitSeg(reinterpret_cast<void**>(drawing), steps.minimalWidth,
                                     steps.minimalHeight, 0);
        }))
        return false;
    if (enabled(steps.curveSmoothing) &&
        !runStep(sink, Text::AutoSmoothing, Text::SmoothingFailed,
                 [&] { return Lintrel_CurveSmooth(*drawing, steps.smoothingAccuracy, 0, 0); }))
        return false;
    if (enabled(steps.sort) && !runStep(sink, Text::AutoSort, Text::AutoSortFailed, [&] {
            void** list = reinterpret_cast<void**>(drawing);
            if (steps.sortBy == kSortByGrid)
                return Lintrel_GridsSort(list, 100.0, 100.0, steps.changeDirection, 0);
            if (steps.sortBy == kSortByShortestTravel)
                return Lintrel_ShortTravelSort(list, steps.changeDirection, 0);
            return Lintrel_AutoSort(list, steps.sortBy, steps.changeDirection, 0);
        }))
        return false;
    if (enabled(steps.optimizeAbs) && !runStep(sink, Text::AutoTravel, Text::TravelFailed, [&] {
            return optimizeTravel(*drawing, steps.smoothingAccuracy, 0);
        }))
        return false;
    return true;
}

}  // namespace pathloom
