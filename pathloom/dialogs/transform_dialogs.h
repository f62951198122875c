// The rotate dialog with its automatic angle from two points, and the mirror dialog with its two
// remembered check boxes.
#pragma once

#include "dialogs/form_dialog.h"

class QCheckBox;

namespace pathloom::dialogs {

class RotateDialog : public FormDialog {
    Q_OBJECT
  public:
    // Fields "baseX", "baseY", "angle", "x1", "y1", "x2", "y2"; button "autoAngle".
    RotateDialog(Prompter& prompter, QWidget* parent, double baseX, double baseY);
    // Writes the direction from (X1, Y1) to (X2, Y2) into the angle field.
    void autoAngle();
};

class MirrorDialog : public FormDialog {
    Q_OBJECT
  public:
    // Check boxes "mirrorX", "mirrorY"; fields "xAxis", "yAxis".
    MirrorDialog(Prompter& prompter, QWidget* parent, bool mirrorX, bool mirrorY, double xAxis,
                 double yAxis);
    bool mirrorX() const;
    bool mirrorY() const;

  private:
    QCheckBox* x_;
    QCheckBox* y_;
};

}  // namespace pathloom::dialogs
