#include "DateParser.h"

#include <gtest/gtest.h>

namespace {

struct DateCase {
    const char* text;
    int expected; // 0: refused
};

class DataLibDates : public ::testing::TestWithParam<DateCase> {};

TEST_P(DataLibDates, ReadsTheDayOrRefuses)
{
    EXPECT_EQ(brasko::ParseDate(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Forms, DataLibDates, ::testing::Values(
    DateCase{"2024-01-05", 20240105},
    DateCase{"2024/01/05", 20240105},
    DateCase{"2024/1/5", 20240105},
    DateCase{"2024-1-5", 20240105},
    DateCase{"20240105", 20240105},
    DateCase{"2024.01.05", 20240105},
    DateCase{"2024年1月5日", 20240105},
    DateCase{"2024年12月31日", 20241231},
    DateCase{"01/05/2024", 20240105},
    DateCase{"1/5/2024", 20240105},
    DateCase{"12/31/2024", 20241231},
    DateCase{"  2024-01-05\t", 20240105},
    DateCase{"2024-01-05 ", 20240105}));

INSTANTIATE_TEST_SUITE_P(TimeIgnored, DataLibDates, ::testing::Values(
    DateCase{"2024-01-05 15:00", 20240105},
    DateCase{"2024-01-05T15:00:00+09:00", 20240105},
    DateCase{"2024/1/5 9:00:00", 20240105},
    DateCase{"20240105 000000", 20240105},
    DateCase{"01/05/2024 16:00:00", 20240105},
    DateCase{"2024年1月5日 15:00", 20240105}));

INSTANTIATE_TEST_SUITE_P(Calendar, DataLibDates, ::testing::Values(
    DateCase{"2024-02-29", 20240229},
    DateCase{"2023-02-29", 0},
    DateCase{"1900-02-29", 0},
    DateCase{"2000-02-29", 20000229},
    DateCase{"2024-04-31", 0},
    DateCase{"2024-13-01", 0},
    DateCase{"2024-00-10", 0},
    DateCase{"2024-01-00", 0},
    DateCase{"13/05/2024", 0}, // day-first is not a form we read
    DateCase{"0999-01-01", 0}));

INSTANTIATE_TEST_SUITE_P(Refused, DataLibDates, ::testing::Values(
    DateCase{"", 0},
    DateCase{"   ", 0},
    DateCase{"Date", 0},
    DateCase{"2024", 0},
    DateCase{"2024-01", 0},
    DateCase{"2024-01/05", 0},
    DateCase{"2024-001-05", 0},
    DateCase{"2024-01-005", 0},
    DateCase{"202401051", 0},
    DateCase{"2024010", 0},
    DateCase{"2024-01-05x", 0},
    DateCase{"2024-01-05 close", 0},
    DateCase{"2024-01-05T", 0},
    DateCase{"2024年1月5", 0},
    DateCase{"2024年1-5日", 0},
    DateCase{"1/5/24", 0},
    DateCase{"-2024-01-05", 0},
    DateCase{"1704412800", 0}));

} // namespace
