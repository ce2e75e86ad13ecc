#include "export/ExportFileName.h"

#include "catalog/DisplayText.h"

#include <algorithm>

namespace mosgrid {

namespace {

constexpr int kMinDigits = 4;
constexpr int kMaxCodeChars = 64;

// Reserved in file names somewhere, a control, or an invisible format character: the
// direction overrides and isolates would show the name in another order than it has.
bool IsUnsafe(QChar c)
{
    static const QString kReserved = QStringLiteral("/\\:*?\"<>|");
    return c.category() == QChar::Other_Control || c.category() == QChar::Other_Format
        || kReserved.contains(c);
}

} // namespace

QString ExportFileName(int position, int count, const std::string& code)
{
    const int digits = std::max(kMinDigits, static_cast<int>(QString::number(count).size()));
    QString name = QStringLiteral("%1").arg(position + 1, digits, 10, QLatin1Char('0'));
    QString safe = DisplayText(code).trimmed().left(kMaxCodeChars);
    for (QChar& c : safe) {
        if (IsUnsafe(c) || c.isSpace())
            c = QLatin1Char('_');
    }
    if (!safe.isEmpty())
        name += QLatin1Char('_') + safe;
    return name + QStringLiteral(".png");
}

} // namespace mosgrid
