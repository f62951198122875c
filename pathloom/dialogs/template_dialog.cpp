// The template dialog.
#include "dialogs/template_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "core/codegen/output_profile.h"
#include "core/codegen/program_template.h"
#include "core/dialogs/stored_values.h"
#include "core/text/texts.h"

namespace pathloom::dialogs {
namespace {

QPlainTextEdit* addLines(QWidget* parent, const char* objectName) {
    auto* edit = new QPlainTextEdit(parent);
    edit->setObjectName(QString::fromLatin1(objectName));
    edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    edit->setTabChangesFocus(true);
    edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * 48);
    edit->setFixedHeight(edit->fontMetrics().lineSpacing() * 5 + 12);
    return edit;
}

}  // namespace

TemplateDialog::TemplateDialog(Prompter& prompter, QWidget* parent,
                               const MachineParameters& machine)
    : FormDialog(prompter, parent, Dialog::tr("程序头尾模板")),
      headers_(machine.programHeaders),
      footers_(machine.programFooters) {
    setObjectName(QStringLiteral("templateDialog"));
    profile_ = new QComboBox(this);
    profile_->setObjectName(QStringLiteral("profile"));
    for (const OutputProfile& p : outputProfiles())
        profile_->addItem(qstring(text(p.title)));
    form()->addRow(Dialog::tr("G代码输出格式："), profile_);
    header_ = addLines(this, "header");
    form()->addRow(Dialog::tr("程序开头："), header_);
    footer_ = addLines(this, "footer");
    form()->addRow(Dialog::tr("程序结尾："), footer_);

    auto* placeholders = new QListWidget(this);
    placeholders->setObjectName(QStringLiteral("placeholders"));
    for (const TemplatePlaceholder& p : templatePlaceholders())
        placeholders->addItem(
            QStringLiteral("%1\t%2").arg(QString::fromLatin1(p.name), qstring(text(p.meaning))));
    placeholders->setSelectionMode(QAbstractItemView::NoSelection);
    placeholders->setFocusPolicy(Qt::NoFocus);
    placeholders->setFixedHeight(placeholders->sizeHintForRow(0) * placeholders->count() + 6);
    form()->addRow(Dialog::tr("可用的占位符："), placeholders);

    auto* restore = new QPushButton(Dialog::tr("恢复默认"), this);
    restore->setObjectName(QStringLiteral("restoreDefault"));
    restore->setAutoDefault(false);
    restore->setToolTip(Dialog::tr("将此输出格式的程序开头和结尾恢复为默认值"));
    connect(restore, &QPushButton::clicked, this, &TemplateDialog::restoreDefault);
    // Beside OK and Cancel, on the side where buttons that reset a dialog stand.
    findChild<QDialogButtonBox*>(QStringLiteral("buttons"))
        ->addButton(restore, QDialogButtonBox::ResetRole);

    const int current = machine.outputProfile >= 0 && machine.outputProfile < profile_->count()
                            ? machine.outputProfile
                            : 0;
    profile_->setCurrentIndex(current);
    showProfile(current);
    connect(profile_, &QComboBox::currentIndexChanged, this, [this](int index) {
        keepShown();
        showProfile(index);
    });
}

void TemplateDialog::keepShown() {
    headers_[static_cast<size_t>(shown_)] = storedLines(header_->toPlainText());
    footers_[static_cast<size_t>(shown_)] = storedLines(footer_->toPlainText());
}

void TemplateDialog::showProfile(int index) {
    shown_ = index;
    header_->setPlainText(shownLines(headers_[static_cast<size_t>(index)]));
    footer_->setPlainText(shownLines(footers_[static_cast<size_t>(index)]));
}

void TemplateDialog::restoreDefault() {
    const MachineParameters defaults;
    header_->setPlainText(shownLines(defaults.programHeaders[static_cast<size_t>(shown_)]));
    footer_->setPlainText(shownLines(defaults.programFooters[static_cast<size_t>(shown_)]));
}

bool TemplateDialog::check() {
    keepShown();
    // The profile shown first, so that its own box is the one pointed at.
    for (int step = 0; step < profile_->count(); ++step) {
        const int index = (shown_ + step) % profile_->count();
        const auto i = static_cast<size_t>(index);
        QPlainTextEdit* refused = !presetTextStorable(headers_[i])   ? header_
                                  : !presetTextStorable(footers_[i]) ? footer_
                                                                     : nullptr;
        if (!refused) continue;
        profile_->setCurrentIndex(index);
        tell(qstring(text(Text::TextNotStorable)));
        refused->setFocus();
        return false;
    }
    return true;
}

}  // namespace pathloom::dialogs
