#include "view/CCatalogView.h"

#include "base/AppTexts.h"
#include "base/FileTexts.h"
#include "base/GridTexts.h"
#include "base/MessageBox.h"
#include "catalog/CatalogListLoader.h"
#include "catalog/ItemMatching.h"
#include "chart/StaleBadge.h"
#include "settings/SettingsStore.h"
#include "settings/LabelSettings.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsValues.h"
#include "view/ColumnFit.h"
#include "view/EmptyHint.h"
#include "view/GridArrangement.h"
#include "view/GridGeometry.h"
#include "view/GridKeyboard.h"
#include "view/GridKeys.h"
#include "view/GridSearchBar.h"
#include "view/PreviewController.h"
#include "view/ShownOrder.h"
#include "view/ReloadPlan.h"
#include "view/ToolCommandLine.h"
#include "view/ToolLauncher.h"
#include "view/VisibleFirst.h"

#include <QFile>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QPrinter>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <optional>

namespace {

// One wheel notch, in eighths of a degree, scrolls one row, like a line step.
constexpr int kWheelNotch = 120;

} // namespace

CCatalogView::CCatalogView(const ProgramPaths& paths, IComponentProvider* provider,
                           QWidget* parent)
    : QAbstractScrollArea(parent)
    , m_paths(paths)
    , m_scrollBar(verticalScrollBar())
    , m_pComponentProvider(provider)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    viewport()->setAutoFillBackground(false);
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
            &CCatalogView::OnScrollBarAction);
    connect(verticalScrollBar(), &QAbstractSlider::sliderReleased, this,
            [this] { ScrollTo(verticalScrollBar()->sliderPosition()); });
    connect(&m_builder, &ThumbnailBuilder::thumbnailsReady, this, &CCatalogView::Invalidate);
    SetThumbnailSize(SettingsKeys::kDefaultSizeX, SettingsKeys::kDefaultSizeY);

    m_pArrangement = std::make_unique<GridArrangement>(m_itemList, m_thumbList, m_paths.iniFile);
    connect(m_pArrangement.get(), &GridArrangement::orderChanged, this,
            &CCatalogView::OnOrderChanged);
    connect(&m_builder, &ThumbnailBuilder::thumbnailsReady, m_pArrangement.get(),
            &GridArrangement::FactsChanged);
    m_pKeyboard = std::make_unique<GridKeyboard>(*this);
    m_pSearchBar = new GridSearchBar(this);
    m_pPreview = std::make_unique<PreviewController>(*this);
    m_pColumnFit = std::make_unique<ColumnFit>(*this);
    viewport()->setMouseTracking(true);
    connect(&m_listLoader, &AsyncListLoader::loaded, this,
            [this](const std::shared_ptr<ListLoadResult>& loaded) {
                emit reloadFinished(FinishBackgroundReload(*loaded));
            });
}

CCatalogView::~CCatalogView()
{
    // Preview windows and their chart hosts go while the components' lock still stands.
    m_pPreview.reset();
    FreeItems();
    FreeThumbnails();
}

void CCatalogView::SetListFile(std::string path, bool removeListFile)
{
    m_strListFile = std::move(path);
    m_bRemoveListFile = removeListFile;
}

void CCatalogView::OpenList(std::string path)
{
    SetListFile(std::move(path), false);
    m_nSelected = -1;
    m_nTopIndex = 0;
    m_scrollBar.SetPosition(0);
    LoadList();
    Invalidate();
}

CCatalogView::ReloadResult CCatalogView::ReloadList()
{
    if (m_bNeedLoad == 1 || m_strListFile.empty())
        return ReloadResult::NotLoaded;
    if (AsyncListLoader::NeedsWorker(m_strListFile)) {
        // Matched with the items shown on the worker; they change only after Cancel.
        m_listLoader.Start(m_strListFile, AsyncListLoader::kMaxItems, &m_itemList);
        return ReloadResult::Pending;
    }
    std::optional<ReloadPlan> plan = PlanReload(m_strListFile, m_itemList, m_builder.origins());
    return plan ? ApplyReload(std::move(*plan)) : ReloadResult::Unreadable;
}

