// The main frame: menus, toolbar with the simulation speed slider and the ratio box, the
// three-pane status bar, the group palette, the drawing area and the code pane, around the one
// document and the one controller session. Settings are read when it is made and written when it
// closes.
#pragma once

#include <QMainWindow>
#include <QTimer>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/commands.h"
#include "core/codegen/program.h"
#include "core/controller/controller_session.h"
#include "core/document/document.h"
#include "core/document/history.h"
#include "core/document/optimise_job.h"
#include "core/document/status_sink.h"
#include "core/settings/settings.h"
#include "core/simulation/simulation_path.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSlider;
class QSplitter;

namespace pathloom::view {
class Canvas;
class CodePane;
class GroupPalette;
class SimulationPlayer;
}  // namespace pathloom::view

namespace pathloom::dialogs {
class Prompter;
}

namespace pathloom::app {

class DialogCommands;

// The speed slider's and the ratio box's widths in a wide window, the slider's least width
// (pixels at 96 dots per inch), and the share of the width beside the palette that the code pane
// may take.
inline constexpr int kSliderWidth = 250;
inline constexpr int kRatioWidth = 200;
inline constexpr int kSliderMinimum = 60;
inline constexpr double kCodeShare = 0.45;

struct WindowOptions {
    dialogs::Prompter* prompter = nullptr;  // null: the real dialogs
    VxcCalls controller;                    // empty: the controller library
    double dotsPerInch = 0;                 // 0: the screen's logical dots per inch
    SettingsLocation settings;  // empty paths: beside the program, else the user's folder
};

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(WindowOptions options = {});
    ~MainWindow() override;

    // Start-up after the window exists: the automatic connection when the settings ask for it.
    void autoConnect();
    // Imports a drawing as the import command does after its dialog.
    void openFile(const QString& path);
    // Connects as the connect command does after its dialog.
    void connectTo(const QString& address);

    QAction* action(Command command) const;
    QMenu* contextMenu() const { return contextMenu_; }
    view::CodePane* codePane() const { return code_; }
    view::Canvas* canvas() const { return drawing_; }
    view::SimulationPlayer* simulation() const { return player_; }
    Document& document() { return document_; }
    ControllerSession& session() { return session_; }
    const Settings& settings() const { return settings_; }
    DialogCommands& dialogs() const { return *dialogs_; }
    double displayScale() const { return scale_; }
    QSlider* speedSlider() const { return slider_; }
    QLineEdit* ratioBox() const { return ratio_; }
    QString paneText(int pane) const;
    const QTimer& pollTimer() const { return pollTimer_; }
    const QTimer& ratioTimer() const { return ratioTimer_; }
    int codePanelWidth() const { return codeWidth_; }
    void setCodePanelWidth(int pixels);

    // Status texts and messages of the engine.
    void showStatus(const QString& text);
    void showMessage(const QString& text);
    // A message about something that failed or was refused, with a warning icon.
    void showWarning(const QString& text);
    // Runs the group command of the palette button for group `number` (1 to 20).
    void groupCommand(int number);
    // The poll timer's handler: asks the controller's state once.
    void pollController();
    // After the selection changed: the one selected vect's lines in red at the top of the code
    // pane, or no highlight.
    void showSelectionInCode();
    // After a command changed the drawing or its vects: the program is regenerated when the code
    // pane is shown, then the canvas is repainted.
    void drawingChanged();
    // After a dialog changed settings that only the program shows (the header and footer
    // templates): the settings file is written at once and the program regenerated.
    void programSettingsChanged();

    // The drawing's undo history. A command that edits the drawing in place runs between
    // beginEdit and endEdit; when it called drawingChanged meanwhile, it becomes a step named
    // after the command.
    History& history() { return history_; }
    void beginEdit(Command id);
    void beginEdit(const QString& stepName);
    void endEdit();
    // While a canvas tool (split, start point, origin pick) is chosen, its clicks are steps.
    void armCanvasEdit(std::optional<Command> id);
    // Before work that would drop unsaved edits (New, import, exit): asks whether to export the
    // program first. False when the operator cancelled (or the export failed).
    bool keepOrDiscardChanges();

