#include "TextWidthCache.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>

#include <optional>

namespace quorex::chart {

int TextWidthCache::WidthOf(const QFont& font, const QFontMetrics& metrics, const QString& text)
{
    struct Kept {
        std::optional<QFont> font;
        QHash<QString, int> widths;
    };
    thread_local Kept kept;
    if (!kept.font || *kept.font != font || kept.widths.size() >= kMaxTexts) {
        kept.font = font;
        kept.widths.clear();
    }
    if (const auto found = kept.widths.constFind(text); found != kept.widths.cend())
        return *found;
    const int width = metrics.horizontalAdvance(text);
    kept.widths.insert(text, width);
    return width;
}

} // namespace quorex::chart
