#include "chart/LabelPainter.h"

#include "base/DialogLayout.h"
#include "chart/LabelShaper.h"

#include <QFontMetrics>
#include <QPainter>

namespace mosgrid {

namespace {

constexpr QChar kEllipsis(0x2026);

// Change colours, light and dark (the market's own: up red, down blue).
constexpr QRgb kUpLight = 0xffff9c9c;
constexpr QRgb kUpDark = 0xffb00000;
constexpr QRgb kDownLight = 0xffa8d0ff;
constexpr QRgb kDownDark = 0xff0028b0;
// Backgrounds from this grey level on count as light.
constexpr int kLightFrom = 140;

} // namespace

QFont LabelFont()
{
    // One font per thread: its copies share what Qt has looked up for it (the font engine),
    // which a font made afresh for every label looks up again.
    thread_local const QFont font = DialogFont();
    return font;
}

LabelRuns ElideRuns(const LabelRuns& runs, const QFontMetrics& metrics, int width,
                    int* fitAdvance)
{
    const QString joined = JoinRuns(runs);
    const int advance = metrics.horizontalAdvance(joined);
    if (fitAdvance)
        *fitAdvance = advance <= width ? advance : -1;
    if (advance <= width)
        return runs;
    const QString elided = metrics.elidedText(joined, Qt::ElideRight, std::max(width, 0));
    if (elided.isEmpty())
        return {};
    const qsizetype keep = elided.endsWith(kEllipsis) ? elided.size() - 1 : elided.size();
    if (!joined.startsWith(QStringView(elided).left(keep)))
        return {{elided, LabelTone::Plain}};
    LabelRuns cut;
    qsizetype left = keep;
    for (const LabelRun& run : runs) {
        if (left <= 0)
            break;
        cut.push_back({run.text.left(left), run.tone});
        left -= run.text.size();
    }
    if (!cut.empty() && cut.back().tone == LabelTone::Plain)
        cut.back().text += kEllipsis;
    else
        cut.push_back({QString(kEllipsis), LabelTone::Plain});
    return cut;
}

QRgb ChangeColor(LabelTone tone, QRgb background)
{
    const bool light = qGray(background) >= kLightFrom;
    if (tone == LabelTone::Up)
        return light ? kUpDark : kUpLight;
    return light ? kDownDark : kDownLight;
}

QRect PaintLabel(QPainter& target, QPoint at, int width, const LabelRuns& runs,
                const LabelStyle& style, int knownAdvance, const LabelShaper* shaper)
{
    target.save();
    target.setFont(LabelFont());
    const QFontMetrics metrics = target.fontMetrics();
    const QRgb back = ColorRefToRgb(style.backColor);
    const QRgb text = ColorRefToRgb(style.textColor);
    target.setBackgroundMode(Qt::TransparentMode);
    // Left to right whatever the name starts with: the fields keep their order.
    target.setLayoutDirection(Qt::LeftToRight);
    int x = at.x();
    int fitAdvance = knownAdvance >= 0 && knownAdvance <= width ? knownAdvance : -1;
    const LabelRuns shown =
        fitAdvance >= 0 ? runs : ElideRuns(runs, metrics, width, &fitAdvance);
    for (const LabelRun& run : shown) {
        // A label of one run that fits was measured whole already: shaping costs.
        const int advance = shown.size() == 1 && fitAdvance >= 0
            ? fitAdvance : metrics.horizontalAdvance(run.text);
        QRgb pen = text;
        // Drawn by hand so the cell starts exactly at the point.
        if (!style.transparent) {
            target.fillRect(QRect(x, at.y(), advance, metrics.height()), QColor(back));
            if (run.tone != LabelTone::Plain)
                pen = ChangeColor(run.tone, back);
        }
        target.setPen(QColor(pen));
        const QPoint baseline(x, at.y() + metrics.ascent());
        if (shaper)
            shaper->Draw(target, baseline, run.text);
        else
            target.drawText(baseline, run.text);
        x += advance;
    }
    target.restore();
    return QRect(at.x(), at.y(), x - at.x(), metrics.height());
}

} // namespace mosgrid
