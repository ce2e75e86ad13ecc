// A chart control plugin for the loader tests: white when it has nothing to draw, green
// once it has data and at least one chart.
#include "QuorexComponents.h"

#include <QObject>

namespace {

struct State {
    quorex::PriceDataPtr data;
    int charts = 0;
};

class Chart : public quorex::IChart {
public:
    void Refresh() override {}
};

class Charts : public quorex::ICharts {
public:
    explicit Charts(State& state)
        : m_state(state)
    {
    }
    std::unique_ptr<quorex::IChart> Add(const std::string& definition) override
    {
        if (definition.empty())
            return nullptr;
        ++m_state.charts;
        return std::make_unique<Chart>();
    }
    void SetParam(const std::string&) override {}
    void Clear() override { m_state.charts = 0; }

private:
    State& m_state;
};

class Control : public quorex::IChartControl {
public:
    std::unique_ptr<quorex::ICharts> GetCharts() override
    {
        return std::make_unique<Charts>(m_state);
    }
    bool SetData(quorex::PriceDataPtr data) override
    {
        m_state.data = std::move(data);
        return true;
    }
    void SetSize(int width, int height) override { m_size = QSize(width, height); }
    void Update() override
    {
        m_picture = QImage(m_size, QImage::Format_RGB32);
        m_picture.fill(m_state.data && m_state.charts > 0 ? Qt::green : Qt::white);
    }
    const QImage& Picture() const override { return m_picture; }

private:
    State m_state;
    QSize m_size;
    QImage m_picture;
};

} // namespace

class TestChartControlPlugin : public QObject, public quorex::IChartControlFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QUOREX_CHART_CONTROL_IID FILE "testchartctrl.json")
    Q_INTERFACES(quorex::IChartControlFactory)
public:
    std::unique_ptr<quorex::IChartControl> CreateChartControl() override
    {
        return std::make_unique<Control>();
    }
};

#include "TestChartControlPlugin.moc"
