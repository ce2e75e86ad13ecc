#pragma once

#include <QFont>
#include <QRect>
#include <QString>

#include <cstdint>

class QPaintDevice;
class QPainter;

namespace mosgrid {

// The small date badge of a thumbnail whose series ended well before the catalog's newest:
// at the right of the label's line, which the chart control keeps free.

// Whether a series whose newest bar is lastDate lags newestDate (both yyyymmdd) by more than
// staleDays calendar days. Never with staleDays 0 or less, or without two real dates.
bool IsStale(std::int32_t lastDate, std::int32_t newestDate, int staleDays);

// Whether a newest bar dated lastDate lies in the future: after the day after today (both
// yyyymmdd; a day's grace for time zones). Such a series gets a badge of its own.
bool IsFutureDate(std::int32_t lastDate, std::int32_t today);

// What a series' newest bar adds to the catalog's newest date, its reference: the bar's
// date when it has one not after today, else 0 (a bar in the future would mark every other
// series stale).
std::int32_t ReferenceDateOf(bool hasData, std::int32_t lastDate, std::int32_t today);

// Today's local date as yyyymmdd.
std::int32_t TodayDate();

// The badge's text: the date of the series' newest bar.
QString StaleBadgeText(std::int32_t lastDate);

QFont StaleBadgeFont();

// The badge of `text` in the top-right corner of cell, as tall as the label's line, with
// the fonts measured for device (null: the screen).
QRect StaleBadgeRect(const QRect& cell, const QString& text,
                     const QPaintDevice* device = nullptr);

// Pixels at the right of the label's line a label leaves for the badge (the widest date and
// a gap).
int StaleBadgeRoom();

// The width a label may take on a line `width` wide: the badge's room is kept when a badge
// can show (staleDays > 0) and the label keeps at least as much as the badge.
int LabelWidthBesideBadge(int width, int staleDays);

// What a series' newest bar says against the catalog's newest date: a date in the future,
// a stale series, or nothing. Nothing either when staleDays is 0 or less (badges off).
enum class DateBadge : std::uint8_t { None, Stale, Future };
DateBadge DateBadgeOf(bool hasData, std::int32_t lastDate, std::int32_t newestDate,
                      int staleDays, std::int32_t today);

// Paints that badge over the cell.
void PaintDateBadge(QPainter& painter, const QRect& cell, DateBadge badge,
                    std::int32_t lastDate);

// Paints the future-date badge over the cell.
void PaintFutureBadge(QPainter& painter, const QRect& cell);

// Paints the badge of lastDate over the cell. Paint on the cell's image, not a printer: the
// fonts are sized for the screen's resolution.
void PaintStaleBadge(QPainter& painter, const QRect& cell, std::int32_t lastDate);

} // namespace mosgrid
