// The main frame's modes and simulation: the canvas tools (select, split, start point), the
// edits they make, and the simulation's start with its checks, pause, continue, stop and the
// tool's moves on the canvas.
#include <QAction>

#include "app/commands.h"
#include "app/main_window.h"
#include "core/text/texts.h"
#include "view/canvas.h"
#include "view/code_pane.h"
#include "view/simulation_player.h"

namespace pathloom::app {
namespace {

QString qtext(std::string_view value) {
    return QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size()));
}

}  // namespace

void MainWindow::setMode(ViewMode mode) {
    // A running simulation keeps its mode (and its timer) until it stops.
    if (document_.busy()) return;
    document_.setMode(mode);
    if (mode == ViewMode::Split)
        armCanvasEdit(Command::Split);
    else if (mode == ViewMode::StartPoint)
        armCanvasEdit(Command::ChangeStart);
    else
        armCanvasEdit(std::nullopt);
    updateCommands();
}

// A click of a canvas tool (or a picked origin) changed the drawing.
void MainWindow::drawingEdited() {
    if (canvasEditing_) {
        history_.endEdit(true, stepName(*canvasEditing_).toStdString());
        // A picked origin ends its pick; the split and start tools stay for more clicks.
        if (canvasEditing_ == Command::Origin)
            canvasEditing_.reset();
        else
            history_.beginEdit();
    }
    refreshProgram();
    showSelectionInCode();
}

void MainWindow::startSimulation() {
    if (document_.busy()) return;
    if (!settings_.view.showGcode) {
        // The message's own words, then how to bring the program up to date.
        const QString item = action(Command::ShowCode)->text().remove(QLatin1Char('&'));
        return showWarning(qtext(text(Text::CodeOutdated)) +
                           qtext(textWithValue(Text::CodeOutdatedHow, item.toStdString())));
    }
    showStatus(qtext(text(Text::PreparingSimulation)));
    ControllerLink* link = session_.connected() ? session_.link() : nullptr;
    SimulationPath path = buildSimulationPath(document_.drawing(), settings_.process, link);
    if (path.status == SimulationStatus::NoDrawing) {
        showWarning(qtext(text(Text::NoDrawing)));
        return showStatus(qtext(text(Text::Ready)));
    }
    if (path.status == SimulationStatus::FlattenFailed) {
        showWarning(qtext(textWithCode(Text::GenerateFailed, path.code)));
        return showStatus(qtext(text(Text::Ready)));
    }
    document_.setMode(ViewMode::Simulation);
    drawing_->clearTrace();
    player_->start(std::move(path.points));
    updateCommands();
}

void MainWindow::pauseSimulation() {
    // Only a ticking simulation pauses; otherwise the timer would start where nothing runs.
    if (!document_.busy() || !player_->ticking()) return;
    player_->pause();
    updateCommands();
}

void MainWindow::continueSimulation() {
    if (!document_.busy() || player_->ticking()) return;
    player_->resume();
    updateCommands();
}

void MainWindow::stopSimulation() {
    if (!document_.busy()) return;
    player_->stop();
    document_.setMode(ViewMode::Select);
    // The run leaves neither its covered path nor (when stopped) its tool cross behind.
    drawing_->clearTrace();
    code_->clearHighlight();
    showStatus(qtext(text(Text::Ready)));
    updateCommands();
}

void MainWindow::simulationMoved(const SimulationTick& tick) {
    const QString simulating = qtext(text(Text::Simulating));
    if (paneText(0) != simulating) showStatus(simulating);
    drawing_->extendTrace(tick.trace);
    const SimulationPoint& at = tick.trace.back();
    drawing_->setMarker(canvas::PointD{at.x, at.y});
    if (!tick.finished) return;
    // The end of the points stops the run; the tool cross stays where the tool ended.
    stopSimulation();
    drawing_->setMarker(canvas::PointD{at.x, at.y});
}

}  // namespace pathloom::app
