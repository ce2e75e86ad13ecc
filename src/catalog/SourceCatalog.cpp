#include "catalog/SourceCatalog.h"

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace mosgrid {

namespace {

constexpr int kCsvType = 1;
constexpr int kDatabaseType = 5;
// The first bytes of every SQLite 3 database file.
constexpr std::string_view kSqliteHeader{"SQLite format 3\0", 16};
constexpr std::array<std::string_view, 2> kCsvExtensions{".csv", ".CSV"};
constexpr char kCodesQuery[] =
    "SELECT DISTINCT code FROM prices WHERE code IS NOT NULL ORDER BY code";
// A database another program is writing is waited for this long at most.
constexpr int kBusyTimeoutMs = 2000;

bool StartsWithSqliteHeader(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return false;
    char header[kSqliteHeader.size()];
    struct stat info {};
    const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    const ssize_t got = regular ? ::read(fd, header, sizeof header) : -1;
    ::close(fd);
    return got == ssize_t(sizeof header)
        && std::string_view(header, sizeof header) == kSqliteHeader;
}

// The code a price file's name stands for; empty when it is no price file's name.
std::string_view CodeOfFileName(std::string_view name)
{
    for (const std::string_view extension : kCsvExtensions) {
        if (name.size() > extension.size() && name.ends_with(extension))
            return name.substr(0, name.size() - extension.size());
    }
    return {};
}

bool IsFileEntry(int folderFd, const dirent& entry)
{
    if (entry.d_type == DT_REG)
        return true;
    if (entry.d_type != DT_UNKNOWN && entry.d_type != DT_LNK)
        return false;
    struct stat info {};
    return ::fstatat(folderFd, entry.d_name, &info, 0) == 0 && S_ISREG(info.st_mode);
}

struct ListedCodes {
    std::string path;
    std::int64_t stamp = 0;
    std::vector<std::string> codes;
};

std::mutex g_listedMutex;
std::optional<ListedCodes> g_listed;  // one listing ahead is all a window needs

} // namespace

void KeepListedCodes(const std::string& path, std::int64_t stamp,
                     std::vector<std::string> codes)
{
    const std::lock_guard lock(g_listedMutex);
    g_listed = ListedCodes{path, stamp, std::move(codes)};
}

std::optional<std::vector<std::string>> TakeListedCodes(const std::string& path)
{
    std::optional<ListedCodes> listed;
    {
        const std::lock_guard lock(g_listedMutex);
        listed.swap(g_listed);
    }
    if (!listed || listed->path != path || listed->stamp != SourceStamp(path))
        return std::nullopt;
    return std::move(listed->codes);
}

std::int64_t SourceStamp(const std::string& path)
{
    constexpr std::int64_t kNsPerSecond = 1000000000;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return -1;
    return (std::int64_t(info.st_mtim.tv_sec) * kNsPerSecond + info.st_mtim.tv_nsec)
        ^ (std::int64_t(info.st_size) << 1) ^ std::int64_t(info.st_ino);
}

SourceCatalogKind SourceCatalogKindOf(const std::string& path)
{
    struct stat info {};
    if (path.empty() || path.find('\0') != std::string::npos
        || ::stat(path.c_str(), &info) != 0)
        return SourceCatalogKind::None;
    if (S_ISDIR(info.st_mode))
        return SourceCatalogKind::CsvFolder;
    if (S_ISREG(info.st_mode) && StartsWithSqliteHeader(path))
        return SourceCatalogKind::Database;
    return SourceCatalogKind::None;
}

std::vector<std::string> CsvCodesInFolder(const std::string& folder,
                                          const std::atomic<bool>* stop,
                                          const ListingProgress& progress)
{
    // The clock is looked at once every so many entries.
    constexpr int kEntriesPerClockCheck = 256;
    const auto sortedUnique = [](std::vector<std::string> codes) {
        std::sort(codes.begin(), codes.end());
        codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
        return codes;
    };
    std::vector<std::string> codes;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return codes;
    const int fd = ::dirfd(dir);
    auto nextProgress = std::chrono::steady_clock::now() + kProgressInterval;
    int entries = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (stop != nullptr && stop->load(std::memory_order_relaxed))
            break;
        const std::string_view code = CodeOfFileName(entry->d_name);
        if (!code.empty() && IsFileEntry(fd, *entry))
            codes.emplace_back(code);
        if (progress && ++entries % kEntriesPerClockCheck == 0
            && std::chrono::steady_clock::now() >= nextProgress) {
            progress(sortedUnique(codes));
            nextProgress = std::chrono::steady_clock::now() + kProgressInterval;
        }
    }
    ::closedir(dir);
    return sortedUnique(std::move(codes));
}

bool DatabaseCodes(const std::string& file, std::vector<std::string>& codes)
{
    codes.clear();
    sqlite3* db = nullptr;
    if (::sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX,
                          nullptr) != SQLITE_OK) {
        ::sqlite3_close(db);
        return false;
    }
    ::sqlite3_busy_timeout(db, kBusyTimeoutMs);
    sqlite3_stmt* statement = nullptr;
    bool ok = ::sqlite3_prepare_v2(db, kCodesQuery, -1, &statement, nullptr) == SQLITE_OK;
    int step = SQLITE_DONE;
    while (ok && (step = ::sqlite3_step(statement)) == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(::sqlite3_column_text(statement, 0));
        const int size = ::sqlite3_column_bytes(statement, 0);
        if (text != nullptr && size > 0)
            codes.emplace_back(text, std::size_t(size));
    }
    ok = ok && step == SQLITE_DONE;
    ::sqlite3_finalize(statement);
    ::sqlite3_close(db);
    // Numbers stored as numbers come back as their text: sort once more as bytes.
    std::sort(codes.begin(), codes.end());
    codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
    return ok;
}

int SourceCatalogType(SourceCatalogKind kind)
{
    return kind == SourceCatalogKind::Database ? kDatabaseType : kCsvType;
}

void AppendSourceItems(SourceCatalogKind kind, const std::string& source,
                       const std::vector<std::string>& codes, CatalogItemList& items)
{
    items.reserve(items.size() + codes.size());
    for (const std::string& code : codes) {
        auto item = std::make_unique<CatalogItem>();
        item->m_nType = SourceCatalogType(kind);
        item->m_strSource = source;
        item->m_strCode = code;
        item->m_strName = code;
        items.push_back(std::move(item));
    }
}

} // namespace mosgrid
