#include "ChartRenderer.h"
#include "ChartTestSeries.h"
#include "DenseLine.h"

#include <QImage>
#include <QPainter>
#include <QPicture>

#include <gtest/gtest.h>

#include <cmath>

namespace {

using quorex::chart::ChartDefinition;
using quorex::chart::DrawDenseLine;
using quorex::chart::ParseDefinition;
using quorex::chart::ParseParams;

// A chart drawn on a plain image, and again with a clip (which turns the column-by-column
// drawing off and strokes every line).
std::pair<QImage, QImage> DrawnBothWays(int bars, QSize size, const std::string& params)
{
    const std::vector<quorex::PriceBar> series = RandomWalk(bars, 11, 20050103);
    std::vector<ChartDefinition> charts;
    for (const char* text : {"Daily; MA=25,75; BB=20,2; DispMaxMin=1", "Volume", "RSI=14",
                             "MACD"})
        charts.push_back(*ParseDefinition(text));
    std::pair<QImage, QImage> images{QImage(size, QImage::Format_RGB32),
                                     QImage(size, QImage::Format_RGB32)};
    for (QImage* image : {&images.first, &images.second}) {
        QPainter painter(image);
        if (image == &images.second)
            painter.setClipRect(image->rect());
        quorex::chart::RenderChart(painter, image->rect(),
                                   {series, charts, ParseParams(params), {}});
    }
    return images;
}

TEST(DenseLine, AFullHistoryLooksAsStrokedAndThumbnailsStayTheSame)
{
    struct Case {
        const char* name;
        int bars;
        QSize size;
        const char* params;
        double seen;     // the share of pixels allowed to differ visibly
        bool byColumns;  // whether some line is drawn column by column
    } const cases[] = {
        // Thin indicator lines on a plain image take the direct raster, which the clip turns
        // off as well: within a few levels of the stroke, never visibly apart.
        {"a thumbnail", 200, {300, 180}, "DispNum=60", 0, false},
        {"full history", 5000, {1600, 900}, "DispNum=5000; ShowScrollBar=0", 0.0002, true},
        {"two bars a column", 3000, {1600, 900}, "DispNum=3000; ShowScrollBar=0", 0.0002, true},
        {"short: a thin pen", 5000, {1600, 300}, "DispNum=5000; ShowScrollBar=0", 0.0002, true},
    };
    for (const Case& c : cases) {
        const auto [dense, stroked] = DrawnBothWays(c.bars, c.size, c.params);
        int seen = 0;
        for (int y = 0; y < c.size.height(); ++y) {
            for (int x = 0; x < c.size.width(); ++x) {
                const QRgb p = dense.pixel(x, y), q = stroked.pixel(x, y);
                const int most = std::max({std::abs(qRed(p) - qRed(q)),
                                           std::abs(qGreen(p) - qGreen(q)),
                                           std::abs(qBlue(p) - qBlue(q))});
                seen += most > 128 ? 1 : 0;
            }
        }
        const double pixels = double(c.size.width()) * c.size.height();
        EXPECT_LE(seen, c.seen * pixels) << c.name << ": " << seen;
        if (c.byColumns) {
            EXPECT_NE(dense, stroked) << c.name << ": no line was drawn by columns";
        }
    }
}

// Points `step` pixels apart at pixel centres, as the chart places bars.
QPolygonF Zigzag(int points, double step)
{
    QPolygonF line;
    for (int i = 0; i < points; ++i)
        line.append(QPointF(std::floor(4 + i * step) + 0.5, 40.5 + (i * 37 % 23) - i % 2 * 9));
    return line;
}

TEST(DenseLine, LeavesOtherLinesToTheStroke)
{
    struct Case {
        const char* name;
        QPolygonF line;
        Qt::PenStyle style;
        bool smooth;
        bool dense;
    } const cases[] = {
        {"three a column", Zigzag(450, 0.33), Qt::SolidLine, true, true},
        {"a thumbnail's 60 bars in 300 px", Zigzag(60, 5), Qt::SolidLine, true, false},
        {"one point a column", Zigzag(150, 1), Qt::SolidLine, true, false},
        {"two points", Zigzag(2, 0.2), Qt::SolidLine, true, false},
        {"dashed", Zigzag(450, 0.33), Qt::DashLine, true, false},
        {"sharp", Zigzag(450, 0.33), Qt::SolidLine, false, false},
    };
    for (const Case& c : cases) {
        QImage image(160, 80, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, c.smooth);
        painter.setPen(QPen(Qt::blue, 1.5, c.style, Qt::RoundCap, Qt::RoundJoin));
        EXPECT_EQ(DrawDenseLine(painter, c.line), c.dense) << c.name;
    }
    // Vectors (a PDF, a printer) get the stroked line.
    QPicture picture;
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::blue, 1.5));
    EXPECT_FALSE(DrawDenseLine(painter, Zigzag(450, 0.33)));
}

} // namespace
