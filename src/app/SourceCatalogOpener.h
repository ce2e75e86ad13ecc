#pragma once

#include <QFutureWatcher>
#include <QObject>

#include <functional>
#include <string>

// Lists a folder's price files or a database's codes on a worker before the catalog opens
// it, so a folder of tens of thousands of files never holds up the window; the load then
// takes the listing made. Threads: made and used on the user-interface thread.
class SourceCatalogOpener : public QObject {
    Q_OBJECT
public:
    using Open = std::function<void(const std::string& path)>;

    // open: what opens path once listed (on the user-interface thread).
    SourceCatalogOpener(Open open, QObject* parent);
    ~SourceCatalogOpener() override;

    // Starts listing path; false when it is no folder or database (open it as a list).
    bool Start(const std::string& path);
    bool IsListing() const { return m_watcher.isRunning(); }

signals:
    void listingStarted();

private:
    Open m_open;
    std::string m_path;
    QFutureWatcher<void> m_watcher;
};
