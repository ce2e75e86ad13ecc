#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace mosgrid {

// The text of a value table, as spreadsheets in Japan open it unchanged: UTF-8 with a
// byte-order mark, lines ending in CR LF, fields quoted as RFC 4180 asks (a field holding a
// comma, a quote, CR or LF is quoted, its quotes doubled).
class CsvValueTable {
public:
    // What the file begins with: the byte-order mark.
    static QByteArray Start();
    // One record, its line end included.
    static QByteArray Record(const QStringList& fields);
    // A value rounded to 6 significant digits, without an exponent where the digits fit
    // ("1234.57", "0.000123457", "-52.5"); empty for an unknown (non-finite) value.
    static QString Number(double value);

    static constexpr int kSignificantDigits = 6;
};

} // namespace mosgrid
