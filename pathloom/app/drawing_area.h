// The drawing area between the group palette and the code pane: the drawing in its groups'
// colours, fitted to the area, with open shapes, travel moves and start points as the display
// switches say. Zoom, pan and picking come with the full canvas.
#pragma once

#include <QWidget>

#include <lintrel/lintrel.h>

#include "core/settings/settings.h"

namespace pathloom::app {

class DrawingArea : public QWidget {
    Q_OBJECT
  public:
    DrawingArea(const ViewSettings& view, double scale, QWidget* parent = nullptr);
    void setDrawing(const VectGroup* drawing) {
        drawing_ = drawing;
        update();
    }

  signals:
    void contextMenuRequested(QPoint globalPosition);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    const ViewSettings& view_;
    double scale_;
    const VectGroup* drawing_ = nullptr;
};

}  // namespace pathloom::app
