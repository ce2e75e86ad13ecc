#include "view/ChartOutput.h"

#include "view/ChartFrame.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace mosgrid {

namespace {

// Pixels of the screen picture per inch: one pixel a point and a third, as on screen.
constexpr int kPdfResolution = 96;
constexpr double kPointsPerInch = 72.0;

void Draw(const ChartFrame& frame, QPainter& painter, const QRect& bounds)
{
    if (frame.PaintOnto(painter, bounds))
        return;
    painter.drawImage(bounds, frame.image());
}

} // namespace

namespace ChartOutput {

bool SavePng(const ChartFrame& frame, const QString& path)
{
    return !frame.image().isNull() && frame.image().save(path, "PNG");
}

bool SavePdf(const ChartFrame& frame, const QString& path)
{
    const QSize size = frame.image().size();
    if (size.isEmpty())
        return false;
    QPdfWriter writer(path);
    writer.setResolution(kPdfResolution);
    const QSizeF points = QSizeF(size) * (kPointsPerInch / kPdfResolution);
    writer.setPageLayout(QPageLayout(QPageSize(points, QPageSize::Point),
                                     QPageLayout::Portrait, QMarginsF()));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    Draw(frame, painter, QRect(QPoint(0, 0), size));
    return painter.end();
}

QRect FittedRect(QSize size, QRect page)
{
    if (size.isEmpty() || page.isEmpty())
        return {};
    const QSize fitted = size.scaled(page.size(), Qt::KeepAspectRatio);
    QRect rect(QPoint(0, 0), fitted);
    rect.moveCenter(page.center());
    return rect;
}

bool PaintPage(const ChartFrame& frame, QPagedPaintDevice& device)
{
    QPainter painter;
    if (frame.image().isNull() || !painter.begin(&device))
        return false;
    const QRect page = device.pageLayout().paintRectPixels(device.logicalDpiX());
    Draw(frame, painter, FittedRect(frame.image().size(), QRect(QPoint(0, 0), page.size())));
    return painter.end();
}

} // namespace ChartOutput

} // namespace mosgrid
