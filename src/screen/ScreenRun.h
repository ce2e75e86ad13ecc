#pragma once

#include "screen/ConditionNode.h"
#include "screen/ScreenItem.h"
#include "screen/ScreenOutcome.h"

#include <QElapsedTimer>
#include <QObject>
#include <QThreadPool>
#include <QTimer>

#include <memory>
#include <vector>

namespace mosgrid {

class IComponentProvider;
struct ScreenRunState;

// Evaluates a condition over every security on worker threads, each with a data library of
// its own (made and let go under the provider's component lock), reading through the
// library's series cache. Results stream: progressed() comes at most every
// kPublishIntervalMs while the workers go on, finished() once all are evaluated. A new
// Start or Cancel voids the run before it; its workers stop after the security in hand.
//
// Threads: every method on the user-interface thread; the workers only fill the run's
// outcomes and post a coalesced call back.
class ScreenRun : public QObject {
    Q_OBJECT
public:
    static constexpr int kPublishIntervalMs = 40;

    // provider must outlive the run.
    explicit ScreenRun(IComponentProvider& provider, QObject* parent = nullptr);
    ~ScreenRun() override;

    // flags: each item's flag number (0: none), missing ones 0. order: the items to evaluate
    // first (those shown first); the others follow in item order.
    void Start(std::shared_ptr<const ConditionNode> condition, std::vector<ScreenItem> items,
               std::vector<int> flags, const std::vector<int>& order);
    void Cancel();
    // Blocks until the workers of every run are done (for the command line and tests).
    void WaitForDone();
    void SetMaxThreads(int threads) { m_pool.setMaxThreadCount(threads); }

    // Until finished() has been told.
    bool running() const;
    ScreenCounts counts() const;
    // 1 for each item the condition holds for so far.
    std::vector<char> Mask() const;
    std::vector<ScreenOutcome> Outcomes() const;

signals:
    void progressed();
    void finished();

private:
    static void Work(ScreenRun* run, std::shared_ptr<ScreenRunState> state,
                     IComponentProvider* provider);
    static void Notify(ScreenRun* run, const std::shared_ptr<ScreenRunState>& state);
    void OnNotified(const std::shared_ptr<ScreenRunState>& state);
    void Publish();

    IComponentProvider& m_provider;
    QThreadPool m_pool;
    std::shared_ptr<ScreenRunState> m_state;
    QElapsedTimer m_sincePublish;
    QTimer m_publishTimer;
    bool m_bFinishedTold = false;
};

} // namespace mosgrid
