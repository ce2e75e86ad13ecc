#include "catalog/CatalogListLoader.h"

#include "catalog/CListFileReader.h"
#include "catalog/ListField.h"
#include "catalog/ListItemLines.h"
#include "catalog/SourceCatalog.h"
#include "catalog/SourcePath.h"
#include "catalog/TypeField.h"

#include <cerrno>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace mosgrid {

ListLoadOutcome LoadCatalogList(const std::string& path, bool removeListFile,
                                CatalogItemList& items, std::size_t maxItems)
{
    // A folder or a database stands for the list of its codes; it is never removed.
    if (const SourceCatalogKind kind = SourceCatalogKindOf(path); kind != SourceCatalogKind::None)
        return LoadSourceCatalog(kind, path, items);
    CListFileReader reader;
    return LoadCatalogList(reader, path, removeListFile, items, maxItems);
}

ListLoadOutcome LoadSourceCatalog(SourceCatalogKind kind, const std::string& path,
                                  CatalogItemList& items)
{
    ListLoadOutcome outcome;
    if (std::optional<std::vector<std::string>> listed = TakeListedCodes(path)) {
        outcome.opened = outcome.complete = true;
        AppendSourceItems(kind, path, *listed, items);
        return outcome;
    }
    std::vector<std::string> codes;
    if (kind == SourceCatalogKind::Database)
        outcome.opened = DatabaseCodes(path, codes);
    else
        outcome.opened = ::access(path.c_str(), R_OK | X_OK) == 0;
    if (kind == SourceCatalogKind::CsvFolder && outcome.opened)
        codes = CsvCodesInFolder(path);
    outcome.complete = outcome.opened;
    AppendSourceItems(kind, path, codes, items);
    return outcome;
}

ListLoadOutcome LoadCatalogList(CListFileReader& reader, const std::string& path,
                                bool removeListFile, CatalogItemList& items,
                                std::size_t maxItems)
{
    ListLoadOutcome outcome;
    if (!reader.OpenFile(path, ListItemLines::kReaderFlags))
        return outcome;
    outcome.opened = true;

    SourcePath sources(path);
    ListItemLines lines(reader);
    std::string line;
    std::size_t taken = 0;
    while (lines.Next(line)) {
        if (taken++ == maxItems) {
            outcome.tooMany = true;
            break;
        }
        auto item = std::make_unique<CatalogItem>();
        item->m_nType = ParseTypeField(CListFileReader::GetField(line, fieldType));
        item->m_strSource = sources.Resolve(CListFileReader::GetField(line, fieldSource));
        item->m_strCode = CListFileReader::GetField(line, fieldCode);
        item->m_strName = CListFileReader::GetField(line, fieldName);
        items.push_back(std::move(item));
    }
    outcome.complete = !reader.HasReadError() && !outcome.tooMany;
    reader.Close();

    // A file that was not read whole is the user's only copy of the rest: keep it.
    if (removeListFile && outcome.complete)
        RemoveListFile(path);
    return outcome;
}

bool RemoveListFile(const std::string& path)
{
    return ::unlink(path.c_str()) == 0 || errno == ENOENT;
}

bool IsListStream(const std::string& path)
{
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISFIFO(info.st_mode);
}

} // namespace mosgrid
