// Declares the data library's name and interface in its metadata but implements the chart
// control's factory: the loader must refuse it after loading.
#include "QuorexComponents.h"

#include <QObject>

class WrongInterfacePlugin : public QObject, public quorex::IChartControlFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QUOREX_DATA_LIBRARY_IID FILE "wronginterface.json")
    Q_INTERFACES(quorex::IChartControlFactory)
public:
    std::unique_ptr<quorex::IChartControl> CreateChartControl() override { return nullptr; }
};

#include "WrongInterfacePlugin.moc"
