#include "app/CatalogWatcher.h"

#include <algorithm>

namespace mosgrid {

int ReloadDelayMs(qint64 sinceFirstMs, qint64 sinceLastMs)
{
    const qint64 quiet = CatalogWatcher::kQuietMs - sinceLastMs;
    const qint64 longest = CatalogWatcher::kLongestWaitMs - sinceFirstMs;
    return static_cast<int>(std::max<qint64>(0, std::min(quiet, longest)));
}

CatalogWatcher::CatalogWatcher(QObject* parent)
    : QObject(parent)
{
    m_burstTimer.setSingleShot(true);
    m_settleTimer.setSingleShot(true);
    m_settleTimer.setInterval(kSettleRetryMs);
    connect(&m_burstTimer, &QTimer::timeout, this, &CatalogWatcher::OnTimeout);
    connect(&m_settleTimer, &QTimer::timeout, this, &CatalogWatcher::Fire);
    connect(&m_paths, &PathWatcher::changed, this, &CatalogWatcher::NoteChange);
}

void CatalogWatcher::SetEnabled(bool enabled)
{
    m_enabled = enabled;
    if (enabled)
        return;
    m_paths.Apply(WatchPlan{});
    m_burstTimer.stop();
    m_settleTimer.stop();
    m_pending = false;
}

void CatalogWatcher::SetPaused(bool paused)
{
    m_paused = paused;
    if (!paused && m_pending) {
        m_pending = false;
        Fire();
    }
}

void CatalogWatcher::Watch(const WatchPlan& plan)
{
    if (m_enabled)
        m_paths.Apply(plan);
}

void CatalogWatcher::RetryUnsettledLater()
{
    if (m_enabled && !m_settleTimer.isActive())
        m_settleTimer.start();
}

void CatalogWatcher::NoteChange()
{
    if (!m_enabled)
        return;
    m_sinceLast.start();
    // Thousands of changes cost a clock reading each; the timer looks at them when it ends.
    if (m_burstTimer.isActive())
        return;
    m_sinceFirst.start();
    m_burstTimer.start(kQuietMs);
}

void CatalogWatcher::OnTimeout()
{
    const int delay = ReloadDelayMs(m_sinceFirst.elapsed(), m_sinceLast.elapsed());
    if (delay > 0) {
        m_burstTimer.start(delay);
        return;
    }
    Fire();
}

void CatalogWatcher::Fire()
{
    if (!m_enabled)
        return;
    if (m_paused) {
        m_pending = true;
        return;
    }
    m_settleTimer.stop();
    emit reloadDue();
}

} // namespace mosgrid
