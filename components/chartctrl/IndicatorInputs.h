#pragma once

#include "ChartDefinition.h"
#include "Line.h"
#include "SeriesWindow.h"

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace quorex::chart {

// One pane's view of the bars its indicators are computed from, as arrays, and where the
// shown ones begin. High and low are empty where no indicator of the pane reads them.
struct IndicatorView {
    std::span<const double> high, low, close;
    std::size_t offset = 0;   // of the first shown bar
    int count = 0;

    // The values of a line at the shown bars.
    std::vector<double> Shown(const indicators::Line& line) const;
};

// The closes, highs and lows the indicators of one picture read, copied from the bars once
// per period for the longest look-back among its panes: every pane of a period shows the
// same bars, and each copy cost as much as an indicator.
class IndicatorInputs {
public:
    // Of the charts of one picture and the period each pane shows (none: not drawn).
    IndicatorInputs(std::span<const ChartDefinition> charts,
                    std::span<const std::optional<Period>> periods);

    // The bars of `window` (of `period`) from `lookBack` before its first shown one on.
    IndicatorView For(Period period, const SeriesWindow& window, std::size_t lookBack,
                      bool withRange);

    // Whether a chart's indicators read highs and lows (only the equilibrium chart and the
    // stochastics do).
    static bool ReadsRange(const ChartDefinition& chart);

private:
    struct Copy {
        std::size_t lookBack = 0;
        bool withRange = false;
        bool made = false;
        SeriesWindow window;   // what was copied: rebuilt for any other
        std::size_t from = 0;  // the bar of the copies' first values
        std::vector<double> high, low, close;
    };
    void Make(Copy& copy, const SeriesWindow& window);

    std::array<Copy, 3> m_copies;   // by period
};

} // namespace quorex::chart
