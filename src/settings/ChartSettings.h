#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "settings/SettingsKeys.h"

// mosgrid.ini, read and written with the observable rules of the Windows profile functions
// (GetPrivateProfileInt/String, WritePrivateProfileString), so files written on Windows
// read the same. Reads never fail; writes are atomic and silent on failure.
class ChartSettings {
public:
    explicit ChartSettings(std::string iniPath);

    int ReadInt(std::string_view section, std::string_view key, int defaultValue) const;

    // At most capacity - 1 bytes of the stored value, or of the default when the key is
    // absent. The result's size is the length the caller tests.
    std::string ReadText(std::string_view section, std::string_view key,
                         std::string_view defaultText,
                         std::size_t capacity = SettingsKeys::kTextCapacity) const;

    // Sets the key's value, adding the key, the section or the file as needed.
    // Returns whether the file was written; callers of the program ignore it.
    bool WriteText(std::string_view section, std::string_view key, std::string_view value);

    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};
