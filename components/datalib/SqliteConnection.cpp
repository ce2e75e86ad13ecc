#include "SqliteConnection.h"

#include <QByteArray>
#include <QSqlDriver>
#include <QVariant>

#include <sqlite3.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <mutex>

namespace brasko {

namespace {

constexpr char kDriver[] = "QSQLITE";
constexpr char kConnectOptions[] = "QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI;"
                                   "QSQLITE_BUSY_TIMEOUT=%1";
constexpr char kHandleType[] = "sqlite3*";
// Virtual-machine steps between two looks at the clock: a few microseconds of work.
constexpr int kStepsPerClockCheck = 10000;

// The path as a SQLite URI with every byte kept: a Shift-JIS folder name from a list file
// would not survive a trip through QString, percent-escapes do.
QString DatabaseUri(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    const QByteArray bytes = QByteArray::fromStdString(error ? path : absolute.string());
    return QStringLiteral("file:") + QString::fromLatin1(bytes.toPercentEncoding("/"))
           + QStringLiteral("?mode=ro");
}

// Qt's list of connections has a lock of its own; taking ours around every change of it
// as well costs nothing measurable and lets ThreadSanitizer, which cannot see inside Qt,
// see the changes ordered.
std::mutex& ConnectionListMutex()
{
    static std::mutex mutex;
    return mutex;
}

QString UniqueConnectionName()
{
    static std::atomic<unsigned long long> counter{0};
    return QStringLiteral("brasko-prices-%1").arg(counter.fetch_add(1));
}

sqlite3* HandleOf(const QSqlDatabase& db)
{
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || std::strcmp(handle.typeName(), kHandleType) != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

} // namespace

SqliteConnection::SqliteConnection(const std::string& path,
                                   std::chrono::milliseconds busyTimeout,
                                   std::chrono::milliseconds timeLimit)
    : m_name(UniqueConnectionName())
{
    {
        const std::lock_guard lock(ConnectionListMutex());
        m_db = QSqlDatabase::addDatabase(QString::fromLatin1(kDriver), m_name);
    }
    m_db.setDatabaseName(DatabaseUri(path));
    m_db.setConnectOptions(QString::fromLatin1(kConnectOptions).arg(busyTimeout.count()));
    if (!m_db.open())
        return;
    m_handle = HandleOf(m_db);
    if (!m_handle) {
        m_db.close(); // a driver without a handle cannot be bounded: not used
        return;
    }
    m_deadline = std::chrono::steady_clock::now() + timeLimit;
    sqlite3_progress_handler(m_handle, kStepsPerClockCheck, &SqliteConnection::OnProgress,
                             this);
    m_open = true;
}

SqliteConnection::~SqliteConnection()
{
    if (m_handle)
        sqlite3_progress_handler(m_handle, 0, nullptr, nullptr);
    m_db.close();
    const std::lock_guard lock(ConnectionListMutex());
    m_db = QSqlDatabase();
    // Only after every handle on the connection is gone.
    QSqlDatabase::removeDatabase(m_name);
}

int SqliteConnection::OnProgress(void* connection)
{
    const auto* self = static_cast<const SqliteConnection*>(connection);
    return std::chrono::steady_clock::now() >= self->m_deadline ? 1 : 0;
}

} // namespace brasko
