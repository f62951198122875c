// The menu tree, mnemonics, command numbers and shortcuts, the context menu, the toolbar and the
// prompts, in Chinese and in English.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSlider>
#include <QToolBar>

#include "app/app_support.h"
#include "app/commands.h"

namespace pathloom::app::testing {
namespace {

// One line per entry: "menu/submenu/item#id[keys]", separators as "menu/-".
void describe(const QList<QAction*>& actions, const QString& prefix, QStringList& out) {
    for (QAction* action : actions) {
        if (action->isSeparator()) {
            out << prefix + QStringLiteral("-");
        } else if (action->menu()) {
            describe(action->menu()->actions(), prefix + action->text() + QLatin1Char('/'), out);
        } else {
            QStringList keys;
            for (const QKeySequence& key : action->shortcuts())
                keys << key.toString(QKeySequence::PortableText);
            QString line = prefix + action->text() + QLatin1Char('#') + action->data().toString();
            if (!keys.isEmpty())
                line += QLatin1Char('[') + keys.join(QLatin1Char(',')) + QLatin1Char(']');
            out << line;
        }
    }
}

QStringList mainMenuLines(MainWindow& window) {
    QStringList out;
    describe(window.menuBar()->actions(), QString(), out);
    return out;
}

const QStringList kChineseMenu = {"文件(&F)/新建(&N)#57600[Ctrl+N]",
                                  "文件(&F)/导入(&I)#32801[Ctrl+I]",
                                  "文件(&F)/导出代码(&O)#32896[Ctrl+O]",
                                  "文件(&F)/退出(&X)#57665",
                                  "编辑(&E)/撤销(&U)#57643[Ctrl+Z,Alt+Backspace]",
                                  "编辑(&E)/重做(&R)#57644[Ctrl+Y,Ctrl+Shift+Z]",
                                  "控制器(&C)/连接#32802",
                                  "控制器(&C)/断开连接#32803",
                                  "控制器(&C)/发送到控制器#32804",
                                  "优化(&O)/去除极小图形#32805",
                                  "优化(&O)/去除重复线#32806",
                                  "优化(&O)/合并相连线#32807",
                                  "优化(&O)/曲线精度#32808",
                                  "优化(&O)/曲线分割#32809",
                                  "优化(&O)/更改起点#32820",
                                  "优化(&O)/优化空移#32901",
                                  "优化(&O)/-",
                                  "优化(&O)/自动排序/网格排序#32824",
                                  "优化(&O)/自动排序/局部最小空移#32825",
                                  "优化(&O)/自动排序/小图优先#32826",
                                  "优化(&O)/自动排序/从内到外#32827",
                                  "优化(&O)/自动排序/从左到右#32828",
                                  "优化(&O)/自动排序/从右到左#32830",
                                  "优化(&O)/自动排序/从上到下#32831",
                                  "优化(&O)/自动排序/从下到上#32832",
                                  "优化(&O)/自动排序/最短空移排序#32960",
                                  "优化(&O)/自动排序/允许反向#32833",
                                  "优化(&O)/自动排序/内部图形优先#32961",
                                  "优化(&O)/手动排序/前移#32834",
                                  "优化(&O)/手动排序/后移#32835",
                                  "优化(&O)/手动排序/移到第一个#32836",
                                  "优化(&O)/手动排序/移到最后一个#32837",
                                  "优化(&O)/手动排序/反序#32884",
                                  "优化(&O)/反向#32838",
                                  "设置(&S)/自动优化#32839",
                                  "设置(&S)/工艺参数#32840",
                                  "设置(&S)/程序头尾模板#32962",
                                  "设置(&S)/原点位置#32887",
                                  "视图(&V)/图形显示/不封闭图形#32843",
                                  "视图(&V)/图形显示/空移#32844",
                                  "视图(&V)/图形显示/顺序#32845",
                                  "视图(&V)/图形显示/起点#32846",
                                  "视图(&V)/图形显示/方向#32847",
                                  "视图(&V)/图形显示/包含深度#32968",
                                  "视图(&V)/代码#32848",
                                  "视图(&V)/网格#32903",
                                  "视图(&V)/状态栏(&S)#59393",
                                  "视图(&V)/-",
                                  "视图(&V)/动作管理器#32850",
                                  "视图(&V)/模拟加工#32899[F5]",
                                  "视图(&V)/重置窗口显示#32851",
                                  "帮助(&H)/帮助手册(&Z)#32911[F1]",
                                  "帮助(&H)/关于 Pathloom(&A)...#57664"};

const QStringList kEnglishMenu = {"&File/&New#57600[Ctrl+N]",
                                  "&File/&Import#32801[Ctrl+I]",
                                  "&File/Export c&ode#32896[Ctrl+O]",
                                  "&File/E&xit#57665",
                                  "&Edit/&Undo#57643[Ctrl+Z,Alt+Backspace]",
                                  "&Edit/&Redo#57644[Ctrl+Y,Ctrl+Shift+Z]",
                                  "&Controller/Connect#32802",
                                  "&Controller/Disconnect#32803",
                                  "&Controller/Send to controller#32804",
                                  "&Optimise/Remove tiny shapes#32805",
                                  "&Optimise/Remove duplicate lines#32806",
                                  "&Optimise/Merge connected lines#32807",
                                  "&Optimise/Curve precision#32808",
                                  "&Optimise/Split curve#32809",
                                  "&Optimise/Change start point#32820",
                                  "&Optimise/Optimise travel#32901",
                                  "&Optimise/-",
                                  "&Optimise/Automatic sort/Grid sort#32824",
                                  "&Optimise/Automatic sort/Least travel#32825",
                                  "&Optimise/Automatic sort/Small shapes first#32826",
                                  "&Optimise/Automatic sort/Inside to outside#32827",
                                  "&Optimise/Automatic sort/Left to right#32828",
                                  "&Optimise/Automatic sort/Right to left#32830",
                                  "&Optimise/Automatic sort/Top to bottom#32831",
                                  "&Optimise/Automatic sort/Bottom to top#32832",
                                  "&Optimise/Automatic sort/Shortest travel#32960",
                                  "&Optimise/Automatic sort/Allow reverse#32833",
                                  "&Optimise/Automatic sort/Inner shapes first#32961",
                                  "&Optimise/Manual sort/Move forward#32834",
                                  "&Optimise/Manual sort/Move back#32835",
                                  "&Optimise/Manual sort/Move to first#32836",
                                  "&Optimise/Manual sort/Move to last#32837",
                                  "&Optimise/Manual sort/Reverse order#32884",
                                  "&Optimise/Reverse direction#32838",
                                  "&Settings/Automatic optimisation#32839",
                                  "&Settings/Process parameters#32840",
                                  "&Settings/Header and footer templates#32962",
                                  "&Settings/Origin#32887",
                                  "&View/Shapes/Open shapes#32843",
                                  "&View/Shapes/Travel moves#32844",
                                  "&View/Shapes/Order#32845",
                                  "&View/Shapes/Start points#32846",
                                  "&View/Shapes/Directions#32847",
                                  "&View/Shapes/Containment depth#32968",
                                  "&View/Code#32848",
                                  "&View/Grid#32903",
                                  "&View/&Status Bar#59393",
                                  "&View/-",
                                  "&View/Action manager#32850",
                                  "&View/Simulate#32899[F5]",
                                  "&View/Reset window display#32851",
                                  "&Help/Help &manual#32911[F1]",
                                  "&Help/&About Pathloom...#57664"};

class Menus : public ::testing::Test {
  protected:
    void TearDown() override { useLanguage(Language::Chinese); }
    TempFolder folder;
    ScriptedPrompter prompter;
};

TEST_F(Menus, MainMenuInChineseAndEnglish) {
    useLanguage(Language::Chinese);
    auto chinese = makeWindow(prompter, folder.file("Setting.ini"));
    EXPECT_EQ(mainMenuLines(*chinese), kChineseMenu);
    useLanguage(Language::English);
    auto english = makeWindow(prompter, folder.file("Setting.ini"));
    EXPECT_EQ(mainMenuLines(*english), kEnglishMenu);
    EXPECT_EQ(english->action(Command::RemoveTiny)->statusTip(),
              "Remove the tiny shapes among the selected shapes");
}

TEST_F(Menus, ContextMenuToolbarAndAccelerators) {
    auto window = makeWindow(prompter, folder.file("Setting.ini"));
    QStringList context;
    describe(window->contextMenu()->actions(), QString(), context);
    EXPECT_EQ(context, (QStringList{"动作/修改动作#32889", "动作/删除动作#32891",
                                    "自定义顺序#32921", "自定义Z轴#32922", "自定义速度#32926",
                                    "轨迹平移#32927", "轨迹旋转#32932", "轨迹缩放#32934",
                                    "轨迹镜像#32945", "手动排序/前移#32834", "手动排序/后移#32835",
                                    "手动排序/移到第一个#32836", "手动排序/移到最后一个#32837",
                                    "手动排序/反序#32884", "起点移动#32943"}));

    const auto keys = [&](Command id) {
        QStringList out;
        for (const QKeySequence& key : window->action(id)->shortcuts())
            out << key.toString(QKeySequence::PortableText);
        return out;
    };
    EXPECT_EQ(keys(Command::Copy), (QStringList{"Ctrl+C", "Ctrl+Ins"}));
    EXPECT_EQ(keys(Command::Cut), (QStringList{"Ctrl+X", "Shift+Del"}));
    EXPECT_EQ(keys(Command::Paste), (QStringList{"Ctrl+V", "Shift+Ins"}));
    EXPECT_EQ(keys(Command::Undo), (QStringList{"Ctrl+Z", "Alt+Backspace"}));
    EXPECT_EQ(keys(Command::NextPane), QStringList{"F6"});
    EXPECT_EQ(keys(Command::PreviousPane), QStringList{"Shift+F6"});

    auto* bar = window->findChild<QToolBar*>(QStringLiteral("toolBar"));
    ASSERT_NE(bar, nullptr);
    QStringList buttons;
    for (QAction* action : bar->actions()) {
        if (action->isSeparator())
            buttons << QStringLiteral("-");
        else if (QWidget* widget = bar->widgetForAction(action);
                 widget && !action->data().isValid())
            buttons << widget->objectName();
        else
            buttons << action->data().toString();
        // Each button's picture is there at the toolbar's size and for scaled displays.
        if (!action->isSeparator() && action->data().isValid()) {
            EXPECT_EQ(action->icon().availableSizes(), (QList<QSize>{{32, 32}, {64, 64}}))
                << action->data().toString().toStdString();
        }
    }
    EXPECT_EQ(buttons, (QStringList{"32881", "32802", "32803", "32804", "-", "32805", "32806",
                                    "32807", "32808", "32809", "32820", "32838", "-", "32915",
                                    "32916", "32917", "speedSlider", "ratioBox"}));
    EXPECT_EQ(window->speedSlider()->minimum(), 1);
    EXPECT_EQ(window->speedSlider()->maximum(), 1000);
    EXPECT_EQ(window->speedSlider()->value(), 100);
    EXPECT_EQ(window->speedSlider()->toolTip(), "仿真速度调节");
    EXPECT_EQ(window->ratioBox()->text(), "倍率：100%");
}

TEST_F(Menus, EveryCommandHasAPromptAndATooltip) {
    auto window = makeWindow(prompter, folder.file("Setting.ini"));
    for (const CommandEntry& entry : commandTable()) {
        QAction* action = window->action(entry.command);
        ASSERT_NE(action, nullptr) << entry.command;
        EXPECT_FALSE(action->statusTip().isEmpty()) << entry.command;
        EXPECT_FALSE(action->toolTip().isEmpty()) << entry.command;
    }
    EXPECT_EQ(window->action(Command::RemoveTiny)->statusTip(), "删除选中图形中的小图形");
    EXPECT_EQ(window->action(Command::RemoveTiny)->toolTip(), "去除极小图形");
    EXPECT_EQ(window->action(Command::OptimizeTravel)->statusTip(), "优化曲线间的空移");
    EXPECT_EQ(window->action(Command::OptimizeTravel)->toolTip(), "优化空移");
    // The dialogs on the selection are there, and disabled while nothing is selected.
    for (Command id : {Command::RemoveTiny, Command::Rotate, Command::MoveStart})
        EXPECT_FALSE(window->action(id)->isEnabled()) << id;
    // The simulation's controls wait for a simulation.
    EXPECT_TRUE(window->action(Command::Simulate)->isEnabled());
    for (Command id :
         {Command::StopSimulation, Command::PauseSimulation, Command::ContinueSimulation})
        EXPECT_FALSE(window->action(id)->isEnabled()) << id;
    for (Command id : {Command::Process, Command::AutoOptimize, Command::Origin,
                       Command::ActionManager, Command::CustomSpeed})
        EXPECT_TRUE(window->action(id)->isEnabled()) << id;
}

}  // namespace
}  // namespace pathloom::app::testing
