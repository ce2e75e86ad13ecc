#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorex::chart {

// Unreadable: a definition that names no chart; its pane says so. Rsi to Rs: indicator
// panes, drawn in the period Volume takes.
enum class ChartKind { Daily, Weekly, Monthly, Volume, Rsi, Macd, Stoch, Rci, Rs, Unreadable };

// How a price pane draws its bars.
enum class PriceStyle { Candle, Bar, Line };

// The period of the bars a pane draws.
enum class Period { Daily, Weekly, Monthly };

inline constexpr std::string_view kDispMaxMinOption = "DispMaxMin";
inline constexpr std::string_view kMovingAverageOption = "MA";
inline constexpr int kMaxMovingAverages = 4;
inline constexpr int kMaxMovingAveragePeriod = 5000;
inline constexpr std::string_view kExponentialAverageOption = "EMA";
inline constexpr std::string_view kBandsOption = "BB";
inline constexpr std::string_view kIchimokuOption = "Ichimoku";
inline constexpr std::string_view kLogOption = "Log";
inline constexpr std::string_view kStyleOption = "Style";
// Periods of every indicator, and the widest Bollinger band in deviations.
inline constexpr int kMaxIndicatorPeriod = 5000;
inline constexpr double kMaxBandWidth = 10;
inline constexpr int kMaxRankPeriods = 3;

// Bollinger Bands: the average of `period` closes, +- `width` standard deviations.
struct BandsSpec {
    int period = 20;
    double width = 2;

    bool operator==(const BandsSpec&) const = default;
};

// 一目均衡表: 転換線 over a bars, 基準線 over b, 先行スパン2 over c.
struct IchimokuSpec {
    int conversion = 9;
    int base = 26;
    int span = 52;

    bool operator==(const IchimokuSpec&) const = default;
};

// One chart of the collection, as its definition string describes it.
struct ChartDefinition {
    ChartKind kind = ChartKind::Daily;
    bool dispMaxMin = false;             // mark the shown bars' highest high and lowest low
    std::vector<int> movingAverages;     // periods of the close's simple moving averages
    std::vector<int> exponentialAverages;
    std::optional<BandsSpec> bands;
    std::optional<IchimokuSpec> ichimoku;
    bool logScale = false;
    PriceStyle style = PriceStyle::Candle;
    // An indicator pane's periods, defaults filled in: RSI p; MACD fast, slow, signal;
    // Stoch k, smoothing, d; RCI one to three periods.
    std::vector<int> periods;
    // RS: the code of the security it is measured against, as written (empty: none given).
    std::string code;
    std::string text;                    // Unreadable: the definition as it was given

    bool operator==(const ChartDefinition&) const = default;
};

// The periods an indicator pane takes when its definition gives none.
std::vector<int> DefaultPeriods(ChartKind kind);
// The periods of an indicator pane; the defaults for a definition made without them.
std::vector<int> PeriodsOf(const ChartDefinition& chart);

// The periods `value` gives an indicator pane: nothing when the value is not a list it
// takes (periods 1 to kMaxIndicatorPeriod, RCI's from 2). Trailing periods left out take
// their defaults.
std::optional<std::vector<int>> IndicatorPeriods(ChartKind kind, std::string_view value);

// "20,2": nothing when the period or the width (above 0, at most kMaxBandWidth) is bad.
std::optional<BandsSpec> ParseBands(std::string_view value);
// "9,26,52", trailing spans left out taking their defaults.
std::optional<IchimokuSpec> ParseIchimoku(std::string_view value);
// "Candle", "Bar", "Line" in any case.
std::optional<PriceStyle> StyleNamed(std::string_view name);

// "Daily; DispMaxMin=1; MA=5,25,75". The first item names the kind; nothing for an
// unknown kind or a text without items. Unknown options and bad values are ignored.
std::optional<ChartDefinition> ParseDefinition(std::string_view text);

// The pane that stands for a definition ParseDefinition refused.
ChartDefinition UnreadableDefinition(std::string_view text);

// The kind a definition's first item names, in any case; nothing for another name.
std::optional<ChartKind> KindNamed(std::string_view name);

// The name a kind is written with ("Daily", "RSI"); empty for Unreadable.
std::string_view KindName(ChartKind kind);

// Daily, Weekly and Monthly: candles.
bool IsPriceKind(ChartKind kind);

// RSI, MACD, Stoch, RCI and RS.
bool IsIndicatorKind(ChartKind kind);

// A price chart with EMA, BB, Ichimoku, Log or Style, which the first charts never had:
// all its thin lines, the moving averages too, go through the one fast raster. Charts
// without them keep the moving averages exactly as QPainter has always drawn them.
bool UsesIndicatorOptions(const ChartDefinition& chart);

// The period of a price kind (Volume: daily; the renderer decides its real period).
Period PeriodOf(ChartKind kind);

// "Daily", "Weekly", "Monthly" in any case; nothing for another name.
std::optional<Period> PeriodNamed(std::string_view name);

} // namespace quorex::chart
