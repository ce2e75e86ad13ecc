#include "DataLibTestSupport.h"

#include <gtest/gtest.h>

namespace {

// One malformed row between two good ones: the row is skipped, the file still reads.
struct BadRowCase {
    const char* name;
    const char* row;
};

std::ostream& operator<<(std::ostream& out, const BadRowCase& c)
{
    return out << c.name;
}

class DataLibBadRows : public ::testing::TestWithParam<BadRowCase> {};

TEST_P(DataLibBadRows, SkipsTheRowOnly)
{
    const std::string file = std::string("Date,Open,High,Low,Close,Volume\n"
                                         "2024-01-04,100,110,95,105,1000\n")
                             + GetParam().row + "\n2024-01-09,111,111,100,102,1500\n";
    const std::vector<int> expected{20240104, 20240109};
    EXPECT_EQ(datalibtest::DatesOf(datalibtest::ParseBytes(file)), expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, DataLibBadRows, ::testing::Values(
    BadRowCase{"ImpossibleDate", "2024-02-30,105,112,101,111,2000"},
    BadRowCase{"WordForDate", "Total,105,112,101,111,2000"},
    BadRowCase{"EmptyDate", ",105,112,101,111,2000"},
    BadRowCase{"DateOnly", "2024-01-05"},
    BadRowCase{"WordForOpen", "2024-01-05,abc,112,101,111,2000"},
    BadRowCase{"NaNClose", "2024-01-05,105,112,101,NaN,2000"},
    BadRowCase{"InfiniteHigh", "2024-01-05,105,inf,101,111,2000"},
    BadRowCase{"HugeLow", "2024-01-05,105,112,1e400,111,2000"},
    BadRowCase{"NegativeLow", "2024-01-05,105,112,-101,111,2000"},
    BadRowCase{"NegativeVolume", "2024-01-05,105,112,101,111,-2000"},
    BadRowCase{"HighBelowLow", "2024-01-05,105,99,101,111,2000"},
    BadRowCase{"MissingClose", "2024-01-05,105,112,101,-,2000"},
    BadRowCase{"NullRow", "2024-01-05,null,null,null,null,null"},
    BadRowCase{"BrokenVolume", "2024-01-05,105,112,101,111,20x0"},
    BadRowCase{"NaNVolume", "2024-01-05,105,112,101,111,nan"},
    BadRowCase{"RepeatedHeader", "Date,Open,High,Low,Close,Volume"},
    BadRowCase{"Footer", "Data provided by Example Vendor"},
    BadRowCase{"UnclosedQuoteToTheEnd", "2024-01-05,\"105"}));

// Whole files without a single good row give no data object.
struct NoDataCase {
    const char* name;
    std::string bytes;
};

std::ostream& operator<<(std::ostream& out, const NoDataCase& c)
{
    return out << c.name;
}

class DataLibNoData : public ::testing::TestWithParam<NoDataCase> {};

TEST_P(DataLibNoData, GivesNull)
{
    EXPECT_EQ(datalibtest::ParseBytes(GetParam().bytes), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Files, DataLibNoData, ::testing::Values(
    NoDataCase{"Empty", ""},
    NoDataCase{"LineBreaksOnly", "\n\r\n\n"},
    NoDataCase{"HeaderOnly", "Date,Open,High,Low,Close,Volume\n"},
    NoDataCase{"TitleLinesOnly", "Sample Corp\nDaily prices\n"},
    NoDataCase{"AllRowsBad", "Date,Close\n2024-01-04,abc\n2024-13-01,5\n"},
    NoDataCase{"HeaderWithoutClose",
               "Date,Open,High,Low,Volume\n2024-01-04,100,110,95,1000\n"},
    NoDataCase{"OneFieldPerLine", "2024-01-04\n2024-01-05\n"},
    NoDataCase{"NulBytes", std::string(4096, '\0')},
    NoDataCase{"OnlyQuote", "\""},
    NoDataCase{"BomOnly", "\xEF\xBB\xBF"},
    NoDataCase{"Utf16BomOddLength", "\xFF\xFE" "D"}));

} // namespace
