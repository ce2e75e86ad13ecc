#include "SqliteConnections.h"

namespace brasko {

SqliteConnections::Connection SqliteConnections::Take(const std::string& path,
                                                      std::chrono::milliseconds busyTimeout)
{
    const DatabaseStamp stamp = DatabaseStamp::Of(path);
    Connection connection;
    {
        const std::lock_guard lock(m_mutex);
        const auto found = m_idle.find({std::this_thread::get_id(), path});
        if (found != m_idle.end()) {
            connection = std::move(found->second);
            m_idle.erase(found);
        }
    }
    if (connection && connection->Stamp().SameFile(stamp)) {
        connection->Restamp(stamp);
        return connection;
    }
    connection.reset(); // closed outside the lock
    return std::make_unique<SqliteConnection>(path, busyTimeout);
}

void SqliteConnections::Give(const std::string& path, Connection connection)
{
    if (!connection || !connection->IsOpen())
        return;
    const std::lock_guard lock(m_mutex);
    m_idle[{std::this_thread::get_id(), path}] = std::move(connection);
}

} // namespace brasko
