#include "DefinitionCheck.h"

#include "ChartDefinition.h"
#include "ChartGrammar.h"
#include "DisplayText.h"

#include <QStringList>

#include <algorithm>
#include <vector>

namespace quorex::chart {

namespace {

// A quoted name longer than this many characters is cut.
constexpr int kMaxQuoted = 24;
const QString kKindList = QStringLiteral("Daily, Weekly, Monthly, Volume");

QString Quoted(std::string_view bytes)
{
    QString text = DisplayText(bytes);
    if (text.size() > kMaxQuoted)
        text = text.left(kMaxQuoted - 1) + QChar(0x2026);
    return QStringLiteral("「%1」").arg(text);
}

bool IsOption(std::string_view name)
{
    return EqualsNoCase(name, kDispMaxMinOption) || EqualsNoCase(name, kMovingAverageOption);
}

void CheckPeriods(const GrammarItem& item, QStringList& problems)
{
    std::string_view list = item.value;
    if (list.empty()) {
        problems << QStringLiteral("MA に期間がありません(例: MA=5,25,75)");
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
            problems << QStringLiteral("MA の期間%1は 1〜%2 の整数で書きます")
                            .arg(Quoted(entry)).arg(kMaxMovingAveragePeriod);
        if (comma == std::string_view::npos)
            break;
        list.remove_prefix(comma + 1);
    }
    if (valid > kMaxMovingAverages)
        problems << QStringLiteral("MA の期間は %1 つまでです(%2 つ目から使いません)")
                        .arg(kMaxMovingAverages).arg(kMaxMovingAverages + 1);
}

void CheckOption(const GrammarItem& item, QStringList& problems)
{
    if (EqualsNoCase(item.name, kDispMaxMinOption)) {
        if (!ItemFlag(item))
            problems << QStringLiteral("DispMaxMin の値%1は 0 か 1 で書きます")
                            .arg(Quoted(item.value));
    } else if (EqualsNoCase(item.name, kMovingAverageOption)) {
        CheckPeriods(item, problems);
    } else {
        problems << QStringLiteral("%1は知らないオプションです(DispMaxMin, MA)")
                        .arg(Quoted(item.name));
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
    if (first.hasValue)
        problems << QStringLiteral("種類%1に値は付けません").arg(Quoted(first.name));
    std::vector<std::string_view> seen;
    for (std::size_t i = 1; i < items.size(); ++i) {
        const GrammarItem& item = items[i];
        if (*kind == ChartKind::Volume) {
            problems << QStringLiteral("Volume にはオプションがありません(%1は使いません)")
                            .arg(Quoted(item.name));
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
