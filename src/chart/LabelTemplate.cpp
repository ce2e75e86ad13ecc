#include "chart/LabelTemplate.h"

#include "base/LabelTexts.h"

#include <QDate>

#include <algorithm>
#include <cmath>
#include <optional>

namespace mosgrid {

namespace {

constexpr int kPercentDecimals = 2;
constexpr int kGroupDigits = 3;

struct Expansion {
    QString text;
    LabelTone tone = LabelTone::Plain;
};

int UsableDecimals(int decimals)
{
    return std::clamp(decimals, 0, ItemFacts::kMaxDecimals);
}

// The value as it will be written, so its sign and tone agree with the digits shown.
double Rounded(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    if (!std::isfinite(value * scale))
        return value;  // beyond the decimals a double holds: nothing to round
    const double rounded = std::round(value * scale) / scale;
    return rounded == 0 ? 0 : rounded;
}

std::optional<double> Change(const ItemFacts& facts)
{
    if (!facts.hasData || !std::isfinite(facts.lastClose) || !std::isfinite(facts.previousClose))
        return std::nullopt;
    return facts.lastClose - facts.previousClose;
}

Expansion Signed(std::optional<double> value, int decimals, const QString& suffix)
{
    if (!value || !std::isfinite(*value))
        return {LabelTexts::kUnknown};
    const double shown = Rounded(*value, decimals);
    if (shown > 0)
        return {QLatin1Char('+') + FormatGrouped(shown, decimals) + suffix, LabelTone::Up};
    if (shown < 0)
        return {FormatGrouped(shown, decimals) + suffix, LabelTone::Down};
    return {FormatGrouped(0, decimals) + suffix};
}

Expansion ChangeField(const ItemFacts& facts)
{
    return Signed(Change(facts), UsableDecimals(facts.decimals), QString());
}

Expansion ChangePercentField(const ItemFacts& facts)
{
    const std::optional<double> change = Change(facts);
    if (!change || facts.previousClose == 0)
        return {LabelTexts::kUnknown};
    return Signed(*change / std::fabs(facts.previousClose) * 100, kPercentDecimals,
                  QStringLiteral("%"));
}

Expansion Known(bool known, double value, int decimals)
{
    if (!known || !std::isfinite(value))
        return {LabelTexts::kUnknown};
    return {FormatGrouped(value, decimals)};
}

// The field at the start of text, with its length; none when text starts no field.
std::optional<std::pair<Expansion, qsizetype>> FieldAt(QStringView text, const QString& name,
                                                      const QString& code,
                                                      const ItemFacts& facts)
{
    const auto is = [text](const char* token) {
        return text.startsWith(QLatin1String(token), Qt::CaseInsensitive);
    };
    const auto found = [](Expansion expansion, const char* token) {
        return std::make_pair(std::move(expansion), qsizetype(qstrlen(token)));
    };
    const int decimals = UsableDecimals(facts.decimals);
    if (is("{name}"))
        return found({name}, "{name}");
    if (is("{code}"))
        return found({code}, "{code}");
    if (is("{last}"))
        return found(Known(facts.hasData, facts.lastClose, decimals), "{last}");
    if (is("{change}"))
        return found(ChangeField(facts), "{change}");
    if (is("{change%}"))
        return found(ChangePercentField(facts), "{change%}");
    if (is("{date}"))
        return found({facts.hasData ? FormatBarDate(facts.lastDate) : LabelTexts::kUnknown},
                     "{date}");
    if (is("{volume}"))
        return found(Known(facts.hasData, facts.lastVolume, 0), "{volume}");
    return std::nullopt;
}

bool IsDirectionMark(char16_t c)
{
    return c == 0x200E || c == 0x200F || c == 0x061C || (c >= 0x202A && c <= 0x202E)
        || (c >= 0x2066 && c <= 0x2069);
}

void Append(LabelRuns& runs, const QString& raw, LabelTone tone)
{
    const QString text = WithoutControls(raw);
    if (text.isEmpty())
        return;
    if (!runs.empty() && tone == LabelTone::Plain && runs.back().tone == LabelTone::Plain)
        runs.back().text += text;
    else
        runs.push_back({text, tone});
}

} // namespace

LabelRuns ExpandLabel(QStringView pattern, const QString& name, const QString& code,
                      const ItemFacts& facts)
{
    LabelRuns runs;
    qsizetype literalStart = 0;
    qsizetype at = 0;
    while (at < pattern.size()) {
        const auto field = pattern[at] == QLatin1Char('{')
            ? FieldAt(pattern.mid(at), name, code, facts)
            : std::nullopt;
        if (!field) {
            ++at;
            continue;
        }
        Append(runs, pattern.mid(literalStart, at - literalStart).toString(), LabelTone::Plain);
        Append(runs, field->first.text, field->first.tone);
        at += field->second;
        literalStart = at;
    }
    Append(runs, pattern.mid(literalStart).toString(), LabelTone::Plain);
    return runs;
}

std::vector<qsizetype> FieldStarts(QStringView pattern)
{
    std::vector<qsizetype> starts;
    const QString none;
    const ItemFacts noFacts;
    qsizetype at = 0;
    while (at < pattern.size()) {
        const auto field = pattern[at] == QLatin1Char('{')
            ? FieldAt(pattern.mid(at), none, none, noFacts)
            : std::nullopt;
        if (!field) {
            ++at;
            continue;
        }
        starts.push_back(at);
        at += field->second;
    }
    return starts;
}

QString WithoutControls(QStringView text)
{
    const auto unwanted = [](QChar c) {
        return c.category() == QChar::Other_Control || IsDirectionMark(c.unicode());
    };
    if (std::none_of(text.begin(), text.end(), unwanted))
        return text.toString();
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text) {
        if (!unwanted(c))
            kept += c;
    }
    return kept;
}

QString JoinRuns(const LabelRuns& runs)
{
    QString text;
    for (const LabelRun& run : runs)
        text += run.text;
    return text;
}

QString FormatBarDate(std::int32_t date)
{
    const QDate day(date / 10000, date / 100 % 100, date % 100);
    if (date <= 0 || !day.isValid())
        return LabelTexts::kUnknown;
    return day.toString(QStringLiteral("yyyy/MM/dd"));
}

QString FormatGrouped(double value, int decimals)
{
    decimals = UsableDecimals(decimals);
    const double shown = Rounded(value, decimals);
    QString digits = QString::number(std::fabs(shown), 'f', decimals);
    const qsizetype point = digits.indexOf(QLatin1Char('.'));
    for (qsizetype at = (point < 0 ? digits.size() : point) - kGroupDigits; at > 0;
         at -= kGroupDigits)
        digits.insert(at, QLatin1Char(','));
    return shown < 0 ? QLatin1Char('-') + digits : digits;
}

} // namespace mosgrid
