#pragma once

namespace mosgrid {

// Every section, key, default and built-in value of mosgrid.ini, in one place.
namespace SettingsKeys {

inline constexpr char kSectionChart[] = "Chart";
inline constexpr char kSectionCharts[] = "Charts";
inline constexpr char kSectionName[] = "Name";

inline constexpr char kSizeX[] = "SizeX";
inline constexpr char kSizeY[] = "SizeY";
inline constexpr char kNum[] = "Num";
inline constexpr char kChartFormat[] = "Chart%d";
inline constexpr char kParam[] = "Param";
inline constexpr char kBackColor[] = "BackColor";
inline constexpr char kTextColor[] = "TextColor";
inline constexpr char kTransParent[] = "TransParent";

inline constexpr int kDefaultSizeX = 300;
inline constexpr int kDefaultSizeY = 180;
inline constexpr int kDefaultNum = 0;
inline constexpr int kDefaultBackColor = 8421440;   // 0x808040: red 64, green 128, blue 128
inline constexpr int kDefaultTextColor = 16777215;  // 0xFFFFFF: white
inline constexpr int kDefaultTransParent = 0;

// How each thumbnail's label reads, and when its series counts as stale (section "Name").
inline constexpr char kLabel[] = "Label";
inline constexpr char kStaleDays[] = "StaleDays";
inline constexpr char kDefaultLabel[] = "{name}";
inline constexpr int kDefaultStaleDays = 7;
// Whether each label's background is tinted by the day's change (section "Name").
inline constexpr char kHeat[] = "Heat";
inline constexpr int kDefaultHeat = 0;

// Thumbnails per row, their width following the window (section "Chart"); 0: the fixed
// SizeX × SizeY.
inline constexpr char kColumns[] = "Columns";
inline constexpr int kDefaultColumns = 0;

inline constexpr char kBuiltInChart[] = "Daily; DispMaxMin=0";
inline constexpr char kBuiltInParam[] = "AssistLine=0; FontSize=9; DispNum=60; ShowScrollBar=0";

// The chart control draws no more charts than this; a hand-edited larger "Num" is read only
// this far when charts are drawn.
inline constexpr int kMaxDrawnCharts = 64;

// Every string read uses a buffer of this many bytes, so at most one byte less comes back.
inline constexpr int kTextCapacity = 1024;

// The settings pages accept at most this many characters in a text box.
inline constexpr int kMaxTextLength = 1024;
// ... and no more bytes than a read gives back.
inline constexpr int kMaxTextBytes = kTextCapacity - 1;

// The General page shows a stored size only from this value on.
inline constexpr int kMinShownSize = 10;

// The thumbnail size the rebuild uses is clamped to this range.
inline constexpr int kMinUsableSize = 1;
inline constexpr int kMaxUsableSize = 4096;

} // namespace SettingsKeys

} // namespace mosgrid
