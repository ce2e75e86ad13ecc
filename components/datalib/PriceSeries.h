#pragma once

#include <QuorexComponents.h>

#include <memory>
#include <vector>

namespace brasko {

// The data object LoadData hands out: daily bars in ascending date order, never empty.
class PriceSeries : public quorex::IPriceData {
public:
    using Ptr = std::shared_ptr<const PriceSeries>;
    // What the allocator adds to each block (glibc: a size word, rounding to 16 bytes).
    static constexpr std::size_t kAllocationOverhead = 16;

    // Bars in the order read: sorted by date (files often list the newest first), and of
    // bars with the same date the one read last kept. Null when there is none.
    static Ptr FromRows(std::vector<quorex::PriceBar> rows);
    // The same, of which only the bars need keeps (see FirstKept): Newest of it is itself.
    static Ptr FromRows(std::vector<quorex::PriceBar> rows, const quorex::DataRequest& need);
    // The bars of series that need keeps (see FirstKept): series itself when that is all.
    static Ptr Newest(const Ptr& series, const quorex::DataRequest& need);

    std::span<const quorex::PriceBar> Bars() const override
    {
        return std::span<const quorex::PriceBar>(m_bars).subspan(m_first);
    }
    std::size_t Size() const { return m_bars.size() - m_first; }
    // Memory the object holds, its own and the allocator's bookkeeping included.
    std::size_t MemoryBytes() const;

private:
    // The series is bars from `first` on.
    PriceSeries(std::vector<quorex::PriceBar> bars, std::size_t first);

    std::vector<quorex::PriceBar> m_bars;
    std::size_t m_first;
};

} // namespace brasko
