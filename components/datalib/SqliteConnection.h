#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace brasko {

// The file a database is and its state: the database file and its write-ahead log, whose
// commits leave the database file itself as it was.
struct DatabaseStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t modifiedNs = 0;
    std::uint64_t size = 0;
    std::int64_t logModifiedNs = 0;
    std::uint64_t logSize = 0;

    // Of path now; all zero when it cannot be looked at.
    static DatabaseStamp Of(const std::string& path);
    bool SameFile(const DatabaseStamp& other) const
    {
        return device == other.device && inode == other.inode;
    }
    bool operator==(const DatabaseStamp&) const = default;
};

// A read-only connection to one SQLite database file, through SQLite's own interface, with
// its prepared statements. Kept open for further reads by the thread that opened it (see
// SqliteConnections). Its cost is bounded: a lock held by a writer is waited for only
// briefly, and a read that runs past its time limit is interrupted.
class SqliteConnection {
public:
    // What is known of one code's rows while the database stays as it was.
    struct CodeFacts {
        std::int64_t rows = 0;
        bool ordered = false; // ORDER BY date orders the rows as their days
    };

    SqliteConnection(const std::string& path, std::chrono::milliseconds busyTimeout);
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    bool IsOpen() const { return m_db != nullptr; }
    sqlite3* Handle() const { return m_db; }
    // The statement of sql (a constant: kept by its address), reset and unbound; null when
    // it cannot be prepared (then see Handle's error).
    sqlite3_stmt* Statement(const char* sql);
    // Starts a read that may take up to timeLimit.
    void BeginRead(std::chrono::milliseconds timeLimit);

    const DatabaseStamp& Stamp() const { return m_stamp; }
    // The database as of stamp (the same file): facts of an older state are forgotten.
    void Restamp(const DatabaseStamp& stamp);
    const CodeFacts* FindFacts(const std::string& code) const;
    void KeepFacts(const std::string& code, const CodeFacts& facts);
    // Whether prices has an index that starts with (code, date), once per state.
    bool HasCodeDateIndex();

private:
    static int OnProgress(void* connection);

    sqlite3* m_db = nullptr;
    std::map<const char*, sqlite3_stmt*> m_statements;
    std::map<std::string, CodeFacts> m_facts;
    std::optional<bool> m_codeDateIndex;
    DatabaseStamp m_stamp;
    std::chrono::steady_clock::time_point m_deadline;
};

} // namespace brasko
