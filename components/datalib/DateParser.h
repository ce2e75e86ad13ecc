#pragma once

#include <cstdint>
#include <string_view>

namespace brasko {

// The calendar day of a price file's date field as yyyymmdd, or 0 when the text is not a
// valid day in one of the forms below. Accepted: YYYY-MM-DD, YYYY/MM/DD, YYYY.MM.DD (month
// and day with one or two digits), YYYYMMDD, YYYY年M月D日 (UTF-8) and the US form
// MM/DD/YYYY. A time of day may follow after a blank or 'T'; daily bars ignore it.
std::int32_t ParseDate(std::string_view text);

} // namespace brasko
