#include "ThinLineRaster.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

namespace {

using quorex::chart::ThinLineRaster;

constexpr QSize kSize(64, 48);

struct LineCase {
    const char* name;
    std::vector<QPointF> points;
    int largest;   // the largest difference allowed in one channel of one pixel
};

QImage Blank(QImage::Format format = QImage::Format_RGB32)
{
    QImage image(kSize, format);
    image.fill(QColor(250, 245, 230));
    return image;
}

QImage ByPainter(const std::vector<QPointF>& points, const QColor& color,
                 QImage::Format format = QImage::Format_RGB32, Qt::PenStyle style = Qt::SolidLine)
{
    QImage image = Blank(format);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPen pen(color, 1, style, Qt::RoundCap, Qt::RoundJoin);
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.drawPolyline(points.data(), int(points.size()));
    return image;
}

QImage ByRaster(const std::vector<QPointF>& points, const QColor& color,
                QImage::Format format = QImage::Format_RGB32)
{
    QImage image = Blank(format);
    ThinLineRaster(image, color).DrawPolyline(points);
    return image;
}

struct Comparison {
    int largest = 0;      // in one channel of one pixel
    double inkA = 0;      // how far each picture is from the blank one, summed
    double inkB = 0;
};

Comparison Compare(const QImage& a, const QImage& b)
{
    const QImage blank = Blank(a.format());
    Comparison result;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y), o = blank.pixel(x, y);
            result.largest = std::max({result.largest, std::abs(qRed(p) - qRed(q)),
                                       std::abs(qGreen(p) - qGreen(q)),
                                       std::abs(qBlue(p) - qBlue(q)),
                                       std::abs(qAlpha(p) - qAlpha(q))});
            result.inkA += std::abs(qRed(p) - qRed(o)) + std::abs(qBlue(p) - qBlue(o));
            result.inkB += std::abs(qRed(q) - qRed(o)) + std::abs(qBlue(q) - qBlue(o));
        }
    }
    return result;
}

// Lines as charts draw them (points at pixel centres across, anywhere down) and less kind
// ones; segments alone match closely, joins blend their pixel once per segment.
const std::vector<LineCase> kLines = {
    {"flat", {{2.5, 10.5}, {40.5, 20.2}}, 4},
    {"flat falling", {{40.5, 3.3}, {2.5, 20.9}}, 4},
    {"steep", {{10.5, 2.5}, {18.5, 40.7}}, 4},
    {"steep upwards", {{30.5, 44.1}, {20.5, 1.2}}, 4},
    {"level", {{3.5, 7.5}, {50.5, 7.5}}, 2},
    {"level between rows", {{3.5, 7.8}, {50.5, 7.8}}, 2},
    {"upright", {{12.5, 3.2}, {12.5, 30.6}}, 4},
    {"diagonal", {{4.5, 4.5}, {40.5, 40.5}}, 4},
    {"fractional ends", {{2.2, 10.5}, {40.9, 16.2}}, 6},
    {"fractional ends late", {{2.7, 10.5}, {40.1, 16.2}}, 6},
    {"short", {{20.5, 20.5}, {22.5, 21.3}}, 6},
    {"zigzag of slots",
     {{2.5, 20.3}, {7.5, 24.8}, {12.5, 12.1}, {17.5, 13.0}, {22.5, 30.6}, {27.5, 29.9},
      {32.5, 8.4}, {37.5, 9.9}, {42.5, 9.1}},
     96},
    {"turning back", {{5.5, 5.5}, {30.5, 20.5}, {8.5, 35.5}}, 96},
};

TEST(ThinLineRaster, DrawsWhatPainterDraws)
{
    for (const QColor& color : {QColor(Qt::darkBlue), QColor(200, 30, 20, 140)}) {
        for (const LineCase& line : kLines) {
            const Comparison c = Compare(ByRaster(line.points, color),
                                         ByPainter(line.points, color));
            EXPECT_LE(c.largest, line.largest) << line.name;
            EXPECT_GT(c.inkA, 0) << line.name;
            EXPECT_NEAR(c.inkA / c.inkB, 1.0, 0.08) << line.name;
        }
    }
}

