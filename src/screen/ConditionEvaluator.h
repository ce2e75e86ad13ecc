#pragma once

#include "screen/ConditionNode.h"
#include "screen/ScreenFunctions.h"
#include "screen/ScreenOutcome.h"

#include <QuorexComponents.h>

#include <array>
#include <optional>
#include <span>
#include <unordered_map>
#include <vector>

namespace mosgrid {

// Evaluates a parsed condition on one security's daily bars. Comparisons and and/or/not
// follow three-valued logic: a value that cannot be had (too few bars, a division by zero)
// makes its comparison unknown, "false and unknown" is false, "true or unknown" true, and
// a condition that stays unknown leaves the security not evaluable. One evaluator per
// thread; it may be used for any number of securities in turn.
class ConditionEvaluator {
public:
    // Relative difference under which = holds.
    static constexpr double kEqualTolerance = 1e-9;

    explicit ConditionEvaluator(const ConditionNode& condition) : m_condition(condition) {}

    ScreenOutcome Evaluate(std::span<const quorex::PriceBar> daily, int flag);
    // The value of a numeric node (NaN: none), on the series last given to Evaluate or here.
    double ValueOf(const ConditionNode& node, std::span<const quorex::PriceBar> daily,
                   int flag);

private:
    enum class Truth { False, True, Unknown };

    void Reset(std::span<const quorex::PriceBar> daily, int flag);
    Truth Test(const ConditionNode& node);
    double Value(const ConditionNode& node);
    double FactValue(const ConditionNode& node);
    double FunctionValue(const ConditionNode& node);
    std::span<const quorex::PriceBar> Bars(quorex::indicators::BarPeriod period);
    const SeriesColumns& Columns(quorex::indicators::BarPeriod period);

    const ConditionNode& m_condition;
    std::span<const quorex::PriceBar> m_daily;
    int m_flag = 0;
    std::array<std::optional<std::vector<quorex::PriceBar>>, 3> m_periodBars;
    std::array<std::optional<SeriesColumns>, 3> m_columns;
    std::unordered_map<const ConditionNode*, quorex::indicators::Line> m_lines;
};

} // namespace mosgrid
