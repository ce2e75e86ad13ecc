#pragma once

#include "chart/ItemOrigin.h"

#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

namespace mosgrid {

// Which file each item's series was read from, per item of one build, for reloads and for
// watching. Folders are kept once, so a long catalog of files in a few folders costs a file
// name and a stamp per item.
// Threads: workers call Set; the user-interface thread everything else. One lock guards
// every member and nothing is called under it.
class OriginTable {
public:
    // count items, nothing recorded, under generation (records of others are ignored).
    void Reset(int count, std::uint64_t generation);
    // Item i takes what old item previous[i] had recorded (-1: nothing), as the store does.
    void Carry(std::span<const int> previous, std::uint64_t generation);

    void Set(std::uint64_t generation, int index, const ItemOrigin& origin);
    // Nothing when the item has not been read in this build or the one it was carried from.
    std::optional<ItemOrigin> Get(int index) const;
    int size() const;

    struct Summary {
        std::vector<std::string> files;  // distinct, in item order
        int unsettled = 0;               // items read while their file was being written
    };
    Summary Summarize() const;

private:
    enum class State : std::uint8_t { Unread, Settled, Unsettled };
    struct Entry {
        std::int32_t folder = -1;
        std::string name;
        FileStamp stamp;
        State state = State::Unread;
    };

    std::string PathOf(const Entry& entry) const;
    std::int32_t FolderIdLocked(const std::string& folder);

    mutable std::mutex m_mutex;
    std::uint64_t m_generation = 0;
    std::vector<Entry> m_entries;
    std::vector<std::string> m_folders;
    std::unordered_map<std::string, std::int32_t> m_folderIds;
};

} // namespace mosgrid
