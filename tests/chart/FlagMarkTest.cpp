// The flag mark: the flag's colour in the cell's bottom-right corner, nothing elsewhere.
#include "chart/FlagMark.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace mosgrid;

namespace {

constexpr QRgb kPicture = 0xff204060;

QImage Marked(const QRect& cell, FlagColor color)
{
    QImage image(120, 80, QImage::Format_RGB32);
    image.fill(kPicture);
    QPainter painter(&image);
    PaintFlagMark(painter, cell, color);
    return image;
}

TEST(FlagMark, EveryColourInTheCornerOnly)
{
    const QRect cell(10, 5, 100, 70);
    for (int number = 0; number <= kFlagColorCount; ++number) {
        const auto color = static_cast<FlagColor>(number);
        const QImage image = Marked(cell, color);
        const QRgb corner = color == FlagColor::None ? kPicture : FlagRgb(color);
        EXPECT_EQ(image.pixel(cell.right(), cell.bottom()), corner) << number;
        EXPECT_EQ(image.pixel(cell.right() - 2, cell.bottom() - 2), corner) << number;
        // Outside the triangle and outside the cell: the picture.
        const QPoint untouched[] = {
            {cell.right() - kFlagMarkSize - 1, cell.bottom()},
            {cell.right(), cell.bottom() - kFlagMarkSize - 1},
            {cell.right() - kFlagMarkSize + 2, cell.bottom() - kFlagMarkSize + 2},
            {cell.right() + 1, cell.bottom()},
            {cell.right(), cell.bottom() + 1},
            cell.topLeft(),
        };
        for (const QPoint& at : untouched)
            EXPECT_EQ(image.pixel(at), kPicture) << number << " at " << at.x() << ',' << at.y();
    }
    // The colours tell apart.
    for (int a = 1; a <= kFlagColorCount; ++a) {
        for (int b = a + 1; b <= kFlagColorCount; ++b)
            EXPECT_NE(FlagRgb(FlagColor(a)), FlagRgb(FlagColor(b)));
    }
}

TEST(FlagMark, SmallCellsGetASmallerMark)
{
    const struct {
        QSize cell;
        int side;
    } rows[] = {{{300, 180}, kFlagMarkSize}, {{40, 30}, 7}, {{3, 3}, 1}};
    for (const auto& row : rows) {
        const QPolygon shape = FlagMarkShape(QRect(QPoint(0, 0), row.cell));
        EXPECT_EQ(shape.boundingRect().width() - 1, row.side) << row.cell.width();
        EXPECT_EQ(shape.boundingRect().height() - 1, row.side) << row.cell.width();
    }
}

} // namespace
