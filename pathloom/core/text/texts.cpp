// The text table. The Chinese texts are the program's texts as operators know them; keep them
// byte for byte.
#include "core/text/texts.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>

namespace pathloom {
namespace {

struct Entry {
    Text id;
    const char* chinese;
    const char* english;
};

constexpr Entry kEntries[] = {
    {Text::Processing, "正在处理数据，请稍后...", "Processing the data, please wait..."},
    {Text::AutoDuplicates, "正在自动去除重复线...", "Removing duplicate lines..."},
    {Text::AutoMerge, "正在自动合并相连线...", "Merging connected lines..."},
    {Text::AutoTiny, "正在自动去除极小图形...", "Removing tiny shapes..."},
    {Text::AutoSmoothing, "正在自动曲线精度处理...", "Applying the curve precision..."},
    {Text::AutoSort, "正在自动排序...", "Sorting..."},
    {Text::AutoTravel, "正在自动优化空移...", "Optimising the travel moves..."},
    {Text::Parameters, "正在处理参数...", "Applying the process parameters..."},
    {Text::Displaying, "正在显示图形，请稍后...", "Drawing the shapes, please wait..."},
    {Text::Ready, "就绪", "Ready"},
    {Text::Simulating, "正在模拟加工...", "Simulating the machining..."},
    {Text::PreparingSimulation, "正在获取模拟加工数据，请稍后...",
     "Preparing the simulation, please wait..."},
    {Text::OpenFailed, "无法打开“%s”：", "Cannot open \"%s\": "},
    {Text::ReasonMissing, "文件不存在。", "the file does not exist."},
    {Text::ReasonFolder, "这是一个文件夹，不是文件。", "it is a folder, not a file."},
    {Text::ReasonUnreadable, "文件无法读取。", "the file cannot be read."},
    {Text::ReasonEmptyFile, "文件是空的。", "the file is empty."},
    {Text::ReasonUnknownKind, "不是本程序能读取的图形文件（DXF、DST、PLT、HPGL、AI、SVG、PDF）。",
     "it is not a kind of drawing this program reads (DXF, DST, PLT, HPGL, AI, SVG, PDF)."},
    {Text::ReasonDamaged, "文件已损坏（不完整），或不是%s格式。",
     "the file is damaged (cut off) or is not in the %s format."},
    {Text::ReasonCompressed, "图形数据采用了本程序不能读取的压缩方式（Zstandard）。",
     "its drawing data is compressed in a form this program does not read (Zstandard)."},
    {Text::ReasonOnlyUnconverted, "文件中只有不能转换的图元：%s。",
     "it holds only kinds of shape that are not converted: %s."},
    {Text::ReasonNoShapes, "文件中没有图形。", "there are no shapes in it."},
    {Text::ReasonEmptied, "自动优化后没有剩下任何图形（被“%s”全部删除）。",
     "nothing is left after the automatic clean-up (\"%s\" removed every shape)."},
    {Text::StepDuplicates, "去除重复线", "remove duplicate lines"},
    {Text::StepMerge, "合并相连线", "merge connected lines"},
    {Text::StepTiny, "去除极小图形", "remove tiny shapes"},
    {Text::StepSmoothing, "曲线精度", "curve precision"},
    {Text::StepSort, "排序", "sort"},
    {Text::StepTravel, "优化空移", "optimise the travel moves"},
    {Text::DuplicatesFailed, "去除重复线出错，%d", "Removing duplicate lines failed, %d"},
    {Text::MergeFailed, "合并相连线出错，%d", "Merging connected lines failed, %d"},
    {Text::TinyFailed, "去除极小图形出错，%d", "Removing tiny shapes failed, %d"},
    {Text::SmoothingFailed, "曲线精度处理出错，%d", "Curve precision failed, %d"},
    {Text::AutoSortFailed, "自动排序出错，%d", "Automatic sorting failed, %d"},
    {Text::TravelFailed, "优化空移出错，%d", "Travel optimisation failed, %d"},
    {Text::GridSortFailed, "网格排序出错，%d", "Grid sort failed, %d"},
    {Text::SortNearestFailed, "局部最小空移排序出错，%d", "Sorting by least travel failed, %d"},
    {Text::SortSmallFirstFailed, "小图优先排序出错，%d", "Sorting small shapes first failed, %d"},
    {Text::SortInsideOutFailed, "从内到外排序出错，%d", "Sorting inside to outside failed, %d"},
    {Text::SortLeftToRightFailed, "从左到右排序出错，%d", "Sorting left to right failed, %d"},
    {Text::SortRightToLeftFailed, "从右到左排序出错，%d", "Sorting right to left failed, %d"},
    {Text::SortTopToBottomFailed, "从上到下排序出错，%d", "Sorting top to bottom failed, %d"},
    {Text::SortBottomToTopFailed, "从下到上排序出错，%d", "Sorting bottom to top failed, %d"},
    {Text::SortShortestTravelFailed, "最短空移排序出错，%d", "Shortest-travel sorting failed, %d"},
    {Text::HandSortFailed, "手动排序出错，%d", "Manual sorting failed, %d"},
    {Text::ReverseOrderFailed, "反序出错，%d", "Reversing the order failed, %d"},
    {Text::ReverseFailed, "反向出错，%d", "Reversing the direction failed, %d"},
    {Text::SelectGroupFailed, "按图层选择出错，%d", "Selecting the group failed, %d"},
    {Text::ChangeGroupFailed, "更改图层出错，%d", "Changing the group failed, %d"},
    {Text::SplitFailed, "分割曲线出错，%d", "Splitting the curve failed, %d"},
    {Text::StartPointFailed, "更改图形起点出错，%d", "Changing the start point failed, %d"},
    {Text::GenerateFailed, "生成代码出错，%d", "Writing the program failed, %d"},
    {Text::Unsupported, "暂不支持", "Not supported yet"},
    {Text::BadParameter, "参数错误", "Invalid parameter"},
    {Text::BadScale, "缩放尺寸不正确！", "The scale factor is not valid!"},
    {Text::OrderOutsideGroup, "该图形所在颜色组的顺序为 %s，图形只能在本组内移动",
     "The shape's colour group holds positions %s; a shape moves only within its group"},
    {Text::NoDrawing, "数据为空", "There is no drawing"},
    {Text::CodeOutdated, "代码未更新，请更新后再进行此操作",
     "The program is out of date; update it before doing this"},
    {Text::ActionsFull, "命令管理器已满，请删除后再添加",
     "The action manager is full; delete an action before adding one"},
    {Text::ActionsEmpty, "无命令，无法删除", "There is no action to delete"},
    {Text::NotANumber, "请输入一个数字。", "Please enter a number."},
    {Text::ActionNameInvalid, "动作名称不能为空，也不能包含“=”或换行",
     "The action name must not be empty or contain \"=\" or a line break"},
    {Text::ActionTextAmpersand, "指令中不能包含“&”", "The command text must not contain \"&\""},
    {Text::ActionTooLong, "动作太长，无法保存（名称和指令最多1023个字符）",
     "The action is too long to be stored (name and command text at most 1023 characters)"},
    {Text::ActionNotStorable, "动作名称或指令的首尾不能是空格或引号",
     "The action name and command text must not begin or end with a blank or a quote"},
    {Text::TextNotStorable, "该文本无法保存到设置文件中（首尾不能是空格或引号）",
     "This text cannot be stored in the settings file (it must not begin or end with a blank or "
     "a quote)"},
    {Text::ExportFailed, "导出代码失败：%s", "Exporting the program failed: %s"},
    {Text::ExportDone, "代码已导出到“%s”", "The program was exported to \"%s\""},
    {Text::ExportEmpty, "没有可导出的代码：请先导入图形",
     "There is no program to export: import a drawing first"},
    {Text::ManualMissing, "找不到帮助手册。它应位于：%s",
     "The manual was not found. It is expected at: %s"},
    {Text::CodeOutdatedHow, "（打开“视图 > %s”即可更新代码）",
     " (switch on View > %s to bring it up to date)"},
    {Text::NotConnected, "未连接", "Not connected"},
    {Text::ConnectFailed, "连接控制器失败，%d", "Connecting to the controller failed, %d"},
    {Text::ConnectionLost, "连接出错，%d", "Connection error, %d"},
    {Text::DownloadFailed, "下载失败，%d", "Download failed, %d"},
    {Text::DownloadDone, "下载成功！", "Download finished!"},
    {Text::ValueRefused, "%1：%2 不是有效的%3；%4", "%1: %2 is not %3; %4"},
    {Text::ValueRefusedUnnamed, "%2 不是有效的%3；%4", "%2 is not %3; %4"},
    {Text::DefaultUsed, "%1；改用默认值 %2", "%1; the default %2 is used"},
    {Text::SettingsFileRefused, "设置文件 %1 中有不能使用的值：\n%2",
     "The settings file %1 holds values that cannot be used:\n%2"},
    {Text::RuleSpeed, "速度", "a speed"},
    {Text::RuleSpeedAllows, "速度须为大于 %lo 的数，单位 %unit",
     "a speed is a number above %lo in %unit"},
    {Text::RuleAcceleration, "加速度", "an acceleration"},
    {Text::RuleAccelerationAllows, "加速度须为大于 %lo 的数，单位 %unit",
     "an acceleration is a number above %lo in %unit"},
    {Text::RuleDeceleration, "减速度", "a deceleration"},
    {Text::RuleDecelerationAllows, "减速度须为大于 %lo 的数，单位 %unit",
     "a deceleration is a number above %lo in %unit"},
    {Text::RuleAxis, "轴号", "an axis number"},
    {Text::RuleAxisAllows, "轴号须为 %lo 到 %hi 的整数",
     "an axis number is a whole number from %lo to %hi"},
    {Text::RuleHeight, "高度", "a height"},
    {Text::RuleHeightAllows, "高度须为 %lo 到 %hi 之间的数，单位 %unit",
     "a height is a number from %lo to %hi in %unit"},
    {Text::RulePrecision, "精度", "a precision"},
    {Text::RulePrecisionAllows, "精度须为大于 %lo、不超过 %hi 的数，单位 %unit",
     "a precision is a number above %lo and at most %hi in %unit"},
    {Text::RuleSize, "尺寸", "a size"},
    {Text::RuleSizeAllows, "尺寸须为 %lo 到 %hi 之间的数，单位 %unit",
     "a size is a number from %lo to %hi in %unit"},
    {Text::RulePlotterUnits, "绘图仪单位", "a plotter unit"},
    {Text::RulePlotterUnitsAllows, "绘图仪单位须为 %lo 到 %hi 之间的数，即每英寸的单位数",
     "a plotter unit is a number from %lo to %hi units per inch"},
    {Text::RuleSortOrder, "排序方式", "a sort order"},
    {Text::RuleSortOrderAllows,
     "排序方式须为 0（网格排序）、1 到 7（自动排序方式）或 8（最短空移排序）",
     "a sort order is 0 (grid sort), 1 to 7 (the automatic sort modes) or 8 (shortest travel)"},
    {Text::RuleCodeType, "代码语言", "a code language"},
    {Text::RuleCodeTypeAllows, "代码语言须为 0（Basic）或 1（NC，即 G 代码）",
     "a code language is 0 (Basic) or 1 (NC, G-code)"},
    {Text::RuleMoveType, "运动方式", "a motion mode"},
    {Text::RuleMoveTypeAllows, "运动方式须为 0（绝对运动）或 1（相对运动）",
     "a motion mode is 0 (absolute) or 1 (relative)"},
    {Text::RuleSwitch, "开关值", "a switch"},
    {Text::RuleSwitchAllows, "开关值须为 0（关）或 1（开）", "a switch is 0 (off) or 1 (on)"},
    {Text::RuleSimulationSpeed, "仿真速度", "a simulation speed"},
    {Text::RuleSimulationSpeedAllows, "仿真速度须为 %lo 到 %hi 的整数",
     "a simulation speed is a whole number from %lo to %hi"},
    {Text::RulePanelWidth, "面板宽度", "a panel width"},
    {Text::RulePanelWidthAllows, "面板宽度须为 %lo 到 %hi 的整数，单位 %unit",
     "a panel width is a whole number from %lo to %hi in %unit"},
    {Text::RuleOutputProfile, "输出格式", "an output profile"},
    {Text::RuleOutputProfileAllows,
     "输出格式须为 0（默认）、1（LinuxCNC）、2（GRBL 激光）、3（GRBL 主轴/刀）、4（Mach3/Mach4）或 "
     "5（Marlin）",
     "an output profile is 0 (default), 1 (LinuxCNC), 2 (GRBL laser), 3 (GRBL spindle/knife), 4 "
     "(Mach3/Mach4) or 5 (Marlin)"},
    {Text::RulePercent, "百分比", "a percentage"},
    {Text::RulePercentAllows, "百分比须为 %lo 到 %hi 之间的数",
     "a percentage is a number from %lo to %hi"},
    {Text::RuleDelay, "延时", "a delay"},
    {Text::RuleDelayAllows, "延时须为 %lo 到 %hi 之间的数，单位 %unit",
     "a delay is a number from %lo to %hi in %unit"},
    {Text::RuleKerfSide, "割缝方向", "a kerf side"},
    {Text::RuleKerfSideAllows, "割缝方向须为 0（不补偿）、1（按嵌套层次）、2（向外）或 3（向内）",
     "a kerf side is 0 (none), 1 (by nesting depth), 2 (outside) or 3 (inside)"},
    {Text::RuleCorners, "拐角方式", "a corner style"},
    {Text::RuleCornersAllows, "拐角方式须为 0（圆角）或 1（尖角）",
     "a corner style is 0 (round) or 1 (mitred)"},
    {Text::RuleMitreLimit, "尖角限度", "a mitre limit"},
    {Text::RuleMitreLimitAllows, "尖角限度须为 %lo 到 %hi 之间的数",
     "a mitre limit is a number from %lo to %hi"},
    {Text::RuleLeadType, "引线类型", "a lead type"},
    {Text::RuleLeadTypeAllows, "引线类型须为 0（无）、1（直线）或 2（圆弧）",
     "a lead type is 0 (none), 1 (line) or 2 (arc)"},
    {Text::RuleLeadAngle, "引线角度", "a lead angle"},
    {Text::RuleLeadAngleAllows, "引线角度须为大于 %lo 且不超过 %hi 的数，单位 %unit",
     "a lead angle is a number above %lo up to %hi in %unit"},
    {Text::RuleStartPoint, "起点规则", "a start point rule"},
    {Text::RuleStartPointAllows, "起点规则须为 0（按图形）、1（离上一终点最近）或 2（最尖的拐角）",
     "a start point rule is 0 (as drawn), 1 (nearest the previous end) or 2 (sharpest corner)"},
    {Text::RuleCutDirection, "切割方向", "a cut direction"},
    {Text::RuleCutDirectionAllows,
     "切割方向须为 0（按图形）、1（外轮廓顺时针、孔逆时针）或 2（相反）",
     "a cut direction is 0 (as drawn), 1 (outer shapes clockwise, holes counter-clockwise) or 2 "
     "(the reverse)"},
    {Text::AboutAutoConnect, "启动时自动连接控制器", "connect to the controller at start-up"},
    {Text::AboutAutoIp, "控制器的地址", "the controller's address"},
    {Text::AboutCurveSmoothing, "导入后进行曲线精度处理",
     "apply the curve precision after an import"},
    {Text::AboutSmoothingAccuracy, "曲线精度，也是导入精度和空移优化的容差",
     "the curve precision, also the import precision and the travel optimisation's tolerance"},
    {Text::AboutRemoveMinimal, "导入后去除极小图形", "remove tiny shapes after an import"},
    {Text::AboutMinimalWidth, "极小图形的最大宽度", "the largest width of a tiny shape"},
    {Text::AboutMinimalHeight, "极小图形的最大高度", "the largest height of a tiny shape"},
    {Text::AboutRemoveDuplicates, "导入后去除重复线", "remove duplicate lines after an import"},
    {Text::AboutMergeConnected, "导入后合并相连线", "merge connected lines after an import"},
    {Text::AboutMergeMaxSize, "合并相连线的最大距离", "the largest gap that merging closes"},
    {Text::AboutSort, "导入后排序", "sort the shapes after an import"},
    {Text::AboutSortBy, "导入后使用的排序方式", "the sort order used after an import"},
    {Text::AboutChangeDirection, "排序时允许反向", "let the sort reverse shapes"},
    {Text::AboutOptimizeAbs, "导入后优化空移", "optimise the travel moves after an import"},
    {Text::AboutAutoUnits, "自动适应输入单位", "adapt to the drawing's units"},
    {Text::AboutPltUnits, "PLT 文件每英寸的绘图仪单位数", "plotter units per inch of PLT files"},
    {Text::AboutHatchOutlines, "将 DXF 填充的边界导入为封闭轮廓",
     "import the boundaries of DXF hatches as closed outlines"},
    {Text::AboutInnerFirst, "排序时内部图形先于包围它的图形加工",
     "every sort cuts inner shapes before the shapes around them"},
    {Text::AboutXAxis, "X轴的轴号", "the controller axis used as X"},
    {Text::AboutYAxis, "Y轴的轴号", "the controller axis used as Y"},
    {Text::AboutEmptySpeed, "空移时使用的速度", "the travel speed"},
    {Text::AboutEmptyAccel, "空移时使用的加速度", "the travel acceleration"},
    {Text::AboutEmptyDecel, "空移时使用的减速度", "the travel deceleration"},
    {Text::AboutMoveAccel, "加工时使用的加速度", "the machining acceleration"},
    {Text::AboutMoveDecel, "加工时使用的减速度", "the machining deceleration"},
    {Text::AboutCodeType, "生成代码的语言", "the language of the written program"},
    {Text::AboutProcessFilename, "控制器上的加工文件名",
     "the program's file name on the controller"},
    {Text::AboutReturnFirstPos, "加工完成后返回初始位置", "return to the start position when done"},
    {Text::AboutOutputProfile, "G 代码的输出格式（控制器类型）",
     "the G-code output profile (the kind of controller)"},
    {Text::AboutUseZ, "该工艺使用Z轴", "the preset drives a Z axis"},
    {Text::AboutZAxis, "Z轴的轴号", "the controller axis used as Z"},
    {Text::AboutDotLift, "加工中是否上抬", "lift Z between cuts"},
    {Text::AboutWorkHeight, "加工时的Z高度", "the Z height while machining"},
    {Text::AboutUpliftHeight, "空移时的Z高度", "the Z height while travelling"},
    {Text::AboutUseR, "该工艺使用R轴", "the preset drives an R axis"},
    {Text::AboutRAxis, "R轴的轴号", "the controller axis used as R"},
    {Text::AboutRefAccuracy, "曲线分段的参考精度", "the chord tolerance of curves"},
    {Text::AboutSpeed, "加工时使用的速度", "the machining speed"},
    {Text::AboutMoveType, "绝对运动或相对运动", "absolute or relative moves"},
    {Text::AboutCircToSeg, "圆弧变为小线段", "write arcs as short lines"},
    {Text::AboutBeforeProcessing, "加工前动作", "the action before machining"},
    {Text::AboutAfterProcessing, "加工后动作", "the action after machining"},
    {Text::AboutStartAction, "启动动作", "the action at the start"},
    {Text::AboutEndAction, "结束动作", "the action at the end"},
    {Text::AboutLaserPower, "激光功率，占输出格式 S 最大值的百分比",
     "the laser power, as a percentage of the output profile's S maximum"},
    {Text::AboutPierceDelay, "开启工具后的穿孔等待时间",
     "the pierce delay after the tool is switched on"},
    {Text::AboutKerfWidth, "割缝宽度，路径偏移其一半",
     "the kerf width; the path is offset by half"},
    {Text::AboutKerfSide, "割缝补偿方向", "the side the kerf is compensated to"},
    {Text::AboutKerfCorners, "偏移路径的拐角方式", "the corners of the offset path"},
    {Text::AboutMitreLimit, "尖角的最大长度，以割缝宽度一半的倍数计",
     "the longest mitre, in multiples of half the kerf"},
    {Text::AboutLeadType, "引入线和引出线的类型", "the kind of lead-in and lead-out"},
    {Text::AboutLeadLength, "引线长度（圆弧为半径）", "the lead length (an arc's radius)"},
    {Text::AboutLeadAngle, "直线引线与路径的夹角（圆弧为圆心角）",
     "a line lead's angle to the path (an arc's sweep)"},
    {Text::AboutOvercut, "越过起点重复切割的长度", "the length cut again past the start"},
    {Text::AboutStartPoint, "封闭图形的起点", "where closed shapes start"},
    {Text::AboutCutDirection, "封闭图形的切割方向", "which way closed shapes are cut"},
    {Text::AboutSimulationSpeed, "仿真速度滑块的位置",
     "the position of the simulation speed slider"},
    {Text::AboutShowClose, "突出显示不封闭图形", "highlight open shapes"},
    {Text::AboutShowAbs, "显示空移", "show the travel moves"},
    {Text::AboutShowOrder, "显示顺序", "show the order numbers"},
    {Text::AboutShowStartPoint, "显示起点", "show the start points"},
    {Text::AboutShowDirection, "显示方向", "show the directions"},
    {Text::AboutShowGcode, "显示代码", "keep the code pane up to date"},
    {Text::AboutShowGrids, "显示网格", "show the grid"},
    {Text::AboutShowDepth, "按包含深度为封闭图形着色",
     "tint closed shapes by their containment depth"},
    {Text::AboutShowStatusBar, "显示状态栏", "show the status bar"},
    {Text::AboutGcodeWidth, "代码面板的宽度（96 dpi 下的像素）",
     "the code pane's width in pixels at 96 dots per inch"},
    {Text::ProfileDefault, "默认格式", "Default"},
    {Text::ProfileLinuxCnc, "LinuxCNC 格式", "LinuxCNC"},
    {Text::ProfileGrblLaser, "GRBL 激光", "GRBL laser"},
    {Text::ProfileGrblSpindle, "GRBL 主轴/刀", "GRBL spindle/knife"},
    {Text::ProfileMach, "Mach3/Mach4 格式", "Mach3/Mach4"},
    {Text::ProfileMarlin, "Marlin 格式", "Marlin"},
    {Text::AboutProgramHeader,
     "该输出格式程序开头的模板，可用 {name} {date} {extent} {time} {travel}",
     "the lines at the start of this profile's programs, with {name} {date} {extent} {time} "
     "{travel}"},
    {Text::AboutProgramFooter,
     "该输出格式程序结尾（结束指令之前）的模板，可用 {name} {date} {extent} {time} {travel}",
     "the lines before this profile's program end, with {name} {date} {extent} {time} {travel}"},
    {Text::PlaceholderName, "图形名称", "the drawing's name"},
    {Text::PlaceholderDate, "日期（年-月-日）", "the date (YYYY-MM-DD)"},
    {Text::PlaceholderExtent, "图形尺寸（宽 x 高 mm）", "the drawing's extent (W x H mm)"},
    {Text::PlaceholderTime, "预计加工时间（时:分:秒）", "the estimated time (H:MM:SS)"},
    {Text::PlaceholderTravel, "空移总长度（mm）", "the tool-up travel (mm)"},
    {Text::CutOffsetUnavailable, "此版本无法偏移图形，未做割缝补偿",
     "this build cannot offset shapes: no kerf compensation"},
    {Text::CutShapesUnoffset, "%d 个图形未做割缝补偿（不封闭、偏移后消失或无法偏移）",
     "%d shapes left unoffset (open, vanished inward or out of range)"},
    {Text::CutLeadsDropped, "%d 条引线因空间不足被取消", "%d leads dropped for want of room"},
    {Text::CutLeadsShortened, "%d 条引线被缩短以避开其他图形",
     "%d leads shortened to keep clear of other shapes"},
};
static_assert(std::size(kEntries) == static_cast<size_t>(Text::Count));

constexpr bool inKeyOrder() {
    for (size_t i = 0; i < std::size(kEntries); ++i)
        if (static_cast<size_t>(kEntries[i].id) != i) return false;
    return true;
}
static_assert(inKeyOrder(), "the table lists the texts in the order of their keys");

// Result codes and their reasons: the library's (100, 21000 on), the controller library's own
// (1001 to 1010) and the controller's (2001 to 2009, passed through unchanged).
struct Reason {
    int code;
    const char* chinese;
    const char* english;
};

constexpr Reason kReasons[] = {
    {100, "没有需要处理的图形", "there was nothing to change"},
    {1001, "未连接控制器", "no controller is connected"},
    {1002, "参数不正确", "an argument is not valid"},
    {1003, "地址无法识别", "the address cannot be read or resolved"},
    {1004, "控制器没有接受连接，请检查地址并确认控制器已开启",
     "no controller accepted the connection; check the address and that the controller is on"},
    {1005, "控制器没有及时应答", "the controller did not answer in time"},
    {1006, "与控制器的连接已断开", "the connection to the controller broke"},
    {1007, "控制器的应答无法识别", "the controller's reply could not be read"},
    {1008, "操作系统拒绝了网络操作", "the operating system refused a network operation"},
    {1009, "没有找到控制器", "no controller was found"},
    {1010, "控制器库无法完成调用（内存不足）",
     "the controller library could not finish the call (out of memory)"},
    {2001, "控制器不认识该命令", "the controller does not know the command"},
    {2002, "轴号或数值不正确", "an axis number or value is not valid"},
    {2003, "程序名称不正确", "the program name is not valid"},
    {2004, "控制器上没有该程序", "the controller holds no program of that name"},
    {2005, "程序有错误", "the program has an error"},
    {2006, "控制器正忙（程序正在运行）", "the controller is busy running a program"},
    {2007, "控制器无法保存程序", "the controller could not store the program"},
    {2008, "程序太大，控制器无法接收", "the program is too large for the controller"},
    {2009, "控制器不认识该请求", "the controller does not know the request"},
    {21000, "参数不正确，或没有可处理的图形",
     "an argument is not valid or there is nothing to work on"},
    {21001, "该操作不可用", "the operation is not available"},
    {21002, "所选图形的类型不同", "the selected shapes are of different kinds"},
    {21003, "图形为空", "the drawing is empty"},
    {21011, "无法连接控制器，请检查地址并确认控制器已开启",
     "the controller could not be reached; check the address and that the controller is on"},
    {21020, "没有可撤销的步骤", "there is no step to undo"},
    {21022, "不是单独的图形", "the item is not a shape of its own"},
    {21099, "程序库无法完成操作（内存不足）",
     "the library could not finish the work (out of memory)"},
};

bool set(const char* value) {
    return value && value[0] != '\0';
}

// -1 while the environment has not been asked yet.
std::atomic<int> current{-1};

}  // namespace

Language languageFor(const char* override, const char* lcAll, const char* lcMessages,
                     const char* lang) {
    if (set(override)) {
        const std::string_view choice(override);
        if (choice == "zh") return Language::Chinese;
        if (choice == "en") return Language::English;
    }
    for (const char* value : {lcAll, lcMessages, lang})
        if (set(value))
            return std::string_view(value).starts_with("zh") ? Language::Chinese
                                                             : Language::English;
    return Language::English;
}

Language language() {
    int value = current.load();
    if (value < 0) {
        value = static_cast<int>(languageFor(std::getenv("PATHLOOM_LANG"), std::getenv("LC_ALL"),
                                             std::getenv("LC_MESSAGES"), std::getenv("LANG")));
        current.store(value);
    }
    return static_cast<Language>(value);
}

void setLanguage(Language language) {
    current.store(static_cast<int>(language));
}

std::string_view text(Text id, Language language) {
    const Entry& entry = kEntries[static_cast<size_t>(id)];
    return language == Language::Chinese ? entry.chinese : entry.english;
}

std::string_view text(Text id) {
    return text(id, language());
}

std::string textWithCode(Text id, int code) {
    std::string out(text(id));
    const size_t at = out.find("%d");
    if (at == std::string::npos) return out;
    std::string number = std::to_string(code);
    const std::string_view reason = codeReason(code);
    if (!reason.empty()) {
        const bool chinese = language() == Language::Chinese;
        number += chinese ? "（" : " (";
        number += reason;
        number += chinese ? "）" : ")";
    }
    out.replace(at, 2, number);
    return out;
}

std::string_view codeReason(int code, Language language) {
    for (const Reason& reason : kReasons)
        if (reason.code == code)
            return language == Language::Chinese ? reason.chinese : reason.english;
    return {};
}

std::string_view codeReason(int code) {
    return codeReason(code, language());
}

std::string systemReason(int error) {
    struct Words {
        int error;
        const char* chinese;
        const char* english;
    };
    static constexpr Words kWords[] = {
        {ENOENT, "文件夹不存在", "the folder does not exist"},
        {ENOTDIR, "路径中的某一部分不是文件夹", "a part of the path is not a folder"},
        {EISDIR, "这是一个文件夹，不是文件", "it is a folder, not a file"},
        {EACCES, "没有写入权限", "there is no permission to write there"},
        {EPERM, "没有写入权限", "there is no permission to write there"},
        {EROFS, "该位置只读", "the place is read-only"},
        {ENOSPC, "磁盘空间不足", "the disk is full"},
        {EDQUOT, "磁盘配额已满", "the disk quota is used up"},
        {ENAMETOOLONG, "文件名太长", "the file name is too long"},
        {EIO, "读写设备出错", "the device reported an input/output error"},
    };
    const bool chinese = language() == Language::Chinese;
    for (const Words& words : kWords)
        if (words.error == error) return chinese ? words.chinese : words.english;
    return (chinese ? "系统错误 " : "system error ") + std::to_string(error);
}

std::string textWithValue(Text id, std::string_view value) {
    std::string out(text(id));
    const size_t at = out.find("%s");
    if (at != std::string::npos) out.replace(at, 2, value);
    return out;
}

}  // namespace pathloom
