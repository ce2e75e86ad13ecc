#include "view/CCatalogView.h"

#include "app/CCatalogApp.h"
#include "catalog/CatalogListLoader.h"
#include "chart/CChartHostDlg.h"
#include "settings/ChartSettings.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsValues.h"
#include "view/GridGeometry.h"
#include "view/ThumbnailBudget.h"
#include "view/ToolCommandLine.h"
#include "view/ToolLauncher.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QPrinter>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>

namespace {

// One wheel notch, in eighths of a degree, scrolls one row, like a line step.
constexpr int kWheelNotch = 120;

// The thumbnails' pixel format: the window's own, so a paint is a plain copy.
constexpr QImage::Format kThumbnailFormat = QImage::Format_RGB32;

} // namespace

CCatalogView::CCatalogView(QWidget* parent)
    : QAbstractScrollArea(parent)
    , m_scrollBar(verticalScrollBar())
    , m_nMemoryBudget(ThumbnailBudget::DefaultBytes())
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    viewport()->setAutoFillBackground(false);
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
            &CCatalogView::OnScrollBarAction);
    connect(verticalScrollBar(), &QAbstractSlider::sliderReleased, this, [this] {
        OnVScroll(SB_THUMBPOSITION, verticalScrollBar()->sliderPosition());
        OnVScroll(SB_ENDSCROLL, 0);
    });
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
    const CCatalogApp& app = theApp();
    // A file that does not open, or breaks off with a read error, still ends the load: the
    // items read so far stay and the load is never retried.
    LoadCatalogList(app.m_strListFile, app.m_bRemoveListFile, m_itemList);
    RebuildThumbnails();
    m_bNeedLoad = 0;
}

void CCatalogView::FreeItems()
{
    m_itemList.clear();
}

void CCatalogView::RebuildThumbnails()
{
    const ChartSettings settings(theApp().m_strIniFile);
    const ThumbnailSize size = ReadThumbnailSize(settings);
    SetThumbnailSize(size.width, size.height);
    FreeThumbnails();

    auto host = std::make_unique<CChartHostDlg>(this, m_pComponentProvider);
    m_pChartHost = host.get();
    if (host->CreateHost(m_nSizeX, m_nSizeY) == 1 && !m_itemList.empty()) {
        ThumbnailBudget budget(m_nMemoryBudget);
        const std::uint64_t bytes = std::uint64_t(m_nSizeX) * std::uint64_t(m_nSizeY) * 4;
        m_thumbList.reserve(m_itemList.size());
        for (const auto& item : m_itemList) {
            // A thumbnail that cannot be made keeps an empty entry, so the item list and the
            // thumbnail list keep the same indexes.
            QImage image;
            if (budget.Take(bytes))
                image = QImage(m_nSizeX, m_nSizeY, kThumbnailFormat);
            if (!image.isNull()) {
                QPainter memoryDC(&image);
                host->RenderItem(*item);
                host->CaptureItem(memoryDC, 0, 0, *item);
            }
            m_thumbList.push_back(std::move(image));
        }
    }
    host->DestroyWindow();
    host.reset();
    m_pChartHost = nullptr;
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

void CCatalogView::OnDraw(QPainter& dc, const QRect& client, bool printing)
{
    // Before any mapping: on a printer this fill lies in printer pixels.
    dc.fillRect(client, Qt::black);

    if (printing && client.width() > 0 && client.height() > 0) {
        // Isotropic: the client area as large as the printable area allows, aspect kept.
        const QPaintDevice* page = dc.device();
        const qreal scale = std::min(qreal(page->width()) / client.width(),
                                     qreal(page->height()) / client.height());
        dc.scale(scale, scale);
    }

    if (m_bNeedLoad == 1)
        LoadList();

    m_nColumns = GridGeometry::ColumnsFor(client.width(), m_nSizeX);
    const int count = static_cast<int>(m_thumbList.size());
    const GridGeometry::Grid grid{m_nColumns, m_nSizeX, m_nSizeY, m_nTopIndex, count};

    // The client's bottom edge as the platform counts it: one past the last pixel row.
    for (const auto& cell : GridGeometry::PaintWalk(grid, client.height())) {
        const QImage& thumbnail = m_thumbList[cell.index];
        const bool selected = cell.index == m_nSelected;
        if (thumbnail.isNull()) {
            // An entry without a picture is background, inverted when selected.
            if (selected)
                dc.fillRect(cell.rect, Qt::white);
            continue;
        }
        if (selected) {
            // Every channel c becomes 255 - c, on the screen and on paper alike.
            QImage inverted = thumbnail.copy();
            inverted.invertPixels(QImage::InvertRgb);
            dc.drawImage(cell.rect.topLeft(), inverted);
        } else {
            dc.drawImage(cell.rect.topLeft(), thumbnail);
        }
    }

    m_scrollBar.SetRangeAndPage(0, count > 0 ? count - 1 : 0, m_nColumns);
}

bool CCatalogView::PrintPage(QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    OnDraw(painter, viewport()->rect(), true);
    return painter.end();
}

int CCatalogView::HitTest(int x, int y) const
{
    const GridGeometry::Grid grid{m_nColumns, m_nSizeX, m_nSizeY, m_nTopIndex,
                                  static_cast<int>(m_thumbList.size())};
    return GridGeometry::HitTest(grid, x, y);
}

void CCatalogView::OnLButtonDown(const QPoint& point)
{
    const int selected = HitTest(point.x(), point.y());
    if (selected != m_nSelected) {
        m_nSelected = selected;
        Invalidate();
    }
}

void CCatalogView::OnVScroll(int nSBCode, int nPos)
{
    const std::optional<int> top = ScrollTarget(nSBCode, m_scrollBar.GetScrollInfo(), nPos);
    if (!top)
        return;
    // The top index may pass the bar's last position: a step down can start the grid with
    // the last thumbnail while the bar stands at its end.
    m_nTopIndex = *top;
    m_scrollBar.SetScrollPos(*top);
    Invalidate();
}

void CCatalogView::OnLButtonDblClk(const QPoint& point)
{
    const int index = HitTest(point.x(), point.y());
    if (index < 0 || index >= static_cast<int>(m_itemList.size()))
        return;
    // The selection was made by the press that began the double-click.
    StartToolCommandLine(FormatToolCommandLine(*m_itemList[index]), theApp().m_strExeDir);
}

void CCatalogView::Invalidate()
{
    viewport()->update();
}

void CCatalogView::paintEvent(QPaintEvent* /*event*/)
{
    if (m_bNeedLoad == 1 && !m_bLoadScheduled) {
        // The first paint starts the load, outside the paint itself: the rebuild may show a
        // message box, and a modal loop must not run while this window is being painted.
        m_bLoadScheduled = true;
        QTimer::singleShot(0, this, [this] {
            if (m_bNeedLoad == 1)
                LoadList();
            Invalidate();
        });
    }
    QPainter painter(viewport());
    if (m_bNeedLoad == 1) {
        painter.fillRect(viewport()->rect(), Qt::black);
        return;
    }
    OnDraw(painter, viewport()->rect(), false);
}

void CCatalogView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnLButtonDown(event->position().toPoint());
    QAbstractScrollArea::mousePressEvent(event);
}

