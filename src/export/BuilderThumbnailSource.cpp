#include "export/BuilderThumbnailSource.h"

#include "chart/FlagMark.h"
#include "chart/StaleBadge.h"
#include "thumbnails/ThumbnailBuilder.h"
#include "thumbnails/ThumbnailStore.h"

#include <QPainter>

BuilderThumbnailSource::BuilderThumbnailSource(ThumbnailBuilder& builder,
                                               const ThumbnailStore& store, int staleDays,
                                               std::vector<int> kept)
    : m_builder(builder)
    , m_store(store)
    , m_nStaleDays(staleDays)
    , m_kept(std::move(kept))
{
}

QSize BuilderThumbnailSource::thumbnailSize() const
{
    return m_store.imageSize();
}

bool BuilderThumbnailSource::Fetch(std::span<const int> items, std::span<const int> next)
{
    std::vector<int> order(m_kept);
    order.insert(order.end(), items.begin(), items.end());
    const std::vector<int> wanted = order;
    order.insert(order.end(), next.begin(), next.end());
    m_builder.SetOrder(std::move(order), wanted.size(), wanted, BuildQueue::Scope::ListedOnly);
    return m_builder.WaitUntilMade(items);
}

QImage BuilderThumbnailSource::Image(int item) const
{
    if (m_store.StateOf(item) != ThumbnailStore::State::Ready)
        return {};
    QImage image = m_store.Image(item);
    const ItemFacts facts = m_store.Facts(item);
    const DateBadge badge = DateBadgeOf(facts.hasData, facts.lastDate, m_store.NewestDate(),
                                        m_nStaleDays, TodayDate());
    const FlagColor flag = m_flagOf ? m_flagOf(item) : FlagColor::None;
    if (badge != DateBadge::None || flag != FlagColor::None) {
        QPainter painter(&image);
        if (badge != DateBadge::None)
            PaintDateBadge(painter, image.rect(), badge, facts.lastDate);
        PaintFlagMark(painter, image.rect(), flag);
    }
    return image;
}
