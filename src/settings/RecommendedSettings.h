#pragma once

#include <array>

namespace mosgrid {

// "推奨の表示にする": the settings a new user most likely wants, written only when the
// settings sheet is closed with OK. Nothing here is a default: a file without these keys
// draws as before.
namespace RecommendedSettings {

// The common parameters get guide lines (price and date scales); their other items stay.
inline constexpr bool kAssistLine = true;
inline constexpr char kLabel[] = "{code} {name} {last} {change%}";
inline constexpr std::array<const char*, 2> kCharts = {"Daily; MA=5,25,75; DispMaxMin=1",
                                                       "Volume"};

} // namespace RecommendedSettings

} // namespace mosgrid
