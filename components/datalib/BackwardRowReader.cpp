#include "BackwardRowReader.h"

#include "BarNeed.h"
#include "CsvReader.h"

#include <algorithm>
#include <string.h>

namespace brasko {

namespace {

// Weekdays hold rows, mostly: what a week or a month of rows is taken to be.
constexpr std::size_t kWeekdaysPerWeek = 5;
constexpr std::size_t kWeekdaysPerMonth = 22;
// Lines read beyond the rows asked for at first, for a few bad or repeated ones; more are
// read, twice as many each time, while too few rows were good.
constexpr std::size_t kExtraLines = 8;
constexpr std::size_t kGrowth = 2;

std::size_t FirstLines(const quorex::DataRequest& need, std::size_t most)
{
    const std::size_t weeks = std::min(need.latestWeeks, most);
    const std::size_t months = std::min(need.latestMonths, most);
    const std::size_t rows = std::max({std::min(need.latestBars, most),
                                       (weeks + 1) * kWeekdaysPerWeek,
                                       (months + 1) * kWeekdaysPerMonth});
    return rows + kExtraLines;
}

} // namespace

BackwardRowReader::BackwardRowReader(std::string& text, const CsvLayout& layout)
    : m_text(text)
    , m_layout(layout)
    , m_quoted(text.find('"') != std::string::npos)
    , m_begin(text.size())
{
}

std::vector<quorex::PriceBar>& BackwardRowReader::ReadFor(const quorex::DataRequest& need)
{
    // No more lines than bytes: the bound keeps the counts from overflowing.
    for (std::size_t lines = FirstLines(need, m_text.size());
         m_begin > 0 && !Covers(need, CountPeriods(m_bars, need));
         lines = std::min(lines * kGrowth, m_text.size() + 1)) {
        ReadOlder(LinesBefore(m_begin, lines), lines);
    }
    return m_bars;
}

std::size_t BackwardRowReader::LinesBefore(std::size_t end, std::size_t lines) const
{
    // end is 0 or just after a line end; the first LF before it ends the line before.
    std::size_t at = end == 0 ? 0 : end - 1;
    for (; lines > 0; --lines) {
        const void* found = at == 0 ? nullptr : ::memrchr(m_text.data(), '\n', at);
        if (!found)
            return 0;
        at = std::size_t(static_cast<const char*>(found) - m_text.data());
    }
    return at + 1;
}

void BackwardRowReader::ReadOlder(std::size_t start, std::size_t lines)
{
    std::size_t from = start;
    if (m_quoted && start > 0) {
        const auto certain = CsvReader::FirstCertainRecord(
            std::string_view(m_text).substr(start, m_begin - start), m_layout.separator);
        // None before what is read already: a longer piece is needed.
        if (!certain)
            return;
        from = start + *certain;
    }
    // Lines counted back need no count again for the room their bars take. The newest part
    // is read where it is (quoted fields unquoted in place): older parts are read from
    // copies of what lies before it, which it leaves as it was.
    PriceRows rows;
    if (m_begin == m_text.size()) {
        rows = ReadPriceRows(m_text, from, m_layout, lines);
    } else {
        m_piece.assign(m_text, from, m_begin - from);
        rows = start == 0 ? ReadPriceRows(m_piece, m_layout)
                          : ReadPriceRows(m_piece, 0, m_layout, lines);
    }
    if (m_bars.empty())
        m_bars = std::move(rows.bars);
    else
        m_bars.insert(m_bars.begin(), rows.bars.begin(), rows.bars.end());
    m_begin = from;
}

} // namespace brasko
