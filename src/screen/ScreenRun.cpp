#include "screen/ScreenRun.h"

#include "chart/IComponentProvider.h"
#include "screen/ConditionEvaluator.h"
#include "screen/ConditionNeeds.h"

#include <QThread>

#include <atomic>
#include <mutex>

namespace mosgrid {

struct ScreenRunState {
    std::shared_ptr<const ConditionNode> condition;
    quorex::DataRequest need;
    std::vector<ScreenItem> items;
    std::vector<int> flags;
    std::vector<int> order;
    std::vector<std::atomic<std::uint8_t>> outcomes;
    std::atomic<std::size_t> next{0};
    std::atomic<int> evaluated{0};
    std::atomic<int> workersLeft{0};
    std::atomic<bool> cancelled{false};
    std::atomic<bool> notifyPending{false};

    explicit ScreenRunState(std::size_t count) : outcomes(count) {}
};

ScreenRun::ScreenRun(IComponentProvider& provider, QObject* parent)
    : QObject(parent)
    , m_provider(provider)
{
    m_pool.setMaxThreadCount(QThread::idealThreadCount());
    m_publishTimer.setSingleShot(true);
    connect(&m_publishTimer, &QTimer::timeout, this, &ScreenRun::Publish);
}

ScreenRun::~ScreenRun()
{
    Cancel();
    m_pool.waitForDone();
}

void ScreenRun::Start(std::shared_ptr<const ConditionNode> condition,
                      std::vector<ScreenItem> items, std::vector<int> flags,
                      const std::vector<int>& order)
{
    Cancel();
    auto state = std::make_shared<ScreenRunState>(items.size());
    state->need = ConditionNeeds(*condition);
    state->condition = std::move(condition);
    flags.resize(items.size(), 0);
    state->flags = std::move(flags);
    // The given order first, each item once, then the rest.
    std::vector<char> placed(items.size(), 0);
    for (const int item : order) {
        if (item >= 0 && static_cast<std::size_t>(item) < items.size() && !placed[item]) {
            placed[item] = 1;
            state->order.push_back(item);
        }
    }
    for (std::size_t item = 0; item < items.size(); ++item) {
        if (!placed[item])
            state->order.push_back(static_cast<int>(item));
    }
    state->items = std::move(items);
    m_state = state;
    m_bFinishedTold = false;
    m_sincePublish.start();
    const int workers = std::max(1, std::min(m_pool.maxThreadCount(),
                                             static_cast<int>(state->items.size())));
    state->workersLeft = workers;
    for (int k = 0; k < workers; ++k)
        m_pool.start([this, state, provider = &m_provider] { Work(this, state, provider); });
}

void ScreenRun::Cancel()
{
    m_publishTimer.stop();
    if (m_state)
        m_state->cancelled = true;
    m_state.reset();
}

void ScreenRun::WaitForDone()
{
    m_pool.waitForDone();
    Publish();
}

bool ScreenRun::running() const
{
    return m_state && !m_bFinishedTold;
}

ScreenCounts ScreenRun::counts() const
{
    ScreenCounts counts;
    if (!m_state)
        return counts;
    counts.total = static_cast<int>(m_state->items.size());
    for (const auto& outcome : m_state->outcomes) {
        switch (static_cast<ScreenOutcome>(outcome.load(std::memory_order_relaxed))) {
        case ScreenOutcome::Holds:
            ++counts.holds;
            ++counts.evaluated;
            break;
        case ScreenOutcome::Fails:
            ++counts.evaluated;
            break;
        case ScreenOutcome::NotEvaluable:
            ++counts.notEvaluable;
            ++counts.evaluated;
            break;
        case ScreenOutcome::Pending:
            break;
        }
    }
    return counts;
}

std::vector<char> ScreenRun::Mask() const
{
    std::vector<char> mask;
    if (!m_state)
        return mask;
    mask.reserve(m_state->outcomes.size());
    for (const auto& outcome : m_state->outcomes) {
        mask.push_back(static_cast<ScreenOutcome>(outcome.load(std::memory_order_relaxed))
                       == ScreenOutcome::Holds);
    }
    return mask;
}

std::vector<ScreenOutcome> ScreenRun::Outcomes() const
{
    std::vector<ScreenOutcome> outcomes;
    if (m_state) {
        for (const auto& outcome : m_state->outcomes)
            outcomes.push_back(static_cast<ScreenOutcome>(outcome.load()));
    }
    return outcomes;
}

void ScreenRun::Work(ScreenRun* run, std::shared_ptr<ScreenRunState> state,
                     IComponentProvider* provider)
{
    std::unique_ptr<quorex::IDataLibrary> library;
    {
        const std::lock_guard lock(provider->componentMutex());
        library = provider->CreateDataLibrary();
    }
    ConditionEvaluator evaluator(*state->condition);
    while (!state->cancelled.load()) {
        const std::size_t next = state->next.fetch_add(1);
        if (next >= state->order.size())
            break;
        const int item = state->order[next];
        const ScreenItem& security = state->items[static_cast<std::size_t>(item)];
        ScreenOutcome outcome = ScreenOutcome::NotEvaluable;
        if (library) {
            const quorex::DataResult loaded =
                library->LoadData(security.source, security.code, security.type, state->need);
            if (loaded.data)
                outcome = evaluator.Evaluate(loaded.data->Bars(), state->flags[item]);
        }
        state->outcomes[static_cast<std::size_t>(item)].store(
            static_cast<std::uint8_t>(outcome), std::memory_order_relaxed);
        state->evaluated.fetch_add(1);
        Notify(run, state);
    }
    {
        const std::lock_guard lock(provider->componentMutex());
        library.reset();
    }
    state->workersLeft.fetch_sub(1);
    Notify(run, state);
}

void ScreenRun::Notify(ScreenRun* run, const std::shared_ptr<ScreenRunState>& state)
{
    if (state->cancelled.load() || state->notifyPending.exchange(true))
        return;
    QMetaObject::invokeMethod(
        run, [run, state] { run->OnNotified(state); }, Qt::QueuedConnection);
}

void ScreenRun::OnNotified(const std::shared_ptr<ScreenRunState>& state)
{
    state->notifyPending = false;
    if (state != m_state)
        return;
    // The last worker leaving is told at once; progress at most every interval.
    const bool done = state->workersLeft.load() == 0;
    if (done || m_sincePublish.elapsed() >= kPublishIntervalMs) {
        m_publishTimer.stop();
        Publish();
    } else if (!m_publishTimer.isActive()) {
        m_publishTimer.start(
            static_cast<int>(kPublishIntervalMs - m_sincePublish.elapsed()));
    }
}

void ScreenRun::Publish()
{
    if (!m_state)
        return;
    m_sincePublish.start();
    emit progressed();
    if (!m_bFinishedTold && m_state->workersLeft.load() == 0) {
        m_bFinishedTold = true;
        emit finished();
    }
}

} // namespace mosgrid
