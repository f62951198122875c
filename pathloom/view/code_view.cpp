// The program view: line index, painting of the visible lines, selection and highlight.
#include "view/code_view.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cstring>

namespace pathloom::view {
namespace {

constexpr int kMargin = 4;

}  // namespace

CodeView::CodeView(QWidget* parent) : QAbstractScrollArea(parent) {
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    setFocusPolicy(Qt::StrongFocus);
    setText({});
}

void CodeView::setText(std::string text) {
    text_ = std::move(text);
    starts_.clear();
    widestLine_ = 0;
    const char* begin = text_.data();
    const char* end = begin + text_.size();
    for (const char* line = begin; line < end;) {
        starts_.push_back(static_cast<size_t>(line - begin));
        const void* found = std::memchr(line, '\n', static_cast<size_t>(end - line));
        const char* next = found ? static_cast<const char*>(found) + 1 : end;
        widestLine_ = std::max(widestLine_, static_cast<int>(next - line));
        line = next;
    }
    highlightFirst_ = highlightLast_ = -1;
    anchor_ = cursor_ = {};
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    updateScrollBars();
    viewport()->update();
}

QString CodeView::lineText(int line) const {
    if (line < 0 || line >= lineCount()) return {};
    const size_t begin = starts_[static_cast<size_t>(line)];
    size_t end = line + 1 < lineCount() ? starts_[static_cast<size_t>(line) + 1] : text_.size();
    while (end > begin && (text_[end - 1] == '\n' || text_[end - 1] == '\r'))
        --end;
    return QString::fromUtf8(text_.data() + begin, static_cast<qsizetype>(end - begin));
}

int CodeView::lineHeight() const {
    return fontMetrics().height();
}

void CodeView::updateScrollBars() {
    const int visible = std::max(1, viewport()->height() / lineHeight());
    verticalScrollBar()->setRange(0, std::max(0, lineCount() - visible));
    verticalScrollBar()->setPageStep(visible);
    const int width = widestLine_ * fontMetrics().horizontalAdvance(QLatin1Char('0')) + 2 * kMargin;
    horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
}

void CodeView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

int CodeView::topLine() const {
    return verticalScrollBar()->value();
}

void CodeView::scrollToLine(int line) {
    verticalScrollBar()->setValue(std::clamp(line, 0, std::max(0, lineCount() - 1)));
    viewport()->update();
}

void CodeView::setHighlight(int first, int last) {
    if (first < 0 || last < first || first >= lineCount()) {
        first = last = -1;
    } else {
        last = std::min(last, lineCount() - 1);
    }
    highlightFirst_ = first;
    highlightLast_ = last;
    viewport()->update();
}

int CodeView::xOfColumn(const QString& line, int column) const {
    return kMargin - horizontalScrollBar()->value() +
           fontMetrics().horizontalAdvance(line.left(column));
}

void CodeView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const int height = lineHeight();
    const int ascent = fontMetrics().ascent();
    const TextPosition from = std::min(anchor_, cursor_);
    const TextPosition to = std::max(anchor_, cursor_);
    const QPalette& colours = palette();
    for (int row = 0, line = topLine(); line < lineCount() && row * height < viewport()->height();
         ++row, ++line) {
        const QString shown = lineText(line);
        const int y = row * height;
        if (hasSelection() && line >= from.line && line <= to.line) {
            const int left =
                line == from.line ? xOfColumn(shown, from.column) : xOfColumn(shown, 0);
            const int right = line == to.line
                                  ? xOfColumn(shown, to.column)
                                  : xOfColumn(shown, static_cast<int>(shown.size())) +
                                        fontMetrics().horizontalAdvance(QLatin1Char(' '));
            painter.fillRect(QRect(left, y, right - left, height), colours.highlight());
        }
        const bool red = line >= highlightFirst_ && line <= highlightLast_;
        painter.setPen(red ? QColor(255, 0, 0) : colours.color(QPalette::Text));
        painter.drawText(xOfColumn(shown, 0), y + ascent, shown);
    }
}

TextPosition CodeView::positionAt(QPoint point) const {
    if (lineCount() == 0) return {};
    const int line = std::clamp(topLine() + point.y() / lineHeight(), 0, lineCount() - 1);
    const QString shown = lineText(line);
    int column = 0;
    while (column < shown.size() &&
           xOfColumn(shown, column + 1) - fontMetrics().horizontalAdvance(shown.at(column)) / 2 <=
               point.x())
        ++column;
    return {line, column};
}

void CodeView::setSelection(TextPosition anchor, TextPosition cursor) {
    if (anchor == anchor_ && cursor == cursor_) return;
    anchor_ = anchor;
    cursor_ = cursor;
    viewport()->update();
    emit selectionChanged();
}

void CodeView::selectAll() {
    if (lineCount() == 0) return;
    setSelection({0, 0}, {lineCount() - 1, static_cast<int>(lineText(lineCount() - 1).size())});
}

std::pair<int, int> CodeView::selectedLines() const {
    if (!hasSelection()) return {-1, -1};
    return {std::min(anchor_, cursor_).line, std::max(anchor_, cursor_).line};
}

QString CodeView::selectedText() const {
    if (!hasSelection()) return {};
    const TextPosition from = std::min(anchor_, cursor_);
    const TextPosition to = std::max(anchor_, cursor_);
    QString out;
    for (int line = from.line; line <= to.line; ++line) {
        const QString shown = lineText(line);
        const int begin = line == from.line ? from.column : 0;
        const int end = line == to.line ? to.column : static_cast<int>(shown.size());
        out += shown.mid(begin, end - begin);
        if (line != to.line) out += QStringLiteral("\r\n");
    }
    return out;
}

void CodeView::copy() const {
    if (hasSelection()) QApplication::clipboard()->setText(selectedText());
}

void CodeView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const TextPosition at = positionAt(event->pos());
    selecting_ = true;
    setSelection((event->modifiers() & Qt::ShiftModifier) ? anchor_ : at, at);
}

void CodeView::mouseMoveEvent(QMouseEvent* event) {
    if (selecting_) setSelection(anchor_, positionAt(event->pos()));
}

void CodeView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) selecting_ = false;
}

void CodeView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::SelectAll)) return selectAll();
    if (event->matches(QKeySequence::Copy)) return copy();
    const bool typing = !event->text().isEmpty() && event->text().at(0).isPrint() &&
                        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    const bool editing = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
                         event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete ||
                         event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut);
    if (typing || editing) {
        emit editRequested(event);
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

}  // namespace pathloom::view
