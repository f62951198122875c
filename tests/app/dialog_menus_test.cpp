// Every dialog opened from the menus of the running window, by mouse and by keyboard: it appears
// as a window of its own and Escape closes it without changing the drawing, the vects or the
// settings.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "app/commands.h"
#include "app/dialog_support.h"
#include "dialogs/action_dialogs.h"
#include "dialogs/origin_dialog.h"

namespace pathloom::app::testing {
namespace {

using lintrel::test::groupOf;
using lintrel::test::polyline;

struct Seen {
    QString title;
    bool window = false;
    bool modal = false;
};

QMenu* menuHolding(MainWindow& window, QAction* action) {
    for (QMenu* menu : window.findChildren<QMenu*>())
        if (menu->actions().contains(action)) return menu;
    return nullptr;
}

// Everything a dialog could change, in one comparable text.
std::string snapshot(MainWindow& window) {
    std::string out = window.document().code();
    for (Vect* v : lintrel::test::vectsOf(window.document().drawing())) {
        for (Seg* s : lintrel::test::segsOf(v->segs))
            out += ' ' + std::to_string(s->x0) + ',' + std::to_string(s->y0);
        out += ' ' + std::to_string(v->speed) + ' ' + std::to_string(v->workHeight) + ' ' +
               std::to_string(v->liftHeight) + (v->beforeAction ? v->beforeAction : "-");
    }
    return out;
}

class DialogMenus : public DialogTest {
  protected:
    void SetUp() override {
        DialogTest::SetUp();
        adopt(groupOf({polyline({{0, 0}, {10, 0}}), polyline({{0, 5}, {10, 5}})}));
        selectOnly({0, 1});
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    // Chooses the command in its menu and answers the modal dialog that opens with Escape.
    Seen escapeFrom(Command command, bool mouse) {
        QAction* action = window->action(command);
        QMenu* menu = menuHolding(*window, action);
        EXPECT_NE(menu, nullptr) << command;
        if (!menu) return {};
        menu->popup(window->mapToGlobal(QPoint(40, 40)));
        EXPECT_TRUE(QTest::qWaitForWindowExposed(menu));
        Seen seen;
        QTimer answer;
        answer.setInterval(5);
        QObject::connect(&answer, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) return;
            answer.stop();
            seen = {modal->windowTitle(), modal->isWindow(), modal->isModal()};
            QTest::keyClick(modal, Qt::Key_Escape);
        });
        answer.start();
        if (mouse) {
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        } else {
            menu->setActiveAction(action);
            QTest::keyClick(menu, Qt::Key_Return);
        }
        answer.stop();
        return seen;
    }
};

TEST_F(DialogMenus, EveryModalDialogIsAWindowAndEscapeChangesNothing) {
    window->dialogs().actionManager();  // exists from the start, hidden
    const struct {
        Command command;
        const char* title;
    } dialogs[] = {{Command::RemoveTiny, "去除极小图形"}, {Command::Merge, "合并相连线"},
                   {Command::CurvePrecision, "曲线精度"}, {Command::OptimizeTravel, "优化空移"},
                   {Command::AutoOptimize, "自动优化"},   {Command::Process, "工艺参数"},
                   {Command::CustomSpeed, "修改速度"},    {Command::CustomOrder, "修改顺序"},
                   {Command::Scale, "轨迹缩放"},          {Command::CustomZ, "修改Z轴高度"},
                   {Command::Translate, "轨迹平移"},      {Command::MoveStart, "起点移动"},
                   {Command::Rotate, "轨迹旋转"},         {Command::Mirror, "轨迹镜像"},
                   {Command::ModifyAction, "修改动作"}};
    const std::string before = snapshot(*window);
    const Settings settings = window->settings();
    for (const auto& dialog : dialogs) {
        for (bool mouse : {true, false}) {
            const Seen seen = escapeFrom(dialog.command, mouse);
            EXPECT_EQ(seen.title, dialog.title) << dialog.command << (mouse ? " mouse" : " keys");
            EXPECT_TRUE(seen.window && seen.modal) << dialog.command;
            EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        }
    }
    EXPECT_EQ(snapshot(*window), before);
    EXPECT_EQ(window->settings(), settings);
    EXPECT_TRUE(prompter.warnings.isEmpty());
}

TEST_F(DialogMenus, TheModelessDialogsAreWindowsOfTheirOwnThatEscapeHides) {
    for (Command command : {Command::ActionManager, Command::Origin}) {
        QAction* action = window->action(command);
        QMenu* menu = menuHolding(*window, action);
        ASSERT_NE(menu, nullptr);
        menu->popup(window->mapToGlobal(QPoint(40, 40)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        QDialog* dialog = command == Command::Origin
                              ? static_cast<QDialog*>(window->dialogs().originDialog())
                              : &window->dialogs().actionManager();
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_TRUE(dialog->isWindow());
        EXPECT_FALSE(dialog->isModal());
        const std::string before = snapshot(*window);
        QTest::keyClick(dialog, Qt::Key_Escape);
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(snapshot(*window), before);
    }
}

}  // namespace
}  // namespace pathloom::app::testing
