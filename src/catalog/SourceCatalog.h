#pragma once

#include "catalog/CatalogItem.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mosgrid {

// A folder of price files or a price database opened in place of a list: each code becomes
// a security named by its code, sorted by code.
enum class SourceCatalogKind { None, CsvFolder, Database };

// What path holds: a folder, a SQLite database (by its header), or neither (a list file).
SourceCatalogKind SourceCatalogKindOf(const std::string& path);

// The codes found so far while a folder is listed, sorted; called on the listing thread.
using ListingProgress = std::function<void(std::vector<std::string> codesSoFar)>;

// The codes of the price files in folder (names ending in .csv or .CSV, as the data library
// looks them up), sorted and each once. stop, when set, ends the listing early; progress,
// when given, hears of the codes found so far every kProgressInterval of a long listing.
std::vector<std::string> CsvCodesInFolder(const std::string& folder,
                                          const std::atomic<bool>* stop = nullptr,
                                          const ListingProgress& progress = {});
inline constexpr std::chrono::milliseconds kProgressInterval{150};

// The codes of the prices table of a SQLite database, sorted; false when it cannot be read.
bool DatabaseCodes(const std::string& file, std::vector<std::string>& codes);

// The items of such a catalog: type 1 with the folder as source, or type 5 with the
// database as source; name = code.
void AppendSourceItems(SourceCatalogKind kind, const std::string& source,
                       const std::vector<std::string>& codes, CatalogItemList& items);

// The codes of path listed ahead of its load (on a worker): the next load of path takes them
// instead of listing again, as long as path has not changed since the listing began.
void KeepListedCodes(const std::string& path, std::int64_t stamp,
                     std::vector<std::string> codes);
std::optional<std::vector<std::string>> TakeListedCodes(const std::string& path);
// What changes when a file is added to or removed from a folder, or a database is written.
std::int64_t SourceStamp(const std::string& path);

// The type a list line of that kind carries.
int SourceCatalogType(SourceCatalogKind kind);

} // namespace mosgrid
