#pragma once

#include "thumbnails/BuildInputs.h"

#include <QRunnable>

#include <cstdint>
#include <functional>
#include <mutex>

class BuildQueue;
class OriginTable;
class ThumbnailStore;

// One worker thread's share of a build: its own chart host (control and data library),
// made for the build's size, taking jobs until the queue has none for its generation.
class ThumbnailWorker : public QRunnable {
public:
    struct Context {
        BuildQueue& queue;
        ThumbnailStore& store;
        OriginTable& origins;
        // Creating and destroying components goes through the provider one at a time.
        std::mutex& providerMutex;
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
