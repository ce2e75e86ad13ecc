#include "export/ExportHeaderBand.h"

#include "base/DialogLayout.h"
#include "base/FileTexts.h"

#include <QLocale>
#include <QPainter>

namespace mosgrid {

namespace {

constexpr int kPadding = 8;
constexpr QRgb kHeaderText = 0xffdcdcdc;
constexpr QRgb kHeaderRule = 0xff505050;

} // namespace

void PaintSheetHeader(QPainter& painter, const QRect& band, const ExportHeader& header,
                      int count)
{
    painter.save();
    painter.fillRect(band, Qt::black);
    painter.setFont(DialogFont());
    painter.setPen(QColor::fromRgb(kHeaderText));
    const QRect text = band.adjusted(kPadding, 0, -kPadding, -2);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, header.listName);
    const QString right = header.when.toString(FileTexts::kDateFormat) + QStringLiteral("   ")
        + FileTexts::kSheetCount.arg(QLocale(QLocale::Japanese).toString(count));
    painter.drawText(text, Qt::AlignRight | Qt::AlignVCenter, right);
    painter.setPen(QColor::fromRgb(kHeaderRule));
    painter.drawLine(band.left(), band.bottom(), band.right(), band.bottom());
    painter.restore();
}

} // namespace mosgrid
