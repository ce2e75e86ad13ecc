#include "model/CatalogSelection.h"
#include "model/ShownOrder.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

using namespace mosgrid;

namespace {

// One step of a selection: a click alone, with Ctrl or with Shift, Ctrl+A, or a reload that
// renumbers the items.
enum class Step { Only, Toggle, Extend, All, Follow };

struct Action {
    Step step;
    int item = -1;
    std::vector<int> next{};  // Follow: old index -> new index or -1
};

struct SelectionCase {
    std::string name;
    std::vector<int> shown;  // the shown order, over 6 items
    std::vector<Action> actions;
    std::vector<int> selected;  // in shown order
    int current;
};

class CatalogSelectionTest : public testing::TestWithParam<SelectionCase> {};

TEST_P(CatalogSelectionTest, EndsWithTheSecuritiesExpected)
{
    const SelectionCase& row = GetParam();
    const ShownOrder order(row.shown, 6);
    CatalogSelection selection;
    for (const Action& action : row.actions) {
        switch (action.step) {
        case Step::Only: selection.SelectOnly(action.item); break;
        case Step::Toggle: selection.Toggle(action.item); break;
        case Step::Extend: selection.ExtendTo(action.item, order); break;
        case Step::All: selection.SelectAll(order); break;
        case Step::Follow: selection.Follow(action.next); break;
        }
    }
    EXPECT_EQ(selection.InShownOrder(order), row.selected);
    EXPECT_EQ(selection.current(), row.current);
    for (int item = 0; item < 6; ++item) {
        const bool expected = std::ranges::find(row.selected, item) != row.selected.end();
        EXPECT_EQ(selection.contains(item), expected) << item;
    }
}

const std::vector<int> kSorted{5, 3, 1, 0, 2, 4};

INSTANTIATE_TEST_SUITE_P(
    Steps, CatalogSelectionTest,
    testing::Values(
        SelectionCase{"PlainClickSelectsOne", kSorted, {{Step::Only, 3}, {Step::Only, 0}}, {0}, 0},
        SelectionCase{"ClickOffTheCellsClears", kSorted, {{Step::Only, 3}, {Step::Only, -1}},
                      {}, -1},
        SelectionCase{"CtrlAddsAndRemoves", kSorted,
                      {{Step::Only, 1}, {Step::Toggle, 4}, {Step::Toggle, 5},
                       {Step::Toggle, 1}},
                      {5, 4}, 1},
        // Ranges run over the shown positions, not the item numbers.
        SelectionCase{"ShiftRangeFollowsTheShownOrder", kSorted,
                      {{Step::Only, 3}, {Step::Extend, 2}}, {3, 1, 0, 2}, 2},
        SelectionCase{"ShiftAgainReplacesTheRangeFromTheSameAnchor", kSorted,
                      {{Step::Only, 1}, {Step::Extend, 4}, {Step::Extend, 5}}, {5, 3, 1}, 5},
        SelectionCase{"ShiftWithoutAnchorSelectsOne", kSorted, {{Step::Extend, 0}}, {0}, 0},
        SelectionCase{"CtrlClickMovesTheAnchor", kSorted,
                      {{Step::Only, 5}, {Step::Toggle, 0}, {Step::Extend, 4}}, {0, 2, 4}, 4},
        SelectionCase{"ShiftToAnItemNotShownDoesNothing", {5, 3}, {{Step::Only, 3},
                      {Step::Extend, 0}}, {3}, 3},
        SelectionCase{"CtrlAOnlyTheShown", {2, 4, 0}, {{Step::All}}, {2, 4, 0}, 2},
        SelectionCase{"CtrlAKeepsTheCurrent", kSorted, {{Step::Only, 0}, {Step::All}}, kSorted,
                      0},
        SelectionCase{"NotShownSortLast", {4, 2}, {{Step::Toggle, 1}, {Step::Toggle, 2}},
                      {2, 1}, 2},
        SelectionCase{"ReloadRenumbersAndDropsTheGone", kSorted,
                      {{Step::Only, 1}, {Step::Toggle, 3}, {Step::Toggle, 4},
                       {Step::Follow, -1, {0, 0, 1, -1, 5, 2}}},
                      {5, 0}, 5}),
    [](const testing::TestParamInfo<SelectionCase>& info) { return info.param.name; });

} // namespace
