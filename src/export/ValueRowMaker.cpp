#include "export/ValueRowMaker.h"

#include "catalog/CatalogItem.h"
#include "chart/ChartHost.h"
#include "chart/IComponentProvider.h"

#include <QThread>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace mosgrid {

namespace {

// How often the waiting thread reports progress.
constexpr std::chrono::milliseconds kProgressInterval(50);

// What the workers share: the next position to take and how many are done.
struct Shared {
    std::atomic<std::size_t> next{0};
    std::atomic<bool> stop{false};
    std::atomic<bool> noComponents{false};
    std::mutex mutex;
    std::condition_variable changed;
    std::size_t done = 0;
    int running = 0;
};

void Work(const BuildInputs& inputs, std::span<const int> order, std::vector<ValueRow>& rows,
          Shared& shared)
{
    ChartHost host(*inputs.provider, inputs.iniFile);
    host.SetPeriodChoice(inputs.period);
    if (host.CreateHost(inputs.size.width(), inputs.size.height()) != 0) {
        for (;;) {
            const std::size_t i = shared.next.fetch_add(1);
            if (i >= order.size() || shared.stop)
                break;
            const int item = order[i];
            if (item >= 0 && item < static_cast<int>(inputs.items->size())) {
                host.RenderItem(*(*inputs.items)[std::size_t(item)]);
                rows[i] = ValueRow{host.LastFacts(), host.m_chartCtrl.NewestValues()};
            }
            const std::lock_guard lock(shared.mutex);
            ++shared.done;
            shared.changed.notify_one();
        }
    } else {
        shared.noComponents = true;
        shared.stop = true;
    }
    host.DestroyWindow();
    const std::lock_guard lock(shared.mutex);
    --shared.running;
    shared.changed.notify_one();
}

} // namespace

ValueRowMaker::ValueRowMaker(BuildInputs inputs, int workers)
    : m_inputs(std::move(inputs))
    , m_workers(workers > 0 ? workers : std::max(1, QThread::idealThreadCount()))
{
}

ValueRowMaker::Result ValueRowMaker::Make(
    std::span<const int> order, std::vector<ValueRow>& rows,
    const std::function<bool(int done, int total)>& progress)
{
    rows.assign(order.size(), ValueRow{});
    if (!m_inputs.provider || !m_inputs.items)
        return Result::NoComponents;
    Shared shared;
    const int count = static_cast<int>(
        std::min<std::size_t>(std::size_t(m_workers), std::max<std::size_t>(order.size(), 1)));
    shared.running = count;
    std::vector<std::thread> threads;
    threads.reserve(std::size_t(count));
    for (int t = 0; t < count; ++t)
        threads.emplace_back(Work, std::cref(m_inputs), order, std::ref(rows), std::ref(shared));
    {
        auto reported = std::chrono::steady_clock::now();
        std::unique_lock lock(shared.mutex);
        while (shared.running > 0) {
            shared.changed.wait_for(lock, kProgressInterval);
            const auto now = std::chrono::steady_clock::now();
            if (!progress || now - reported < kProgressInterval)
                continue;
            reported = now;
            const int done = static_cast<int>(shared.done);
            lock.unlock();
            if (!progress(done, static_cast<int>(order.size())))
                shared.stop = true;
            lock.lock();
        }
    }
    for (std::thread& thread : threads)
        thread.join();
    if (shared.noComponents)
        return Result::NoComponents;
    return shared.stop ? Result::Stopped : Result::Done;
}

} // namespace mosgrid
