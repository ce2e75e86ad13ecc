#include "StaticTextCache.h"

#include <QFont>
#include <QHash>
#include <QTransform>

#include <optional>

namespace quorex::chart {

QStaticText StaticTextCache::TextOf(const QFont& font, const QString& text)
{
    struct Kept {
        std::optional<QFont> font;
        QHash<QString, QStaticText> texts;
    };
    thread_local Kept kept;
    if (!kept.font || *kept.font != font || kept.texts.size() >= kMaxTexts) {
        kept.font = font;
        kept.texts.clear();
    }
    if (const auto found = kept.texts.constFind(text); found != kept.texts.cend())
        return *found;
    QStaticText laidOut(text);
    laidOut.setTextFormat(Qt::PlainText);
    laidOut.prepare(QTransform(), font);
    kept.texts.insert(text, laidOut);
    return laidOut;
}

} // namespace quorex::chart
