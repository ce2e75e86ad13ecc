#include "CacheTestFonts.h"
#include "StaticTextCache.h"

#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

using quorex::chart::StaticTextCache;

// A text as charts place it, by the top of its line: drawn by drawText, or from the cache.
QImage Drawn(const QFont& font, const QString& text, bool cached)
{
    QImage image(160, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setFont(font);
    painter.setPen(QColor(200, 40, 20));
    const int left = 3, top = 5;
    const int ascent = QFontMetrics(font).ascent();
    if (cached) {
        painter.drawStaticText(QPointF(left, top + ascent - QFontMetricsF(font).ascent()),
                               StaticTextCache::TextOf(font, text));
    } else {
        painter.drawText(left, top + ascent, text);
    }
    return image;
}

// The same pixels as drawText, for each font asked about in turn, kept or laid out afresh.
TEST(StaticTextCache, DrawsWhatDrawTextDraws)
{
    const CacheTestFonts fonts;
    const QString texts[] = {"MA5", "BB20,2", QString::fromUtf8("一目9,26,52"), "2,100",
                             "-50", "2025/02", "", "MACD12,26,9"};
    for (int round = 0; round < 2; ++round) {
        for (const QFont* font : fonts.InTurn()) {
            for (const QString& text : texts)
                EXPECT_EQ(Drawn(*font, text, true), Drawn(*font, text, false))
                    << text.toStdString() << " " << font->pixelSize() << " round " << round;
        }
    }
}

TEST(StaticTextCache, StaysRightPastItsSize)
{
    QFont font;
    font.setPixelSize(11);
    for (int i = 0; i < 3 * StaticTextCache::kMaxTexts; i += 5) {
        const QString text = QString::number(i * 37);
        ASSERT_EQ(StaticTextCache::TextOf(font, text).text(), text) << i;
    }
    EXPECT_EQ(Drawn(font, "1,234", true), Drawn(font, "1,234", false));
}

} // namespace
