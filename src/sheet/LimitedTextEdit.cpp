#include "sheet/LimitedTextEdit.h"

#include "sheet/ByteLimit.h"

#include <QTextCursor>

#include <algorithm>

namespace mosgrid {

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
    int excess = length - m_maxLength;
    QTextCursor cursor = textCursor();
    if (m_maxBytes >= 0) {
        // The document keeps a line break as one unit, as the file keeps it as one blank.
        const qsizetype over =
            Utf8ExcessBefore(toPlainText(), cursor.position(), m_maxBytes);
        excess = std::max(excess, static_cast<int>(over));
    }
    if (excess <= 0)
        return;
    const int end = cursor.position();
    cursor.setPosition(qMax(0, end - excess));
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    setTextCursor(cursor);
}

} // namespace mosgrid
