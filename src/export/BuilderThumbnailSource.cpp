#include "export/BuilderThumbnailSource.h"

#include "chart/FlagMark.h"
#include "chart/StaleBadge.h"
#include "export/PictureRecorder.h"
#include "thumbnails/ThumbnailBuilder.h"
#include "thumbnails/ThumbnailStore.h"

#include <QPainter>

#include <algorithm>

namespace mosgrid {

BuilderThumbnailSource::BuilderThumbnailSource(ThumbnailBuilder& builder,
                                               const ThumbnailStore& store, int staleDays,
                                               std::vector<int> kept)
    : m_builder(builder)
    , m_store(store)
    , m_nStaleDays(staleDays)
    , m_kept(std::move(kept))
{
}

BuilderThumbnailSource::~BuilderThumbnailSource() = default;

QSize BuilderThumbnailSource::thumbnailSize() const
{
    return m_store.imageSize();
}

bool BuilderThumbnailSource::Fetch(std::span<const int> items, std::span<const int> next)
{
    if (m_recorder) {
        m_builder.SetOrder(m_kept, m_kept.size(), m_kept, BuildQueue::Scope::ListedOnly);
        m_recorder->Fetch(items, next);
        return true;
    }
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

bool BuilderThumbnailSource::UsePictures()
{
    const BuildInputs& inputs = m_builder.inputs();
    if (!inputs.items || !inputs.provider || inputs.size.isEmpty())
        return false;
    m_recorder = std::make_unique<PictureRecorder>(inputs, m_builder.workerCount());
    return true;
}

QPicture BuilderThumbnailSource::Picture(int item) const
{
    if (!m_recorder)
        return QPicture();
    PictureRecorder::Recorded recorded = m_recorder->Take(item);
    if (recorded.picture.isNull())
        return QPicture();
    const ItemFacts& facts = recorded.facts;
    const std::int32_t newest = std::max(m_store.NewestDate(), m_recorder->NewestDate());
    const DateBadge badge =
        DateBadgeOf(facts.hasData, facts.lastDate, newest, m_nStaleDays, TodayDate());
    if (badge == DateBadge::None)
        return recorded.picture;
    // The badge over the recorded cell, as on the screen.
    const QRect cell = recorded.picture.boundingRect();
    QPicture badged;
    {
        QPainter painter(&badged);
        painter.drawPicture(0, 0, recorded.picture);
        PaintDateBadge(painter, cell, badge, facts.lastDate);
    }
    badged.setBoundingRect(cell);
    return badged;
}

} // namespace mosgrid
