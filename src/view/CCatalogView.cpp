#include "view/CCatalogView.h"

#include "settings/SettingsKeys.h"

#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>

CCatalogView::CCatalogView(QWidget* parent)
    : QAbstractScrollArea(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    SetThumbnailSize(SettingsKeys::kDefaultSizeX, SettingsKeys::kDefaultSizeY);
}

CCatalogView::~CCatalogView()
{
    FreeItems();
    FreeThumbnails();
}

void CCatalogView::LoadList()
{
    FreeItems();
    RebuildThumbnails();
    m_bNeedLoad = 0;
}

void CCatalogView::FreeItems()
{
    m_itemList.clear();
}

void CCatalogView::RebuildThumbnails()
{
    FreeThumbnails();
}

void CCatalogView::FreeThumbnails()
{
    m_thumbList.clear();
}

void CCatalogView::SetThumbnailSize(int cx, int cy)
{
    m_nSizeX = cx;
    m_nSizeY = cy;
}

void CCatalogView::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), Qt::black);
    if (m_bNeedLoad == 1)
        LoadList();
}
