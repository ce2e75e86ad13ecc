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
