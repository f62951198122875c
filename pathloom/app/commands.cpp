// The command table and the menu and toolbar layouts.
#include "app/commands.h"

#include <QCoreApplication>

namespace pathloom::app {
namespace {

using A = Availability;

const std::vector<CommandEntry> kCommands = {
    {Command::New, QT_TRANSLATE_NOOP("Command", "新建(&N)"),
     QT_TRANSLATE_NOOP("Command", "清除当前图形，开始新的文档\n新建"), "Ctrl+N", false, A::Idle},
    {Command::Import, QT_TRANSLATE_NOOP("Command", "导入(&I)"),
     QT_TRANSLATE_NOOP("Command", "导入 DXF、PLT 或 AI 图形文件\n导入"), "Ctrl+I", false, A::Idle},
    {Command::Export, QT_TRANSLATE_NOOP("Command", "导出代码(&O)"),
     QT_TRANSLATE_NOOP("Command", "将加工代码保存为文件\n导出代码"), "Ctrl+O", false, A::Idle},
    {Command::Exit, QT_TRANSLATE_NOOP("Command", "退出(&X)"),
     QT_TRANSLATE_NOOP("Command", "保存设置并退出程序\n退出"), "", false, A::Always},
    {Command::Connect, QT_TRANSLATE_NOOP("Command", "连接"),
     QT_TRANSLATE_NOOP("Command", "连接运动控制器\n连接"), "", false, A::Disconnected},
    {Command::Disconnect, QT_TRANSLATE_NOOP("Command", "断开连接"),
     QT_TRANSLATE_NOOP("Command", "断开与控制器的连接\n断开连接"), "", false, A::Connected},
    {Command::Download, QT_TRANSLATE_NOOP("Command", "发送到控制器"),
     QT_TRANSLATE_NOOP("Command", "将加工代码下载到控制器\n发送到控制器"), "", false, A::Idle},
    {Command::RemoveTiny, QT_TRANSLATE_NOOP("Command", "去除极小图形"),
     QT_TRANSLATE_NOOP("Command", "删除选中图形中的小图形\n去除极小图形"), "", false, A::Selection},
    {Command::RemoveDuplicates, QT_TRANSLATE_NOOP("Command", "去除重复线"),
     QT_TRANSLATE_NOOP("Command", "删除选中图形中的重复线\n去除重复线"), "", false, A::Selection},
    {Command::Merge, QT_TRANSLATE_NOOP("Command", "合并相连线"),
     QT_TRANSLATE_NOOP("Command", "合并选中图形中首尾相连的线\n合并相连线"), "", false,
     A::Selection},
    {Command::CurvePrecision, QT_TRANSLATE_NOOP("Command", "曲线精度"),
     QT_TRANSLATE_NOOP("Command", "按精度将选中的曲线转换为线段\n曲线精度"), "", false,
     A::Selection},
    {Command::Split, QT_TRANSLATE_NOOP("Command", "曲线分割"),
     QT_TRANSLATE_NOOP("Command", "在单击处分割曲线\n曲线分割"), "", false, A::Idle},
    {Command::ChangeStart, QT_TRANSLATE_NOOP("Command", "更改起点"),
     QT_TRANSLATE_NOOP("Command", "将封闭图形的起点移到单击处\n更改起点"), "", false, A::Idle},
    {Command::OptimizeTravel, QT_TRANSLATE_NOOP("Command", "优化空移"),
     QT_TRANSLATE_NOOP("Command", "优化曲线间的空移\n优化空移"), "", false, A::Selection},
    {Command::GridSort, QT_TRANSLATE_NOOP("Command", "网格排序"),
     QT_TRANSLATE_NOOP("Command", "按网格对选中图形排序\n网格排序"), "", false, A::Selection},
    {Command::SortNearest, QT_TRANSLATE_NOOP("Command", "局部最小空移"),
     QT_TRANSLATE_NOOP("Command", "按局部最小空移对选中图形排序\n局部最小空移"), "", false,
     A::Selection},
    {Command::SortSmallFirst, QT_TRANSLATE_NOOP("Command", "小图优先"),
     QT_TRANSLATE_NOOP("Command", "先加工选中图形中的小图形\n小图优先"), "", false, A::Selection},
    {Command::SortInsideOut, QT_TRANSLATE_NOOP("Command", "从内到外"),
     QT_TRANSLATE_NOOP("Command", "从内到外对选中图形排序\n从内到外"), "", false, A::Selection},
    {Command::SortLeftToRight, QT_TRANSLATE_NOOP("Command", "从左到右"),
     QT_TRANSLATE_NOOP("Command", "从左到右对选中图形排序\n从左到右"), "", false, A::Selection},
    {Command::SortRightToLeft, QT_TRANSLATE_NOOP("Command", "从右到左"),
     QT_TRANSLATE_NOOP("Command", "从右到左对选中图形排序\n从右到左"), "", false, A::Selection},
    {Command::SortTopToBottom, QT_TRANSLATE_NOOP("Command", "从上到下"),
     QT_TRANSLATE_NOOP("Command", "从上到下对选中图形排序\n从上到下"), "", false, A::Selection},
    {Command::SortBottomToTop, QT_TRANSLATE_NOOP("Command", "从下到上"),
     QT_TRANSLATE_NOOP("Command", "从下到上对选中图形排序\n从下到上"), "", false, A::Selection},
    {Command::SortShortestTravel, QT_TRANSLATE_NOOP("Command", "最短空移排序"),
     QT_TRANSLATE_NOOP("Command", "按最短空移路线对选中图形排序\n最短空移排序"), "", false,
     A::Selection},
    {Command::InnerFirst, QT_TRANSLATE_NOOP("Command", "内部图形优先"),
     QT_TRANSLATE_NOOP("Command", "排序时先加工被包围的图形，再加工包围它的图形\n内部图形优先"), "",
     true, A::Idle},
    {Command::AllowReverse, QT_TRANSLATE_NOOP("Command", "允许反向"),
     QT_TRANSLATE_NOOP("Command", "排序时允许反转图形的方向\n允许反向"), "", true, A::Idle},
    {Command::MoveForward, QT_TRANSLATE_NOOP("Command", "前移"),
     QT_TRANSLATE_NOOP("Command", "将选中图形的加工顺序前移一位\n前移"), "", false, A::Selection},
    {Command::MoveBack, QT_TRANSLATE_NOOP("Command", "后移"),
     QT_TRANSLATE_NOOP("Command", "将选中图形的加工顺序后移一位\n后移"), "", false, A::Selection},
    {Command::MoveToFirst, QT_TRANSLATE_NOOP("Command", "移到第一个"),
     QT_TRANSLATE_NOOP("Command", "将选中图形移到第一个加工\n移到第一个"), "", false, A::Selection},
    {Command::MoveToLast, QT_TRANSLATE_NOOP("Command", "移到最后一个"),
     QT_TRANSLATE_NOOP("Command", "将选中图形移到最后一个加工\n移到最后一个"), "", false,
     A::Selection},
    {Command::ReverseOrder, QT_TRANSLATE_NOOP("Command", "反序"),
     QT_TRANSLATE_NOOP("Command", "反转选中图形的加工顺序\n反序"), "", false, A::Selection},
    {Command::Reverse, QT_TRANSLATE_NOOP("Command", "反向"),
     QT_TRANSLATE_NOOP("Command", "反转选中图形的加工方向\n反向"), "", false, A::Selection},
    {Command::AutoOptimize, QT_TRANSLATE_NOOP("Command", "自动优化"),
     QT_TRANSLATE_NOOP("Command", "设置导入图形后的自动优化步骤\n自动优化"), "", false, A::Idle},
    {Command::Process, QT_TRANSLATE_NOOP("Command", "工艺参数"),
     QT_TRANSLATE_NOOP("Command", "设置机床参数和工艺参数\n工艺参数"), "", false, A::Idle},
    {Command::Origin, QT_TRANSLATE_NOOP("Command", "原点位置"),
     QT_TRANSLATE_NOOP("Command", "设置图形的原点位置\n原点位置"), "", false, A::Idle},
    {Command::ProgramTemplates, QT_TRANSLATE_NOOP("Command", "程序头尾模板"),
     QT_TRANSLATE_NOOP("Command", "编辑每种G代码输出格式的程序开头和结尾\n程序头尾模板"), "", false,
     A::Idle},
    {Command::ShowOpen, QT_TRANSLATE_NOOP("Command", "不封闭图形"),
     QT_TRANSLATE_NOOP("Command", "用红色显示不封闭的图形\n不封闭图形"), "", true, A::Always},
    {Command::ShowTravel, QT_TRANSLATE_NOOP("Command", "空移"),
     QT_TRANSLATE_NOOP("Command", "显示图形之间的空移\n空移"), "", true, A::Always},
    {Command::ShowOrder, QT_TRANSLATE_NOOP("Command", "顺序"),
     QT_TRANSLATE_NOOP("Command", "显示图形的加工顺序\n顺序"), "", true, A::Always},
    {Command::ShowStart, QT_TRANSLATE_NOOP("Command", "起点"),
     QT_TRANSLATE_NOOP("Command", "显示图形的起点\n起点"), "", true, A::Always},
    {Command::ShowDirection, QT_TRANSLATE_NOOP("Command", "方向"),
     QT_TRANSLATE_NOOP("Command", "显示图形的加工方向\n方向"), "", true, A::Always},
    {Command::ShowDepth, QT_TRANSLATE_NOOP("Command", "包含深度"),
     QT_TRANSLATE_NOOP("Command", "按包含深度为封闭图形着色\n包含深度"), "", true, A::Always},
    {Command::ShowCode, QT_TRANSLATE_NOOP("Command", "代码"),
     QT_TRANSLATE_NOOP("Command", "显示或隐藏代码窗口\n代码"), "", true, A::Idle},
    {Command::ShowGrid, QT_TRANSLATE_NOOP("Command", "网格"),
     QT_TRANSLATE_NOOP("Command", "显示或隐藏网格\n网格"), "", true, A::Always},
    {Command::StatusBar, QT_TRANSLATE_NOOP("Command", "状态栏(&S)"),
     QT_TRANSLATE_NOOP("Command", "显示或隐藏状态栏\n状态栏"), "", true, A::Always},
    {Command::ActionManager, QT_TRANSLATE_NOOP("Command", "动作管理器"),
     QT_TRANSLATE_NOOP("Command", "管理自定义动作\n动作管理器"), "", false, A::Idle},
    {Command::Simulate, QT_TRANSLATE_NOOP("Command", "模拟加工"),
     QT_TRANSLATE_NOOP("Command", "模拟加工过程\n模拟加工"), "F5", false, A::Idle},
    {Command::ResetView, QT_TRANSLATE_NOOP("Command", "重置窗口显示"),
     QT_TRANSLATE_NOOP("Command", "缩放图形以适合窗口\n重置窗口显示"), "", false, A::Always},
    {Command::Manual, QT_TRANSLATE_NOOP("Command", "帮助手册(&Z)"),
     QT_TRANSLATE_NOOP("Command", "打开帮助手册\n帮助手册"), "F1", false, A::Always},
    {Command::About, QT_TRANSLATE_NOOP("Command", "关于 Pathloom(&A)..."),
     QT_TRANSLATE_NOOP("Command", "显示程序信息和版本号\n关于"), "", false, A::Always},
    {Command::ModifyAction, QT_TRANSLATE_NOOP("Command", "修改动作"),
     QT_TRANSLATE_NOOP("Command", "修改选中图形的动作\n修改动作"), "", false, A::Selection},
    {Command::DeleteAction, QT_TRANSLATE_NOOP("Command", "删除动作"),
     QT_TRANSLATE_NOOP("Command", "删除选中图形的动作\n删除动作"), "", false, A::Selection},
    {Command::CustomOrder, QT_TRANSLATE_NOOP("Command", "自定义顺序"),
     QT_TRANSLATE_NOOP("Command", "设置选中图形的加工顺序\n自定义顺序"), "", false, A::Selection},
    {Command::CustomZ, QT_TRANSLATE_NOOP("Command", "自定义Z轴"),
     QT_TRANSLATE_NOOP("Command", "设置选中图形的加工高度和抬起高度\n自定义Z轴"), "", false,
     A::Idle},
    {Command::CustomSpeed, QT_TRANSLATE_NOOP("Command", "自定义速度"),
     QT_TRANSLATE_NOOP("Command", "设置选中图形的加工速度\n自定义速度"), "", false, A::Idle},
    {Command::Translate, QT_TRANSLATE_NOOP("Command", "轨迹平移"),
     QT_TRANSLATE_NOOP("Command", "平移选中的图形\n轨迹平移"), "", false, A::Selection},
    {Command::Rotate, QT_TRANSLATE_NOOP("Command", "轨迹旋转"),
     QT_TRANSLATE_NOOP("Command", "旋转选中的图形\n轨迹旋转"), "", false, A::Selection},
    {Command::Scale, QT_TRANSLATE_NOOP("Command", "轨迹缩放"),
     QT_TRANSLATE_NOOP("Command", "缩放选中的图形\n轨迹缩放"), "", false, A::Selection},
    {Command::Mirror, QT_TRANSLATE_NOOP("Command", "轨迹镜像"),
     QT_TRANSLATE_NOOP("Command", "镜像选中的图形\n轨迹镜像"), "", false, A::Selection},
    {Command::MoveStart, QT_TRANSLATE_NOOP("Command", "起点移动"),
     QT_TRANSLATE_NOOP("Command", "移动选中的图形，使其起点位于指定位置\n起点移动"), "", false,
     A::Selection},
    {Command::Select, QT_TRANSLATE_NOOP("Command", "选择"),
     QT_TRANSLATE_NOOP("Command", "单击或框选图形\n选择"), "", false, A::Idle},
    {Command::StopSimulation, QT_TRANSLATE_NOOP("Command", "停止模拟"),
     QT_TRANSLATE_NOOP("Command", "停止模拟加工\n停止模拟"), "", false, A::Simulating},
    {Command::PauseSimulation, QT_TRANSLATE_NOOP("Command", "暂停模拟"),
     QT_TRANSLATE_NOOP("Command", "暂停模拟加工\n暂停模拟"), "", false, A::Ticking},
    {Command::ContinueSimulation, QT_TRANSLATE_NOOP("Command", "继续模拟"),
     QT_TRANSLATE_NOOP("Command", "继续模拟加工\n继续模拟"), "", false, A::Paused},
    {Command::Copy, QT_TRANSLATE_NOOP("Command", "复制"),
     QT_TRANSLATE_NOOP("Command", "复制选中的代码\n复制"), "Ctrl+C; Ctrl+Ins", false, A::Always},
    {Command::Cut, QT_TRANSLATE_NOOP("Command", "剪切"),
     QT_TRANSLATE_NOOP("Command", "剪切选中的代码\n剪切"), "Ctrl+X; Shift+Del", false, A::Always},
    {Command::Paste, QT_TRANSLATE_NOOP("Command", "粘贴"),
     QT_TRANSLATE_NOOP("Command", "在代码中粘贴\n粘贴"), "Ctrl+V; Shift+Ins", false, A::Always},
    {Command::Undo, QT_TRANSLATE_NOOP("Command", "撤销(&U)"),
     QT_TRANSLATE_NOOP("Command", "撤销上一次修改\n撤销"), "Ctrl+Z; Alt+Backspace", false,
     A::Undoable},
    {Command::Redo, QT_TRANSLATE_NOOP("Command", "重做(&R)"),
     QT_TRANSLATE_NOOP("Command", "重做上一次撤销的修改\n重做"), "Ctrl+Y; Ctrl+Shift+Z", false,
     A::Redoable},
    {Command::NextPane, QT_TRANSLATE_NOOP("Command", "下一窗格"),
     QT_TRANSLATE_NOOP("Command", "切换到下一个窗格\n下一窗格"), "F6", false, A::Always},
    {Command::PreviousPane, QT_TRANSLATE_NOOP("Command", "上一窗格"),
     QT_TRANSLATE_NOOP("Command", "切换到上一个窗格\n上一窗格"), "Shift+F6", false, A::Always},
};

MenuEntry item(Command command) {
    return {command, nullptr, {}};
}
MenuEntry separator() {
    return {};
}
MenuEntry submenu(const char* title, std::vector<MenuEntry> entries) {
    return {std::nullopt, title, std::move(entries)};
}

std::vector<MenuEntry> handSortEntries() {
    return {item(Command::MoveForward), item(Command::MoveBack), item(Command::MoveToFirst),
            item(Command::MoveToLast), item(Command::ReverseOrder)};
}

}  // namespace

const std::vector<CommandEntry>& commandTable() {
    return kCommands;
}

const std::vector<MenuEntry>& mainMenu() {
    static const std::vector<MenuEntry> menu = {
        submenu(QT_TRANSLATE_NOOP("Menu", "文件(&F)"),
                {item(Command::New), item(Command::Import), item(Command::Export),
                 item(Command::Exit)}),
        submenu(QT_TRANSLATE_NOOP("Menu", "编辑(&E)"), {item(Command::Undo), item(Command::Redo)}),
        submenu(QT_TRANSLATE_NOOP("Menu", "控制器(&C)"),
                {item(Command::Connect), item(Command::Disconnect), item(Command::Download)}),
        submenu(QT_TRANSLATE_NOOP("Menu", "优化(&O)"),
                {item(Command::RemoveTiny), item(Command::RemoveDuplicates), item(Command::Merge),
                 item(Command::CurvePrecision), item(Command::Split), item(Command::ChangeStart),
                 item(Command::OptimizeTravel), separator(),
                 submenu(QT_TRANSLATE_NOOP("Menu", "自动排序"),
                         {item(Command::GridSort), item(Command::SortNearest),
                          item(Command::SortSmallFirst), item(Command::SortInsideOut),
                          item(Command::SortLeftToRight), item(Command::SortRightToLeft),
                          item(Command::SortTopToBottom), item(Command::SortBottomToTop),
                          item(Command::SortShortestTravel), item(Command::AllowReverse),
                          item(Command::InnerFirst)}),
                 submenu(QT_TRANSLATE_NOOP("Menu", "手动排序"), handSortEntries()),
                 item(Command::Reverse)}),
        submenu(QT_TRANSLATE_NOOP("Menu", "设置(&S)"),
                {item(Command::AutoOptimize), item(Command::Process),
                 item(Command::ProgramTemplates), item(Command::Origin)}),
        submenu(
            QT_TRANSLATE_NOOP("Menu", "视图(&V)"),
            {submenu(QT_TRANSLATE_NOOP("Menu", "图形显示"),
                     {item(Command::ShowOpen), item(Command::ShowTravel), item(Command::ShowOrder),
                      item(Command::ShowStart), item(Command::ShowDirection),  // then the tint
                      item(Command::ShowDepth)}),
             item(Command::ShowCode), item(Command::ShowGrid), item(Command::StatusBar),
             separator(), item(Command::ActionManager), item(Command::Simulate),
             item(Command::ResetView)}),
        submenu(QT_TRANSLATE_NOOP("Menu", "帮助(&H)"),
                {item(Command::Manual), item(Command::About)}),
    };
    return menu;
}

const std::vector<MenuEntry>& contextMenu() {
    static const std::vector<MenuEntry> menu = {
        submenu(QT_TRANSLATE_NOOP("Menu", "动作"),
                {item(Command::ModifyAction), item(Command::DeleteAction)}),
        item(Command::CustomOrder),
        item(Command::CustomZ),
        item(Command::CustomSpeed),
        item(Command::Translate),
        item(Command::Rotate),
        item(Command::Scale),
        item(Command::Mirror),
        submenu(QT_TRANSLATE_NOOP("Menu", "手动排序"), handSortEntries()),
        item(Command::MoveStart),
    };
    return menu;
}

const std::vector<std::optional<Command>>& toolbarCommands() {
    static const std::vector<std::optional<Command>> buttons = {Command::Select,
                                                                Command::Connect,
                                                                Command::Disconnect,
                                                                Command::Download,
                                                                std::nullopt,
                                                                Command::RemoveTiny,
                                                                Command::RemoveDuplicates,
                                                                Command::Merge,
                                                                Command::CurvePrecision,
                                                                Command::Split,
                                                                Command::ChangeStart,
                                                                Command::Reverse,
                                                                std::nullopt,
                                                                Command::StopSimulation,
                                                                Command::PauseSimulation,
                                                                Command::ContinueSimulation};
    return buttons;
}

}  // namespace pathloom::app
