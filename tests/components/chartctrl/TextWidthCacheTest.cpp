#include "CacheTestFonts.h"
#include "TextWidthCache.h"

#include <QFont>
#include <QFontMetrics>

#include <gtest/gtest.h>

namespace {

using quorex::chart::TextWidthCache;

// Kept widths are the font's own, whichever font was asked about before and however many
// texts came between.
TEST(TextWidthCache, GivesEachFontsOwnWidths)
{
    const CacheTestFonts fonts;
    const QString texts[] = {"MA5", "BB20,2", QString::fromUtf8("一目9,26,52"), "RSI14",
                             "", "MACD12,26,9"};
    for (int round = 0; round < 2; ++round) {
        for (const QFont* font : fonts.InTurn()) {
            const QFontMetrics metrics(*font);
            for (const QString& text : texts)
                EXPECT_EQ(TextWidthCache::WidthOf(*font, metrics, text),
                          metrics.horizontalAdvance(text))
                    << text.toStdString() << " " << font->pixelSize();
        }
    }
    EXPECT_NE(TextWidthCache::WidthOf(fonts.small, QFontMetrics(fonts.small), "MACD12,26,9"),
              TextWidthCache::WidthOf(fonts.large, QFontMetrics(fonts.large), "MACD12,26,9"));
}

TEST(TextWidthCache, StaysRightPastItsSize)
{
    QFont font;
    font.setPixelSize(11);
    const QFontMetrics metrics(font);
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 3 * TextWidthCache::kMaxTexts; i += 7) {
            const QString text = QString(i % 13 + 1, QLatin1Char('W')) + QString::number(i);
            ASSERT_EQ(TextWidthCache::WidthOf(font, metrics, text),
                      metrics.horizontalAdvance(text))
                << i;
        }
    }
}

} // namespace
