#include "export/CsvValueTable.h"

#include <QLocale>

#include <cmath>

namespace mosgrid {

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr char kLineEnd[] = "\r\n";
// Beyond these magnitudes plain digits would mislead (trailing zeros that were rounded).
constexpr double kLargestPlain = 1e15;
constexpr double kSmallestPlain = 1e-6;

bool NeedsQuotes(const QString& field)
{
    return field.contains(QLatin1Char(',')) || field.contains(QLatin1Char('"'))
        || field.contains(QLatin1Char('\r')) || field.contains(QLatin1Char('\n'));
}

} // namespace

QByteArray CsvValueTable::Start()
{
    return QByteArray(kByteOrderMark);
}

QByteArray CsvValueTable::Record(const QStringList& fields)
{
    QByteArray line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += ',';
        QString field = fields[i];
        if (NeedsQuotes(field)) {
            field.replace(QLatin1Char('"'), QLatin1String("\"\""));
            field = QLatin1Char('"') + field + QLatin1Char('"');
        }
        line += field.toUtf8();
    }
    return line + kLineEnd;
}

QString CsvValueTable::Number(double value)
{
    if (!std::isfinite(value))
        return {};
    if (value == 0)
        return QStringLiteral("0");
    const double magnitude = std::abs(value);
    // The C locale: a point, no grouping, whatever the user's locale.
    const QLocale c = QLocale::c();
    if (magnitude >= kLargestPlain || magnitude < kSmallestPlain)
        return c.toString(value, 'g', kSignificantDigits);
    // Digits after the point that leave six significant ones, then trailing zeros dropped.
    const int whole = static_cast<int>(std::floor(std::log10(magnitude))) + 1;
    const int decimals = std::max(0, kSignificantDigits - whole);
    if (whole > kSignificantDigits) {
        // Whole digits past the sixth are rounded away, not printed.
        const double unit = std::pow(10.0, whole - kSignificantDigits);
        value = std::round(value / unit) * unit;
    }
    QString text = c.toString(value, 'f', decimals);
    text.remove(QLatin1Char(','));
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    return text;
}

} // namespace mosgrid
