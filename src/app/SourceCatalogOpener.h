#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>
#include <string>

namespace mosgrid {

// Lists a folder's price files or a database's codes on a worker before the catalog opens
// it, so a folder of tens of thousands of files never holds up the window: a long listing
// opens the catalog with the codes found so far and fills it as more are found (each time
// a reload that keeps the thumbnails made); the loads take the listing made.
// Threads: made and used on the user-interface thread; the worker only leaves listings in
// the catalog layer and raises a flag that a timer here looks at.
class SourceCatalogOpener : public QObject {
    Q_OBJECT
public:
    using Open = std::function<void(const std::string& path)>;
    using Fill = std::function<void(const std::string& path)>;

    // open: opens path once its first codes are listed; fill: shows more of the catalog
    // open on path (both on the user-interface thread).
    SourceCatalogOpener(Open open, Fill fill, QObject* parent);
    ~SourceCatalogOpener() override;

    // Starts listing path; false when it is no folder or database (open it as a list).
    bool Start(const std::string& path);
    bool IsListing() const { return m_watcher.isRunning(); }

private:
    struct Listing {
        std::atomic<bool> stop{false};
        std::atomic<bool> moreListed{false};
    };

    void ShowListed();
    void Finish();

    Open m_open;
    Fill m_fill;
    std::string m_path;
    bool m_opened = false;
    std::shared_ptr<Listing> m_listing;
    QTimer m_poll;
    QFutureWatcher<void> m_watcher;
};

} // namespace mosgrid
