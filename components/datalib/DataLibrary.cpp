#include "DataLibrary.h"

#include "CsvPriceParser.h"
#include "PriceFile.h"
#include "SeriesCache.h"
#include "SqlitePriceReader.h"

#include <array>
#include <filesystem>
#include <exception>

namespace brasko {

namespace {

namespace fs = std::filesystem;

constexpr std::array kPriceFileExtensions{".csv", ".CSV", ".txt"};
constexpr std::size_t kKeptBufferBytes = 4 * 1024 * 1024;

// The file a CSV source names, made absolute so the cache key does not depend on the
// current directory; empty when there is none.
std::string LocatePriceFile(const std::string& source, const std::string& code)
{
    std::error_code error;
    const fs::path base(source);
    fs::path found;
    if (fs::is_regular_file(base, error)) {
        found = base;
    } else if (fs::is_directory(base, error)) {
        for (const char* extension : kPriceFileExtensions) {
            const fs::path candidate = base / (code + extension);
            if (fs::is_regular_file(candidate, error)) {
                found = candidate;
                break;
            }
        }
    }
    if (found.empty())
        return {};
    const fs::path absolute = fs::absolute(found, error);
    return error ? found.string() : absolute.string();
}

bool HasNul(const std::string& text)
{
    return text.find('\0') != std::string::npos;
}

} // namespace

DataLibrary::DataLibrary(std::shared_ptr<SeriesCache> cache)
    : m_cache(std::move(cache))
{
}

quorex::PriceDataPtr DataLibrary::LoadData(const std::string& source, const std::string& code,
                                           std::int32_t type)
{
    // A name with a NUL would silently name another file.
    if (HasNul(source) || HasNul(code))
        return nullptr;
    try {
        if (type == kDatabaseType)
            return ReadSqlitePrices(source, code);
        return LoadPriceFile(source, code);
    } catch (const std::exception&) {
        // Out of memory for a huge file, mostly: no series is better than no program.
        return nullptr;
    }
}

quorex::PriceDataPtr DataLibrary::LoadPriceFile(const std::string& source,
                                                const std::string& code)
{
    const std::string path = LocatePriceFile(source, code);
    if (path.empty())
        return nullptr;
    PriceFile file;
    if (!file.Open(path) || file.IsTooLarge())
        return nullptr;
    if (m_cache) {
        if (auto cached = m_cache->Find(path, file.Stamp()))
            return cached;
    }
    // One buffer per thread: a fresh one of a few hundred kilobytes costs its page faults
    // on every call. A buffer grown by an unusually large file is not kept.
    thread_local std::string bytes;
    if (!file.ReadAll(bytes))
        return nullptr;
    quorex::PriceDataPtr series = ParsePriceFile(bytes);
    if (bytes.capacity() > kKeptBufferBytes)
        std::string().swap(bytes);
    if (m_cache)
        m_cache->Store(path, file.Stamp(), series);
    return series;
}

} // namespace brasko
