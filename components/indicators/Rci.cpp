#include "Rci.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace quorex::indicators {

namespace {

// Mean ranks (1-based) of the values, in their own order.
void RankValues(std::span<const double> values, std::vector<std::size_t>& order,
                std::vector<double>& ranks)
{
    const std::size_t n = values.size();
    order.resize(n);
    ranks.resize(n);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(),
              [&](std::size_t x, std::size_t y) { return values[x] < values[y]; });
    for (std::size_t start = 0; start < n;) {
        std::size_t end = start + 1;
        while (end < n && values[order[end]] == values[order[start]])
            ++end;
        const double mean = (start + 1 + end) / 2.0;
        for (std::size_t k = start; k < end; ++k)
            ranks[order[k]] = mean;
        start = end;
    }
}

} // namespace

Line Rci(Input close, int period)
{
    Line line = UndefinedLine(close.size());
    if (period < 2)
        return line;
    const auto length = static_cast<std::size_t>(period);
    const double meanRank = (length + 1) / 2.0;
    // Variance of the date ranks 1..n times n.
    const double dateSpread = length * (static_cast<double>(length) * length - 1) / 12.0;
    std::vector<std::size_t> order;
    std::vector<double> ranks;
    std::size_t run = 0;
    for (std::size_t i = 0; i < close.size(); ++i) {
        run = std::isfinite(close[i]) ? run + 1 : 0;
        if (run < length)
            continue;
        const std::span<const double> window = close.subspan(i + 1 - length, length);
        RankValues(window, order, ranks);
        double covariance = 0;
        double spread = 0;
        for (std::size_t k = 0; k < length; ++k) {
            covariance += (k + 1 - meanRank) * (ranks[k] - meanRank);
            spread += (ranks[k] - meanRank) * (ranks[k] - meanRank);
        }
        line.values[i] = spread > 0 ? 100 * covariance / std::sqrt(dateSpread * spread) : 0;
    }
    FindFirst(line);
    return line;
}

} // namespace quorex::indicators
