#include "catalog/AsyncListLoader.h"

#include "catalog/ItemMatching.h"

#include <QMetaObject>

#include <sys/stat.h>

#include <new>

namespace mosgrid {

namespace {

std::shared_ptr<ListLoadResult> Load(std::uint64_t ticket, std::string path,
                                     std::size_t maxItems)
{
    auto result = std::make_shared<ListLoadResult>();
    result->ticket = ticket;
    result->path = std::move(path);
    try {
        // The path's own kind decides: a large database stands for its codes as at once.
        result->outcome = LoadCatalogList(result->path, false, result->items, maxItems);
        result->status = !result->outcome.opened ? ListLoadResult::Status::NotOpened
            : result->outcome.tooMany            ? ListLoadResult::Status::TooMany
                                                 : ListLoadResult::Status::Read;
    } catch (const std::bad_alloc&) {
        result->status = ListLoadResult::Status::OutOfMemory;
    }
    // Half a list is never shown: the caller keeps what it has.
    if (result->status != ListLoadResult::Status::Read)
        CatalogItemList().swap(result->items);
    return result;
}

} // namespace

AsyncListLoader::AsyncListLoader(QObject* parent)
    : QObject(parent)
    , m_relay(std::make_shared<Relay>())
{
    m_relay->owner = this;
}

AsyncListLoader::~AsyncListLoader()
{
    {
        const std::lock_guard lock(m_relay->mutex);
        m_relay->owner = nullptr;
    }
    // A worker still reading can only be one waiting on a stream whose writer has not
    // finished: it may wait for ever, and it will not reach this loader any more.
    for (Worker& worker : m_workers) {
        if (worker.done->load())
            worker.thread.join();
        else
            worker.thread.detach();
    }
}

std::uint64_t AsyncListLoader::Start(std::string path, std::size_t maxItems,
                                     const CatalogItemList* matchAgainst)
{
    JoinFinished();
    const std::uint64_t ticket = ++m_ticket;
    m_newest.store(ticket);
    m_loading = true;
    auto done = std::make_shared<std::atomic<bool>>(false);
    m_workers.push_back(Worker{std::thread([relay = m_relay, ticket, path = std::move(path),
                                            maxItems, matchAgainst, done] {
                                   const std::shared_ptr<ListLoadResult> result =
                                       Load(ticket, path, maxItems);
                                   Hand(*relay, result, matchAgainst);
                                   done->store(true);
                               }),
                               done});
    return ticket;
}

void AsyncListLoader::Cancel()
{
    m_newest.store(++m_ticket);
    m_loading = false;
    // A match that began before is let finish; none begins after.
    const std::lock_guard lock(m_matchMutex);
}

void AsyncListLoader::Hand(Relay& relay, const std::shared_ptr<ListLoadResult>& result,
                           const CatalogItemList* matchAgainst)
{
    const std::lock_guard lock(relay.mutex);
    AsyncListLoader* owner = relay.owner;
    if (owner == nullptr)
        return;
    if (matchAgainst)
        owner->Match(*result, *matchAgainst);
    // Runs on the loader's thread, or never once it is gone.
    QMetaObject::invokeMethod(
        owner, [owner, result] { owner->Deliver(result); }, Qt::QueuedConnection);
}

void AsyncListLoader::Match(ListLoadResult& result, const CatalogItemList& matchAgainst)
{
    if (result.status != ListLoadResult::Status::Read)
        return;
    const std::lock_guard lock(m_matchMutex);
    if (m_newest.load() == result.ticket)
        result.previous = MatchItems(matchAgainst, result.items);
}

void AsyncListLoader::Deliver(const std::shared_ptr<ListLoadResult>& result)
{
    JoinFinished();
    if (result->ticket != m_ticket)
        return;
    m_loading = false;
    emit loaded(result);
}

void AsyncListLoader::JoinFinished()
{
    std::erase_if(m_workers, [](Worker& worker) {
        if (!worker.done->load())
            return false;
        worker.thread.join();
        return true;
    });
}

bool AsyncListLoader::NeedsWorker(const std::string& path)
{
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)
        && info.st_size > kQuickReadBytes;
}

} // namespace mosgrid
