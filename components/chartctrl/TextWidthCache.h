#pragma once

#include <QString>

class QFont;
class QFontMetrics;

namespace quorex::chart {

// Widths of texts every chart of a catalog repeats (legend names), kept per thread for
// the font last asked about: measuring shapes the text afresh each time, and a catalog
// would measure the same few names again for every security.
class TextWidthCache {
public:
    // `metrics` are those of `font`.
    static int WidthOf(const QFont& font, const QFontMetrics& metrics, const QString& text);

    // Texts kept before the cache starts afresh.
    static constexpr int kMaxTexts = 256;
};

} // namespace quorex::chart
