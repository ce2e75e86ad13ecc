#include "ChartDefinition.h"

#include "ChartGrammar.h"

#include <array>
#include <utility>

namespace quorex::chart {

namespace {

constexpr std::array<std::pair<std::string_view, ChartKind>, 4> kKinds{{
    {"Daily", ChartKind::Daily},
    {"Weekly", ChartKind::Weekly},
    {"Monthly", ChartKind::Monthly},
    {"Volume", ChartKind::Volume},
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

    for (std::size_t i = 1; i < items.size(); ++i) {
        const GrammarItem& item = items[i];
        if (EqualsNoCase(item.name, kDispMaxMinOption)) {
            if (const auto on = ItemFlag(item))
                definition.dispMaxMin = *on;
        } else if (EqualsNoCase(item.name, kMovingAverageOption) && item.hasValue) {
            definition.movingAverages = ParsePeriods(item.value);
        }
    }
    return definition;
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

Period PeriodOf(ChartKind kind)
{
    switch (kind) {
    case ChartKind::Weekly:
        return Period::Weekly;
    case ChartKind::Monthly:
        return Period::Monthly;
    case ChartKind::Daily:
    case ChartKind::Volume:
    case ChartKind::Unreadable:
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

std::optional<Period> PeriodNamed(std::string_view name)
{
    const std::optional<ChartKind> kind = KindNamed(name);
    if (!kind || !IsPriceKind(*kind))
        return std::nullopt;
    return PeriodOf(*kind);
}

} // namespace quorex::chart
