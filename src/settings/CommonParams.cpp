#include "settings/CommonParams.h"

#include "settings/ParamText.h"

#include <algorithm>
#include <optional>

namespace mosgrid {

namespace CommonParamNames {

const char* ColorName(ColorParam which)
{
    switch (which) {
    case ColorParam::Back:
        return "BackColor";
    case ColorParam::Up:
        return "UpColor";
    case ColorParam::Down:
        return "DownColor";
    case ColorParam::Line:
        return "LineColor";
    }
    return "";
}

} // namespace CommonParamNames

using namespace CommonParamNames;

namespace {

constexpr long long kColorMask = 0x00FFFFFF;

// The words the chart control takes for Period; "none" is PeriodChoice::Definitions.
constexpr std::pair<PeriodChoice, const char*> kPeriodWords[] = {
    {PeriodChoice::Daily, "Daily"},
    {PeriodChoice::Weekly, "Weekly"},
    {PeriodChoice::Monthly, "Monthly"},
};

std::optional<PeriodChoice> PeriodNamed(std::string_view word)
{
    for (const auto& [period, name] : kPeriodWords) {
        if (ParamText::EqualsNoCase(word, name))
            return period;
    }
    return std::nullopt;
}

const char* PeriodWord(PeriodChoice period)
{
    for (const auto& [choice, name] : kPeriodWords) {
        if (choice == period)
            return name;
    }
    return "";
}

void ReadInteger(const ParamText::Item& item, int lo, int hi, int& target)
{
    if (!item.hasValue)
        return;
    if (const auto value = ParamText::Integer(item.value))
        target = static_cast<int>(std::clamp<long long>(*value, lo, hi));
}

void ReadFlag(const ParamText::Item& item, bool& target)
{
    if (const auto on = ParamText::Flag(item))
        target = *on;
}

void ReadColor(const ParamText::Item& item, ColorRef& target)
{
    if (!item.hasValue)
        return;
    const auto value = ParamText::Integer(item.value);
    if (value && *value >= 0)
        target = static_cast<ColorRef>(*value & kColorMask);
}

std::string FlagText(bool on)
{
    return on ? "1" : "0";
}

} // namespace

ColorRef& ColorOf(CommonParams& params, ColorParam which)
{
    switch (which) {
    case ColorParam::Up:
        return params.upColor;
    case ColorParam::Down:
        return params.downColor;
    case ColorParam::Line:
        return params.lineColor;
    case ColorParam::Back:
        break;
    }
    return params.backColor;
}

ColorRef ColorOf(const CommonParams& params, ColorParam which)
{
    return ColorOf(const_cast<CommonParams&>(params), which);
}

CommonParams ReadCommonParams(std::string_view text)
{
    CommonParams params;
    for (const ParamText::Item& item : ParamText::Parse(text)) {
        const auto is = [&item](const char* name) {
            return ParamText::EqualsNoCase(item.name, name);
        };
        if (is(kAssistLine))
            ReadFlag(item, params.assistLine);
        else if (is(kFontSize))
            ReadInteger(item, kMinFontSize, kMaxFontSize, params.fontSize);
        else if (is(kDispNum))
            ReadInteger(item, kMinDispNum, kMaxDispNum, params.dispNum);
        else if (is(kShowScrollBar))
            ReadFlag(item, params.showScrollBar);
        else if (is(kPeriod) && PeriodNamed(item.value))
            params.period = *PeriodNamed(item.value);
        for (ColorParam which : kColorParams) {
            if (is(ColorName(which)))
                ReadColor(item, ColorOf(params, which));
        }
    }
    return params;
}

std::string WriteCommonParams(std::string_view text, const CommonParams& params)
{
    const CommonParams now = ReadCommonParams(text);
    std::string result(text);
    if (now.assistLine != params.assistLine)
        result = ParamText::With(result, kAssistLine, FlagText(params.assistLine));
    if (now.fontSize != params.fontSize)
        result = ParamText::With(result, kFontSize, std::to_string(params.fontSize));
    if (now.dispNum != params.dispNum)
        result = ParamText::With(result, kDispNum, std::to_string(params.dispNum));
    if (now.showScrollBar != params.showScrollBar)
        result = ParamText::With(result, kShowScrollBar, FlagText(params.showScrollBar));
    if (now.period != params.period) {
        result = params.period == PeriodChoice::Definitions
            ? ParamText::Without(result, kPeriod)
            : ParamText::With(result, kPeriod, PeriodWord(params.period));
    }
    for (ColorParam which : kColorParams) {
        if (ColorOf(now, which) != ColorOf(params, which))
            result = ParamText::With(result, ColorName(which),
                                     std::to_string(ColorOf(params, which)));
    }
    return result;
}

} // namespace mosgrid
