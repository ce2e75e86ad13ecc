#include "CsvPriceParser.h"

#include "BarRules.h"
#include "CsvReader.h"
#include "DateParser.h"
#include "PlainRowReader.h"
#include "PriceSeries.h"
#include "TextDecoder.h"
#include "TextScan.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace brasko {

namespace {

// A record has few fields; the reserve keeps the field list from growing in the loop.
constexpr std::size_t kTypicalFieldCount = 16;

class RowReader {
public:
    explicit RowReader(const CsvLayout& layout)
        : m_map(layout.map)
        , m_separator(layout.separator)
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
    return 1 + CountLineFeeds(text);
}

// lines: about as many as the text holds, for the room made for its bars.
void ReadRemainingRows(CsvReader& reader, std::size_t lines, PriceRows& rows)
{
    const PlainRowReader plainRows(*rows.layout);
    RowReader rowReader(*rows.layout);
    std::vector<std::string_view> fields;
    fields.reserve(kTypicalFieldCount);
    rows.bars.reserve(rows.bars.size() + lines);
    // Plain rows (nearly all) in one pass, the others field by field.
    while (char* const start = reader.NextRecordStart()) {
        ++rows.dataLines;
        if (char* const next = plainRows.Read(start, reader.End(), rows.bars)) {
            reader.ContinueAt(next);
            continue;
        }
        reader.Next(fields);
        rowReader.Add(fields, rows.bars);
    }
    rows.unclosedQuote = reader.MetUnclosedQuote();
}

// A line of blanks only says nothing, like an empty one.
bool AllBlank(const std::vector<std::string_view>& fields)
{
    return std::all_of(fields.begin(), fields.end(), [](std::string_view field) {
        return std::all_of(field.begin(), field.end(), IsBlank);
    });
}

} // namespace

PriceRows ReadPriceRows(std::string& text)
{
    PriceRows rows;
    const char separator = CsvReader::DetectSeparator(text);
    CsvReader reader(text, separator);
    std::vector<std::string_view> fields;
    fields.reserve(kTypicalFieldCount);

    // Up to the header, or to the first row that starts with a date when there is none.
    while (!rows.layout && reader.Next(fields)) {
        if (const auto header = ColumnMap::FromHeader(fields)) {
            rows.layout = CsvLayout{separator, *header};
        } else if (fields.size() >= 2 && ParseDate(fields.front()) != 0) {
            rows.layout = CsvLayout{separator, ColumnMap::ByPosition(fields.size())};
            RowReader(*rows.layout).Add(fields, rows.bars);
            ++rows.dataLines;
        } else if (!AllBlank(fields)) {
            ++rows.titleLines;
        }
    }
    if (rows.layout)
        ReadRemainingRows(reader, CountLines(text), rows);
    else
        rows.unclosedQuote = reader.MetUnclosedQuote();
    return rows;
}

PriceRows ReadPriceRows(std::string& text, const CsvLayout& layout)
{
    return ReadPriceRows(text, 0, layout, CountLines(text));
}

PriceRows ReadPriceRows(std::string& text, std::size_t from, const CsvLayout& layout,
                        std::size_t lines)
{
    PriceRows rows;
    rows.layout = layout;
    CsvReader reader(text, layout.separator);
    reader.ContinueAt(text.data() + from);
    ReadRemainingRows(reader, lines, rows);
    return rows;
}

quorex::PriceDataPtr ParsePriceFile(std::string& bytes)
{
    DecodeToUtf8(bytes);
    return PriceSeries::FromRows(ReadPriceRows(bytes).bars);
}

quorex::DataProblem WhyNoBars(const PriceRows& rows, std::string_view /*text*/)
{
    // Only a file that holds nothing but a header (and lines above it) has no rows; any
    // other line that is not a price row makes it something else: a web page, a memo, junk.
    if (rows.layout)
        return rows.dataLines > 0 ? quorex::DataProblem::Unreadable
                                  : quorex::DataProblem::NoRows;
    return rows.titleLines > 0 ? quorex::DataProblem::Unreadable
                               : quorex::DataProblem::NoRows;
}

} // namespace brasko
