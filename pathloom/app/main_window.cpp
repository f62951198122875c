// The main frame's construction: actions from the command table, menus, toolbar, status bar,
// panes, and the settings life cycle.
#include "app/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QSlider>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>
#include <cmath>

#include "app/commands.h"
#include "app/dialog_commands.h"
#include "app/toolbar_icons.h"
#include "core/document/commands.h"
#include "core/document/status_sink.h"
#include "core/settings/value_rules.h"
#include "core/text/texts.h"
#include "dialogs/prompter.h"
#include "view/canvas.h"
#include "view/code_pane.h"
#include "view/group_palette.h"
#include "view/simulation_player.h"

namespace pathloom::app {
namespace {

constexpr int kRatioMilliseconds = 50;

int scaled(double pixels, double scale) {
    return static_cast<int>(std::trunc(pixels * scale));
}

QString translated(const char* context, const char* text) {
    return QCoreApplication::translate(context, text);
}

double screenScale(double dotsPerInch) {
    if (dotsPerInch <= 0 && QGuiApplication::primaryScreen())
        dotsPerInch = QGuiApplication::primaryScreen()->logicalDotsPerInchX();
    return dotsPerInch > 0 ? dotsPerInch / 96.0 : 1.0;
}

SettingsLocation resolveLocation(SettingsLocation given) {
    if (!given.readPath.empty() && !given.writePath.empty()) return given;
    return settingsLocation(QCoreApplication::applicationDirPath().toStdString());
}

}  // namespace

// The engine's status texts and messages, shown in the window.
class MainWindow::Sink final : public StatusSink {
  public:
    explicit Sink(MainWindow& window) : window_(window) {}
    void status(std::string_view text) override {
        window_.showStatus(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }
    void message(std::string_view text) override {
        // The engine's messages all say what failed or was refused.
        window_.showWarning(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }

  private:
    MainWindow& window_;
};

MainWindow::MainWindow(WindowOptions options)
    : options_(std::move(options)),
      ownPrompter_(options_.prompter ? nullptr : std::make_unique<dialogs::DialogPrompter>()),
      prompter_(options_.prompter ? options_.prompter : ownPrompter_.get()),
      sink_(std::make_unique<Sink>(*this)),
      scale_(screenScale(options_.dotsPerInch)),
      session_(options_.controller.openEth ? options_.controller : varnixCalls()) {
    options_.settings = resolveLocation(options_.settings);
    setObjectName(QStringLiteral("mainWindow"));
    setAcceptDrops(true);
    createActions();
    createMenus();
    createToolBar();
    createStatusBar();
    createPanes();
    std::vector<SettingProblem> problems;
    settings_ = loadSettings(options_.settings.readPath, &problems);
    applySettings();
    if (!problems.empty()) reportRefusedSettings(problems);
    dialogs_ = std::make_unique<DialogCommands>(*this, *prompter_, document_, settings_, *sink_);

    pollTimer_.setInterval(ControllerSession::kPollMilliseconds);
    connect(&pollTimer_, &QTimer::timeout, this, &MainWindow::pollController);
    ratioTimer_.setInterval(kRatioMilliseconds);
    connect(&ratioTimer_, &QTimer::timeout, this, &MainWindow::updateRatio);
    ratioTimer_.start();
    connect(&jobTimer_, &QTimer::timeout, this, &MainWindow::pollOptimisation);
    loadRecentFiles();
    updateTitle();
    updateCommands();
}

MainWindow::~MainWindow() = default;

// Each refused value has taken its default; the operator learns which once the window is up,
// since a process parameter the file meant to set is now not what it holds.
void MainWindow::reportRefusedSettings(const std::vector<SettingProblem>& problems) {
    std::string lines;
    for (const SettingProblem& problem : problems)
        lines += (lines.empty() ? "" : "\n") + problemText(problem);
    const QString message = QString::fromStdString(filledText(
        text(Text::SettingsFileRefused), {{"%1", options_.settings.readPath}, {"%2", lines}}));
    QTimer::singleShot(0, this, [this, message] { prompter_->warning(this, message); });
}

void MainWindow::createActions() {
    for (const CommandEntry& entry : commandTable()) {
        auto* action = new QAction(translated("Command", entry.text), this);
        action->setObjectName(QStringLiteral("command%1").arg(commandNumber(entry.command)));
        action->setData(commandNumber(entry.command));
        const QStringList prompt = translated("Command", entry.prompt).split(QLatin1Char('\n'));
        action->setStatusTip(prompt.value(0));
        action->setToolTip(prompt.value(1, prompt.value(0)));
        if (entry.keys[0] != '\0')
            action->setShortcuts(QKeySequence::listFromString(QString::fromLatin1(entry.keys)));
        action->setCheckable(entry.checkable);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);  // accelerators work without a menu entry
        actions_.emplace(entry.command, action);
    }
    bind(Command::New, &MainWindow::newDocument);
    bind(Command::Import, &MainWindow::importDrawing);
    bind(Command::Export, &MainWindow::exportCode);
    connect(action(Command::Exit), &QAction::triggered, this, &QWidget::close);
    bind(Command::Connect, &MainWindow::connectController);
    bind(Command::Disconnect, &MainWindow::disconnectController);
    bind(Command::Download, &MainWindow::download);
    bind(Command::Manual, &MainWindow::openManual);
    bind(Command::About, &MainWindow::showAbout);
    bind(Command::NextPane, &MainWindow::nextPane);
    bind(Command::PreviousPane, &MainWindow::nextPane);  // two panes: either way is the other one
    connect(action(Command::Select), &QAction::triggered, this,
            [this] { setMode(ViewMode::Select); });
    connect(action(Command::Split), &QAction::triggered, this,
            [this] { setMode(ViewMode::Split); });
    connect(action(Command::ChangeStart), &QAction::triggered, this,
            [this] { setMode(ViewMode::StartPoint); });
    connect(action(Command::ResetView), &QAction::triggered, this,
            [this] { drawing_->resetView(); });
    bind(Command::Simulate, &MainWindow::startSimulation);
    bind(Command::PauseSimulation, &MainWindow::pauseSimulation);
    bind(Command::ContinueSimulation, &MainWindow::continueSimulation);
    bind(Command::StopSimulation, &MainWindow::stopSimulation);
    connect(action(Command::AllowReverse), &QAction::triggered, this, [this] {
        document_.toggleAllowReverse();
        action(Command::AllowReverse)->setChecked(document_.allowReverse());
    });
    connect(action(Command::InnerFirst), &QAction::triggered, this,
            [this](bool checked) { settings_.optimize.innerFirst = checked; });
    connect(action(Command::Copy), &QAction::triggered, this, [this] { code_->copy(); });
    connect(action(Command::Cut), &QAction::triggered, this, [this] { code_->cut(); });
    connect(action(Command::Paste), &QAction::triggered, this, [this] { code_->paste(); });
    bind(Command::Undo, &MainWindow::undo);
    bind(Command::Redo, &MainWindow::redo);
    // Escape stops the automatic optimisation; the action is enabled only while it runs, so the
    // key keeps its other uses otherwise.
    auto* stop = new QAction(this);
    stop->setObjectName(QStringLiteral("cancelOptimisation"));
    stop->setShortcut(Qt::Key_Escape);
    stop->setShortcutContext(Qt::WindowShortcut);
    stop->setEnabled(false);
    addAction(stop);
    connect(stop, &QAction::triggered, this, &MainWindow::cancelOptimisation);
    for (Command id :
         {Command::RemoveDuplicates, Command::GridSort, Command::SortNearest,
          Command::SortSmallFirst, Command::SortInsideOut, Command::SortLeftToRight,
          Command::SortRightToLeft, Command::SortTopToBottom, Command::SortBottomToTop,
          Command::SortShortestTravel, Command::MoveForward, Command::MoveBack,
          Command::MoveToFirst, Command::MoveToLast, Command::ReverseOrder, Command::Reverse})
        connect(action(id), &QAction::triggered, this, [this, id] { editCommand(id); });
    for (Command id :
         {Command::ShowOpen, Command::ShowTravel, Command::ShowOrder, Command::ShowStart,
          Command::ShowDirection, Command::ShowCode, Command::ShowGrid, Command::StatusBar})
        connect(action(id), &QAction::triggered, this, [this, id] { toggleView(id); });
    connect(action(Command::ShowDepth), &QAction::triggered, this,
            [this] { toggleView(Command::ShowDepth); });
}

QAction* MainWindow::action(Command command) const {
    const auto found = actions_.find(command);
    return found == actions_.end() ? nullptr : found->second;
}

void MainWindow::bind(Command id, void (MainWindow::*handler)()) {
    connect(action(id), &QAction::triggered, this, [this, handler] { (this->*handler)(); });
}

void MainWindow::fillMenu(QMenu* menu, const std::vector<MenuEntry>& entries) {
    for (const MenuEntry& entry : entries) {
        if (entry.title) {
            QMenu* sub = menu->addMenu(translated("Menu", entry.title));
            fillMenu(sub, entry.entries);
        } else if (!entry.command) {
            menu->addSeparator();
        } else {
            menu->addAction(action(*entry.command));
        }
    }
}

void MainWindow::createMenus() {
    for (const MenuEntry& top : mainMenu()) {
        QMenu* menu = menuBar()->addMenu(translated("Menu", top.title));
        fillMenu(menu, top.entries);
        connect(menu, &QMenu::aboutToShow, this, &MainWindow::updateCommands);
    }
    // The recent drawings follow Import in the File menu.
    recent_ = new QMenu(QCoreApplication::translate("MainWindow", "最近的图形(&R)"), this);
    recent_->setObjectName(QStringLiteral("recentMenu"));
    if (QAction* file = menuBar()->actions().value(0); file && file->menu())
        file->menu()->insertMenu(action(Command::Export), recent_);
    contextMenu_ = new QMenu(this);
    contextMenu_->setObjectName(QStringLiteral("contextMenu"));
    fillMenu(contextMenu_, app::contextMenu());
    connect(contextMenu_, &QMenu::aboutToShow, this, &MainWindow::updateCommands);
}

void MainWindow::createToolBar() {
    QToolBar* bar = addToolBar(QCoreApplication::translate("MainWindow", "工具栏"));
    bar->setObjectName(QStringLiteral("toolBar"));
    bar->setMovable(false);
    bar->setIconSize(QSize(32, 32));
    for (const std::optional<Command>& command : toolbarCommands()) {
        if (!command) {
            bar->addSeparator();
            continue;
        }
        action(*command)->setIcon(toolbarIcon(*command));
        bar->addAction(action(*command));
    }
    slider_ = new QSlider(Qt::Horizontal, bar);
    slider_->setObjectName(QStringLiteral("speedSlider"));
    slider_->setRange(1, 1000);
    slider_->setValue(100);
    slider_->setToolTip(QCoreApplication::translate("MainWindow", "仿真速度调节"));
    slider_->setFixedWidth(scaled(kSliderWidth, scale_));
    bar->addWidget(slider_);
    ratio_ = new QLineEdit(QCoreApplication::translate("MainWindow", "倍率：100%"), bar);
    ratio_->setObjectName(QStringLiteral("ratioBox"));
    ratio_->setReadOnly(true);
    ratio_->setToolTip(QCoreApplication::translate("MainWindow", "仿真速度"));
    ratio_->setFixedWidth(scaled(kRatioWidth, scale_));
    bar->addWidget(ratio_);
}

void MainWindow::createStatusBar() {
    for (int i = 0; i < 3; ++i) {
        panes_[i] = new QLabel(this);
        panes_[i]->setObjectName(QStringLiteral("pane%1").arg(i));
    }
    panes_[0]->setText(QString::fromUtf8(text(Text::Ready).data()));
    panes_[1]->setFixedWidth(scaled(300, scale_));
    panes_[2]->setFixedWidth(scaled(400, scale_));
    panes_[2]->setText(
        QCoreApplication::translate("MainWindow", "Pathloom V2.04 矢量图形加工软件"));
    cancel_ = new QPushButton(QCoreApplication::translate("MainWindow", "取消"), this);
    cancel_->setObjectName(QStringLiteral("cancelOptimisationButton"));
    cancel_->setToolTip(QCoreApplication::translate("MainWindow", "取消自动优化 (Esc)"));
    cancel_->setVisible(false);
    connect(cancel_, &QPushButton::clicked, this, &MainWindow::cancelOptimisation);
    statusBar()->addWidget(panes_[0], 1);
    statusBar()->addWidget(cancel_);
    statusBar()->addPermanentWidget(panes_[1]);
    statusBar()->addPermanentWidget(panes_[2]);
}

void MainWindow::createPanes() {
    splitter_ = new QSplitter(Qt::Horizontal, this);
    palette_ = new view::GroupPalette(scale_, splitter_);
    drawing_ = new view::Canvas(document_, settings_.view, scale_, splitter_);
    drawing_->setPresets(&settings_.process.presets);
    player_ = new view::SimulationPlayer(
        [this] {
            return std::pair{slider_->value(), settings_.process.machine.emptySpeed};
        },
        this);
    code_ = new view::CodePane(splitter_);
    splitter_->addWidget(palette_);
    splitter_->addWidget(drawing_);
    splitter_->addWidget(code_);
    splitter_->setCollapsible(0, false);
    splitter_->setCollapsible(1, false);
    splitter_->setStretchFactor(1, 1);
    setCentralWidget(splitter_);
    connect(splitter_, &QSplitter::splitterMoved, this, [this] {
        if (code_->isVisible()) codeWidth_ = code_->width();
    });
    connect(palette_, &view::GroupPalette::groupClicked, this, &MainWindow::groupCommand);
    connect(code_, &view::CodePane::selectionChanged, this, &MainWindow::codeSelectionChanged);
    connect(drawing_, &view::Canvas::contextMenuRequested, this, [this](QPoint at) {
        if (!document_.busy()) contextMenu_->popup(at);
    });
    connect(drawing_, &view::Canvas::selectionChanged, this, &MainWindow::showSelectionInCode);
    connect(drawing_, &view::Canvas::drawingEdited, this, &MainWindow::drawingEdited);
    connect(drawing_, &view::Canvas::failed, this, &MainWindow::showWarning);
    connect(drawing_, &view::Canvas::cursorMoved, this,
            [this](const QString& text) { panes_[1]->setText(text); });
    connect(player_, &view::SimulationPlayer::moved, this, &MainWindow::simulationMoved);
}

void MainWindow::setCodePanelWidth(int pixels) {
    codeWidth_ = pixels;
    QList<int> sizes = splitter_->sizes();
    const int total = sizes.value(0) + sizes.value(1) + sizes.value(2);
    // The code pane takes at most its share of the width beside the palette; in a small window
    // it narrows with the drawing area instead of squeezing it.
    const int room = std::max(0, total - palette_->width() - 1);
    const int shown =
        total > 0 ? std::clamp(pixels, 0, static_cast<int>(room * kCodeShare)) : pixels;
    if (total > 0)
        splitter_->setSizes({palette_->width(), total - palette_->width() - shown, shown});
    code_->resize(shown, code_->height());
}

void MainWindow::applySettings() {
    slider_->setValue(settings_.simulationSpeed);
    statusBar()->setVisible(settings_.view.showStatusBar);
    setCodePanelWidth(panelWidthFromSetting(settings_.view.gcodeWidth, scale_));
    code_->setVisible(settings_.view.showGcode);
    const ViewSettings& v = settings_.view;
    action(Command::ShowOpen)->setChecked(v.showClose);
    action(Command::ShowTravel)->setChecked(v.showAbs);
    action(Command::ShowOrder)->setChecked(v.showOrder);
    action(Command::ShowStart)->setChecked(v.showStartPoint);
    action(Command::ShowDirection)->setChecked(v.showDirection);
    action(Command::ShowCode)->setChecked(v.showGcode);
    action(Command::ShowGrid)->setChecked(v.showGrids);
    action(Command::ShowDepth)->setChecked(v.showDepth);
    action(Command::StatusBar)->setChecked(v.showStatusBar);
    action(Command::AllowReverse)->setChecked(document_.allowReverse());
    action(Command::InnerFirst)->setChecked(settings_.optimize.innerFirst);
}

void MainWindow::saveSettingsNow() {
    settings_.simulationSpeed = slider_->value();
    settings_.view.showStatusBar = statusBar()->isVisibleTo(this);
    settings_.view.gcodeWidth = settingFromPanelWidth(codeWidth_, scale_);
    saveSettings(settings_, options_.settings.writePath);  // a failed write is not reported
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!closed_ && !keepOrDiscardChanges()) return event->ignore();
    if (!closed_) {
        closed_ = true;
        job_.reset();  // stops the optimisation thread before the drawing it reads goes
        document_.setOptimising(false);
        history_.clear();
        saveSettingsNow();
        pollTimer_.stop();
        ratioTimer_.stop();
        session_.disconnect();
        stopSimulation();
        document_.adopt(nullptr);
        drawing_->refresh();
        code_->setProgram({}, {});
    }
    event->accept();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    fitToolBar();
    // The status bar's position and name panes give way to the message pane in a small window.
    panes_[1]->setFixedWidth(std::min(scaled(300, scale_), width() / 4));
    panes_[2]->setFixedWidth(std::min(scaled(400, scale_), width() / 4));
    // The code pane keeps the width the operator gave it while the window has room for it.
    if (code_->isVisible()) {
        const int wanted = codeWidth_;
        QTimer::singleShot(0, this, [this, wanted] {
            if (code_->isVisible()) setCodePanelWidth(wanted);
        });
    }
}

void MainWindow::fitToolBar() {
    // A narrow window takes smaller icons first, then the ratio box gives up its empty room and
    // the speed slider shortens: the simulation buttons and both boxes stay on the bar instead
    // of moving into its overflow menu.
    QToolBar* bar = findChild<QToolBar*>(QStringLiteral("toolBar"));
    if (!bar) return;
    const int icon = width() >= scaled(1100, scale_) ? 32 : 24;
    if (bar->iconSize().width() != icon) bar->setIconSize(QSize(icon, icon));
    // The bar's margins and the room its layout keeps for the overflow button, then each item
    // with the spacing after it.
    const int spacing = bar->layout() ? bar->layout()->spacing() : 0;
    int others = scaled(40, scale_);
    for (QAction* item : bar->actions()) {
        QWidget* widget = bar->widgetForAction(item);
        if (!widget) continue;
        others += spacing;
        if (widget != slider_ && widget != ratio_) others += widget->sizeHint().width();
    }
    const int room = width() - others;
    const int ratioText = ratio_->fontMetrics().horizontalAdvance(
                              QCoreApplication::translate("MainWindow", "倍率%1%").arg(1000)) +
                          scaled(16, scale_);
    const int ratio =
        std::clamp(room - scaled(kSliderWidth, scale_),
                   std::min(ratioText, scaled(kRatioWidth, scale_)), scaled(kRatioWidth, scale_));
    ratio_->setFixedWidth(ratio);
    slider_->setFixedWidth(
        std::clamp(room - ratio, scaled(kSliderMinimum, scale_), scaled(kSliderWidth, scale_)));
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The splitter has its width only once the window is laid out.
    QTimer::singleShot(0, this, [this] {
        if (code_->isVisible()) setCodePanelWidth(codeWidth_);
    });
}

void MainWindow::updateTitle() {
    const QString title =
        QStringLiteral("Pathloom%1 - %2")
            .arg(QStringLiteral(" V2.04"), QString::fromStdString(session_.label()));
    setWindowTitle(drawingName_.isEmpty() ? title : drawingName_ + QStringLiteral(" - ") + title);
}

void MainWindow::updateRatio() {
    settings_.simulationSpeed = slider_->value();
    const QString shown =
        QCoreApplication::translate("MainWindow", "倍率%1%").arg(settings_.simulationSpeed);
    if (ratio_->text() != shown) ratio_->setText(shown);
}

void MainWindow::updateCommands() {
    palette_->showGroups(document_.drawing(), settings_.process.presets);
    const bool idle = !document_.busy();
    // The simulation's own commands follow the simulation, not the optimisation of an import.
    const bool simulating = document_.mode() == ViewMode::Simulation;
    const bool selection = idle && selectedCount(document_.drawing()) > 0;
    for (const CommandEntry& entry : commandTable()) {
        bool enabled = false;
        switch (entry.availability) {
            case Availability::Always:
                enabled = true;
                break;
            case Availability::Idle:
                enabled = idle;
                break;
            case Availability::Selection:
                enabled = selection;
                break;
            case Availability::Disconnected:
                enabled = idle && !session_.connected();
                break;
            case Availability::Connected:
                enabled = idle && session_.connected();
                break;
            case Availability::Simulating:
                enabled = simulating;
                break;
            case Availability::Ticking:
                enabled = simulating && player_->ticking();
                break;
            case Availability::Paused:
                enabled = simulating && !player_->ticking();
                break;
            case Availability::Undoable:
                enabled = idle && history_.canUndo();
                break;
            case Availability::Redoable:
                enabled = idle && history_.canRedo();
                break;
            case Availability::Later:
                enabled = false;
                break;
        }
        action(entry.command)->setEnabled(enabled);
    }
    if (auto* stop = findChild<QAction*>(QStringLiteral("cancelOptimisation")))
        stop->setEnabled(optimising());
    updateUndoTexts();
}

QString MainWindow::paneText(int pane) const {
    return pane >= 0 && pane < 3 ? panes_[pane]->text() : QString();
}

void MainWindow::showStatus(const QString& text) {
    panes_[0]->setText(text);
    panes_[0]->repaint();  // long steps run on this thread: paint the text now
}

void MainWindow::showMessage(const QString& text) {
    prompter_->message(this, text);
}

void MainWindow::showWarning(const QString& text) {
    prompter_->warning(this, text);
}

void MainWindow::nextPane() {
    if (code_->isAncestorOf(focusWidget()) || !code_->isVisible())
        drawing_->setFocus();
    else
        code_->currentWidget()->setFocus();
}

}  // namespace pathloom::app
