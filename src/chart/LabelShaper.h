#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QPointF>
#include <QString>
#include <QTextLayout>

#include <optional>

class QPaintDevice;
class QPainter;

namespace mosgrid {

// Label texts measured and written in the label font on one device. Shaping a text is most
// of what measuring or writing it costs, and a label is measured to fit it and then written:
// the text measured last stays laid out, and writing it again uses that layout. Advances
// and pixels are those of QFontMetrics::horizontalAdvance and QPainter::drawText.
class LabelShaper {
public:
    explicit LabelShaper(const QPaintDevice* device);

    const QFontMetrics& metrics() const { return m_metrics; }
    int Advance(const QString& text);
    // Writes text in the painter's pen with its baseline starting at `at`; the painter's
    // font must be the label font.
    void Draw(QPainter& painter, QPointF at, const QString& text) const;

private:
    QFont m_font;
    QFontMetrics m_metrics;
    QString m_text;
    std::optional<QTextLayout> m_layout;
    int m_advance = 0;
};

} // namespace mosgrid
