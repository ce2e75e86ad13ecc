#include "ChartRenderer.h"
#include "ChartTestSeries.h"
#include "DenseLine.h"

#include <QImage>
#include <QPainter>
#include <QPicture>

#include <gtest/gtest.h>

#include <cmath>

namespace {

using quorex::chart::DrawDenseLine;

constexpr int kWidth = 160;
constexpr int kHeight = 80;
const QColor kLine(20, 40, 230);
// Cover that differs more than this between two drawings is seen.
constexpr double kFar = 0.6;

// Points `step` pixels apart at pixel centres, as the chart places bars; `shape` gives
// each point's row.
QPolygonF Line(int points, double step, double (*shape)(int))
{
    QPolygonF line;
    for (int i = 0; i < points; ++i)
        line.append(QPointF(std::floor(4 + i * step) + 0.5, shape(i) + 0.5));
    return line;
}

double Zigzag(int i) { return 40 + (i * 37 % 23) - (i % 2) * 9; }
double Wave(int i) { return 40 + 25 * std::sin(i / 40.0); }
double Flat(int) { return 30; }
double Cliff(int i) { return i < 200 ? 10.0 : 70.0; }

struct Drawing {
    bool dense;
    QImage image;
};

Drawing Draw(const QPolygonF& line, bool dense, double width, bool smooth = true,
             Qt::PenStyle style = Qt::SolidLine)
{
    Drawing drawing{false, QImage(kWidth, kHeight, QImage::Format_RGB32)};
    drawing.image.fill(Qt::white);
    QPainter painter(&drawing.image);
    painter.setRenderHint(QPainter::Antialiasing, smooth);
    QPen pen(kLine, width, style, Qt::RoundCap, Qt::RoundJoin);
    pen.setCosmetic(true);
    painter.setPen(pen);
    drawing.dense = dense && DrawDenseLine(painter, line);
    if (!drawing.dense)
        painter.drawPolyline(line);
    return drawing;
}

// How much of a pixel the line covers, 0 to 1.
double Cover(const QImage& image, int x, int y)
{
    return (255.0 - qRed(image.pixel(x, y))) / (255 - kLine.red());
}

bool Covered(const QImage& image, int x, int y)
{
    return Cover(image, x, y) >= 0.5;
}

bool CoveredNear(const QImage& image, int x, int y)
{
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const int nx = x + dx, ny = y + dy;
            if (nx >= 0 && ny >= 0 && nx < kWidth && ny < kHeight && Covered(image, nx, ny))
                return true;
        }
    }
    return false;
}

struct Comparison {
    int covered = 0;     // by the stroked line
    int differing = 0;   // covered by one drawing and hardly touched by the other
    int stray = 0;       // covered by one with nothing of the other next to it
};

Comparison Compare(const QImage& dense, const QImage& stroked)
{
    Comparison result;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const bool a = Covered(dense, x, y), b = Covered(stroked, x, y);
            result.covered += b ? 1 : 0;
            result.differing +=
                std::abs(Cover(dense, x, y) - Cover(stroked, x, y)) > kFar ? 1 : 0;
            result.stray += (a && !CoveredNear(stroked, x, y))
                    || (b && !CoveredNear(dense, x, y))
                ? 1
                : 0;
        }
    }
    return result;
}

struct DenseCase {
    const char* name;
    int points;
    double step;
    double (*shape)(int);
    double width;
};

TEST(DenseLine, CoversThePixelsTheStrokedLineCovers)
{
    const DenseCase cases[] = {
        {"zigzag, 3 a column", 450, 0.33, Zigzag, 1.5},
        {"zigzag, thin", 450, 0.33, Zigzag, 1.0},
        {"wave, 5 a column", 700, 0.2, Wave, 1.5},
        {"wave, 1.2 a column", 180, 0.83, Wave, 1.5},
        {"flat", 600, 0.25, Flat, 1.5},
        {"cliff", 400, 0.37, Cliff, 1.5},
    };
    for (const DenseCase& c : cases) {
        const QPolygonF line = Line(c.points, c.step, c.shape);
        const Drawing dense = Draw(line, true, c.width);
        const Drawing stroked = Draw(line, false, c.width);
        ASSERT_TRUE(dense.dense) << c.name;
        const Comparison diff = Compare(dense.image, stroked.image);
        EXPECT_GT(diff.covered, 100) << c.name;
        EXPECT_EQ(diff.stray, 0) << c.name;
        // Only edge pixels near half cover may fall the other way.
        EXPECT_LE(diff.differing * 20, diff.covered) << c.name << ' ' << diff.differing;
    }
}

TEST(DenseLine, LeavesOtherLinesToTheStroke)
{
    struct Case {
        const char* name;
        QPolygonF line;
        Qt::PenStyle style;
        bool smooth;
    } const cases[] = {
        {"a thumbnail's 60 bars in 300 px", Line(60, 5, Wave), Qt::SolidLine, true},
        {"one point a column", Line(150, 1, Zigzag), Qt::SolidLine, true},
        {"two points", Line(2, 0.2, Flat), Qt::SolidLine, true},
        {"dashed", Line(450, 0.33, Zigzag), Qt::DashLine, true},
        {"sharp", Line(450, 0.33, Zigzag), Qt::SolidLine, false},
    };
    for (const Case& c : cases) {
        const Drawing drawing = Draw(c.line, true, 1.5, c.smooth, c.style);
        EXPECT_FALSE(drawing.dense) << c.name;
    }
    // Vectors (a PDF, a printer) get the stroked line.
    QPicture picture;
    QPainter painter(&picture);
    painter.setPen(QPen(kLine, 1.5));
    EXPECT_FALSE(DrawDenseLine(painter, Line(450, 0.33, Zigzag)));
}

} // namespace

namespace {

using quorex::chart::ChartDefinition;
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
        double seen;   // the share of pixels allowed to differ visibly
    } const cases[] = {
        {"a thumbnail", 200, {300, 180}, "DispNum=60", 0},
        {"full history", 5000, {1600, 900}, "DispNum=5000; ShowScrollBar=0", 0.0002},
        {"two bars a column", 3000, {1600, 900}, "DispNum=3000; ShowScrollBar=0", 0.0002},
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
        if (c.seen == 0)
            EXPECT_EQ(dense, stroked) << c.name;
        else
            EXPECT_NE(dense, stroked) << c.name << ": no line was drawn by columns";
    }
}

} // namespace
