#include "chart/ChartHost.h"

#include "catalog/CatalogItem.h"
#include "catalog/DisplayText.h"
#include "chart/DataProblemText.h"
#include "chart/HeatColor.h"
#include "chart/IComponentProvider.h"
#include "chart/PeriodParam.h"
#include "chart/LabelFit.h"
#include "chart/LabelPainter.h"
#include "chart/LabelShaper.h"
#include "chart/StaleBadge.h"
#include "settings/SettingsStore.h"
#include "settings/LabelSettings.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsValues.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPicture>

namespace mosgrid {

ChartHost::ChartHost(IComponentProvider& provider, std::string iniFile)
    : m_provider(provider)
    , m_strIniFile(std::move(iniFile))
{
}

ChartHost::~ChartHost()
{
    // The components go before the provider whose code they may live in.
    if (m_dataLib || m_chartCtrl.IsCreated())
        DestroyWindow();
}

int ChartHost::CreateHost(int width, int height)
{
    const std::lock_guard lock(m_provider.componentMutex());
    m_nWidth = width;
    m_nHeight = height;
    // The control stands for the host's window: without it there is nothing to draw in.
    if (!m_chartCtrl.Create(m_provider))
        return 0;
    // The control stays until DestroyWindow, as the window would.
    m_dataLib = m_provider.CreateDataLibrary();
    if (!m_dataLib)
        return 0;
    m_chartCtrl.MoveWindow(m_nWidth, m_nHeight);
    m_chartCtrl.UpdateWindow();
    return 1;
}

void ChartHost::RenderItem(const CatalogItem& item)
{
    m_lastFacts = ItemFacts{};
    m_lastOrigin = ItemOrigin{};
    m_itemSettings.reset();
    if (!m_dataLib)
        return;
    // Never cached: a settings change shows in the next item. Read before the data, so the
    // library reads only the bars these charts need.
    const SettingsStore& settings = m_itemSettings.emplace(m_strIniFile);
    const std::string params = WithPeriod(EffectiveCommonParams(settings), m_period);
    const std::vector<std::string> definitions = m_definitions
        ? *m_definitions
        : EffectiveChartDefinitions(settings, SettingsKeys::kMaxDrawnCharts);
    const quorex::DataRequest request = m_chartCtrl.DataNeeded(params, definitions);

    const std::int64_t readStart = NowNs();
    quorex::DataResult loaded =
        m_dataLib->LoadData(item.m_strSource, item.m_strCode, item.m_nType, request);
    m_lastOrigin.path = loaded.origin;
    // With no file named, the source itself: a folder that gains the file, or a missing
    // file that appears, shows as a change; one still missing does not.
    m_lastOrigin.stamp = StampOf(loaded.origin.empty() ? item.m_strSource : loaded.origin);
    m_lastOrigin.settled = IsSettledRead(loaded.unsettled, m_lastOrigin.stamp, readStart);
    quorex::PriceDataPtr data = std::move(loaded.data);
    m_lastFacts = FactsOf(data ? data->Bars() : std::span<const quorex::PriceBar>());
    m_lastFacts.problem = data ? quorex::DataProblem::None : loaded.problem;
    m_lastFacts.unsettled = loaded.unsettled;

    std::unique_ptr<quorex::ICharts> charts = m_chartCtrl.GetCharts();
    if (charts)
        charts->Clear();
    if (data && charts) {
        m_chartCtrl.SetData(data);
        // RS panes compare against other codes of the same source, read as far back.
        for (const std::string& code : m_chartCtrl.RelatedCodes(definitions)) {
            m_chartCtrl.SetRelatedData(
                code, m_dataLib->LoadData(item.m_strSource, code, item.m_nType, request).data);
        }
        charts->SetParam(params);
        for (const std::string& definition : definitions) {
            // Each chart is released before the next definition is added.
            if (std::unique_ptr<quorex::IChart> chart = charts->Add(definition))
                chart->Refresh();
        }
    }
    // Why there is nothing to draw, in the plot area; nothing once there is data again.
    m_chartCtrl.SetNotice(data ? std::string()
                               : DataProblemText(m_lastFacts.problem).toStdString());
    data.reset();
    m_chartCtrl.UpdateWindow();
    charts.reset();
}

void ChartHost::CaptureItem(QPainter& target, int x, int y, const CatalogItem& item)
{
    target.save();
    CopyPicture(target, x, y);
    target.restore();
    DrawLabel(target, x, y, item);
}

void ChartHost::CaptureItem(QImage& thumbnail, const CatalogItem& item)
{
    // The picture is exactly what a copy would give; a copy costs a pass over every pixel.
    if (thumbnail.size() == QSize(m_nWidth, m_nHeight) && m_chartCtrl.SwapPicture(thumbnail)) {
        QPainter painter(&thumbnail);
        DrawLabel(painter, 0, 0, item);
        return;
    }
    QPainter painter(&thumbnail);
    CaptureItem(painter, 0, 0, item);
}

void ChartHost::RecordItem(QPicture& picture, const CatalogItem& item)
{
    picture = QPicture();
    const QRect area(0, 0, m_nWidth, m_nHeight);
    {
        QPainter painter(&picture);
        painter.setClipRect(area);
        painter.save();
        if (!m_chartCtrl.PaintOnto(painter, area))
            CopyPicture(painter, 0, 0);
        painter.restore();
        DrawLabel(painter, 0, 0, item);
    }
    // Reading the bounds checks the recording once, here, and not on every replay.
    picture.boundingRect();
    // The cell's bounds, so a replay scales the whole cell and not what was drawn in it.
    picture.setBoundingRect(area);
}

void ChartHost::DrawLabel(QPainter& target, int x, int y, const CatalogItem& item) const
{
    target.save();
    std::optional<SettingsStore> fresh;
    const SettingsStore& settings = m_itemSettings ? *m_itemSettings : fresh.emplace(m_strIniFile);
    LabelStyle style = ReadLabelStyle(settings);
    const std::optional<ColorRef> heat =
        ReadHeat(settings) ? HeatColorOf(m_lastFacts, style.backColor) : std::nullopt;
    const ColorRef heatColor = heat.value_or(style.backColor);
    if (heat && !style.transparent)
        style.backColor = heatColor;
    // The right of the line stays free for the date badge of a stale series.
    const int width = LabelWidthBesideBadge(m_nWidth, ReadStaleDays(settings));
    int advance = -1;
    LabelShaper shaper(target.device());
    const LabelRuns label =
        FitLabel(DisplayText(ReadLabelTemplate(settings)), DisplayText(item.m_strName),
                 DisplayText(item.m_strCode), m_lastFacts, shaper.metrics(), width, &advance,
                 &shaper);
    const QRect painted =
        PaintLabel(target, QPoint(x, y), width, label, style, advance, &shaper);
    // Without a background the heat shows as a frame round the label, clear of its text
    // on the right and below.
    if (heat && style.transparent && !painted.isEmpty())
        PaintHeatFrame(target, painted.adjusted(0, 0, kHeatFrameWidth + 1, kHeatFrameWidth),
                       heatColor);
    target.restore();
}

void ChartHost::CopyPicture(QPainter& target, int x, int y) const
{
    if (m_nWidth <= 0 || m_nHeight <= 0)
        return;
    const QRect area(0, 0, m_nWidth, m_nHeight);
    // A plain copy: the picture's pixels replace the target's, alpha included.
    target.setCompositionMode(QPainter::CompositionMode_Source);
    const QImage& picture = m_chartCtrl.Picture();
    const QRect available = area.intersected(picture.rect());
    // What the control did not paint reads as a fresh bitmap would: black.
    if (available != area)
        target.fillRect(area.translated(x, y), Qt::black);
    if (!available.isEmpty())
        target.drawImage(QPoint(x, y), picture, available);
    target.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

int ChartHost::DestroyWindow()
{
    const std::lock_guard lock(m_provider.componentMutex());
    m_dataLib.reset();
    return m_chartCtrl.DestroyWindow() ? 1 : 0;
}

} // namespace mosgrid
