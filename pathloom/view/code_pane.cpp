// The code pane: the fast view, the editor opened on demand, and the highlight in either.
#include "view/code_pane.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <algorithm>

#include "view/code_view.h"

namespace pathloom::view {

CodePane::CodePane(QWidget* parent) : QStackedWidget(parent), view_(new CodeView(this)) {
    setObjectName(QStringLiteral("codePane"));
    view_->setObjectName(QStringLiteral("codeView"));
    addWidget(view_);
    connect(view_, &CodeView::selectionChanged, this, &CodePane::selectionChanged);
    connect(view_, &CodeView::editRequested, this, &CodePane::openEditor);
}

void CodePane::setProgram(std::string text, std::vector<int> lineMap) {
    if (editor_) {
        setCurrentWidget(view_);
        removeWidget(editor_);
        editor_->deleteLater();
        editor_ = nullptr;
    }
    lineMap_ = std::move(lineMap);
    highlightFirst_ = highlightLast_ = -1;
    view_->setText(std::move(text));
}

bool CodePane::editing() const {
    return editor_ != nullptr;
}

std::string CodePane::text() const {
    if (!editor_) return view_->text();
    QString plain = editor_->toPlainText();
    plain.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return plain.toStdString();
}

int CodePane::lineCount() const {
    return editor_ ? editor_->blockCount() : view_->lineCount();
}

void CodePane::openEditor(QKeyEvent* event) {
    editor_ = new QPlainTextEdit(this);
    editor_->setObjectName(QStringLiteral("codeEditor"));
    editor_->setFont(view_->font());
    editor_->setLineWrapMode(QPlainTextEdit::NoWrap);
    editor_->setPlainText(QString::fromStdString(view_->text()));
    const TextPosition at = view_->cursorPosition();
    QTextCursor cursor(editor_->document()->findBlockByNumber(at.line));
    cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, at.column);
    editor_->setTextCursor(cursor);
    connect(editor_, &QPlainTextEdit::selectionChanged, this, &CodePane::selectionChanged);
    addWidget(editor_);
    setCurrentWidget(editor_);
    editor_->setFocus();
    if (highlightFirst_ >= 0) highlightLines(highlightFirst_, highlightLast_);
    if (!event) return;
    QKeyEvent replay(event->type(), event->key(), event->modifiers(), event->text());
    QCoreApplication::sendEvent(editor_, &replay);
}

void CodePane::highlightLines(int first, int last) {
    if (first < 0 || last < first || first >= lineCount()) return clearHighlight();
    last = std::min(last, lineCount() - 1);
    highlightFirst_ = first;
    highlightLast_ = last;
    if (!editor_) {
        view_->setHighlight(first, last);
        view_->scrollToLine(first);
        return;
    }
    QTextEdit::ExtraSelection red;
    red.format.setForeground(QColor(255, 0, 0));
    red.cursor = QTextCursor(editor_->document()->findBlockByNumber(first));
    red.cursor.setPosition(editor_->document()->findBlockByNumber(last).position() +
                               editor_->document()->findBlockByNumber(last).length() - 1,
                           QTextCursor::KeepAnchor);
    editor_->setExtraSelections({red});
    // Scroll the first line to the top: to the end first, then back to the line.
    editor_->moveCursor(QTextCursor::End);
    editor_->setTextCursor(QTextCursor(editor_->document()->findBlockByNumber(first)));
}

void CodePane::clearHighlight() {
    highlightFirst_ = highlightLast_ = -1;
    view_->clearHighlight();
    if (editor_) editor_->setExtraSelections({});
}

std::pair<int, int> CodePane::highlightedLines() const {
    return {highlightFirst_, highlightLast_};
}

int CodePane::topLine() const {
    if (!editor_) return view_->topLine();
    return editor_->cursorForPosition(QPoint(0, 0)).blockNumber();
}

std::pair<int, int> CodePane::selectedLines() const {
    if (!editor_) return view_->selectedLines();
    const QTextCursor cursor = editor_->textCursor();
    if (!cursor.hasSelection()) return {-1, -1};
    const QTextDocument* document = editor_->document();
    return {document->findBlock(cursor.selectionStart()).blockNumber(),
            document->findBlock(cursor.selectionEnd()).blockNumber()};
}

void CodePane::selectLines(int first, int last) {
    if (!editor_) {
        view_->setSelection({first, 0}, {last, static_cast<int>(view_->lineText(last).size())});
        return;
    }
    QTextCursor cursor(editor_->document()->findBlockByNumber(first));
    const QTextBlock end = editor_->document()->findBlockByNumber(last);
    cursor.setPosition(end.position() + end.length() - 1, QTextCursor::KeepAnchor);
    editor_->setTextCursor(cursor);
}

void CodePane::copy() {
    if (editor_)
        editor_->copy();
    else
        view_->copy();
}

void CodePane::cut() {
    if (!editor_) openEditor(nullptr);
    editor_->cut();
}

void CodePane::paste() {
    if (!editor_) openEditor(nullptr);
    editor_->paste();
}

void CodePane::undo() {
    if (editor_) editor_->undo();
}

}  // namespace pathloom::view
