#include "ScreenTreeText.h"

#include "screen/ConditionParser.h"
#include "screen/ScreenTexts.h"

#include <gtest/gtest.h>

using namespace mosgrid;

namespace {

struct TreeCase {
    const char* text;
    const char* tree;
};

class ConditionTreeTest : public testing::TestWithParam<TreeCase> {};

TEST_P(ConditionTreeTest, GroupsAsWritten)
{
    const auto result = ConditionParser::Parse(QString::fromUtf8(GetParam().text));
    ASSERT_FALSE(result.error) << result.error->Text().toStdString();
    ASSERT_TRUE(result.condition);
    EXPECT_EQ(TreeText(*result.condition).toStdString(), GetParam().tree);
}

INSTANTIATE_TEST_SUITE_P(
    Precedence, ConditionTreeTest,
    testing::Values(
        TreeCase{"close > MA(25) and change% > 2", "(and (> close MA(25)) (> change% 2))"},
        TreeCase{"1 + 2 * 3 > 4", "(> (+ 1 (* 2 3)) 4)"},
        TreeCase{"(1 + 2) * 3 > 4", "(> (* (+ 1 2) 3) 4)"},
        TreeCase{"10 - 4 - 3 = 3", "(= (- (- 10 4) 3) 3)"},
        TreeCase{"8 / 4 / 2 >= 1", "(>= (/ (/ 8 4) 2) 1)"},
        TreeCase{"-close < -2 * 3", "(< (neg close) (* (neg 2) 3))"},
        TreeCase{"close > 1 or close < 2 and open = 3",
                 "(or (> close 1) (and (< close 2) (= open 3)))"},
        TreeCase{"not close > 1 and open <> 2", "(and (not (> close 1)) (<> open 2))"},
        TreeCase{"not not close <= 1", "(not (not (<= close 1)))"},
        TreeCase{"close > 1 でない かつ open > 2 または low < 3",
                 "(or (and (not (> close 1)) (> open 2)) (< low 3))"},
        TreeCase{"(close > 1 or open > 1) and volume > AVGVOL(20) * 2",
                 "(and (or (> close 1) (> open 1)) (> volume (* AVGVOL(20) 2)))"},
        TreeCase{"close[1] > MA(5)[2]", "(> close[1] MA(5)[2])"},
        TreeCase{"high > HIGH(20)[1] and low < LOW(5)",
                 "(and (> high HIGH(20)[1]) (< low LOW(5)))"},
        TreeCase{"BBU(20, 2.5) > BBL(20,2)", "(> BBU(20,2.5) BBL(20,2))"},
        TreeCase{"MACD(12,26,9) > MACDS(12,26,9)", "(> MACD(12,26,9) MACDS(12,26,9))"},
        TreeCase{"STOCHK(14,3,3) < 20 or RCI(9) < -80 or RSI(14) < 30 or EMA(5) > 1",
                 "(or (or (or (< STOCHK(14,3,3) 20) (< RCI(9) (neg 80))) (< RSI(14) 30))"
                 " (> EMA(5) 1))"},
        TreeCase{"weekly(close > MA(13)) and monthly(close[1]) < close",
                 "(and (> close@w MA(13)@w) (< close[1]@m close))"},
        TreeCase{"weekly(monthly(close) > close)", "(> close@m close@w)"},
        TreeCase{"flag", "(<> flag 0)"},
        TreeCase{"flag = 3 or not flag", "(or (= flag 3) (not (<> flag 0)))"},
        TreeCase{"Close > ma(25) AND Change% > 2", "(and (> close MA(25)) (> change% 2))"},
        TreeCase{"ｃｌｏｓｅ　＞　ＭＡ（２５）", "(> close MA(25))"},
        TreeCase{".5 < 1.25", "(< 0.5 1.25)"}));

struct ErrorCase {
    const char* text;
    int position;     // counted in characters from 0
    QString message;
};

class ConditionErrorTest : public testing::TestWithParam<ErrorCase> {};

TEST_P(ConditionErrorTest, TellsWhereAndWhat)
{
    const auto result = ConditionParser::Parse(QString::fromUtf8(GetParam().text));
    ASSERT_TRUE(result.error) << GetParam().text;
    EXPECT_FALSE(result.condition);
    EXPECT_EQ(result.error->position, GetParam().position) << GetParam().text;
    EXPECT_EQ(result.error->message.toStdString(), GetParam().message.toStdString());
}

using namespace ScreenTexts;

INSTANTIATE_TEST_SUITE_P(
    Errors, ConditionErrorTest,
    testing::Values(
        ErrorCase{"close > MA(25", 13, kErrCloseExpected},
        ErrorCase{"close > ", 8, kErrValueExpected},
        ErrorCase{"close $ 3", 6, kErrCharacter.arg(QStringLiteral("$"))},
        ErrorCase{"clse > 3", 0, kErrUnknownName.arg(QStringLiteral("clse"))},
        ErrorCase{"close > 3 それ", 10, kErrUnknownName.arg(QStringLiteral("それ"))},
        ErrorCase{"close > MA", 10, kErrOpenExpected.arg(QStringLiteral("MA"))},
        ErrorCase{"close > MA(0)", 11, kErrPeriod.arg(1).arg(1000)},
        ErrorCase{"close > MA(2.5)", 11, kErrPeriod.arg(1).arg(1000)},
        ErrorCase{"RCI(1) > 0", 4, kErrPeriod.arg(2).arg(1000)},
        ErrorCase{"close > MA(5, 3)", 12, kErrArgumentCount.arg(QStringLiteral("MA")).arg(1)},
        ErrorCase{"BBU(20) > 0", 6, kErrArgumentCount.arg(QStringLiteral("BBU")).arg(2)},
        ErrorCase{"BBU(20, 0) > 0", 8, kErrWidth},
        ErrorCase{"close", 0, kErrConditionExpected},
        ErrorCase{"close + 1", 0, kErrConditionExpected},
        ErrorCase{"close > 1 and 2", 14, kErrConditionExpected},
        ErrorCase{"(close > 1) + 2 > 0", 0, kErrNumberExpected},
        ErrorCase{"1 < close < 3", 10, kErrChainedComparison},
        ErrorCase{"close[1.5] > 0", 6, kErrBarsBack.arg(10000)},
        ErrorCase{"close[2 > 0", 8, kErrBracketExpected},
        ErrorCase{"(close + 1)[1] > 0", 11, kErrBarsBackPlace},
        ErrorCase{"flag[1] > 0", 4, kErrBarsBackPlace},
        ErrorCase{"close > 1)", 9, kErrExtra.arg(QStringLiteral(")"))},
        ErrorCase{"close > 1.2.3", 8, kErrNumber.arg(QStringLiteral("1.2.3"))},
        ErrorCase{"weekly close > 1", 7, kErrOpenExpected.arg(QStringLiteral("weekly"))}));

TEST(ConditionParserTest, BlankTextIsNoConditionAndNoError)
{
    for (const char* text : {"", "   ", "\t　"}) {
        const auto result = ConditionParser::Parse(QString::fromUtf8(text));
        EXPECT_FALSE(result.condition);
        EXPECT_FALSE(result.error);
    }
}

// Whatever is pasted into the field parses to an error, never off the end of the stack.
TEST(ConditionParserTest, DepthAndLengthAreBounded)
{
    const int deep = ConditionParser::kMaxNesting;
    const struct {
        QString text;
        int position;
        QString message;
    } cases[] = {
        {QString(deep, u'(') + "close > 1" + QString(deep, u')'), -1, {}},
        {QString(deep + 1, u'(') + "close > 1" + QString(deep + 1, u')'), deep,
         kErrTooDeep.arg(deep)},
        {QString(100000, u'('), 2000, kErrTooLong.arg(ConditionParser::kMaxTokens)},
        {QStringLiteral("not ").repeated(deep) + "close > 1", -1, {}},
        {QStringLiteral("not ").repeated(deep + 1) + "close > 1", deep * 4,
         kErrTooDeep.arg(deep)},
        {QStringLiteral("close > ") + QString(deep + 1, u'-') + "1", 8 + deep,
         kErrTooDeep.arg(deep)},
        {QStringLiteral("close > 1") + QStringLiteral(" + 1").repeated(998), -1, {}},
        {QStringLiteral("close > 1") + QStringLiteral(" + 1").repeated(20000), 4004,
         kErrTooLong.arg(ConditionParser::kMaxTokens)},
    };
    for (const auto& c : cases) {
        const auto result = ConditionParser::Parse(c.text);
        if (c.position < 0) {
            EXPECT_TRUE(result.condition) << c.text.left(40).toStdString();
            continue;
        }
        ASSERT_TRUE(result.error) << c.text.left(40).toStdString();
        EXPECT_EQ(result.error->position, c.position) << c.text.left(40).toStdString();
        EXPECT_EQ(result.error->message.toStdString(), c.message.toStdString());
    }
}

TEST(ConditionParserTest, ErrorTextCountsFromOne)
{
    const auto result = ConditionParser::Parse(QStringLiteral("close >"));
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->Text(), kAt.arg(8).arg(kErrValueExpected));
}

} // namespace
