#include "export/CsvValueTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace mosgrid;

namespace {

TEST(CsvValueTable, NumbersKeepSixSignificantDigits)
{
    const struct {
        double value;
        const char* text;
    } rows[] = {
        {1234.5678, "1234.57"},   {0.000123456789, "0.000123457"}, {-52.5, "-52.5"},
        {70.46413502, "70.4641"}, {100, "100"},                    {2500000, "2500000"},
        {1234567.8, "1234570"},   {0.5, "0.5"},                    {-0.0, "0"},
        {999999.7, "1000000"},    {1.5e-9, "1.5e-09"},             {3.25e20, "3.25e+20"},
        {std::numeric_limits<double>::quiet_NaN(), ""},
        {std::numeric_limits<double>::infinity(), ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(CsvValueTable::Number(row.value), QString::fromUtf8(row.text)) << row.value;
}

TEST(CsvValueTable, RecordsQuoteAsRfc4180AndEndInCrLf)
{
    EXPECT_EQ(CsvValueTable::Start(), QByteArray("\xEF\xBB\xBF"));
    const struct {
        QStringList fields;
        QByteArray line;
    } rows[] = {
        {{"7203", "トヨタ自動車", "", "2024-06-03"},
         QByteArray("7203,") + QString("トヨタ自動車").toUtf8() + ",,2024-06-03\r\n"},
        {{"BB upper(20,2)", "say \"hi\"", "two\r\nlines", "a\nb"},
         "\"BB upper(20,2)\",\"say \"\"hi\"\"\",\"two\r\nlines\",\"a\nb\"\r\n"},
        {{}, "\r\n"},
        {{""}, "\r\n"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(CsvValueTable::Record(row.fields), row.line) << row.line.toStdString();
}

} // namespace
