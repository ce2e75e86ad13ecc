// The chart control as the catalog drives it, on any parameters, definitions, size and
// bars (any doubles: zero, denormal, huge, infinite, NaN), dates ascending as the data
// library gives them. Properties: it ends, and the picture has exactly the size asked for
// (held to the control's limit).
#include "FuzzSupport.h"

#include "ChartControl.h"

#include <QDate>

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

class FuzzPrices : public quorex::IPriceData {
public:
    explicit FuzzPrices(std::vector<quorex::PriceBar> bars) : m_bars(std::move(bars)) {}
    std::span<const quorex::PriceBar> Bars() const override { return m_bars; }

private:
    std::vector<quorex::PriceBar> m_bars;
};

// Small pictures keep a run fast; the control's own limit is tested by its unit tests.
constexpr int kMaxSide = 400;
constexpr int kMaxBars = 600;

double Value(FuzzedDataProvider& input)
{
    // Half plain prices, half any bit pattern.
    if (input.ConsumeBool())
        return input.ConsumeFloatingPointInRange<double>(0, 100000);
    return input.ConsumeFloatingPoint<double>();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/)
{
    fuzz::EnsureGuiApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const int width = input.ConsumeIntegralInRange(-2, kMaxSide);
    const int height = input.ConsumeIntegralInRange(-2, kMaxSide);
    const std::string params = input.ConsumeRandomLengthString(128);
    std::vector<std::string> definitions(input.ConsumeIntegralInRange(0, 4));
    for (std::string& definition : definitions)
        definition = input.ConsumeRandomLengthString(64);

    std::vector<quorex::PriceBar> bars(input.ConsumeIntegralInRange(0, kMaxBars));
    QDate day(2020, 1, 1);
    for (quorex::PriceBar& bar : bars) {
        day = day.addDays(input.ConsumeIntegralInRange(1, 40));
        bar.date = day.year() * 10000 + day.month() * 100 + day.day();
        bar.open = Value(input);
        bar.high = Value(input);
        bar.low = Value(input);
        bar.close = Value(input);
        bar.volume = Value(input);
    }

    quorex::chart::ChartControl control;
    control.SetSize(width, height);
    if (!bars.empty())
        control.SetData(std::make_shared<FuzzPrices>(std::move(bars)));
    const std::unique_ptr<quorex::ICharts> charts = control.GetCharts();
    fuzz::Check(charts != nullptr, "the control has its collection");
    charts->SetParam(params);
    for (const std::string& definition : definitions) {
        (void)control.CheckDefinition(definition);
        (void)charts->Add(definition);
    }
    (void)control.DailyBarsNeeded(params, definitions);
    (void)control.DataNeeded(params, definitions);
    control.Update();
    const QImage& picture = control.Picture();
    const int maxSide = quorex::chart::ChartControl::kMaxExtent;
    const QSize asked(std::clamp(width, 0, maxSide), std::clamp(height, 0, maxSide));
    // An empty size has no picture at all.
    fuzz::Check(asked.isEmpty() ? picture.isNull() : picture.size() == asked,
                "the picture has the size asked for");
    return 0;
}
