#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

namespace mosgrid {

// The jobs of one thumbnail build: which item a worker makes next. Items listed first in the
// order (the cells on screen and the rows around them) are made first, and made again when
// their thumbnail has been dropped; every other item is made once per build, those in the
// order before the rest. A new build voids every job of the one before.
//
// Threads: workers call Take and Done; the user-interface thread calls everything else, and
// only it waits. One lock guards every member; nothing outside is called while it is held,
// so no other lock is ever taken under it. The queue does not ask the store what it dropped:
// whoever pins items tells it (Dropped), after the store's lock is let go; the store never
// drops what is pinned, and only pinned items are made again.
class BuildQueue {
public:
    // Whether workers go on to the items an order does not list once it is done.
    enum class Scope : std::uint8_t { Everything, ListedOnly };

    // A new build of count items; returns its generation. The items in alreadyMade count as
    // made (their thumbnails were carried over from the build before).
    std::uint64_t Start(int count, std::span<const int> alreadyMade = {});
    // No job of the current build is handed out any more.
    void Stop();
    std::uint64_t generation() const;

    // The first priorityCount entries of order are made first and kept made; then the rest of
    // order, then (Everything) every item not listed, in index order.
    void SetOrder(std::vector<int> order, std::size_t priorityCount,
                  Scope scope = Scope::Everything);

    // How many workers to start now so that the jobs waiting are covered, at most maxWorkers
    // running in all; those returned count as running.
    int ReserveWorkers(int maxWorkers);
    // A worker's next job of generation, or none: a worker told none has stopped.
    std::optional<int> Take(std::uint64_t generation);
    // A worker finished the job for index (made, or failed for good).
    void Done(std::uint64_t generation, int index);
    // The thumbnails of these made items are gone again (dropped to fit the memory budget):
    // those on screen are made again. Items not made, or being made, are left as they are.
    void Dropped(std::uint64_t generation, std::span<const int> indices);

    struct Progress {
        int made = 0;    // items made at least once in this build
        int total = 0;
        bool finished() const { return made >= total; }
    };
    Progress progress() const;
    int runningWorkers() const;

    void SetScope(Scope scope);

    // Block until every item of the current build has been made once and no job runs;
    // false when the build was stopped or replaced meanwhile. Under ListedOnly, only when
    // the order lists every item.
    bool WaitUntilBuilt();
    // Block until every index listed is made and present; false as above.
    bool WaitUntilMade(std::span<const int> indices);

private:
    // Dropped: made once, its thumbnail gone since.
    enum class Job : std::uint8_t { Pending, Running, Made, Dropped };

    bool TakeableLocked(int index) const;
    std::optional<int> NextLocked();
    bool ReadyLocked(int index) const;

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::uint64_t m_generation = 0;
    bool m_stopped = true;
    std::vector<Job> m_jobs;
    std::vector<std::uint8_t> m_everMade;
    std::vector<int> m_order;
    std::size_t m_priorityCount = 0;
    Scope m_scope = Scope::Everything;
    std::size_t m_orderCursor = 0;   // order entries before it are taken or made
    int m_indexCursor = 0;           // items before it are taken or made
    int m_made = 0;
    int m_running = 0;               // jobs being made
    int m_cellWaiters = 0;           // threads in WaitUntilMade: they need every Done
    int m_workers = 0;               // this build's workers not yet told "none"
};

} // namespace mosgrid
