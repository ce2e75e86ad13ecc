#pragma once

#include "settings/SettingsValues.h"
#include "settings/ViewChoices.h"

#include <array>
#include <string>
#include <string_view>

namespace mosgrid {

// The common parameters a trader sets with controls, as the chart control reads them from
// the text: a name the text does not give, or gives with a value that is not valid, takes
// its default; numbers outside their range are clamped.
struct CommonParams {
    bool assistLine = false;
    int fontSize = 9;
    int dispNum = 60;
    bool showScrollBar = false;
    PeriodChoice period = PeriodChoice::Definitions;  // none: each definition's own
    ColorRef backColor = 16777215;
    ColorRef upColor = 2500312;
    ColorRef downColor = 12867612;
    ColorRef lineColor = 3947580;

    bool operator==(const CommonParams&) const = default;
};

namespace CommonParamNames {

inline constexpr char kAssistLine[] = "AssistLine";
inline constexpr char kFontSize[] = "FontSize";
inline constexpr char kDispNum[] = "DispNum";
inline constexpr char kShowScrollBar[] = "ShowScrollBar";
inline constexpr char kPeriod[] = "Period";

inline constexpr int kMinFontSize = 4;
inline constexpr int kMaxFontSize = 72;
inline constexpr int kMinDispNum = 1;
inline constexpr int kMaxDispNum = 5000;

// The four colours, in the order the page shows them.
enum class ColorParam { Back, Up, Down, Line };
inline constexpr std::array<ColorParam, 4> kColorParams = {
    ColorParam::Back, ColorParam::Up, ColorParam::Down, ColorParam::Line};
const char* ColorName(ColorParam which);

} // namespace CommonParamNames

ColorRef& ColorOf(CommonParams& params, CommonParamNames::ColorParam which);
ColorRef ColorOf(const CommonParams& params, CommonParamNames::ColorParam which);

CommonParams ReadCommonParams(std::string_view text);

// The text with every value that reads differently in `params` rewritten in place (or
// appended); names the text does not know, and values that already read the same, keep
// their bytes. Period "none" removes the Period item.
std::string WriteCommonParams(std::string_view text, const CommonParams& params);

} // namespace mosgrid
