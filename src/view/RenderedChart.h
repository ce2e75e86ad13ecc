#pragma once

#include "catalog/CatalogItem.h"
#include "chart/ItemFacts.h"
#include "settings/ViewChoices.h"

#include <QImage>
#include <QPoint>
#include <QSize>

#include <memory>
#include <optional>
#include <string>

namespace mosgrid {

class ChartHost;
class IComponentProvider;

// One chart drawn fresh for the enlarged preview or the chart window.
struct ChartRequest {
    CatalogItem item;                       // a copy: the list may be reloaded meanwhile
    QSize size;
    std::string iniFile;
    PeriodChoice period = PeriodChoice::Definitions;
    IComponentProvider* provider = nullptr; // outlives the request and the chart
};

// The picture with its label, and the chart host that drew it, kept so the bar under a point
// can be asked. Made on a worker thread, then only read on the user-interface thread.
class RenderedChart {
public:
    // Any thread: its own chart host, the same definitions and period as the thumbnails.
    static std::shared_ptr<const RenderedChart> Render(const ChartRequest& request);
    ~RenderedChart();
    RenderedChart(const RenderedChart&) = delete;
    RenderedChart& operator=(const RenderedChart&) = delete;

    const QImage& image() const { return m_image; }
    const ItemFacts& facts() const { return m_facts; }
    std::optional<quorex::PriceBar> BarAt(QPoint point) const;
    std::vector<quorex::IndicatorValue> ValuesAt(QPoint point) const;

private:
    RenderedChart() = default;

    QImage m_image;
    ItemFacts m_facts;
    std::unique_ptr<ChartHost> m_host;
};

} // namespace mosgrid
