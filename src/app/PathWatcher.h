#pragma once

#include "app/WatchPlan.h"

#include <QObject>

#include <string>
#include <unordered_map>
#include <unordered_set>

class QSocketNotifier;

namespace mosgrid {

// Watches files and folders with inotify and says when something in them changed. A folder
// watch sees files written in place as well as files created, replaced or removed (Qt's
// file-system watcher sees only the latter in a folder), and may be narrowed to some names.
// Threads: the user-interface thread only (its socket notifier lives there).
class PathWatcher : public QObject {
    Q_OBJECT
public:
    explicit PathWatcher(QObject* parent = nullptr);
    ~PathWatcher() override;

    // Watches what plan names and lets go of everything else. Paths that do not exist are
    // left out until the next Apply.
    void Apply(const WatchPlan& plan);
    int watchCount() const { return static_cast<int>(m_watches.size()); }

signals:
    void changed();

private:
    struct Watch {
        bool folder = false;
        bool anyName = false;
        std::unordered_set<std::string> names;
    };

    void OnReadable();
    bool Matters(const Watch& watch, const char* name, std::uint32_t mask) const;

    int m_fd = -1;
    // A child, deleted by the destructor before m_fd is closed.
    QSocketNotifier* m_notifier = nullptr;
    std::unordered_map<int, Watch> m_watches;
};

} // namespace mosgrid
