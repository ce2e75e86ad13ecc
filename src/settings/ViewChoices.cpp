#include "settings/ViewChoices.h"

#include "settings/SettingsStore.h"
#include "settings/IniText.h"

#include <array>
#include <utility>

namespace mosgrid {

namespace {

constexpr std::array<std::pair<SortKey, std::string_view>, 6> kSortWords{{
    {SortKey::List, "list"},
    {SortKey::Code, "code"},
    {SortKey::Name, "name"},
    {SortKey::Change, "change"},
    {SortKey::Last, "last"},
    {SortKey::Volume, "volume"},
}};

constexpr std::array<std::pair<PeriodChoice, std::string_view>, 4> kPeriodWords{{
    {PeriodChoice::Definitions, "definitions"},
    {PeriodChoice::Daily, "daily"},
    {PeriodChoice::Weekly, "weekly"},
    {PeriodChoice::Monthly, "monthly"},
}};

template <class Table, class Value>
std::string_view WordOf(const Table& table, Value value)
{
    for (const auto& [candidate, word] : table) {
        if (candidate == value)
            return word;
    }
    return table.front().second;
}

template <class Table>
auto ValueNamed(const Table& table, std::string_view word)
    -> std::optional<typename Table::value_type::first_type>
{
    for (const auto& [value, candidate] : table) {
        if (IniText::EqualsNoCase(word, candidate))
            return value;
    }
    return std::nullopt;
}

} // namespace

std::string_view SortKeyWord(SortKey key)
{
    return WordOf(kSortWords, key);
}

std::optional<SortKey> SortKeyNamed(std::string_view word)
{
    return ValueNamed(kSortWords, word);
}

std::string_view PeriodChoiceWord(PeriodChoice period)
{
    return WordOf(kPeriodWords, period);
}

std::optional<PeriodChoice> PeriodChoiceNamed(std::string_view word)
{
    return ValueNamed(kPeriodWords, word);
}

SortKey ReadSortKey(const SettingsStore& settings)
{
    const std::string word = settings.ReadText(ViewKeys::kSectionView, ViewKeys::kSort, "");
    return SortKeyNamed(word).value_or(ViewKeys::kDefaultSort);
}

bool ReadSortDescending(const SettingsStore& settings)
{
    return settings.ReadInt(ViewKeys::kSectionView, ViewKeys::kSortDescending,
                            ViewKeys::kDefaultSortDescending) != 0;
}

PeriodChoice ReadPeriodChoice(const SettingsStore& settings)
{
    const std::string word = settings.ReadText(ViewKeys::kSectionView, ViewKeys::kPeriod, "");
    return PeriodChoiceNamed(word).value_or(ViewKeys::kDefaultPeriod);
}

bool ReadHoverPreview(const SettingsStore& settings)
{
    return settings.ReadInt(ViewKeys::kSectionView, ViewKeys::kHoverPreview,
                            ViewKeys::kDefaultHoverPreview) == 1;
}

void WriteSortKey(SettingsStore& settings, SortKey key)
{
    settings.WriteText(ViewKeys::kSectionView, ViewKeys::kSort, SortKeyWord(key));
}

void WriteSortDescending(SettingsStore& settings, bool descending)
{
    settings.WriteText(ViewKeys::kSectionView, ViewKeys::kSortDescending,
                       descending ? "1" : "0");
}

void WritePeriodChoice(SettingsStore& settings, PeriodChoice period)
{
    settings.WriteText(ViewKeys::kSectionView, ViewKeys::kPeriod, PeriodChoiceWord(period));
}

void WriteHoverPreview(SettingsStore& settings, bool on)
{
    settings.WriteText(ViewKeys::kSectionView, ViewKeys::kHoverPreview, on ? "1" : "0");
}

} // namespace mosgrid
