#include "DataLibTestSupport.h"

#include "BarRules.h"
#include "ColumnMap.h"
#include "CsvPriceParser.h"
#include "CsvReader.h"
#include "DateParser.h"
#include "NumberParser.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace {

// The rows as CsvReader splits them and the field parsers read each field: what the
// one-pass reader of plain rows must give too.
std::vector<quorex::PriceBar> FieldByField(std::string text)
{
    const char separator = brasko::CsvReader::DetectSeparator(text);
    brasko::CsvReader reader(text, separator);
    std::vector<std::string_view> fields;
    reader.Next(fields);
    const brasko::ColumnMap map = *brasko::ColumnMap::FromHeader(fields);
    std::vector<quorex::PriceBar> bars;
    while (reader.Next(fields)) {
        const auto field = [&fields](int column) {
            return column >= 0 && std::size_t(column) < fields.size() ? fields[column]
                                                                      : std::string_view();
        };
        brasko::RowValues row;
        row.date = brasko::ParseDate(field(map.date));
        row.open = brasko::ParsePrice(field(map.open), separator);
        row.high = brasko::ParsePrice(field(map.high), separator);
        row.low = brasko::ParsePrice(field(map.low), separator);
        row.close = brasko::ParsePrice(field(map.close), separator);
        row.volume = brasko::ParseVolume(field(map.volume), separator);
        quorex::PriceBar bar;
        if (row.date != 0 && brasko::MakeBar(row, bar))
            bars.push_back(bar);
    }
    return bars;
}

std::vector<datalibtest::Bar> Tested(const std::vector<quorex::PriceBar>& bars)
{
    std::vector<datalibtest::Bar> out;
    for (const quorex::PriceBar& b : bars)
        out.push_back({b.date, b.open, b.high, b.low, b.close, b.volume});
    return out;
}

// A field as files have them, now and then an odd one: padded, quoted, decorated, too long
// to divide exactly (the 16 digits read otherwise by division), or not a number.
std::string RandomField(std::mt19937& random, bool date)
{
    static const std::string odd[] = {"", " 12.5", "12.5 ", "\"105\"", " \"1,000\"", "$105",
                                      "1,234.5", "12,5", "-5", "1e3", "NaN", "1.5K",
                                      "1234567890123456", "90222459937.35077", "5.", ".5",
                                      ".", "1.2.3", "null", "2024-01-05 15:00",
                                      std::string("1\0" "2", 3), "1\"2", "\"",
                                      "\"2,842.429932\"", "\"\"", "\"1\"\"5\"", "\"12\"x",
                                      "\"2024-01-05\"", "\"12\n5\""};
    if (random() % 4 == 0)
        return odd[random() % std::size(odd)];
    if (date) {
        const int day = 1 + int(random() % 31);
        return "2024-0" + std::to_string(1 + random() % 9) + (day < 10 ? "-0" : "-")
               + std::to_string(day);
    }
    std::string digits = std::to_string(random() % 100000);
    if (random() % 2)
        digits += "." + std::to_string(random() % 1000);
    return digits;
}

TEST(DataLibPlainRows, AgreeWithFieldByFieldReading)
{
    const char* const headers[] = {"Date,Open,High,Low,Close,Volume,Note",
                                   "Note;Volume;Close;Date;Low;High;Open",
                                   "Date\tClose\tOpen\tHigh\tLow\tVolume"};
    const char* const lineEnds[] = {"\n", "\r\n", "\r", "\n\n"};
    std::mt19937 random(77);
    for (int file = 0; file < 300; ++file) {
        const std::string header = headers[file % std::size(headers)];
        const char separator = header[4] == ',' ? ',' : header[4] == ';' ? ';' : '\t';
        const std::size_t columns = std::size_t(std::count(header.begin(), header.end(),
                                                           separator)) + 1;
        const auto dateColumn = std::size_t(
            std::count(header.begin(), header.begin() + long(header.find("Date")), separator));
        std::string text = header + "\n";
        for (int row = 0; row < 40; ++row) {
            // Rows short of or beyond the header's columns, too.
            const std::size_t fields = columns - 2 + random() % 4;
            for (std::size_t f = 0; f < fields; ++f) {
                text += RandomField(random, f == dateColumn);
                if (f + 1 < fields)
                    text += separator;
            }
            text += lineEnds[random() % std::size(lineEnds)];
        }
        if (file % 2)
            text.pop_back(); // no line end after the last row
        std::string bytes = text;
        ASSERT_EQ(Tested(brasko::ReadPriceRows(bytes).bars), Tested(FieldByField(text)))
            << "file " << file << ":\n" << text;
    }
}

} // namespace
