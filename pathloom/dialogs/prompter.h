// Everything the program asks or tells the operator in a window of its own: message boxes, the
// file dialogs, the connect dialog and opening the manual. Tests hand in their own prompter, so
// no command ever waits for a click.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QDialog;
class QWidget;

namespace pathloom {
class ControllerSession;
}

namespace pathloom::dialogs {

class Prompter {
  public:
    virtual ~Prompter() = default;
    virtual void message(QWidget* parent, const QString& text) = 0;
    // A message about something that went wrong (a warning icon); an information box unless a
    // prompter shows warnings its own way.
    virtual void warning(QWidget* parent, const QString& text) { message(parent, text); }
    virtual void about(QWidget* parent, const QString& title, const QString& text) = 0;
    // The file to import; empty when cancelled. `filters` as for QFileDialog.
    virtual QString openFile(QWidget* parent, const QString& title, const QString& filters) = 0;
    // The file to export to; empty when cancelled. `selectedFilter` picks the proposed filter.
    virtual QString saveFile(QWidget* parent, const QString& title, const QString& proposedPath,
                             const QString& filters, const QString& selectedFilter) = 0;
    // The address chosen in the connect dialog; nothing when cancelled.
    virtual std::optional<QString> connectAddress(QWidget* parent,
                                                  const ControllerSession& session) = 0;
    // Opens a document with the desktop's program for it.
    virtual void openDocument(const QString& path) = 0;
    // The page (from 1) of a drawing of `pageCount` pages to import; 0 when cancelled. The
    // first page unless a prompter asks.
    virtual int choosePage(QWidget* /*parent*/, int /*pageCount*/) { return 1; }
    // What becomes of edits not yet exported, before work that would drop them.
    enum class Unsaved { Export, Discard, Cancel };
    virtual Unsaved askUnsaved(QWidget* parent, const QString& text) = 0;
    // Runs a modal dialog of the program; true when it was accepted. Tests fill and accept the
    // dialog here instead of waiting for a click.
    virtual bool runDialog(QDialog& dialog);
};

// The real dialogs.
class DialogPrompter final : public Prompter {
  public:
    void message(QWidget* parent, const QString& text) override;
    void warning(QWidget* parent, const QString& text) override;
    void about(QWidget* parent, const QString& title, const QString& text) override;
    QString openFile(QWidget* parent, const QString& title, const QString& filters) override;
    QString saveFile(QWidget* parent, const QString& title, const QString& proposedPath,
                     const QString& filters, const QString& selectedFilter) override;
    std::optional<QString> connectAddress(QWidget* parent,
                                          const ControllerSession& session) override;
    void openDocument(const QString& path) override;
    int choosePage(QWidget* parent, int pageCount) override;
    Unsaved askUnsaved(QWidget* parent, const QString& text) override;
};

}  // namespace pathloom::dialogs
