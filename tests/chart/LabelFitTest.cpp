// Fitting a label to its line: the name gives way first, numbers are never cut, fields go
// from the right only when the numbers alone are too wide.
#include "chart/LabelFit.h"
#include "chart/LabelPainter.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

#include <algorithm>

using namespace mosgrid;

namespace {

const QChar kEllipsis(0x2026);
const QString kLongName = QStringLiteral("セブン&アイ・ホールディングス");

ItemFacts Facts()
{
    ItemFacts facts;
    facts.hasData = true;
    facts.lastDate = 20241230;
    facts.lastClose = 1452.5;
    facts.previousClose = 1434.5;
    facts.lastVolume = 12345678;
    facts.decimals = 1;
    return facts;
}

// The values the fields write, left to right, as a whole label of this pattern holds them.
struct Field {
    const char* token;
    QString value;
};

const Field kFields[] = {
    {"{code}", QStringLiteral("3382")},        {"{last}", QStringLiteral("1,452.5")},
    {"{change%}", QStringLiteral("+1.25%")},    {"{change}", QStringLiteral("+18.0")},
    {"{date}", QStringLiteral("2024/12/30")},  {"{volume}", QStringLiteral("12,345,678")},
};

class LabelFitTest : public ::testing::TestWithParam<std::tuple<const char*, int>> {};

TEST_P(LabelFitTest, NameFirstNumbersWholeFieldsFromTheRight)
{
    const auto [pattern, width] = GetParam();
    const QString templ = QString::fromUtf8(pattern);
    const QFontMetrics metrics(LabelFont());
    int advance = 0;
    const LabelRuns fitted = FitLabel(templ, kLongName, QStringLiteral("3382"), Facts(),
                                      metrics, width, &advance);
    const QString text = JoinRuns(fitted);
    EXPECT_LE(metrics.horizontalAdvance(text), width) << text.toStdString();
    // The painter trusts a given advance instead of measuring: it must be the label's own.
    if (advance >= 0) {
        EXPECT_EQ(advance, metrics.horizontalAdvance(text)) << text.toStdString();
    }

    // The numbers the pattern holds, in its order; each one shown whole or not at all, and
    // once one is left out so is every one to its right.
    std::vector<std::pair<qsizetype, QString>> numbers;
    for (const Field& field : kFields) {
        const qsizetype at = templ.indexOf(QLatin1String(field.token));
        if (at >= 0 && !(QLatin1String(field.token) == QLatin1String("{change}")
                         && templ.mid(at).startsWith(QLatin1String("{change%}"))))
            numbers.push_back({at, field.value});
    }
    std::sort(numbers.begin(), numbers.end());
    bool dropped = false;
    qsizetype from = 0;
    for (const auto& [at, value] : numbers) {
        const qsizetype found = text.indexOf(value, from);
        if (found < 0) {
            dropped = true;
            continue;
        }
        EXPECT_FALSE(dropped) << value.toStdString() << " after a field left out: "
                              << text.toStdString();
        from = found + value.size();
    }
    // No number cut: an ellipsis only ever ends the name.
    const qsizetype ellipsis = text.indexOf(kEllipsis);
    if (ellipsis >= 0 && templ.contains(QLatin1String("{name}"))) {
        const qsizetype nameAt = text.indexOf(kLongName.left(1));
        const QString shown = ellipsis > nameAt && nameAt >= 0
            ? text.mid(nameAt, ellipsis - nameAt) : QString();
        EXPECT_TRUE(kLongName.startsWith(shown)) << text.toStdString();
    }
    // The name gives way before any number does: with every number shown whole the label
    // uses the name's room.
    const LabelRuns nameless = ExpandLabel(templ, QString(kEllipsis), QStringLiteral("3382"),
                                           Facts());
    if (metrics.horizontalAdvance(JoinRuns(nameless)) <= width) {
        EXPECT_FALSE(dropped) << text.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, LabelFitTest,
    ::testing::Combine(::testing::Values("{code} {name} {last} {change%}", "{name}",
                                         "{name} {last}", "{last} {name} {change}",
                                         "{code} {last} {change%} {date} {volume}",
                                         "[{code}] {name} ({change%})", "{name}{last}"),
                       ::testing::Values(0, 20, 45, 80, 120, 160, 200, 260, 400, 1000)));

// The cut the issue names: at 200 pixels the price and the change stay whole.
TEST(LabelFitExample, LongNameAtTwoHundredPixels)
{
    const QFontMetrics metrics(LabelFont());
    const QString text = JoinRuns(FitLabel(QStringLiteral("{code} {name} {last} {change%}"),
                                           kLongName, QStringLiteral("3382"), Facts(), metrics,
                                           200));
    EXPECT_TRUE(text.startsWith(QStringLiteral("3382 セブン"))) << text.toStdString();
    EXPECT_TRUE(text.endsWith(QStringLiteral("… 1,452.5 +1.25%"))) << text.toStdString();
    // Whole, it fits as it is.
    EXPECT_EQ(JoinRuns(FitLabel(QStringLiteral("{name} {last}"), kLongName, {}, Facts(),
                                metrics, 2000)),
              kLongName + QStringLiteral(" 1,452.5"));
}

} // namespace
