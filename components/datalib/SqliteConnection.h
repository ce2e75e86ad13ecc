#pragma once

#include <QSqlDatabase>
#include <QString>

#include <chrono>
#include <string>

struct sqlite3;

namespace brasko {

// A read-only connection of its own to one SQLite database file, closed and removed when
// the object goes. Its cost is bounded: a lock held by a writer is waited for only
// briefly, and a statement that runs past the time limit is interrupted.
class SqliteConnection {
public:
    SqliteConnection(const std::string& path, std::chrono::milliseconds busyTimeout,
                     std::chrono::milliseconds timeLimit);
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    bool IsOpen() const { return m_open; }
    QSqlDatabase& Database() { return m_db; }

private:
    static int OnProgress(void* connection);

    QString m_name;
    QSqlDatabase m_db;
    sqlite3* m_handle = nullptr;
    std::chrono::steady_clock::time_point m_deadline;
    bool m_open = false;
};

} // namespace brasko
