#include "StaticTextCache.h"

#include "FontTextCache.h"

#include <QTransform>

namespace quorex::chart {

QStaticText StaticTextCache::TextOf(const QFont& font, const QString& text)
{
    thread_local FontTextCache<QStaticText, kMaxTexts> kept;
    return kept.Get(font, text, [&] {
        QStaticText laidOut(text);
        laidOut.setTextFormat(Qt::PlainText);
        laidOut.prepare(QTransform(), font);
        return laidOut;
    });
}

} // namespace quorex::chart
