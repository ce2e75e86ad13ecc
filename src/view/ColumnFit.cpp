#include "view/ColumnFit.h"

#include "settings/SettingsStore.h"
#include "settings/SettingsKeys.h"
#include "model/CatalogModel.h"
#include "view/GridSurface.h"
#include "view/ColumnSizing.h"
#include "model/ShownOrder.h"

#include <QPainter>

#include <algorithm>
#include <string>

namespace mosgrid {

using namespace SettingsKeys;

ColumnFit::ColumnFit(GridSurface& surface)
    : m_surface(surface)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, &ColumnFit::OnSettled);
}

ThumbnailSize ColumnFit::SizeForRebuild(const SettingsStore& settings)
{
    if (!m_bRefitting)
        m_standIns.clear();
    const ThumbnailSize stored = ReadThumbnailSize(settings);
    const QSize size = ColumnSizing::ThumbnailSize(
        m_surface.ColumnWidth(), settings.ReadInt(kSectionChart, kColumns, kDefaultColumns),
        QSize(stored.width, stored.height));
    return ThumbnailSize{size.width(), size.height()};
}

int ColumnFit::columns() const
{
    const int stored =
        SettingsStore(m_surface.model().paths().iniFile).ReadInt(kSectionChart, kColumns, kDefaultColumns);
    return std::max(stored, 0);
}

void ColumnFit::SetColumns(int columns)
{
    SettingsStore(m_surface.model().paths().iniFile)
        .WriteText(kSectionChart, kColumns, std::to_string(std::max(columns, 0)));
    Rebuild();
}

void ColumnFit::Step(int direction)
{
    const int now = columns();
    if (now > 0) {
        SetColumns(ColumnSizing::StepColumns(now, direction));
        return;
    }
    SettingsStore settings(m_surface.model().paths().iniFile);
    const ThumbnailSize stored = ReadThumbnailSize(settings);
    const QSize next = ColumnSizing::StepSize(QSize(stored.width, stored.height), direction,
                                              kMinShownSize, kMaxUsableSize);
    settings.WriteTexts({{kSectionChart, kSizeX, std::to_string(next.width())},
                         {kSectionChart, kSizeY, std::to_string(next.height())}});
    Rebuild();
}

void ColumnFit::Rebuild()
{
    m_surface.model().RebuildThumbnails();
}

void ColumnFit::Resized()
{
    if (m_surface.model().isLoaded() && columns() > 0)
        m_settle.start();
}

void ColumnFit::OnSettled()
{
    const QSize now = m_surface.model().thumbnailSize();
    const ThumbnailSize fitted = SizeForRebuild(SettingsStore(m_surface.model().paths().iniFile));
    if (QSize(fitted.width, fitted.height) == now)
        return;
    // The thumbnails on screen stay, scaled, until their new ones land.
    m_standIns.clear();
    const ShownOrder& order = m_surface.model().shownOrder();
    const int shown = m_surface.columns() * (m_surface.RowsOnScreen() + 1);
    for (int position = m_surface.model().topIndex();
         position < std::min(order.count(), m_surface.model().topIndex() + shown); ++position) {
        const int item = order.ItemAt(position);
        if (m_surface.model().store().StateOf(item) == ThumbnailStore::State::Ready)
            m_standIns.emplace(item, m_surface.model().store().Image(item));
    }
    m_bRefitting = true;
    Rebuild();
    m_bRefitting = false;
}

bool ColumnFit::PaintStandIn(QPainter& dc, const QRect& cell, int item) const
{
    const auto found = m_standIns.find(item);
    if (found == m_standIns.end())
        return false;
    dc.drawImage(cell, found->second);
    return true;
}

} // namespace mosgrid
