#include "TextWidthCache.h"

#include "FontTextCache.h"

#include <QFontMetrics>

namespace quorex::chart {

int TextWidthCache::WidthOf(const QFont& font, const QFontMetrics& metrics, const QString& text)
{
    thread_local FontTextCache<int, kMaxTexts> kept;
    return kept.Get(font, text, [&] { return metrics.horizontalAdvance(text); });
}

} // namespace quorex::chart
