#pragma once

#include <QPlainTextEdit>

namespace mosgrid {

// A several-line edit that refuses text beyond a limit however it arrives (typing, paste,
// drop, input method), as QLineEdit::setMaxLength does for one line: what does not fit is
// cut off.
class LimitedTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit LimitedTextEdit(QWidget* parent = nullptr);

    void setMaxLength(int maxLength) { m_maxLength = maxLength; }
    int maxLength() const { return m_maxLength; }
    // The most UTF-8 bytes the text may take; the newest input beyond them is cut off too.
    void setMaxBytes(int maxBytes) { m_maxBytes = maxBytes; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    void CutExcessBeforeCursor();

    int m_maxLength = 32767;
    int m_maxBytes = -1;  // none
};

} // namespace mosgrid
