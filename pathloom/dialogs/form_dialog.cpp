// The number check and the layout shared by the small dialogs.
#include "dialogs/form_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/dialogs/number_input.h"
#include "core/text/texts.h"
#include "dialogs/prompter.h"

namespace pathloom::dialogs {

QString qstring(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string utf8(const QString& text) {
    return text.toStdString();
}

QString shownLines(std::string_view text) {
    QString shown = qstring(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

std::string storedLines(const QString& shown) {
    QString text = shown;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return utf8(text);
}

FormDialog::FormDialog(Prompter& prompter, QWidget* parent, const QString& title)
    : QDialog(parent), prompter_(prompter) {
    setWindowTitle(title);
    body_ = new QVBoxLayout(this);
    form_ = new QFormLayout;
    body_->addLayout(form_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    body_->addWidget(buttons);
}

QLineEdit* FormDialog::addNumber(const char* objectName, const QString& label, const QString& value,
                                 const QString& unit, bool besidePrevious) {
    auto* field = new QLineEdit(value, this);
    field->setObjectName(QString::fromLatin1(objectName));
    if (besidePrevious && lastRow_) {
        lastRow_->addWidget(new QLabel(label, this));
    } else {
        lastRow_ = new QHBoxLayout;
        form_->addRow(label, lastRow_);
    }
    lastRow_->addWidget(field, 1);
    if (!unit.isEmpty()) {
        auto* shownUnit = new QLabel(unit, this);
        shownUnit->setObjectName(QString::fromLatin1(objectName) + QStringLiteral("Unit"));
        lastRow_->addWidget(shownUnit);
    }
    numbers_.push_back(field);
    return field;
}

void FormDialog::tell(const QString& text) {
    prompter_.warning(this, text);
}

void FormDialog::accept() {
    for (QLineEdit* field : numbers_) {
        if (parseNumber(utf8(field->text()))) continue;
        tell(qstring(text(Text::NotANumber)));
        field->setFocus();
        field->selectAll();
        return;
    }
    if (check()) QDialog::accept();
}

double FormDialog::number(const char* objectName) const {
    const auto* field = findChild<QLineEdit*>(QString::fromLatin1(objectName));
    const auto value = field ? parseNumber(utf8(field->text())) : std::nullopt;
    return value.value_or(0.0);
}

NumberDialog::NumberDialog(Prompter& prompter, QWidget* parent, const QString& title,
                           const QString& prompt, const std::vector<NumberField>& fields)
    : FormDialog(prompter, parent, title) {
    if (!prompt.isEmpty()) {
        auto* label = new QLabel(prompt, this);
        label->setObjectName(QStringLiteral("prompt"));
        label->setWordWrap(true);
        body()->insertWidget(0, label);
    }
    for (const NumberField& field : fields)
        addNumber(field.objectName, field.label, field.value, field.unit, field.besidePrevious);
}

}  // namespace pathloom::dialogs
