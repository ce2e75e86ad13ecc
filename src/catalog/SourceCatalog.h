#pragma once

#include "catalog/CatalogItem.h"

#include <atomic>
#include <string>
#include <vector>

// A folder of price files or a price database opened in place of a list: each code becomes
// a security named by its code, sorted by code.
enum class SourceCatalogKind { None, CsvFolder, Database };

// What path holds: a folder, a SQLite database (by its header), or neither (a list file).
SourceCatalogKind SourceCatalogKindOf(const std::string& path);

// The codes of the price files in folder (names ending in .csv or .CSV, as the data library
// looks them up), sorted and each once. stop, when set, ends the listing early.
std::vector<std::string> CsvCodesInFolder(const std::string& folder,
                                          const std::atomic<bool>* stop = nullptr);

// The codes of the prices table of a SQLite database, sorted; false when it cannot be read.
bool DatabaseCodes(const std::string& file, std::vector<std::string>& codes);

// The items of such a catalog: type 1 with the folder as source, or type 5 with the
// database as source; name = code.
void AppendSourceItems(SourceCatalogKind kind, const std::string& source,
                       const std::vector<std::string>& codes, CatalogItemList& items);

// The type a list line of that kind carries.
int SourceCatalogType(SourceCatalogKind kind);
