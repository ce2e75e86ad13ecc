#include "settings/SettingsFileCache.h"

#include "settings/IniEditor.h"
#include "settings/IniNumber.h"
#include "settings/IniText.h"

#include <algorithm>
#include <atomic>
#include <cstdint>

namespace mosgrid {

namespace {

// Callers ask for a handful of keys; a caller walking many distinct keys only costs
// a rescan after the memo is dropped.
constexpr std::size_t kMaxRememberedLookups = 4096;

// Caches of paths no SettingsStore holds any more are dropped beyond this many.
constexpr std::size_t kMaxIdleCaches = 8;

std::atomic<std::int64_t> g_recheckNanoseconds{0};

} // namespace

void SettingsFileCache::SetRecheckInterval(std::chrono::nanoseconds interval)
{
    g_recheckNanoseconds.store(interval.count(), std::memory_order_relaxed);
}

std::shared_ptr<SettingsFileCache> SettingsFileCache::ForPath(const std::string& path)
{
    static std::mutex registryMutex;
    static std::unordered_map<std::string, std::shared_ptr<SettingsFileCache>> registry;

    const std::lock_guard lock(registryMutex);
    if (const auto it = registry.find(path); it != registry.end())
        return it->second;
    auto cache = std::make_shared<SettingsFileCache>(path);
    if (registry.size() >= kMaxIdleCaches)
        std::erase_if(registry, [](const auto& item) { return item.second.use_count() == 1; });
    registry.emplace(path, cache);
    return cache;
}

void SettingsFileCache::RefreshLocked()
{
    const auto now = std::chrono::steady_clock::now();
    // An unreadable file is never trusted: it may become readable without a new stamp.
    const bool trusted = m_loaded && m_stamp.state != SettingsFileStamp::State::Unreadable;
    // A stat costs microseconds on some machines and a rebuild reads thousands of keys in a
    // burst; within the interval the file's own time stamps could not tell changes apart
    // anyway.
    const std::chrono::nanoseconds interval(g_recheckNanoseconds.load(std::memory_order_relaxed));
    if (trusted && interval.count() > 0 && now - m_lastCheck < interval)
        return;
    m_lastCheck = now;
    if (trusted && SettingsFile::Stamp(m_path) == m_stamp)
        return;
    SettingsFileContents contents = SettingsFile::Load(m_path);
    m_found.clear();
    m_form = SettingsFileEncoding::Detect(contents.bytes);
    std::optional<std::string> text = SettingsFileEncoding::Decode(contents.bytes, m_form);
    m_bWritable = text.has_value();
    m_document = IniDocument(text ? std::move(*text)
                                  : SettingsFileEncoding::DecodeLossy(contents.bytes, m_form));
    m_stamp = contents.stamp;
    m_loaded = true;
}

std::optional<std::string_view> SettingsFileCache::FindLocked(std::string_view section,
                                                              std::string_view key)
{
    section = IniDocument::RequestedName(section);
    key = IniDocument::RequestedName(key);
    // Such names match no line, and would blur the memo's key.
    if (IniText::HasLineBreak(section) || IniText::HasLineBreak(key))
        return std::nullopt;

    std::string memoKey = IniText::ToLower(section);
    memoKey += '\n';
    memoKey += IniText::ToLower(key);
    if (const auto it = m_found.find(memoKey); it != m_found.end())
        return it->second;

    if (m_found.size() >= kMaxRememberedLookups)
        m_found.clear();
    const std::optional<std::string_view> found = m_document.Find(section, key);
    m_found.emplace(std::move(memoKey), found);
    return found;
}

std::optional<int> SettingsFileCache::ReadInt(std::string_view section, std::string_view key)
{
    const std::lock_guard lock(m_mutex);
    RefreshLocked();
    const std::optional<std::string_view> value = FindLocked(section, key);
    if (!value || IniText::IsBlankText(*value))
        return std::nullopt;
    return ParseProfileInt(*value);
}

std::optional<std::string> SettingsFileCache::ReadText(std::string_view section,
                                                       std::string_view key,
                                                       std::size_t maxBytes)
{
    const std::lock_guard lock(m_mutex);
    RefreshLocked();
    const std::optional<std::string_view> value = FindLocked(section, key);
    if (!value)
        return std::nullopt;
    return std::string(value->substr(0, maxBytes));
}

std::vector<std::pair<std::string, std::string>>
SettingsFileCache::ReadSection(std::string_view section, std::size_t maxBytes)
{
    const std::lock_guard lock(m_mutex);
    RefreshLocked();
    std::vector<std::pair<std::string, std::string>> entries;
    for (const IniEntry& entry : m_document.Entries(section))
        entries.emplace_back(std::string(entry.key), std::string(entry.value.substr(0, maxBytes)));
    return entries;
}

bool SettingsFileCache::Write(std::string_view section, std::string_view key,
                              std::string_view value)
{
    const SettingsWrite write{std::string(section), std::string(key), std::string(value)};
    return WriteAll(std::span(&write, 1));
}

bool SettingsFileCache::WriteAll(std::span<const SettingsWrite> writes)
{
    const std::lock_guard lock(m_mutex);
    RefreshLocked();
    // Writing over a file that could not be read would lose what the user has in it.
    if (m_stamp.state == SettingsFileStamp::State::Unreadable || !m_bWritable)
        return false;
    using SettingsFileEncoding::TextFor;
    std::string text = m_document.bytes();
    bool allWritten = true;
    bool anyWritten = false;
    for (const SettingsWrite& write : writes) {
        std::optional<std::string> edited =
            IniEditor::SetValue(text, TextFor(write.section, m_form), TextFor(write.key, m_form),
                                TextFor(write.value, m_form));
        if (!edited) {
            allWritten = false;
            continue;
        }
        text = std::move(*edited);
        anyWritten = true;
    }
    if (!anyWritten)
        return writes.empty();
    const std::optional<SettingsFileStamp> stamp =
        SettingsFile::Save(m_path, SettingsFileEncoding::Encode(text, m_form));
    if (!stamp)
        return false;
    m_found.clear();
    m_document = IniDocument(std::move(text));
    m_stamp = *stamp;
    m_lastCheck = std::chrono::steady_clock::now();
    return allWritten;
}

void SettingsFileCache::Forget()
{
    const std::lock_guard lock(m_mutex);
    m_loaded = false;
}

} // namespace mosgrid