    // The automatic optimisation of the last import, running off the interface thread.
    bool optimising() const { return job_ != nullptr; }
    void cancelOptimisation();
    QPushButton* cancelButton() const { return cancel_; }
    const QTimer& optimisationTimer() const { return jobTimer_; }

    // The drawings opened last, newest first, as the File menu lists them.
    QMenu* recentMenu() const { return recent_; }
    const std::vector<std::string>& recentFiles() const { return recentFiles_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    class Sink;

    void createActions();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void createPanes();
    void fillMenu(QMenu* menu, const std::vector<MenuEntry>& entries);
    void bind(Command id, void (MainWindow::*handler)());
    void applySettings();
    void saveSettingsNow();
    void updateTitle();
    void reportRefusedSettings(const std::vector<SettingProblem>& problems);
    void updateCommands();
    void updateRatio();
    void fitToolBar();

    // Regenerates the program when the code pane is shown, then shows it with its line map.
    void refreshProgram();
    void showProgram();
    void codeSelectionChanged();
    void editCommand(Command id);
    void toggleView(Command id);
    void setMode(ViewMode mode);
    void drawingEdited();

    // The simulation: start with its checks, pause, continue, stop, and the tool's moves.
    void startSimulation();
    void pauseSimulation();
    void continueSimulation();
    void stopSimulation();
    void simulationMoved(const SimulationTick& tick);

    void newDocument();
    void importDrawing();
    void exportCode();
    bool exportProgram();
    void openAfterAsking(const QString& path);

    void undo();
    void redo();
    void historyMoved();
    void updateUndoTexts();
    QString stepName(Command id) const;

    void startOptimisation();
    void pollOptimisation();
    void finishOptimisation();

    void loadRecentFiles();
    void rememberRecent(const std::string& path, bool opened);
    void fillRecentMenu();
    void connectController();
    void disconnectController();
    void download();
    void openManual();
    void showAbout();
    void nextPane();

    WindowOptions options_;
    std::unique_ptr<dialogs::Prompter> ownPrompter_;
    dialogs::Prompter* prompter_;
    std::unique_ptr<StatusSink> sink_;
    Settings settings_;
    double scale_ = 1.0;
    int codeWidth_ = 400;
    bool closed_ = false;
    Document document_;
    QString drawingName_;  // the open drawing's file name, for the title; empty without one
    ControllerSession session_;
    History history_{document_};
    std::optional<QString> editing_;        // the step between beginEdit and endEdit
    bool editChanged_ = false;              // it changed the drawing
    std::optional<Command> canvasEditing_;  // the canvas tool whose clicks edit the drawing
    std::unique_ptr<OptimiseJob> job_;
    std::shared_ptr<std::optional<WriteResult>> written_;  // the program the job wrote, if any
    QTimer jobTimer_;
    unsigned shownRevision_ = 0;
    QPushButton* cancel_ = nullptr;
    QMenu* recent_ = nullptr;
    std::vector<std::string> recentFiles_;

    std::unordered_map<Command, QAction*> actions_;
    QMenu* contextMenu_ = nullptr;
    QSlider* slider_ = nullptr;
    QLineEdit* ratio_ = nullptr;
    QLabel* panes_[3] = {};
    QSplitter* splitter_ = nullptr;
    view::GroupPalette* palette_ = nullptr;
    view::Canvas* drawing_ = nullptr;
    view::SimulationPlayer* player_ = nullptr;
    view::CodePane* code_ = nullptr;
    std::unique_ptr<DialogCommands> dialogs_;
    QTimer pollTimer_;
    QTimer ratioTimer_;
};

}  // namespace pathloom::app
