#pragma once

#include <chrono>
#include <cstddef>
#include <mutex>
#include <string>
#include <unordered_map>

namespace brasko {

// Databases that lately kept a reader waiting (locked by a writer, or a query that ran too
// long): further reads of them give up at once for a short while, so a catalog of many
// securities in one such database costs one wait, not one per security. Thread-safe.
class BusyDatabases {
public:
    using Clock = std::chrono::steady_clock;
    // Long enough for a whole catalog, short enough that a writer's commit is soon over.
    static constexpr std::chrono::seconds kMemory{3};

    // Whether path waited within kMemory.
    bool IsBusy(const std::string& path);
    // A read of path waited and gave up.
    void Remember(const std::string& path);
    // How many reads waited and gave up so far.
    std::size_t Waits() const;

private:
    mutable std::mutex m_mutex;
    std::unordered_map<std::string, Clock::time_point> m_until;
    std::size_t m_waits = 0;
};

} // namespace brasko
