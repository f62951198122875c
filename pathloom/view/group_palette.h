// The group palette at the left edge of the view: twenty colour buttons, one per group number.
#pragma once

#include <QWidget>

namespace pathloom::view {

class GroupPalette : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kGroups = 20;
    GroupPalette(double scale, QWidget* parent = nullptr);
    // The colour of group `number` (1 to 20) as the canvas paints it.
    static QColor groupColour(int number);

  signals:
    void groupClicked(int number);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    double scale_;
};

}  // namespace pathloom::view
