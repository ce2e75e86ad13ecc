#include "catalog/DisplayText.h"

#include "base/Cp932Text.h"

#include <QStringDecoder>

namespace mosgrid {

QString DisplayText(std::string_view bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QString text = utf8.decode(view);
    if (!utf8.hasError() || bytes.empty())
        return text;
    const std::string cp932 = Cp932ToUtf8(bytes);
    if (cp932.empty())
        return text; // no converter: the UTF-8 reading, invalid bytes replaced
    return QString::fromUtf8(cp932.data(), static_cast<qsizetype>(cp932.size()));
}

} // namespace mosgrid
