#include "FakeComponents.h"

#include "thumbnails/ThumbnailStore.h"

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace mosgrid;

QColor PriceColour(double close)
{
    if (close == kFakeClose)
        return kWithData;
    const int value = static_cast<int>(close);
    return QColor(value % 256, (value * 7) % 256, 200);
}

namespace {

class FakeData : public quorex::IPriceData {
public:
    explicit FakeData(double close = kFakeClose)
        : m_bar{20240105, 100, 110, 90, close, 1000}
    {
    }
    std::span<const quorex::PriceBar> Bars() const override { return {&m_bar, 1}; }

private:
    quorex::PriceBar m_bar;
};

// The price file of readPriceFiles: the close of the last whole line.
quorex::DataResult ReadPriceFile(const std::string& source, const std::string& code)
{
    quorex::DataResult result;
    std::error_code error;
    const std::filesystem::path path = std::filesystem::absolute(source + "/" + code + ".csv",
                                                                 error);
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        result.problem = quorex::DataProblem::FileMissing;
        return result;
    }
    result.origin = path.string();
    std::stringstream bytes;
    bytes << in.rdbuf();
    std::string text = bytes.str();
    if (!text.empty() && text.back() != '\n') {
        result.unsettled = true;
        text.erase(text.rfind('\n') == std::string::npos ? 0 : text.rfind('\n') + 1);
    }
    std::istringstream lines(text);
    std::string line;
    double close = 0;
    bool any = false;
    while (std::getline(lines, line)) {
        if (!line.empty()) {
            close = std::stod(line);
            any = true;
        }
    }
    if (!any) {
        result.problem = quorex::DataProblem::NoRows;
        return result;
    }
    result.data = std::make_shared<FakeData>(close);
    return result;
}

class FakeLibrary : public quorex::IDataLibrary {
public:
    FakeLibrary(FakeCounters& counters, std::function<void(const std::string&)> onLoad,
                bool readPriceFiles)
        : m_counters(counters)
        , m_onLoad(std::move(onLoad))
        , m_readPriceFiles(readPriceFiles)
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

    quorex::DataResult LoadData(const std::string& source, const std::string& code,
                                std::int32_t type, const quorex::DataRequest& request) override
    {
        if (!m_readPriceFiles)
            return IDataLibrary::LoadData(source, code, type, request);
        {
            const std::lock_guard lock(m_counters.codesMutex);
            m_counters.loadedCodes.push_back(code);
        }
        if (m_onLoad)
            m_onLoad(code);
        return ReadPriceFile(source, code);
    }

private:
    FakeCounters& m_counters;
    std::function<void(const std::string&)> m_onLoad;
    bool m_readPriceFiles = false;
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
    void Update() override
    {
        m_picture.fill(m_data ? PriceColour(m_data->Bars().back().close) : kWithoutData);
    }
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
    return std::make_unique<FakeLibrary>(counters, onLoad, readPriceFiles);
}

std::unique_ptr<quorex::IChartControl> FakeProvider::CreateChartControl()
{
    return std::make_unique<FakeControl>(counters);
}
