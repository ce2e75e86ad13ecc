#include "view/EmptyHint.h"

#include "base/DialogLayout.h"

#include <QPainter>

namespace mosgrid {

namespace {

// Larger than the dialog font, so it reads from across the desk.
constexpr int kHintPoints = 12;

} // namespace

void PaintEmptyHint(QPainter& dc, const QRect& client, const QString& text)
{
    dc.save();
    QFont font = DialogFont();
    font.setPointSize(kHintPoints);
    dc.setFont(font);
    dc.setPen(QColor::fromRgb(kEmptyHintRgb));
    dc.drawText(client, Qt::AlignCenter | Qt::TextWordWrap, text);
    dc.restore();
}

} // namespace mosgrid