void CCatalogView::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double-click arrives here only, as on the platform.
    if (event->button() == Qt::LeftButton)
        OnLButtonDblClk(event->position().toPoint());
    event->ignore();
}

void CCatalogView::wheelEvent(QWheelEvent* event)
{
    if (!m_scrollBar.CanScroll()) {
        event->ignore();
        return;
    }
    m_nWheelRemainder += event->angleDelta().y();
    while (m_nWheelRemainder >= kWheelNotch) {
        m_nWheelRemainder -= kWheelNotch;
        OnVScroll(SB_LINEUP, 0);
    }
    while (m_nWheelRemainder <= -kWheelNotch) {
        m_nWheelRemainder += kWheelNotch;
        OnVScroll(SB_LINEDOWN, 0);
    }
    event->accept();
}

void CCatalogView::scrollContentsBy(int /*dx*/, int /*dy*/)
{
    // The handler repaints; the grid is never scrolled by pixels.
}

void CCatalogView::OnScrollBarAction(int action)
{
    QScrollBar* bar = verticalScrollBar();
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        OnVScroll(SB_LINEUP, 0);
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        OnVScroll(SB_LINEDOWN, 0);
        break;
    case QAbstractSlider::SliderPageStepSub:
        OnVScroll(SB_PAGEUP, 0);
        break;
    case QAbstractSlider::SliderPageStepAdd:
        OnVScroll(SB_PAGEDOWN, 0);
        break;
    case QAbstractSlider::SliderToMinimum:
        OnVScroll(SB_TOP, 0);
        break;
    case QAbstractSlider::SliderToMaximum:
        OnVScroll(SB_BOTTOM, 0);
        break;
    case QAbstractSlider::SliderMove:
        OnVScroll(SB_THUMBTRACK, bar->sliderPosition());
        break;
    default:
        break;
    }
}
