#include "view/ChartFrame.h"

#include "chart/IComponentProvider.h"

#include <algorithm>
#include <mutex>
#include <span>

namespace mosgrid {

namespace {

// The oldest bars of a series, sharing its memory.
class SeriesHead : public quorex::IPriceData {
public:
    SeriesHead(quorex::PriceDataPtr whole, std::size_t count)
        : m_whole(std::move(whole)), m_count(count)
    {
    }
    std::span<const quorex::PriceBar> Bars() const override
    {
        return m_whole->Bars().first(m_count);
    }

private:
    quorex::PriceDataPtr m_whole;
    std::size_t m_count;
};

quorex::PriceDataPtr HeadOf(const quorex::PriceDataPtr& whole, int count)
{
    if (!whole || count <= 0)
        return nullptr;
    const std::size_t bars = whole->Bars().size();
    if (std::size_t(count) >= bars)
        return whole;
    return std::make_shared<SeriesHead>(whole, std::size_t(count));
}

} // namespace

std::shared_ptr<const ChartFrame> ChartFrame::Render(const FrameRequest& request)
{
    std::shared_ptr<ChartFrame> frame(new ChartFrame);
    if (request.provider == nullptr || request.size.isEmpty())
        return frame;
    frame->m_provider = request.provider;
    {
        const std::lock_guard lock(request.provider->componentMutex());
        if (!frame->m_control.Create(*request.provider))
            return frame;
    }
    CXQuorexCtrl& control = frame->m_control;
    control.MoveWindow(request.size.width(), request.size.height());
    const quorex::PriceDataPtr data = HeadOf(request.series, request.dailyBars);
    std::unique_ptr<quorex::ICharts> charts = control.GetCharts();
    if (charts)
        charts->Clear();
    if (data && charts) {
        control.SetData(data);
        charts->SetParam(request.params);
        for (const std::string& definition : request.definitions) {
            if (std::unique_ptr<quorex::IChart> chart = charts->Add(definition))
                chart->Refresh();
        }
    }
    control.SetNotice(data ? std::string() : request.notice);
    control.UpdateWindow();
    charts.reset();
    // Shared, not copied: the frame's control never paints again.
    frame->m_image = control.Picture();
    return frame;
}

ChartFrame::~ChartFrame()
{
    if (m_provider == nullptr)
        return;
    const std::lock_guard lock(m_provider->componentMutex());
    m_control.DestroyWindow();
}

std::optional<quorex::PriceBar> ChartFrame::BarAt(QPoint point) const
{
    if (!m_image.rect().contains(point))
        return std::nullopt;
    return m_control.BarAt(point.x(), point.y());
}

std::vector<quorex::IndicatorValue> ChartFrame::ValuesAt(QPoint point) const
{
    if (!m_image.rect().contains(point))
        return {};
    return m_control.ValuesAt(point.x(), point.y());
}

bool ChartFrame::PaintOnto(QPainter& painter, const QRect& bounds) const
{
    return m_control.PaintOnto(painter, bounds);
}

} // namespace mosgrid
