#include "export/BuilderThumbnailSource.h"

#include "thumbnails/ThumbnailBuilder.h"
#include "thumbnails/ThumbnailStore.h"

BuilderThumbnailSource::BuilderThumbnailSource(ThumbnailBuilder& builder,
                                               const ThumbnailStore& store)
    : m_builder(builder)
    , m_store(store)
{
}

QSize BuilderThumbnailSource::thumbnailSize() const
{
    return m_store.imageSize();
}

bool BuilderThumbnailSource::Fetch(std::span<const int> items, std::span<const int> next)
{
    std::vector<int> order(items.begin(), items.end());
    order.insert(order.end(), next.begin(), next.end());
    m_builder.SetOrder(std::move(order), items.size(), items, BuildQueue::Scope::ListedOnly);
    return m_builder.WaitUntilMade(items);
}

QImage BuilderThumbnailSource::Image(int item) const
{
    if (m_store.StateOf(item) != ThumbnailStore::State::Ready)
        return {};
    return m_store.Image(item);
}
