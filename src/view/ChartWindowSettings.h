#pragma once

#include "settings/ViewChoices.h"

#include <QRect>

#include <string>
#include <vector>

namespace mosgrid {

class SettingsStore;

// What the chart window keeps in [ChartWindow]: where it stood, how many bars it showed, its
// period and scale, the slideshow's pace and a definition set of its own. Absent or bad
// values read as the defaults.
namespace ChartWindowKeys {

inline constexpr char kSection[] = "ChartWindow";
inline constexpr char kGeometry[] = "Geometry";       // "x,y,width,height"
inline constexpr char kBars[] = "Bars";               // 0: as many as the thumbnails show
inline constexpr char kPeriod[] = "Period";           // the words of [View] Period
inline constexpr char kLog[] = "Log";
inline constexpr char kSlideSeconds[] = "SlideSeconds";
// The window's own definition set: its count, then Chart0.. as the Charts page writes them.
inline constexpr char kDefinitions[] = "Definitions";
inline constexpr char kChartFormat[] = "Chart%1";
// 1: the window draws its own definition set instead of the catalog's.
inline constexpr char kOwnDefinitions[] = "OwnDefinitions";

inline constexpr int kDefaultSlideSeconds = 5;
inline constexpr int kMinSlideSeconds = 1;
inline constexpr int kMaxSlideSeconds = 3600;
inline constexpr int kMaxDefinitions = 64;

} // namespace ChartWindowKeys

struct ChartWindowSettings {
    QRect geometry;                 // empty: placed over the catalog
    int bars = 0;                   // 0: the thumbnails' count
    PeriodChoice period = PeriodChoice::Definitions;
    bool log = false;
    int slideSeconds = ChartWindowKeys::kDefaultSlideSeconds;
    std::vector<std::string> definitions;
    bool ownDefinitions = false;    // only with definitions to draw

    static ChartWindowSettings Read(const SettingsStore& settings);
    // Geometry, bars, period, scale and the choice of definitions; the set is the user's.
    void WriteState(SettingsStore& settings) const;
};

} // namespace mosgrid
