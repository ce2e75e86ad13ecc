#include "CsvPriceParser.h"

#include "BarRules.h"
#include "ColumnMap.h"
#include "CsvReader.h"
#include "DateParser.h"
#include "PriceSeries.h"
#include "TextDecoder.h"

#include <cstring>
#include <optional>
#include <string_view>

namespace brasko {

namespace {

// A record has few fields; the reserve keeps the field list from growing in the loop.
constexpr std::size_t kTypicalFieldCount = 16;

class RowReader {
public:
    RowReader(const ColumnMap& map, char separator)
        : m_map(map)
        , m_separator(separator)
    {
    }

    void Add(const std::vector<std::string_view>& fields, std::vector<quorex::PriceBar>& bars)
    {
        const auto field = [&fields](int column) {
            return (column >= 0 && std::size_t(column) < fields.size()) ? fields[column]
                                                                        : std::string_view();
        };
        RowValues row;
        row.date = ParseDate(field(m_map.date));
        if (row.date == 0)
            return;
        row.open = ParsePrice(field(m_map.open), m_separator);
        row.high = ParsePrice(field(m_map.high), m_separator);
        row.low = ParsePrice(field(m_map.low), m_separator);
        row.close = ParsePrice(field(m_map.close), m_separator);
        row.volume = ParseVolume(field(m_map.volume), m_separator);
        // Built in place: a bar copied out of a returned value costs a stalled reload.
        if (!MakeBar(row, bars.emplace_back()))
            bars.pop_back();
    }

private:
    ColumnMap m_map;
    char m_separator;
};

// An upper bound of the rows to come, so the bars are allocated once.
std::size_t CountLines(std::string_view text)
{
    std::size_t lines = 1;
    const char* p = text.data();
    const char* const end = p + text.size();
    while ((p = static_cast<const char*>(std::memchr(p, '\n', std::size_t(end - p))))) {
        ++lines;
        ++p;
    }
    return lines;
}

} // namespace

std::vector<quorex::PriceBar> ReadPriceRows(std::string& text)
{
    const char separator = CsvReader::DetectSeparator(text);
    CsvReader reader(text, separator);
    std::vector<std::string_view> fields;
    fields.reserve(kTypicalFieldCount);
    std::vector<quorex::PriceBar> bars;

    // Up to the header, or to the first row that starts with a date when there is none.
    std::optional<RowReader> rows;
    while (!rows && reader.Next(fields)) {
        if (const auto header = ColumnMap::FromHeader(fields)) {
            rows.emplace(*header, separator);
        } else if (fields.size() >= 2 && ParseDate(fields.front()) != 0) {
            rows.emplace(ColumnMap::ByPosition(fields.size()), separator);
            rows->Add(fields, bars);
        }
    }
    if (!rows)
        return bars;

    bars.reserve(CountLines(text));
    while (reader.Next(fields))
        rows->Add(fields, bars);
    return bars;
}

quorex::PriceDataPtr ParsePriceFile(std::string& bytes)
{
    DecodeToUtf8(bytes);
    return PriceSeries::FromRows(ReadPriceRows(bytes));
}

} // namespace brasko
