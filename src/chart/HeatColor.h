#pragma once

#include "chart/ItemFacts.h"
#include "settings/SettingsValues.h"

#include <QRect>

#include <optional>

class QPainter;

namespace mosgrid {

// Heat colours: a label's colour tinted by the day's change, so a whole market's day shows
// at a glance. Gains shade toward red, losses toward blue, in proportion to the change, fully
// from kHeatSaturationPercent on; no change leaves the label's colour as it is.

inline constexpr double kHeatSaturationPercent = 5.0;
inline constexpr ColorRef kHeatUpColor = 0x1e1edc;    // red 220, green 30, blue 30
inline constexpr ColorRef kHeatDownColor = 0xdc5a1e;  // red 30, green 90, blue 220
// The frame drawn round a label without a background.
inline constexpr int kHeatFrameWidth = 2;

// The newest close's change against the one before, in percent; nullopt when unknown.
std::optional<double> ChangePercentOf(const ItemFacts& facts);

// base blended toward the up or the down colour by |changePercent| / kHeatSaturationPercent
// (at most 1).
ColorRef HeatColor(double changePercent, ColorRef base);

// The heat colour of a series, or nullopt when its change is unknown.
std::optional<ColorRef> HeatColorOf(const ItemFacts& facts, ColorRef base);

// A frame of color just inside rect.
void PaintHeatFrame(QPainter& painter, const QRect& rect, ColorRef color);

} // namespace mosgrid
