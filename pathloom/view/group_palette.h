// The group palette at the left edge of the view: twenty colour buttons, one per group number.
#pragma once

#include <QWidget>

#include <lintrel/lintrel.h>

#include "core/presets/process.h"

namespace pathloom::view {

class GroupPalette : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kGroups = 20;
    GroupPalette(double scale, QWidget* parent = nullptr);
    // The colour of group `number` (1 to 20) as the canvas paints it when no group of the
    // drawing gives its own.
    static QColor groupColour(int number);
    // Each button in the colour its group is drawn in (the group's own colour when the drawing
    // has that group), with the group's number, preset and speed in its tooltip.
    void showGroups(const VectGroup* drawing, const PresetTable& presets);

  signals:
    void groupClicked(int number);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    double scale_;
};

}  // namespace pathloom::view
