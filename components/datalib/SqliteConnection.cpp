#include "SqliteConnection.h"

#include <sqlite3.h>

#include <sys/stat.h>

namespace brasko {

namespace {

// Virtual-machine steps between two looks at the clock: a few microseconds of work.
constexpr int kStepsPerClockCheck = 10000;
constexpr char kLogSuffix[] = "-wal";
// An index of prices whose first two columns are code and date (a primary key or a unique
// constraint included).
constexpr char kCodeDateIndexQuery[] =
    "SELECT 1 FROM pragma_index_list('prices') AS l, pragma_index_info(l.name) AS i"
    " WHERE (i.seqno = 0 AND i.name = 'code' COLLATE NOCASE)"
    " OR (i.seqno = 1 AND i.name = 'date' COLLATE NOCASE)"
    " GROUP BY l.name HAVING COUNT(*) = 2";

std::int64_t ModifiedNs(const struct stat& info)
{
    return std::int64_t(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
}

} // namespace

DatabaseStamp DatabaseStamp::Of(const std::string& path)
{
    DatabaseStamp stamp;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return stamp;
    stamp.device = std::uint64_t(info.st_dev);
    stamp.inode = std::uint64_t(info.st_ino);
    stamp.modifiedNs = ModifiedNs(info);
    stamp.size = std::uint64_t(info.st_size);
    if (::stat((path + kLogSuffix).c_str(), &info) == 0) {
        stamp.logModifiedNs = ModifiedNs(info);
        stamp.logSize = std::uint64_t(info.st_size);
    }
    return stamp;
}

SqliteConnection::SqliteConnection(const std::string& path,
                                   std::chrono::milliseconds busyTimeout)
    : m_stamp(DatabaseStamp::Of(path))
{
    // The path's bytes as they are (no URI: a '?' or '%' in a folder name is a name).
    // Read-only: a missing file is not created.
    sqlite3* db = nullptr;
    const int flags = SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(path.c_str(), &db, flags, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return;
    }
    m_db = db;
    sqlite3_busy_timeout(m_db, int(busyTimeout.count()));
    sqlite3_progress_handler(m_db, kStepsPerClockCheck, &SqliteConnection::OnProgress, this);
}

SqliteConnection::~SqliteConnection()
{
    for (const auto& [sql, statement] : m_statements)
        sqlite3_finalize(statement);
    sqlite3_close(m_db);
}

sqlite3_stmt* SqliteConnection::Statement(const char* sql)
{
    if (!m_db)
        return nullptr;
    if (const auto found = m_statements.find(sql); found != m_statements.end()) {
        sqlite3_reset(found->second);
        sqlite3_clear_bindings(found->second);
        return found->second;
    }
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v3(m_db, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr)
        != SQLITE_OK) {
        sqlite3_finalize(statement);
        return nullptr;
    }
    m_statements.emplace(sql, statement);
    return statement;
}

void SqliteConnection::BeginRead(std::chrono::milliseconds timeLimit)
{
    m_deadline = std::chrono::steady_clock::now() + timeLimit;
}

void SqliteConnection::Restamp(const DatabaseStamp& stamp)
{
    if (stamp == m_stamp)
        return;
    m_stamp = stamp;
    m_facts.clear();
    m_codeDateIndex.reset();
}

bool SqliteConnection::HasCodeDateIndex()
{
    if (!m_codeDateIndex) {
        sqlite3_stmt* statement = Statement(kCodeDateIndexQuery);
        if (!statement)
            return false; // asked again next time
        m_codeDateIndex = sqlite3_step(statement) == SQLITE_ROW;
        sqlite3_reset(statement);
    }
    return *m_codeDateIndex;
}

const SqliteConnection::CodeFacts* SqliteConnection::FindFacts(const std::string& code) const
{
    const auto found = m_facts.find(code);
    return found == m_facts.end() ? nullptr : &found->second;
}

void SqliteConnection::KeepFacts(const std::string& code, const CodeFacts& facts)
{
    m_facts[code] = facts;
}

int SqliteConnection::OnProgress(void* connection)
{
    const auto* self = static_cast<const SqliteConnection*>(connection);
    return std::chrono::steady_clock::now() >= self->m_deadline ? 1 : 0;
}

} // namespace brasko
