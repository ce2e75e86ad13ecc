#pragma once

#include "catalog/CatalogItem.h"
#include "catalog/SourceCatalog.h"

#include <cstddef>
#include <limits>
#include <string>

namespace mosgrid {

class CListFileReader;

struct ListLoadOutcome {
    bool opened = false;   // the list file could be opened
    bool complete = false; // and was read to its end without a read error
    bool tooMany = false;  // it holds more items than the load would take
};

// Reads the list file into items (appended in file order) the way the catalog loads it:
// read-only text mode, a UTF-8 byte-order mark at the very start skipped, empty lines
// skipped, fields 0 to 3 as type, source, code and name (a relative source that is only
// found from the list's folder taken from there, see SourcePath). A read error ends the load like
// the end of the file, keeping the items read so far. Under removeListFile the file is
// deleted only when it was opened and read whole.
// A folder or a SQLite database given as path loads as LoadSourceCatalog does.
ListLoadOutcome LoadCatalogList(const std::string& path, bool removeListFile,
                                CatalogItemList& items,
                                std::size_t maxItems = std::numeric_limits<std::size_t>::max());

// A folder's price files or a database's codes as the items of a catalog (path is read
// again at each load, so new files show on a reload).
ListLoadOutcome LoadSourceCatalog(SourceCatalogKind kind, const std::string& path,
                                  CatalogItemList& items);

// The same with a reader supplied by the caller (tests feed it failing reads). A list with
// more than maxItems items ends the load at that many (tooMany; never complete).
ListLoadOutcome LoadCatalogList(CListFileReader& reader, const std::string& path,
                                bool removeListFile, CatalogItemList& items,
                                std::size_t maxItems = std::numeric_limits<std::size_t>::max());

// Removes a list file read under /rm; true when it is gone (or was already).
bool RemoveListFile(const std::string& path);

// Whether path is a stream (a FIFO, as a process substitution gives): it can be read once,
// never again by a reload, a watch or the recent lists.
bool IsListStream(const std::string& path);

} // namespace mosgrid
