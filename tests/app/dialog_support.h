// Support of the dialog tests: a window with a drawing built in the test, and filling a dialog's
// fields by object name.
#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <memory>

#include "app/app_support.h"
#include "app/dialog_commands.h"
#include "support/builders.h"

namespace pathloom::app::testing {

template <class Widget>
Widget* child(QObject& parent, const char* name) {
    return parent.findChild<Widget*>(QString::fromLatin1(name));
}

inline QString textOf(QDialog& dialog, const char* name) {
    return child<QLineEdit>(dialog, name)->text();
}

inline void type(QDialog& dialog, const char* name, const QString& value) {
    if (auto* field = child<QLineEdit>(dialog, name))
        field->setText(value);
    else if (auto* box = child<QComboBox>(dialog, name))
        box->setEditText(value);
    else
        child<QPlainTextEdit>(dialog, name)->setPlainText(value);
}

class DialogTest : public ::testing::Test {
  protected:
    void SetUp() override { window = makeWindow(prompter, settingsFile); }

    // Puts a drawing made in the test into the window, as an import would.
    void adopt(VectGroup* drawing) {
        window->document().adopt(drawing);
        window->drawingChanged();
    }
    // Every vect of the drawing, in order.
    std::vector<Vect*> vects() { return lintrel::test::vectsOf(window->document().drawing()); }
    void selectOnly(std::initializer_list<int> indices) {
        std::vector<Vect*> all = vects();
        for (Vect* v : all)
            v->selected = 0;
        for (int i : indices)
            all[static_cast<size_t>(i)]->selected = 1;
        window->showSelectionInCode();
    }
    // Runs a command whose dialog `fill` fills and accepts or rejects.
    void run(Command command, std::function<void(QDialog&)> fill) {
        prompter.fill = std::move(fill);
        ASSERT_TRUE(window->action(command)->isEnabled()) << command;
        window->action(command)->trigger();
    }

    TempFolder folder;
    std::string settingsFile = folder.file("Setting.ini");
    ScriptedPrompter prompter;
    std::unique_ptr<MainWindow> window;
};

}  // namespace pathloom::app::testing
