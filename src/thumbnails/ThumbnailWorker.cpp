#include "thumbnails/ThumbnailWorker.h"

#include "chart/ChartHost.h"
#include "thumbnails/BuildQueue.h"
#include "thumbnails/OriginTable.h"
#include "thumbnails/ThumbnailStore.h"

#include <QPainter>

#include <memory>
#include <optional>

namespace mosgrid {

ThumbnailWorker::ThumbnailWorker(Context context, BuildInputs inputs, std::uint64_t generation)
    : m_context(std::move(context))
    , m_inputs(std::move(inputs))
    , m_generation(generation)
{
    setAutoDelete(true);
}

void ThumbnailWorker::run()
{
    // Made and let go under the provider's component lock, which the host takes itself.
    const auto host =
        std::make_unique<ChartHost>(*m_inputs.provider, m_inputs.iniFile);
    const bool ready = host->CreateHost(m_inputs.size.width(), m_inputs.size.height()) == 1;
    host->SetPeriodChoice(m_inputs.period);
    const CatalogItemList& items = *m_inputs.items;
    while (const std::optional<int> index = m_context.queue.Take(m_generation)) {
        QImage image;
        ItemFacts facts;
        if (ready) {
            image = m_context.store.TakeBuffer();
            if (!image.isNull()) {
                const CatalogItem& item = *items[*index];
                host->RenderItem(item);
                host->CaptureItem(image, item);
                facts = host->LastFacts();
                m_context.origins.Set(m_generation, *index, host->LastOrigin());
            }
        }
        // A file still being written does not replace the picture of its finished state.
        m_context.store.Put(m_generation, *index, std::move(image), facts, facts.unsettled);
        m_context.queue.Done(m_generation, *index);
        m_context.madeOne();
    }
    host->DestroyWindow();
    m_context.leaving();
}

} // namespace mosgrid
