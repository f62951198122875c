// The dialog commands of the main frame.
#include "app/dialog_commands.h"

#include <QAction>

#include "app/commands.h"
#include "app/main_window.h"
#include "core/dialogs/number_input.h"
#include "core/presets/apply.h"
#include "dialogs/action_dialogs.h"
#include "dialogs/auto_optimize_dialog.h"
#include "dialogs/form_dialog.h"
#include "dialogs/origin_dialog.h"
#include "dialogs/process_dialog.h"
#include "dialogs/prompter.h"
#include "dialogs/transform_dialogs.h"
#include "view/canvas.h"

namespace pathloom::app {
namespace {

using dialogs::Dialog;
using dialogs::NumberDialog;

QString shown(double value) {
    return dialogs::qstring(shortestNumber(value));
}

}  // namespace

DialogCommands::DialogCommands(MainWindow& window) : window_(window) {
    bind(CmdRemoveTiny, &DialogCommands::removeTiny);
    bind(CmdMerge, &DialogCommands::merge);
    bind(CmdCurvePrecision, &DialogCommands::curvePrecision);
    bind(CmdOptimizeTravel, &DialogCommands::optimizeTravel);
    bind(CmdCustomSpeed, &DialogCommands::speed);
    bind(CmdCustomOrder, &DialogCommands::order);
    bind(CmdScale, &DialogCommands::scale);
    bind(CmdCustomZ, &DialogCommands::heights);
    bind(CmdTranslate, &DialogCommands::translate);
    bind(CmdMoveStart, &DialogCommands::moveStart);
    bind(CmdRotate, &DialogCommands::rotate);
    bind(CmdMirror, &DialogCommands::mirror);
    bind(CmdAutoOptimize, &DialogCommands::autoOptimize);
    bind(CmdProcess, &DialogCommands::process);
    bind(CmdActionManager, &DialogCommands::toggleActionManager);
    bind(CmdModifyAction, &DialogCommands::modifyActions);
    bind(CmdDeleteAction, &DialogCommands::deleteActions);
    bind(CmdOrigin, &DialogCommands::showOrigin);

    manager_ = new dialogs::ActionManager(window_.prompter(), &window_, window_.settings().actions);
    manager_->setWindowFlag(Qt::Tool);
    connect(manager_, &dialogs::ActionManager::actionsChanged, this,
            [this] { window_.editableSettings().actions = manager_->actions().items(); });
}

DialogCommands::~DialogCommands() = default;

void DialogCommands::bind(int id, void (DialogCommands::*handler)()) {
    connect(window_.action(id), &QAction::triggered, this, [this, handler] {
        // While a simulation runs none of these commands does anything.
        if (!window_.document().busy()) (this->*handler)();
    });
}

void DialogCommands::finish(Outcome outcome) {
    if (outcome == Outcome::Changed) window_.drawingChanged();
}

// ---- Optimisation dialogs ----

void DialogCommands::removeTiny() {
    NumberDialog dialog(window_.prompter(), &window_, Dialog::tr("去除极小图形"),
                        Dialog::tr("请输入即将删除的图形最大尺寸，小于该尺寸的选中图形将会被删除"),
                        {{"width", Dialog::tr("最大尺寸："), shown(memory_.tinyWidth)},
                         {"height", Dialog::tr("×"), shown(memory_.tinyHeight)}});
    if (!window_.prompter().runDialog(dialog)) return;
    memory_.tinyWidth = dialog.number("width");
    memory_.tinyHeight = dialog.number("height");
    finish(runEdit(window_.document(), EditCommand::RemoveTiny,
                   {memory_.tinyWidth, memory_.tinyHeight, 0}, window_.sink()));
}

void DialogCommands::merge() {
    NumberDialog dialog(window_.prompter(), &window_, Dialog::tr("合并相连线"),
                        Dialog::tr("请输入可合并的最大距离："),
                        {{"distance", QString(), shown(memory_.mergeDistance)}});
    if (!window_.prompter().runDialog(dialog)) return;
    memory_.mergeDistance = dialog.number("distance");
    finish(runEdit(window_.document(), EditCommand::MergeConnected, {0, 0, memory_.mergeDistance},
                   window_.sink()));
}

void DialogCommands::curvePrecision() {
    NumberDialog dialog(window_.prompter(), &window_, Dialog::tr("曲线精度"),
                        Dialog::tr("请输入曲线的参考精度:"),
                        {{"precision", QString(), shown(memory_.precision)}});
    if (!window_.prompter().runDialog(dialog)) return;
    memory_.precision = dialog.number("precision");
    finish(runEdit(window_.document(), EditCommand::CurvePrecision, {0, 0, memory_.precision},
                   window_.sink()));
}

void DialogCommands::optimizeTravel() {
    // The tolerance is how far a start point must move to count, and the precision at which
    // curves without a flattened copy get one first.
    NumberDialog dialog(window_.prompter(), &window_, Dialog::tr("优化空移"),
                        Dialog::tr("请输入优化空移的容差:"),
                        {{"tolerance", QString(), shown(memory_.travelTolerance)}});
    if (!window_.prompter().runDialog(dialog)) return;
    memory_.travelTolerance = dialog.number("tolerance");
    finish(runEdit(window_.document(), EditCommand::OptimizeTravel, {0, 0, memory_.travelTolerance},
                   window_.sink()));
}

// ---- Value dialogs on the selection ----

void DialogCommands::speed() {
    const SelectionDefaults now = selectionDefaults(window_.document().drawing());
    NumberDialog dialog(window_.prompter(), &window_, Dialog::tr("修改速度"), QString(),
                        {{"speed", Dialog::tr("速度："), shown(now.speed)}});
    if (!window_.prompter().runDialog(dialog)) return;
    finish(setSpeed(window_.document(), dialog.number("speed"), window_.sink()));
}

void DialogCommands::order() {
    const SelectionDefaults now = selectionDefaults(window_.document().drawing());
    NumberDialog dialog(window_.prompter(), &window_, Dialog::tr("修改顺序"), QString(),
                        {{"order", Dialog::tr("顺序："), QString::number(now.position)}});
    if (!window_.prompter().runDialog(dialog)) return;
    finish(changeOrder(window_.document(), orderPosition(dialog.number("order")), window_.sink()));
}

void DialogCommands::scale() {
    NumberDialog dialog(window_.prompter(), &window_, Dialog::tr("轨迹缩放"), QString(),
                        {{"factor", Dialog::tr("倍数："), QStringLiteral("1.0")}});
    if (!window_.prompter().runDialog(dialog)) return;
    finish(scaleSelection(window_.document(), dialog.number("factor"), window_.sink()));
}

void DialogCommands::heights() {
    const SelectionDefaults now = selectionDefaults(window_.document().drawing());
    NumberDialog dialog(window_.prompter(), &window_, Dialog::tr("修改Z轴高度"), QString(),
                        {{"workHeight", Dialog::tr("加工高度："), shown(now.workHeight)},
                         {"liftHeight", Dialog::tr("上抬高度："), shown(now.liftHeight)}});
    if (!window_.prompter().runDialog(dialog)) return;
    finish(
        setHeights(window_.document(), dialog.number("workHeight"), dialog.number("liftHeight")));
}

void DialogCommands::translate() {
    NumberDialog dialog(
        window_.prompter(), &window_, Dialog::tr("轨迹平移"), QString(),
        {{"dx", Dialog::tr("X方向平移："), shown(0)}, {"dy", Dialog::tr("Y方向平移："), shown(0)}});
    if (!window_.prompter().runDialog(dialog)) return;
    finish(translateSelection(window_.document(), dialog.number("dx"), dialog.number("dy")));
}

void DialogCommands::moveStart() {
    const SelectionDefaults now = selectionDefaults(window_.document().drawing());
    if (!now.startX) return;  // opens only for a selected vect with a start point
    NumberDialog dialog(window_.prompter(), &window_, Dialog::tr("起点移动"), QString(),
                        {{"targetX", Dialog::tr("目标X位置："), shown(*now.startX)},
                         {"targetY", Dialog::tr("目标Y位置："), shown(*now.startY)}});
    if (!window_.prompter().runDialog(dialog)) return;
    finish(moveStartTo(window_.document(), dialog.number("targetX"), dialog.number("targetY")));
}

void DialogCommands::rotate() {
    const SelectionDefaults now = selectionDefaults(window_.document().drawing());
    dialogs::RotateDialog dialog(window_.prompter(), &window_, now.startX.value_or(0),
                                 now.startY.value_or(0));
    if (!window_.prompter().runDialog(dialog)) return;
    finish(rotateSelection(window_.document(), dialog.number("angle"), dialog.number("baseX"),
                           dialog.number("baseY")));
}

void DialogCommands::mirror() {
    const SelectionDefaults now = selectionDefaults(window_.document().drawing());
    dialogs::MirrorDialog dialog(window_.prompter(), &window_, memory_.mirrorX, memory_.mirrorY,
                                 now.startX.value_or(0), now.startY.value_or(0));
    if (!window_.prompter().runDialog(dialog)) return;
    memory_.mirrorX = dialog.mirrorX();
    memory_.mirrorY = dialog.mirrorY();
    finish(mirrorSelection(window_.document(), memory_.mirrorX, dialog.number("xAxis"),
                           memory_.mirrorY, dialog.number("yAxis")));
}

// ---- Settings dialogs ----

void DialogCommands::autoOptimize() {
    dialogs::AutoOptimizeDialog dialog(window_.prompter(), &window_, window_.settings().optimize);
    if (window_.prompter().runDialog(dialog)) window_.editableSettings().optimize = dialog.result();
}

void DialogCommands::process() {
    Settings& settings = window_.editableSettings();
    ControllerSession& session = window_.session();
    dialogs::ProcessDialog dialog(window_.prompter(), &window_,
                                  {settings.process, settings.connection},
                                  presetSelectorEntries(window_.document().drawing()),
                                  session.connected() ? session.axisCount() : 0);
    if (!window_.prompter().runDialog(dialog)) return;
    acceptProcessEdit(settings.process, dialog.edited().process, window_.document().drawing());
    settings.connection = dialog.edited().connection;
    window_.drawingChanged();
}

// ---- Actions ----

void DialogCommands::toggleActionManager() {
    manager_->setVisible(!manager_->isVisible());
}

void DialogCommands::modifyActions() {
    dialogs::SetActionDialog dialog(window_.prompter(), &window_, manager_->actions(),
                                    window_.document().drawing());
    if (!window_.prompter().runDialog(dialog)) return;
    setSelectedActions(window_.document().drawing(), dialog.before(), dialog.after());
    window_.drawingChanged();
}

void DialogCommands::deleteActions() {
    finish(clearActions(window_.document()));
}

// ---- Origin ----

void DialogCommands::showOrigin() {
    if (!origin_) {
        origin_ = new dialogs::OriginDialog(window_.prompter(), &window_);
        origin_->setWindowFlag(Qt::Tool);
        // A drawing moved by its anchor or a typed point is fitted into the view again: it may
        // have left the part of the plane the view showed. (A picked origin keeps the view.)
        connect(origin_, &dialogs::OriginDialog::anchorChosen, this, [this](Anchor anchor) {
            finishMovedDrawing(moveAnchorToOrigin(window_.document(), anchor));
        });
        connect(origin_, &dialogs::OriginDialog::typedOrigin, this, [this](double x, double y) {
            finishMovedDrawing(moveOriginTo(window_.document(), x, y));
        });
        // Picking: the canvas's next click makes its point (or the snap point) the origin.
        connect(origin_, &dialogs::OriginDialog::pickRequested, this, [this] {
            if (window_.document().mode() == ViewMode::Select)
                window_.document().setMode(ViewMode::Dialog);
        });
        connect(window_.canvas(), &view::Canvas::originPicked, this, [this] {
            origin_->originPicked();
            window_.document().setMode(ViewMode::Select);
        });
        connect(origin_, &QDialog::finished, this, [this] {
            if (window_.document().mode() == ViewMode::Dialog)
                window_.document().setMode(ViewMode::Select);
        });
    }
    origin_->show();
    origin_->raise();
    // The window takes the keyboard, so that Escape closes it at once.
    origin_->activateWindow();
}

void DialogCommands::finishMovedDrawing(Outcome outcome) {
    finish(outcome);
    if (outcome == Outcome::Changed) window_.canvas()->resetView();
}

}  // namespace pathloom::app
