#pragma once

#include "QuorexComponents.h"

#include <QObject>

namespace quorex::chart {

// The plugin's entry: creates chart controls. Its metadata names it "Quorex.XQuorexCtrl".
class ChartControlPlugin : public QObject, public IChartControlFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QUOREX_CHART_CONTROL_IID FILE "xquorexctrl.json")
    Q_INTERFACES(quorex::IChartControlFactory)

public:
    std::unique_ptr<IChartControl> CreateChartControl() override;
};

} // namespace quorex::chart
