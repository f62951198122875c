// The common frame of the program's small dialogs: a title, rows of labelled fields, OK and
// Cancel, and the number check that keeps a dialog open until every number field holds a finite
// number. Fields carry object names, so that tests fill them by name.
#pragma once

#include <QCoreApplication>
#include <QDialog>
#include <QString>
#include <string>
#include <string_view>
#include <vector>

class QDialogButtonBox;
class QFormLayout;
class QHBoxLayout;
class QLineEdit;
class QVBoxLayout;

namespace pathloom::dialogs {

class Prompter;

// The translation context of the dialogs' texts: Dialog::tr("…") gives a text in the program's
// language, and lupdate collects it under "Dialog".
class Dialog {
    Q_DECLARE_TR_FUNCTIONS(Dialog)
};

QString qstring(std::string_view text);
std::string utf8(const QString& text);
// Stored texts keep CR LF between lines; edit boxes show plain line breaks.
QString shownLines(std::string_view text);
std::string storedLines(const QString& shown);

class FormDialog : public QDialog {
    Q_OBJECT
  public:
    FormDialog(Prompter& prompter, QWidget* parent, const QString& title);

    // Closes with OK only when every number field holds a finite number and check() agrees.
    void accept() override;

    // The value of a number field; call after the dialog was accepted.
    double number(const char* objectName) const;

  protected:
    // Further checks of a dialog; shows its own message and returns false to stay open.
    virtual bool check() { return true; }

    // A number field in a row of its own, or beside the previous field after `label` ("×");
    // `unit` ("mm", "mm/s", "°") follows the field.
    QLineEdit* addNumber(const char* objectName, const QString& label, const QString& value,
                         const QString& unit = {}, bool besidePrevious = false);
    QFormLayout* form() const { return form_; }
    QVBoxLayout* body() const { return body_; }
    Prompter& prompter() const { return prompter_; }
    void tell(const QString& text);

  private:
    Prompter& prompter_;
    QVBoxLayout* body_;
    QFormLayout* form_;
    std::vector<QLineEdit*> numbers_;
    QHBoxLayout* lastRow_ = nullptr;
};

// A dialog of number fields only: the value dialogs (speed, order, scale), the pair dialogs
// (heights, move, start point), the distance and precision dialog and the tiny-shape dialog.
struct NumberField {
    const char* objectName;
    QString label;
    QString value;
    QString unit;                 // empty for a plain number
    bool besidePrevious = false;  // on the previous field's row
};
class NumberDialog : public FormDialog {
    Q_OBJECT
  public:
    NumberDialog(Prompter& prompter, QWidget* parent, const QString& title, const QString& prompt,
                 const std::vector<NumberField>& fields);
};

}  // namespace pathloom::dialogs
