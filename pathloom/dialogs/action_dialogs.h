// The operator's actions: the action editor (a name and its controller commands), the modeless
// action manager with its 30 buttons, add and delete mode, and the before/after action dialog
// that gives the selected vects their action texts.
#pragma once

#include <QColor>
#include <QDialog>
#include <functional>
#include <vector>

#include <lintrel/lintrel.h>

#include "core/presets/actions.h"
#include "dialogs/form_dialog.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace pathloom::dialogs {

class ActionEditor : public FormDialog {
    Q_OBJECT
  public:
    // Fields "name" and "text" (line breaks as typed; the action keeps CR LF).
    ActionEditor(Prompter& prompter, QWidget* parent, const Action& action);
    Action action() const;

  protected:
    // Refuses what the settings file would not give back, with the reason.
    bool check() override;

  private:
    QLineEdit* name_;
    QPlainTextEdit* text_;
};

class ActionManager : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kFirstButton = 1004;
    // Buttons "action1004" to "action1033", "addAction" and "deleteMode".
    ActionManager(Prompter& prompter, QWidget* parent, std::vector<Action> actions);

    const ActionList& actions() const { return actions_; }
    bool deleteMode() const { return deleteMode_; }
    QColor deleteFace() const;

    void add();
    void toggleDeleteMode();
    void clickAction(int index);

  signals:
    void actionsChanged();

  private:
    bool edit(Action& action);
    void refresh();
    void paintDeleteFace();

    Prompter& prompter_;
    ActionList actions_;
    bool deleteMode_ = false;
    std::vector<QPushButton*> buttons_;
    QPushButton* deleteButton_;
};

class SetActionDialog : public FormDialog {
    Q_OBJECT
  public:
    // Lists "beforeList" and "afterList" ("无", "自定义", then the actions), texts "beforeText"
    // and "afterText"; opened from the first selected vect of `drawing`.
    SetActionDialog(Prompter& prompter, QWidget* parent, const ActionList& actions,
                    VectGroup* drawing);
    std::string before() const;
    std::string after() const;

  private:
    void addSide(const char* list, const char* edit, const QString& label, const char* current);
    const ActionList& actions_;
    VectGroup* drawing_;
};

}  // namespace pathloom::dialogs
