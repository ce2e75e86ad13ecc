#pragma once

#include <QRgb>

#include <string>
#include <vector>

namespace mosgrid {

class SettingsStore;

// The values every reader derives from the stored keys, derived in one place.

// "Num" 0: the built-in definition alone; n > 0: the non-empty keys Chart0..Chart(n-1) in
// order (each cut to the read capacity); n < 0: none.
std::vector<std::string> EffectiveChartDefinitions(const SettingsStore& settings);

// The same for drawing: positions from limit on are never read, so a hand-edited huge "Num"
// with as many keys costs no more than limit reads.
std::vector<std::string> EffectiveChartDefinitions(const SettingsStore& settings, int limit);

// "Param" when not empty, else the built-in common parameters.
std::string EffectiveCommonParams(const SettingsStore& settings);

// A COLORREF value (0x00BBGGRR) as stored, and its conversion to Qt's 0xAARRGGBB.
using ColorRef = unsigned int;
QRgb ColorRefToRgb(ColorRef color);
ColorRef RgbToColorRef(QRgb rgb);

struct LabelStyle {
    ColorRef backColor = 0;
    ColorRef textColor = 0;
    bool transparent = false;
};

// "BackColor", "TextColor", "TransParent", read in that order.
LabelStyle ReadLabelStyle(const SettingsStore& settings);

struct ThumbnailSize {
    int width = 0;
    int height = 0;
};

// A stored size as the rebuild uses it: the default below 1, the stored value up to 4096,
// 4096 above.
int UsableThumbnailExtent(int stored, int defaultValue);

// "SizeX" then "SizeY", each made usable.
ThumbnailSize ReadThumbnailSize(const SettingsStore& settings);

} // namespace mosgrid
