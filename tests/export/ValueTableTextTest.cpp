// The value table's lines: fixed columns, the union of indicator columns, marks.
#include "base/LabelTexts.h"
#include "chart/DataProblemText.h"
#include "export/CsvValueTable.h"
#include "export/ExportTarget.h"
#include "export/ValueTableText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace mosgrid;

namespace {

constexpr std::int32_t kToday = 20240610;
constexpr int kStaleDays = 7;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

CatalogItemList Items(std::initializer_list<const char*> names)
{
    CatalogItemList items;
    int code = 1301;
    for (const char* name : names) {
        auto item = std::make_unique<CatalogItem>();
        item->m_nType = 1;
        item->m_strSource = "data";
        item->m_strCode = std::to_string(code++);
        item->m_strName = name;
        items.push_back(std::move(item));
    }
    return items;
}

ValueRow Row(std::int32_t date, std::vector<quorex::IndicatorValue> values = {})
{
    ValueRow row;
    row.facts = FactsOf(std::vector<quorex::PriceBar>{{date - 1, 10, 11, 9, 100.5, 5},
                                                       {date, 100, 103.25, 99, 102.5, 1200}});
    row.values = std::move(values);
    return row;
}

// The cells of each line after the byte-order mark, split on commas outside quotes.
std::vector<QStringList> Cells(const QByteArray& text)
{
    std::vector<QStringList> lines;
    const QString body = QString::fromUtf8(text.mid(CsvValueTable::Start().size()));
    for (const QString& line : body.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        QStringList cells{QString()};
        bool quoted = false;
        for (qsizetype i = 0; i < line.size(); ++i) {
            const QChar c = line[i];
            if (c == QLatin1Char('"') && quoted && i + 1 < line.size() && line[i + 1] == c) {
                cells.last() += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = !quoted;
            } else if (c == QLatin1Char(',') && !quoted) {
                cells << QString();
            } else {
                cells.last() += c;
            }
        }
        lines.push_back(cells);
    }
    return lines;
}

TEST(ValueTableText, HeadsFixedColumnsThenEveryIndicatorLineOnce)
{
    const CatalogItemList items = Items({"a", "b", "c"});
    const std::vector<ValueRow> rows{
        Row(kToday, {{"MA(25)", 101.25}, {"RSI(14)", 55.123456}}),
        Row(kToday, {{"MA(25)", 99}, {"BB upper(20,2)", 110}, {"RSI(14)", kNaN}}),
        Row(kToday),
    };
    const std::vector<int> order{2, 0, 1};
    const QByteArray text = ValueTableText::Text(items, order, rows, kStaleDays, kToday);
    ASSERT_TRUE(text.startsWith(CsvValueTable::Start() + kValueTableHeadStart));
    const std::vector<QStringList> lines = Cells(text);
    ASSERT_EQ(lines.size(), 4u);
    const QStringList head = lines[0];
    EXPECT_EQ(head.mid(head.size() - 3),
              (QStringList{"MA(25)", "RSI(14)", "BB upper(20,2)"}));
    const struct {
        int line;
        const char* code;
        const char* ma;
        const char* rsi;
        const char* band;
    } expected[] = {
        {1, "1303", "101.25", "55.1235", ""},
        {2, "1301", "99", "", "110"},
        {3, "1302", "", "", ""},
    };
    for (const auto& row : expected) {
        const QStringList& cells = lines[std::size_t(row.line)];
        ASSERT_EQ(cells.size(), head.size()) << row.line;
        EXPECT_EQ(cells[0], row.code);
        EXPECT_EQ(cells[head.indexOf("MA(25)")], row.ma) << row.line;
        EXPECT_EQ(cells[head.indexOf("RSI(14)")], row.rsi) << row.line;
        EXPECT_EQ(cells[head.indexOf("BB upper(20,2)")], row.band) << row.line;
    }
}

TEST(ValueTableText, FixedColumnsAndMarksPerSecurity)
{
    const CatalogItemList items = Items({"北斗, 精機", "b", "c", "d"});
    ValueRow missing;
    missing.facts.problem = quorex::DataProblem::FileMissing;
    missing.flag = FlagColor::Blue;
    const std::vector<ValueRow> rows{Row(kToday), Row(20240520), Row(20240620), missing};
    const std::vector<int> order{0, 1, 2, 3};
    const std::vector<QStringList> lines =
        Cells(ValueTableText::Text(items, order, rows, kStaleDays, kToday));
    ASSERT_EQ(lines.size(), 5u);
    const QStringList head = lines[0];
    const auto cell = [&](int line, const char* column) {
        return lines[std::size_t(line)][head.indexOf(QString::fromUtf8(column))];
    };
    EXPECT_EQ(cell(1, "name"), QStringLiteral("北斗, 精機")) << "quoted, kept whole";
    const struct {
        const char* column;
        const char* text;
    } first[] = {{"type", "1"},      {"source", "data"}, {"date", "2024/06/10"},
                 {"open", "100.00"}, {"high", "103.25"}, {"low", "99.00"},
                 {"close", "102.50"}, {"volume", "1200"}, {"change", "2.00"},
                 {"change %", "1.99005"}, {"problem", ""}, {"flag", "0"}};
    for (const auto& row : first)
        EXPECT_EQ(cell(1, row.column), QString::fromUtf8(row.text)) << row.column;
    EXPECT_EQ(cell(2, "problem"), LabelTexts::kStaleGroup);
    EXPECT_EQ(cell(3, "problem"), LabelTexts::kFutureDate);
    EXPECT_EQ(cell(4, "problem"), DataProblemText(quorex::DataProblem::FileMissing));
    EXPECT_EQ(cell(4, "close"), QString());
    EXPECT_EQ(cell(4, "flag"), QStringLiteral("5")) << "flagged without data still says so";
    EXPECT_EQ(lines[4].size(), head.size());

    // Badges off: no stale mark.
    const std::vector<QStringList> off =
        Cells(ValueTableText::Text(items, order, rows, 0, kToday));
    EXPECT_EQ(off[2][head.indexOf("problem")], QString());
}

} // namespace
