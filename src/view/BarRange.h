#pragma once

namespace mosgrid {

// Which bars of a series the chart window shows: the `count` bars before `end`, counted in
// the bars of the shown period, oldest first. Pure arithmetic: zoom around a bar, scroll by
// bars or screens, to either end; every result is clamped to the series.
struct BarRange {
    static constexpr int kMinBars = 20;
    // The most bars the chart control draws at once.
    static constexpr int kMaxBars = 5000;
    // One wheel notch or +/- multiplies or divides the bars shown by this.
    static constexpr double kZoomStep = 1.25;

    int total = 0;   // bars in the series
    int count = 0;   // bars shown
    int end = 0;     // one past the newest bar shown

    // The newest `count` bars of a series of `total`.
    static BarRange Newest(int total, int count);

    int first() const { return end - count; }
    bool atNewest() const { return end >= total; }
    // The fewest and most bars a series of `total` can show.
    static int MinCount(int total);
    static int MaxCount(int total);

    BarRange Clamped() const;
    // `newCount` bars with the bar `anchor` staying where it stands on the screen.
    BarRange ZoomedAround(int newCount, int anchor) const;
    // One step in (fewer bars) or out (more bars) around `anchor`.
    BarRange ZoomedIn(int anchor) const;
    BarRange ZoomedOut(int anchor) const;
    // Positive: towards the newest bars.
    BarRange Scrolled(int bars) const;
    BarRange Oldest() const;
    BarRange NewestEnd() const;
    // The same zoom over a series of another length (new bars, another period): pinned to
    // the newest bars when it was there, else ending at `end` of the new series.
    BarRange Resized(int newTotal, int newEnd) const;

    bool operator==(const BarRange&) const = default;
};

} // namespace mosgrid
