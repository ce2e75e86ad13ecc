#include "BraskoPlugin.h"

#include "BusyDatabases.h"
#include "DataLibrary.h"
#include "SeriesCache.h"
#include "SqliteConnections.h"

namespace brasko {

BraskoPlugin::BraskoPlugin()
    : m_cache(std::make_shared<SeriesCache>())
    , m_busy(std::make_shared<BusyDatabases>())
    , m_connections(std::make_shared<SqliteConnections>())
{
}

BraskoPlugin::~BraskoPlugin() = default;

std::unique_ptr<quorex::IDataLibrary> BraskoPlugin::CreateDataLibrary()
{
    return std::make_unique<DataLibrary>(m_cache, m_busy, m_connections);
}

} // namespace brasko
