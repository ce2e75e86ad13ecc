#include "export/ValueTableText.h"

#include "base/LabelTexts.h"
#include "catalog/DisplayText.h"
#include "chart/DataProblemText.h"
#include "export/FlagColumn.h"
#include "chart/StaleBadge.h"
#include "export/CsvValueTable.h"
#include "export/ExportTarget.h"

#include <QHash>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace mosgrid {

namespace {

// After the indicator-independent head of kValueTableHeadStart.
const QStringList kMoreFixedColumns{
    QStringLiteral("open"),  QStringLiteral("high"),   QStringLiteral("low"),
    QStringLiteral("close"), QStringLiteral("volume"), QStringLiteral("change"),
    QStringLiteral("change %"), QStringLiteral("problem"), FlagColumn::kHeader};

// Beyond this a volume is written in significant digits rather than whole units.
constexpr double kLargestWholeVolume = 1e15;

QString Price(double value, int decimals)
{
    if (!std::isfinite(value))
        return {};
    return QLocale::c().toString(value, 'f', decimals).remove(QLatin1Char(','));
}

QString Volume(double value)
{
    if (std::isfinite(value) && value == std::floor(value)
        && std::abs(value) < kLargestWholeVolume)
        return QLocale::c().toString(value, 'f', 0).remove(QLatin1Char(','));
    return CsvValueTable::Number(value);
}

QString Date(std::int32_t yyyymmdd)
{
    if (yyyymmdd <= 0)
        return {};
    return QStringLiteral("%1/%2/%3")
        .arg(yyyymmdd / 10000, 4, 10, QLatin1Char('0'))
        .arg(yyyymmdd / 100 % 100, 2, 10, QLatin1Char('0'))
        .arg(yyyymmdd % 100, 2, 10, QLatin1Char('0'));
}

QString Problem(const ItemFacts& facts, std::int32_t newest, int staleDays, std::int32_t today)
{
    if (!facts.hasData)
        return DataProblemText(facts.problem);
    switch (DateBadgeOf(true, facts.lastDate, newest, staleDays, today)) {
    case DateBadge::Stale:
        return LabelTexts::kStaleGroup;
    case DateBadge::Future:
        return LabelTexts::kFutureDate;
    case DateBadge::None:
        break;
    }
    return {};
}

QStringList FixedFields(const CatalogItem& item, const ValueRow& row, std::int32_t newest,
                        int staleDays, std::int32_t today)
{
    const ItemFacts& f = row.facts;
    QStringList fields{DisplayText(item.m_strCode), DisplayText(item.m_strName),
                       QString::number(item.m_nType), DisplayText(item.m_strSource)};
    if (!f.hasData) {
        fields << QString() << QString() << QString() << QString() << QString() << QString()
               << QString() << QString();
        fields << Problem(f, newest, staleDays, today) << FlagColumn::Value(row.flag);
        return fields;
    }
    const double change = f.lastClose - f.previousClose;
    const double percent = f.previousClose != 0 ? change / f.previousClose * 100 : NAN;
    fields << Date(f.lastDate) << Price(f.lastOpen, f.decimals) << Price(f.lastHigh, f.decimals)
           << Price(f.lastLow, f.decimals) << Price(f.lastClose, f.decimals)
           << Volume(f.lastVolume) << Price(change, f.decimals) << CsvValueTable::Number(percent)
           << Problem(f, newest, staleDays, today) << FlagColumn::Value(row.flag);
    return fields;
}

} // namespace

QStringList ValueTableText::IndicatorColumns(std::span<const ValueRow> rows)
{
    QStringList columns;
    QHash<QString, int> seen;
    for (const ValueRow& row : rows) {
        for (const quorex::IndicatorValue& value : row.values) {
            const QString name = QString::fromStdString(value.name);
            if (!seen.contains(name)) {
                seen.insert(name, int(columns.size()));
                columns << name;
            }
        }
    }
    return columns;
}

QByteArray ValueTableText::Text(const CatalogItemList& items, std::span<const int> order,
                                std::span<const ValueRow> rows, int staleDays,
                                std::int32_t today)
{
    const QStringList columns = IndicatorColumns(rows);
    QHash<QString, int> columnOf;
    for (int i = 0; i < columns.size(); ++i)
        columnOf.insert(columns[i], i);

    // The stale mark measures against the newest date of the whole table, as on screen.
    std::int32_t newest = 0;
    for (const ValueRow& row : rows)
        newest = std::max(newest, ReferenceDateOf(row.facts.hasData, row.facts.lastDate, today));

    QByteArray text = CsvValueTable::Start();
    text += CsvValueTable::Record(QString::fromLatin1(kValueTableHeadStart).split(QLatin1Char(','),
                                                                           Qt::SkipEmptyParts)
                                  + kMoreFixedColumns + columns);
    const std::size_t count = std::min(order.size(), rows.size());
    for (std::size_t i = 0; i < count; ++i) {
        const int item = order[i];
        if (item < 0 || item >= static_cast<int>(items.size()))
            continue;
        QStringList fields = FixedFields(*items[std::size_t(item)], rows[i], newest, staleDays,
                                         today);
        QStringList values(columns.size());
        for (const quorex::IndicatorValue& value : rows[i].values) {
            const int column = columnOf.value(QString::fromStdString(value.name), -1);
            if (column >= 0)
                values[column] = CsvValueTable::Number(value.value);
        }
        text += CsvValueTable::Record(fields + values);
    }
    return text;
}

} // namespace mosgrid
