#include "PaneNames.h"

#include <QStringList>

#include <array>

namespace quorex::chart {

namespace {

QString PeriodList(const std::vector<int>& periods)
{
    QStringList parts;
    for (const int period : periods)
        parts << QString::number(period);
    return parts.join(QLatin1Char(','));
}

// "RSI(14)", "BB upper(20,2)".
QString Named(const char* what, const QString& parameters)
{
    return QString::fromUtf8(what) + QLatin1Char('(') + parameters + QLatin1Char(')');
}

QString Number(int value)
{
    return QString::number(value);
}

void NameIndicatorPane(const ChartDefinition& chart, PaneNames& names)
{
    const std::vector<int> p = PeriodsOf(chart);
    const QString list = PeriodList(p);
    switch (chart.kind) {
    case ChartKind::Rsi:
        names.lines = {Named("RSI", list)};
        names.legend = {QStringLiteral("RSI") + list};
        break;
    case ChartKind::Macd:
        names.lines = {Named("MACD", list), Named("MACD signal", list),
                       Named("MACD histogram", list)};
        names.legend = {QStringLiteral("MACD") + list, QStringLiteral("Sig") + Number(p[2])};
        break;
    case ChartKind::Stoch:
        names.lines = {Named("Stoch %K", list), Named("Stoch %D", list)};
        names.legend = {QStringLiteral("%K%1,%2").arg(p[0]).arg(p[1]),
                        QStringLiteral("%D") + Number(p[2])};
        break;
    case ChartKind::Rci:
        for (const int period : p) {
            names.lines.push_back(Named("RCI", Number(period)));
            names.legend.push_back(QStringLiteral("RCI") + Number(period));
        }
        break;
    default:
        break;
    }
}

} // namespace

PaneNames NamesOf(const ChartDefinition& chart)
{
    PaneNames names;
    for (const int period : chart.movingAverages) {
        names.averages.push_back(Named("MA", Number(period)));
        names.averagesLegend.push_back(QStringLiteral("MA") + Number(period));
    }
    for (const int period : chart.exponentialAverages) {
        names.exponentials.push_back(Named("EMA", Number(period)));
        names.exponentialsLegend.push_back(QStringLiteral("EMA") + Number(period));
    }
    if (chart.bands) {
        const QString spec = QStringLiteral("%1,%2").arg(chart.bands->period)
                                 .arg(QString::number(chart.bands->width));
        names.bandsUpper = Named("BB upper", spec);
        names.bandsMiddle = Named("BB middle", spec);
        names.bandsLower = Named("BB lower", spec);
        names.bandsLegend = QStringLiteral("BB") + spec;
    }
    if (chart.ichimoku) {
        const IchimokuSpec& spec = *chart.ichimoku;
        const QString list = PeriodList({spec.conversion, spec.base, spec.span});
        names.lagging = Named("Ichimoku 遅行スパン", list);
        names.base = Named("Ichimoku 基準線", list);
        names.conversion = Named("Ichimoku 転換線", list);
        names.leadingA = Named("Ichimoku 先行スパン1", list);
        names.leadingB = Named("Ichimoku 先行スパン2", list);
        names.ichimokuLegend = QStringLiteral("一目") + list;
    }
    if (IsIndicatorKind(chart.kind))
        NameIndicatorPane(chart, names);
    return names;
}

const PaneNames& KeptNamesOf(const ChartDefinition& chart)
{
    // A few definitions at a time (a catalog draws up to a handful of charts); the oldest
    // kept is replaced first.
    constexpr std::size_t kKept = 8;
    struct Kept {
        ChartDefinition chart;
        PaneNames names;
    };
    thread_local std::array<std::optional<Kept>, kKept> kept;
    thread_local std::size_t next = 0;
    for (const std::optional<Kept>& entry : kept) {
        if (entry && entry->chart == chart)
            return entry->names;
    }
    std::optional<Kept>& entry = kept[next];
    next = (next + 1) % kKept;
    entry.emplace(Kept{chart, NamesOf(chart)});
    return entry->names;
}

} // namespace quorex::chart