// Qt's dash line, four pixels on and two off along the major axis, from segment to segment.
// Where segments join off the pixel grid, a dash may start a pixel apart from QPainter's.
TEST(ThinLineRaster, DashesWherePainterDashes)
{
    for (const LineCase& line : kLines) {
        QImage raster = Blank();
        ThinLineRaster(raster, Qt::darkBlue).DrawDashedPolyline(line.points, 4, 2);
        const QImage painted =
            ByPainter(line.points, Qt::darkBlue, QImage::Format_RGB32, Qt::DashLine);
        const Comparison c = Compare(raster, painted);
        if (line.points.size() == 2) {
            EXPECT_LE(c.largest, line.largest) << line.name;
        }
        int apart = 0;
        for (int y = 0; y < kSize.height(); ++y) {
            for (int x = 0; x < kSize.width(); ++x)
                apart += std::abs(qBlue(raster.pixel(x, y)) - qBlue(painted.pixel(x, y))) > 128;
        }
        EXPECT_LE(apart, 6) << line.name;
        EXPECT_NEAR(c.inkA / c.inkB, 1.0, 0.1) << line.name;
    }
}

// Segments between column centres, the charts' own, take a shorter way to the very same
// pixels. An image ending just below the line turns the short way off, so the two are
// compared there.
TEST(ThinLineRaster, ColumnCentresGiveTheGeneralPixels)
{
    const std::vector<LineCase> cases = {
        {"rising", {{2.5, 30.3}, {7.5, 27.9}}, 0},
        {"falling", {{2.5, 10.7}, {9.5, 14.2}}, 0},
        {"one column", {{20.5, 12.25}, {21.5, 12.75}}, 0},
        {"level on a row", {{3.5, 20.5}, {40.5, 20.5}}, 0},
        {"45 degrees", {{5.5, 5.5}, {25.5, 25.5}}, 0},
        {"slots", {{2.5, 20.3}, {7.5, 24.8}, {12.5, 21.1}, {17.5, 23.0}, {22.5, 30.6}}, 0},
        {"left and right edge", {{0.5, 20.2}, {31.5, 22.9}, {63.5, 21.4}}, 0},
    };
    for (const bool dashed : {false, true}) {
        const auto draw = [dashed](QImage& image, const std::vector<QPointF>& points) {
            ThinLineRaster raster(image, Qt::darkBlue);
            if (dashed)
                raster.DrawDashedPolyline(points, 4, 2);
            else
                raster.DrawPolyline(points);
        };
        for (const LineCase& line : cases) {
            QImage whole = Blank();
            draw(whole, line.points);
            int lowest = 0;
            for (int y = 0; y < whole.height(); ++y) {
                for (int x = 0; x < whole.width(); ++x)
                    lowest = whole.pixel(x, y) != Blank().pixel(x, y) ? y : lowest;
            }
            ASSERT_GT(lowest, 0) << line.name;
            QImage cut(kSize.width(), lowest, QImage::Format_RGB32);
            cut.fill(QColor(250, 245, 230));
            draw(cut, line.points);
            EXPECT_EQ(cut, whole.copy(cut.rect())) << line.name << (dashed ? " dashed" : "");
        }
    }
}

// More colours than the raster keeps ready, twice over: each line still gets its own.
TEST(ThinLineRaster, KeepsEachColourApart)
{
    const LineCase& line = kLines.front();
    for (int round = 0; round < 2; ++round) {
        for (int hue = 0; hue < 360; hue += 9) {
            const QColor color = QColor::fromHsv(hue, 255, 160 + round * 60);
            EXPECT_LE(Compare(ByRaster(line.points, color), ByPainter(line.points, color))
                          .largest,
                      line.largest)
                << hue;
        }
    }
}

