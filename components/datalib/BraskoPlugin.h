#pragma once

#include <QuorexComponents.h>

#include <QObject>

#include <memory>

namespace brasko {

class BusyDatabases;
class SeriesCache;
class SqliteConnections;

// The plugin object: creates data libraries, all sharing one series cache that lives as
// long as the plugin, so parsed series outlast the library of one thumbnail rebuild, and
// one memory of busy databases, so every worker's library skips them, and the database
// connections each worker thread keeps open with what it learnt of the databases.
class BraskoPlugin : public QObject, public quorex::IDataLibraryFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QUOREX_DATA_LIBRARY_IID FILE "brasko.json")
    Q_INTERFACES(quorex::IDataLibraryFactory)

public:
    BraskoPlugin();
    ~BraskoPlugin() override;

    std::unique_ptr<quorex::IDataLibrary> CreateDataLibrary() override;

private:
    std::shared_ptr<SeriesCache> m_cache;
    std::shared_ptr<BusyDatabases> m_busy;
    std::shared_ptr<SqliteConnections> m_connections;
};

} // namespace brasko
