#include "view/GridScrollBar.h"

#include <QScrollBar>

#include <algorithm>

namespace mosgrid {

GridScrollBar::GridScrollBar(QScrollBar* bar)
    : m_bar(bar)
{
    m_bar->setRange(0, 0);
    // The bar's own wheel handling moves by single steps: thumbnails, as it always has.
    m_bar->setSingleStep(1);
}

void GridScrollBar::SetRange(int count, int columns)
{
    m_nLast = std::max(count - 1, 0);
    // A row never holds more than there are thumbnails (and at least one position).
    m_nRow = std::clamp(columns, 1, m_nLast + 1);
    m_bar->setPageStep(m_nRow);
    m_bar->setRange(0, m_nLast + 1 - m_nRow);
}

std::optional<int> GridScrollBar::TopFor(int action) const
{
    const int position = m_bar->value();
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
    case QAbstractSlider::SliderPageStepSub:
        return std::max(position - m_nRow, 0);
    case QAbstractSlider::SliderSingleStepAdd:
    case QAbstractSlider::SliderPageStepAdd:
        return std::min(position + m_nRow, m_nLast);
    case QAbstractSlider::SliderToMinimum:
        return 0;
    case QAbstractSlider::SliderToMaximum:
        return m_nLast;
    case QAbstractSlider::SliderMove:
        return m_bar->sliderPosition();
    default:
        return std::nullopt;
    }
}

int GridScrollBar::Position() const
{
    return m_bar->value();
}

void GridScrollBar::SetPosition(int position)
{
    m_bar->setValue(position);  // clamped to the bar's range
}

bool GridScrollBar::CanScroll() const
{
    return m_bar->maximum() > m_bar->minimum();
}

} // namespace mosgrid
