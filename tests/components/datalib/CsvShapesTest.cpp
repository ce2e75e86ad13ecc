#include "DataLibTestSupport.h"

#include <gtest/gtest.h>

namespace {

using datalibtest::Bar;

// The three trading days every full-bar fixture below describes, whatever its shape.
const std::vector<Bar> kThreeDays{
    {20240104, 100, 110, 95, 105, 1000},
    {20240105, 105, 112, 101, 111, 2000},
    {20240109, 111, 111, 100, 102, 1500},
};

// The same days from a file that has dates and closes only.
const std::vector<Bar> kCloseOnly{
    {20240104, 105, 105, 105, 105, 0},
    {20240105, 111, 111, 111, 111, 0},
    {20240109, 102, 102, 102, 102, 0},
};

struct ShapeCase {
    const char* name;
    std::string bytes;
    std::vector<Bar> expected;
};

std::ostream& operator<<(std::ostream& out, const ShapeCase& c)
{
    return out << c.name;
}

class DataLibCsvShapes : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(DataLibCsvShapes, GivesTheBarsInDateOrder)
{
    EXPECT_EQ(datalibtest::BarsOf(datalibtest::ParseBytes(GetParam().bytes)),
              GetParam().expected);
}

std::string Utf16Le(const std::string& ascii)
{
    std::string out = "\xFF\xFE";
    for (char c : ascii) {
        out += c;
        out += '\0';
    }
    return out;
}

const std::string kJapaneseTitleHeader =
    "2401 東証プライム 青葉製薬\r\n"
    "日付,始値,高値,安値,終値調整値,終値,出来高\r\n";
// The adjusted close sits where a file without a header has its close.
const std::string kJapaneseRowsNewestFirst =
    "2024/01/09,111,111,100,51,102,1500\r\n"
    "2024/01/05,105,112,101,55.5,111,2000\r\n"
    "2024/01/04,100,110,95,52.5,105,1000\r\n";

INSTANTIATE_TEST_SUITE_P(Headers, DataLibCsvShapes, ::testing::Values(
    ShapeCase{"EnglishAscending",
              "Date,Open,High,Low,Close,Adj Close,Volume\n"
              "2024-01-04,100,110,95,105,99.5,1000\n"
              "2024-01-05,105,112,101,111,104.9,2000\n"
              "2024-01-09,111,111,100,102,97.2,1500\n",
              kThreeDays},
    ShapeCase{"AnyColumnOrderAnyCase",
              "VOLUME,close,Low,date,HIGH,Open\n"
              "1000,105,95,2024-01-04,110,100\n"
              "2000,111,101,2024-01-05,112,105\n"
              "1500,102,100,2024-01-09,111,111\n",
              kThreeDays},
    ShapeCase{"NasdaqCloseLastWithDollars",
              "Date, Close/Last, Volume, Open, High, Low\n"
              "01/09/2024, $102.00, 1500, $111.00, $111.00, $100.00\n"
              "01/05/2024, $111.00, 2000, $105.00, $112.00, $101.00\n"
              "01/04/2024, $105.00, 1000, $100.00, $110.00, $95.00\n",
              kThreeDays},
    ShapeCase{"InvestingPriceVolQuoted",
              "\"Date\",\"Price\",\"Open\",\"High\",\"Low\",\"Vol.\",\"Change %\"\n"
              "\"01/09/2024\",\"102.0\",\"111.0\",\"111.0\",\"100.0\",\"1.5K\",\"-8.11%\"\n"
              "\"01/05/2024\",\"111.0\",\"105.0\",\"112.0\",\"101.0\",\"2.00K\",\"5.71%\"\n"
              "\"01/04/2024\",\"105.0\",\"100.0\",\"110.0\",\"95.0\",\"1K\",\"0.00%\"\n",
              kThreeDays},
    ShapeCase{"TimeAndTimestampNames",
              "Time,Open,High,Low,Close,Vol.\n"
              "2024-01-04 15:00:00,100,110,95,105,1000\n"
              "2024-01-05T15:00:00Z,105,112,101,111,2000\n"
              "2024-01-09 15:00,111,111,100,102,1500\n",
              kThreeDays},
    ShapeCase{"JapaneseUtf8TitleNewestFirst",
              kJapaneseTitleHeader + kJapaneseRowsNewestFirst, kThreeDays},
    ShapeCase{"JapaneseNenGappiDates",
              "日付,始値,高値,安値,終値,出来高,売買代金\n"
              "2024年1月9日,111,111,100,102,1500,153000\n"
              "2024年1月5日,105,112,101,111,2000,222000\n"
              "2024年1月4日,100,110,95,105,1000,105000\n",
              kThreeDays},
    ShapeCase{"CloseOnly", "Date,Close\n2024-01-04,105\n2024-01-05,111\n2024-01-09,102\n",
              kCloseOnly},
    ShapeCase{"QuotedHeaderAndEscapes",
              "\"Date\",\"Note\",\"Open\",\"High\",\"Low\",\"Close\",\"Volume\"\n"
              "\"2024-01-04\",\"say \"\"hi\"\", ok\",100,110,95,105,1000\n"
              "\"2024-01-05\",\"two\nlines\",105,112,101,111,2000\n"
              "\"2024-01-09\",,111,111,100,102,1500\n",
              kThreeDays}));

INSTANTIATE_TEST_SUITE_P(NoHeader, DataLibCsvShapes, ::testing::Values(
    ShapeCase{"ByPosition",
              "20240104,100,110,95,105,1000\n"
              "20240105,105,112,101,111,2000\n"
              "20240109,111,111,100,102,1500",
              kThreeDays},
    ShapeCase{"ByPositionAfterTitle",
              "Sample Corp daily\n"
              "2024.01.04,100,110,95,105,1000\n"
              "2024.01.05,105,112,101,111,2000\n"
              "2024.01.09,111,111,100,102,1500\n",
              kThreeDays},
    ShapeCase{"TwoFieldsAreDateClose", "2024/1/4,105\n2024/1/5,111\n2024/1/9,102\n",
              kCloseOnly}));

INSTANTIATE_TEST_SUITE_P(Encodings, DataLibCsvShapes, ::testing::Values(
    ShapeCase{"ShiftJis",
              datalibtest::ToCp932(kJapaneseTitleHeader + kJapaneseRowsNewestFirst),
              kThreeDays},
    ShapeCase{"Utf8Bom", "\xEF\xBB\xBF" + kJapaneseTitleHeader + kJapaneseRowsNewestFirst,
              kThreeDays},
    ShapeCase{"Utf16LeBomTabs",
              Utf16Le("Date\tOpen\tHigh\tLow\tClose\tVolume\r\n"
                      "2024/01/04\t100\t110\t95\t105\t1000\r\n"
                      "2024/01/05\t105\t112\t101\t111\t2000\r\n"
                      "2024/01/09\t111\t111\t100\t102\t1500\r\n"),
              kThreeDays}));

INSTANTIATE_TEST_SUITE_P(Separators, DataLibCsvShapes, ::testing::Values(
    ShapeCase{"Tab",
              "Date\tOpen\tHigh\tLow\tClose\tVolume\n"
              "2024/1/4\t100\t110\t95\t105\t1,000\n"
              "2024/1/5\t105\t112\t101\t111\t2,000\n"
              "2024/1/9\t111\t111\t100\t102\t1,500\n",
              kThreeDays},
    ShapeCase{"SemicolonDecimalComma",
              "Date;Open;High;Low;Close;Volume\n"
              "2024.01.04;100,0;110,0;95,0;105,0;1000\n"
              "2024.01.05;105,0;112,0;101,0;111,0;2000\n"
              "2024.01.09;111,0;111,0;100,0;102,0;1500\n",
              kThreeDays},
    ShapeCase{"QuotedThousands",
              "Date,Open,High,Low,Close,Volume\n"
              "2024-01-04,\"100.0\",\"110.0\",\"95.0\",\"105.0\",\"1,000\"\n"
              "2024-01-05, \"105.0\",\"112.0\",\"101.0\",\"111.0\",\"2,000\"\n"
              "2024-01-09,\"111.0\",\"111.0\",\"100.0\",\"102.0\",\"1,500\"\n",
              kThreeDays},
    ShapeCase{"CarriageReturnsOnly",
              "Date,Open,High,Low,Close,Volume\r"
              "2024-01-04,100,110,95,105,1000\r"
              "2024-01-05,105,112,101,111,2000\r"
              "2024-01-09,111,111,100,102,1500\r",
              kThreeDays},
    ShapeCase{"BlankLinesBetween",
              "\n\nDate,Open,High,Low,Close,Volume\n\n"
              "2024-01-04,100,110,95,105,1000\n\r\n"
              "2024-01-05,105,112,101,111,2000\n\n\n"
              "2024-01-09,111,111,100,102,1500\n\n",
              kThreeDays}));

INSTANTIATE_TEST_SUITE_P(Order, DataLibCsvShapes, ::testing::Values(
    ShapeCase{"Shuffled",
              "Date,Open,High,Low,Close,Volume\n"
              "2024-01-05,105,112,101,111,2000\n"
              "2024-01-09,111,111,100,102,1500\n"
              "2024-01-04,100,110,95,105,1000\n",
              kThreeDays},
    ShapeCase{"DuplicateKeepsLastAscending",
              "Date,Open,High,Low,Close,Volume\n"
              "2024-01-04,100,110,95,105,1000\n"
              "2024-01-05,1,1,1,1,1\n"
              "2024-01-05,105,112,101,111,2000\n"
              "2024-01-09,111,111,100,102,1500\n",
              kThreeDays},
    ShapeCase{"DuplicateKeepsLastNewestFirst",
              "Date,Open,High,Low,Close,Volume\n"
              "2024-01-09,111,111,100,102,1500\n"
              "2024-01-05,1,1,1,1,1\n"
              "2024-01-05,105,112,101,111,2000\n"
              "2024-01-04,100,110,95,105,1000\n",
              kThreeDays},
    ShapeCase{"DuplicateKeepsLastShuffled",
              "Date,Open,High,Low,Close,Volume\n"
              "2024-01-05,1,1,1,1,1\n"
              "2024-01-09,111,111,100,102,1500\n"
              "2024-01-04,100,110,95,105,1000\n"
              "2024-01-05,105,112,101,111,2000\n",
              kThreeDays}));

INSTANTIATE_TEST_SUITE_P(MissingValues, DataLibCsvShapes, ::testing::Values(
    ShapeCase{"MissingVolumeIsZero",
              "Date,Open,High,Low,Close,Volume\n2024-01-04,100,110,95,105,-\n",
              {{20240104, 100, 110, 95, 105, 0}}},
    ShapeCase{"MissingOpenHighLowFromClose",
              "Date,Open,High,Low,Close,Volume\n2024-01-04,N/A,null,,105,1000\n",
              {{20240104, 105, 105, 105, 105, 1000}}},
    ShapeCase{"ShortRowMissesTrailingColumns",
              "Date,Close,Open,High,Low,Volume\n2024-01-04,105,100\n",
              {{20240104, 100, 105, 100, 105, 0}}}));

} // namespace
