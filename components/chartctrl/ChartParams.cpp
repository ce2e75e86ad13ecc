#include "ChartParams.h"

#include "ChartGrammar.h"

namespace quorex::chart {

namespace {

constexpr ColorRef kColorRefMask = 0x00FFFFFF;

// A decimal COLORREF; the unused top byte is dropped, negative values are refused.
void ApplyColor(const GrammarItem& item, ColorRef& color)
{
    if (!item.hasValue)
        return;
    const auto value = ParseInteger(item.value);
    if (value && *value >= 0)
        color = static_cast<ColorRef>(*value) & kColorRefMask;
}

void ApplyFlag(const GrammarItem& item, bool& flag)
{
    if (const auto on = ItemFlag(item))
        flag = *on;
}

void ApplyInteger(const GrammarItem& item, int lo, int hi, int& target)
{
    if (const auto value = ItemInteger(item, lo, hi))
        target = *value;
}

} // namespace

ChartParams ParseParams(std::string_view text)
{
    ChartParams params;
    for (const GrammarItem& item : ParseItems(text)) {
        const std::string_view name = item.name;
        if (EqualsNoCase(name, "AssistLine"))
            ApplyFlag(item, params.assistLine);
        else if (EqualsNoCase(name, "FontSize"))
            ApplyInteger(item, kMinFontSize, kMaxFontSize, params.fontSize);
        else if (EqualsNoCase(name, "DispNum"))
            ApplyInteger(item, kMinDispNum, kMaxDispNum, params.dispNum);
        else if (EqualsNoCase(name, "ShowScrollBar"))
            ApplyFlag(item, params.showScrollBar);
        else if (EqualsNoCase(name, "BackColor"))
            ApplyColor(item, params.backColor);
        else if (EqualsNoCase(name, "UpColor"))
            ApplyColor(item, params.upColor);
        else if (EqualsNoCase(name, "DownColor"))
            ApplyColor(item, params.downColor);
        else if (EqualsNoCase(name, "LineColor"))
            ApplyColor(item, params.lineColor);
        else if (EqualsNoCase(name, "Period") && PeriodNamed(item.value))
            params.period = PeriodNamed(item.value);
    }
    return params;
}

} // namespace quorex::chart
