#pragma once

#include <string>

namespace mosgrid {

class SettingsStore;

// "Label": the label template; the default "{name}" when absent or empty.
std::string ReadLabelTemplate(const SettingsStore& settings);

// "StaleDays": days a series may lag the catalog's newest before it is marked; 0 (off) for
// a stored negative value.
int ReadStaleDays(const SettingsStore& settings);

// "Heat": whether labels are tinted by the day's change; off unless stored nonzero.
bool ReadHeat(const SettingsStore& settings);
// False when the settings file could not be written.
bool WriteHeat(SettingsStore& settings, bool on);

} // namespace mosgrid
