#pragma once

#include "thumbnails/BuildInputs.h"

#include <QRunnable>

#include <cstdint>
#include <functional>

namespace mosgrid {

class BuildQueue;
class OriginTable;
class ThumbnailStore;

// One worker thread's share of a build: its own chart host (control and data library),
// made for the build's size, taking jobs until the queue has none for its generation.
// Threads: run() on a pool thread. It holds no lock of its own; the host takes the
// provider's component lock while it is made and let go, never while the queue's or the
// store's is held.
class ThumbnailWorker : public QRunnable {
public:
    struct Context {
        BuildQueue& queue;
        ThumbnailStore& store;
        OriginTable& origins;
        // Called after every thumbnail put in the store.
        std::function<void()> madeOne;
        // Called last, when the worker touches nothing of the build any more.
        std::function<void()> leaving;
    };

    ThumbnailWorker(Context context, BuildInputs inputs, std::uint64_t generation);

    void run() override;

private:
    Context m_context;
    BuildInputs m_inputs;
    std::uint64_t m_generation;
};

} // namespace mosgrid
