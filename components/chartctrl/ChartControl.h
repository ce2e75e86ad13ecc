#pragma once

#include "ChartModel.h"
#include "QuorexComponents.h"
#include "ShownBars.h"

#include <QImage>
#include <QSize>

namespace quorex::chart {

// The chart control with its window off screen: Update paints the picture that a window
// of the set size would show.
class ChartControl : public IChartControl {
public:
    ChartControl();

    std::unique_ptr<ICharts> GetCharts() override;
    bool SetData(PriceDataPtr data) override;
    void SetSize(int width, int height) override;
    void Update() override;
    const QImage& Picture() const override;
    bool SwapPicture(QImage& buffer) override;
    std::size_t DailyBarsNeeded(const std::string& parameters,
                                std::span<const std::string> definitions) const override;
    DataRequest DataNeeded(const std::string& parameters,
                           std::span<const std::string> definitions) const override;
    void SetNotice(const std::string& text) override;
    std::string CheckDefinition(const std::string& definition) const override;
    std::optional<PriceBar> BarAt(int x, int y) const override;
    std::vector<IndicatorValue> ValuesAt(int x, int y) const override;
    std::vector<IndicatorValue> NewestValues() const override;
    bool PaintOnto(QPainter& painter, const QRect& bounds) const override;
    std::vector<std::string> RelatedCodes(
        std::span<const std::string> definitions) const override;
    void SetRelatedData(const std::string& code, PriceDataPtr data) override;

    // Sizes beyond this are held to it, so a picture stays allocatable; the catalog's own
    // thumbnail sizes end there too.
    static constexpr int kMaxExtent = 4096;
    // The control's size before it is first sized: its place in the host's template.
    static constexpr QSize kInitialSize{78, 62};

private:
    // The definitions among texts that parse (each text parsed once, then cached).
    std::vector<ChartDefinition> Definitions(std::span<const std::string> texts) const;

    ChartModel m_model;
    QSize m_size;
    QImage m_picture;
    // The bars of the last picture and their columns, for BarAt.
    std::vector<ShownPane> m_shown;
};

} // namespace quorex::chart
