#include "thumbnails/OriginTable.h"

#include <unordered_set>

namespace mosgrid {

void OriginTable::Reset(int count, std::uint64_t generation)
{
    const std::lock_guard lock(m_mutex);
    m_generation = generation;
    m_entries.assign(static_cast<std::size_t>(std::max(count, 0)), Entry{});
    m_folders.clear();
    m_folderIds.clear();
}

void OriginTable::Carry(std::span<const int> previous, std::uint64_t generation)
{
    const std::lock_guard lock(m_mutex);
    std::vector<Entry> old;
    old.swap(m_entries);
    std::vector<std::string> oldFolders;
    oldFolders.swap(m_folders);
    m_folderIds.clear();
    m_generation = generation;
    m_entries.resize(previous.size());
    // Folders no item uses any more are left behind.
    for (std::size_t i = 0; i < previous.size(); ++i) {
        const int from = previous[i];
        if (from < 0 || from >= static_cast<int>(old.size()))
            continue;
        Entry entry = old[from];
        if (entry.folder >= 0)
            entry.folder = FolderIdLocked(oldFolders[entry.folder]);
        m_entries[i] = std::move(entry);
    }
}

std::int32_t OriginTable::FolderIdLocked(const std::string& folder)
{
    const auto [it, added] =
        m_folderIds.try_emplace(folder, static_cast<std::int32_t>(m_folders.size()));
    if (added)
        m_folders.push_back(folder);
    return it->second;
}

void OriginTable::Set(std::uint64_t generation, int index, const ItemOrigin& origin)
{
    const std::lock_guard lock(m_mutex);
    if (generation != m_generation || index < 0 || index >= static_cast<int>(m_entries.size()))
        return;
    Entry& entry = m_entries[index];
    const std::size_t slash = origin.path.rfind('/');
    if (origin.path.empty()) {
        entry.folder = -1;
        entry.name.clear();
    } else {
        entry.folder = FolderIdLocked(slash == std::string::npos
                                          ? std::string() : origin.path.substr(0, slash + 1));
        entry.name = slash == std::string::npos ? origin.path : origin.path.substr(slash + 1);
    }
    entry.stamp = origin.stamp;
    entry.state = origin.settled ? State::Settled : State::Unsettled;
}

std::string OriginTable::PathOf(const Entry& entry) const
{
    if (entry.folder < 0)
        return entry.name;
    return m_folders[entry.folder] + entry.name;
}

std::optional<ItemOrigin> OriginTable::Get(int index) const
{
    const std::lock_guard lock(m_mutex);
    if (index < 0 || index >= static_cast<int>(m_entries.size()))
        return std::nullopt;
    const Entry& entry = m_entries[index];
    if (entry.state == State::Unread)
        return std::nullopt;
    return ItemOrigin{PathOf(entry), entry.stamp, entry.state == State::Settled};
}

int OriginTable::size() const
{
    const std::lock_guard lock(m_mutex);
    return static_cast<int>(m_entries.size());
}

OriginTable::Summary OriginTable::Summarize() const
{
    const std::lock_guard lock(m_mutex);
    Summary summary;
    std::unordered_set<std::string> seen;
    for (const Entry& entry : m_entries) {
        if (entry.state == State::Unsettled)
            ++summary.unsettled;
        if (entry.state == State::Unread || entry.name.empty())
            continue;
        std::string path = PathOf(entry);
        if (seen.insert(path).second)
            summary.files.push_back(std::move(path));
    }
    return summary;
}

} // namespace mosgrid