CCatalogView::ReloadResult CCatalogView::FinishBackgroundReload(ListLoadResult& loaded)
{
    if (m_bNeedLoad == 1 || loaded.path != m_strListFile)
        return ReloadResult::NotLoaded;
    switch (loaded.status) {
    case ListLoadResult::Status::Read:
        return ApplyReload(PlanReloadOf(std::move(loaded.items), std::move(loaded.previous),
                                        m_builder.origins()));
    case ListLoadResult::Status::TooMany:
        return ReloadResult::TooLong;
    case ListLoadResult::Status::OutOfMemory:
        return ReloadResult::OutOfMemory;
    case ListLoadResult::Status::NotOpened:
        break;
    }
    return ReloadResult::Unreadable;
}

CCatalogView::ReloadResult CCatalogView::ApplyReload(ReloadPlan plan)
{
    const int oldCount = static_cast<int>(m_itemList.size());
    if (!plan.changed(oldCount))
        return ReloadResult::Unchanged;
    const std::vector<int> next = InvertMatch(plan.previous, oldCount);
    m_nSelected = FollowSelection(next, m_nSelected);
    // The top stays on the same security; with a sort or filter its position may move.
    const bool atTop = m_nTopIndex <= 0;
    const int topItem =
        atTop ? -1 : FollowTop(next, std::max(shownOrder().ItemAt(m_nTopIndex), 0));
    // The workers read the items: none may be left in hand when they change.
    m_builder.StopAndWait();
    m_listLoader.Cancel();
    m_itemList = std::move(plan.items);
    m_components = m_builder.Restart(CurrentInputs(), plan.previous, plan.remake);
    if (m_components == ThumbnailBuilder::Components::NoDataLibrary)
        ShowMessageBox(AppTexts::kCantCreateDataLibrary);
    else if (m_components == ThumbnailBuilder::Components::NoChartControl)
        ShowMessageBox(AppTexts::kCantCreateChartControl);
    m_pArrangement->ItemsChanged();
    m_nTopIndex = atTop ? 0 : std::max(shownOrder().PositionOf(topItem), 0);
    LayOutGrid();
    m_scrollBar.SetPosition(m_nTopIndex);
    RequestCellsAgain();
    return ReloadResult::Changed;
}

std::vector<int> CCatalogView::ExportOrder() const
{
    return m_pArrangement->ItemsInSortOrder(false);
}

void CCatalogView::RequestCellsAgain()
{
    m_requested = {};
    if (isVisible())
        RequestCells(CurrentGrid(), viewport()->height());
    Invalidate();
}

void CCatalogView::SetEmptyHint(QString text)
{
    m_strEmptyHint = std::move(text);
    Invalidate();
}

BuildInputs CCatalogView::CurrentInputs()
{
    return BuildInputs{&m_itemList, QSize(m_nSizeX, m_nSizeY), m_paths.iniFile,
                       m_pComponentProvider, ReadPeriodChoice(SettingsStore(m_paths.iniFile))};
}

void CCatalogView::LoadList()
{
    m_listLoader.Cancel();
    FreeItems();
    // A file that does not open, or breaks off with a read error, still ends the load: the
    // items read so far stay and the load is never retried.
    m_loadOutcome = LoadCatalogList(m_strListFile, m_bRemoveListFile, m_itemList,
                                    AsyncListLoader::kMaxItems);
    if (m_loadOutcome.tooMany)
        RefuseLongList();
    m_pArrangement->ItemsChanged();
    RebuildThumbnails();
    m_bNeedLoad = 0;
}

void CCatalogView::RefuseLongList()
{
    CatalogItemList().swap(m_itemList);
    ShowMessageBox(FileTexts::kListTooLong.arg(QFile::decodeName(m_strListFile.c_str()))
                       .arg(QLocale(QLocale::Japanese)
                                .toString(qulonglong(AsyncListLoader::kMaxItems))));
}

void CCatalogView::FreeItems()
{
    // The workers read the items: none may be left in hand.
    m_builder.StopAndWait();
    m_listLoader.Cancel();
    m_itemList.clear();
    if (m_pArrangement)
        m_pArrangement->ItemsChanged();
}

