// The group palette's buttons, placed by the display scale.
#include "app/group_palette.h"

#include <QPushButton>
#include <cmath>

namespace pathloom::app {
namespace {

// 0x00BBGGRR, red in the low byte, as the groups of the drawing carry them.
constexpr unsigned kColours[GroupPalette::kGroups] = {
    0xFFFF00, 0x00FF00, 0xFF0080, 0x8000FF, 0xC08000, 0xFF00FF, 0xFFFF80,
    0x8080FF, 0x008080, 0x808080, 0x00FFFF, 0x404080, 0xFF8080, 0x0080FF,
    0x800080, 0x808000, 0xFF0000, 0x804000, 0xC08080, 0x404000};

int scaled(double pixels, double scale) {
    return static_cast<int>(std::trunc(pixels * scale));
}

}  // namespace

QColor GroupPalette::groupColour(int number) {
    const unsigned value = kColours[(number - 1 + kGroups * 1000) % kGroups];
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

GroupPalette::GroupPalette(double scale, QWidget* parent) : QWidget(parent), scale_(scale) {
    setObjectName(QStringLiteral("groupPalette"));
    setFixedWidth(scaled(26, scale));
    for (int number = 1; number <= kGroups; ++number) {
        auto* button = new QPushButton(this);
        button->setObjectName(QStringLiteral("group%1").arg(number));
        button->setFocusPolicy(Qt::NoFocus);
        button->setToolTip(QString::number(number));
        button->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid #404040;")
                                  .arg(groupColour(number).name()));
        connect(button, &QPushButton::clicked, this, [this, number] { emit groupClicked(number); });
    }
}

void GroupPalette::resizeEvent(QResizeEvent*) {
    const int inset = scaled(2, scale_);
    int i = 0;
    for (QPushButton* button : findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) {
        button->setGeometry(inset, scaled(22 * i + 2, scale_), width() - 2 * inset,
                            scaled(21, scale_));
        ++i;
    }
}

}  // namespace pathloom::app
