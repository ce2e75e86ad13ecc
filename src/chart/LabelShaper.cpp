#include "chart/LabelShaper.h"

#include "chart/LabelPainter.h"

#include <QPainter>
#include <QTextLine>
#include <QTextOption>

#include <cmath>

namespace mosgrid {

LabelShaper::LabelShaper(const QPaintDevice* device)
    : m_font(LabelFont(), device), m_metrics(m_font, device)
{
}

int LabelShaper::Advance(const QString& text)
{
    if (m_layout && text == m_text)
        return m_advance;
    m_text = text;
    m_layout.emplace(text, m_font);
    // As QPainter::drawText lays out a line: left to right, never wrapped.
    QTextOption option;
    option.setTextDirection(Qt::LeftToRight);
    option.setWrapMode(QTextOption::NoWrap);
    m_layout->setTextOption(option);
    m_layout->setCacheEnabled(true);
    m_layout->beginLayout();
    const QTextLine line = m_layout->createLine();
    m_layout->endLayout();
    m_advance = line.isValid() ? qRound(line.horizontalAdvance()) : 0;
    return m_advance;
}

void LabelShaper::Draw(QPainter& painter, QPointF at, const QString& text) const
{
    if (!m_layout || text != m_text || m_layout->lineCount() != 1) {
        painter.drawText(at, text);
        return;
    }
    // The layout puts its line's top at the point given; the baseline lies an ascent below.
    const QTextLine line = m_layout->lineAt(0);
    m_layout->draw(&painter, QPointF(at.x(), at.y() - line.ascent()));
}

} // namespace mosgrid
