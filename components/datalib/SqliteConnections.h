#pragma once

#include "SqliteConnection.h"

#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

namespace brasko {

// Open database connections for further reads, each kept for the thread that opened it
// (SQLite connections and statements are not to be shared between threads): a read takes
// its thread's connection to a database, or a new one, and gives it back when done. A
// connection to a file since replaced is not given out again. Thread-safe. The connections
// close when the object goes.
class SqliteConnections {
public:
    using Connection = std::unique_ptr<SqliteConnection>;

    // The calling thread's connection to path (check IsOpen), as the file is now.
    Connection Take(const std::string& path, std::chrono::milliseconds busyTimeout);
    void Give(const std::string& path, Connection connection);

private:
    using Key = std::pair<std::thread::id, std::string>;

    std::mutex m_mutex;
    std::map<Key, Connection> m_idle;
};

} // namespace brasko
