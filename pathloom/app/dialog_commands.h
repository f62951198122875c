// The commands of the main frame that open a dialog: the optimisation dialogs with their values
// remembered for the run, the transform and value dialogs on the selection, auto-optimise,
// process parameters, the program templates, the actions and the origin. Each ends with the
// common completion: a changed drawing is regenerated (when the code pane is shown) and
// repainted.
#pragma once

#include <QObject>
#include <memory>

#include "app/commands.h"
#include "core/dialogs/dialog_values.h"

namespace pathloom {
class Document;
class StatusSink;
struct Settings;
}  // namespace pathloom

namespace pathloom::dialogs {
class ActionManager;
class OriginDialog;
class Prompter;
}  // namespace pathloom::dialogs

namespace pathloom::app {

class MainWindow;

class DialogCommands : public QObject {
    Q_OBJECT
  public:
    // Binds the dialog commands of the window and creates the hidden action manager. The dialogs
    // run through `prompter`, edit `document` and `settings` and report to `sink`.
    DialogCommands(MainWindow& window, dialogs::Prompter& prompter, Document& document,
                   Settings& settings, StatusSink& sink);
    ~DialogCommands() override;

    const DialogMemory& memory() const { return memory_; }
    dialogs::ActionManager& actionManager() const { return *manager_; }
    // The origin dialog once it was opened; null before.
    dialogs::OriginDialog* originDialog() const { return origin_; }

  private:
    void bind(Command id, void (DialogCommands::*handler)());
    void finish(Outcome outcome);
    // finish, and the view fitted to the drawing again when it moved.
    void finishMovedDrawing(Outcome outcome);

    void removeTiny();
    void merge();
    void curvePrecision();
    void optimizeTravel();
    void speed();
    void order();
    void scale();
    void heights();
    void translate();
    void moveStart();
    void rotate();
    void mirror();
    void autoOptimize();
    void process();
    void programTemplates();
    void toggleActionManager();
    void modifyActions();
    void deleteActions();
    void showOrigin();

    MainWindow& window_;
    dialogs::Prompter& prompter_;
    Document& document_;
    Settings& settings_;
    StatusSink& sink_;
    DialogMemory memory_;
    dialogs::ActionManager* manager_ = nullptr;
    dialogs::OriginDialog* origin_ = nullptr;
};

}  // namespace pathloom::app
