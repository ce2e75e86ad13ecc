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

constexpr std::string_view kDispMaxMin = "DispMaxMin";
constexpr std::string_view kMovingAverage = "MA";

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

    ChartDefinition definition;
    bool known = false;
    for (const auto& [name, kind] : kKinds) {
        if (EqualsNoCase(items.front().name, name)) {
            definition.kind = kind;
            known = true;
            break;
        }
    }
    if (!known)
        return std::nullopt;

    for (std::size_t i = 1; i < items.size(); ++i) {
        const GrammarItem& item = items[i];
        if (EqualsNoCase(item.name, kDispMaxMin)) {
            if (const auto on = ItemFlag(item))
                definition.dispMaxMin = *on;
        } else if (EqualsNoCase(item.name, kMovingAverage) && item.hasValue) {
            definition.movingAverages = ParsePeriods(item.value);
        }
    }
    return definition;
}

bool IsPriceKind(ChartKind kind)
{
    return kind != ChartKind::Volume;
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
        break;
    }
    return Period::Daily;
}

} // namespace quorex::chart
