// The main frame's commands: the document (new, import, export, editing, display switches), the
// link between selection and code, the controller (connect, disconnect, poll, download) and help.
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QSignalBlocker>
#include <QStatusBar>
#include <cerrno>
#include <cstring>

#include "app/commands.h"
#include "app/main_window.h"
#include "core/document/auto_optimize.h"
#include "core/document/commands.h"
#include "core/document/import_reason.h"
#include "core/document/pipeline.h"
#include "core/document/selection_lines.h"
#include "core/settings/profile_file.h"
#include "core/text/texts.h"
#include "dialogs/prompter.h"
#include "view/canvas.h"
#include "view/code_pane.h"

namespace pathloom::app {
namespace {

QString qtext(Text id) {
    return QString::fromUtf8(text(id).data(), static_cast<qsizetype>(text(id).size()));
}

QString qtext(const std::string& value) {
    return QString::fromStdString(value);
}

// Each extension in lower and upper case: file names on Linux are case-sensitive.
QString patterns(const QStringList& extensions) {
    QStringList out;
    for (const QString& extension : extensions)
        out << QStringLiteral("*.") + extension.toLower()
            << QStringLiteral("*.") + extension.toUpper();
    return out.join(QLatin1Char(' '));
}

QString importFilters() {
    const QStringList dxf{QStringLiteral("dxf")}, ai{QStringLiteral("ai")},
        dst{QStringLiteral("dst")}, svg{QStringLiteral("svg"), QStringLiteral("svgz")},
        pdf{QStringLiteral("pdf")};
    const QStringList plotter{QStringLiteral("plt"), QStringLiteral("hpgl"), QStringLiteral("hpg"),
                              QStringLiteral("hgl")};
    return QStringLiteral(
               "AutoCad File(%1);;HPGL Plotter File(%2);;Adobe Illustrator File(%3);;"
               "Tajima Stitch File(%4);;SVG File(%5);;PDF File(%6);;All Drawings(%7);;All Files(*)")
        .arg(patterns(dxf), patterns(plotter), patterns(ai), patterns(dst), patterns(svg),
             patterns(pdf), patterns(dxf + plotter + ai + dst + svg + pdf));
}

const QString kBasicFilter = QStringLiteral("Basic File(*.bas)");
const QString kNcFilter = QStringLiteral("NC File(*.nc)");

EditCommand editFor(Command id) {
    switch (id) {
        case Command::RemoveDuplicates:
            return EditCommand::RemoveDuplicates;
        case Command::GridSort:
            return EditCommand::GridSort;
        case Command::SortNearest:
            return EditCommand::SortNearest;
        case Command::SortSmallFirst:
            return EditCommand::SortSmallFirst;
        case Command::SortInsideOut:
            return EditCommand::SortInsideOut;
        case Command::SortLeftToRight:
            return EditCommand::SortLeftToRight;
        case Command::SortRightToLeft:
            return EditCommand::SortRightToLeft;
        case Command::SortTopToBottom:
            return EditCommand::SortTopToBottom;
        case Command::SortBottomToTop:
            return EditCommand::SortBottomToTop;
        case Command::SortShortestTravel:
            return EditCommand::SortShortestTravel;
        case Command::MoveForward:
            return EditCommand::MoveForward;
        case Command::MoveBack:
            return EditCommand::MoveBack;
        case Command::MoveToFirst:
            return EditCommand::MoveToFirst;
        case Command::MoveToLast:
            return EditCommand::MoveToLast;
        case Command::ReverseOrder:
            return EditCommand::ReverseOrder;
        default:
            return EditCommand::ReverseDirection;
    }
}

}  // namespace

// ---- Document ----

void MainWindow::showProgram() {
    code_->setProgram(document_.code(), document_.lineMap());
}

void MainWindow::refreshProgram() {
    if (!settings_.view.showGcode) return;
    ControllerLink* link = session_.connected() ? session_.link() : nullptr;
    // A failed run keeps the previous text and its map, and says why.
    if (regenerate(document_, settings_.process, link, *sink_)) showProgram();
}

void MainWindow::newDocument() {
    if (document_.busy() || !keepOrDiscardChanges()) return;
    // New can be taken back like any edit: the drawing it clears stays in the history.
    const std::string previousFile = document_.name();
    if (VectGroup* previous = document_.release())
        history_.replaced(previous, previousFile, stepName(Command::New).toStdString());
    document_.reset();
    drawingName_.clear();
    updateTitle();
    showProgram();
    drawing_->resetView();
    updateCommands();
}

void MainWindow::importDrawing() {
    if (document_.busy() || !keepOrDiscardChanges()) return;
    const QString path = prompter_->openFile(
        this, QCoreApplication::translate("MainWindow", "导入"), importFilters());
    if (!path.isEmpty()) openAfterAsking(path);
}

void MainWindow::openFile(const QString& path) {
    if (document_.busy() || !keepOrDiscardChanges()) return;
    openAfterAsking(path);
}

// The drawing as the reader made it is shown first; the automatic steps then run on a copy of
// it off the interface thread, and their result takes its place when they are done.
void MainWindow::openAfterAsking(const QString& path) {
    if (document_.busy()) return;
    const std::string file = path.toStdString();
    // A drawing of several pages (PDF) opens the page the operator chooses; cancelling opens
    // nothing.
    int page = 1;
    if (const int pages = drawingPages(file); pages > 1) {
        page = prompter_->choosePage(this, pages);
        if (page < 1) return;
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    ControllerLink* link = session_.connected() ? session_.link() : nullptr;
    const bool later = enabledSteps(settings_.optimize) > 0;
    Settings importing = settings_;
    if (later) {
        importing.optimize = withoutSteps(settings_.optimize);
        importing.view.showGcode = false;  // the program follows the optimised drawing
    }
    const std::string previousFile = document_.name();
    VectGroup* previous = nullptr;
    const OpenResult result =
        openDrawing(document_, file, importing, link, *sink_, page, &previous);
    // A file that gave nothing leaves the open drawing, its program and its view as they were.
    if (result == OpenResult::NoDrawing || result == OpenResult::Emptied) {
        showStatus(qtext(Text::Ready));
        QGuiApplication::restoreOverrideCursor();
        const std::string reason =
            result == OpenResult::Emptied
                ? emptiedText(document_.emptiedBy())
                : reasonText(whyNothingImported(file, lastImportNotes()), file);
        prompter_->warning(this, qtext(openFailedMessage(file, reason)));
        return;
    }
    history_.replaced(previous, previousFile, stepName(Command::Import).toStdString());
    history_.markClean();
    rememberRecent(file, true);
    // After a failed step the text is empty; after a full run it is the new program.
    showProgram();
    drawing_->resetView();
    showStatus(qtext(Text::Ready));
    QGuiApplication::restoreOverrideCursor();
    drawingName_ = QString::fromStdString(drawingName(file));
    updateTitle();
    updateCommands();
    if (later && result == OpenResult::Done && document_.drawing()) startOptimisation();
}

void MainWindow::exportCode() {
    if (document_.busy()) return;
    exportProgram();
}

bool MainWindow::exportProgram() {
    // An empty file would pass for a program on the controller's disk.
    const std::string program = code_->text();
    if (program.find_first_not_of(" \t\r\n") == std::string::npos) {
        showWarning(qtext(Text::ExportEmpty));
        return false;
    }
    const bool nc = settings_.process.machine.codeType != 0;
    const QString extension = nc ? QStringLiteral("nc") : QStringLiteral("bas");
    QString path = prompter_->saveFile(this, QCoreApplication::translate("MainWindow", "导出代码"),
                                       QStringLiteral("KORVEL.") + extension,
                                       kBasicFilter + QStringLiteral(";;") + kNcFilter,
                                       nc ? kNcFilter : kBasicFilter);
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += QLatin1Char('.') + extension;
    errno = 0;
    if (!writeFileSafely(path.toStdString(), program)) {
        const std::string where = (language() == Language::Chinese ? "“" : "\"") +
                                  QDir::toNativeSeparators(path).toStdString() +
                                  (language() == Language::Chinese ? "”：" : "\": ");
        showWarning(
            qtext(textWithValue(Text::ExportFailed, where + systemReason(errno ? errno : EIO))));
        return false;
    }
    history_.markClean();
    showStatus(
        qtext(textWithValue(Text::ExportDone, QDir::toNativeSeparators(path).toStdString())));
    return true;
}

void MainWindow::editCommand(Command id) {
    if (document_.busy()) return;
    EditValues values;
    values.innerFirst = settings_.optimize.innerFirst;  // the sorts
    values.tolerance = settings_.optimize.smoothingAccuracy;
    beginEdit(id);
    const Outcome outcome = runEdit(document_, editFor(id), values, *sink_);
    editChanged_ = outcome == Outcome::Changed;
    endEdit();
    if (outcome == Outcome::Changed) {
        refreshProgram();
        showSelectionInCode();
        drawing_->refresh();
    }
    updateCommands();
}

void MainWindow::drawingChanged() {
    if (editing_) editChanged_ = true;
    refreshProgram();
    showSelectionInCode();
    drawing_->refresh();
}

void MainWindow::programSettingsChanged() {
    saveSettingsNow();
    refreshProgram();
}

void MainWindow::toggleView(Command id) {
    ViewSettings& v = settings_.view;
    const bool on = action(id)->isChecked();
    switch (id) {
        case Command::ShowOpen:
            v.showClose = on;
            break;
        case Command::ShowTravel:
            v.showAbs = on;
            break;
        case Command::ShowOrder:
            v.showOrder = on;
            break;
        case Command::ShowStart:
            v.showStartPoint = on;
            break;
        case Command::ShowDirection:
            v.showDirection = on;
            break;
        case Command::ShowGrid:
            v.showGrids = on;
            break;
        case Command::ShowDepth:
            v.showDepth = on;
            break;
        case Command::StatusBar:
            v.showStatusBar = on;
            statusBar()->setVisible(on);
            return;
        case Command::ShowCode:
            if (document_.busy()) return action(id)->setChecked(v.showGcode);
            v.showGcode = on;
            code_->setVisible(on);
            if (on) {
                setCodePanelWidth(codeWidth_);
                refreshProgram();
                showSelectionInCode();
            }
            break;
        default:  // only the display switches are bound here
            break;
    }
    drawing_->refresh();
}

void MainWindow::groupCommand(int number) {
    // Without a drawing there is no group to select or to change, and nothing to report.
    if (document_.busy() || !document_.drawing()) return;
    if (selectedCount(document_.drawing()) == 0) {
        const int code = Lintrel_SelVectGroup(document_.drawing(), number);
        if (code != 0) return showWarning(qtext(textWithCode(Text::SelectGroupFailed, code)));
        showSelectionInCode();
    } else {
        beginEdit(QCoreApplication::translate("MainWindow", "更改分组"));
        const int code = Lintrel_ChangeVectGroup(document_.drawingAddress(), number);
        editChanged_ = code == 0;
        endEdit();
        if (code != 0) return showWarning(qtext(textWithCode(Text::ChangeGroupFailed, code)));
        refreshProgram();
    }
    drawing_->refresh();
    updateCommands();
}

// ---- The selection and the code pane ----

void MainWindow::showSelectionInCode() {
    updateCommands();
    if (!settings_.view.showGcode) return;
    const auto lines = selectedVectLines(document_.drawing(), code_->lineMap(), code_->lineCount());
    // Scrolling an open editor moves its cursor; that is no new text selection.
    const QSignalBlocker quiet(code_);
    if (lines)
        code_->highlightLines(lines->first, lines->second);
    else
        code_->clearHighlight();
}

void MainWindow::codeSelectionChanged() {
    if (document_.optimising()) return;  // the drawing is being copied: no change to it now
    const auto [first, last] = code_->selectedLines();
    const bool changed =
        first < 0 ? clearSelection(document_.drawing())
                  : selectVectsOnLines(document_.drawing(), code_->lineMap(), first, last);
    if (changed) drawing_->refresh();
    updateCommands();
}

// ---- The controller ----

void MainWindow::autoConnect() {
    if (settings_.connection.autoConnect)
        connectTo(QString::fromStdString(settings_.connection.autoIp));
}

void MainWindow::connectTo(const QString& address) {
    const int code = session_.connect(address.toStdString());
    if (code == 0) {
        pollTimer_.start();
    } else {
        showWarning(qtext(textWithCode(Text::ConnectFailed, code)));
    }
    updateTitle();
    updateCommands();
}

void MainWindow::connectController() {
    if (document_.busy() || session_.connected()) return;
    if (const std::optional<QString> address = prompter_->connectAddress(this, session_))
        connectTo(*address);
}

void MainWindow::disconnectController() {
    if (document_.busy() || !session_.connected()) return;
    session_.disconnect();
    pollTimer_.stop();
    updateTitle();
    updateCommands();
}

void MainWindow::pollController() {
    const int code = session_.poll();
    if (code == 0) return;
    pollTimer_.stop();
    // A lost controller ends a running simulation.
    stopSimulation();
    // The title stops naming the address before the message waits for its click.
    updateTitle();
    updateCommands();
    showWarning(qtext(textWithCode(Text::ConnectionLost, code)));
}

void MainWindow::download() {
    if (document_.busy()) return;
    const int code = session_.download(code_->text(), settings_.process.machine.processFilename);
    if (code == 0) return showMessage(qtext(Text::DownloadDone));
    showWarning(qtext(textWithCode(Text::DownloadFailed, code)));
}

// ---- Help, drops ----

void MainWindow::openManual() {
    const QString manual = QDir::current().filePath(QStringLiteral("Pathloom产品说明书.pdf"));
    if (QFileInfo::exists(manual)) return prompter_->openDocument(manual);
    showWarning(
        qtext(textWithValue(Text::ManualMissing, QDir::toNativeSeparators(manual).toStdString())));
}

void MainWindow::showAbout() {
    prompter_->about(
        this, QCoreApplication::translate("MainWindow", "关于 Pathloom"),
        QCoreApplication::translate(
            "MainWindow", "Pathloom V2.04\n把二维矢量图形转换为运动控制程序。\nLintrel %1")
            .arg(QString::fromUtf8(Lintrel_GetVerSionInfo())));
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls() && !event->mimeData()->urls().value(0).toLocalFile().isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString path = event->mimeData()->urls().value(0).toLocalFile();
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    openFile(path);
}

}  // namespace pathloom::app
