// The canvas's pictures: the scene rasterised into a cached image with its text layers (order
// numbers, rulers) and the simulation trace, and the not-xor overlays painted over it.
#include "view/canvas.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QResizeEvent>
#include <cmath>

#include "core/canvas/raster.h"
#include "core/canvas/rulers.h"

namespace pathloom::view {
namespace {

const QColor kTraceColour(255, 155, 0);
const QColor kMarkerColour(0, 255, 255);
const QColor kRulerColour(192, 192, 192);
// Containment for the depth tint is judged this close (drawing units): finer than any gap
// the tint could show.

canvas::PixelBuffer bufferOf(QImage& image) {
    return {reinterpret_cast<uint32_t*>(image.bits()), image.width(), image.height(),
            static_cast<int>(image.bytesPerLine() / 4)};
}

void paintRulers(QPainter& painter, const canvas::Scene& scene) {
    const int thick = static_cast<int>(std::trunc(canvas::kRulerThickness * scene.scale));
    painter.fillRect(0, 0, scene.width, thick, kRulerColour);
    painter.fillRect(0, 0, thick, scene.height, kRulerColour);
    painter.setPen(QPen(Qt::black, 1));
    QFont font = painter.font();
    font.setPixelSize(std::max(8, static_cast<int>(std::lround(10 * scene.scale))));
    painter.setFont(font);
    const double charWidth = QFontMetricsF(font).horizontalAdvance(QLatin1Char('0'));
    // The corner square where the rulers meet stays clear of ticks.
    for (const canvas::RulerTick& tick :
         canvas::rulerTicks({scene.origin.x, scene.zoom, 1, thick, scene.width, charWidth})) {
        const int x = static_cast<int>(std::lround(tick.pixel));
        painter.drawLine(x, tick.from, x, tick.to);
        if (!tick.label.empty())
            painter.drawText(QPointF(tick.labelPixel, 12), QString::fromStdString(tick.label));
    }
    for (const canvas::RulerTick& tick :
         canvas::rulerTicks({scene.origin.y, scene.zoom, -1, thick, scene.height, charWidth})) {
        const int y = static_cast<int>(std::lround(tick.pixel));
        painter.drawLine(tick.from, y, tick.to, y);
        if (tick.label.empty()) continue;
        painter.save();
        painter.translate(12, tick.labelPixel);
        painter.rotate(-90);
        painter.drawText(0, 0, QString::fromStdString(tick.label));
        painter.restore();
    }
}

void paintCross(QPainter& painter, QPointF at, double half) {
    painter.drawLine(at - QPointF(half, 0), at + QPointF(half, 0));
    painter.drawLine(at - QPointF(0, half), at + QPointF(0, half));
}

}  // namespace

Canvas::Canvas(Document& document, const ViewSettings& view, double scale, QWidget* parent)
    : QWidget(parent), document_(document), view_(view), scale_(scale) {
    setObjectName(QStringLiteral("drawingArea"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setMinimumSize(1, 1);
}

canvas::Layers Canvas::layers() const {
    return {view_.showClose,     view_.showAbs,   view_.showOrder, view_.showStartPoint,
            view_.showDirection, view_.showGrids, view_.showDepth};
}

void Canvas::refresh() {
    range_.reset();
    viewChanged();
}

void Canvas::viewChanged() {
    stale_ = true;
    update();
}

void Canvas::resetView() {
    transform_.invalidateFit();
    refresh();
}

QPointF Canvas::pixelOf(double x, double y) const {
    const canvas::PointD p = transform_.toPixel(x, y);
    return {p.x, p.y};
}

const QImage& Canvas::picture() {
    if (stale_) rebuild();
    return picture_;
}

void Canvas::rebuild() {
    stale_ = false;
    transform_.setArea(width(), height());
    if (!range_) {
        range_ = canvas::drawingRange(document_.drawing());
        cuts_ = presets_ ? buildCutPaths(document_.drawing(), *presets_, true) : CutPaths{};
        depths_ = view_.showDepth
                      ? canvas::containmentDepths(document_.drawing(), canvas::kDepthPrecision)
                      : std::vector<int>{};
    }
    transform_.fit(*range_);
    scene_ =
        canvas::buildScene(document_.drawing(), transform_, layers(), scale_, &cuts_, &depths_);
    if (picture_.size() != QSize(transform_.width(), transform_.height()))
        picture_ = QImage(transform_.width(), transform_.height(), QImage::Format_RGB32);
    canvas::PixelBuffer buffer = bufferOf(picture_);
    canvas::paintScene(buffer, scene_);
    QPainter painter(&picture_);
    if (!scene_.orders.empty()) {
        painter.setPen(Qt::white);
        for (const canvas::OrderLabel& label : scene_.orders)
            painter.drawText(label.at.x, label.at.y, QString::number(label.number));
    }
    paintRulers(painter, scene_);
    painter.end();
    // The trace lives through repaints only while the simulation runs.
    if (document_.busy())
        paintTrace(picture_, 0);
    else
        trace_.clear(), marker_.reset();
}

void Canvas::paintTrace(QImage& image, size_t from) const {
    if (trace_.size() < 2 || from + 1 >= trace_.size()) return;
    QPainter painter(&image);
    painter.setPen(QPen(kTraceColour, 2));
    for (size_t i = std::max<size_t>(from, 1); i < trace_.size(); ++i)
        if (!trace_[i].travel)
            painter.drawLine(pixelOf(trace_[i - 1].x, trace_[i - 1].y),
                             pixelOf(trace_[i].x, trace_[i].y));
}

void Canvas::clearTrace() {
    trace_.clear();
    marker_.reset();
    refresh();
    picture();  // the picture without the trace now, so that a marker set next stays
}

void Canvas::extendTrace(std::span<const SimulationPoint> trace) {
    if (trace.empty()) return;
    picture();
    const size_t from = trace_.empty() ? 0 : trace_.size() - 1;
    // Each tick's trace starts where the last one stopped; that point is already held.
    trace_.insert(trace_.end(), trace.begin() + (trace_.empty() ? 0 : 1), trace.end());
    paintTrace(picture_, from);
    update();
}

void Canvas::setMarker(std::optional<canvas::PointD> at) {
    marker_ = at;
    update();
}

void Canvas::paintOverlays(QPainter& painter) const {
    painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    if (selecting_ && corner_) {
        const bool right = corner_->x() >= pressAt_.x();
        painter.setPen(QPen(right ? QColor(255, 255, 0) : QColor(255, 0, 255), 1, Qt::DotLine));
        const QRectF box = QRectF(pressAt_, *corner_).normalized();
        painter.drawRect(box);
        // On black the not-xor band comes out dark blue or green and all but vanishes; its dots
        // are painted once more in the pen's own colour, which shows on any background.
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.drawRect(box);
        painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    }
    if (snap_) {
        const double half = 8 * scale_;
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(
            QRectF(pixelOf(snap_->x, snap_->y) - QPointF(half, half), QSizeF(2 * half, 2 * half)));
    }
    if (marker_) {
        painter.setPen(QPen(kMarkerColour, 2));
        paintCross(painter, pixelOf(marker_->x, marker_->y), 20 * scale_);
    }
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void Canvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, picture());
    paintOverlays(painter);
}

void Canvas::resizeEvent(QResizeEvent* event) {
    // A new area fits the drawing again, as the window's layout always has.
    if (event->size() == event->oldSize()) return;
    transform_.invalidateFit();
    stale_ = true;
}

}  // namespace pathloom::view
