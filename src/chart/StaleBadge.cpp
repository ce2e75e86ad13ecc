#include "chart/StaleBadge.h"

#include "chart/LabelPainter.h"
#include "chart/LabelTemplate.h"

#include <QDate>
#include <QFontMetrics>
#include <QPainter>

namespace {

constexpr int kBadgePoints = 8;
constexpr int kPadding = 3;        // each side of the text
constexpr int kGap = 4;            // between a label and the badge
constexpr QRgb kBadgeFill = 0xfff0b400;   // amber: a warning that reads on any chart
constexpr QRgb kBadgeText = 0xff000000;
// The widest a date can be written, for the room kept.
constexpr char kWidestDate[] = "0000/00/00";

QDate DayOf(std::int32_t date)
{
    return date > 0 ? QDate(date / 10000, date / 100 % 100, date % 100) : QDate();
}

int LineHeight(const QPaintDevice* device)
{
    return QFontMetrics(LabelFont(), device).height();
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
    static const int room =
        QFontMetrics(StaleBadgeFont()).horizontalAdvance(QLatin1String(kWidestDate))
        + 2 * kPadding + kGap;
    return room;
}

int LabelWidthBesideBadge(int width, int staleDays)
{
    if (staleDays <= 0)
        return width;
    const int room = StaleBadgeRoom();
    return width - room >= room ? width - room : width;
}

void PaintStaleBadge(QPainter& painter, const QRect& cell, std::int32_t lastDate)
{
    const QString text = StaleBadgeText(lastDate);
    const QRect badge = StaleBadgeRect(cell, text, painter.device());
    painter.save();
    painter.setClipRect(cell, Qt::IntersectClip);
    painter.fillRect(badge, QColor(kBadgeFill));
    painter.setFont(StaleBadgeFont());
    painter.setPen(QColor(kBadgeText));
    painter.drawText(badge, Qt::AlignCenter, text);
    painter.restore();
}
