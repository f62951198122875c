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
#include "dialogs/template_dialog.h"
#include "dialogs/transform_dialogs.h"
#include "view/canvas.h"

namespace pathloom::app {
namespace {

using dialogs::Dialog;
using dialogs::NumberDialog;

QString shown(double value) {
    return dialogs::qstring(dialogNumber(value));
}

const QString kMm = QStringLiteral("mm");

}  // namespace

DialogCommands::DialogCommands(MainWindow& window, dialogs::Prompter& prompter, Document& document,
                               Settings& settings, StatusSink& sink)
    : window_(window), prompter_(prompter), document_(document), settings_(settings), sink_(sink) {
    bind(Command::RemoveTiny, &DialogCommands::removeTiny);
    bind(Command::Merge, &DialogCommands::merge);
    bind(Command::CurvePrecision, &DialogCommands::curvePrecision);
    bind(Command::OptimizeTravel, &DialogCommands::optimizeTravel);
    bind(Command::CustomSpeed, &DialogCommands::speed);
    bind(Command::CustomOrder, &DialogCommands::order);
    bind(Command::Scale, &DialogCommands::scale);
    bind(Command::CustomZ, &DialogCommands::heights);
    bind(Command::Translate, &DialogCommands::translate);
    bind(Command::MoveStart, &DialogCommands::moveStart);
    bind(Command::Rotate, &DialogCommands::rotate);
    bind(Command::Mirror, &DialogCommands::mirror);
    bind(Command::AutoOptimize, &DialogCommands::autoOptimize);
    bind(Command::Process, &DialogCommands::process);
    bind(Command::ProgramTemplates, &DialogCommands::programTemplates);
    bind(Command::ActionManager, &DialogCommands::toggleActionManager);
    bind(Command::ModifyAction, &DialogCommands::modifyActions);
    bind(Command::DeleteAction, &DialogCommands::deleteActions);
    bind(Command::Origin, &DialogCommands::showOrigin);

    manager_ = new dialogs::ActionManager(prompter_, &window_, settings_.actions);
    manager_->setWindowFlag(Qt::Tool);
    connect(manager_, &dialogs::ActionManager::actionsChanged, this,
            [this] { settings_.actions = manager_->actions().items(); });
}

DialogCommands::~DialogCommands() = default;

void DialogCommands::bind(Command id, void (DialogCommands::*handler)()) {
    connect(window_.action(id), &QAction::triggered, this, [this, id, handler] {
        // While a simulation runs none of these commands does anything.
        if (document_.busy()) return;
        window_.beginEdit(id);
        (this->*handler)();
        window_.endEdit();
    });
}

void DialogCommands::finish(Outcome outcome) {
    if (outcome == Outcome::Changed) window_.drawingChanged();
}

// ---- Optimisation dialogs ----

void DialogCommands::removeTiny() {
    NumberDialog dialog(prompter_, &window_, Dialog::tr("去除极小图形"),
                        Dialog::tr("请输入即将删除的图形最大尺寸，小于该尺寸的选中图形将会被删除"),
                        {{"width", Dialog::tr("最大尺寸："), shown(memory_.tinyWidth), kMm},
                         {"height", Dialog::tr("×"), shown(memory_.tinyHeight), kMm, true}});
    if (!prompter_.runDialog(dialog)) return;
    memory_.tinyWidth = dialog.number("width");
    memory_.tinyHeight = dialog.number("height");
    finish(runEdit(document_, EditCommand::RemoveTiny, {memory_.tinyWidth, memory_.tinyHeight, 0},
                   sink_));
}

void DialogCommands::merge() {
    NumberDialog dialog(prompter_, &window_, Dialog::tr("合并相连线"),
                        Dialog::tr("请输入可合并的最大距离："),
                        {{"distance", QString(), shown(memory_.mergeDistance), kMm}});
    if (!prompter_.runDialog(dialog)) return;
    memory_.mergeDistance = dialog.number("distance");
    finish(runEdit(document_, EditCommand::MergeConnected, {0, 0, memory_.mergeDistance}, sink_));
}

void DialogCommands::curvePrecision() {
    NumberDialog dialog(prompter_, &window_, Dialog::tr("曲线精度"),
                        Dialog::tr("请输入曲线的参考精度:"),
                        {{"precision", QString(), shown(memory_.precision), kMm}});
    if (!prompter_.runDialog(dialog)) return;
    memory_.precision = dialog.number("precision");
    finish(runEdit(document_, EditCommand::CurvePrecision, {0, 0, memory_.precision}, sink_));
}

void DialogCommands::optimizeTravel() {
    // The tolerance is how far a start point must move to count, and the precision at which
    // curves without a flattened copy get one first.
    NumberDialog dialog(prompter_, &window_, Dialog::tr("优化空移"),
                        Dialog::tr("请输入优化空移的容差:"),
                        {{"tolerance", QString(), shown(memory_.travelTolerance), kMm}});
    if (!prompter_.runDialog(dialog)) return;
    memory_.travelTolerance = dialog.number("tolerance");
    finish(runEdit(document_, EditCommand::OptimizeTravel, {0, 0, memory_.travelTolerance}, sink_));
}

// ---- Value dialogs on the selection ----

void DialogCommands::speed() {
    const SelectionDefaults now = selectionDefaults(document_.drawing());
    NumberDialog dialog(
        prompter_, &window_, Dialog::tr("修改速度"), QString(),
        {{"speed", Dialog::tr("速度："), shown(now.speed), QStringLiteral("mm/s")}});
    if (!prompter_.runDialog(dialog)) return;
    finish(setSpeed(document_, dialog.number("speed"), sink_));
}

void DialogCommands::order() {
    const SelectionDefaults now = selectionDefaults(document_.drawing());
    NumberDialog dialog(prompter_, &window_, Dialog::tr("修改顺序"), QString(),
                        {{"order", Dialog::tr("顺序："), QString::number(now.position), {}}});
    if (!prompter_.runDialog(dialog)) return;
    finish(changeOrder(document_, orderPosition(dialog.number("order")), sink_));
}

void DialogCommands::scale() {
    NumberDialog dialog(
        prompter_, &window_, Dialog::tr("轨迹缩放"), QString(),
        {{"factor", Dialog::tr("倍数："), QStringLiteral("1.0"), QStringLiteral("×")}});
    if (!prompter_.runDialog(dialog)) return;
    finish(scaleSelection(document_, dialog.number("factor"), sink_));
}

void DialogCommands::heights() {
    const SelectionDefaults now = selectionDefaults(document_.drawing());
    NumberDialog dialog(prompter_, &window_, Dialog::tr("修改Z轴高度"), QString(),
                        {{"workHeight", Dialog::tr("加工高度："), shown(now.workHeight), kMm},
                         {"liftHeight", Dialog::tr("上抬高度："), shown(now.liftHeight), kMm}});
    if (!prompter_.runDialog(dialog)) return;
    finish(setHeights(document_, dialog.number("workHeight"), dialog.number("liftHeight")));
}

void DialogCommands::translate() {
    NumberDialog dialog(prompter_, &window_, Dialog::tr("轨迹平移"), QString(),
                        {{"dx", Dialog::tr("X方向平移："), shown(0), kMm},
                         {"dy", Dialog::tr("Y方向平移："), shown(0), kMm}});
    if (!prompter_.runDialog(dialog)) return;
    finish(translateSelection(document_, dialog.number("dx"), dialog.number("dy")));
}

void DialogCommands::moveStart() {
    const SelectionDefaults now = selectionDefaults(document_.drawing());
    if (!now.startX) return;  // opens only for a selected vect with a start point
    NumberDialog dialog(prompter_, &window_, Dialog::tr("起点移动"), QString(),
                        {{"targetX", Dialog::tr("目标X位置："), shown(*now.startX), kMm},
                         {"targetY", Dialog::tr("目标Y位置："), shown(*now.startY), kMm}});
    if (!prompter_.runDialog(dialog)) return;
    finish(moveStartTo(document_, dialog.number("targetX"), dialog.number("targetY")));
}

void DialogCommands::rotate() {
    const SelectionDefaults now = selectionDefaults(document_.drawing());
    dialogs::RotateDialog dialog(prompter_, &window_, now.startX.value_or(0),
                                 now.startY.value_or(0));
    if (!prompter_.runDialog(dialog)) return;
    finish(rotateSelection(document_, dialog.number("angle"), dialog.number("baseX"),
                           dialog.number("baseY")));
}

void DialogCommands::mirror() {
    const SelectionDefaults now = selectionDefaults(document_.drawing());
    dialogs::MirrorDialog dialog(prompter_, &window_, memory_.mirrorX, memory_.mirrorY,
                                 now.startX.value_or(0), now.startY.value_or(0));
    if (!prompter_.runDialog(dialog)) return;
    memory_.mirrorX = dialog.mirrorX();
    memory_.mirrorY = dialog.mirrorY();
    finish(mirrorSelection(document_, memory_.mirrorX, dialog.number("xAxis"), memory_.mirrorY,
                           dialog.number("yAxis")));
}

// ---- Settings dialogs ----

void DialogCommands::autoOptimize() {
    dialogs::AutoOptimizeDialog dialog(prompter_, &window_, settings_.optimize);
    if (!prompter_.runDialog(dialog)) return;
    settings_.optimize = dialog.result();
    window_.action(Command::InnerFirst)->setChecked(settings_.optimize.innerFirst);
}

void DialogCommands::process() {
    Settings& settings = settings_;
    ControllerSession& session = window_.session();
    dialogs::ProcessDialog dialog(prompter_, &window_, {settings.process, settings.connection},
                                  presetSelectorEntries(document_.drawing()),
                                  session.connected() ? session.axisCount() : 0);
    if (!prompter_.runDialog(dialog)) return;
    acceptProcessEdit(settings.process, dialog.edited().process, document_.drawing());
    settings.connection = dialog.edited().connection;
    window_.drawingChanged();
}

void DialogCommands::programTemplates() {
    MachineParameters& machine = settings_.process.machine;
    dialogs::TemplateDialog dialog(prompter_, &window_, machine);
    if (!prompter_.runDialog(dialog)) return;
    machine.programHeaders = dialog.headers();
    machine.programFooters = dialog.footers();
    window_.programSettingsChanged();
}

// ---- Actions ----

void DialogCommands::toggleActionManager() {
    manager_->setVisible(!manager_->isVisible());
}

void DialogCommands::modifyActions() {
    dialogs::SetActionDialog dialog(prompter_, &window_, manager_->actions(), document_.drawing());
    if (!prompter_.runDialog(dialog)) return;
    setSelectedActions(document_.drawing(), dialog.before(), dialog.after());
    window_.drawingChanged();
}

void DialogCommands::deleteActions() {
    finish(clearActions(document_));
}

// ---- Origin ----

void DialogCommands::showOrigin() {
    if (!origin_) {
        origin_ = new dialogs::OriginDialog(prompter_, &window_);
        origin_->setWindowFlag(Qt::Tool);
        // A drawing moved by its anchor or a typed point is fitted into the view again: it may
        // have left the part of the plane the view showed. (A picked origin keeps the view.)
        connect(origin_, &dialogs::OriginDialog::anchorChosen, this, [this](Anchor anchor) {
            if (document_.busy()) return;
            window_.beginEdit(Command::Origin);
            finishMovedDrawing(moveAnchorToOrigin(document_, anchor));
            window_.endEdit();
        });
        connect(origin_, &dialogs::OriginDialog::typedOrigin, this, [this](double x, double y) {
            if (document_.busy()) return;
            window_.beginEdit(Command::Origin);
            finishMovedDrawing(moveOriginTo(document_, x, y));
            window_.endEdit();
        });
        // Picking: the canvas's next click makes its point (or the snap point) the origin.
        connect(origin_, &dialogs::OriginDialog::pickRequested, this, [this] {
            if (document_.mode() != ViewMode::Select || document_.busy()) return;
            document_.setMode(ViewMode::Dialog);
            window_.armCanvasEdit(Command::Origin);
        });
        connect(window_.canvas(), &view::Canvas::originPicked, this, [this] {
            origin_->originPicked();
            document_.setMode(ViewMode::Select);
        });
        connect(origin_, &QDialog::finished, this, [this] {
            if (document_.mode() == ViewMode::Dialog) {
                document_.setMode(ViewMode::Select);
                window_.armCanvasEdit(std::nullopt);
            }
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
