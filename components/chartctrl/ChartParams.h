#pragma once

#include "ChartDefinition.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace quorex::chart {

// A Windows colour value: 0x00BBGGRR, red in the lowest byte.
using ColorRef = std::uint32_t;

constexpr ColorRef MakeColorRef(int red, int green, int blue)
{
    return static_cast<ColorRef>(red) | static_cast<ColorRef>(green) << 8
        | static_cast<ColorRef>(blue) << 16;
}

inline constexpr int kMinFontSize = 4;
inline constexpr int kMaxFontSize = 72;
inline constexpr int kMinDispNum = 1;
inline constexpr int kMaxDispNum = 5000;

// The parameters common to every chart of the collection. The defaults give the Japanese
// look: a light background, rising candles red, falling candles blue.
struct ChartParams {
    bool assistLine = false;             // guide lines with labels
    int fontSize = 9;                    // points, for every text in the chart
    int dispNum = 60;                    // the latest bars shown
    bool showScrollBar = false;
    ColorRef backColor = MakeColorRef(255, 255, 255);
    ColorRef upColor = MakeColorRef(216, 38, 38);
    ColorRef downColor = MakeColorRef(28, 88, 196);
    ColorRef lineColor = MakeColorRef(60, 60, 60);
    // Every Daily, Weekly and Monthly chart drawn in this period (Volume follows); none:
    // each chart in its own.
    std::optional<Period> period;

    bool operator==(const ChartParams&) const = default;
};

// "AssistLine=1; FontSize=9; DispNum=60; ShowScrollBar=0; BackColor=16777215; Period=Weekly".
// Every parameter the text does not name (or names with a bad value) keeps its default, so
// the result depends on this text alone. Numbers are clamped to their ranges.
ChartParams ParseParams(std::string_view text);

} // namespace quorex::chart
