// The canvas's mapping between drawing units and pixels: the fit of the drawing's range into the
// drawing area, the user's zoom and pan, and the wheel rule. Pixel y grows downwards, drawing y
// upwards. Everything here is plain arithmetic, shared by the desktop canvas and the previews.
#pragma once

#include <lintrel/lintrel.h>

namespace pathloom::canvas {

struct PointD {
    double x = 0;
    double y = 0;
};

// The drawing's box in drawing units.
struct DrawingRange {
    double x = 0, y = 0, width = 100, height = 100;
};

// The range of `drawing` at tolerance 0.05; a point-sized or empty drawing counts as the box
// (0, 0, 100, 100).
DrawingRange drawingRange(const VectGroup* drawing);

inline constexpr double kMinZoom = 0.02;
inline constexpr double kMaxZoom = 1000.0;
inline constexpr int kFitMargin = 65;  // pixels kept free around the fitted drawing
inline constexpr int kRulerThickness = 25;

class ViewTransform {
  public:
    // The drawing area's size; never less than one pixel each way.
    void setArea(int width, int height);
    int width() const { return width_; }
    int height() const { return height_; }

    // Scales the range into the area less the margin. When the view is not fitted yet the pan
    // centres the range beside the rulers and the user zoom returns to 1.
    void fit(const DrawingRange& range);
    // The next fit places the drawing again.
    void invalidateFit() { fitted_ = false; }
    bool fitted() const { return fitted_; }

    double baseScale() const { return base_; }
    double userZoom() const { return user_; }
    double zoom() const { return user_ * base_; }
    double panX() const { return panX_; }
    double panY() const { return panY_; }

    PointD toPixel(double x, double y) const {
        const double z = zoom();
        return {z * x + panX_, height_ - (z * y + panY_)};
    }
    PointD toDrawing(double px, double py) const {
        const double z = zoom();
        return {(px - panX_) / z, (height_ - py - panY_) / z};
    }

    // Wheel rotation by `delta` (120 per notch) with the cursor at pixel (cx, cy): the zoom
    // changes by 1.1 per whole notch accumulated, within 0.02 to 1000, keeping the drawing point
    // under the cursor where it was. True when the zoom changed.
    bool wheel(int delta, double cx, double cy);
    // Moves the drawing by a mouse movement of (dx, dy) pixels.
    void pan(double dx, double dy) {
        panX_ += dx;
        panY_ -= dy;
    }
    // Keeps the picture still while the drawing moves by (dx, dy) drawing units.
    void followMove(double dx, double dy) {
        panX_ -= zoom() * dx;
        panY_ -= zoom() * dy;
    }

  private:
    int width_ = 1, height_ = 1;
    double base_ = 1, user_ = 1, panX_ = 0, panY_ = 0;
    bool fitted_ = false;
    int wheelRest_ = 0;  // wheel units short of a whole notch
};

}  // namespace pathloom::canvas
