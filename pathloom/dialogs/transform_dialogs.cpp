// Rotate and mirror dialogs.
#include "dialogs/transform_dialogs.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

#include "core/codegen/number_format.h"
#include "core/dialogs/number_input.h"
#include "core/document/commands.h"
#include "core/text/texts.h"

namespace pathloom::dialogs {
namespace {

// "%.4lf", as these two dialogs have always shown their values.
QString shown(double value) {
    return qstring(fourDecimals(value));
}

const QString kMm = QStringLiteral("mm");

}  // namespace

RotateDialog::RotateDialog(Prompter& prompter, QWidget* parent, double baseX, double baseY)
    : FormDialog(prompter, parent, Dialog::tr("轨迹旋转")) {
    addNumber("baseX", Dialog::tr("基点X："), shown(baseX), kMm);
    addNumber("baseY", Dialog::tr("基点Y："), shown(baseY), kMm);
    addNumber("angle", Dialog::tr("角度："), shown(0), QStringLiteral("°"));
    addNumber("x1", Dialog::tr("X1："), shown(0), kMm);
    addNumber("y1", Dialog::tr("Y1："), shown(0), kMm);
    addNumber("x2", Dialog::tr("X2："), shown(0), kMm);
    addNumber("y2", Dialog::tr("Y2："), shown(0), kMm);
    auto* button = new QPushButton(Dialog::tr("自动计算角度"), this);
    button->setObjectName(QStringLiteral("autoAngle"));
    button->setAutoDefault(false);
    form()->addRow(button);
    connect(button, &QPushButton::clicked, this, &RotateDialog::autoAngle);
}

void RotateDialog::autoAngle() {
    double v[4];
    const char* names[4] = {"x1", "y1", "x2", "y2"};
    for (int i = 0; i < 4; ++i) {
        auto* field = findChild<QLineEdit*>(QString::fromLatin1(names[i]));
        const auto value = parseNumber(utf8(field->text()));
        if (!value) {
            tell(qstring(text(Text::NotANumber)));
            field->setFocus();
            return;
        }
        v[i] = *value;
    }
    // Six decimals, as "%lf" shows the angle.
    findChild<QLineEdit*>(QStringLiteral("angle"))
        ->setText(qstring(fixedText(lineAngleDegrees(v[0], v[1], v[2], v[3]), 6)));
}

MirrorDialog::MirrorDialog(Prompter& prompter, QWidget* parent, bool mirrorX, bool mirrorY,
                           double xAxis, double yAxis)
    : FormDialog(prompter, parent, Dialog::tr("轨迹镜像")) {
    x_ = new QCheckBox(Dialog::tr("是否镜像X方向"), this);
    x_->setObjectName(QStringLiteral("mirrorX"));
    x_->setChecked(mirrorX);
    form()->addRow(Dialog::tr("X轴镜像"), x_);
    addNumber("xAxis", Dialog::tr("X镜像轴位置:"), shown(xAxis), kMm);
    y_ = new QCheckBox(Dialog::tr("是否镜像Y方向"), this);
    y_->setObjectName(QStringLiteral("mirrorY"));
    y_->setChecked(mirrorY);
    form()->addRow(Dialog::tr("Y轴镜像"), y_);
    addNumber("yAxis", Dialog::tr("Y镜像轴位置:"), shown(yAxis), kMm);
}

bool MirrorDialog::mirrorX() const {
    return x_->isChecked();
}

bool MirrorDialog::mirrorY() const {
    return y_->isChecked();
}

}  // namespace pathloom::dialogs
