#include "ChartTestSeries.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <random>

namespace {

std::chrono::sys_days ToDays(int date)
{
    return std::chrono::sys_days{std::chrono::year_month_day{
        std::chrono::year{date / 10000}, std::chrono::month{unsigned(date / 100 % 100)},
        std::chrono::day{unsigned(date % 100)}}};
}

int FromDays(std::chrono::sys_days days)
{
    const std::chrono::year_month_day ymd{days};
    return int(ymd.year()) * 10000 + int(unsigned(ymd.month())) * 100 + int(unsigned(ymd.day()));
}

} // namespace

quorex::PriceDataPtr MakeData(std::vector<quorex::PriceBar> bars)
{
    return std::make_shared<TestPriceData>(std::move(bars));
}

int AddDays(int date, int days)
{
    return FromDays(ToDays(date) + std::chrono::days{days});
}

std::vector<quorex::PriceBar> RandomWalk(int count, unsigned seed, int startDate, double level)
{
    std::mt19937 random(seed);
    std::normal_distribution<double> noise(0, 1);
    std::uniform_real_distribution<double> unit(0, 1);
    std::vector<quorex::PriceBar> bars;
    auto day = ToDays(startDate);
    double close = level;
    double trend = 0;
    while (static_cast<int>(bars.size()) < count) {
        const std::chrono::weekday weekday{day};
        if (weekday != std::chrono::Saturday && weekday != std::chrono::Sunday) {
            if (unit(random) < 0.05)
                trend = noise(random) * 0.004;
            const double gap = unit(random) < 0.06 ? noise(random) * 0.03 : noise(random) * 0.004;
            const double open = std::round(close * (1 + gap));
            const double next = std::round(open * (1 + trend + noise(random) * 0.014));
            const double high = std::max(open, next) * (1 + std::abs(noise(random)) * 0.007);
            const double low = std::min(open, next) * (1 - std::abs(noise(random)) * 0.007);
            const double volume = std::round(200000 * std::exp(noise(random) * 0.45)
                                             * (1 + 8 * std::abs(gap)));
            bars.push_back({FromDays(day), open, std::round(high), std::round(low), next, volume});
            close = next;
        }
        day += std::chrono::days{1};
    }
    return bars;
}

std::vector<quorex::PriceBar> ShapedSeries(SeriesShape shape, int count, int shown)
{
    std::vector<quorex::PriceBar> bars = RandomWalk(count, 17);
    const bool rising = shape == SeriesShape::Rising;
    for (int i = 0; i < count; ++i) {
        quorex::PriceBar& bar = bars[i];
        if (shape == SeriesShape::Flat)
            bar.open = bar.high = bar.low = bar.close = 1500;
        if (rising || shape == SeriesShape::Falling) {
            const double level = 1000 + 10.0 * (rising ? i : count - i);
            bar = {bar.date, level - 4, level + 3, level - 7, level, bar.volume};
        }
    }
    if (shape == SeriesShape::SpikeNewest || shape == SeriesShape::SpikeOldest) {
        quorex::PriceBar& spike =
            bars[shape == SeriesShape::SpikeNewest ? count - 1 : std::max(0, count - shown)];
        spike.high *= 1.4;
        spike.low *= 0.6;
    }
    return bars;
}

std::vector<quorex::PriceBar> Scaled(std::vector<quorex::PriceBar> bars, double factor)
{
    for (quorex::PriceBar& bar : bars) {
        for (double* price : {&bar.open, &bar.high, &bar.low, &bar.close})
            *price *= factor;
    }
    return bars;
}
