#include "DataLibrary.h"

#include "BusyDatabases.h"
#include "PriceFile.h"
#include "PriceFileReader.h"
#include "SeriesCache.h"
#include "SqliteConnections.h"
#include "SqlitePriceReader.h"

#include <QuorexCalendar.h>

#include <algorithm>
#include <array>
#include <exception>
#include <filesystem>
#include <limits>

namespace brasko {

namespace {

namespace fs = std::filesystem;
using quorex::DataProblem;
using quorex::DataResult;

constexpr std::array kPriceFileExtensions{".csv", ".CSV", ".txt"};

struct Located {
    std::string path; // absolute, so the cache key does not depend on the current directory
    DataProblem problem = DataProblem::None;
};

Located Absolute(const fs::path& found)
{
    std::error_code error;
    const fs::path absolute = fs::absolute(found, error);
    return {error ? found.string() : absolute.string()};
}

// The file a CSV source names, or why there is none.
Located LocatePriceFile(const std::string& source, const std::string& code)
{
    std::error_code error;
    const fs::path base(source);
    const fs::file_status status = fs::status(base, error);
    if (source.empty() || !fs::exists(status))
        return {{}, DataProblem::SourceMissing};
    if (fs::is_regular_file(status))
        return Absolute(base);
    if (!fs::is_directory(status))
        return {{}, DataProblem::Unreadable}; // a FIFO or a device is no price file
    bool otherKind = false;
    for (const char* extension : kPriceFileExtensions) {
        const fs::path candidate = base / (code + extension);
        const fs::file_status candidateStatus = fs::status(candidate, error);
        if (fs::is_regular_file(candidateStatus))
            return Absolute(candidate);
        otherKind = otherKind || fs::exists(candidateStatus);
    }
    return {{}, otherKind ? DataProblem::Unreadable : DataProblem::FileMissing};
}

// The file a CSV source names, opened: at once when the source is a folder that holds
// <code>.csv, as nearly every one does (its status and the file's are not looked up
// first), else as LocatePriceFile finds it. The path found (or why there is none).
Located OpenPriceFile(const std::string& source, const std::string& code, PriceFile& file)
{
    // A code with a root would name a file outside the source; a source named like a
    // price file is the file itself, mostly, which no path inside it opens.
    const bool namesFile = std::any_of(
        kPriceFileExtensions.begin(), kPriceFileExtensions.end(),
        [&source](const char* extension) { return source.ends_with(extension); });
    if (!source.empty() && !namesFile && !fs::path(code).has_root_path()) {
        const fs::path candidate = fs::path(source) / (code + kPriceFileExtensions[0]);
        // Only a file inside a folder has such a path.
        if (file.Open(candidate.string()))
            return Absolute(candidate);
    }
    Located located = LocatePriceFile(source, code);
    if (located.problem == DataProblem::None && !file.Open(located.path))
        located.problem = DataProblem::Unreadable;
    return located;
}

// Rows of one day each that hold `periods` periods of `days` days at most, and one more.
std::size_t RowsHolding(std::size_t periods, std::size_t days)
{
    const std::size_t most = std::numeric_limits<std::size_t>::max() / days - 1;
    return periods == 0 ? 0 : std::min(periods, most) * days + days;
}

bool HasNul(const std::string& text)
{
    return text.find('\0') != std::string::npos;
}

DataResult Problem(DataProblem problem, std::string origin = {})
{
    DataResult result;
    result.problem = problem;
    result.origin = std::move(origin);
    return result;
}

DataResult Found(quorex::PriceDataPtr series, bool unsettled, std::string origin)
{
    DataResult result;
    result.data = std::move(series);
    result.unsettled = unsettled;
    result.origin = std::move(origin);
    return result;
}

} // namespace

DataLibrary::DataLibrary(std::shared_ptr<SeriesCache> cache,
                         std::shared_ptr<BusyDatabases> busy,
                         std::shared_ptr<SqliteConnections> connections)
    : m_cache(std::move(cache))
    , m_busy(busy ? std::move(busy) : std::make_shared<BusyDatabases>())
    , m_connections(connections ? std::move(connections)
                                : std::make_shared<SqliteConnections>())
{
}

DataLibrary::~DataLibrary() = default;

std::size_t DataLibrary::BarsKept(std::size_t latestBars)
{
    if (latestBars == 0)
        return 0;
    const std::size_t spare = std::max(latestBars / kSpareShare, kMinSpareBars);
    const std::size_t most = std::numeric_limits<std::size_t>::max();
    return latestBars > most - spare ? most : latestBars + spare;
}

quorex::DataRequest DataLibrary::Kept(const quorex::DataRequest& request)
{
    quorex::DataRequest kept = request;
    kept.latestBars = BarsKept(request.latestBars);
    if (kept.latestBars == 0) {
        kept.latestWeeks = 0;
        kept.latestMonths = 0;
    }
    return kept;
}

quorex::PriceDataPtr DataLibrary::LoadData(const std::string& source, const std::string& code,
                                           std::int32_t type)
{
    return LoadData(source, code, type, quorex::DataRequest{}).data;
}

DataResult DataLibrary::LoadData(const std::string& source, const std::string& code,
                                 std::int32_t type, const quorex::DataRequest& request)
{
    const bool database = type == kDatabaseType;
    // A name with a NUL would silently name another file.
    if (HasNul(source))
        return Problem(database ? DataProblem::DatabaseMissing : DataProblem::SourceMissing);
    if (HasNul(code))
        return Problem(database ? DataProblem::CodeMissing : DataProblem::FileMissing);
    try {
        if (database)
            return LoadDatabase(source, code, request);
        return LoadPriceFile(source, code, request);
    } catch (const std::exception&) {
        // Out of memory for a huge file, mostly: no series is better than no program.
        return Problem(DataProblem::Unreadable);
    }
}

DataResult DataLibrary::LoadPriceFile(const std::string& source, const std::string& code,
                                      const quorex::DataRequest& request)
{
    PriceFile file;
    const Located located = OpenPriceFile(source, code, file);
    // The path when the file found cannot be read, none when none was found.
    if (located.problem != DataProblem::None)
        return Problem(located.problem, located.path);
    if (file.IsTooLarge())
        return Problem(DataProblem::Unreadable, located.path);
    const quorex::DataRequest kept = Kept(request);
    if (m_cache) {
        if (auto cached = m_cache->Find(located.path, file.Stamp(), request))
            return Found(std::move(cached), false, located.path);
    }
    PriceFileReader::Result read = PriceFileReader(file).Read(kept);
    if (!read.series) {
        DataResult result = Problem(read.problem, located.path);
        result.unsettled = read.unsettled;
        return result;
    }
    // Only what was asked for and the spare bars are handed out and kept.
    PriceSeries::Ptr series = PriceSeries::Newest(read.series, kept);
    const bool complete = read.complete && series == read.series;
    if (m_cache && !read.unsettled)
        m_cache->Store(located.path, file.Stamp(), series, complete);
    return Found(std::move(series), read.unsettled, located.path);
}

DataResult DataLibrary::LoadDatabase(const std::string& path, const std::string& code,
                                     const quorex::DataRequest& request)
{
    const quorex::DataRequest kept = Kept(request);
    // A row a day at most: seven rows a week and 31 a month, for a period more than asked
    // (see Covers), hold the periods.
    const std::size_t rows = kept.latestBars == 0 ? 0
        : std::max({kept.latestBars,
                    RowsHolding(kept.latestWeeks, quorex::calendar::kDaysPerWeek),
                    RowsHolding(kept.latestMonths, quorex::calendar::kMostDaysPerMonth)});
    SqlitePriceReader reader(*m_busy, m_connections.get());
    SqlitePriceReader::Result read = reader.Read(path, code, rows);
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error);
    DataResult result;
    result.data = PriceSeries::Newest(read.series, kept);
    result.problem = read.problem;
    if (read.problem != DataProblem::DatabaseMissing)
        result.origin = error ? path : absolute.string();
    return result;
}

} // namespace brasko
