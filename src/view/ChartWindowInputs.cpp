#include "view/ChartWindowInputs.h"

#include "chart/PeriodParam.h"
#include "settings/CommonParams.h"
#include "settings/ParamText.h"

#include <optional>

namespace mosgrid {

namespace {

constexpr char kLogName[] = "Log";
constexpr char kScrollBarOff[] = "0";

// The period a definition's first item names, for the three price kinds.
std::optional<PeriodChoice> PriceKindOf(const std::string& definition)
{
    const std::vector<ParamText::Item> items = ParamText::Parse(definition);
    if (items.empty())
        return std::nullopt;
    const std::string& kind = items.front().name;
    if (ParamText::EqualsNoCase(kind, "Daily"))
        return PeriodChoice::Daily;
    if (ParamText::EqualsNoCase(kind, "Weekly"))
        return PeriodChoice::Weekly;
    if (ParamText::EqualsNoCase(kind, "Monthly"))
        return PeriodChoice::Monthly;
    return std::nullopt;
}

} // namespace

namespace ChartWindowInputs {

std::string Params(const std::string& common, int bars, PeriodChoice period)
{
    std::string text = ParamText::With(common, CommonParamNames::kDispNum,
                                       std::to_string(bars));
    text = ParamText::With(text, CommonParamNames::kShowScrollBar, kScrollBarOff);
    return WithPeriod(text, period);
}

std::vector<std::string> WithLogScale(std::vector<std::string> definitions, bool log)
{
    if (!log)
        return definitions;
    for (std::string& definition : definitions) {
        if (PriceKindOf(definition))
            definition = ParamText::With(definition, kLogName, "1");
    }
    return definitions;
}

PeriodChoice CountingPeriod(const std::string& common,
                            const std::vector<std::string>& definitions, PeriodChoice period)
{
    if (period != PeriodChoice::Definitions)
        return period;
    if (const PeriodChoice forced = ReadCommonParams(common).period;
        forced != PeriodChoice::Definitions)
        return forced;
    for (const std::string& definition : definitions) {
        if (const std::optional<PeriodChoice> kind = PriceKindOf(definition))
            return *kind;
    }
    return PeriodChoice::Daily;
}

int ThumbnailBars(const std::string& common)
{
    return ReadCommonParams(common).dispNum;
}

} // namespace ChartWindowInputs

} // namespace mosgrid
