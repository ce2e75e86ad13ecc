#include "chart/StaleBadge.h"

#include "base/LabelTexts.h"
#include "chart/LabelPainter.h"
#include "chart/LabelTemplate.h"

#include <QDate>
#include <QDateTime>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace mosgrid {

namespace {

constexpr int kBadgePoints = 8;
constexpr int kPadding = 3;        // each side of the text
constexpr int kGap = 4;            // between a label and the badge
constexpr QRgb kBadgeFill = 0xfff0b400;   // amber: a warning that reads on any chart
constexpr QRgb kBadgeText = 0xff000000;
constexpr QRgb kFutureFill = 0xffc81e1e;  // red: the data itself is wrong
constexpr QRgb kFutureText = 0xffffffff;
// The widest a date can be written, for the room kept.
constexpr char kWidestDate[] = "0000/00/00";
// How long a thread trusts the local date it last read.
constexpr qint64 kTodayKeptSeconds = 60;

QDate DayOf(std::int32_t date)
{
    return date > 0 ? QDate(date / 10000, date / 100 % 100, date % 100) : QDate();
}

int LineHeight(const QPaintDevice* device)
{
    return QFontMetrics(LabelFont(), device).height();
}

std::int32_t DateOf(const QDate& day)
{
    return day.year() * 10000 + day.month() * 100 + day.day();
}

void PaintBadge(QPainter& painter, const QRect& cell, const QString& text, QRgb fill,
                QRgb ink)
{
    const QRect badge = StaleBadgeRect(cell, text, painter.device());
    painter.save();
    painter.setClipRect(cell, Qt::IntersectClip);
    painter.fillRect(badge, QColor(fill));
    painter.setFont(StaleBadgeFont());
    painter.setPen(QColor(ink));
    painter.drawText(badge, Qt::AlignCenter, text);
    painter.restore();
}

} // namespace

bool IsStale(std::int32_t lastDate, std::int32_t newestDate, int staleDays)
{
    if (staleDays <= 0)
        return false;
    const QDate last = DayOf(lastDate);
    const QDate newest = DayOf(newestDate);
    return last.isValid() && newest.isValid() && last.daysTo(newest) > staleDays;
}

bool IsFutureDate(std::int32_t lastDate, std::int32_t today)
{
    const QDate last = DayOf(lastDate);
    const QDate now = DayOf(today);
    return last.isValid() && now.isValid() && now.daysTo(last) > 1;
}

std::int32_t ReferenceDateOf(bool hasData, std::int32_t lastDate, std::int32_t today)
{
    return hasData && lastDate <= today ? lastDate : 0;
}

std::int32_t TodayDate()
{
    // The local date costs a look at the time zone file each time, and a build asks once an
    // item: it is kept per thread until the next local midnight, and a minute at most, so a
    // change of zone shows within a minute.
    struct Kept {
        std::int32_t date = 0;
        qint64 until = 0; // seconds since the epoch
    };
    thread_local Kept kept;
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    if (now >= kept.until - kTodayKeptSeconds && now < kept.until)
        return kept.date;
    const QDate today = QDate::currentDate();
    const qint64 midnight = today.addDays(1).startOfDay().toSecsSinceEpoch();
    kept = {DateOf(today), std::min(now + kTodayKeptSeconds, midnight)};
    return kept.date;
}

QString StaleBadgeText(std::int32_t lastDate)
{
    return FormatBarDate(lastDate);
}

QFont StaleBadgeFont()
{
    QFont font = LabelFont();
    font.setPointSize(kBadgePoints);
    return font;
}

QRect StaleBadgeRect(const QRect& cell, const QString& text, const QPaintDevice* device)
{
    const QFontMetrics metrics(StaleBadgeFont(), device);
    const int width = metrics.horizontalAdvance(text) + 2 * kPadding;
    return QRect(cell.right() + 1 - width, cell.top(), width, LineHeight(device));
}

int StaleBadgeRoom()
{
    // The font is fixed: measured once, not for every thumbnail made.
    static const int room = [] {
        const QFontMetrics metrics(StaleBadgeFont());
        return std::max(metrics.horizontalAdvance(QLatin1String(kWidestDate)),
                        metrics.horizontalAdvance(LabelTexts::kFutureDate))
            + 2 * kPadding + kGap;
    }();
    return room;
}

int LabelWidthBesideBadge(int width, int staleDays)
{
    if (staleDays <= 0)
        return width;
    const int room = StaleBadgeRoom();
    return width - room >= room ? width - room : width;
}

DateBadge DateBadgeOf(bool hasData, std::int32_t lastDate, std::int32_t newestDate,
                      int staleDays, std::int32_t today)
{
    if (!hasData || staleDays <= 0)
        return DateBadge::None;
    if (IsFutureDate(lastDate, today))
        return DateBadge::Future;
    return IsStale(lastDate, newestDate, staleDays) ? DateBadge::Stale : DateBadge::None;
}

void PaintDateBadge(QPainter& painter, const QRect& cell, DateBadge badge,
                    std::int32_t lastDate)
{
    if (badge == DateBadge::Future)
        PaintFutureBadge(painter, cell);
    else if (badge == DateBadge::Stale)
        PaintStaleBadge(painter, cell, lastDate);
}

void PaintFutureBadge(QPainter& painter, const QRect& cell)
{
    PaintBadge(painter, cell, LabelTexts::kFutureDate, kFutureFill, kFutureText);
}

void PaintStaleBadge(QPainter& painter, const QRect& cell, std::int32_t lastDate)
{
    PaintBadge(painter, cell, StaleBadgeText(lastDate), kBadgeFill, kBadgeText);
}

} // namespace mosgrid
