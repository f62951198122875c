// Support of the desktop program's tests: a prompter that answers from a script and records what
// the program said, a private folder, and a window built with them.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/commands.h"
#include "app/language.h"
#include "app/main_window.h"
#include "dialogs/prompter.h"

namespace pathloom::app {

// Failure messages name a command by its number.
inline std::ostream& operator<<(std::ostream& out, Command command) {
    return out << commandNumber(command);
}

}  // namespace pathloom::app

namespace pathloom::app::testing {

class ScriptedPrompter final : public dialogs::Prompter {
  public:
    void message(QWidget*, const QString& text) override { messages << text; }
    void warning(QWidget*, const QString& text) override {
        warnings << text;
        if (onWarning) onWarning();
    }
    void about(QWidget*, const QString& title, const QString&) override { abouts << title; }
    QString openFile(QWidget*, const QString&, const QString& filters) override {
        openFilters = filters;
        return openAnswer;
    }
    QString saveFile(QWidget*, const QString&, const QString& proposed, const QString& filters,
                     const QString& selected) override {
        proposedPath = proposed;
        saveFilters = filters;
        selectedFilter = selected;
        return saveAnswer;
    }
    std::optional<QString> connectAddress(QWidget*, const ControllerSession&) override {
        return connectAnswer;
    }
    void openDocument(const QString& path) override { opened << path; }
    int choosePage(QWidget*, int pageCount) override {
        pageCounts << pageCount;
        return pageAnswer;
    }
    Unsaved askUnsaved(QWidget*, const QString& text) override {
        unsavedQuestions << text;
        return unsavedAnswer;
    }
    // Dialogs are filled by `fill` (which accepts or rejects them) instead of waiting for a click;
    // without it they run for real, for tests that drive them with keys.
    bool runDialog(QDialog& dialog) override {
        dialogTitles << dialog.windowTitle();
        if (!fill) return dialogs::Prompter::runDialog(dialog);
        fill(dialog);
        return dialog.result() == QDialog::Accepted;
    }

    std::function<void(QDialog&)> fill;
    std::function<void()> onWarning;  // runs while a warning would be on the screen
    QStringList messages, warnings, abouts, opened, dialogTitles;
    QString openAnswer, saveAnswer, openFilters, proposedPath, saveFilters, selectedFilter;
    std::optional<QString> connectAnswer;
    QList<int> pageCounts;  // the page counts the window asked a page of
    int pageAnswer = 1;
    QStringList unsavedQuestions;
    Unsaved unsavedAnswer = Unsaved::Discard;
};

// A temporary folder removed with everything in it.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);
std::string exampleDrawing();

// A window with its settings in `settingsFile` and the scripted prompter.
std::unique_ptr<MainWindow> makeWindow(ScriptedPrompter& prompter, const std::string& settingsFile,
                                       double dotsPerInch = 96);

// Lets the automatic optimisation of the last import finish (the event loop runs meanwhile).
void waitForOptimisation(MainWindow& window);
// Opens a drawing as the import command does and waits for its optimisation.
void openAndWait(MainWindow& window, const std::string& path);
// Imports the example drawing through the Import command and waits for its optimisation.
void importExample(MainWindow& window, ScriptedPrompter& prompter);
// A window whose settings file connects it to the controller at `address` when it starts.
std::unique_ptr<MainWindow> autoConnectedWindow(ScriptedPrompter& prompter,
                                                const std::string& settingsFile,
                                                const std::string& address);

// The code pane's text.
std::string paneText(const MainWindow& window);

}  // namespace pathloom::app::testing
