#include "PlainRowReader.h"

#include "BarRules.h"
#include "DateParser.h"
#include "NumberParser.h"
#include "TextScan.h"

namespace brasko {

using quorex::PriceBar;

PlainRowReader::PlainRowReader(const CsvLayout& layout)
    : m_separator(layout.separator)
{
    const std::pair<int, Role> columns[] = {
        {layout.map.date, Role::Date},   {layout.map.open, Role::Open},
        {layout.map.high, Role::High},   {layout.map.low, Role::Low},
        {layout.map.close, Role::Close}, {layout.map.volume, Role::Volume},
    };
    for (const auto& [column, role] : columns) {
        if (column >= 0 && std::size_t(column) < kMaxColumns)
            m_roles[std::size_t(column)] = role;
        m_usable = m_usable && std::size_t(column + 1) <= kMaxColumns;
    }
    for (char stop : {m_separator, '\n', '\r'})
        m_stops[static_cast<unsigned char>(stop)] = true;
}

char* PlainRowReader::SkipField(char* p, char* end) const
{
    // A NUL inside the text is data, as CsvReader reads it.
    while (p != end && !m_stops[static_cast<unsigned char>(*p)])
        ++p;
    return p;
}

// Inlined in Read: a call for every number took a twentieth of reading a row (measured).
[[gnu::always_inline]] inline char* PlainRowReader::ReadNumber(char* p, char* end, Role role,
                                                                FieldNumber& number) const
{
    // Digits and one point, as ParsePlainDecimal takes them; the NUL after the text ends
    // the digits there.
    char* const start = p;
    std::uint64_t mantissa = 0;
    while (IsDigit(*p))
        mantissa = mantissa * 10 + std::uint64_t(*p++ - '0');
    std::ptrdiff_t digits = p - start;
    std::ptrdiff_t fraction = 0;
    if (*p == '.') {
        char* const first = ++p;
        while (IsDigit(*p))
            mantissa = mantissa * 10 + std::uint64_t(*p++ - '0');
        fraction = p - first;
        digits += fraction;
    }
    const bool atStop = p == end || m_stops[static_cast<unsigned char>(*p)];
    if (atStop && digits > 0 && digits <= kMaxExactDigits) {
        number = FieldNumber::Of(DecimalValue(mantissa, fraction));
        return p;
    }
    p = SkipField(p, end);
    const std::string_view field(start, std::size_t(p - start));
    number = role == Role::Volume ? ParseDecoratedVolume(field, m_separator)
                                  : ParseDecoratedPrice(field, m_separator);
    return p;
}

char* PlainRowReader::QuotedEnd(char* p, char* end) const
{
    // The closing quote, with no quote or line end before it (a doubled quote, or a field
    // over lines, is CsvReader's), and a field end right after it.
    char* close = p + 1;
    while (close != end && *close != '"' && !IsLineEnd(*close))
        ++close;
    if (close == end || *close != '"')
        return nullptr;
    char* const after = close + 1;
    if (after != end && (*after == '"' || !m_stops[static_cast<unsigned char>(*after)]))
        return nullptr;
    return close;
}

void PlainRowReader::ReadQuotedValue(std::string_view text, Role role, RowValues& row) const
{
    switch (role) {
    case Role::None:
        break;
    case Role::Date:
        row.date = ParseDate(text);
        break;
    case Role::Open:
        row.open = ParsePrice(text, m_separator);
        break;
    case Role::High:
        row.high = ParsePrice(text, m_separator);
        break;
    case Role::Low:
        row.low = ParsePrice(text, m_separator);
        break;
    case Role::Close:
        row.close = ParsePrice(text, m_separator);
        break;
    case Role::Volume:
        row.volume = ParseVolume(text, m_separator);
        break;
    }
}

char* PlainRowReader::Read(char* start, char* end, std::vector<PriceBar>& bars) const
{
    if (!m_usable)
        return nullptr;
    RowValues row;
    char* p = start;
    for (std::size_t column = 0;; ++column) {
        if (IsBlank(*p))
            return nullptr;
        const Role role = column < kMaxColumns ? m_roles[column] : Role::None;
        if (*p == '"') {
            // A quoted field of one line, read as CsvReader unquotes it.
            char* const close = QuotedEnd(p, end);
            if (!close)
                return nullptr;
            ReadQuotedValue(std::string_view(p + 1, std::size_t(close - p - 1)), role, row);
            p = close + 1;
            if (p == end || *p != m_separator)
                break;
            ++p;
            continue;
        }
        switch (role) {
        case Role::None:
            p = SkipField(p, end);
            break;
        case Role::Date: {
            char* const field = p;
            p = SkipField(p, end);
            row.date = ParseDate(std::string_view(field, std::size_t(p - field)));
            break;
        }
        case Role::Open:
            p = ReadNumber(p, end, role, row.open);
            break;
        case Role::High:
            p = ReadNumber(p, end, role, row.high);
            break;
        case Role::Low:
            p = ReadNumber(p, end, role, row.low);
            break;
        case Role::Close:
            p = ReadNumber(p, end, role, row.close);
            break;
        case Role::Volume:
            p = ReadNumber(p, end, role, row.volume);
            break;
        }
        if (p == end || *p != m_separator)
            break;
        ++p;
    }
    // Columns the row does not reach stay missing, as empty fields are.
    if (row.date != 0 && !MakeFullBar(row, bars.emplace_back()))
        bars.pop_back();
    return p;
}

} // namespace brasko
