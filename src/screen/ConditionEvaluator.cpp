#include "screen/ConditionEvaluator.h"

#include <algorithm>
#include <cmath>

namespace mosgrid {

namespace {

using quorex::indicators::BarPeriod;

constexpr double kPercent = 100;

double Finite(double value)
{
    return std::isfinite(value) ? value : quorex::indicators::kUndefined;
}

std::size_t IndexOf(BarPeriod period)
{
    return static_cast<std::size_t>(period);
}

} // namespace

ScreenOutcome ConditionEvaluator::Evaluate(std::span<const quorex::PriceBar> daily, int flag)
{
    Reset(daily, flag);
    switch (Test(m_condition)) {
    case Truth::True:
        return ScreenOutcome::Holds;
    case Truth::False:
        return ScreenOutcome::Fails;
    case Truth::Unknown:
        break;
    }
    return ScreenOutcome::NotEvaluable;
}

double ConditionEvaluator::ValueOf(const ConditionNode& node,
                                   std::span<const quorex::PriceBar> daily, int flag)
{
    if (daily.data() != m_daily.data() || daily.size() != m_daily.size() || flag != m_flag)
        Reset(daily, flag);
    return Value(node);
}

void ConditionEvaluator::Reset(std::span<const quorex::PriceBar> daily, int flag)
{
    m_daily = daily;
    m_flag = flag;
    for (auto& bars : m_periodBars)
        bars.reset();
    for (auto& columns : m_columns)
        columns.reset();
    m_lines.clear();
}

ConditionEvaluator::Truth ConditionEvaluator::Test(const ConditionNode& node)
{
    if (node.op == ScreenOp::Not) {
        const Truth truth = Test(*node.left);
        return truth == Truth::Unknown ? truth
                                       : (truth == Truth::True ? Truth::False : Truth::True);
    }
    if (node.op == ScreenOp::And || node.op == ScreenOp::Or) {
        const Truth decisive = node.op == ScreenOp::And ? Truth::False : Truth::True;
        const Truth left = Test(*node.left);
        if (left == decisive)
            return left;
        const Truth right = Test(*node.right);
        if (right == decisive || left == Truth::Unknown)
            return right == decisive ? right : Truth::Unknown;
        return right;
    }
    const double a = Value(*node.left);
    const double b = Value(*node.right);
    if (std::isnan(a) || std::isnan(b))
        return Truth::Unknown;
    const bool equal =
        std::abs(a - b) <= kEqualTolerance * std::max({1.0, std::abs(a), std::abs(b)});
    bool holds = false;
    switch (node.op) {
    case ScreenOp::Less: holds = a < b && !equal; break;
    case ScreenOp::LessEqual: holds = a < b || equal; break;
    case ScreenOp::Greater: holds = a > b && !equal; break;
    case ScreenOp::GreaterEqual: holds = a > b || equal; break;
    case ScreenOp::Equal: holds = equal; break;
    case ScreenOp::NotEqual: holds = !equal; break;
    default: break;
    }
    return holds ? Truth::True : Truth::False;
}

double ConditionEvaluator::Value(const ConditionNode& node)
{
    switch (node.kind) {
    case ConditionNode::Kind::Number:
        return node.number;
    case ConditionNode::Kind::Fact:
        return FactValue(node);
    case ConditionNode::Kind::Function:
        return FunctionValue(node);
    case ConditionNode::Kind::Unary:
        return -Value(*node.left);
    case ConditionNode::Kind::Binary:
        break;
    }
    const double a = Value(*node.left);
    const double b = Value(*node.right);
    switch (node.op) {
    case ScreenOp::Add: return Finite(a + b);
    case ScreenOp::Subtract: return Finite(a - b);
    case ScreenOp::Multiply: return Finite(a * b);
    case ScreenOp::Divide: return Finite(a / b);
    default: return quorex::indicators::kUndefined;
    }
}

double ConditionEvaluator::FactValue(const ConditionNode& node)
{
    if (node.fact == ScreenFact::Flag)
        return m_flag;
    const std::span<const quorex::PriceBar> bars = Bars(node.period);
    const std::size_t back = static_cast<std::size_t>(node.barsBack);
    const bool needsEarlier =
        node.fact == ScreenFact::Change || node.fact == ScreenFact::ChangePercent;
    if (bars.size() < back + (needsEarlier ? 2 : 1))
        return quorex::indicators::kUndefined;
    const quorex::PriceBar& bar = bars[bars.size() - 1 - back];
    switch (node.fact) {
    case ScreenFact::Close: return bar.close;
    case ScreenFact::Open: return bar.open;
    case ScreenFact::High: return bar.high;
    case ScreenFact::Low: return bar.low;
    case ScreenFact::Volume: return bar.volume;
    case ScreenFact::Change:
        return Finite(bar.close - bars[bars.size() - 2 - back].close);
    case ScreenFact::ChangePercent: {
        const double previous = bars[bars.size() - 2 - back].close;
        return Finite(kPercent * (bar.close - previous) / previous);
    }
    case ScreenFact::Flag: break;
    }
    return quorex::indicators::kUndefined;
}

double ConditionEvaluator::FunctionValue(const ConditionNode& node)
{
    auto found = m_lines.find(&node);
    if (found == m_lines.end()) {
        found = m_lines.emplace(&node, ScreenFunctions::Compute(node.function, node.arguments,
                                                                Columns(node.period)))
                    .first;
    }
    const quorex::indicators::Line& line = found->second;
    const std::size_t back = static_cast<std::size_t>(node.barsBack);
    if (line.values.size() <= back)
        return quorex::indicators::kUndefined;
    const std::size_t index = line.values.size() - 1 - back;
    return line.Defined(index) ? line.values[index] : quorex::indicators::kUndefined;
}

std::span<const quorex::PriceBar> ConditionEvaluator::Bars(BarPeriod period)
{
    if (period == BarPeriod::Daily)
        return m_daily;
    auto& bars = m_periodBars[IndexOf(period)];
    if (!bars)
        bars = quorex::indicators::AggregateBars(m_daily, period);
    return *bars;
}

const SeriesColumns& ConditionEvaluator::Columns(BarPeriod period)
{
    auto& columns = m_columns[IndexOf(period)];
    if (!columns) {
        const std::span<const quorex::PriceBar> bars = Bars(period);
        SeriesColumns made;
        for (auto* column : {&made.open, &made.high, &made.low, &made.close, &made.volume})
            column->reserve(bars.size());
        for (const quorex::PriceBar& bar : bars) {
            made.open.push_back(bar.open);
            made.high.push_back(bar.high);
            made.low.push_back(bar.low);
            made.close.push_back(bar.close);
            made.volume.push_back(bar.volume);
        }
        columns = std::move(made);
    }
    return *columns;
}

} // namespace mosgrid
