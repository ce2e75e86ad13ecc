#include "settings/LabelSettings.h"

#include "settings/SettingsStore.h"
#include "settings/SettingsKeys.h"

#include <algorithm>

namespace mosgrid {

std::string ReadLabelTemplate(const SettingsStore& settings)
{
    using namespace SettingsKeys;
    std::string text = settings.ReadText(kSectionName, kLabel, "");
    return text.empty() ? std::string(kDefaultLabel) : text;
}

int ReadStaleDays(const SettingsStore& settings)
{
    using namespace SettingsKeys;
    return std::max(0, settings.ReadInt(kSectionName, kStaleDays, kDefaultStaleDays));
}

bool ReadHeat(const SettingsStore& settings)
{
    using namespace SettingsKeys;
    return settings.ReadInt(kSectionName, kHeat, kDefaultHeat) != 0;
}

bool WriteHeat(SettingsStore& settings, bool on)
{
    using namespace SettingsKeys;
    return settings.WriteText(kSectionName, kHeat, on ? "1" : "0");
}

} // namespace mosgrid
