#pragma once

#include "thumbnails/BuildInputs.h"
#include "thumbnails/BuildQueue.h"
#include "thumbnails/OriginTable.h"

#include <QElapsedTimer>
#include <QObject>
#include <QThreadPool>
#include <QTimer>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

namespace mosgrid {

class ThumbnailStore;

// Makes the thumbnails of a catalog on a pool of worker threads, cells on screen first,
// into a ThumbnailStore. Lives on the user-interface thread, which never loads or renders a
// chart: it starts and stops builds, passes on the order the view wants, and hears of
// finished thumbnails at most about 60 times a second.
//
// Threads: every method on the user-interface thread; its signals are emitted there. Workers
// (ThumbnailWorker) reach the queue, the store and the origins, and call back madeOne (a
// queued call to this object) and leaving. Locks: m_workersMutex guards m_liveWorkers only;
// the queue, the store (with its arena), the origin table and the provider's component lock
// each guard their own and are never held together, except the store's over its arena's.
class ThumbnailBuilder : public QObject {
    Q_OBJECT
public:
    // Why a build could not start.
    enum class Components { Ready, NoChartControl, NoDataLibrary };

    explicit ThumbnailBuilder(ThumbnailStore& store, QObject* parent = nullptr);
    // Stops the build and waits for the workers.
    ~ThumbnailBuilder() override;

    // Worker threads; the machine's cores by default.
    void SetWorkerCount(int count);
    int workerCount() const;

    // Voids the build before and starts one over inputs: the store gets a slot per item (none
    // when the components cannot be created, which the result says).
    Components Start(const BuildInputs& inputs);
    // A build over a changed item list that keeps what the build before made: item i takes
    // the thumbnail and origin of old item previous[i] (-1: none, made anew), and those in
    // remake are made again, their old picture shown until the new one lands. The builder
    // must have been stopped and waited for before the items changed. A new thumbnail size
    // keeps nothing.
    Components Restart(const BuildInputs& inputs, std::span<const int> previous,
                       std::span<const int> remake);
    // No further thumbnail of this build is made. Workers finish the item in hand.
    void Stop();
    // Stop, then wait until no worker touches the inputs any more.
    void StopAndWait();

    // The view's wishes: order[0 .. priorityCount) (on screen and the rows around) first and
    // kept, the rest of order next, every other item last; onScreen counts as shown now.
    void SetOrder(std::vector<int> order, std::size_t priorityCount,
                  std::span<const int> onScreen,
                  BuildQueue::Scope scope = BuildQueue::Scope::Everything);

    // What the current build reads.
    const BuildInputs& inputs() const { return m_inputs; }
    BuildQueue::Progress progress() const { return m_queue.progress(); }
    // The current build's number, new with every Start.
    std::uint64_t generation() const { return m_generation; }
    bool IsBuilding() const;
    // The file each item was read from, as the workers saw it.
    const OriginTable& origins() const { return m_origins; }

    // For printing and exporting: block until every item has been made once and the workers
    // have left, then until the items listed are present. False when the build was stopped.
    bool WaitUntilBuilt();
    bool WaitUntilMade(std::span<const int> indices);

signals:
    void thumbnailsReady();
    void progressChanged(int made, int total);
    void buildStarted(int total);
    void buildFinished(int total);

private:
    Components CheckComponents();
    void Begin(int count);
    void EnsureWorkers();
    // Until every worker started has left its run.
    void WaitForWorkers();
    void OnWorkerNews();
    void Report();

    ThumbnailStore& m_store;
    OriginTable m_origins;
    BuildQueue m_queue;
    QThreadPool m_pool;
    // Workers started and not yet gone: waited for by our own lock, so what a worker did is
    // seen by whoever waited, whatever the pool does inside.
    std::mutex m_workersMutex;
    std::condition_variable m_workersGone;
    int m_liveWorkers = 0;
    BuildInputs m_inputs;
    std::uint64_t m_generation = 0;
    bool m_finishReported = true;
    std::atomic<bool> m_newsPosted{false};
    QTimer m_reportTimer;
    // Gives the store's spare memory back once nothing has been made for a while.
    QTimer m_idleTimer;
};

} // namespace mosgrid
