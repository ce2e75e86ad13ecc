#pragma once

#include <QuorexComponents.h>

#include <vector>

namespace brasko {

// The data object LoadData hands out: daily bars in ascending date order, never empty.
class PriceSeries : public quorex::IPriceData {
public:
    // Bars in the order read: sorted by date (files often list the newest first), and of
    // bars with the same date the one read last kept. Null when there is none.
    static quorex::PriceDataPtr FromRows(std::vector<quorex::PriceBar> rows);

    std::span<const quorex::PriceBar> Bars() const override { return m_bars; }

private:
    explicit PriceSeries(std::vector<quorex::PriceBar> bars);

    std::vector<quorex::PriceBar> m_bars;
};

} // namespace brasko
