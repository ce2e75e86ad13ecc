#include "chart/LabelFit.h"

#include "chart/LabelPainter.h"
#include "chart/LabelShaper.h"

#include <QFontMetrics>

#include <optional>

namespace mosgrid {

namespace {

constexpr QChar kEllipsis(0x2026);

class Fitter {
public:
    Fitter(const QString& code, const ItemFacts& facts, const QFontMetrics& metrics, int width,
           LabelShaper* shaper)
        : m_code(code)
        , m_facts(facts)
        , m_metrics(metrics)
        , m_width(width)
        , m_shaper(shaper)
    {
    }

    // pattern with name, when it fits.
    std::optional<LabelRuns> Fitting(QStringView pattern, const QString& name) const
    {
        LabelRuns runs = ExpandLabel(pattern, name, m_code, m_facts);
        const QString text = JoinRuns(runs);
        const int advance =
            m_shaper ? m_shaper->Advance(text) : m_metrics.horizontalAdvance(text);
        if (advance > m_width)
            return std::nullopt;
        m_lastFit = advance;
        return runs;
    }

    // The advance of what Fitting returned last.
    int lastFit() const { return m_lastFit; }

    // pattern with the longest start of name (and an ellipsis) that fits; none when not
    // even the ellipsis alone does. name itself is known not to fit.
    std::optional<LabelRuns> WithShortenedName(QStringView pattern, const QString& name) const
    {
        qsizetype fits = 0;  // "…" alone
        std::optional<LabelRuns> best = Fitting(pattern, Shortened(name, fits));
        if (!best)
            return std::nullopt;
        // The width grows with the length kept: a binary search.
        qsizetype tooLong = name.size();
        while (tooLong - fits > 1) {
            const qsizetype middle = (fits + tooLong) / 2;
            if (std::optional<LabelRuns> runs = Fitting(pattern, Shortened(name, middle))) {
                best = std::move(runs);
                fits = middle;
            } else {
                tooLong = middle;
            }
        }
        return best;
    }

private:
    // The first length characters of name and an ellipsis; never half a character.
    static QString Shortened(const QString& name, qsizetype length)
    {
        if (length > 0 && name[length - 1].isHighSurrogate())
            --length;
        return name.left(length).trimmed() + kEllipsis;
    }

    const QString& m_code;
    const ItemFacts& m_facts;
    const QFontMetrics& m_metrics;
    int m_width;
    LabelShaper* m_shaper;
    mutable int m_lastFit = -1;
};

QStringView WithoutTrailingBlanks(QStringView text)
{
    while (!text.isEmpty() && text.back().isSpace())
        text.chop(1);
    return text;
}

bool HasNameField(QStringView pattern)
{
    return pattern.contains(QLatin1String("{name}"), Qt::CaseInsensitive);
}

} // namespace

LabelRuns FitLabel(QStringView pattern, const QString& name, const QString& code,
                   const ItemFacts& facts, const QFontMetrics& metrics, int width,
                   int* advance, LabelShaper* shaper)
{
    if (advance)
        *advance = -1;
    const Fitter fitter(code, facts, metrics, width, shaper);
    const std::vector<qsizetype> starts = FieldStarts(pattern);
    // All fields first, then one fewer from the right each time.
    for (std::size_t kept = starts.size(); kept > 0; --kept) {
        const QStringView part =
            kept == starts.size() ? pattern : WithoutTrailingBlanks(pattern.left(starts[kept]));
        std::optional<LabelRuns> runs = fitter.Fitting(part, name);
        if (!runs && HasNameField(part))
            runs = fitter.WithShortenedName(part, name);
        if (runs) {
            if (advance)
                *advance = fitter.lastFit();
            return *runs;
        }
    }
    // Not even the first field fits: what comes before it, cut as text.
    const QStringView lead = starts.empty() ? pattern : pattern.left(starts.front());
    LabelRuns cut = ElideRuns(ExpandLabel(lead, name, code, facts), metrics, width);
    // The text measures cannot always cut a last character: then nothing.
    if (metrics.horizontalAdvance(JoinRuns(cut)) > width)
        return {};
    return cut;
}

} // namespace mosgrid
