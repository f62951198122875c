// The code pane: the program text with its line map. It shows the text in the fast view and
// opens it in an editor when the operator starts to change it by hand; what the pane holds,
// edited or not, is what is exported and downloaded.
#pragma once

#include <QStackedWidget>
#include <string>
#include <vector>

class QPlainTextEdit;

namespace pathloom::view {

class CodeView;

class CodePane : public QStackedWidget {
    Q_OBJECT
  public:
    explicit CodePane(QWidget* parent = nullptr);

    // Replaces text and line map together; an open editor is closed.
    void setProgram(std::string text, std::vector<int> lineMap);
    // The text as the pane holds it, lines ending in CR LF.
    std::string text() const;
    const std::vector<int>& lineMap() const { return lineMap_; }
    int lineCount() const;
    bool editing() const;

    // Lines first to last in red, scrolled so that `first` is the top line; only lines that
    // exist are coloured.
    void highlightLines(int first, int last);
    void clearHighlight();
    std::pair<int, int> highlightedLines() const;
    int topLine() const;
    // First and last line of the text selection; {-1, -1} when it is empty.
    std::pair<int, int> selectedLines() const;
    void selectLines(int first, int last);

    void copy();
    void cut();
    void paste();
    void undo();

    CodeView* view() const { return view_; }
    QPlainTextEdit* editor() const { return editor_; }

  signals:
    void selectionChanged();

  private:
    // Opens the text in the editor and replays `event` there, when given.
    void openEditor(QKeyEvent* event);

    CodeView* view_;
    QPlainTextEdit* editor_ = nullptr;
    std::vector<int> lineMap_;
    int highlightFirst_ = -1;
    int highlightLast_ = -1;
};

}  // namespace pathloom::view
