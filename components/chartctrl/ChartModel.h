#pragma once

#include "ChartRenderer.h"
#include "ChartSet.h"
#include "QuorexComponents.h"

#include <QString>

#include <memory>
#include <string>
#include <vector>

namespace quorex::chart {

// What a chart control shows: its data object and its chart collection. Shared by the
// off-screen control and the widget form.
class ChartModel {
public:
    ChartModel() : m_set(std::make_shared<ChartSet>()) {}

    // A new handle on the collection, for the caller to release.
    std::unique_ptr<ICharts> Charts() const;
    // Keeps its own reference; null means no data.
    bool SetData(PriceDataPtr data);
    // The series of another code that an RS pane compares against; null forgets it.
    void SetRelatedData(const std::string& code, PriceDataPtr data);
    // UTF-8; empty for none.
    void SetNotice(const std::string& text) { m_notice = QString::fromUtf8(text); }

    // The scene as it stands; `charts` holds the shown definitions the scene points to.
    ChartScene Scene(std::vector<ChartDefinition>& charts) const;

private:
    std::shared_ptr<ChartSet> m_set;
    PriceDataPtr m_data;
    RelatedSeries m_related;
    QString m_notice;
};

} // namespace quorex::chart
