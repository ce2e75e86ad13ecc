#include "FakeComponents.h"

#include "thumbnails/ThumbnailStore.h"

namespace {

class FakeData : public quorex::IPriceData {
public:
    std::span<const quorex::PriceBar> Bars() const override { return {&m_bar, 1}; }

private:
    quorex::PriceBar m_bar{20240105, 100, 110, 90, 105, 1000};
};

class FakeLibrary : public quorex::IDataLibrary {
public:
    FakeLibrary(FakeCounters& counters, std::function<void(const std::string&)> onLoad)
        : m_counters(counters)
        , m_onLoad(std::move(onLoad))
    {
        ++m_counters.librariesCreated;
        ++m_counters.librariesAlive;
    }
    ~FakeLibrary() override { --m_counters.librariesAlive; }

    quorex::PriceDataPtr LoadData(const std::string&, const std::string& code,
                                  std::int32_t) override
    {
        {
            const std::lock_guard lock(m_counters.codesMutex);
            m_counters.loadedCodes.push_back(code);
        }
        if (m_onLoad)
            m_onLoad(code);
        if (code == kNoDataCode)
            return nullptr;
        return std::make_shared<FakeData>();
    }

private:
    FakeCounters& m_counters;
    std::function<void(const std::string&)> m_onLoad;
};

class FakeChart : public quorex::IChart {
public:
    void Refresh() override {}
};

class FakeCharts : public quorex::ICharts {
public:
    std::unique_ptr<quorex::IChart> Add(const std::string&) override
    {
        return std::make_unique<FakeChart>();
    }
    void SetParam(const std::string&) override {}
    void Clear() override {}
};

} // namespace

void FillStore(ThumbnailStore& store, QSize size, const std::vector<QImage>& images)
{
    store.Reset(static_cast<int>(images.size()), size, kFilledGeneration);
    for (std::size_t i = 0; i < images.size(); ++i)
        store.Put(kFilledGeneration, static_cast<int>(i), images[i], ItemFacts{});
}

namespace {

class FakeControl : public quorex::IChartControl {
public:
    explicit FakeControl(FakeCounters& counters)
        : m_counters(counters)
    {
        ++m_counters.controlsCreated;
        ++m_counters.controlsAlive;
    }
    ~FakeControl() override { --m_counters.controlsAlive; }

    std::unique_ptr<quorex::ICharts> GetCharts() override { return std::make_unique<FakeCharts>(); }
    bool SetData(quorex::PriceDataPtr data) override
    {
        m_data = std::move(data);
        return true;
    }
    void SetSize(int width, int height) override
    {
        m_picture = QImage(width, height, QImage::Format_RGB32);
    }
    void Update() override { m_picture.fill(m_data ? kWithData : kWithoutData); }
    const QImage& Picture() const override { return m_picture; }

private:
    FakeCounters& m_counters;
    quorex::PriceDataPtr m_data;
    QImage m_picture;
};

} // namespace

std::unique_ptr<quorex::IDataLibrary> FakeProvider::CreateDataLibrary()
{
    if (!dataLibraryAvailable)
        return nullptr;
    return std::make_unique<FakeLibrary>(counters, onLoad);
}

std::unique_ptr<quorex::IChartControl> FakeProvider::CreateChartControl()
{
    return std::make_unique<FakeControl>(counters);
}
