#include "DisplayText.h"

#include <QByteArray>
#include <QStringDecoder>

namespace quorex::chart {

namespace {

QString Decode(std::string_view bytes)
{
    const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(view);
    if (!utf8.hasError())
        return text;
    for (const char* name : {"windows-31j", "Shift_JIS"}) {
        QStringDecoder legacy(name);
        if (legacy.isValid())
            return legacy.decode(view);
    }
    return QString::fromLatin1(view);
}

} // namespace

QString DisplayText(std::string_view bytes)
{
    const QString decoded = Decode(bytes.substr(0, bytes.find('\0')));
    QString text;
    text.reserve(decoded.size());
    bool blank = false;
    for (const QChar c : decoded) {
        if (c.isSpace() || c.category() == QChar::Other_Control) {
            blank = true;
            continue;
        }
        if (blank && !text.isEmpty())
            text += QLatin1Char(' ');
        blank = false;
        text += c;
    }
    return text;
}

} // namespace quorex::chart
