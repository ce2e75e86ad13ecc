#pragma once

#include <optional>
#include <string_view>

class ChartSettings;

// How the grid is arranged and which period every chart is drawn in, kept in [View].
// Absent or unknown values read as the defaults: list order, ascending, the definitions'
// own periods.

enum class SortKey { List, Code, Name, Change, Last, Volume };
enum class PeriodChoice { Definitions, Daily, Weekly, Monthly };

namespace ViewKeys {

inline constexpr char kSectionView[] = "View";
inline constexpr char kSort[] = "Sort";
inline constexpr char kSortDescending[] = "SortDescending";
inline constexpr char kPeriod[] = "Period";
// Whether the list and price files are watched for changes (1) or not (0).
inline constexpr char kAutoReload[] = "AutoReload";
// Whether the pointer resting on a cell opens its enlarged preview (1) or only Space does (0).
inline constexpr char kHoverPreview[] = "HoverPreview";

inline constexpr SortKey kDefaultSort = SortKey::List;
inline constexpr int kDefaultSortDescending = 0;
inline constexpr PeriodChoice kDefaultPeriod = PeriodChoice::Definitions;
inline constexpr int kDefaultAutoReload = 1;
inline constexpr int kDefaultHoverPreview = 0;

} // namespace ViewKeys

// The stored words: "list", "code", "name", "change", "last", "volume"; "definitions",
// "daily", "weekly", "monthly". Read without regard to ASCII case.
std::string_view SortKeyWord(SortKey key);
std::optional<SortKey> SortKeyNamed(std::string_view word);
std::string_view PeriodChoiceWord(PeriodChoice period);
std::optional<PeriodChoice> PeriodChoiceNamed(std::string_view word);

SortKey ReadSortKey(const ChartSettings& settings);
bool ReadSortDescending(const ChartSettings& settings);
PeriodChoice ReadPeriodChoice(const ChartSettings& settings);
bool ReadHoverPreview(const ChartSettings& settings);

void WriteSortKey(ChartSettings& settings, SortKey key);
void WriteSortDescending(ChartSettings& settings, bool descending);
void WritePeriodChoice(ChartSettings& settings, PeriodChoice period);
void WriteHoverPreview(ChartSettings& settings, bool on);
