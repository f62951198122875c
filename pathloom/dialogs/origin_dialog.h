// The modeless origin dialog: nine anchors of the drawing's box that can be made the origin, and
// a typed point, or a point picked on the canvas (its origin-pick mode, started by "pickOrigin").
#pragma once

#include <QDialog>

#include "core/dialogs/dialog_values.h"

class QLineEdit;

namespace pathloom::dialogs {

class Prompter;

class OriginDialog : public QDialog {
    Q_OBJECT
  public:
    // Buttons "anchor0" to "anchor8" (left top to right bottom, row by row), fields "originX" and
    // "originY", buttons "typedOrigin" and "pickOrigin".
    OriginDialog(Prompter& prompter, QWidget* parent);

    // Reads the typed point; emits typedOrigin when both fields hold numbers.
    void takeTypedOrigin();
    // The canvas made the picked point the origin: the typed point starts again at 0, 0.
    void originPicked();

  signals:
    void anchorChosen(pathloom::Anchor anchor);
    void typedOrigin(double x, double y);
    void pickRequested();

  private:
    Prompter& prompter_;
    QLineEdit* x_;
    QLineEdit* y_;
};

}  // namespace pathloom::dialogs
