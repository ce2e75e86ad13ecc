#pragma once

#include "QuorexComponents.h"

#include <memory>
#include <vector>

// A data object of given bars, as the data library would hand over.
class TestPriceData : public quorex::IPriceData {
public:
    explicit TestPriceData(std::vector<quorex::PriceBar> bars) : m_bars(std::move(bars)) {}
    std::span<const quorex::PriceBar> Bars() const override { return m_bars; }

private:
    std::vector<quorex::PriceBar> m_bars;
};

quorex::PriceDataPtr MakeData(std::vector<quorex::PriceBar> bars);

// `count` weekdays from `startDate` (yyyymmdd) on: a seeded random walk with trends,
// gaps and volume, prices around `level`.
std::vector<quorex::PriceBar> RandomWalk(int count, unsigned seed, int startDate = 20230102,
                                         double level = 1500);

// The weekday `days` calendar days after a yyyymmdd date.
int AddDays(int date, int days);

// Series whose shape puts the highest or lowest bar where texts are most in the way.
enum class SeriesShape { Walk, Rising, Falling, Flat, SpikeNewest, SpikeOldest };

// `count` weekdays of the shape; the oldest of the latest `shown` bars carries the spike of
// SpikeOldest.
std::vector<quorex::PriceBar> ShapedSeries(SeriesShape shape, int count, int shown);

// The same bars with every price multiplied by `factor`.
std::vector<quorex::PriceBar> Scaled(std::vector<quorex::PriceBar> bars, double factor);
