// One thumbnail's worth of thin antialiased indicator lines: QPainter against the direct
// raster, on a 300 x 180 image.
#include "PolylineRuns.h"
#include "ThinLineRaster.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

constexpr int kLines = 11;
constexpr int kPoints = 60;

// Lines through the centres of 60 five-pixel slots, wandering as prices do.
std::vector<QPolygonF> Lines()
{
    std::vector<QPolygonF> lines;
    for (int k = 0; k < kLines; ++k) {
        QPolygonF line;
        double y = 40 + 10 * k;
        for (int i = 0; i < kPoints; ++i) {
            y += std::sin(i * 0.7 + k) * 2.5;
            line.append(QPointF(i * 5 + 2.5, y + 0.37));
        }
        lines.push_back(line);
    }
    return lines;
}

void BM_ThinLinesPainter(benchmark::State& state)
{
    QImage image(300, 180, QImage::Format_RGB32);
    image.fill(Qt::white);
    const std::vector<QPolygonF> lines = Lines();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (auto _ : state) {
        for (const QPolygonF& line : lines) {
            QPen pen(Qt::darkBlue, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
            pen.setCosmetic(true);
            painter.setPen(pen);
            quorex::chart::DrawPolylineInRuns(painter, line);
        }
    }
}

void BM_ThinLinesRaster(benchmark::State& state)
{
    QImage image(300, 180, QImage::Format_RGB32);
    image.fill(Qt::white);
    const std::vector<QPolygonF> lines = Lines();
    for (auto _ : state) {
        for (const QPolygonF& line : lines)
            quorex::chart::ThinLineRaster(image, Qt::darkBlue).DrawPolyline(line);
        benchmark::DoNotOptimize(image.constBits());
    }
}

BENCHMARK(BM_ThinLinesPainter)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ThinLinesRaster)->Unit(benchmark::kMicrosecond);

} // namespace
