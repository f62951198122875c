// The main frame's undo and redo over the drawing's history, the question before unsaved edits
// are dropped, the automatic optimisation of an import off the interface thread, and the recent
// drawings of the File menu.
#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <utility>

#include "app/main_window.h"
#include "core/document/import_reason.h"
#include "core/document/pipeline.h"
#include "core/presets/apply.h"
#include "core/settings/recent_files.h"
#include "core/text/texts.h"
#include "dialogs/prompter.h"
#include "view/canvas.h"
#include "view/code_pane.h"

namespace pathloom::app {
namespace {

constexpr int kProgressMilliseconds = 50;

QString qtext(Text id) {
    return QString::fromUtf8(text(id).data(), static_cast<qsizetype>(text(id).size()));
}

QString translated(const char* text) {
    return QCoreApplication::translate("MainWindow", text);
}

}  // namespace

// ---- Steps ----

// A step is named as its command's menu item, without the mnemonic.
QString MainWindow::stepName(Command id) const {
    QString name = action(id)->text();
    static const QRegularExpression mnemonic(QStringLiteral("\\(&.\\)|&|\\.\\.\\.$"));
    return name.remove(mnemonic).trimmed();
}

void MainWindow::beginEdit(Command id) {
    beginEdit(stepName(id));
}

void MainWindow::beginEdit(const QString& name) {
    if (document_.busy()) return;
    editing_ = name;
    editChanged_ = false;
    history_.beginEdit();
}

void MainWindow::endEdit() {
    if (!editing_) return;
    const QString name = *std::exchange(editing_, std::nullopt);
    history_.endEdit(editChanged_, name.toStdString());
    if (canvasEditing_) history_.beginEdit();  // the chosen canvas tool waits for its click again
    updateCommands();
}

// The canvas tools change the drawing at a click, with no command around it: while one is
// chosen, a copy waits for its next click.
void MainWindow::armCanvasEdit(std::optional<Command> id) {
    if (canvasEditing_ && !id) history_.endEdit(false, {});
    canvasEditing_ = id;
    if (id) history_.beginEdit();
}

void MainWindow::undo() {
    // Hand edits of the program have their own undo while the editor has the keyboard.
    if (code_->editing() && code_->isAncestorOf(focusWidget())) return code_->undo();
    if (document_.busy() || !history_.undo()) return;
    historyMoved();
}

void MainWindow::redo() {
    if (document_.busy() || !history_.redo()) return;
    historyMoved();
}

void MainWindow::historyMoved() {
    if (canvasEditing_) history_.beginEdit();  // the tool's next click starts from here
    drawingName_ = document_.name().empty() ? QString()
                                            : QString::fromStdString(drawingName(document_.name()));
    refreshProgram();
    if (!settings_.view.showGcode || !document_.drawing()) showProgram();
    showSelectionInCode();
    drawing_->refresh();
    updateTitle();
    updateCommands();
}

void MainWindow::updateUndoTexts() {
    const auto label = [this](Command id, const std::string& step, const char* withStep) {
        const QString plain = QCoreApplication::translate("Command", [id] {
            for (const CommandEntry& entry : commandTable())
                if (entry.command == id) return entry.text;
            return "";
        }());
        action(id)->setText(step.empty() ? plain
                                         : translated(withStep).arg(QString::fromStdString(step)));
    };
    label(Command::Undo, history_.undoName(), QT_TRANSLATE_NOOP("MainWindow", "撤销 %1(&U)"));
    label(Command::Redo, history_.redoName(), QT_TRANSLATE_NOOP("MainWindow", "重做 %1(&R)"));
}

bool MainWindow::keepOrDiscardChanges() {
    if (!history_.modified() || !document_.drawing()) return true;
    switch (prompter_->askUnsaved(
        this, QCoreApplication::translate(
                  "MainWindow", "图形已修改，修改后的加工代码尚未导出。是否先导出加工代码？"))) {
        case dialogs::Prompter::Unsaved::Export:
            return exportProgram();
        case dialogs::Prompter::Unsaved::Discard:
            return true;
        case dialogs::Prompter::Unsaved::Cancel:
            break;
    }
    return false;
}

// ---- The automatic optimisation ----

void MainWindow::startOptimisation() {
    document_.setOptimising(true);
    // The presets and the program of the result are made on the job's thread as well, unless
    // the program needs the controller, whose link belongs to this thread.
    const bool writeThere = settings_.view.showGcode && !session_.connected();
    written_ = std::make_shared<std::optional<WriteResult>>();
    job_ = std::make_unique<OptimiseJob>(document_.drawing(), settings_.optimize,
                                         [written = written_, process = settings_.process,
                                          name = document_.name(), writeThere](VectGroup* drawing) {
                                             assignPresets(drawing, process.presets);
                                             if (writeThere)
                                                 *written = writeDrawingProgram(drawing, name,
                                                                                process, nullptr);
                                         });
    shownRevision_ = ~0u;
    cancel_->setVisible(true);
    jobTimer_.start(kProgressMilliseconds);
    pollOptimisation();
    updateCommands();
}

void MainWindow::pollOptimisation() {
    if (!job_) return jobTimer_.stop();
    if (job_->finished()) return finishOptimisation();
    const OptimiseProgress& progress = job_->progress();
    if (progress.revision() == shownRevision_) return;
    shownRevision_ = progress.revision();
    const std::string step = progress.step();
    showStatus(QCoreApplication::translate("MainWindow", "%1 %2%")
                   .arg(step.empty() ? qtext(Text::Processing) : QString::fromStdString(step))
                   .arg(progress.percent()));
}

void MainWindow::cancelOptimisation() {
    if (!job_) return;
    job_->requestStop();
    showStatus(QCoreApplication::translate("MainWindow", "正在取消自动优化..."));
}

void MainWindow::finishOptimisation() {
    jobTimer_.stop();
    cancel_->setVisible(false);
    const std::unique_ptr<OptimiseJob> job = std::move(job_);
    document_.setOptimising(false);
    for (const std::string& message : job->progress().messages())
        showMessage(QString::fromStdString(message));
    switch (job->result()) {
        case OptimiseJob::Result::Done:
            document_.adopt(job->takeDrawing());
            showStatus(qtext(Text::Ready));
            if (*written_) {
                if (acceptProgram(document_, std::move(**written_), *sink_)) showProgram();
                showSelectionInCode();
                drawing_->refresh();
                updateCommands();
                return;
            }
            break;
        case OptimiseJob::Result::Emptied: {
            // Nothing was left to cut: the drawing opened before comes back, as when a file
            // gives nothing.
            const std::string file = document_.name();
            history_.undo();
            historyMoved();
            showStatus(qtext(Text::Ready));
            prompter_->warning(this, QString::fromStdString(
                                         openFailedMessage(file, emptiedText(job->emptiedBy()))));
            return;
        }
        case OptimiseJob::Result::Stopped:
            showStatus(
                QCoreApplication::translate("MainWindow", "已取消自动优化，图形保持导入时的样子"));
            break;
        case OptimiseJob::Result::StepFailed:
        case OptimiseJob::Result::Running:
            showStatus(qtext(Text::Ready));
            break;
    }
    refreshProgram();
    showSelectionInCode();
    drawing_->refresh();
    updateCommands();
}

// ---- Recent drawings ----

void MainWindow::loadRecentFiles() {
    recentFiles_ = readRecentFiles(ProfileFile::load(options_.settings.readPath));
    fillRecentMenu();
}

// The list is written at once: a program that does not close cleanly keeps it.
void MainWindow::rememberRecent(const std::string& path, bool opened) {
    std::string absolute = path;
    if (opened) absolute = QFileInfo(QString::fromStdString(path)).absoluteFilePath().toStdString();
    recentFiles_ =
        opened ? withRecentFile(recentFiles_, absolute) : withoutRecentFile(recentFiles_, absolute);
    ProfileFile profile = ProfileFile::load(options_.settings.writePath);
    writeRecentFiles(profile, recentFiles_);
    profile.save(options_.settings.writePath);  // a failed write is not reported
    fillRecentMenu();
}

void MainWindow::fillRecentMenu() {
    recent_->clear();
    int number = 0;
    for (const std::string& file : recentFiles_) {
        const QString path = QString::fromStdString(file);
        QAction* entry = recent_->addAction(
            QStringLiteral("&%1 %2").arg(++number).arg(QFileInfo(path).fileName()));
        entry->setObjectName(QStringLiteral("recent%1").arg(number));
        entry->setStatusTip(path);
        entry->setToolTip(path);
        connect(entry, &QAction::triggered, this, [this, path] {
            if (document_.busy()) return;
            if (!QFileInfo::exists(path)) {
                prompter_->warning(
                    this, QCoreApplication::translate(
                              "MainWindow", "找不到图形文件 %1，已将它从最近的图形中移除。")
                              .arg(path));
                return rememberRecent(path.toStdString(), false);
            }
            openFile(path);
        });
    }
    recent_->setEnabled(!recentFiles_.empty());
}

}  // namespace pathloom::app