void CCatalogView::RebuildThumbnails()
{
    const SettingsStore settings(m_paths.iniFile);
    const ThumbnailSize size = m_pColumnFit->SizeForRebuild(settings);
    SetThumbnailSize(size.width, size.height);
    m_nStaleDays = ReadStaleDays(settings);
    FreeThumbnails();

    m_components = m_builder.Start(CurrentInputs());
    LayOutGrid();  // the new build's cells, before a box lets anything paint
    // Either missing component is told once per rebuild, each under its own name.
    if (m_components == ThumbnailBuilder::Components::NoDataLibrary)
        ShowMessageBox(AppTexts::kCantCreateDataLibrary);
    else if (m_components == ThumbnailBuilder::Components::NoChartControl)
        ShowMessageBox(AppTexts::kCantCreateChartControl);
    // The cells on screen first, before the next paint says so.
    m_requested = {};
    if (isVisible())
        RequestCells(CurrentGrid(), viewport()->height());
}

void CCatalogView::FreeThumbnails()
{
    m_builder.Stop();
    // Generation 0 is no build's: a late thumbnail of the build before is not taken.
    m_thumbList.Reset(0, QSize(m_nSizeX, m_nSizeY), 0);
}

void CCatalogView::SetThumbnailSize(int cx, int cy)
{
    m_nSizeX = cx;
    m_nSizeY = cy;
    LayOutGrid();
}

void CCatalogView::LayOutGrid()
{
    if (!m_pArrangement)
        return;  // the size set while constructing: no cells yet
    m_nColumns = GridGeometry::ColumnsFor(viewport()->width(), m_nSizeX);
    m_scrollBar.SetRange(shownOrder().count(), m_nColumns);
}

GridGeometry::Grid CCatalogView::CurrentGrid() const
{
    return GridGeometry::Grid{m_nColumns, m_nSizeX, m_nSizeY, m_nTopIndex,
                              shownOrder().count()};
}

const ShownOrder& CCatalogView::shownOrder() const
{
    return m_pArrangement->Current();
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

    // The columns that fit this client: the viewport's own on screen, the page's when printing.
    // The view's columns and scroll range are laid out by the events that change them.
    GridGeometry::Grid grid = CurrentGrid();
    grid.columns = GridGeometry::ColumnsFor(client.width(), m_nSizeX);

    // The client's bottom edge as the platform counts it: one past the last pixel row.
    const std::vector<GridGeometry::PaintedCell> cells =
        GridGeometry::PaintWalk(grid, client.height());
    if (printing)
        WaitForCells(cells);
    else
        RequestCells(grid, client.height());
    const std::int32_t today = TodayDate();  // once a paint, not once a cell
    for (const GridGeometry::PaintedCell& cell : cells)
        PaintCell(dc, cell, today);
    if (!printing && m_strListFile.empty() && !m_strEmptyHint.isEmpty())
        PaintEmptyHint(dc, client, m_strEmptyHint);
    else if (!printing && grid.count == 0 && !m_thumbList.empty())
        PaintEmptyHint(dc, client, GridTexts::kNoMatches);  // a search that found nothing
}

void CCatalogView::PaintCell(QPainter& dc, const GridGeometry::PaintedCell& cell,
                             std::int32_t today) const
{
    const int item = shownOrder().ItemAt(cell.index);
    const bool selected = item == m_nSelected;
    // One read: a worker's eviction cannot come between the state and the image.
    const ThumbnailStore::Cell thumb = m_thumbList.ReadCell(item);
    switch (thumb.state) {
    case ThumbnailStore::State::Ready: {
        QImage thumbnail = thumb.image;
        const ItemFacts& facts = thumb.facts;
        // Against the newest date known now, so the badge follows the build as it fills in.
        const DateBadge badge = DateBadgeOf(facts.hasData, facts.lastDate,
                                            thumb.newestDate, m_nStaleDays, today);
        if (badge != DateBadge::None) {
            QPainter painter(&thumbnail);
            PaintDateBadge(painter, thumbnail.rect(), badge, facts.lastDate);
        }
        if (selected) {
            // Every channel c becomes 255 - c, on the screen and on paper alike.
            QImage inverted = thumbnail.copy();
            inverted.invertPixels(QImage::InvertRgb);
            dc.drawImage(cell.rect.topLeft(), inverted);
        } else {
            dc.drawImage(cell.rect.topLeft(), thumbnail);
        }
        break;
    }
    case ThumbnailStore::State::Failed:
        // A thumbnail that could not be made is background, inverted when selected.
        if (selected)
            dc.fillRect(cell.rect, Qt::white);
        break;
    case ThumbnailStore::State::Missing: {
        if (!selected && m_pColumnFit->PaintStandIn(dc, cell.rect, item))
            break;
        const auto shade = [selected](QRgb rgb) {
            return selected ? qRgb(255 - qRed(rgb), 255 - qGreen(rgb), 255 - qBlue(rgb)) : rgb;
        };
        dc.fillRect(cell.rect, QColor(shade(kPlaceholderFrame)));
        dc.fillRect(cell.rect.adjusted(1, 1, -1, -1), QColor(shade(kPlaceholderFill)));
        break;
    }
    }
}

