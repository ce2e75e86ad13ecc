#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace quorex::chart {

enum class ChartKind { Daily, Weekly, Monthly, Volume };

// The period of the bars a pane draws.
enum class Period { Daily, Weekly, Monthly };

inline constexpr int kMaxMovingAverages = 4;
inline constexpr int kMaxMovingAveragePeriod = 5000;

// One chart of the collection, as its definition string describes it.
struct ChartDefinition {
    ChartKind kind = ChartKind::Daily;
    bool dispMaxMin = false;             // mark the shown bars' highest high and lowest low
    std::vector<int> movingAverages;     // periods of the close's simple moving averages
};

// "Daily; DispMaxMin=1; MA=5,25,75". The first item names the kind; nothing for an
// unknown kind or a text without items. Unknown options and bad values are ignored.
std::optional<ChartDefinition> ParseDefinition(std::string_view text);

bool IsPriceKind(ChartKind kind);

// The period of a price kind (Volume: daily; the renderer decides its real period).
Period PeriodOf(ChartKind kind);

} // namespace quorex::chart
