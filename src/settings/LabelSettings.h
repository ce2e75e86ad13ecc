#pragma once

#include <string>

class SettingsStore;

// "Label": the label template; the default "{name}" when absent or empty.
std::string ReadLabelTemplate(const SettingsStore& settings);

// "StaleDays": days a series may lag the catalog's newest before it is marked; 0 (off) for
// a stored negative value.
int ReadStaleDays(const SettingsStore& settings);
