// A re-read list matched to the list before it, security by security.
#include "catalog/ItemMatching.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace mosgrid;

namespace {

// "c" is security c of source s, type 1, named after its code; "c/n" names it n.
CatalogItemList Items(const std::vector<std::string>& codes)
{
    CatalogItemList items;
    for (const std::string& entry : codes) {
        auto item = std::make_unique<CatalogItem>();
        item->m_nType = 1;
        item->m_strSource = "s";
        const auto slash = entry.find('/');
        item->m_strCode = entry.substr(0, slash);
        item->m_strName = slash == std::string::npos ? entry : entry.substr(slash + 1);
        items.push_back(std::move(item));
    }
    return items;
}

struct MatchCase {
    const char* name;
    std::vector<std::string> before;
    std::vector<std::string> after;
    std::vector<int> previous;
    std::vector<int> next;
    bool same;
};

void PrintTo(const MatchCase& row, std::ostream* os) { *os << row.name; }

class ItemMatchingTest : public ::testing::TestWithParam<MatchCase> {};

TEST_P(ItemMatchingTest, EachNewItemFindsItsOldSelf)
{
    const MatchCase& row = GetParam();
    const CatalogItemList before = Items(row.before);
    const CatalogItemList after = Items(row.after);
    const std::vector<int> previous = MatchItems(before, after);
    EXPECT_EQ(previous, row.previous);
    EXPECT_EQ(InvertMatch(previous, int(before.size())), row.next);
    EXPECT_EQ(IsSameList(previous, int(before.size())), row.same);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ItemMatchingTest,
    ::testing::Values(
        MatchCase{"Unchanged", {"a", "b", "c"}, {"a", "b", "c"}, {0, 1, 2}, {0, 1, 2}, true},
        MatchCase{"Reversed", {"a", "b", "c"}, {"c", "b", "a"}, {2, 1, 0}, {2, 1, 0}, false},
        MatchCase{"InsertedFirst", {"a", "b"}, {"x", "a", "b"}, {-1, 0, 1}, {1, 2}, false},
        MatchCase{"RemovedMiddle", {"a", "b", "c"}, {"a", "c"}, {0, 2}, {0, -1, 1}, false},
        MatchCase{"RenamedIsAnotherSecurity", {"a/Old", "b"}, {"a/New", "b"}, {-1, 1},
                  {-1, 1}, false},
        // Repeats pair up in order: the first with the first.
        MatchCase{"DuplicatesInOrder", {"a", "b", "a", "a"}, {"a", "a", "b"}, {0, 2, 1},
                  {0, 2, 1, -1}, false},
        MatchCase{"DuplicateAdded", {"a"}, {"a", "a"}, {0, -1}, {0}, false},
        MatchCase{"AllNew", {"a"}, {"b", "c"}, {-1, -1}, {-1}, false},
        MatchCase{"Emptied", {"a", "b"}, {}, {}, {-1, -1}, false},
        MatchCase{"BothEmpty", {}, {}, {}, {}, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ItemMatching, EveryFieldCountsAndNoTwoSecuritiesShareAKey)
{
    CatalogItemList before = Items({"a", "a", "a", "a"});
    before[1]->m_nType = 2;
    before[2]->m_strSource = "t";
    // The same bytes split differently between the fields is another security.
    before[3]->m_strSource = "s:1";
    before[3]->m_strCode = "";
    CatalogItemList after = Items({"a", "a", "a", "a"});
    after[0]->m_strSource = "t";
    after[1]->m_nType = 2;
    after[3]->m_strSource = "s";
    after[3]->m_strCode = ":1a";
    EXPECT_EQ(MatchItems(before, after), (std::vector<int>{2, 1, 0, -1}));
}

} // namespace
