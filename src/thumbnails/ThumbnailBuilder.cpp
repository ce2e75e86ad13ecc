#include "thumbnails/ThumbnailBuilder.h"

#include "chart/IComponentProvider.h"
#include "thumbnails/ThumbnailStore.h"
#include "thumbnails/ThumbnailWorker.h"

#include <QThread>

namespace mosgrid {

namespace {

// Repaints and progress at most this often: about 60 a second.
constexpr int kReportIntervalMs = 16;
// Spare thumbnail memory is kept this long after the last thumbnail was made: long enough
// for a scroll to reuse it, short enough not to hold it while the catalog sits still.
constexpr int kSpareKeepMs = 10000;

} // namespace

ThumbnailBuilder::ThumbnailBuilder(ThumbnailStore& store, QObject* parent)
    : QObject(parent)
    , m_store(store)
{
    m_pool.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
    // Workers of a finished build come back soon for the cells scrolled into view.
    m_pool.setExpiryTimeout(-1);
    m_reportTimer.setSingleShot(true);
    m_reportTimer.setInterval(kReportIntervalMs);
    connect(&m_reportTimer, &QTimer::timeout, this, &ThumbnailBuilder::Report);
    m_idleTimer.setSingleShot(true);
    m_idleTimer.setInterval(kSpareKeepMs);
    connect(&m_idleTimer, &QTimer::timeout, this, [this] { m_store.ReleaseSpares(); });
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

ThumbnailBuilder::Components ThumbnailBuilder::CheckComponents()
{
    if (m_inputs.provider == nullptr || m_inputs.items == nullptr)
        return Components::NoChartControl;
    // Found once here, so a missing component is told once per build, on this thread.
    const std::lock_guard lock(m_inputs.provider->componentMutex());
    if (!m_inputs.provider->CreateChartControl())
        return Components::NoChartControl;
    if (!m_inputs.provider->CreateDataLibrary())
        return Components::NoDataLibrary;
    return Components::Ready;
}

ThumbnailBuilder::Components ThumbnailBuilder::Start(const BuildInputs& inputs)
{
    Stop();
    m_inputs = inputs;
    const Components components = CheckComponents();
    const int count = components == Components::Ready && !inputs.size.isEmpty()
        ? static_cast<int>(m_inputs.items->size()) : 0;
    m_generation = m_queue.Start(count);
    m_store.Reset(count, inputs.size, m_generation);
    m_origins.Reset(count, m_generation);
    Begin(count);
    return components;
}

ThumbnailBuilder::Components ThumbnailBuilder::Restart(const BuildInputs& inputs,
                                                       std::span<const int> previous,
                                                       std::span<const int> remake)
{
    if (inputs.size != m_store.imageSize() || inputs.items == nullptr
        || previous.size() != inputs.items->size())
        return Start(inputs);
    Stop();
    m_inputs = inputs;
    const Components components = CheckComponents();
    if (components != Components::Ready || inputs.size.isEmpty())
        return Start(inputs);
    const int count = static_cast<int>(previous.size());
    std::vector<std::uint8_t> again(previous.size(), 0);
    for (const int index : remake) {
        if (index >= 0 && index < count)
            again[index] = 1;
    }
    // Made in the build before and wanted as it is: the first item to claim an old slot.
    std::vector<std::uint8_t> claimed(static_cast<std::size_t>(m_store.size()), 0);
    std::vector<int> kept;
    for (int i = 0; i < count; ++i) {
        const int from = previous[i];
        if (from < 0 || from >= static_cast<int>(claimed.size()) || claimed[from])
            continue;
        claimed[from] = 1;
        if (!again[i] && m_store.Facts(from).made)
            kept.push_back(i);
    }
    m_generation = m_queue.Start(count, kept);
    m_store.Carry(previous, m_generation);
    m_origins.Carry(previous, m_generation);
    Begin(count);
    return components;
}

void ThumbnailBuilder::Begin(int count)
{
    m_finishReported = false;
    emit buildStarted(count);
    // Until the view names its cells, the list order.
    EnsureWorkers();
    if (count == 0 || m_queue.progress().finished())
        Report();
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
                                std::span<const int> onScreen, BuildQueue::Scope scope)
{
    const std::size_t pinned = std::min(priorityCount, order.size());
    const std::span<const int> priority(order.data(), pinned);
    m_store.SetPinned(priority, onScreen);
    // Pinned now, so what is missing among them stays missing until made again: the queue
    // learns it here rather than asking the store under its own lock.
    const std::vector<int> missing = m_store.MissingAmong(priority);
    m_queue.SetOrder(std::move(order), priorityCount, scope);
    m_queue.Dropped(m_generation, missing);
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
        ThumbnailWorker::Context context{m_queue, m_store, m_origins, madeOne, leaving};
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
    m_idleTimer.start();
    emit thumbnailsReady();
    emit progressChanged(progress.made, progress.total);
    if (progress.finished() && !m_finishReported) {
        m_finishReported = true;
        emit buildFinished(progress.total);
    }
}

bool ThumbnailBuilder::WaitUntilBuilt()
{
    // Every item is wanted now, whatever the last order left out.
    m_queue.SetScope(BuildQueue::Scope::Everything);
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

} // namespace mosgrid
