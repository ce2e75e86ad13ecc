#include "RectFill.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <vector>

namespace {

using quorex::chart::FillRects;

constexpr QSize kSize(40, 30);
const QColor kInk(30, 90, 200);

QImage Blank()
{
    QImage image(kSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// Written straight into the image, rectangles cut at its edges give QPainter's pixels:
// whole, cut on each side, wholly outside, empty, and given with negative sizes.
TEST(RectFill, WritesWhatPainterFills)
{
    const std::vector<std::pair<const char*, QRect>> cases = {
        {"inside", QRect(3, 4, 10, 6)},
        {"one pixel", QRect(0, 0, 1, 1)},
        {"cut left and top", QRect(-5, -3, 9, 8)},
        {"cut right and bottom", QRect(35, 25, 20, 20)},
        {"wider than the image", QRect(-10, 12, 100, 2)},
        {"left of the image", QRect(-20, 5, 10, 5)},
        {"right of the image", QRect(45, 5, 10, 5)},
        {"above the image", QRect(5, -20, 10, 5)},
        {"below the image", QRect(5, 31, 10, 5)},
        {"no width", QRect(5, 5, 0, 5)},
        {"no height", QRect(5, 5, 5, 0)},
        {"negative width", QRect(20, 5, -6, 4)},
        {"negative height", QRect(8, 20, 4, -7)},
    };
    for (const auto& [name, rect] : cases) {
        QImage direct = Blank();
        {
            QPainter painter(&direct);
            FillRects(painter, kInk, std::vector<QRect>{rect});
        }
        QImage painted = Blank();
        {
            QPainter painter(&painted);
            painter.setPen(Qt::NoPen);
            painter.setBrush(kInk);
            painter.drawRects(&rect, 1);
        }
        EXPECT_EQ(direct, painted) << name;
    }
}

} // namespace
