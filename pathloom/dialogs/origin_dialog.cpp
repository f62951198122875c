// The origin dialog.
#include "dialogs/origin_dialog.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/dialogs/number_input.h"
#include "core/text/texts.h"
#include "dialogs/form_dialog.h"
#include "dialogs/prompter.h"

namespace pathloom::dialogs {

OriginDialog::OriginDialog(Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter) {
    setWindowTitle(Dialog::tr("原点位置"));
    setObjectName(QStringLiteral("originDialog"));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    const char* names[9] = {
        QT_TRANSLATE_NOOP("Dialog", "左上"), QT_TRANSLATE_NOOP("Dialog", "中上"),
        QT_TRANSLATE_NOOP("Dialog", "右上"), QT_TRANSLATE_NOOP("Dialog", "左中"),
        QT_TRANSLATE_NOOP("Dialog", "正中"), QT_TRANSLATE_NOOP("Dialog", "右中"),
        QT_TRANSLATE_NOOP("Dialog", "左下"), QT_TRANSLATE_NOOP("Dialog", "中下"),
        QT_TRANSLATE_NOOP("Dialog", "右下")};
    for (int i = 0; i < 9; ++i) {
        auto* button = new QPushButton(Dialog::tr(names[i]), this);
        button->setObjectName(QStringLiteral("anchor%1").arg(i));
        button->setAutoDefault(false);
        grid->addWidget(button, i / 3, i % 3);
        connect(button, &QPushButton::clicked, this,
                [this, i] { emit anchorChosen(static_cast<Anchor>(i)); });
    }
    layout->addLayout(grid);

    auto* custom = new QGroupBox(Dialog::tr("自定义"), this);
    auto* form = new QFormLayout(custom);
    x_ = new QLineEdit(QStringLiteral("0.0"), custom);
    x_->setObjectName(QStringLiteral("originX"));
    y_ = new QLineEdit(QStringLiteral("0.0"), custom);
    y_->setObjectName(QStringLiteral("originY"));
    form->addRow(QStringLiteral("X:"), x_);
    form->addRow(QStringLiteral("Y:"), y_);
    auto* typed = new QPushButton(Dialog::tr("输入坐标"), custom);
    typed->setObjectName(QStringLiteral("typedOrigin"));
    typed->setAutoDefault(false);
    connect(typed, &QPushButton::clicked, this, &OriginDialog::takeTypedOrigin);
    auto* pick = new QPushButton(Dialog::tr("鼠标拾取"), custom);
    pick->setObjectName(QStringLiteral("pickOrigin"));
    pick->setAutoDefault(false);
    connect(pick, &QPushButton::clicked, this, &OriginDialog::pickRequested);
    form->addRow(typed, pick);
    layout->addWidget(custom);
}

void OriginDialog::takeTypedOrigin() {
    const auto x = parseNumber(utf8(x_->text()));
    const auto y = parseNumber(utf8(y_->text()));
    if (!x || !y) {
        prompter_.warning(this, qstring(text(Text::NotANumber)));
        (x ? y_ : x_)->setFocus();
        return;
    }
    emit typedOrigin(*x, *y);
}

void OriginDialog::originPicked() {
    x_->setText(QStringLiteral("0.0"));
    y_->setText(QStringLiteral("0.0"));
}

}  // namespace pathloom::dialogs
