// The action editor, the action manager and the before/after action dialog.
#include "dialogs/action_dialogs.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "core/dialogs/stored_values.h"
#include "core/document/commands.h"
#include "core/presets/apply.h"
#include "core/text/texts.h"
#include "dialogs/prompter.h"

namespace pathloom::dialogs {
namespace {

// Button faces of delete mode: red while on, the dialog grey while off (0x00BBGGRR values 255
// and 0xF0F0F0).
const QColor kDeleteOn(255, 0, 0);
const QColor kDeleteOff(0xF0, 0xF0, 0xF0);

}  // namespace

// ---- Action editor ----

ActionEditor::ActionEditor(Prompter& prompter, QWidget* parent, const Action& action)
    : FormDialog(prompter, parent, Dialog::tr("动作编辑")) {
    name_ = new QLineEdit(qstring(action.name), this);
    name_->setObjectName(QStringLiteral("name"));
    form()->addRow(Dialog::tr("动作名称："), name_);
    text_ = new QPlainTextEdit(shownLines(action.text), this);
    text_->setObjectName(QStringLiteral("text"));
    form()->addRow(Dialog::tr("指令："), text_);
}

Action ActionEditor::action() const {
    return {utf8(name_->text()), storedLines(text_->toPlainText())};
}

bool ActionEditor::check() {
    const std::optional<Text> problem = actionProblem(action());
    if (!problem) return true;
    tell(qstring(text(*problem)));
    return false;
}

// ---- Action manager ----

ActionManager::ActionManager(Prompter& prompter, QWidget* parent, std::vector<Action> actions)
    : QDialog(parent), prompter_(prompter), actions_(std::move(actions)) {
    setWindowTitle(Dialog::tr("动作管理器"));
    setObjectName(QStringLiteral("actionManager"));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    for (int i = 0; i < static_cast<int>(ActionList::kCapacity); ++i) {
        auto* button = new QPushButton(this);
        button->setObjectName(QStringLiteral("action%1").arg(kFirstButton + i));
        button->setAutoDefault(false);
        grid->addWidget(button, i / 3, i % 3);
        connect(button, &QPushButton::clicked, this, [this, i] { clickAction(i); });
        buttons_.push_back(button);
    }
    layout->addLayout(grid);
    auto* row = new QHBoxLayout;
    auto* addButton = new QPushButton(Dialog::tr("新增"), this);
    addButton->setObjectName(QStringLiteral("addAction"));
    addButton->setAutoDefault(false);
    connect(addButton, &QPushButton::clicked, this, &ActionManager::add);
    deleteButton_ = new QPushButton(Dialog::tr("删除"), this);
    deleteButton_->setObjectName(QStringLiteral("deleteMode"));
    deleteButton_->setAutoDefault(false);
    connect(deleteButton_, &QPushButton::clicked, this, &ActionManager::toggleDeleteMode);
    row->addWidget(addButton);
    row->addWidget(deleteButton_);
    layout->addLayout(row);
    paintDeleteFace();
    refresh();
}

QColor ActionManager::deleteFace() const {
    return deleteMode_ ? kDeleteOn : kDeleteOff;
}

bool ActionManager::edit(Action& action) {
    ActionEditor editor(prompter_, this, action);
    if (!prompter_.runDialog(editor)) return false;
    action = editor.action();
    return true;
}

void ActionManager::add() {
    if (actions_.full()) return prompter_.warning(this, qstring(text(Text::ActionsFull)));
    Action action;
    if (!edit(action) || !actions_.add(action)) return;
    refresh();
    emit actionsChanged();
}

void ActionManager::toggleDeleteMode() {
    if (!deleteMode_ && actions_.size() == 0) {
        prompter_.warning(this, qstring(text(Text::ActionsEmpty)));
    } else {
        deleteMode_ = !deleteMode_;
    }
    paintDeleteFace();
}

void ActionManager::paintDeleteFace() {
    deleteButton_->setStyleSheet(QStringLiteral("background-color: %1").arg(deleteFace().name()));
}

void ActionManager::clickAction(int index) {
    if (index < 0 || static_cast<size_t>(index) >= actions_.size()) return;
    if (deleteMode_) {
        actions_.remove(static_cast<size_t>(index));
    } else {
        Action action = actions_.items()[static_cast<size_t>(index)];
        if (!edit(action) || !actions_.replace(static_cast<size_t>(index), action)) return;
    }
    refresh();
    emit actionsChanged();
}

void ActionManager::refresh() {
    for (size_t i = 0; i < buttons_.size(); ++i) {
        const bool used = i < actions_.size();
        buttons_[i]->setVisible(used);
        buttons_[i]->setText(used ? qstring(actions_.items()[i].name) : QString());
        buttons_[i]->setToolTip(used ? shownLines(actions_.items()[i].text) : QString());
    }
}

// ---- Before/after actions ----

SetActionDialog::SetActionDialog(Prompter& prompter, QWidget* parent, const ActionList& actions,
                                 VectGroup* drawing)
    : FormDialog(prompter, parent, Dialog::tr("修改动作")), actions_(actions), drawing_(drawing) {
    const Vect* first = firstSelected(drawing);
    addSide("beforeList", "beforeText", Dialog::tr("加工前动作"),
            first ? first->beforeAction : nullptr);
    addSide("afterList", "afterText", Dialog::tr("加工后动作"),
            first ? first->afterAction : nullptr);
    if (!first) {
        findChild<QComboBox*>(QStringLiteral("beforeList"))->setCurrentIndex(-1);
        findChild<QComboBox*>(QStringLiteral("afterList"))->setCurrentIndex(-1);
    }
}

void SetActionDialog::addSide(const char* listName, const char* editName, const QString& label,
                              const char* current) {
    auto* list = new QComboBox(this);
    list->setObjectName(QString::fromLatin1(listName));
    list->addItem(Dialog::tr("无"));
    list->addItem(Dialog::tr("自定义"));
    for (const Action& action : actions_.items())
        list->addItem(qstring(action.name));
    auto* edit = new QPlainTextEdit(this);
    edit->setObjectName(QString::fromLatin1(editName));
    form()->addRow(label, list);
    form()->addRow(edit);

    const ActionChoice choice = actionChoiceFor(current, actions_);
    list->setCurrentIndex(choice.kind == ActionChoice::None     ? 0
                          : choice.kind == ActionChoice::Custom ? 1
                                                                : 2 + choice.index);
    if (current) edit->setPlainText(shownLines(current));
    const bool before = qstrcmp(listName, "beforeList") == 0;
    connect(list, &QComboBox::currentIndexChanged, this, [this, edit, before](int index) {
        // The list fills the box; the box's own change below must not move the list again.
        const QSignalBlocker quiet(edit);
        if (index == 0) return edit->clear();
        if (index >= 2) {
            const auto& action = actions_.items()[static_cast<size_t>(index - 2)];
            return edit->setPlainText(shownLines(action.text));
        }
        const Vect* first = firstSelected(drawing_);
        const char* own = first ? (before ? first->beforeAction : first->afterAction) : nullptr;
        edit->setPlainText(shownLines(own ? own : ""));
    });
    // Typing moves the list to what the box now holds: "无" when empty, the action whose text
    // it is, else "自定义".
    connect(edit, &QPlainTextEdit::textChanged, this, [this, edit, list] {
        const std::string typed = storedLines(edit->toPlainText());
        const ActionChoice now = actionChoiceFor(typed.c_str(), actions_);
        const int index = now.kind == ActionChoice::None     ? 0
                          : now.kind == ActionChoice::Custom ? 1
                                                             : 2 + now.index;
        const QSignalBlocker quiet(list);
        list->setCurrentIndex(index);
    });
}

std::string SetActionDialog::before() const {
    return storedLines(findChild<QPlainTextEdit*>(QStringLiteral("beforeText"))->toPlainText());
}

std::string SetActionDialog::after() const {
    return storedLines(findChild<QPlainTextEdit*>(QStringLiteral("afterText"))->toPlainText());
}

}  // namespace pathloom::dialogs
