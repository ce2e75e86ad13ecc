#include "screen/ConditionEvaluator.h"
#include "screen/ConditionNeeds.h"
#include "screen/ConditionParser.h"

#include <QDate>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace mosgrid;

namespace {

// Weekdays from Monday 2024-01-01: close i on the i-th (1-based), high close + 1, low close
// - 1, open close - 0.5, volume 100 i. January holds 23 of them, every week five.
std::vector<quorex::PriceBar> RisingSeries(int count)
{
    std::vector<quorex::PriceBar> bars;
    QDate day(2024, 1, 1);
    for (int i = 1; i <= count; day = day.addDays(1)) {
        if (day.dayOfWeek() > 5)
            continue;
        const double close = i;
        bars.push_back({day.year() * 10000 + day.month() * 100 + day.day(), close - 0.5,
                        close + 1, close - 1, close, 100.0 * i});
        ++i;
    }
    return bars;
}

std::shared_ptr<const ConditionNode> Parsed(const char* text)
{
    const auto result = ConditionParser::Parse(QString::fromUtf8(text));
    EXPECT_FALSE(result.error) << text << ": "
                               << (result.error ? result.error->Text().toStdString() : "");
    return result.condition;
}

struct ValueCase {
    const char* expression;
    double value;
};

class ScreenValueTest : public testing::TestWithParam<ValueCase> {};

// Each value is the left side of "expression = 0" on thirty rising bars.
TEST_P(ScreenValueTest, KnownValueOnARisingSeries)
{
    const std::string text = std::string(GetParam().expression) + " = 0";
    const auto condition = Parsed(text.c_str());
    ASSERT_TRUE(condition);
    const std::vector<quorex::PriceBar> bars = RisingSeries(30);
    ConditionEvaluator evaluator(*condition);
    EXPECT_NEAR(evaluator.ValueOf(*condition->left, bars, 4), GetParam().value, 1e-9)
        << GetParam().expression;
}

const double kRoot2 = std::sqrt(2.0);

INSTANTIATE_TEST_SUITE_P(
    EveryFunction, ScreenValueTest,
    testing::Values(
        ValueCase{"close", 30}, ValueCase{"open", 29.5}, ValueCase{"high", 31},
        ValueCase{"low", 29}, ValueCase{"volume", 3000}, ValueCase{"change", 1},
        ValueCase{"change%", 100.0 / 29}, ValueCase{"close[2]", 28},
        ValueCase{"change%[28]", 100.0},
        ValueCase{"flag", 4},
        ValueCase{"MA(5)", 28}, ValueCase{"MA(5)[1]", 27},
        // On a straight line the seeded EMA lags by (n - 1) / 2 from its first value on.
        ValueCase{"EMA(5)", 28}, ValueCase{"EMA(9)[3]", 23},
        ValueCase{"RSI(14)", 100},
        ValueCase{"BBU(5, 2)", 28 + 2 * kRoot2}, ValueCase{"BBL(5, 2)", 28 - 2 * kRoot2},
        ValueCase{"MACD(3, 6, 2)", 1.5}, ValueCase{"MACDS(3, 6, 2)", 1.5},
        // Fast %K: close 5 above the lowest low of 5 bars, range 6.
        ValueCase{"STOCHK(5, 3, 3)", 500.0 / 6},
        ValueCase{"RCI(9)", 100},
        ValueCase{"HIGH(5)", 31}, ValueCase{"LOW(5)", 25}, ValueCase{"AVGVOL(5)", 2800},
        ValueCase{"weekly(close)", 30}, ValueCase{"weekly(close[1])", 25},
        ValueCase{"weekly(MA(2))", 27.5}, ValueCase{"weekly(high)", 31},
        ValueCase{"weekly(low)", 25}, ValueCase{"weekly(volume)", 100.0 * (26 + 27 + 28 + 29 + 30)},
        ValueCase{"monthly(close[1])", 23}, ValueCase{"monthly(change)", 7},
        ValueCase{"monthly(open)", 23.5},
        ValueCase{"(close - MA(5)) / 2 * -1", -1}));

struct OutcomeCase {
    const char* expression;
    int bars;
    ScreenOutcome outcome;
};

class ScreenOutcomeTest : public testing::TestWithParam<OutcomeCase> {};

TEST_P(ScreenOutcomeTest, HoldsFailsOrCannotBeTold)
{
    const auto condition = Parsed(GetParam().expression);
    ASSERT_TRUE(condition);
    const std::vector<quorex::PriceBar> bars = RisingSeries(GetParam().bars);
    ConditionEvaluator evaluator(*condition);
    EXPECT_EQ(evaluator.Evaluate(bars, 3), GetParam().outcome)
        << GetParam().expression << " on " << GetParam().bars << " bars";
}

constexpr auto kHolds = ScreenOutcome::Holds;
constexpr auto kFails = ScreenOutcome::Fails;
constexpr auto kUnknown = ScreenOutcome::NotEvaluable;

INSTANTIATE_TEST_SUITE_P(
    TooShortAndLogic, ScreenOutcomeTest,
    testing::Values(
        OutcomeCase{"close > MA(25) and change% > 2", 30, kHolds},
        OutcomeCase{"close > MA(25) and change% > 4", 30, kFails},
        OutcomeCase{"MA(25) > 0", 24, kUnknown}, OutcomeCase{"MA(25) > 0", 25, kHolds},
        OutcomeCase{"close[3] > 0", 3, kUnknown}, OutcomeCase{"close[3] > 0", 4, kHolds},
        OutcomeCase{"change > 0", 1, kUnknown}, OutcomeCase{"change > 0", 2, kHolds},
        OutcomeCase{"RSI(14) > 50", 14, kUnknown}, OutcomeCase{"RSI(14) > 50", 15, kHolds},
        OutcomeCase{"MACDS(3, 6, 2) > 0", 6, kUnknown},
        OutcomeCase{"MACDS(3, 6, 2) > 0", 7, kHolds},
        OutcomeCase{"STOCHK(5, 3, 3) > 0", 6, kUnknown},
        OutcomeCase{"STOCHK(5, 3, 3) > 0", 7, kHolds},
        OutcomeCase{"weekly(MA(7)) > 0", 30, kUnknown},
        OutcomeCase{"weekly(MA(6)) > 0", 30, kHolds},
        OutcomeCase{"monthly(close[2]) > 0", 30, kUnknown},
        // Three-valued: what is known decides where it can.
        OutcomeCase{"MA(25) > 0 or close > 0", 5, kHolds},
        OutcomeCase{"MA(25) > 0 and close < 0", 5, kFails},
        OutcomeCase{"MA(25) > 0 and close > 0", 5, kUnknown},
        OutcomeCase{"not MA(25) > 0", 5, kUnknown},
        OutcomeCase{"close / (close - close) > 0", 5, kUnknown},
        OutcomeCase{"close = 5 and close >= 5 and close <= 5 and not close <> 5", 5, kHolds},
        OutcomeCase{"close < 5 or close > 5", 5, kFails},
        OutcomeCase{"MA(3) = 4", 5, kHolds},
        OutcomeCase{"flag", 1, kHolds}, OutcomeCase{"flag = 3", 1, kHolds},
        OutcomeCase{"flag = 2", 1, kFails}));

TEST(ConditionEvaluatorTest, ReusedForAnotherSecurityForgetsTheFirst)
{
    const auto condition = Parsed("MA(3) > 10");
    ConditionEvaluator evaluator(*condition);
    EXPECT_EQ(evaluator.Evaluate(RisingSeries(30), 0), kHolds);
    EXPECT_EQ(evaluator.Evaluate(RisingSeries(5), 0), kFails);
    EXPECT_EQ(evaluator.Evaluate(RisingSeries(2), 0), kUnknown);
}

struct NeedsCase {
    const char* expression;
    std::size_t bars;
    std::size_t weeks;
    std::size_t months;
};

class ConditionNeedsTest : public testing::TestWithParam<NeedsCase> {};

TEST_P(ConditionNeedsTest, AsksForWhatItReads)
{
    const auto condition = Parsed(GetParam().expression);
    ASSERT_TRUE(condition);
    const quorex::DataRequest request = ConditionNeeds(*condition);
    EXPECT_EQ(request.latestBars, GetParam().bars) << GetParam().expression;
    EXPECT_EQ(request.latestWeeks, GetParam().weeks) << GetParam().expression;
    EXPECT_EQ(request.latestMonths, GetParam().months) << GetParam().expression;
}

INSTANTIATE_TEST_SUITE_P(
    Needs, ConditionNeedsTest,
    testing::Values(NeedsCase{"close > MA(25) and change% > 2", 25, 0, 0},
                    NeedsCase{"close[3] > 1", 4, 0, 0}, NeedsCase{"change[3] > 1", 5, 0, 0},
                    NeedsCase{"MA(25)[10] > 1", 35, 0, 0}, NeedsCase{"flag = 1", 1, 0, 0},
                    NeedsCase{"weekly(MA(13)) > 0", 1, 13, 0},
                    NeedsCase{"monthly(close[2]) > close[5]", 6, 0, 3}));

} // namespace
