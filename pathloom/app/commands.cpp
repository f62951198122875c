// The command table and the menu and toolbar layouts.
#include "app/commands.h"

#include <QCoreApplication>

namespace pathloom::app {
namespace {

using A = Availability;

const std::vector<CommandEntry> kCommands = {
    {CmdNew, QT_TRANSLATE_NOOP("Command", "新建(&N)"),
     QT_TRANSLATE_NOOP("Command", "清除当前图形，开始新的文档\n新建"), "Ctrl+N", false, A::Idle},
    {CmdImport, QT_TRANSLATE_NOOP("Command", "导入(&I)"),
     QT_TRANSLATE_NOOP("Command", "导入 DXF、PLT 或 AI 图形文件\n导入"), "Ctrl+I", false, A::Idle},
    {CmdExport, QT_TRANSLATE_NOOP("Command", "导出代码(&O)"),
     QT_TRANSLATE_NOOP("Command", "将加工代码保存为文件\n导出代码"), "Ctrl+O", false, A::Idle},
    {CmdExit, QT_TRANSLATE_NOOP("Command", "退出(&X)"),
     QT_TRANSLATE_NOOP("Command", "保存设置并退出程序\n退出"), "", false, A::Always},
    {CmdConnect, QT_TRANSLATE_NOOP("Command", "连接"),
     QT_TRANSLATE_NOOP("Command", "连接运动控制器\n连接"), "", false, A::Disconnected},
    {CmdDisconnect, QT_TRANSLATE_NOOP("Command", "断开连接"),
     QT_TRANSLATE_NOOP("Command", "断开与控制器的连接\n断开连接"), "", false, A::Connected},
    {CmdDownload, QT_TRANSLATE_NOOP("Command", "发送到控制器"),
     QT_TRANSLATE_NOOP("Command", "将加工代码下载到控制器\n发送到控制器"), "", false, A::Idle},
    {CmdRemoveTiny, QT_TRANSLATE_NOOP("Command", "去除极小图形"),
     QT_TRANSLATE_NOOP("Command", "删除选中图形中的小图形\n去除极小图形"), "", false, A::Selection},
    {CmdRemoveDuplicates, QT_TRANSLATE_NOOP("Command", "去除重复线"),
     QT_TRANSLATE_NOOP("Command", "删除选中图形中的重复线\n去除重复线"), "", false, A::Selection},
    {CmdMerge, QT_TRANSLATE_NOOP("Command", "合并相连线"),
     QT_TRANSLATE_NOOP("Command", "合并选中图形中首尾相连的线\n合并相连线"), "", false,
     A::Selection},
    {CmdCurvePrecision, QT_TRANSLATE_NOOP("Command", "曲线精度"),
     QT_TRANSLATE_NOOP("Command", "按精度将选中的曲线转换为线段\n曲线精度"), "", false,
     A::Selection},
    {CmdSplit, QT_TRANSLATE_NOOP("Command", "曲线分割"),
     QT_TRANSLATE_NOOP("Command", "在单击处分割曲线\n曲线分割"), "", false, A::Idle},
    {CmdChangeStart, QT_TRANSLATE_NOOP("Command", "更改起点"),
     QT_TRANSLATE_NOOP("Command", "将封闭图形的起点移到单击处\n更改起点"), "", false, A::Idle},
    {CmdOptimizeTravel, QT_TRANSLATE_NOOP("Command", "优化空移"),
     QT_TRANSLATE_NOOP("Command", "优化曲线间的空移\n优化空移"), "", false, A::Selection},
    {CmdGridSort, QT_TRANSLATE_NOOP("Command", "网格排序"),
     QT_TRANSLATE_NOOP("Command", "按网格对选中图形排序\n网格排序"), "", false, A::Selection},
    {CmdSortNearest, QT_TRANSLATE_NOOP("Command", "局部最小空移"),
     QT_TRANSLATE_NOOP("Command", "按局部最小空移对选中图形排序\n局部最小空移"), "", false,
     A::Selection},
    {CmdSortSmallFirst, QT_TRANSLATE_NOOP("Command", "小图优先"),
     QT_TRANSLATE_NOOP("Command", "先加工选中图形中的小图形\n小图优先"), "", false, A::Selection},
    {CmdSortInsideOut, QT_TRANSLATE_NOOP("Command", "从内到外"),
     QT_TRANSLATE_NOOP("Command", "从内到外对选中图形排序\n从内到外"), "", false, A::Selection},
    {CmdSortLeftToRight, QT_TRANSLATE_NOOP("Command", "从左到右"),
     QT_TRANSLATE_NOOP("Command", "从左到右对选中图形排序\n从左到右"), "", false, A::Selection},
    {CmdSortRightToLeft, QT_TRANSLATE_NOOP("Command", "从右到左"),
     QT_TRANSLATE_NOOP("Command", "从右到左对选中图形排序\n从右到左"), "", false, A::Selection},
    {CmdSortTopToBottom, QT_TRANSLATE_NOOP("Command", "从上到下"),
     QT_TRANSLATE_NOOP("Command", "从上到下对选中图形排序\n从上到下"), "", false, A::Selection},
    {CmdSortBottomToTop, QT_TRANSLATE_NOOP("Command", "从下到上"),
     QT_TRANSLATE_NOOP("Command", "从下到上对选中图形排序\n从下到上"), "", false, A::Selection},
    {CmdSortShortestTravel, QT_TRANSLATE_NOOP("Command", "最短空移排序"),
     QT_TRANSLATE_NOOP("Command", "按最短空移路线对选中图形排序\n最短空移排序"), "", false,
     A::Selection},
    {CmdAllowReverse, QT_TRANSLATE_NOOP("Command", "允许反向"),
     QT_TRANSLATE_NOOP("Command", "排序时允许反转图形的方向\n允许反向"), "", true, A::Idle},
    {CmdMoveForward, QT_TRANSLATE_NOOP("Command", "前移"),
     QT_TRANSLATE_NOOP("Command", "将选中图形的加工顺序前移一位\n前移"), "", false, A::Selection},
    {CmdMoveBack, QT_TRANSLATE_NOOP("Command", "后移"),
     QT_TRANSLATE_NOOP("Command", "将选中图形的加工顺序后移一位\n后移"), "", false, A::Selection},
    {CmdMoveToFirst, QT_TRANSLATE_NOOP("Command", "移到第一个"),
     QT_TRANSLATE_NOOP("Command", "将选中图形移到第一个加工\n移到第一个"), "", false, A::Selection},
    {CmdMoveToLast, QT_TRANSLATE_NOOP("Command", "移到最后一个"),
     QT_TRANSLATE_NOOP("Command", "将选中图形移到最后一个加工\n移到最后一个"), "", false,
     A::Selection},
    {CmdReverseOrder, QT_TRANSLATE_NOOP("Command", "反序"),
     QT_TRANSLATE_NOOP("Command", "反转选中图形的加工顺序\n反序"), "", false, A::Selection},
    {CmdReverse, QT_TRANSLATE_NOOP("Command", "反向"),
     QT_TRANSLATE_NOOP("Command", "反转选中图形的加工方向\n反向"), "", false, A::Selection},
    {CmdAutoOptimize, QT_TRANSLATE_NOOP("Command", "自动优化"),
     QT_TRANSLATE_NOOP("Command", "设置导入图形后的自动优化步骤\n自动优化"), "", false, A::Idle},
    {CmdProcess, QT_TRANSLATE_NOOP("Command", "工艺参数"),
     QT_TRANSLATE_NOOP("Command", "设置机床参数和工艺参数\n工艺参数"), "", false, A::Idle},
    {CmdOrigin, QT_TRANSLATE_NOOP("Command", "原点位置"),
     QT_TRANSLATE_NOOP("Command", "设置图形的原点位置\n原点位置"), "", false, A::Idle},
    {CmdShowOpen, QT_TRANSLATE_NOOP("Command", "不封闭图形"),
     QT_TRANSLATE_NOOP("Command", "用红色显示不封闭的图形\n不封闭图形"), "", true, A::Always},
    {CmdShowTravel, QT_TRANSLATE_NOOP("Command", "空移"),
     QT_TRANSLATE_NOOP("Command", "显示图形之间的空移\n空移"), "", true, A::Always},
    {CmdShowOrder, QT_TRANSLATE_NOOP("Command", "顺序"),
     QT_TRANSLATE_NOOP("Command", "显示图形的加工顺序\n顺序"), "", true, A::Always},
    {CmdShowStart, QT_TRANSLATE_NOOP("Command", "起点"),
     QT_TRANSLATE_NOOP("Command", "显示图形的起点\n起点"), "", true, A::Always},
    {CmdShowDirection, QT_TRANSLATE_NOOP("Command", "方向"),
     QT_TRANSLATE_NOOP("Command", "显示图形的加工方向\n方向"), "", true, A::Always},
    {CmdShowCode, QT_TRANSLATE_NOOP("Command", "代码"),
     QT_TRANSLATE_NOOP("Command", "显示或隐藏代码窗口\n代码"), "", true, A::Idle},
    {CmdShowGrid, QT_TRANSLATE_NOOP("Command", "网格"),
     QT_TRANSLATE_NOOP("Command", "显示或隐藏网格\n网格"), "", true, A::Always},
    {CmdStatusBar, QT_TRANSLATE_NOOP("Command", "状态栏(&S)"),
     QT_TRANSLATE_NOOP("Command", "显示或隐藏状态栏\n状态栏"), "", true, A::Always},
    {CmdActionManager, QT_TRANSLATE_NOOP("Command", "动作管理器"),
     QT_TRANSLATE_NOOP("Command", "管理自定义动作\n动作管理器"), "", false, A::Idle},
    {CmdSimulate, QT_TRANSLATE_NOOP("Command", "模拟加工"),
     QT_TRANSLATE_NOOP("Command", "模拟加工过程\n模拟加工"), "F5", false, A::Idle},
    {CmdResetView, QT_TRANSLATE_NOOP("Command", "重置窗口显示"),
     QT_TRANSLATE_NOOP("Command", "缩放图形以适合窗口\n重置窗口显示"), "", false, A::Always},
    {CmdManual, QT_TRANSLATE_NOOP("Command", "帮助手册(&Z)"),
     QT_TRANSLATE_NOOP("Command", "打开帮助手册\n帮助手册"), "F1", false, A::Always},
    {CmdAbout, QT_TRANSLATE_NOOP("Command", "关于 Pathloom(&A)..."),
     QT_TRANSLATE_NOOP("Command", "显示程序信息和版本号\n关于"), "", false, A::Always},
    {CmdModifyAction, QT_TRANSLATE_NOOP("Command", "修改动作"),
     QT_TRANSLATE_NOOP("Command", "修改选中图形的动作\n修改动作"), "", false, A::Selection},
    {CmdDeleteAction, QT_TRANSLATE_NOOP("Command", "删除动作"),
     QT_TRANSLATE_NOOP("Command", "删除选中图形的动作\n删除动作"), "", false, A::Selection},
    {CmdCustomOrder, QT_TRANSLATE_NOOP("Command", "自定义顺序"),
     QT_TRANSLATE_NOOP("Command", "设置选中图形的加工顺序\n自定义顺序"), "", false, A::Selection},
    {CmdCustomZ, QT_TRANSLATE_NOOP("Command", "自定义Z轴"),
     QT_TRANSLATE_NOOP("Command", "设置选中图形的加工高度和抬起高度\n自定义Z轴"), "", false,
     A::Idle},
    {CmdCustomSpeed, QT_TRANSLATE_NOOP("Command", "自定义速度"),
     QT_TRANSLATE_NOOP("Command", "设置选中图形的加工速度\n自定义速度"), "", false, A::Idle},
    {CmdTranslate, QT_TRANSLATE_NOOP("Command", "轨迹平移"),
     QT_TRANSLATE_NOOP("Command", "平移选中的图形\n轨迹平移"), "", false, A::Selection},
    {CmdRotate, QT_TRANSLATE_NOOP("Command", "轨迹旋转"),
     QT_TRANSLATE_NOOP("Command", "旋转选中的图形\n轨迹旋转"), "", false, A::Selection},
    {CmdScale, QT_TRANSLATE_NOOP("Command", "轨迹缩放"),
     QT_TRANSLATE_NOOP("Command", "缩放选中的图形\n轨迹缩放"), "", false, A::Selection},
    {CmdMirror, QT_TRANSLATE_NOOP("Command", "轨迹镜像"),
     QT_TRANSLATE_NOOP("Command", "镜像选中的图形\n轨迹镜像"), "", false, A::Selection},
    {CmdMoveStart, QT_TRANSLATE_NOOP("Command", "起点移动"),
     QT_TRANSLATE_NOOP("Command", "移动选中的图形，使其起点位于指定位置\n起点移动"), "", false,
     A::Selection},
    {CmdSelect, QT_TRANSLATE_NOOP("Command", "选择"),
     QT_TRANSLATE_NOOP("Command", "单击或框选图形\n选择"), "", false, A::Idle},
    {CmdStopSimulation, QT_TRANSLATE_NOOP("Command", "停止模拟"),
     QT_TRANSLATE_NOOP("Command", "停止模拟加工\n停止模拟"), "", false, A::Simulating},
    {CmdPauseSimulation, QT_TRANSLATE_NOOP("Command", "暂停模拟"),
     QT_TRANSLATE_NOOP("Command", "暂停模拟加工\n暂停模拟"), "", false, A::Ticking},
    {CmdContinueSimulation, QT_TRANSLATE_NOOP("Command", "继续模拟"),
     QT_TRANSLATE_NOOP("Command", "继续模拟加工\n继续模拟"), "", false, A::Paused},
    {CmdCopy, QT_TRANSLATE_NOOP("Command", "复制"),
     QT_TRANSLATE_NOOP("Command", "复制选中的代码\n复制"), "Ctrl+C; Ctrl+Ins", false, A::Always},
    {CmdCut, QT_TRANSLATE_NOOP("Command", "剪切"),
     QT_TRANSLATE_NOOP("Command", "剪切选中的代码\n剪切"), "Ctrl+X; Shift+Del", false, A::Always},
    {CmdPaste, QT_TRANSLATE_NOOP("Command", "粘贴"),
     QT_TRANSLATE_NOOP("Command", "在代码中粘贴\n粘贴"), "Ctrl+V; Shift+Ins", false, A::Always},
    {CmdUndo, QT_TRANSLATE_NOOP("Command", "撤销"),
     QT_TRANSLATE_NOOP("Command", "撤销代码中的上一次修改\n撤销"), "Ctrl+Z; Alt+Backspace", false,
     A::Always},
    {CmdNextPane, QT_TRANSLATE_NOOP("Command", "下一窗格"),
     QT_TRANSLATE_NOOP("Command", "切换到下一个窗格\n下一窗格"), "F6", false, A::Always},
    {CmdPreviousPane, QT_TRANSLATE_NOOP("Command", "上一窗格"),
     QT_TRANSLATE_NOOP("Command", "切换到上一个窗格\n上一窗格"), "Shift+F6", false, A::Always},
};

MenuEntry item(int id) {
    return {id, nullptr, {}};
}
MenuEntry separator() {
    return {};
}
MenuEntry submenu(const char* title, std::vector<MenuEntry> entries) {
    return {0, title, std::move(entries)};
}

std::vector<MenuEntry> handSortEntries() {
    return {item(CmdMoveForward), item(CmdMoveBack), item(CmdMoveToFirst), item(CmdMoveToLast),
            item(CmdReverseOrder)};
}

}  // namespace

const std::vector<CommandEntry>& commandTable() {
    return kCommands;
}

const CommandEntry* findCommand(int id) {
    for (const CommandEntry& entry : kCommands)
        if (entry.id == id) return &entry;
    return nullptr;
}

const std::vector<MenuEntry>& mainMenu() {
    static const std::vector<MenuEntry> menu = {
        submenu(QT_TRANSLATE_NOOP("Menu", "文件(&F)"),
                {item(CmdNew), item(CmdImport), item(CmdExport), item(CmdExit)}),
        submenu(QT_TRANSLATE_NOOP("Menu", "控制器(&C)"),
                {item(CmdConnect), item(CmdDisconnect), item(CmdDownload)}),
        submenu(
            QT_TRANSLATE_NOOP("Menu", "优化(&O)"),
            {item(CmdRemoveTiny), item(CmdRemoveDuplicates), item(CmdMerge),
             item(CmdCurvePrecision), item(CmdSplit), item(CmdChangeStart), item(CmdOptimizeTravel),
             separator(),
             submenu(QT_TRANSLATE_NOOP("Menu", "自动排序"),
                     {item(CmdGridSort), item(CmdSortNearest), item(CmdSortSmallFirst),
                      item(CmdSortInsideOut), item(CmdSortLeftToRight), item(CmdSortRightToLeft),
                      item(CmdSortTopToBottom), item(CmdSortBottomToTop),
                      item(CmdSortShortestTravel), item(CmdAllowReverse)}),
             submenu(QT_TRANSLATE_NOOP("Menu", "手动排序"), handSortEntries()), item(CmdReverse)}),
        submenu(QT_TRANSLATE_NOOP("Menu", "设置(&S)"),
                {item(CmdAutoOptimize), item(CmdProcess), item(CmdOrigin)}),
        submenu(QT_TRANSLATE_NOOP("Menu", "视图(&V)"),
                {submenu(QT_TRANSLATE_NOOP("Menu", "图形显示"),
                         {item(CmdShowOpen), item(CmdShowTravel), item(CmdShowOrder),
                          item(CmdShowStart), item(CmdShowDirection)}),
                 item(CmdShowCode), item(CmdShowGrid), item(CmdStatusBar), separator(),
                 item(CmdActionManager), item(CmdSimulate), item(CmdResetView)}),
        submenu(QT_TRANSLATE_NOOP("Menu", "帮助(&H)"), {item(CmdManual), item(CmdAbout)}),
    };
    return menu;
}

const std::vector<MenuEntry>& contextMenu() {
    static const std::vector<MenuEntry> menu = {
        submenu(QT_TRANSLATE_NOOP("Menu", "动作"), {item(CmdModifyAction), item(CmdDeleteAction)}),
        item(CmdCustomOrder),
        item(CmdCustomZ),
        item(CmdCustomSpeed),
        item(CmdTranslate),
        item(CmdRotate),
        item(CmdScale),
        item(CmdMirror),
        submenu(QT_TRANSLATE_NOOP("Menu", "手动排序"), handSortEntries()),
        item(CmdMoveStart),
    };
    return menu;
}

const std::vector<int>& toolbarCommands() {
    static const std::vector<int> buttons = {CmdSelect,
                                             CmdConnect,
                                             CmdDisconnect,
                                             CmdDownload,
                                             0,
                                             CmdRemoveTiny,
                                             CmdRemoveDuplicates,
                                             CmdMerge,
                                             CmdCurvePrecision,
                                             CmdSplit,
                                             CmdChangeStart,
                                             CmdReverse,
                                             0,
                                             CmdStopSimulation,
                                             CmdPauseSimulation,
                                             CmdContinueSimulation};
    return buttons;
}

}  // namespace pathloom::app
