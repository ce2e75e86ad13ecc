#include "view/CCatalogView.h"

#include "base/FileTexts.h"
#include "base/GridTexts.h"
#include "chart/FlagMark.h"
#include "chart/StaleBadge.h"
#include "settings/FlagStore.h"
#include "settings/SettingsStore.h"
#include "view/CatalogTabs.h"
#include "view/ColumnFit.h"
#include "view/EmptyHint.h"
#include "view/GridGeometry.h"
#include "view/GridKeyboard.h"
#include "view/GridKeys.h"
#include "view/GridSearchBar.h"
#include "model/ItemFlags.h"
#include "view/PreviewController.h"
#include "model/ShownOrder.h"
#include "view/ToolCommandLine.h"
#include "view/ToolLauncher.h"

#include <QFile>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QPrinter>
#include <QScrollBar>
#include <QTabBar>
#include <QStyle>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <optional>

namespace mosgrid {

namespace {

// One wheel notch, in eighths of a degree, scrolls one row, like a line step.
constexpr int kWheelNotch = 120;

} // namespace

CCatalogView::CCatalogView(const ProgramPaths& paths, IComponentProvider* provider,
                           QWidget* parent)
    : QAbstractScrollArea(parent)
    , m_pTabs(std::make_unique<CatalogTabs>(
          [paths, provider, flags = std::make_shared<FlagStore>(paths.flagsFile)] {
              return std::make_unique<CatalogModel>(paths, provider, flags);
          },
          this))
    , m_pModel(&m_pTabs->current())
    , m_scrollBar(verticalScrollBar())
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    viewport()->setAutoFillBackground(false);
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
            &CCatalogView::OnScrollBarAction);
    connect(verticalScrollBar(), &QAbstractSlider::sliderReleased, this,
            [this] { ScrollTo(verticalScrollBar()->sliderPosition()); });

    m_pSearchBar = new GridSearchBar(*this);
    connect(m_pSearchBar, &GridSearchBar::placementChanged, this, &CCatalogView::PlaceBars);
    m_pPreview = std::make_unique<PreviewController>(*this);
    m_pKeyboard = std::make_unique<GridKeyboard>(*this, *m_pPreview, *m_pSearchBar);
    m_pColumnFit = std::make_unique<ColumnFit>(*this);
    Attach(*m_pModel);
    connect(m_pTabs.get(), &CatalogTabs::currentChanged, this, &CCatalogView::ShowModel);
    connect(m_pTabs.get(), &CatalogTabs::tabsChanged, this, &CCatalogView::PlaceBars);
    viewport()->setMouseTracking(true);
}

void CCatalogView::Attach(CatalogModel& model)
{
    connect(&model, &CatalogModel::thumbnailsReady, this, &CCatalogView::Invalidate);
    connect(&model, &CatalogModel::orderChanged, this, &CCatalogView::OnOrderChanged);
    connect(&model, &CatalogModel::buildStarted, this, &CCatalogView::OnBuildStarted);
    connect(&model, &CatalogModel::selectionChanged, this, &CCatalogView::Invalidate);
    connect(&model, &CatalogModel::flagsChanged, this, &CCatalogView::Invalidate);
    connect(&model, &CatalogModel::flagsChanged, this, &CCatalogView::flagsChanged);
    connect(&model, &CatalogModel::reloadFinished, this, &CCatalogView::OnReloadFinished);
    connect(&model, &CatalogModel::listLoaded, this, &CCatalogView::OnListLoaded);
    connect(&model, &CatalogModel::thumbnailSizeChanged, this, &CCatalogView::LayOutGrid);
    connect(&model, &CatalogModel::viewChoicesChanged, this, &CCatalogView::viewChoicesChanged);
    model.SetSizeRule([fit = m_pColumnFit.get()](const SettingsStore& settings) {
        return fit->SizeForRebuild(settings);
    });
}

void CCatalogView::ShowModel(CatalogModel& previous, CatalogModel& model)
{
    m_pPreview->Close();
    previous.arrangement().KeepSort();
    previous.disconnect(this);
    // Only the tab shown builds; the one left makes its thumbnails again when shown.
    previous.FreeThumbnails();
    m_pModel = &model;
    Attach(model);
    m_requested = {};
    m_pSearchBar->ShowFilterOf(model.arrangement().filter());
    model.arrangement().RestoreSort();
    if (model.isLoaded())
        model.RebuildThumbnails();
    else if (isVisible() && !model.isLoading())
        model.StartLoadList();
    LayOutGrid();
    m_scrollBar.SetPosition(topIndex());
    Invalidate();
    emit modelChanged();
    emit viewChoicesChanged();  // the menus check the shown tab's sort
}

CCatalogView::~CCatalogView()
{
    // Preview windows and their chart hosts go while the components' lock still stands.
    m_pPreview.reset();
    // The models' last signals (items freed) reach no half-destroyed view.
    for (int tab = 0; tab < m_pTabs->count(); ++tab)
        m_pTabs->at(tab).disconnect();
    m_pTabs.reset();
}

