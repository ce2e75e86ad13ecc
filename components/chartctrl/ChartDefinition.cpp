#include "ChartDefinition.h"

#include "ChartGrammar.h"
#include "OptionValues.h"

#include <array>
#include <utility>

namespace quorex::chart {

namespace {

constexpr std::array<std::pair<std::string_view, ChartKind>, 9> kKinds{{
    {"Daily", ChartKind::Daily},
    {"Weekly", ChartKind::Weekly},
    {"Monthly", ChartKind::Monthly},
    {"Volume", ChartKind::Volume},
    {"RSI", ChartKind::Rsi},
    {"MACD", ChartKind::Macd},
    {"Stoch", ChartKind::Stoch},
    {"RCI", ChartKind::Rci},
    {"RS", ChartKind::Rs},
}};

constexpr std::array<std::pair<std::string_view, PriceStyle>, 3> kStyles{{
    {"Candle", PriceStyle::Candle},
    {"Bar", PriceStyle::Bar},
    {"Line", PriceStyle::Line},
}};

// "5,25,75": up to four positive periods; empty and bad entries are skipped.
std::vector<int> ParsePeriods(std::string_view list)
{
    std::vector<int> periods;
    while (!list.empty() && periods.size() < kMaxMovingAverages) {
        const std::size_t comma = list.find(',');
        const std::string_view entry = list.substr(0, comma);
        const auto value = ParseInteger(entry);
        if (value && *value >= 1 && *value <= kMaxMovingAveragePeriod)
            periods.push_back(static_cast<int>(*value));
        if (comma == std::string_view::npos)
            break;
        list.remove_prefix(comma + 1);
    }
    return periods;
}

// Trailing entries left out take the defaults'.
std::vector<int> FilledFrom(std::vector<int> values, const std::vector<int>& defaults)
{
    for (std::size_t i = values.size(); i < defaults.size(); ++i)
        values.push_back(defaults[i]);
    return values;
}

void ApplyPriceOption(const GrammarItem& item, ChartDefinition& definition)
{
    if (EqualsNoCase(item.name, kDispMaxMinOption)) {
        if (const auto on = ItemFlag(item))
            definition.dispMaxMin = *on;
    } else if (EqualsNoCase(item.name, kMovingAverageOption) && item.hasValue) {
        definition.movingAverages = ParsePeriods(item.value);
    } else if (EqualsNoCase(item.name, kExponentialAverageOption) && item.hasValue) {
        definition.exponentialAverages = ParsePeriods(item.value);
    } else if (EqualsNoCase(item.name, kBandsOption)) {
        if (const auto bands = item.hasValue ? ParseBands(item.value) : BandsSpec{})
            definition.bands = bands;
    } else if (EqualsNoCase(item.name, kIchimokuOption)) {
        if (const auto spec = item.hasValue ? ParseIchimoku(item.value) : IchimokuSpec{})
            definition.ichimoku = spec;
    } else if (EqualsNoCase(item.name, kLogOption)) {
        if (const auto on = ItemFlag(item))
            definition.logScale = *on;
    } else if (EqualsNoCase(item.name, kStyleOption)) {
        if (const auto style = StyleNamed(item.value))
            definition.style = *style;
    }
}

} // namespace

std::optional<ChartDefinition> ParseDefinition(std::string_view text)
{
    const std::vector<GrammarItem> items = ParseItems(text);
    if (items.empty())
        return std::nullopt;

    const std::optional<ChartKind> kind = KindNamed(items.front().name);
    if (!kind)
        return std::nullopt;
    ChartDefinition definition;
    definition.kind = *kind;
    if (*kind == ChartKind::Rs) {
        if (items.front().hasValue)
            definition.code = items.front().value;
        return definition;
    }
    if (IsIndicatorKind(*kind)) {
        const GrammarItem& first = items.front();
        const auto periods = first.hasValue ? IndicatorPeriods(*kind, first.value) : std::nullopt;
        definition.periods = periods.value_or(DefaultPeriods(*kind));
        return definition;
    }
    for (std::size_t i = 1; i < items.size(); ++i)
        ApplyPriceOption(items[i], definition);
    return definition;
}

std::vector<int> DefaultPeriods(ChartKind kind)
{
    switch (kind) {
    case ChartKind::Rsi:
        return {14};
    case ChartKind::Macd:
        return {12, 26, 9};
    case ChartKind::Stoch:
        return {14, 3, 3};
    case ChartKind::Rci:
        return {9};
    default:
        return {};
    }
}

std::vector<int> PeriodsOf(const ChartDefinition& chart)
{
    const std::vector<int> defaults = DefaultPeriods(chart.kind);
    return chart.periods.size() >= defaults.size() && !chart.periods.empty() ? chart.periods
                                                                             : defaults;
}

std::optional<std::vector<int>> IndicatorPeriods(ChartKind kind, std::string_view value)
{
    const std::vector<int> defaults = DefaultPeriods(kind);
    const bool rank = kind == ChartKind::Rci;
    const auto periods = IntegerList(value, rank ? kMaxRankPeriods : defaults.size(),
                                     rank ? 2 : 1, kMaxIndicatorPeriod);
    if (!periods)
        return std::nullopt;
    return rank ? *periods : FilledFrom(*periods, defaults);
}

std::optional<BandsSpec> ParseBands(std::string_view value)
{
    const std::vector<std::string_view> entries = ListEntries(value);
    const auto period = ParseInteger(entries.front());
    if (entries.size() > 2 || !period || *period < 1 || *period > kMaxIndicatorPeriod)
        return std::nullopt;
    BandsSpec bands;
    bands.period = static_cast<int>(*period);
    if (entries.size() == 2) {
        const auto width = DecimalValue(entries[1]);
        if (!width || !(*width > 0) || *width > kMaxBandWidth)
            return std::nullopt;
        bands.width = *width;
    }
    return bands;
}

std::optional<IchimokuSpec> ParseIchimoku(std::string_view value)
{
    const IchimokuSpec defaults;
    const auto spans = IntegerList(value, 3, 1, kMaxIndicatorPeriod);
    if (!spans)
        return std::nullopt;
    const std::vector<int> filled =
        FilledFrom(*spans, {defaults.conversion, defaults.base, defaults.span});
    return IchimokuSpec{filled[0], filled[1], filled[2]};
}

std::optional<PriceStyle> StyleNamed(std::string_view name)
{
    for (const auto& [styleName, style] : kStyles) {
        if (EqualsNoCase(name, styleName))
            return style;
    }
    return std::nullopt;
}

bool IsIndicatorKind(ChartKind kind)
{
    return kind == ChartKind::Rsi || kind == ChartKind::Macd || kind == ChartKind::Stoch
        || kind == ChartKind::Rci || kind == ChartKind::Rs;
}

ChartDefinition UnreadableDefinition(std::string_view text)
{
    ChartDefinition definition;
    definition.kind = ChartKind::Unreadable;
    definition.text.assign(text.substr(0, text.find('\0')));
    return definition;
}

bool IsPriceKind(ChartKind kind)
{
    return kind == ChartKind::Daily || kind == ChartKind::Weekly || kind == ChartKind::Monthly;
}

bool UsesIndicatorOptions(const ChartDefinition& chart)
{
    return !chart.exponentialAverages.empty() || chart.bands || chart.ichimoku
        || chart.logScale || chart.style != PriceStyle::Candle;
}

Period PeriodOf(ChartKind kind)
{
    switch (kind) {
    case ChartKind::Weekly:
        return Period::Weekly;
    case ChartKind::Monthly:
        return Period::Monthly;
    default:
        break;
    }
    return Period::Daily;
}

std::optional<ChartKind> KindNamed(std::string_view name)
{
    for (const auto& [kindName, kind] : kKinds) {
        if (EqualsNoCase(name, kindName))
            return kind;
    }
    return std::nullopt;
}

std::string_view KindName(ChartKind kind)
{
    for (const auto& [kindName, named] : kKinds) {
        if (named == kind)
            return kindName;
    }
    return {};
}

std::optional<Period> PeriodNamed(std::string_view name)
{
    const std::optional<ChartKind> kind = KindNamed(name);
    if (!kind || !IsPriceKind(*kind))
        return std::nullopt;
    return PeriodOf(*kind);
}

} // namespace quorex::chart
