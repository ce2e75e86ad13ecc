#include "view/ColumnFit.h"

#include "settings/SettingsStore.h"
#include "settings/SettingsKeys.h"
#include "view/CCatalogView.h"
#include "view/ColumnSizing.h"
#include "view/ShownOrder.h"

#include <QPainter>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <string>

using namespace SettingsKeys;

ColumnFit::ColumnFit(CCatalogView& view)
    : m_view(view)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, &ColumnFit::OnSettled);
}

int ColumnFit::GridWidth() const
{
    // As if the scroll bar were always shown: its coming and going must not refit the grid.
    const int bar = m_view.verticalScrollBar()->isVisible()
        ? 0
        : m_view.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &m_view);
    return std::max(1, m_view.viewport()->width() - bar);
}

ThumbnailSize ColumnFit::SizeForRebuild(const SettingsStore& settings)
{
    if (!m_bRefitting)
        m_standIns.clear();
    const ThumbnailSize stored = ReadThumbnailSize(settings);
    const QSize size = ColumnSizing::ThumbnailSize(
        GridWidth(), settings.ReadInt(kSectionChart, kColumns, kDefaultColumns),
        QSize(stored.width, stored.height));
    return ThumbnailSize{size.width(), size.height()};
}

int ColumnFit::columns() const
{
    const int stored =
        SettingsStore(m_view.paths().iniFile).ReadInt(kSectionChart, kColumns, kDefaultColumns);
    return std::max(stored, 0);
}

void ColumnFit::SetColumns(int columns)
{
    SettingsStore(m_view.paths().iniFile)
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
    SettingsStore settings(m_view.paths().iniFile);
    const ThumbnailSize stored = ReadThumbnailSize(settings);
    const QSize next = ColumnSizing::StepSize(QSize(stored.width, stored.height), direction,
                                              kMinShownSize, kMaxUsableSize);
    settings.WriteTexts({{kSectionChart, kSizeX, std::to_string(next.width())},
                         {kSectionChart, kSizeY, std::to_string(next.height())}});
    Rebuild();
}

void ColumnFit::Rebuild()
{
    m_view.RebuildThumbnails();
    m_view.viewport()->update();
}

void ColumnFit::Resized()
{
    if (m_view.m_bNeedLoad == 0 && columns() > 0)
        m_settle.start();
}

void ColumnFit::OnSettled()
{
    const QSize now(m_view.m_nSizeX, m_view.m_nSizeY);
    const ThumbnailSize fitted = SizeForRebuild(SettingsStore(m_view.paths().iniFile));
    if (QSize(fitted.width, fitted.height) == now)
        return;
    // The thumbnails on screen stay, scaled, until their new ones land.
    m_standIns.clear();
    const ShownOrder& order = m_view.shownOrder();
    const int shown = m_view.m_nColumns * (m_view.RowsOnScreen() + 1);
    for (int position = m_view.m_nTopIndex;
         position < std::min(order.count(), m_view.m_nTopIndex + shown); ++position) {
        const int item = order.ItemAt(position);
        if (m_view.m_thumbList.StateOf(item) == ThumbnailStore::State::Ready)
            m_standIns.emplace(item, m_view.m_thumbList.Image(item));
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
