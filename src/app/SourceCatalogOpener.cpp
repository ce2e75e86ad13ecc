#include "app/SourceCatalogOpener.h"

#include "catalog/SourceCatalog.h"

#include <QtConcurrent>

SourceCatalogOpener::SourceCatalogOpener(Open open, QObject* parent)
    : QObject(parent)
    , m_open(std::move(open))
{
    connect(&m_watcher, &QFutureWatcher<void>::finished, this, [this] { m_open(m_path); });
}

SourceCatalogOpener::~SourceCatalogOpener()
{
    // The listing holds only its own copies; one still running is simply not used.
    m_watcher.disconnect();
}

bool SourceCatalogOpener::Start(const std::string& path)
{
    const SourceCatalogKind kind = SourceCatalogKindOf(path);
    if (kind == SourceCatalogKind::None)
        return false;
    // The newest request wins: the watcher lets go of a listing under way, which finishes
    // unused (the load checks the path of what it takes).
    m_path = path;
    m_watcher.setFuture(QtConcurrent::run([path, kind] {
        const std::int64_t stamp = SourceStamp(path);
        std::vector<std::string> codes;
        if (kind == SourceCatalogKind::Database) {
            if (!DatabaseCodes(path, codes))
                return;
        } else {
            codes = CsvCodesInFolder(path);
        }
        KeepListedCodes(path, stamp, std::move(codes));
    }));
    emit listingStarted();
    return true;
}
