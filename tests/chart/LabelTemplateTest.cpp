// The label template: every field, numbers in the price's decimals with separators, and "—"
// for every value that is not known.
#include "chart/LabelPainter.h"
#include "chart/LabelTemplate.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <limits>

using namespace mosgrid;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A series' facts as FactsOf leaves them.
ItemFacts Facts(double last, double previous, int decimals, std::int32_t date = 20241230,
                double volume = 1234567)
{
    ItemFacts facts;
    facts.hasData = true;
    facts.lastDate = date;
    facts.lastClose = last;
    facts.previousClose = previous;
    facts.lastVolume = volume;
    facts.decimals = decimals;
    return facts;
}

const ItemFacts kNoData{};
const ItemFacts kOneBar = Facts(1520, kNaN, 0);

struct ExpandCase {
    const char* name;
    const char* pattern;
    ItemFacts facts;
    LabelRuns expected;
};

void PrintTo(const ExpandCase& row, std::ostream* os) { *os << row.name; }

class LabelExpandTest : public ::testing::TestWithParam<ExpandCase> {};

TEST_P(LabelExpandTest, FieldsBecomeTheirValues)
{
    const ExpandCase& row = GetParam();
    const LabelRuns runs =
        ExpandLabel(QString::fromUtf8(row.pattern), QStringLiteral("北斗精機"),
                    QStringLiteral("1301"), row.facts);
    ASSERT_EQ(runs.size(), row.expected.size()) << JoinRuns(runs).toStdString();
    for (std::size_t i = 0; i < runs.size(); ++i) {
        EXPECT_EQ(runs[i].text, row.expected[i].text) << "run " << i;
        EXPECT_EQ(runs[i].tone, row.expected[i].tone) << "run " << i;
    }
}

using T = LabelTone;
const QString kDash = QStringLiteral("—");

INSTANTIATE_TEST_SUITE_P(
    Fields, LabelExpandTest,
    ::testing::Values(
        ExpandCase{"DefaultIsTheNameAlone", "{name}", Facts(1, 1, 0),
                   {{QStringLiteral("北斗精機"), T::Plain}}},
        ExpandCase{"Code", "{code}", kNoData, {{QStringLiteral("1301"), T::Plain}}},
        ExpandCase{"LastInItsDecimals", "{last}", Facts(1234.5, 1200, 1),
                   {{QStringLiteral("1,234.5"), T::Plain}}},
        ExpandCase{"LastWholeYen", "{last}", Facts(38450, 38000, 0),
                   {{QStringLiteral("38,450"), T::Plain}}},
        ExpandCase{"LastFourDecimals", "{last}", Facts(1.08126, 1.08, 4),
                   {{QStringLiteral("1.0813"), T::Plain}}},
        ExpandCase{"ChangeUp", "{change}", Facts(1234.5, 1220, 1),
                   {{QStringLiteral("+14.5"), T::Up}}},
        ExpandCase{"ChangeDown", "{change}", Facts(9870, 11000, 0),
                   {{QStringLiteral("-1,130"), T::Down}}},
        ExpandCase{"ChangeNone", "{change}", Facts(500, 500, 0),
                   {{QStringLiteral("0"), T::Plain}}},
        ExpandCase{"ChangePercentTwoDecimals", "{change%}", Facts(1234.5, 1220, 1),
                   {{QStringLiteral("+1.19%"), T::Up}}},
        ExpandCase{"ChangePercentDown", "{change%}", Facts(90, 120, 0),
                   {{QStringLiteral("-25.00%"), T::Down}}},
        ExpandCase{"Date", "{date}", Facts(1, 1, 0, 20240105),
                   {{QStringLiteral("2024/01/05"), T::Plain}}},
        ExpandCase{"VolumeWithSeparators", "{volume}", Facts(1, 1, 2),
                   {{QStringLiteral("1,234,567"), T::Plain}}},
        ExpandCase{"FieldsAreCaseBlind", "{NAME} {Code}", kNoData,
                   {{QStringLiteral("北斗精機 1301"), T::Plain}}},
        ExpandCase{"TextAndFieldsTogether", "{code} {last} ({change%})", Facts(1234.5, 1220, 1),
                   {{QStringLiteral("1301 1,234.5 ("), T::Plain},
                    {QStringLiteral("+1.19%"), T::Up},
                    {QStringLiteral(")"), T::Plain}}},
        ExpandCase{"OtherBracesStayAsWritten", "{nam} {last", Facts(5, 4, 0),
                   {{QStringLiteral("{nam} {last"), T::Plain}}},
        ExpandCase{"EmptyTemplateIsNoLabel", "", Facts(5, 4, 0), {}}),
    [](const auto& info) { return std::string(info.param.name); });

