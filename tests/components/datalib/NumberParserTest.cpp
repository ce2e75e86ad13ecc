#include "NumberParser.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace {

using brasko::FieldNumber;
using State = FieldNumber::State;

struct NumberCase {
    const char* text;
    char separator;
    bool volume;
    State state;
    double value;
};

std::ostream& operator<<(std::ostream& out, const NumberCase& c)
{
    return out << '"' << c.text << "\" sep '" << c.separator << "'";
}

class DataLibNumbers : public ::testing::TestWithParam<NumberCase> {};

TEST_P(DataLibNumbers, ReadsValueMissingOrBad)
{
    const NumberCase& c = GetParam();
    const FieldNumber n = c.volume ? brasko::ParseVolume(c.text, c.separator)
                                   : brasko::ParsePrice(c.text, c.separator);
    ASSERT_EQ(n.state, c.state);
    if (c.state == State::Value) {
        EXPECT_DOUBLE_EQ(n.value, c.value);
    }
}

constexpr State V = State::Value;
constexpr State M = State::Missing;
constexpr State B = State::Bad;

INSTANTIATE_TEST_SUITE_P(Prices, DataLibNumbers, ::testing::Values(
    NumberCase{"1234.5", ',', false, V, 1234.5},
    NumberCase{" 1234 ", ',', false, V, 1234},
    NumberCase{"0", ',', false, V, 0},
    NumberCase{"1e3", ',', false, V, 1000},
    NumberCase{"$123.45", ',', false, V, 123.45},
    NumberCase{"1,234.5", ',', false, V, 1234.5},
    NumberCase{"1,234,567", ',', false, V, 1234567},
    NumberCase{"$1,234.50", ',', false, V, 1234.5},
    NumberCase{"-5", ',', false, V, -5},
    NumberCase{"-$5", ',', false, V, -5},
    NumberCase{"12,5", ';', false, V, 12.5},
    NumberCase{"1,234", ';', false, V, 1234},
    NumberCase{"12,5", ',', false, B, 0},
    NumberCase{"1,23,456", ',', false, B, 0},
    NumberCase{",123", ',', false, B, 0},
    NumberCase{"1,234.5,6", ',', false, B, 0},
    NumberCase{"1.5,2", ';', false, B, 0}));

INSTANTIATE_TEST_SUITE_P(MissingMarks, DataLibNumbers, ::testing::Values(
    NumberCase{"", ',', false, M, 0},
    NumberCase{"   ", ',', false, M, 0},
    NumberCase{"-", ',', false, M, 0},
    NumberCase{"null", ',', false, M, 0},
    NumberCase{"NULL", ',', false, M, 0},
    NumberCase{"N/A", ',', false, M, 0},
    NumberCase{"n/a", ',', true, M, 0},
    NumberCase{"-", ',', true, M, 0}));

INSTANTIATE_TEST_SUITE_P(BadValues, DataLibNumbers, ::testing::Values(
    NumberCase{"NaN", ',', false, B, 0},
    NumberCase{"nan", ',', true, B, 0},
    NumberCase{"inf", ',', false, B, 0},
    NumberCase{"-Infinity", ',', false, B, 0},
    NumberCase{"1e999", ',', false, B, 0},
    NumberCase{"abc", ',', false, B, 0},
    NumberCase{"12abc", ',', false, B, 0},
    NumberCase{"1.2.3", ',', false, B, 0},
    NumberCase{"--5", ',', false, B, 0},
    NumberCase{"+5", ',', false, B, 0},
    NumberCase{"$", ',', false, B, 0},
    NumberCase{"$-5", ',', false, B, 0},
    NumberCase{"0x10", ',', false, B, 0},
    NumberCase{"1.5K", ',', false, B, 0}, // suffixes are for volumes only
    NumberCase{"1111111111111111111111111111111111111111111111111111111111111111111", ',',
               false, B, 0}));

INSTANTIATE_TEST_SUITE_P(Volumes, DataLibNumbers, ::testing::Values(
    NumberCase{"123400", ',', true, V, 123400},
    NumberCase{"1.5K", ',', true, V, 1500},
    NumberCase{"2.25M", ',', true, V, 2250000},
    NumberCase{"1.1B", ',', true, V, 1.1e9},
    NumberCase{"3m", ',', true, V, 3e6},
    NumberCase{"1,234.5K", ',', true, V, 1234500},
    NumberCase{"1.5 M", ',', true, V, 1500000},
    NumberCase{"K", ',', true, B, 0},
    NumberCase{"-K", ',', true, B, 0},
    NumberCase{"1.5X", ',', true, B, 0},
    NumberCase{"1e308K", ',', true, B, 0}));

// Plain decimals take a shortcut; it must give exactly what from_chars gives, bit for bit,
// up to and past the number of digits the shortcut handles.
TEST(DataLibNumberExactness, PlainDecimalsMatchFromChars)
{
    std::mt19937_64 random(42);
    for (int i = 0; i < 200000; ++i) {
        const int digits = 1 + int(random() % 18);
        std::string text;
        for (int d = 0; d < digits; ++d)
            text += char('0' + random() % 10);
        const int point = int(random() % (digits + 2)) - 1; // -1: no point
        if (point >= 0)
            text.insert(std::size_t(point), ".");
        double expected = 0;
        std::from_chars(text.data(), text.data() + text.size(), expected);
        const FieldNumber n = brasko::ParsePrice(text, ',');
        ASSERT_EQ(n.state, State::Value) << text;
        ASSERT_EQ(std::memcmp(&n.value, &expected, sizeof expected), 0) << text;
    }
}

} // namespace
