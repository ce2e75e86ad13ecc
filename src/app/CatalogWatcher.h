#pragma once

#include "app/PathWatcher.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

namespace mosgrid {

// Turns the changes seen in a catalog's files into reloads: a burst of changes (a vendor
// rewriting thousands of price files) gives one reload once it has been quiet a moment, and
// a file seen being written is read again after it has had time to settle.
class CatalogWatcher : public QObject {
    Q_OBJECT
public:
    // A burst ends after this long without a change...
    static constexpr int kQuietMs = 1000;
    // ... and a change never waits longer than this, however long the burst goes on.
    static constexpr int kLongestWaitMs = 10000;
    // A file being written when it was read is read again after this long.
    static constexpr int kSettleRetryMs = 2500;

    explicit CatalogWatcher(QObject* parent = nullptr);

    // Off: nothing is watched and nothing is due.
    void SetEnabled(bool enabled);
    bool isEnabled() const { return m_enabled; }
    // While paused (an export runs), a reload that falls due waits until it ends.
    void SetPaused(bool paused);

    // What to watch now (ignored while off).
    void Watch(const WatchPlan& plan);
    // Some items were read while their files were being written.
    void RetryUnsettledLater();
    // A change in a watched file or folder.
    void NoteChange();

    int watchCount() const { return m_paths.watchCount(); }

signals:
    void reloadDue();

private:
    void OnTimeout();
    void Fire();

    PathWatcher m_paths;
    QTimer m_burstTimer;
    QTimer m_settleTimer;
    QElapsedTimer m_sinceFirst;
    QElapsedTimer m_sinceLast;
    bool m_enabled = false;
    bool m_paused = false;
    bool m_pending = false;
};

// How long to wait before reloading, from how long ago a burst's first and last changes
// came; 0: now.
int ReloadDelayMs(qint64 sinceFirstMs, qint64 sinceLastMs);

} // namespace mosgrid
