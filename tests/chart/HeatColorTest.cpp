// The heat scale: the label colour at no change, shading toward red for gains and blue for
// losses in proportion to the change, fully from 5 % on.
#include "chart/HeatColor.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace mosgrid;

namespace {

constexpr ColorRef kBase = 8421440;  // red 64, green 128, blue 128
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

ColorRef Ref(int red, int green, int blue)
{
    return ColorRef(red) | ColorRef(green) << 8 | ColorRef(blue) << 16;
}

struct ScaleRow {
    double percent;
    ColorRef base;
    ColorRef expected;
};

TEST(HeatColor, ScaleOverTheLabelColour)
{
    const ScaleRow rows[] = {
        {0, kBase, kBase},
        {kNaN, kBase, kBase},
        {5, kBase, kHeatUpColor},
        {12.5, kBase, kHeatUpColor},
        {-5, kBase, kHeatDownColor},
        {-80, kBase, kHeatDownColor},
        // Halfway: each channel halfway from the label colour to red 220/30/30.
        {2.5, kBase, Ref(142, 79, 79)},
        {1, Ref(0, 0, 0), Ref(44, 6, 6)},
        // ... or to blue 30/90/220.
        {-2.5, kBase, Ref(47, 109, 174)},
        {-1, Ref(255, 255, 255), Ref(210, 222, 248)},
        {std::numeric_limits<double>::infinity(), kBase, kBase},
    };
    for (const ScaleRow& row : rows)
        EXPECT_EQ(HeatColor(row.percent, row.base), row.expected) << row.percent;
}

TEST(HeatColor, StrongerWithSizeOnEitherSide)
{
    const auto distance = [](ColorRef a, ColorRef b) {
        int sum = 0;
        for (const int shift : {0, 8, 16})
            sum += std::abs(int((a >> shift) & 0xff) - int((b >> shift) & 0xff));
        return sum;
    };
    for (const double sign : {1.0, -1.0}) {
        int previous = 0;
        for (double step = 0.5; step <= 5; step += 0.5) {
            const int now = distance(HeatColor(sign * step, kBase), kBase);
            EXPECT_GT(now, previous) << sign * step;
            previous = now;
        }
        EXPECT_EQ(HeatColor(sign * 5, kBase), HeatColor(sign * 6, kBase));
    }
}

struct FactsRow {
    const char* name;
    bool hasData;
    double last;
    double previous;
    std::optional<double> percent;
};

TEST(HeatColor, ChangePercentOfTheFacts)
{
    const FactsRow rows[] = {
        {"gain", true, 105, 100, 5.0},
        {"loss", true, 97, 100, -3.0},
        {"negative previous counts its size", true, -90, -100, 10.0},
        {"no data", false, 105, 100, std::nullopt},
        {"one bar", true, 105, kNaN, std::nullopt},
        {"previous zero", true, 105, 0, std::nullopt},
    };
    for (const FactsRow& row : rows) {
        ItemFacts facts;
        facts.hasData = row.hasData;
        facts.lastClose = row.last;
        facts.previousClose = row.previous;
        const std::optional<double> percent = ChangePercentOf(facts);
        ASSERT_EQ(percent.has_value(), row.percent.has_value()) << row.name;
        if (percent) {
            EXPECT_NEAR(*percent, *row.percent, 1e-9) << row.name;
        }
        EXPECT_EQ(HeatColorOf(facts, kBase).has_value(), row.percent.has_value()) << row.name;
    }
}

TEST(HeatColor, FrameLiesJustInsideItsRectangle)
{
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        PaintHeatFrame(painter, QRect(5, 2, 20, 10), Ref(255, 0, 0));
    }
    const QRgb red = qRgb(255, 0, 0);
    const QRgb black = qRgb(0, 0, 0);
    const std::pair<QPoint, QRgb> pixels[] = {
        {{5, 2}, red},   {{24, 11}, red},  {{6, 3}, red},    {{7, 4}, black},
        {{4, 2}, black}, {{25, 5}, black}, {{15, 12}, black}, {{15, 6}, black},
    };
    for (const auto& [at, rgb] : pixels)
        EXPECT_EQ(image.pixel(at), rgb) << at.x() << ',' << at.y();
}

} // namespace