void CCatalogView::SetListFile(std::string path, bool removeListFile)
{
    m_pModel->SetListFile(std::move(path), removeListFile);
}

void CCatalogView::OpenList(std::string path)
{
    m_pModel->SetListFile(std::move(path), false);
    m_pTabs->Retitle(m_pTabs->currentIndex());
    m_pModel->SelectOnly(-1);
    SetTop(0);
    m_pModel->StartLoadList();
    Invalidate();
}

void CCatalogView::LoadList()
{
    m_pModel->LoadList();
}

void CCatalogView::OnListLoaded()
{
    // Read on a worker: the thumbnails start now, for the tab shown only.
    m_pModel->RebuildThumbnails();
    LayOutGrid();
    m_scrollBar.SetPosition(topIndex());
    Invalidate();
    emit modelChanged();
}

CCatalogView::ReloadResult CCatalogView::ReloadList()
{
    const ReloadResult result = m_pModel->ReloadList();
    FollowReload(result);
    return result;
}

void CCatalogView::OnReloadFinished(CatalogModel::ReloadResult result)
{
    FollowReload(result);
    emit reloadFinished(result);
}

void CCatalogView::FollowReload(ReloadResult result)
{
    if (result != ReloadResult::Changed)
        return;
    LayOutGrid();
    m_scrollBar.SetPosition(topIndex());
    RequestCellsAgain();
}

