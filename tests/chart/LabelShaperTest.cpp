// Label texts shaped once: the advance and the pixels are those of QFontMetrics and
// QPainter::drawText, whatever the text.
#include "chart/LabelPainter.h"
#include "chart/LabelShaper.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace mosgrid;

namespace {

QImage Written(QImage image, const QString& text, bool shaped)
{
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setFont(LabelFont());
    painter.setPen(QColor(0xff, 0xee, 0x44));
    LabelShaper shaper(&image);
    const QPointF at(3, 2 + shaper.metrics().ascent());
    if (shaped) {
        shaper.Advance(text);
        shaper.Draw(painter, at, text);
    } else {
        painter.drawText(at, text);
    }
    return image;
}

TEST(LabelShaper, MeasuresAndWritesAsTheFontMetricsAndPainterDo)
{
    const QString texts[] = {
        QStringLiteral("Security 10001"),
        QStringLiteral("セブン&アイ・ホールディングス 3382 1,452.5 +1.25%"),
        QStringLiteral("AVA fi Tokyo ﾄﾖﾀ 7203"),
        QStringLiteral("trailing blanks   "),
        QStringLiteral("   leading"),
        QStringLiteral("\u05e9\u05dc\u05d5\u05dd 1306"),   // right to left, written left to right
        QStringLiteral("長い名前…"),
        QString(),
    };
    QImage screen(300, 24, QImage::Format_RGB32);
    QImage print(300, 24, QImage::Format_ARGB32_Premultiplied);
    print.setDotsPerMeterX(11811);   // 300 dpi
    print.setDotsPerMeterY(11811);
    for (const QImage& device : {screen, print}) {
        for (const QString& text : texts) {
            LabelShaper shaper(&device);
            EXPECT_EQ(shaper.Advance(text), shaper.metrics().horizontalAdvance(text)) << text.toStdString();
            EXPECT_TRUE(Written(device, text, true) == Written(device, text, false)) << text.toStdString();
        }
    }
}

} // namespace