// Missing values: no series, one bar only, a previous close of zero.
INSTANTIATE_TEST_SUITE_P(
    Unknown, LabelExpandTest,
    ::testing::Values(
        ExpandCase{"LastWithoutData", "{last}", kNoData, {{kDash, T::Plain}}},
        ExpandCase{"ChangeWithoutData", "{change}", kNoData, {{kDash, T::Plain}}},
        ExpandCase{"PercentWithoutData", "{change%}", kNoData, {{kDash, T::Plain}}},
        ExpandCase{"DateWithoutData", "{date}", kNoData, {{kDash, T::Plain}}},
        ExpandCase{"VolumeWithoutData", "{volume}", kNoData, {{kDash, T::Plain}}},
        ExpandCase{"NameWithoutData", "{name}", kNoData, {{QStringLiteral("北斗精機"), T::Plain}}},
        ExpandCase{"ChangeOfOneBar", "{last} {change} {change%}", kOneBar,
                   {{QStringLiteral("1,520 — —"), T::Plain}}},
        ExpandCase{"PercentOfAZeroClose", "{change%}", Facts(3, 0, 0), {{kDash, T::Plain}}},
        ExpandCase{"DateThatIsNoDay", "{date}", Facts(1, 1, 0, 20241341), {{kDash, T::Plain}}},
        ExpandCase{"VolumeNotANumber", "{volume}", Facts(1, 1, 0, 20240105, kNaN),
                   {{kDash, T::Plain}}}),
    [](const auto& info) { return std::string(info.param.name); });

struct GroupCase {
    double value;
    int decimals;
    const char* expected;
};

class FormatGroupedTest : public ::testing::TestWithParam<GroupCase> {};

TEST_P(FormatGroupedTest, DecimalsAndThousands)
{
    EXPECT_EQ(FormatGrouped(GetParam().value, GetParam().decimals),
              QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FormatGroupedTest,
    ::testing::Values(GroupCase{0, 0, "0"}, GroupCase{999, 0, "999"},
                      GroupCase{1000, 0, "1,000"}, GroupCase{1234567.891, 2, "1,234,567.89"},
                      GroupCase{-1234.5, 1, "-1,234.5"}, GroupCase{-0.004, 2, "0.00"},
                      GroupCase{12.5, 9, "12.5000"}, GroupCase{12.5, -3, "13"},
                      GroupCase{100000, 0, "100,000"}, GroupCase{0.00006, 4, "0.0001"}));

TEST(FormatBarDateTest, DaysAndNonDays)
{
    EXPECT_EQ(FormatBarDate(20241230), QStringLiteral("2024/12/30"));
    EXPECT_EQ(FormatBarDate(19990101), QStringLiteral("1999/01/01"));
    for (const std::int32_t bad : {0, -20240101, 20240230, 2024123, 20241300})
        EXPECT_EQ(FormatBarDate(bad), QStringLiteral("—")) << bad;
}

// Controls and direction marks in a name draw as if they were not there.
TEST(LabelControlsTest, DrawAsIfTheyMeantNothing)
{
    const struct {
        QString name;
        QString shown;
    } rows[] = {
        {QStringLiteral("北斗\u202E精機"), QStringLiteral("北斗精機")},
        {QStringLiteral("\u202Babc\u202C\u200F"), QStringLiteral("abc")},
        {QStringLiteral("\u2067x\u2069y\u2066"), QStringLiteral("xy")},
        {QString::fromUtf8("a\x07" "b\r\nc\t", 8) + QChar(0) + QStringLiteral("d"),
         QStringLiteral("abcd")},
        {QStringLiteral("\u0085\u009Fe"), QStringLiteral("e")},
        {QStringLiteral("👨\u200D👩 ok"), QStringLiteral("👨\u200D👩 ok")},
    };
    for (const auto& row : rows) {
        const QString text = JoinRuns(ExpandLabel(QStringLiteral("{name} {last}"), row.name,
                                                  {}, Facts(1452.5, 1434.5, 1)));
        EXPECT_EQ(text, row.shown + QStringLiteral(" 1,452.5")) << row.shown.toStdString();
    }
    // Drawn, the override leaves the price where it would be without it.
    const auto draw = [](const QString& name) {
        QImage image(300, 20, QImage::Format_RGB32);
        image.fill(Qt::black);
        const LabelStyle style{0, 0xFFFFFF, false};
        const LabelRuns runs =
            ExpandLabel(QStringLiteral("{name} {last}"), name, {}, Facts(1452.5, 1434.5, 1));
        QPainter painter(&image);
        PaintLabel(painter, QPoint(0, 0), 300, runs, style);
        painter.end();
        return image;
    };
    EXPECT_EQ(draw(QStringLiteral("ab\u202Ecd")), draw(QStringLiteral("abcd")));
}

} // namespace
