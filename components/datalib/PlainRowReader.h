#pragma once

#include "BarRules.h"
#include "CsvPriceParser.h"
#include "NumberParser.h"

#include <array>
#include <string_view>
#include <vector>

namespace brasko {

// Reads a record straight from the text in one pass, numbers as their digits go by: what
// CsvReader and the field parsers give for it, without splitting it into fields first.
// Records with a field that starts with a blank, or a quoted field with a doubled quote or
// over lines, are left to CsvReader.
class PlainRowReader {
public:
    explicit PlainRowReader(const CsvLayout& layout);

    // Reads the record at start (not a line end) of the text that ends at end (a NUL must
    // follow it, as in std::string), adding its bar when the row is good. Returns where
    // the record ends (a line end or end), or null when the record is left to CsvReader.
    char* Read(char* start, char* end, std::vector<quorex::PriceBar>& bars) const;

private:
    enum class Role : unsigned char { None, Date, Open, High, Low, Close, Volume };
    // A file with a value in a column past these is read by CsvReader.
    static constexpr std::size_t kMaxColumns = 32;

    char* SkipField(char* p, char* end) const;
    // The closing quote of a simple quoted field at p, or null.
    char* QuotedEnd(char* p, char* end) const;
    void ReadQuotedValue(std::string_view text, Role role, RowValues& row) const;
    char* ReadNumber(char* p, char* end, Role role, FieldNumber& number) const;

    std::array<Role, kMaxColumns> m_roles{};
    bool m_usable = true;
    char m_separator;
    // Bytes that end a field: the separator, CR and LF (and the end of the text).
    std::array<bool, 256> m_stops{};
};

} // namespace brasko
