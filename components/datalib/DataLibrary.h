#pragma once

#include <QuorexComponents.h>

#include <memory>

namespace brasko {

class BusyDatabases;
class SeriesCache;
class SqliteConnections;

// "brasko.Automation": daily prices from a SQLite database (type 5) or from CSV price
// files (every other type). Safe to call from several threads at once.
class DataLibrary : public quorex::IDataLibrary {
public:
    static constexpr std::int32_t kDatabaseType = 5;
    // Bars kept beyond those asked for, so that a slightly larger need (a longer moving
    // average) is still met: a quarter more, and at least this many.
    static constexpr std::size_t kSpareShare = 4;
    static constexpr std::size_t kMinSpareBars = 16;

    // cache: shared between the libraries one plugin creates; null for none. busy: the
    // databases found busy, shared likewise; null for a memory of this library's own.
    // connections: database connections kept for later reads, likewise.
    explicit DataLibrary(std::shared_ptr<SeriesCache> cache,
                         std::shared_ptr<BusyDatabases> busy = nullptr,
                         std::shared_ptr<SqliteConnections> connections = nullptr);
    ~DataLibrary() override;

    // type 5: source is the database file, code selects the rows. Otherwise source is the
    // price file itself, or a folder holding <code>.csv, <code>.CSV or <code>.txt. A
    // relative source is taken from the current directory.
    quorex::PriceDataPtr LoadData(const std::string& source, const std::string& code,
                                  std::int32_t type) override;
    quorex::DataResult LoadData(const std::string& source, const std::string& code,
                                std::int32_t type, const quorex::DataRequest& request) override;

    // The bars a request for latestBars keeps: those and the spare ones.
    static std::size_t BarsKept(std::size_t latestBars);
    // What a request keeps: its bars with the spare ones, its weeks and months as asked (more
    // of them is a change of the charts, which reads again).
    static quorex::DataRequest Kept(const quorex::DataRequest& request);

private:
    quorex::DataResult LoadPriceFile(const std::string& source, const std::string& code,
                                     const quorex::DataRequest& request);
    quorex::DataResult LoadDatabase(const std::string& path, const std::string& code,
                                    const quorex::DataRequest& request);

    std::shared_ptr<SeriesCache> m_cache;
    std::shared_ptr<BusyDatabases> m_busy;
    std::shared_ptr<SqliteConnections> m_connections;
};

} // namespace brasko
