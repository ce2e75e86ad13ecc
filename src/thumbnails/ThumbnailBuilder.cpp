#include "thumbnails/ThumbnailBuilder.h"

#include "chart/IComponentProvider.h"
#include "thumbnails/ThumbnailStore.h"
#include "thumbnails/ThumbnailWorker.h"

#include <QThread>

namespace {

// Repaints and progress at most this often: about 60 a second.
constexpr int kReportIntervalMs = 16;

} // namespace

ThumbnailBuilder::ThumbnailBuilder(ThumbnailStore& store, QObject* parent)
    : QObject(parent)
    , m_store(store)
    , m_queue([&store](int index) {
        return store.StateOf(index) == ThumbnailStore::State::Missing;
    })
{
    m_pool.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
    // Workers of a finished build come back soon for the cells scrolled into view.
    m_pool.setExpiryTimeout(-1);
    m_reportTimer.setSingleShot(true);
    m_reportTimer.setInterval(kReportIntervalMs);
    connect(&m_reportTimer, &QTimer::timeout, this, &ThumbnailBuilder::Report);
}

ThumbnailBuilder::~ThumbnailBuilder()
{
    StopAndWait();
}

void ThumbnailBuilder::SetWorkerCount(int count)
{
    m_pool.setMaxThreadCount(std::max(1, count));
}

int ThumbnailBuilder::workerCount() const
{
    return m_pool.maxThreadCount();
}

ThumbnailBuilder::Components ThumbnailBuilder::Start(const BuildInputs& inputs)
{
    Stop();
    m_inputs = inputs;
    Components components = Components::Ready;
    if (m_inputs.provider == nullptr || m_inputs.items == nullptr) {
        components = Components::NoChartControl;
    } else {
        // Found once here, so a missing component is told once per build, on this thread.
        const std::lock_guard lock(m_providerMutex);
        if (!m_inputs.provider->CreateChartControl())
            components = Components::NoChartControl;
        else if (!m_inputs.provider->CreateDataLibrary())
            components = Components::NoDataLibrary;
    }
    const int count = components == Components::Ready && !inputs.size.isEmpty()
        ? static_cast<int>(m_inputs.items->size()) : 0;
    m_generation = m_queue.Start(count);
    m_store.Reset(count, inputs.size, m_generation);
    m_finishReported = false;
    emit buildStarted(count);
    // Until the view names its cells, the list order.
    EnsureWorkers();
    if (count == 0)
        Report();
    return components;
}

void ThumbnailBuilder::Stop()
{
    m_queue.Stop();
    m_reportTimer.stop();
}

void ThumbnailBuilder::StopAndWait()
{
    Stop();
    WaitForWorkers();
}

void ThumbnailBuilder::WaitForWorkers()
{
    {
        std::unique_lock lock(m_workersMutex);
        m_workersGone.wait(lock, [this] { return m_liveWorkers == 0; });
    }
    m_pool.waitForDone();
}

void ThumbnailBuilder::SetOrder(std::vector<int> order, std::size_t priorityCount,
                                std::span<const int> onScreen)
{
    const std::size_t pinned = std::min(priorityCount, order.size());
    m_store.SetPinned(std::span<const int>(order.data(), pinned), onScreen);
    m_queue.SetOrder(std::move(order), priorityCount);
    EnsureWorkers();
}

bool ThumbnailBuilder::IsBuilding() const
{
    return !m_queue.progress().finished();
}

void ThumbnailBuilder::EnsureWorkers()
{
    const int start = m_queue.ReserveWorkers(m_pool.maxThreadCount());
    for (int i = 0; i < start; ++i) {
        const auto madeOne = [this] {
            // One queued call at a time; the timer spreads the reports.
            if (!m_newsPosted.exchange(true))
                QMetaObject::invokeMethod(this, &ThumbnailBuilder::OnWorkerNews,
                                          Qt::QueuedConnection);
        };
        const auto leaving = [this] {
            const std::lock_guard lock(m_workersMutex);
            --m_liveWorkers;
            m_workersGone.notify_all();
        };
        {
            const std::lock_guard lock(m_workersMutex);
            ++m_liveWorkers;
        }
        ThumbnailWorker::Context context{m_queue, m_store, m_providerMutex, madeOne, leaving};
        m_pool.start(new ThumbnailWorker(std::move(context), m_inputs, m_generation));
    }
}

void ThumbnailBuilder::OnWorkerNews()
{
    m_newsPosted = false;
    if (!m_reportTimer.isActive())
        m_reportTimer.start();
}

void ThumbnailBuilder::Report()
{
    const BuildQueue::Progress progress = m_queue.progress();
    emit thumbnailsReady();
    emit progressChanged(progress.made, progress.total);
    if (progress.finished() && !m_finishReported) {
        m_finishReported = true;
        emit buildFinished(progress.total);
    }
}

bool ThumbnailBuilder::WaitUntilBuilt()
{
    EnsureWorkers();
    const bool built = m_queue.WaitUntilBuilt();
    // With nothing left to take, the workers are leaving: let them, hosts and all.
    WaitForWorkers();
    return built;
}

bool ThumbnailBuilder::WaitUntilMade(std::span<const int> indices)
{
    EnsureWorkers();
    return m_queue.WaitUntilMade(indices);
}
