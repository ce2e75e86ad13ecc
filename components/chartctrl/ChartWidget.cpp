#include "ChartWidget.h"

#include <QPainter>

namespace quorex::chart {

ChartWidget::ChartWidget(QWidget* parent) : QWidget(parent)
{
    // The renderer fills every pixel.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool ChartWidget::SetData(PriceDataPtr data)
{
    const bool result = m_model.SetData(std::move(data));
    update();
    return result;
}

void ChartWidget::SetNotice(const std::string& text)
{
    m_model.SetNotice(text);
    update();
}

void ChartWidget::paintEvent(QPaintEvent*)
{
    std::vector<ChartDefinition> charts;
    const ChartScene scene = m_model.Scene(charts);
    QPainter painter(this);
    RenderChart(painter, rect(), scene);
}

} // namespace quorex::chart
