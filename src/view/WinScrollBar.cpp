#include "view/WinScrollBar.h"

#include <QScrollBar>

#include <algorithm>

WinScrollBar::WinScrollBar(QScrollBar* bar)
    : m_bar(bar)
{
    m_bar->setRange(0, 0);
    m_bar->setSingleStep(1);
}

void WinScrollBar::SetRangeAndPage(int nMin, int nMax, int nPage)
{
    m_nMin = nMin;
    m_nMax = std::max(nMin, nMax);
    // The page never exceeds the number of positions in the range.
    const long long span = static_cast<long long>(m_nMax) - m_nMin + 1;
    m_nPage = static_cast<int>(std::clamp<long long>(nPage, 0, span));
    const int lastThumbPosition = m_nMax - std::max(m_nPage, 1) + 1;
    m_bar->setPageStep(std::max(m_nPage, 1));
    m_bar->setRange(m_nMin, std::max(m_nMin, lastThumbPosition));
}

ScrollInfo WinScrollBar::GetScrollInfo() const
{
    return {m_nMin, m_nMax, m_nPage, m_bar->value()};
}

void WinScrollBar::SetScrollPos(int nPos)
{
    m_bar->setValue(nPos);  // Qt clamps to the thumb's positions, as Windows does
}

bool WinScrollBar::CanScroll() const
{
    return m_bar->maximum() > m_bar->minimum();
}

std::optional<int> ScrollTarget(int code, const ScrollInfo& info, int trackPosition)
{
    // Line and page steps both move by the page, one row of thumbnails. The steps down stop at
    // the last item, not at the last full page.
    switch (code) {
    case SB_LINEUP:
    case SB_PAGEUP:
        return std::max(info.nPos - info.nPage, info.nMin);
    case SB_LINEDOWN:
    case SB_PAGEDOWN:
        return std::min(info.nPos + info.nPage, info.nMax);
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        return trackPosition;
    case SB_TOP:
        return info.nMin;
    case SB_BOTTOM:
        return info.nMax;
    default:
        return std::nullopt;
    }
}
