#pragma once

#include <optional>
#include <string_view>

namespace mosgrid {

class SettingsStore;

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

SortKey ReadSortKey(const SettingsStore& settings);
bool ReadSortDescending(const SettingsStore& settings);
PeriodChoice ReadPeriodChoice(const SettingsStore& settings);
bool ReadHoverPreview(const SettingsStore& settings);

void WriteSortKey(SettingsStore& settings, SortKey key);
void WriteSortDescending(SettingsStore& settings, bool descending);
void WritePeriodChoice(SettingsStore& settings, PeriodChoice period);
void WriteHoverPreview(SettingsStore& settings, bool on);

} // namespace mosgrid
