#pragma once

#include "QuorexComponents.h"

#include <QImage>

#include <memory>

namespace mosgrid {

class IComponentProvider;

// The program's wrapper around the chart control: its two methods, and stand-ins for the
// control's window (size, immediate repaint, pixels). The control draws off screen.
class CXQuorexCtrl {
public:
    CXQuorexCtrl() = default;
    ~CXQuorexCtrl();
    CXQuorexCtrl(const CXQuorexCtrl&) = delete;
    CXQuorexCtrl& operator=(const CXQuorexCtrl&) = delete;

    // Creates the control; false when the provider has none. A control already held is
    // released first.
    bool Create(IComponentProvider& provider);
    bool IsCreated() const { return m_pControl != nullptr; }
    // Releases the control; false when there was none.
    bool DestroyWindow();

    // The control's Charts collection, or null (also when there is no control).
    std::unique_ptr<quorex::ICharts> GetCharts();
    bool SetData(quorex::PriceDataPtr data);

    // What to ask of the data library for these charts (all zero: every bar); the notice
    // shown instead of charts.
    quorex::DataRequest DataNeeded(const std::string& parameters,
                                   std::span<const std::string> definitions) const;
    void SetNotice(const std::string& text);
    // The codes RS panes compare against, and the series of each (null: none).
    std::vector<std::string> RelatedCodes(std::span<const std::string> definitions) const;
    void SetRelatedData(const std::string& code, quorex::PriceDataPtr data);

    void MoveWindow(int width, int height);
    void UpdateWindow();
    // The pixels of the last repaint; empty when there is no control.
    const QImage& Picture() const;
    // The last repaint exchanged with buffer (same size and format); false when not.
    bool SwapPicture(QImage& buffer);
    // The bar drawn under a point of the picture, or nothing.
    std::optional<quorex::PriceBar> BarAt(int x, int y) const;
    // The indicators' values at that bar's date, or none.
    std::vector<quorex::IndicatorValue> ValuesAt(int x, int y) const;
    // Every indicator line's value at the newest bar of the last repaint, or none.
    std::vector<quorex::IndicatorValue> NewestValues() const;
    // The last repaint drawn again into bounds of any painter, as vectors on a PDF or a
    // printer; false when there is no control or it cannot.
    bool PaintOnto(QPainter& painter, const QRect& bounds) const;

private:
    std::unique_ptr<quorex::IChartControl> m_pControl;
};

} // namespace mosgrid
