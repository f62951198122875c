// A read-only view over a program's bytes: it keeps the text as it is plus one offset per line
// and lays out only the lines on screen, so a program of a million lines shows at once. It
// selects, highlights a line range, scrolls to a line and copies.
#pragma once

#include <QAbstractScrollArea>
#include <string>
#include <vector>

namespace pathloom::view {

struct TextPosition {
    int line = 0;
    int column = 0;  // in UTF-16 units of the line's text
    auto operator<=>(const TextPosition&) const = default;
};

class CodeView : public QAbstractScrollArea {
    Q_OBJECT
  public:
    explicit CodeView(QWidget* parent = nullptr);

    void setText(std::string text);
    const std::string& text() const { return text_; }
    int lineCount() const { return static_cast<int>(starts_.size()); }
    // A line without its line end.
    QString lineText(int line) const;

    // Colours lines first to last (0-based, clamped to the lines that exist) red; a range that
    // lies wholly beyond the text colours nothing.
    void setHighlight(int first, int last);
    void clearHighlight() { setHighlight(-1, -1); }
    std::pair<int, int> highlight() const { return {highlightFirst_, highlightLast_}; }
    void scrollToLine(int line);
    int topLine() const;

    void setSelection(TextPosition anchor, TextPosition cursor);
    void selectAll();
    bool hasSelection() const { return anchor_ != cursor_; }
    QString selectedText() const;
    // First and last line of the selection; {-1, -1} when nothing is selected.
    std::pair<int, int> selectedLines() const;
    TextPosition cursorPosition() const { return cursor_; }
    void copy() const;

  signals:
    void selectionChanged();
    // The operator started to edit at the cursor with `event`, to be replayed in an editor.
    void editRequested(QKeyEvent* event);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void updateScrollBars();
    TextPosition positionAt(QPoint point) const;
    int lineHeight() const;
    int xOfColumn(const QString& line, int column) const;

    std::string text_;
    std::vector<size_t> starts_;  // byte offset of each line
    int widestLine_ = 0;          // in bytes, for the horizontal extent
    int highlightFirst_ = -1;
    int highlightLast_ = -1;
    TextPosition anchor_;
    TextPosition cursor_;
    bool selecting_ = false;
};

}  // namespace pathloom::view
