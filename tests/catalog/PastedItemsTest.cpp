#include "CatalogTestSupport.h"

#include "catalog/PastedItems.h"

using namespace mosgrid;

namespace {

using catalog_test::PrintTo;

struct PasteRow {
    std::string name;
    std::string text;
    // type, source, code, name of each item, joined by '|'
    std::vector<std::string> expected;
};

const NewListItem kModel{5, "/data/prices.db", "", ""};

std::string Joined(const NewListItem& item)
{
    return std::to_string(item.type) + "|" + item.source + "|" + item.code + "|" + item.name;
}

class PastedItemsTest : public testing::TestWithParam<PasteRow> {};

TEST_P(PastedItemsTest, ReadsEachForm)
{
    const PasteRow& row = GetParam();
    std::vector<std::string> got;
    for (const NewListItem& item : ParsePastedItems(row.text, kModel))
        got.push_back(Joined(item));
    EXPECT_EQ(got, row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, PastedItemsTest,
    testing::Values(
        PasteRow{"CodesAlone", "7203\n6758\n",
                 {"5|/data/prices.db|7203|7203", "5|/data/prices.db|6758|6758"}},
        PasteRow{"CodeTabName", "7203\tトヨタ\r\n6758\tソニー",
                 {"5|/data/prices.db|7203|トヨタ", "5|/data/prices.db|6758|ソニー"}},
        PasteRow{"TabNameStopsAtNextTab", "7203\tトヨタ\t2,500\n",
                 {"5|/data/prices.db|7203|トヨタ"}},
        PasteRow{"CodeCommaName", " 7203 , トヨタ \n", {"5|/data/prices.db|7203|トヨタ"}},
        PasteRow{"WholeListLine", "1,/csv,1301,極洋\n", {"1|/csv|1301|極洋"}},
        PasteRow{"ListLineWithoutName", "1,/csv,1301\n", {"1|/csv|1301|1301"}},
        PasteRow{"ListLineKeepsFieldBytes", "01, rel/dir ,130 ,x y\n",
                 {"1| rel/dir |130 |x y"}},
        PasteRow{"BlankLinesAndBomSkipped", "\xEF\xBB\xBF\n  \n7203\r\n\r\n",
                 {"5|/data/prices.db|7203|7203"}},
        PasteRow{"EmptyCodeSkipped", "\tname only\n,x\n1,/csv,,n\n", {}},
        PasteRow{"MixedForms", "7203\n6758\tソニー\n9984,SBG\n1,/c,1301,極洋",
                 {"5|/data/prices.db|7203|7203", "5|/data/prices.db|6758|ソニー",
                  "5|/data/prices.db|9984|SBG", "1|/c|1301|極洋"}},
        PasteRow{"Nothing", "", {}}),
    RowName<PasteRow>);

} // namespace
