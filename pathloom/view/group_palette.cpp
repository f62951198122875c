// The group palette's buttons, placed by the display scale.
#include "view/group_palette.h"

#include <QCoreApplication>
#include <QPushButton>
#include <array>
#include <cmath>
#include <optional>

#include <lintrel/lintrel.hpp>

#include "core/canvas/scene.h"

namespace pathloom::view {
namespace {

int scaled(double pixels, double scale) {
    return static_cast<int>(std::trunc(pixels * scale));
}

}  // namespace

QColor GroupPalette::groupColour(int number) {
    // One table for the buttons and the canvas.
    const uint32_t value = canvas::paletteValue(number);  // 0x00BBGGRR
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

void GroupPalette::showGroups(const VectGroup* drawing, const PresetTable& presets) {
    std::array<std::optional<QColor>, kGroups> drawn;
    for (const VectGroup* group : lintrel::ring(drawing)) {
        if (group->number < 1 || group->number > kGroups) continue;
        auto& colour = drawn[static_cast<size_t>(group->number - 1)];
        if (!colour) colour = QColor::fromRgb(canvas::groupColour(*group));
    }
    int number = 1;
    for (QPushButton* button : findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) {
        const QColor colour = drawn[static_cast<size_t>(number - 1)].value_or(groupColour(number));
        const QString style =
            QStringLiteral("background-color: %1; border: 1px solid #404040;").arg(colour.name());
        if (button->styleSheet() != style) button->setStyleSheet(style);
        const ProcessPreset& preset = presets[static_cast<size_t>(presetIndex(number))];
        button->setToolTip(
            QCoreApplication::translate("GroupPalette", "图层 %1：工艺%1，速度 %2 mm/s")
                .arg(number)
                .arg(QString::number(preset.speed, 'g', 10)));
        ++number;
    }
}

GroupPalette::GroupPalette(double scale, QWidget* parent) : QWidget(parent), scale_(scale) {
    setObjectName(QStringLiteral("groupPalette"));
    setFixedWidth(scaled(26, scale));
    for (int number = 1; number <= kGroups; ++number) {
        auto* button = new QPushButton(this);
        button->setObjectName(QStringLiteral("group%1").arg(number));
        button->setFocusPolicy(Qt::NoFocus);
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

}  // namespace pathloom::view
