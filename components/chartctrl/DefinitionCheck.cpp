#include "DefinitionCheck.h"

#include "ChartDefinition.h"
#include "ChartGrammar.h"
#include "DisplayText.h"
#include "OptionValues.h"

#include <QStringList>

#include <algorithm>
#include <vector>

namespace quorex::chart {

namespace {

// A quoted name longer than this many characters is cut.
constexpr int kMaxQuoted = 24;
const QString kKindList =
    QStringLiteral("Daily, Weekly, Monthly, Volume, RSI, MACD, Stoch, RCI, RS");
const QString kOptionList =
    QStringLiteral("DispMaxMin, MA, EMA, BB, Ichimoku, Log, Style");

constexpr std::string_view kOptions[] = {kDispMaxMinOption, kMovingAverageOption,
                                         kExponentialAverageOption, kBandsOption,
                                         kIchimokuOption, kLogOption, kStyleOption};

QString Quoted(std::string_view bytes)
{
    QString text = DisplayText(bytes);
    if (text.size() > kMaxQuoted)
        text = text.left(kMaxQuoted - 1) + QChar(0x2026);
    return QStringLiteral("「%1」").arg(text);
}

bool IsOption(std::string_view name)
{
    return std::any_of(std::begin(kOptions), std::end(kOptions),
                       [name](std::string_view option) { return EqualsNoCase(name, option); });
}

QString NameOf(const GrammarItem& item)
{
    return DisplayText(item.name);
}

// The value an indicator kind takes, as the user writes it.
QString IndicatorValueProblem(ChartKind kind, const GrammarItem& item)
{
    switch (kind) {
    case ChartKind::Rsi:
        return QStringLiteral("RSI の値%1は期間 1 つ(1〜%2)で書きます(例: RSI=14)")
            .arg(Quoted(item.value)).arg(kMaxIndicatorPeriod);
    case ChartKind::Macd:
        return QStringLiteral("MACD の値%1は短期,長期,シグナルの期間(1〜%2)で書きます"
                              "(例: MACD=12,26,9)")
            .arg(Quoted(item.value)).arg(kMaxIndicatorPeriod);
    case ChartKind::Stoch:
        return QStringLiteral("Stoch の値%1は %%K,平滑,%%D の期間(1〜%2)で書きます"
                              "(例: Stoch=14,3,3)")
            .arg(Quoted(item.value)).arg(kMaxIndicatorPeriod);
    default:
        return QStringLiteral("RCI の値%1は %2 つまでの期間(2〜%3)で書きます"
                              "(例: RCI=9,26,52)")
            .arg(Quoted(item.value)).arg(kMaxRankPeriods).arg(kMaxIndicatorPeriod);
    }
}

void CheckPeriods(const GrammarItem& item, QStringList& problems)
{
    std::string_view list = item.value;
    const QString name = NameOf(item);
    if (list.empty()) {
        problems << QStringLiteral("%1 に期間がありません(例: %1=5,25,75)").arg(name);
        return;
    }
    int valid = 0;
    while (true) {
        const std::size_t comma = list.find(',');
        const std::string_view entry = list.substr(0, comma);
        const auto value = ParseInteger(entry);
        if (value && *value >= 1 && *value <= kMaxMovingAveragePeriod)
            ++valid;
        else if (!entry.empty())
            problems << QStringLiteral("%1 の期間%2は 1〜%3 の整数で書きます")
                            .arg(name, Quoted(entry)).arg(kMaxMovingAveragePeriod);
        if (comma == std::string_view::npos)
            break;
        list.remove_prefix(comma + 1);
    }
    if (valid > kMaxMovingAverages)
        problems << QStringLiteral("%1 の期間は %2 つまでです(%3 つ目から使いません)")
                        .arg(name).arg(kMaxMovingAverages).arg(kMaxMovingAverages + 1);
}

void CheckOption(const GrammarItem& item, QStringList& problems)
{
    const std::string_view name = item.name;
    if (EqualsNoCase(name, kDispMaxMinOption) || EqualsNoCase(name, kLogOption)) {
        if (!ItemFlag(item))
            problems << QStringLiteral("%1 の値%2は 0 か 1 で書きます")
                            .arg(NameOf(item), Quoted(item.value));
    } else if (EqualsNoCase(name, kMovingAverageOption)
               || EqualsNoCase(name, kExponentialAverageOption)) {
        CheckPeriods(item, problems);
    } else if (EqualsNoCase(name, kBandsOption)) {
        if (item.hasValue && !ParseBands(item.value))
            problems << QStringLiteral("BB の値%1は 期間,幅 で書きます(期間 1〜%2、"
                                       "幅は 0 より大きく %3 まで、例: BB=20,2)")
                            .arg(Quoted(item.value)).arg(kMaxIndicatorPeriod)
                            .arg(kMaxBandWidth);
    } else if (EqualsNoCase(name, kIchimokuOption)) {
        if (item.hasValue && !ParseIchimoku(item.value))
            problems << QStringLiteral("Ichimoku の値%1は 転換,基準,先行の期間(1〜%2)で"
                                       "書きます(例: Ichimoku=9,26,52)")
                            .arg(Quoted(item.value)).arg(kMaxIndicatorPeriod);
    } else if (EqualsNoCase(name, kStyleOption)) {
        if (!StyleNamed(item.value))
            problems << QStringLiteral("Style の値%1は Candle, Bar, Line のどれかです")
                            .arg(Quoted(item.value));
    } else {
        problems << QStringLiteral("%1は知らないオプションです(%2)")
                        .arg(Quoted(item.name), kOptionList);
    }
}

} // namespace

std::string DefinitionProblems(std::string_view text)
{
    const std::vector<GrammarItem> items = ParseItems(text);
    if (items.empty())
        return QStringLiteral("チャート定義が空です").toStdString();
    const GrammarItem& first = items.front();
    const std::optional<ChartKind> kind = KindNamed(first.name);
    if (!kind) {
        // Nothing else matters when no chart is added.
        const QString problem = IsOption(first.name)
            ? QStringLiteral("最初にチャートの種類を書きます(%1)").arg(kKindList)
            : QStringLiteral("%1はチャートの種類ではありません(%2)")
                  .arg(Quoted(first.name), kKindList);
        return problem.toStdString();
    }

    QStringList problems;
    const bool indicator = IsIndicatorKind(*kind);
    if (*kind == ChartKind::Rs) {
        if (!first.hasValue || first.value.empty())
            problems << QStringLiteral("RS には比べる銘柄のコードを付けます(例: RS=1321)");
    } else if (indicator && first.hasValue && !IndicatorPeriods(*kind, first.value))
        problems << IndicatorValueProblem(*kind, first);
    else if (!indicator && first.hasValue)
        problems << QStringLiteral("種類%1に値は付けません").arg(Quoted(first.name));
    std::vector<std::string_view> seen;
    for (std::size_t i = 1; i < items.size(); ++i) {
        const GrammarItem& item = items[i];
        if (!IsPriceKind(*kind)) {
            problems << QStringLiteral("%1 にはオプションがありません(%2は使いません)")
                            .arg(DisplayText(KindName(*kind)), Quoted(item.name));
            continue;
        }
        CheckOption(item, problems);
        if (!IsOption(item.name))
            continue;
        const bool repeated = std::any_of(seen.begin(), seen.end(), [&](std::string_view name) {
            return EqualsNoCase(name, item.name);
        });
        if (repeated)
            problems << QStringLiteral("%1が 2 回以上あります(最後のものを使います)")
                            .arg(Quoted(item.name));
        else
            seen.push_back(item.name);
    }
    if (problems.isEmpty())
        return {};
    QString line = problems.front();
    if (problems.size() > 1)
        line += QStringLiteral("(ほか %1 件)").arg(problems.size() - 1);
    return line.toStdString();
}

} // namespace quorex::chart
