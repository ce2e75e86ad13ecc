#include "CatalogTestSupport.h"

#include "catalog/ListEditHistory.h"
#include "catalog/ListEdits.h"
#include "catalog/ListFileWriter.h"

using namespace mosgrid;

namespace {

// Steps on a history, each with what the list then holds and what may be done next.
enum class Step { Record, Undo, Redo };

struct HistoryStep {
    Step step;
    std::string bytes;  // Record: the new bytes; Undo / Redo: the bytes they must give
    bool canUndo;
    bool canRedo;
};

TEST(ListEditHistory, UndoAndRedoWalkTheEditsInOrder)
{
    const HistoryStep steps[] = {
        {Step::Record, "B", true, false}, {Step::Record, "C", true, false},
        {Step::Undo, "B", true, true},    {Step::Undo, "A", false, true},
        {Step::Redo, "B", true, true},    {Step::Record, "D", true, false},
        {Step::Undo, "B", true, true},    {Step::Redo, "D", true, false},
    };
    ListEditHistory history;
    std::string current = "A";
    for (const HistoryStep& step : steps) {
        switch (step.step) {
        case Step::Record:
            history.Record(current, step.bytes);
            current = step.bytes;
            break;
        case Step::Undo:
            ASSERT_TRUE(history.CanUndo(current));
            current = history.UndoBytes();
            history.Undone();
            break;
        case Step::Redo:
            ASSERT_TRUE(history.CanRedo(current));
            current = history.RedoBytes();
            history.Redone();
            break;
        }
        EXPECT_EQ(current, step.bytes);
        EXPECT_EQ(history.CanUndo(current), step.canUndo) << "after " << step.bytes;
        EXPECT_EQ(history.CanRedo(current), step.canRedo) << "after " << step.bytes;
    }
    EXPECT_EQ(history.UndoCount(), 2u); // A>B, B>D: B>C went with the new edit
    EXPECT_EQ(history.RedoCount(), 0u);
}

TEST(ListEditHistory, ListChangedElsewhereCannotBeUndone)
{
    ListEditHistory history;
    history.Record("A", "B");
    EXPECT_FALSE(history.CanUndo("B reloaded"));
    history.Undone();
    EXPECT_FALSE(history.CanRedo("A reloaded"));
    history.Clear();
    EXPECT_FALSE(history.CanRedo("A"));
}

TEST(ListEditHistory, OldestEditsGoOverTheBudget)
{
    ListEditHistory history(10); // bytes
    history.Record("aa", "bb");
    history.Record("bb", "cc");
    history.Record("cc", "dd");  // 12 bytes: the first goes
    EXPECT_EQ(history.UndoCount(), 2u);
    history.Record("dd", std::string(20, 'e')); // alone over the budget, still kept
    EXPECT_EQ(history.UndoCount(), 1u);
    EXPECT_TRUE(history.CanUndo(std::string(20, 'e')));
    EXPECT_EQ(history.UndoBytes(), "dd");
}

// Edits written one after the other and undone through the file give back the first bytes.
TEST(ListEditHistory, UndoneEditsRestoreTheFile)
{
    QTemporaryDir dir;
    const std::string original = "\xEF\xBB\xBF" "1,d,1001,a\r\n\r\n2,d,1002,b\r\n";
    const std::string path = WriteListFile(dir, original);
    ListFileWriter file(path);
    std::string bytes;
    ASSERT_EQ(file.Read(bytes), ListFileError::None);
    ListEditHistory history;
    ListDocument list(bytes);
    const auto apply = [&](const ListEditResult& result) {
        ASSERT_TRUE(result.ok());
        ASSERT_EQ(file.Write(result.document.Bytes()), ListFileError::None);
        history.Record(list.Bytes(), result.document.Bytes());
        list = result.document;
    };
    apply(InsertListItems(list, 1, {{5, "/s", "1005", "n"}}, path));
    apply(MoveListItem(list, 0, 1));
    apply(DeleteListItems(list, {2}));
    while (history.CanUndo(list.Bytes())) {
        ASSERT_EQ(file.Write(history.UndoBytes()), ListFileError::None);
        list = ListDocument(history.UndoBytes());
        history.Undone();
    }
    EXPECT_EQ(ReadBytes(path), original);
}

} // namespace
