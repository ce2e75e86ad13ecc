#pragma once

#include "catalog/CatalogItem.h"
#include "catalog/CatalogListLoader.h"

#include <QObject>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace mosgrid {

// What a load on a worker found. Items are handed over only when the list was read.
struct ListLoadResult {
    enum class Status { Read, NotOpened, TooMany, OutOfMemory };

    std::uint64_t ticket = 0;
    std::string path;
    Status status = Status::NotOpened;
    ListLoadOutcome outcome;
    CatalogItemList items;
    // With a list to match against: the old index of each item, as MatchItems gives it.
    std::vector<int> previous;
};

// Reads list files on a worker thread, so that a list of a million lines never holds up the
// thread that asked. The result comes back by the queued signal loaded, on the thread the
// loader lives in; a newer Start or a Cancel voids the older load's result. Never removes a
// list file. A list too long for kMaxItems, or one memory runs out on, gives no items.
// Threads: Start, Cancel, IsLoading and the destructor on the loader's own thread. A worker
// reads the list it matches against only under m_matchMutex and while its load is the
// newest: once Cancel returns, no worker reads it any more, and the caller may change it.
// A worker reaches the loader only through the relay, under the relay's mutex (taken before
// m_matchMutex); the destructor clears the relay, so a worker left waiting on a stream is let
// go instead of holding up the end of the program.
class AsyncListLoader : public QObject {
    Q_OBJECT
public:
    static constexpr std::size_t kMaxItems = 1'000'000;
    // Lists up to this size read in a few milliseconds: a caller may read them at once.
    static constexpr std::int64_t kQuickReadBytes = std::int64_t(1) << 20;

    explicit AsyncListLoader(QObject* parent = nullptr);
    // Waits for the workers.
    ~AsyncListLoader() override;

    // The ticket of the new load. matchAgainst: a list the new items are matched with on the
    // worker (ListLoadResult::previous); it must stay unchanged until Cancel or the result.
    std::uint64_t Start(std::string path, std::size_t maxItems = kMaxItems,
                        const CatalogItemList* matchAgainst = nullptr);
    // Voids any load still running; waits for a match in progress to end.
    void Cancel();
    bool IsLoading() const { return m_loading; }

    // Whether path is a regular file too large to read without a worker.
    static bool NeedsWorker(const std::string& path);

signals:
    void loaded(std::shared_ptr<ListLoadResult> result);

private:
    struct Worker {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };

    // What the workers share with the loader; owner is null once the loader is gone.
    struct Relay {
        std::mutex mutex;
        AsyncListLoader* owner = nullptr;
    };

    static void Hand(Relay& relay, const std::shared_ptr<ListLoadResult>& result,
                     const CatalogItemList* matchAgainst);
    void Deliver(const std::shared_ptr<ListLoadResult>& result);
    void Match(ListLoadResult& result, const CatalogItemList& matchAgainst);
    void JoinFinished();

    std::uint64_t m_ticket = 0;
    // The newest ticket, as the workers see it.
    std::atomic<std::uint64_t> m_newest{0};
    std::mutex m_matchMutex;
    bool m_loading = false;
    std::vector<Worker> m_workers;
    std::shared_ptr<Relay> m_relay;
};

} // namespace mosgrid
