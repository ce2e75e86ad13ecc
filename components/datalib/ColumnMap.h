#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace brasko {

// Which field of a row holds which value; -1: the file has no such column.
struct ColumnMap {
    int date = -1;
    int open = -1;
    int high = -1;
    int low = -1;
    int close = -1;
    int volume = -1;

    bool operator==(const ColumnMap&) const = default;

    // The row as a header: names matched case-insensitively in any order (English and
    // Japanese), other columns ignored. Null unless it names a date and some value column.
    static std::optional<ColumnMap> FromHeader(const std::vector<std::string_view>& names);

    // A file without a header: Date, Open, High, Low, Close, Volume by position; a row of
    // two fields is Date, Close.
    static ColumnMap ByPosition(std::size_t fieldCount);
};

} // namespace brasko
