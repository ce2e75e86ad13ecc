#include "FakeComponents.h"

#include <QImage>

#include <memory>

namespace {

// Counts itself live from construction to destruction and logs its release.
class Tracked {
public:
    Tracked(FakeLog& log, std::string releaseName)
        : m_log(log)
        , m_releaseName(std::move(releaseName))
    {
        ++m_log.live;
    }
    virtual ~Tracked()
    {
        m_log.calls.push_back("~" + m_releaseName);
        --m_log.live;
    }
    Tracked(const Tracked&) = delete;
    Tracked& operator=(const Tracked&) = delete;

protected:
    FakeLog& m_log;

private:
    std::string m_releaseName;
};

class FakeData : public quorex::IPriceData, Tracked {
public:
    FakeData(FakeLog& log, std::vector<quorex::PriceBar> bars)
        : Tracked(log, "Data")
        , m_bars(std::move(bars))
    {
    }
    std::span<const quorex::PriceBar> Bars() const override { return m_bars; }

private:
    std::vector<quorex::PriceBar> m_bars;
};

class FakeDataLibrary : public quorex::IDataLibrary, Tracked {
public:
    FakeDataLibrary(FakeLog& log, const FakeBehaviour& behaviour)
        : Tracked(log, "DataLibrary")
        , m_behaviour(behaviour)
    {
    }
    quorex::PriceDataPtr LoadData(const std::string& source, const std::string& code,
                                  std::int32_t type) override
    {
        m_log.calls.push_back("LoadData(" + source + "|" + code + "|" + std::to_string(type)
                              + ")");
        if (m_behaviour.noData)
            return nullptr;
        return std::make_shared<FakeData>(m_log, m_behaviour.bars);
    }
    quorex::DataResult LoadData(const std::string& source, const std::string& code,
                                std::int32_t type, const quorex::DataRequest&) override
    {
        quorex::DataResult result;
        result.data = LoadData(source, code, type);
        if (!result.data)
            result.problem = m_behaviour.problem;
        return result;
    }

private:
    const FakeBehaviour& m_behaviour;
};

class FakeChart : public quorex::IChart, Tracked {
public:
    FakeChart(FakeLog& log, std::string definition)
        : Tracked(log, "Chart(" + definition + ")")
        , m_definition(std::move(definition))
    {
    }
    void Refresh() override { m_log.calls.push_back("Refresh(" + m_definition + ")"); }

private:
    std::string m_definition;
};

class FakeCharts : public quorex::ICharts, Tracked {
public:
    FakeCharts(FakeLog& log, const FakeBehaviour& behaviour)
        : Tracked(log, "Charts")
        , m_behaviour(behaviour)
    {
    }
    std::unique_ptr<quorex::IChart> Add(const std::string& definition) override
    {
        m_log.calls.push_back("Add(" + definition + ")");
        if (m_behaviour.rejectedDefinitions.count(definition) != 0)
            return nullptr;
        return std::make_unique<FakeChart>(m_log, definition);
    }
    void SetParam(const std::string& parameters) override
    {
        m_log.calls.push_back("SetParam(" + parameters + ")");
    }
    void Clear() override { m_log.calls.push_back("Clear"); }

private:
    const FakeBehaviour& m_behaviour;
};

class FakeControl : public quorex::IChartControl, Tracked {
public:
    FakeControl(FakeLog& log, const FakeBehaviour& behaviour)
        : Tracked(log, "Control")
        , m_behaviour(behaviour)
    {
    }
    std::unique_ptr<quorex::ICharts> GetCharts() override
    {
        m_log.calls.push_back("GetCharts");
        if (m_behaviour.noCharts)
            return nullptr;
        return std::make_unique<FakeCharts>(m_log, m_behaviour);
    }
    bool SetData(quorex::PriceDataPtr data) override
    {
        // Not kept, so the test sees when the host lets go of its own reference.
        m_log.calls.push_back(data ? "SetData" : "SetData(null)");
        return true;
    }
    void SetSize(int width, int height) override
    {
        m_log.calls.push_back("SetSize(" + std::to_string(width) + "," + std::to_string(height)
                              + ")");
        m_size = QSize(width, height);
    }
    void Update() override
    {
        m_log.calls.push_back("Update");
        if (m_behaviour.onUpdate)
            m_behaviour.onUpdate();
        const QSize size = m_behaviour.forcedPictureSize.isValid()
            ? m_behaviour.forcedPictureSize
            : m_size;
        m_picture = QImage(size, QImage::Format_RGB32);
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x)
                m_picture.setPixel(x, y, FakePicturePixel(x, y));
        }
    }
    const QImage& Picture() const override { return m_picture; }
    void SetNotice(const std::string& text) override { m_log.notices.push_back(text); }
    std::string CheckDefinition(const std::string& definition) const override
    {
        const auto found = m_behaviour.definitionProblems.find(definition);
        return found == m_behaviour.definitionProblems.end() ? std::string() : found->second;
    }

private:
    const FakeBehaviour& m_behaviour;
    QSize m_size;
    QImage m_picture;
};

} // namespace

QRgb FakePicturePixel(int x, int y)
{
    return qRgb(x % 256, y % 256, 200);
}

std::unique_ptr<quorex::IDataLibrary> FakeComponentProvider::CreateDataLibrary()
{
    log.calls.push_back("CreateDataLibrary");
    if (behaviour.noDataLibrary)
        return nullptr;
    return std::make_unique<FakeDataLibrary>(log, behaviour);
}

std::unique_ptr<quorex::IChartControl> FakeComponentProvider::CreateChartControl()
{
    log.calls.push_back("CreateChartControl");
    if (behaviour.noControl)
        return nullptr;
    return std::make_unique<FakeControl>(log, behaviour);
}

std::vector<std::string> FakeComponentProvider::TakeCalls()
{
    std::vector<std::string> taken;
    taken.swap(log.calls);
    return taken;
}
