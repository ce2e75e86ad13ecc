#pragma once

#include <QStaticText>
#include <QString>

class QFont;

namespace quorex::chart {

// Laid-out texts every chart of a catalog repeats (legend names, scale labels, dates), kept
// per thread for the font last asked about: drawText lays each text out afresh, and that was
// most of what a thumbnail's texts cost.
class StaticTextCache {
public:
    static QStaticText TextOf(const QFont& font, const QString& text);

    // Texts kept before the cache starts afresh.
    static constexpr int kMaxTexts = 512;
};

} // namespace quorex::chart
