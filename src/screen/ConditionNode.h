#pragma once

#include <BarPeriods.h>

#include <memory>
#include <vector>

namespace mosgrid {

// The facts of a bar a condition may name. Flag is the security's flag number (0: none),
// the same on every bar.
enum class ScreenFact { Close, Open, High, Low, Volume, Change, ChangePercent, Flag };

enum class ScreenFunction { MA, EMA, RSI, BBU, BBL, MACD, MACDS, STOCHK, RCI, HIGH, LOW, AVGVOL };

enum class ScreenOp {
    Add, Subtract, Multiply, Divide, Negate,
    Less, LessEqual, Greater, GreaterEqual, Equal, NotEqual,
    And, Or, Not
};

// One node of a parsed condition. Facts and functions read the bar barsBack before the
// newest of their period's series.
struct ConditionNode {
    enum class Kind { Number, Fact, Function, Unary, Binary };

    Kind kind = Kind::Number;
    int position = 0;
    double number = 0;
    ScreenFact fact = ScreenFact::Close;
    ScreenFunction function = ScreenFunction::MA;
    std::vector<double> arguments;
    int barsBack = 0;
    quorex::indicators::BarPeriod period = quorex::indicators::BarPeriod::Daily;
    ScreenOp op = ScreenOp::Add;
    std::unique_ptr<ConditionNode> left;   // the operand of a unary node
    std::unique_ptr<ConditionNode> right;

    // True or false rather than a number: comparisons and and/or/not.
    bool IsTest() const
    {
        return (kind == Kind::Binary && op >= ScreenOp::Less)
            || (kind == Kind::Unary && op == ScreenOp::Not);
    }
};

} // namespace mosgrid
