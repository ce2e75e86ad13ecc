#pragma once

#include "chart/ItemFacts.h"
#include "thumbnails/BuildInputs.h"

#include <QPicture>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <span>
#include <thread>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace mosgrid {

// Records catalog items as drawing commands (chart and label) on worker threads, each with
// a chart host of its own, for writers that keep vectors. Only the items of the current run
// and the next are kept, so memory stays bounded whatever the catalog's length.
// Threads: Fetch, Take and the destructor on one thread; the workers take jobs under
// m_mutex and render outside it.
class PictureRecorder {
public:
    struct Recorded {
        QPicture picture;  // null when the item could not be drawn
        ItemFacts facts;
    };

    // inputs: as for a thumbnail build; they must stay unchanged while the recorder lives.
    PictureRecorder(BuildInputs inputs, int workers);
    // Workers finish the item in hand and are joined.
    ~PictureRecorder();
    PictureRecorder(const PictureRecorder&) = delete;
    PictureRecorder& operator=(const PictureRecorder&) = delete;

    // Drops what is neither in items nor in next, records the missing ones (items first)
    // and blocks until every one of items is there.
    void Fetch(std::span<const int> items, std::span<const int> next);
    // What Fetch recorded of item; empty when it was not asked for.
    Recorded Take(int item) const;
    // The newest bar date of every item recorded so far.
    std::int32_t NewestDate() const;

private:
    void Work();
    bool AllThere(std::span<const int> items) const;

    BuildInputs m_inputs;
    int m_workerCount;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<int> m_waiting;
    std::unordered_set<int> m_inHand;
    std::unordered_set<int> m_wanted;
    std::unordered_map<int, Recorded> m_done;
    std::int32_t m_newestDate = 0;
    bool m_stopping = false;
    std::vector<std::thread> m_threads;
};

} // namespace mosgrid
