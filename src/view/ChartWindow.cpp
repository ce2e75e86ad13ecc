#include "view/ChartWindow.h"

#include "base/GridTexts.h"
#include "catalog/DisplayText.h"
#include "chart/DataProblemText.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsValues.h"
#include "view/ChartCanvas.h"
#include "view/ChartOutput.h"
#include "view/ChartStepping.h"
#include "view/ChartWindowInputs.h"
#include "view/ChartWindowTexts.h"
#include "view/CrosshairSteps.h"
#include "view/PeriodEnds.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QVBoxLayout>
#include <QtConcurrent>

#include <algorithm>

namespace mosgrid {

namespace {

constexpr int kMillisecondsPerSecond = 1000;
constexpr int kYearFactor = 10000;
constexpr int kMonthFactor = 100;

QString DateText(std::int32_t date)
{
    return QStringLiteral("%1/%2/%3")
        .arg(date / kYearFactor)
        .arg(date / kMonthFactor % kMonthFactor, 2, 10, QLatin1Char('0'))
        .arg(date % kMonthFactor, 2, 10, QLatin1Char('0'));
}

QString PeriodText(PeriodChoice period)
{
    switch (period) {
    case PeriodChoice::Daily:
        return ChartWindowTexts::kDaily;
    case PeriodChoice::Weekly:
        return ChartWindowTexts::kWeekly;
    case PeriodChoice::Monthly:
        return ChartWindowTexts::kMonthly;
    case PeriodChoice::Definitions:
        break;
    }
    return ChartWindowTexts::kDefinitionsPeriod;
}

std::span<const quorex::PriceBar> BarsOf(const WholeSeries& series)
{
    return series.data ? series.data->Bars() : std::span<const quorex::PriceBar>();
}

} // namespace

ChartWindow::ChartWindow(ChartWindowContext context, const CatalogItem& item, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_context(std::move(context))
    , m_item(item)
    , m_state(ChartWindowSettings::Read(SettingsStore(m_context.iniFile)))
    , m_pCanvas(new ChartCanvas(this))
    , m_pDefinitions(new QComboBox(this))
    , m_pStatus(new QLabel(this))
{
    setObjectName(QStringLiteral("chartWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    // Closing the catalog ends the program even while this window is open.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFocusPolicy(Qt::StrongFocus);
    m_pCanvas->SetWaitingText(GridTexts::kDrawing);
    m_pDefinitions->setFocusPolicy(Qt::NoFocus);
    m_pDefinitions->addItem(ChartWindowTexts::kCatalogDefinitions);
    m_pDefinitions->addItem(ChartWindowTexts::kOwnDefinitions);
    m_pDefinitions->setEnabled(!m_state.definitions.empty());
    m_pDefinitions->setCurrentIndex(m_state.ownDefinitions ? 1 : 0);

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(4, 2, 4, 2);
    bar->addWidget(m_pDefinitions);
    bar->addWidget(m_pStatus, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(bar);
    layout->addWidget(m_pCanvas, 1);

    connect(m_pDefinitions, &QComboBox::activated, this,
            [this](int index) { UseOwnDefinitions(index == 1); });
    connect(&m_loader, &QFutureWatcher<WholeSeries>::finished, this, &ChartWindow::OnLoaded);
    connect(m_pCanvas, &ChartCanvas::wheelTurned, this, &ChartWindow::ZoomAt);
    connect(m_pCanvas, &ChartCanvas::dragged, this, &ChartWindow::ScrollPixels);
    // The canvas's own size, not the window's: the layout sizes it after the window's resize.
    connect(m_pCanvas, &ChartCanvas::resized, this, &ChartWindow::Redraw);
    connect(&m_slideshow, &QTimer::timeout, this, [this] {
        if (!m_context.stepping
            || m_context.stepping->PositionOf(m_item) + 1 >= m_context.stepping->count()) {
            m_slideshow.stop();
            UpdateStatus();
            return;
        }
        Step(1);
    });

    const SettingsStore settings(m_context.iniFile);
    const int bars = m_state.bars > 0
        ? m_state.bars
        : ChartWindowInputs::ThumbnailBars(EffectiveCommonParams(settings));
    m_wantedBars = bars;
    m_range = BarRange{0, bars, 0};
    m_counting = CountingPeriod();
    ShowItem(item);
}

ChartWindow::~ChartWindow()
{
    // A window still open when the program ends goes without a close event.
    if (!m_stateKept)
        KeepState();
    m_loader.waitForFinished();
}

void ChartWindow::ShowItem(const CatalogItem& item)
{
    if (m_loader.isRunning()) {
        m_pendingItem = item;
        return;
    }
    m_item = item;
    m_loaded = false;
    UpdateTitle();
    // What the grid shows of it stands for the chart while the whole series is read.
    if (m_context.stepping)
        m_pCanvas->ShowStandIn(m_context.stepping->PictureOf(item));
    IComponentProvider* provider = m_context.provider;
    if (provider == nullptr) {
        m_series = WholeSeries{};
        m_loaded = true;
        return;
    }
    m_loader.setFuture(QtConcurrent::run([provider, item] {
        return WholeSeries::Load(*provider, item);
    }));
}

void ChartWindow::OnLoaded()
{
    if (m_pendingItem) {
        // Stepped on meanwhile: only the newest is shown.
        const CatalogItem next = std::move(*m_pendingItem);
        m_pendingItem.reset();
        ShowItem(next);
        return;
    }
    m_series = m_loader.result();
    m_loaded = true;
    m_pCanvas->SetDecimals(m_series.facts.decimals);
    m_ends = PeriodEnds(BarsOf(m_series), m_counting);
    // A new security starts at its newest bars, zoom kept.
    m_range = BarRange::Newest(int(m_ends.size()), m_wantedBars);
    Redraw();
    UpdateTitle();
    emit itemLoaded();
}

PeriodChoice ChartWindow::CountingPeriod() const
{
    const SettingsStore settings(m_context.iniFile);
    return ChartWindowInputs::CountingPeriod(EffectiveCommonParams(settings), Definitions(),
                                             m_state.period);
}

std::vector<std::string> ChartWindow::Definitions() const
{
    if (m_state.ownDefinitions && !m_state.definitions.empty())
        return m_state.definitions;
    return EffectiveChartDefinitions(SettingsStore(m_context.iniFile),
                                     SettingsKeys::kMaxDrawnCharts);
}

void ChartWindow::Recount(PeriodChoice counting)
{
    // The newest bar shown stays the newest in the new count.
    const int lastDaily = m_range.end > 0 && m_range.end <= int(m_ends.size())
        ? m_ends[m_range.end - 1] - 1
        : 0;
    m_counting = counting;
    m_ends = PeriodEnds(BarsOf(m_series), m_counting);
    BarRange wanted = m_range;
    wanted.count = m_wantedBars;
    m_range = wanted.Resized(int(m_ends.size()), PeriodIndexOf(m_ends, lastDaily) + 1);
}

void ChartWindow::Redraw()
{
    UpdateStatus();
    if (!m_loaded)
        return;
    const SettingsStore settings(m_context.iniFile);
    const std::string common = EffectiveCommonParams(settings);
    FrameRequest request;
    request.series = m_series.data;
    request.dailyBars = m_range.end > 0 ? m_ends[m_range.end - 1] : 0;
    // Counted in the shown period; the definitions' own periods each show as many.
    request.params = ChartWindowInputs::Params(common, std::max(1, m_range.count),
                                               m_state.period);
    request.definitions = ChartWindowInputs::WithLogScale(Definitions(), m_state.log);
    request.notice = DataProblemText(m_series.problem).toStdString();
    request.size = m_pCanvas->size();
    request.provider = m_context.provider;
    m_pCanvas->Request(request);
}

void ChartWindow::SetRange(const BarRange& range)
{
    if (range == m_range)
        return;
    if (range.count != m_range.count)
        m_wantedBars = range.count;
    m_range = range;
    Redraw();
}

int ChartWindow::AnchorAt(QPoint at) const
{
    // The bar under the pointer when the picture knows it, else its share of the width.
    const std::shared_ptr<const ChartFrame> frame = m_pCanvas->frame();
    const std::span<const quorex::PriceBar> daily = BarsOf(m_series);
    if (frame) {
        if (const std::optional<quorex::PriceBar> bar = frame->BarAt(at)) {
            const auto it = std::lower_bound(
                daily.begin(), daily.end(), bar->date,
                [](const quorex::PriceBar& b, std::int32_t date) { return b.date < date; });
            if (it != daily.end())
                return PeriodIndexOf(m_ends, int(it - daily.begin()));
        }
    }
    const int width = std::max(1, m_pCanvas->width());
    return m_range.first() + std::clamp(at.x(), 0, width) * m_range.count / width;
}

void ChartWindow::ZoomAt(int notches, QPoint at)
{
    const int anchor = AnchorAt(at);
    BarRange range = m_range;
    for (int i = 0; i < std::abs(notches); ++i)
        range = notches > 0 ? range.ZoomedIn(anchor) : range.ZoomedOut(anchor);
    SetRange(range);
}

void ChartWindow::ScrollPixels(int pixels)
{
    // Dragging right brings older bars in, a bar for each bar's width moved; moves narrower
    // than a bar add up.
    const int width = std::max(1, m_pCanvas->width());
    m_dragBars += double(pixels) * m_range.count / width;
    const int bars = int(m_dragBars);
    m_dragBars -= bars;
    if (bars != 0)
        SetRange(m_range.Scrolled(-bars));
}

void ChartWindow::MoveCrosshair(int direction)
{
    const std::shared_ptr<const ChartFrame> frame = m_pCanvas->frame();
    if (!frame || frame->image().isNull())
        return;
    const QSize size = frame->image().size();
    std::optional<QPoint> at = m_pCanvas->crosshair();
    const bool shown = at.has_value();
    if (!shown) {
        const int middle = size.width() / 2;
        const std::optional<int> row = CrosshairSteps::FirstBandMiddle(
            size.height(), [&](int y) { return frame->BarAt(QPoint(middle, y)).has_value(); });
        if (!row)
            return;
        at = QPoint(size.width(), *row);
        direction = -1;
    }
    const int y = at->y();
    const auto dateAt = [&](int x) -> std::optional<std::int32_t> {
        const std::optional<quorex::PriceBar> bar = frame->BarAt(QPoint(x, y));
        return bar ? std::optional<std::int32_t>(bar->date) : std::nullopt;
    };
    if (const std::optional<int> x =
            CrosshairSteps::NeighbourBarColumn(at->x(), direction, size.width(), dateAt)) {
        m_pCanvas->SetCrosshair(QPoint(*x, y));
        return;
    }
    if (shown)
        SetRange(m_range.Scrolled(direction));
}

void ChartWindow::SetPeriod(PeriodChoice period)
{
    m_state.period = period;
    Recount(CountingPeriod());
    Redraw();
}

void ChartWindow::UseOwnDefinitions(bool own)
{
    m_state.ownDefinitions = own && !m_state.definitions.empty();
    m_pDefinitions->setCurrentIndex(m_state.ownDefinitions ? 1 : 0);
    Recount(CountingPeriod());
    Redraw();
}

void ChartWindow::Perform(ChartAction action)
{
    const int center = m_range.first() + m_range.count / 2;
    switch (action) {
    case ChartAction::ZoomIn:
        return SetRange(m_range.ZoomedIn(center));
    case ChartAction::ZoomOut:
        return SetRange(m_range.ZoomedOut(center));
    case ChartAction::BarBack:
        return SetRange(m_range.Scrolled(-1));
    case ChartAction::BarForward:
        return SetRange(m_range.Scrolled(1));
    case ChartAction::ScreenBack:
        return SetRange(m_range.Scrolled(-m_range.count));
    case ChartAction::ScreenForward:
        return SetRange(m_range.Scrolled(m_range.count));
    case ChartAction::CrosshairBack:
        return MoveCrosshair(-1);
    case ChartAction::CrosshairForward:
        return MoveCrosshair(1);
    case ChartAction::Oldest:
        return SetRange(m_range.Oldest());
    case ChartAction::Newest:
        return SetRange(m_range.NewestEnd());
    case ChartAction::Daily:
        return SetPeriod(PeriodChoice::Daily);
    case ChartAction::Weekly:
        return SetPeriod(PeriodChoice::Weekly);
    case ChartAction::Monthly:
        return SetPeriod(PeriodChoice::Monthly);
    case ChartAction::Log:
        m_state.log = !m_state.log;
        return Redraw();
    case ChartAction::NextItem:
        return Step(1);
    case ChartAction::PreviousItem:
        return Step(-1);
    case ChartAction::Slideshow:
        return ToggleSlideshow();
    case ChartAction::Copy:
        if (const auto frame = m_pCanvas->frame(); frame && !frame->image().isNull())
            QApplication::clipboard()->setImage(frame->image());
        return;
    case ChartAction::Save:
        return SaveChart();
    case ChartAction::Print:
        return PrintChart();
    case ChartAction::Close:
        close();
        return;
    }
}

void ChartWindow::Step(int delta)
{
    if (!m_context.stepping)
        return;
    ChartStepping& stepping = *m_context.stepping;
    const int from = stepping.PositionOf(m_pendingItem ? *m_pendingItem : m_item);
    // A security the grid no longer shows steps from the first.
    const int to = from < 0 ? 0 : from + delta;
    const std::optional<CatalogItem> next = stepping.ItemAt(to);
    if (!next)
        return;
    stepping.Select(to);
    ShowItem(*next);
}

void ChartWindow::ToggleSlideshow()
{
    if (m_slideshow.isActive())
        m_slideshow.stop();
    else
        m_slideshow.start(m_state.slideSeconds * kMillisecondsPerSecond);
    UpdateStatus();
}

void ChartWindow::UpdateTitle()
{
    const QString code = DisplayText(m_item.m_strCode);
    const QString name = DisplayText(m_item.m_strName);
    const int position = m_context.stepping ? m_context.stepping->PositionOf(m_item) : -1;
    if (position < 0) {
        setWindowTitle(ChartWindowTexts::kTitleAlone.arg(code, name));
        return;
    }
    setWindowTitle(ChartWindowTexts::kTitle.arg(code, name)
                       .arg(position + 1)
                       .arg(m_context.stepping->count()));
}

void ChartWindow::UpdateStatus()
{
    QStringList parts{PeriodText(m_counting == PeriodChoice::Definitions ? m_state.period
                                                                          : m_counting)};
    if (m_state.log)
        parts << ChartWindowTexts::kLog;
    const std::span<const quorex::PriceBar> daily = BarsOf(m_series);
    if (m_loaded && m_range.count > 0 && m_range.end > 0 && !daily.empty()) {
        const int firstDaily = m_range.first() > 0 ? m_ends[m_range.first() - 1] : 0;
        const int lastDaily = m_ends[m_range.end - 1] - 1;
        parts << ChartWindowTexts::kSpan.arg(DateText(daily[firstDaily].date),
                                             DateText(daily[lastDaily].date))
                     .arg(m_range.count)
                     .arg(m_range.total);
    }
    if (m_slideshow.isActive())
        parts << ChartWindowTexts::kSlideshow;
    m_pStatus->setText(parts.join(QStringLiteral("  ")));
}

void ChartWindow::SaveChart()
{
    const std::shared_ptr<const ChartFrame> frame = m_pCanvas->frame();
    if (!frame || frame->image().isNull())
        return;
    QString filter;
    const QString path = QFileDialog::getSaveFileName(
        this, ChartWindowTexts::kSaveTitle,
        DisplayText(m_item.m_strCode) + QStringLiteral(".png"), ChartWindowTexts::kSaveFilter,
        &filter);
    if (path.isEmpty())
        return;
    const bool pdf = path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive);
    // Drawn again on a worker; the frame is only read there.
    const bool saved = QtConcurrent::run([frame, path, pdf] {
                           return pdf ? ChartOutput::SavePdf(*frame, path)
                                      : ChartOutput::SavePng(*frame, path);
                       }).result();
    if (!saved)
        QMessageBox::warning(this, windowTitle(), ChartWindowTexts::kSaveFailed.arg(path));
}

void ChartWindow::PrintChart()
{
    const std::shared_ptr<const ChartFrame> frame = m_pCanvas->frame();
    if (!frame || frame->image().isNull())
        return;
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    printer->setPageOrientation(frame->image().width() > frame->image().height()
                                    ? QPageLayout::Landscape
                                    : QPageLayout::Portrait);
    QPrintDialog dialog(printer.get(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const bool printed = QtConcurrent::run([frame, printer] {
                             return ChartOutput::PaintPage(*frame, *printer);
                         }).result();
    if (!printed)
        QMessageBox::warning(this, windowTitle(), ChartWindowTexts::kPrintFailed);
}

void ChartWindow::keyPressEvent(QKeyEvent* event)
{
    const std::optional<ChartAction> action = ChartActionOf(event->key(), event->modifiers());
    // Any key ends a slideshow; S itself starts one only when none runs.
    if (m_slideshow.isActive()) {
        m_slideshow.stop();
        UpdateStatus();
        if (action == ChartAction::Slideshow)
            return;
    }
    if (!action) {
        QWidget::keyPressEvent(event);
        return;
    }
    Perform(*action);
}

void ChartWindow::KeepState()
{
    m_state.geometry = geometry();
    m_state.bars = m_wantedBars;
    SettingsStore settings(m_context.iniFile);
    m_state.WriteState(settings);
    m_stateKept = true;
}

void ChartWindow::closeEvent(QCloseEvent* event)
{
    KeepState();
    QWidget::closeEvent(event);
}

} // namespace mosgrid