TEST(ThinLineRaster, DrawsWhatPainterDrawsOnImagesWithAlpha)
{
    const QImage::Format format = QImage::Format_ARGB32_Premultiplied;
    for (const LineCase& line : kLines) {
        const QColor color(20, 120, 40, 200);
        const Comparison c = Compare(ByRaster(line.points, color, format),
                                     ByPainter(line.points, color, format));
        EXPECT_LE(c.largest, line.largest) << line.name;
    }
}

// Ends and clipping: what lies outside is left out, as QPainter leaves it out, and nothing
// is written outside the image.
TEST(ThinLineRaster, ClipsAtTheImage)
{
    const double far = 1.0e6;
    const std::vector<LineCase> cases = {
        {"leaves left", {{-20.5, 10.5}, {30.5, 20.5}}, 6},
        {"leaves bottom", {{10.5, 30.5}, {20.5, 90.5}}, 6},
        {"crosses", {{-10.5, -5.5}, {80.5, 60.5}}, 6},
        {"far off", {{10.5, 10.5}, {15.5, far}}, 12},
        {"far below the image", {{10.5, far}, {60.5, far}}, 0},
        {"right edge", {{30.5, 5.5}, {63.5, 30.5}}, 6},
        {"top edge", {{5.5, 0.5}, {60.5, 0.2}}, 6},
    };
    for (const LineCase& line : cases) {
        const Comparison c = Compare(ByRaster(line.points, Qt::black),
                                     ByPainter(line.points, Qt::black));
        EXPECT_LE(c.largest, line.largest) << line.name;
    }
}

TEST(ThinLineRaster, SkipsWhatCannotBeDrawn)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<std::vector<QPointF>> lines = {
        {}, {{5.5, 5.5}}, {{nan, 5.5}, {20.5, 9.5}}, {{5.5, inf}, {20.5, 9.5}},
        {{-1e300, 5.5}, {1e300, 9.5}}};
    for (const auto& points : lines)
        EXPECT_EQ(ByRaster(points, Qt::black), Blank()) << points.size();
}

// The raster takes over only where it gives QPainter's picture.
TEST(ThinLineRaster, TargetOnlyOnPlainImagePainters)
{
    struct Case {
        const char* name;
        QImage::Format format;
        void (*setUp)(QPainter&);
        bool direct;
    };
    const Case cases[] = {
        {"plain", QImage::Format_RGB32, [](QPainter&) {}, true},
        {"premultiplied", QImage::Format_ARGB32_Premultiplied, [](QPainter&) {}, true},
        {"straight alpha", QImage::Format_ARGB32, [](QPainter&) {}, false},
        {"16 bits", QImage::Format_RGB16, [](QPainter&) {}, false},
        {"clipped", QImage::Format_RGB32, [](QPainter& p) { p.setClipRect(0, 0, 9, 9); }, false},
        {"moved", QImage::Format_RGB32, [](QPainter& p) { p.translate(1, 0); }, false},
        {"scaled", QImage::Format_RGB32, [](QPainter& p) { p.scale(2, 2); }, false},
        {"faded", QImage::Format_RGB32, [](QPainter& p) { p.setOpacity(0.5); }, false},
        {"sharp", QImage::Format_RGB32,
         [](QPainter& p) { p.setRenderHint(QPainter::Antialiasing, false); }, false},
        {"xor", QImage::Format_RGB32,
         [](QPainter& p) { p.setCompositionMode(QPainter::RasterOp_SourceXorDestination); },
         false},
    };
    for (const Case& c : cases) {
        QImage image(kSize, c.format);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, true);
        c.setUp(painter);
        EXPECT_EQ(ThinLineRaster::TargetOf(painter), c.direct ? &image : nullptr) << c.name;
    }
}

} // namespace
