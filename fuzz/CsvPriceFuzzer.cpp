// The data library's price-file parser on any bytes: UTF-8, Shift-JIS, UTF-16, with or
// without headers, quotes and separators. Property: what it gives is a series the control
// may rely on (see PriceChecks.h).
#include "PriceChecks.h"

#include "CsvPriceParser.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string bytes(reinterpret_cast<const char*>(data), size);
    fuzz::CheckSeries(brasko::ParsePriceFile(bytes));
    return 0;
}