void CCatalogView::RequestCells(const GridGeometry::Grid& grid, int clientHeight)
{
    if (grid.topIndex != m_nTravelTop) {
        m_travel = grid.topIndex > m_nTravelTop ? Travel::Down : Travel::Up;
        m_nTravelTop = grid.topIndex;
    }
    const int rows = grid.cellHeight > 0 ? clientHeight / grid.cellHeight : 0;
    const auto key = std::make_tuple(m_builder.generation(), grid.topIndex, grid.columns, rows,
                                     grid.count, m_pArrangement->revision());
    if (key == m_requested)
        return;
    m_requested = key;
    // Positions on screen first, asked for by the items they show.
    VisibleFirstOrder wanted =
        ItemsOf(MakeVisibleFirstOrder(grid, clientHeight, m_travel), shownOrder());
    const std::vector<int> onScreen(wanted.order.begin(),
                                    wanted.order.begin() + long(wanted.onScreenCount));
    m_builder.SetOrder(std::move(wanted.order), wanted.priorityCount, onScreen);
}

void CCatalogView::WaitForCells(const std::vector<GridGeometry::PaintedCell>& cells)
{
    m_builder.WaitUntilBuilt();
    std::vector<int> indices;
    indices.reserve(cells.size());
    for (const GridGeometry::PaintedCell& cell : cells)
        indices.push_back(shownOrder().ItemAt(cell.index));
    m_requested = {};
    m_builder.SetOrder(indices, indices.size(), indices);
    m_builder.WaitUntilMade(indices);
}

bool CCatalogView::PrintPage(QPrinter& printer)
{
    // The list is loaded before printing, where its failures can be told: a page never loads.
    if (m_bNeedLoad == 1)
        return false;
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    OnDraw(painter, viewport()->rect(), true);
    return painter.end();
}

int CCatalogView::HitTest(int x, int y) const
{
    return shownOrder().ItemAt(GridGeometry::HitTest(CurrentGrid(), x, y));
}

void CCatalogView::OnLButtonDown(const QPoint& point)
{
    const int selected = HitTest(point.x(), point.y());
    if (selected != m_nSelected) {
        m_nSelected = selected;
        Invalidate();
    }
}

void CCatalogView::ScrollTo(int topIndex)
{
    // The top index may pass the bar's last position: a step down can start the grid with
    // the last thumbnail while the bar stands at its end.
    if (topIndex != m_nTopIndex)
        m_pPreview->Close();  // its cell moves away
    m_nTopIndex = topIndex;
    m_scrollBar.SetPosition(topIndex);
    Invalidate();
}

void CCatalogView::OnLButtonDblClk(const QPoint& point)
{
    // The selection was made by the press that began the double-click.
    LaunchItem(HitTest(point.x(), point.y()));
}

void CCatalogView::LaunchItem(int item)
{
    if (item < 0 || item >= static_cast<int>(m_itemList.size()))
        return;
    const std::string commandLine = FormatToolCommandLine(*m_itemList[item]);
    if (IsToolFound(commandLine, m_paths.exeDir))
        StartToolCommandLine(commandLine, m_paths.exeDir);
    else
        m_pPreview->OpenWindow(item);
}

int CCatalogView::RowsOnScreen() const
{
    return m_nSizeY > 0 ? std::max(1, viewport()->height() / m_nSizeY) : 1;
}

