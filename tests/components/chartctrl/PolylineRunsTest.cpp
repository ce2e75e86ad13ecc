#include "PolylineRuns.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using quorex::chart::DrawPolylineInRuns;
using quorex::chart::kPolylineRun;

// A zigzag across the image, a point a column: denser lines are drawn column by column.
QPolygonF Zigzag(int points)
{
    QPolygonF line;
    for (int i = 0; i < points; ++i)
        line.append(QPointF(2 + i, 20 + (i * 37 % 23) - (i % 2) * 9));
    return line;
}

QImage Drawn(const QPolygonF& line, bool runs, bool smooth, double width)
{
    QImage image(510, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, smooth);
    QPen pen(Qt::blue, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    pen.setCosmetic(true);
    painter.setPen(pen);
    if (runs)
        DrawPolylineInRuns(painter, line);
    else
        painter.drawPolyline(line);
    return image;
}

int DifferingPixels(const QImage& a, const QImage& b)
{
    int differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x)
            differing += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
    }
    return differing;
}

int LargestDifference(const QImage& a, const QImage& b)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)),
                                std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return largest;
}

TEST(PolylineRuns, RunsDrawWhatOneLineDraws)
{
    const int counts[] = {2, kPolylineRun - 1, kPolylineRun, kPolylineRun + 1,
                          3 * kPolylineRun - 2, 500};
    for (const int count : counts) {
        const QPolygonF line = Zigzag(count);
        // Sharp pixels: the same ones but for a pixel or two where runs meet.
        const int joints = (count - 2) / (kPolylineRun - 1);
        EXPECT_LE(DifferingPixels(Drawn(line, true, false, 1), Drawn(line, false, false, 1)),
                  2 * joints)
            << count;
        // Smooth and wide: only the edge pixels where runs meet may blend once more.
        EXPECT_LE(LargestDifference(Drawn(line, true, true, 1.5), Drawn(line, false, true, 1.5)),
                  96)
            << count;
        // Nothing of the line is left out.
        EXPECT_NE(Drawn(line, true, true, 1.5), Drawn({}, false, true, 1.5)) << count;
    }
}

} // namespace
