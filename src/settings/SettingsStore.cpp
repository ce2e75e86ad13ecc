#include "settings/SettingsStore.h"

#include "settings/SettingsFile.h"
#include "settings/SettingsFileCache.h"
#include "settings/SettingsSeed.h"

namespace mosgrid {

namespace {

// What a buffer of that capacity holds besides the terminating NUL.
std::size_t TextRoom(std::size_t capacity)
{
    return capacity > 0 ? capacity - 1 : 0;
}

} // namespace

SettingsStore::SettingsStore(std::string iniPath)
    : m_path(std::move(iniPath))
    , m_cache(SettingsFileCache::ForPath(m_path))
    , m_seed(SettingsSeed::ForPath(m_path))
{
}

int SettingsStore::ReadInt(std::string_view section, std::string_view key,
                           int defaultValue) const
{
    if (const std::optional<int> value = m_cache->ReadInt(section, key))
        return *value;
    // Only an absent key asks whether the file itself is absent.
    if (SettingsFileCache* standIn = m_seed ? m_seed->StandIn() : nullptr)
        return standIn->ReadInt(section, key).value_or(defaultValue);
    return defaultValue;
}

std::string SettingsStore::ReadText(std::string_view section, std::string_view key,
                                    std::string_view defaultText, std::size_t capacity) const
{
    const std::size_t room = TextRoom(capacity);
    if (std::optional<std::string> value = m_cache->ReadText(section, key, room))
        return std::move(*value);
    if (SettingsFileCache* standIn = m_seed ? m_seed->StandIn() : nullptr) {
        if (std::optional<std::string> value = standIn->ReadText(section, key, room))
            return std::move(*value);
    }
    // The profile functions drop a default's trailing blanks (spaces, not tabs).
    const std::size_t kept = defaultText.find_last_not_of(' ');
    defaultText = defaultText.substr(0, kept == std::string_view::npos ? 0 : kept + 1);
    return std::string(defaultText.substr(0, room));
}

bool SettingsStore::WriteText(std::string_view section, std::string_view key,
                              std::string_view value)
{
    return CreateFromSeed() && m_cache->Write(section, key, value);
}

bool SettingsStore::WriteTexts(const SettingsWriteBatch& writes)
{
    return CreateFromSeed() && m_cache->WriteAll(writes);
}

bool SettingsStore::FileExists() const
{
    if (m_seed)
        return m_seed->FileExists();
    return SettingsFile::Stamp(m_path).state != SettingsFileStamp::State::Missing;
}

bool SettingsStore::CreateFromSeed()
{
    if (m_seed && !m_seed->FileExists()) {
        if (!m_seed->CreateFile())
            return false;
        // The shared parse may still hold the file as missing.
        m_cache->Forget();
    }
    return true;
}

std::vector<SettingsStore::Entry> SettingsStore::ReadSection(std::string_view section,
                                                             std::size_t capacity) const
{
    std::vector<Entry> entries = m_cache->ReadSection(section, TextRoom(capacity));
    if (!entries.empty())
        return entries;
    if (SettingsFileCache* standIn = m_seed ? m_seed->StandIn() : nullptr)
        return standIn->ReadSection(section, TextRoom(capacity));
    return entries;
}

void SettingsStore::SetRecheckInterval(std::chrono::nanoseconds interval)
{
    SettingsFileCache::SetRecheckInterval(interval);
}

void SettingsStore::SetSeedFile(const std::string& path, const std::string& seedPath)
{
    SettingsSeed::Register(path, seedPath);
}

} // namespace mosgrid
