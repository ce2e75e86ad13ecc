#pragma once

#include <QStringView>
#include <QValidator>

namespace mosgrid {

// What a settings text box may hold: no more bytes than a read gives back (the text is
// written as UTF-8), so what is typed is what the next read sees.

// The bytes of text as UTF-8.
qsizetype Utf8Size(QStringView text);

// How many characters (UTF-16 units) to take out just before pos so that text's UTF-8 form
// holds at most maxBytes: the newest input goes, never half a character. At most pos.
qsizetype Utf8ExcessBefore(QStringView text, qsizetype pos, qsizetype maxBytes);

// For a one-line edit: input beyond maxBytes is cut off before the cursor, however it
// arrives (typing, paste, drop, input method), as setMaxLength does for characters.
class ByteLimitValidator : public QValidator {
    Q_OBJECT
public:
    ByteLimitValidator(qsizetype maxBytes, QObject* parent);

    State validate(QString& input, int& pos) const override;

    // A text that is taken as it is whatever its length: a stored value shown again (a
    // Shift-JIS value is written back as its own bytes, which were read whole).
    void SetStoredText(const QString& text) { m_stored = text; }

private:
    qsizetype m_maxBytes;
    QString m_stored;
};

} // namespace mosgrid
