// Fit, wheel zoom and the drawing's range.
#include "core/canvas/view_transform.h"

#include <algorithm>
#include <cmath>

namespace pathloom::canvas {
namespace {

constexpr double kDegenerate = 0.0001;
constexpr double kRangeTolerance = 0.05;
constexpr int kNotch = 120;
constexpr double kNotchFactor = 1.1;

}  // namespace

DrawingRange drawingRange(const VectGroup* drawing) {
    DrawingRange range;
    if (!drawing) return range;
    float x = 0, y = 0, w = 0, h = 0;
    VarnixCad3_GetRange(const_cast<VectGroup*>(drawing), &x, &y, &w, &h, kRangeTolerance);
    if (w < kDegenerate && h < kDegenerate) return range;
    return {x, y, w, h};
}

void ViewTransform::setArea(int width, int height) {
    width_ = std::max(1, width);
    height_ = std::max(1, height);
}

void ViewTransform::fit(const DrawingRange& range) {
    // A small area keeps one usable pixel, so the scale stays positive.
    const double usableW = std::max(1, width_ - kFitMargin);
    const double usableH = std::max(1, height_ - kFitMargin);
    const double byWidth = range.width > 0 ? usableW / range.width : HUGE_VAL;
    const double byHeight = range.height > 0 ? usableH / range.height : HUGE_VAL;
    base_ = std::min(byWidth, byHeight);
    if (!fitted_) {
        const double fittedW = range.width * base_, fittedH = range.height * base_;
        panX_ = ((width_ - fittedW) - kRulerThickness) * 0.5 + kRulerThickness - range.x * base_;
        panY_ = ((height_ - fittedH) - kRulerThickness) * 0.5 - range.y * base_;
        user_ = 1.0;
        wheelRest_ = 0;
        fitted_ = true;
    }
}

bool ViewTransform::wheel(int delta, double cx, double cy) {
    // Whole notches only: a fine-grained wheel sends deltas below one notch, which the plain
    // factor delta * 1.1 / 120 would turn into a zoom the wrong way.
    wheelRest_ += delta;
    const int notches = wheelRest_ / kNotch;
    wheelRest_ -= notches * kNotch;
    if (notches == 0) return false;
    const double before = user_;
    double after = before;  // notch by notch, as the same number of single notches would
    for (int i = 0; i < std::abs(notches); ++i)
        after = notches > 0 ? std::min(after * kNotchFactor, kMaxZoom)
                            : std::max(after / kNotchFactor, kMinZoom);
    if (after == before) return false;
    user_ = after;
    const double cyUp = height_ - cy;
    panX_ = cx - (cx - panX_) * after / before;
    panY_ = cyUp - (cyUp - panY_) * after / before;
    return true;
}

}  // namespace pathloom::canvas
