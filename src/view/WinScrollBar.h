#pragma once

#include <optional>

class QScrollBar;

// The Windows scroll codes the view's handler takes.
enum ScrollCode {
    SB_LINEUP = 0,
    SB_LINEDOWN = 1,
    SB_PAGEUP = 2,
    SB_PAGEDOWN = 3,
    SB_THUMBPOSITION = 4,
    SB_THUMBTRACK = 5,
    SB_TOP = 6,
    SB_BOTTOM = 7,
    SB_ENDSCROLL = 8,
};

// What GetScrollInfo reports: the range as set, the page (never more than the range holds)
// and the position, which stays within nMin .. nMax - nPage + 1.
struct ScrollInfo {
    int nMin = 0;
    int nMax = 0;
    int nPage = 0;
    int nPos = 0;
};

// A QScrollBar driven with the Windows scroll-bar model: a range of items and a page. Qt's
// scroll bar knows only the positions the thumb can take (0 .. max - page + 1), so this is the
// one place that maps between the two.
class WinScrollBar {
public:
    explicit WinScrollBar(QScrollBar* bar);

    // SetScrollInfo with range and page: the position is kept, clamped into the new range; the
    // bar disappears when the page covers the whole range.
    void SetRangeAndPage(int nMin, int nMax, int nPage);
    ScrollInfo GetScrollInfo() const;
    void SetScrollPos(int nPos);

    // Whether there is anything to scroll (the bar is shown).
    bool CanScroll() const;

private:
    QScrollBar* m_bar;
    int m_nMin = 0;
    int m_nMax = 0;
    int m_nPage = 0;
};

// The new top index for a scroll code from what the bar reports; nothing for the codes that
// change nothing. trackPosition is the position a thumb message carries.
std::optional<int> ScrollTarget(int code, const ScrollInfo& info, int trackPosition);