QRect CCatalogView::CellRectOf(int position) const
{
    const GridGeometry::Grid grid = CurrentGrid();
    const int offset = position - grid.topIndex;
    const int row = offset >= 0 ? offset / grid.columns
                                : -((-offset + grid.columns - 1) / grid.columns);
    const int column = offset - row * grid.columns;
    return QRect(column * grid.cellWidth, row * grid.cellHeight, grid.cellWidth,
                 grid.cellHeight);
}

void CCatalogView::SelectAndScroll(int item, int topIndex)
{
    const bool moved = item != m_nSelected || topIndex != m_nTopIndex;
    m_nSelected = item;
    if (topIndex != m_nTopIndex) {
        m_nTopIndex = topIndex;
        m_scrollBar.SetPosition(topIndex);
    }
    if (moved)
        Invalidate();
}

void CCatalogView::OnOrderChanged(GridArrangement::Cause cause)
{
    LayOutGrid();
    const int count = shownOrder().count();
    // A sort the user chose shows its first cells; the selection stays on its security
    // wherever that went. A search starts at the top too, and facts coming in move nothing
    // out from under the user: both keep the selection in view.
    int top = 0;
    if (cause != GridArrangement::Cause::Sort) {
        GridKeys::State state;
        state.count = count;
        state.columns = m_nColumns;
        state.rowsOnScreen = RowsOnScreen();
        state.topIndex = cause == GridArrangement::Cause::Filter
            ? 0 : std::clamp(m_nTopIndex, 0, std::max(count - 1, 0));
        top = GridKeys::TopIndexShowing(state, shownOrder().PositionOf(m_nSelected));
    }
    if (top != m_nTopIndex && m_pPreview)
        m_pPreview->Close();  // its cell moves away
    m_nTopIndex = top;
    m_scrollBar.SetPosition(top);
    Invalidate();
}

void CCatalogView::SetPeriodChoice(PeriodChoice period)
{
    SettingsStore settings(m_paths.iniFile);
    if (ReadPeriodChoice(settings) == period)
        return;
    WritePeriodChoice(settings, period);
    RebuildThumbnails();
    Invalidate();
    emit viewChoicesChanged();
}

PeriodChoice CCatalogView::periodChoice() const
{
    return ReadPeriodChoice(SettingsStore(m_paths.iniFile));
}

void CCatalogView::Invalidate()
{
    viewport()->update();
}

void CCatalogView::showEvent(QShowEvent* event)
{
    QAbstractScrollArea::showEvent(event);
    if (m_bNeedLoad == 1 && !m_bLoadScheduled) {
        // Shown with the list still unread: it is loaded once the window is up, by an event of
        // its own, as the rebuild may show a message box. A window closed before that loads
        // nothing until it is shown again.
        m_bLoadScheduled = true;
        QTimer::singleShot(0, this, [this] {
            m_bLoadScheduled = false;
            if (m_bNeedLoad == 1 && isVisible())
                LoadList();
            Invalidate();
        });
    }
}

void CCatalogView::paintEvent(QPaintEvent* /*event*/)
{
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
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    }
    while (m_nWheelRemainder <= -kWheelNotch) {
        m_nWheelRemainder += kWheelNotch;
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    }
    event->accept();
}

void CCatalogView::keyPressEvent(QKeyEvent* event)
{
    if (!m_pKeyboard->HandleKey(event))
        QAbstractScrollArea::keyPressEvent(event);
}

void CCatalogView::mouseMoveEvent(QMouseEvent* event)
{
    m_pPreview->PointerMoved(event->position().toPoint());
    QAbstractScrollArea::mouseMoveEvent(event);
}

void CCatalogView::leaveEvent(QEvent* event)
{
    m_pPreview->PointerLeft();
    QAbstractScrollArea::leaveEvent(event);
}

void CCatalogView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    m_pSearchBar->PlaceIn(*this);
    LayOutGrid();
    if (m_pColumnFit)
        m_pColumnFit->Resized();
}

void CCatalogView::scrollContentsBy(int /*dx*/, int /*dy*/)
{
    // The handler repaints; the grid is never scrolled by pixels.
}

void CCatalogView::OnScrollBarAction(int action)
{
    if (const std::optional<int> top = m_scrollBar.TopFor(action))
        ScrollTo(*top);
}
