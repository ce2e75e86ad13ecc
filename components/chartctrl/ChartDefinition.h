#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorex::chart {

// Unreadable: a definition that names no chart; its pane says so.
enum class ChartKind { Daily, Weekly, Monthly, Volume, Unreadable };

// The period of the bars a pane draws.
enum class Period { Daily, Weekly, Monthly };

inline constexpr std::string_view kDispMaxMinOption = "DispMaxMin";
inline constexpr std::string_view kMovingAverageOption = "MA";
inline constexpr int kMaxMovingAverages = 4;
inline constexpr int kMaxMovingAveragePeriod = 5000;

// One chart of the collection, as its definition string describes it.
struct ChartDefinition {
    ChartKind kind = ChartKind::Daily;
    bool dispMaxMin = false;             // mark the shown bars' highest high and lowest low
    std::vector<int> movingAverages;     // periods of the close's simple moving averages
    std::string text;                    // Unreadable: the definition as it was given
};

// "Daily; DispMaxMin=1; MA=5,25,75". The first item names the kind; nothing for an
// unknown kind or a text without items. Unknown options and bad values are ignored.
std::optional<ChartDefinition> ParseDefinition(std::string_view text);

// The pane that stands for a definition ParseDefinition refused.
ChartDefinition UnreadableDefinition(std::string_view text);

// The kind a definition's first item names, in any case; nothing for another name.
std::optional<ChartKind> KindNamed(std::string_view name);

// Daily, Weekly and Monthly: candles.
bool IsPriceKind(ChartKind kind);

// The period of a price kind (Volume: daily; the renderer decides its real period).
Period PeriodOf(ChartKind kind);

// "Daily", "Weekly", "Monthly" in any case; nothing for another name.
std::optional<Period> PeriodNamed(std::string_view name);

} // namespace quorex::chart
