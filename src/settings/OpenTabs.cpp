#include "settings/OpenTabs.h"

#include "settings/SettingsStore.h"

#include <algorithm>

namespace mosgrid {

namespace {

std::string FileKey(std::size_t number)
{
    return TabKeys::kFileFormat + std::to_string(number);
}

// Keys File1, File2, … as far as they go.
std::size_t KeptCount(const SettingsStore& settings)
{
    std::size_t count = 0;
    while (!settings.ReadText(TabKeys::kSectionTabs, FileKey(count + 1), "").empty())
        ++count;
    return count;
}

} // namespace

OpenTabs ReadOpenTabs(const SettingsStore& settings)
{
    OpenTabs tabs;
    const std::size_t count = KeptCount(settings);
    for (std::size_t number = 1; number <= count; ++number)
        tabs.files.push_back(settings.ReadText(TabKeys::kSectionTabs, FileKey(number), ""));
    if (tabs.files.size() < 2)
        return {};
    const int current = settings.ReadInt(TabKeys::kSectionTabs, TabKeys::kCurrent, 1);
    tabs.current = std::clamp(current - 1, 0, static_cast<int>(tabs.files.size()) - 1);
    return tabs;
}

void WriteOpenTabs(SettingsStore& settings, const OpenTabs& tabs)
{
    const bool keep = tabs.files.size() >= 2;
    const std::size_t before = KeptCount(settings);
    if (!keep && before == 0)
        return;  // a single list never writes the section
    SettingsWriteBatch writes;
    const std::size_t count = keep ? tabs.files.size() : 0;
    for (std::size_t i = 0; i < std::max(count, before); ++i)
        writes.push_back({TabKeys::kSectionTabs, FileKey(i + 1), i < count ? tabs.files[i] : ""});
    writes.push_back({TabKeys::kSectionTabs, TabKeys::kCurrent,
                      keep ? std::to_string(tabs.current + 1) : ""});
    settings.WriteTexts(writes);
}

} // namespace mosgrid