std::vector<int> CCatalogView::selectedItems() const
{
    return m_pModel->selection().InShownOrder(m_pModel->shownOrder());
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

void CCatalogView::OnBuildStarted()
{
    m_pSearchBar->ShowCount();
    // The new build's cells, before a box lets anything paint; those on screen go first.
    LayOutGrid();
    m_requested = {};
    if (isVisible())
        RequestCells(CurrentGrid(), viewport()->height());
    Invalidate();
}

void CCatalogView::LayOutGrid()
{
    m_nColumns = GridGeometry::ColumnsFor(viewport()->width(), m_pModel->thumbnailSize().width());
    m_scrollBar.SetRange(shownOrder().count(), m_nColumns);
}

int CCatalogView::ColumnWidth() const
{
    // As if the scroll bar were always shown: its coming and going must not refit the grid.
    const int bar = verticalScrollBar()->isVisible()
        ? 0
        : style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    return std::max(1, viewport()->width() - bar);
}

GridGeometry::Grid CCatalogView::CurrentGrid() const
{
    const QSize size = m_pModel->thumbnailSize();
    return GridGeometry::Grid{m_nColumns, size.width(), size.height(), topIndex(),
                              shownOrder().count()};
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
    grid.columns = GridGeometry::ColumnsFor(client.width(), grid.cellWidth);

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
    if (!printing && listFile().empty() && !m_strEmptyHint.isEmpty())
        PaintEmptyHint(dc, client, m_strEmptyHint);
    else if (!printing && grid.count == 0 && !m_pModel->store().empty())
        PaintEmptyHint(dc, client, GridTexts::kNoMatches);  // a search that found nothing
}

void CCatalogView::PaintCell(QPainter& dc, const GridGeometry::PaintedCell& cell,
                             std::int32_t today) const
{
    const int item = shownOrder().ItemAt(cell.index);
    const bool selected = m_pModel->selection().contains(item);
    // One read: a worker's eviction cannot come between the state and the image.
    const ThumbnailStore::Cell thumb = m_pModel->store().ReadCell(item);
    switch (thumb.state) {
    case ThumbnailStore::State::Ready: {
        QImage thumbnail = thumb.image;
        const ItemFacts& facts = thumb.facts;
        // Against the newest date known now, so the badge follows the build as it fills in.
        const DateBadge badge = DateBadgeOf(facts.hasData, facts.lastDate,
                                            thumb.newestDate, m_pModel->staleDays(), today);
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
    // Over the picture and its inversion alike: a flag keeps its colour.
    PaintFlagMark(dc, cell.rect, m_pModel->flags().ColorOf(item));
}

void CCatalogView::RequestCells(const GridGeometry::Grid& grid, int clientHeight)
{
    if (grid.topIndex != m_nTravelTop) {
        m_travel = grid.topIndex > m_nTravelTop ? Travel::Down : Travel::Up;
        m_nTravelTop = grid.topIndex;
    }
    const int rows = grid.cellHeight > 0 ? clientHeight / grid.cellHeight : 0;
    const auto key = std::make_tuple(m_pModel->builder().generation(), grid.topIndex, grid.columns, rows,
                                     grid.count, m_pModel->arrangement().revision());
    if (key == m_requested)
        return;
    m_requested = key;
    // Positions on screen first, asked for by the items they show.
    VisibleFirstOrder wanted =
        ItemsOf(MakeVisibleFirstOrder(grid, clientHeight, m_travel), shownOrder());
    const std::vector<int> onScreen(wanted.order.begin(),
                                    wanted.order.begin() + long(wanted.onScreenCount));
    m_pModel->builder().SetOrder(std::move(wanted.order), wanted.priorityCount, onScreen);
}

void CCatalogView::WaitForCells(const std::vector<GridGeometry::PaintedCell>& cells)
{
    m_pModel->builder().WaitUntilBuilt();
    std::vector<int> indices;
    indices.reserve(cells.size());
    for (const GridGeometry::PaintedCell& cell : cells)
        indices.push_back(shownOrder().ItemAt(cell.index));
    m_requested = {};
    m_pModel->builder().SetOrder(indices, indices.size(), indices);
    m_pModel->builder().WaitUntilMade(indices);
}

bool CCatalogView::PrintPage(QPrinter& printer)
{
    // The list is loaded before printing, where its failures can be told: a page never loads.
    if (!m_pModel->isLoaded())
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

void CCatalogView::OnLButtonDown(const QPoint& point, Qt::KeyboardModifiers modifiers)
{
    const int item = HitTest(point.x(), point.y());
    CatalogSelection selection = m_pModel->selection();
    if (modifiers & Qt::ShiftModifier && item >= 0)
        selection.ExtendTo(item, shownOrder());
    else if (modifiers & Qt::ControlModifier && item >= 0)
        selection.Toggle(item);
    else
        selection.SelectOnly(item);
    m_pModel->SetSelection(selection);
}

void CCatalogView::ScrollTo(int topIndex)
{
    // The top index may pass the bar's last position: a step down can start the grid with
    // the last thumbnail while the bar stands at its end.
    if (topIndex != this->topIndex())
        m_pPreview->Close();  // its cell moves away
    SetTop(topIndex);
    Invalidate();
}

void CCatalogView::SetTop(int topIndex)
{
    m_pModel->SetTopIndex(topIndex);
    m_scrollBar.SetPosition(topIndex);
}

void CCatalogView::OnLButtonDblClk(const QPoint& point)
{
    // The selection was made by the press that began the double-click.
    LaunchItem(HitTest(point.x(), point.y()));
}

void CCatalogView::LaunchItem(int item)
{
    if (item < 0 || item >= m_pModel->itemCount())
        return;
    const std::string commandLine = FormatToolCommandLine(*m_pModel->items()[item]);
    if (IsToolFound(commandLine, paths().exeDir))
        StartToolCommandLine(commandLine, paths().exeDir);
    else
        m_pPreview->OpenWindow(item);
}

int CCatalogView::RowsOnScreen() const
{
    const int height = m_pModel->thumbnailSize().height();
    return height > 0 ? std::max(1, viewport()->height() / height) : 1;
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
    m_pModel->SelectOnly(item);
    if (topIndex != this->topIndex()) {
        SetTop(topIndex);
        Invalidate();
    }
}

void CCatalogView::OnOrderChanged(GridArrangement::Cause cause)
{
    m_pSearchBar->ShowCount();
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
            ? 0 : std::clamp(topIndex(), 0, std::max(count - 1, 0));
        top = GridKeys::TopIndexShowing(state, shownOrder().PositionOf(selectedItem()));
    }
    if (top != topIndex() && m_pPreview)
        m_pPreview->Close();  // its cell moves away
    SetTop(top);
    Invalidate();
}

void CCatalogView::Invalidate()
{
    viewport()->update();
}

void CCatalogView::showEvent(QShowEvent* event)
{
    QAbstractScrollArea::showEvent(event);
    if (!m_pModel->isLoaded() && !m_pModel->isLoading() && !m_bLoadScheduled) {
        // Shown with the list still unread: it is loaded once the window is up, by an event of
        // its own, as the rebuild may show a message box. A window closed before that loads
        // nothing until it is shown again.
        m_bLoadScheduled = true;
        QTimer::singleShot(0, this, [this] {
            m_bLoadScheduled = false;
            if (!m_pModel->isLoaded() && !m_pModel->isLoading() && isVisible())
                m_pModel->StartLoadList();
            Invalidate();
        });
    }
}

void CCatalogView::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(viewport());
    if (!m_pModel->isLoaded()) {
        painter.fillRect(viewport()->rect(), Qt::black);
        if (m_pModel->isLoading())
            PaintEmptyHint(painter, viewport()->rect(), FileTexts::kListLoading);
        return;
    }
    OnDraw(painter, viewport()->rect(), false);
}

void CCatalogView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnLButtonDown(event->position().toPoint(), event->modifiers());
    if (event->button() == Qt::MiddleButton)
        m_pPreview->OpenWindow(HitTest(int(event->position().x()), int(event->position().y())));
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
    PlaceBars();
    LayOutGrid();
    if (m_pColumnFit)
        m_pColumnFit->Resized();
}

void CCatalogView::PlaceBars()
{
    // Hidden, the bars take no room: the grid keeps the whole client area as it always had.
    QTabBar* tabBar = m_pTabs->bar();
    const int tabs = tabBar->isHidden() ? 0 : tabBar->sizeHint().height();
    const int search = m_pSearchBar->WantedHeight();
    if (viewportMargins().top() != tabs + search)
        setViewportMargins(0, tabs + search, 0, 0);
    if (tabs > 0)
        tabBar->setGeometry(0, 0, width(), tabs);
    if (search > 0)
        m_pSearchBar->setGeometry(0, tabs, width(), search);
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

} // namespace mosgrid
