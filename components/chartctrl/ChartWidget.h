#pragma once

#include "ChartModel.h"

#include <QWidget>

namespace quorex::chart {

// The chart control as an ordinary widget, painting through the same renderer as the
// off-screen control.
class ChartWidget : public QWidget {
    Q_OBJECT

public:
    explicit ChartWidget(QWidget* parent = nullptr);

    std::unique_ptr<ICharts> GetCharts() const { return m_model.Charts(); }
    bool SetData(PriceDataPtr data);
    void SetNotice(const std::string& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ChartModel m_model;
};

} // namespace quorex::chart
