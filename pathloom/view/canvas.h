// The canvas: the drawing area between the group palette and the code pane. It shows the
// document's drawing through a scene built once per change of the drawing or the view, lets the
// user zoom, pan, select, split, move start points and pick the origin, and carries the
// simulation's trace and tool marker. Rubber band, snap square and marker are drawn over the
// cached picture in the not-xor mode, so drawing one twice leaves the picture as it was.
#pragma once

#include <QImage>
#include <QWidget>
#include <optional>
#include <span>
#include <vector>

#include "core/canvas/scene.h"
#include "core/canvas/view_transform.h"
#include "core/document/document.h"
#include "core/settings/settings.h"
#include "core/simulation/simulation_path.h"

namespace pathloom::view {

class Canvas : public QWidget {
    Q_OBJECT
  public:
    Canvas(Document& document, const ViewSettings& view, double scale, QWidget* parent = nullptr);

    // The drawing or the display layers changed: build the scene again and repaint.
    void refresh();
    // The presets whose cutting options (kerf, leads) are drawn beside the drawing; null for
    // none. They are read again at every refresh.
    void setPresets(const PresetTable* presets) { presets_ = presets; }
    // Only the view moved (zoom, pan, size): the drawing's range still holds.
    void viewChanged();
    // Fits the drawing into the area again at the next paint (after an import, a new document,
    // or the reset command).
    void resetView();

    const canvas::ViewTransform& transform() const { return transform_; }
    const canvas::Scene& scene() const { return scene_; }
    // Builds the scene now if it is out of date; what the next paint shows without overlays.
    const QImage& picture();
    // Where the drawing point (x, y) appears in the widget.
    QPointF pixelOf(double x, double y) const;
    std::optional<canvas::PointD> snapPoint() const { return snap_; }

    // The simulation's picture: the covered cut path in orange and the cyan tool marker.
    void clearTrace();
    void extendTrace(std::span<const SimulationPoint> trace);
    void setMarker(std::optional<canvas::PointD> at);
    std::optional<canvas::PointD> marker() const { return marker_; }

  signals:
    // A click or box changed which vects are selected.
    void selectionChanged();
    // A split, a start point change or an origin pick changed the drawing.
    void drawingEdited();
    // Origin pick (the document in ViewMode::Dialog): the user clicked (x, y), now the drawing's
    // origin; the drawing has been moved by (-x, -y) and the view kept still. The origin dialog
    // connects here to show its coordinates as 0.
    void originPicked(double x, double y);
    // The cursor's position in drawing units, as the status bar shows it.
    void cursorMoved(const QString& text);
    // A failed library call with its message.
    void failed(const QString& message);
    void contextMenuRequested(QPoint globalPosition);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    canvas::Layers layers() const;
    void rebuild();
    void paintTrace(QImage& image, size_t from) const;
    void paintOverlays(QPainter& painter) const;
    void paintLabels(QPainter& painter) const;
    double tolerance() const;
    canvas::PointD drawingPoint(QPointF pixel) const;
    void updateSnap(const canvas::PointD& at);
    void updateCursor(const canvas::PointD& at, QPointF pixel);
    void leftPress(QPointF pixel);
    void finishSelection(QPointF pixel, bool add);
    void pickOrigin(const canvas::PointD& at);

    Document& document_;
    const ViewSettings& view_;
    double scale_;
    canvas::ViewTransform transform_;
    canvas::Scene scene_;
    QImage picture_;  // the scene with the simulation trace
    bool stale_ = true;
    std::optional<canvas::DrawingRange> range_;  // of the drawing as last refreshed
    const PresetTable* presets_ = nullptr;
    CutPaths cuts_;            // of the drawing as last refreshed
    std::vector<int> depths_;  // containment depths of its vects, while the tint is shown

    bool selecting_ = false;
    QPointF pressAt_;
    std::optional<QPointF> corner_;
    bool panning_ = false;
    QPointF panFrom_;
    std::optional<canvas::PointD> snap_;
    std::vector<SimulationPoint> trace_;
    std::optional<canvas::PointD> marker_;
};

}  // namespace pathloom::view
