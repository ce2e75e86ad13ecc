#include "chart/SampleSeries.h"

#include <QDate>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace mosgrid {

namespace {

constexpr double kFirstClose = 2480;
constexpr double kTick = 1;
constexpr double kDailySpread = 0.018;   // of the price, the widest day
constexpr double kDrift = 0.0006;
constexpr double kBaseVolume = 180000;
constexpr std::uint32_t kSeed = 20241230;

// The same numbers on every platform: a small linear congruential generator.
class Numbers {
public:
    // In [-1, 1).
    double Next()
    {
        m_state = m_state * 1664525u + 1013904223u;
        return double(m_state >> 8) / double(1u << 23) - 1.0;
    }

private:
    std::uint32_t m_state = kSeed;
};

class SampleData : public quorex::IPriceData {
public:
    SampleData();
    std::span<const quorex::PriceBar> Bars() const override { return m_bars; }

private:
    std::vector<quorex::PriceBar> m_bars;
};

double OnTick(double price)
{
    return std::round(price / kTick) * kTick;
}

std::vector<QDate> TradingDays()
{
    std::vector<QDate> days;
    QDate day(kSampleSeriesLastDate / 10000, kSampleSeriesLastDate / 100 % 100,
              kSampleSeriesLastDate % 100);
    while (int(days.size()) < kSampleSeriesBars) {
        if (day.dayOfWeek() <= 5)
            days.push_back(day);
        day = day.addDays(-1);
    }
    std::reverse(days.begin(), days.end());
    return days;
}

SampleData::SampleData()
{
    Numbers numbers;
    double close = kFirstClose;
    for (const QDate& day : TradingDays()) {
        const double open = OnTick(close * (1 + numbers.Next() * kDailySpread / 3));
        close = OnTick(open * (1 + kDrift + numbers.Next() * kDailySpread));
        const double reach = kDailySpread / 2;
        quorex::PriceBar bar;
        bar.date = day.year() * 10000 + day.month() * 100 + day.day();
        bar.open = open;
        bar.high = OnTick(std::max(open, close) * (1 + std::fabs(numbers.Next()) * reach));
        bar.low = OnTick(std::min(open, close) * (1 - std::fabs(numbers.Next()) * reach));
        bar.close = close;
        bar.volume = std::round(kBaseVolume * (1.2 + numbers.Next()) / 100) * 100;
        m_bars.push_back(bar);
    }
}

} // namespace

quorex::PriceDataPtr SampleSeries()
{
    static const quorex::PriceDataPtr series = std::make_shared<SampleData>();
    return series;
}

} // namespace mosgrid
