#include "app/SourceCatalogOpener.h"

#include "catalog/SourceCatalog.h"

#include <QtConcurrent>

namespace mosgrid {

SourceCatalogOpener::SourceCatalogOpener(Open open, Fill fill, QObject* parent)
    : QObject(parent)
    , m_open(std::move(open))
    , m_fill(std::move(fill))
{
    m_poll.setInterval(int(kProgressInterval.count()));
    connect(&m_poll, &QTimer::timeout, this, &SourceCatalogOpener::ShowListed);
    connect(&m_watcher, &QFutureWatcher<void>::finished, this, &SourceCatalogOpener::Finish);
}

SourceCatalogOpener::~SourceCatalogOpener()
{
    // The listing holds only its own copies; one still running ends early, unused.
    if (m_listing)
        m_listing->stop = true;
    m_watcher.disconnect();
}

bool SourceCatalogOpener::Start(const std::string& path)
{
    const SourceCatalogKind kind = SourceCatalogKindOf(path);
    if (kind == SourceCatalogKind::None)
        return false;
    // The newest request wins: one under way ends early and is let go.
    if (m_listing)
        m_listing->stop = true;
    m_listing = std::make_shared<Listing>();
    m_path = path;
    m_opened = false;
    m_poll.start();
    m_watcher.setFuture(QtConcurrent::run([path, kind, listing = m_listing] {
        const std::int64_t stamp = SourceStamp(path);
        std::vector<std::string> codes;
        if (kind == SourceCatalogKind::Database) {
            if (!DatabaseCodes(path, codes))
                return;
        } else {
            codes = CsvCodesInFolder(path, &listing->stop,
                                     [&](std::vector<std::string> soFar) {
                                         KeepListedCodes(path, stamp, std::move(soFar));
                                         listing->moreListed = true;
                                     });
        }
        if (!listing->stop)
            KeepListedCodes(path, stamp, std::move(codes));
    }));
    return true;
}

void SourceCatalogOpener::ShowListed()
{
    if (!m_listing || !m_listing->moreListed.exchange(false))
        return;
    if (m_opened) {
        m_fill(m_path);
        return;
    }
    m_opened = true;
    m_open(m_path);
}

void SourceCatalogOpener::Finish()
{
    m_poll.stop();
    if (m_opened)
        m_fill(m_path);
    else
        m_open(m_path);
    m_opened = true;
}

} // namespace mosgrid
