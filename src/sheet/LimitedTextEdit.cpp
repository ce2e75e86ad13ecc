#include "sheet/LimitedTextEdit.h"

#include <QTextCursor>

LimitedTextEdit::LimitedTextEdit(QWidget* parent)
    : QPlainTextEdit(parent)
{
}

void LimitedTextEdit::keyPressEvent(QKeyEvent* event)
{
    QPlainTextEdit::keyPressEvent(event);
    CutExcessBeforeCursor();
}

void LimitedTextEdit::inputMethodEvent(QInputMethodEvent* event)
{
    QPlainTextEdit::inputMethodEvent(event);
    CutExcessBeforeCursor();
}

void LimitedTextEdit::insertFromMimeData(const QMimeData* source)
{
    QPlainTextEdit::insertFromMimeData(source);
    CutExcessBeforeCursor();
}

void LimitedTextEdit::CutExcessBeforeCursor()
{
    // Counted after the insertion, so line breaks count as the document stores them. The
    // cursor stands right after what was just inserted, so the excess is taken from there.
    const int length = document()->characterCount() - 1;
    const int excess = length - m_maxLength;
    if (excess <= 0)
        return;
    QTextCursor cursor = textCursor();
    const int end = cursor.position();
    cursor.setPosition(qMax(0, end - excess));
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    setTextCursor(cursor);
}
