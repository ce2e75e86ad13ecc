// Editing the open list from the Edit menu, new lists, folders as catalogs, saving what is shown.
#include "../view/FakeComponents.h"

#include "app/CCatalogApp.h"
#include "app/CMainFrame.h"
#include "app/EditCommands.h"
#include "app/FileCommands.h"
#include "base/EditTexts.h"
#include "base/MessageBox.h"
#include "support/TestFolders.h"
#include "view/CCatalogView.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

using namespace mosgrid;

namespace {

#define SJ_TOYOTA "\x83\x67\x83\x88\x83\x5E"
#define SJ_SONY "\x83\x5C\x83\x6A\x81\x5B"

std::string Path(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

class EditCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        ASSERT_TRUE(WriteFileBytes(m_folder.filePath(QStringLiteral("mosgrid.ini")),
                                   "[Chart]\nSizeX=100\nSizeY=50\n"));
        SetMessageBoxHandler([this](const QString& text) { m_messages << text; });
    }

    void TearDown() override
    {
        SetMessageBoxHandler([](const QString& text) { ADD_FAILURE() << text.toStdString(); });
    }

    // The program started on list (a path; empty for none), its edits answered by the test.
    void Start(const std::string& list)
    {
        m_app = std::make_unique<CCatalogApp>(m_folder.exeDir() + "mosgrid");
        ASSERT_TRUE(m_app->InitInstance(list.empty() ? std::vector<std::string>{}
                                                     : std::vector<std::string>{list}));
        m_frame = m_app->mainFrame();
        m_view = m_frame->GetCatalogView();
        m_view->model().SetComponentProvider(&m_provider);
        m_view->model().builder().SetWorkerCount(1);
        m_edit = m_frame->editCommands();
        ASSERT_NE(m_edit, nullptr);
        m_edit->SetPathChooser([this](const QString&) { return m_chosenPath; });
        m_edit->SetConfirmer([this](const QString& question) {
            m_questions << question;
            return true;
        });
        if (!list.empty())
            m_view->LoadList();
    }

    std::string WriteList(const QString& name, const std::string& bytes)
    {
        const QString path = m_folder.filePath(name);
        EXPECT_TRUE(WriteFileBytes(path, QByteArray::fromStdString(bytes)));
        return Path(path);
    }

    std::vector<std::string> Codes() const
    {
        std::vector<std::string> codes;
        for (const auto& item : m_view->model().items())
            codes.push_back(item->m_strCode);
        return codes;
    }

    void Trigger(const QString& text)
    {
        QAction* action = m_edit->action(text);
        ASSERT_NE(action, nullptr) << text.toStdString();
        action->trigger();
    }

    TestProgramFolder m_folder{QStringList{}, false};
    FakeProvider m_provider;
    std::unique_ptr<CCatalogApp> m_app;
    CMainFrame* m_frame = nullptr;
    CCatalogView* m_view = nullptr;
    EditCommands* m_edit = nullptr;
    QString m_chosenPath;
    QStringList m_messages;
    QStringList m_questions;
};

struct PasteRow {
    std::string name;
    std::string list;
    int selected;
    QString clipboard;
    std::string expected;  // the file after the paste
    int messages;          // message boxes shown
};

class PasteCommandTest : public EditCommandsTest, public testing::WithParamInterface<PasteRow> {};

TEST_P(PasteCommandTest, PastesAfterTheSelectedInTheListsEncoding)
{
    const PasteRow& row = GetParam();
    const std::string list = WriteList(QStringLiteral("w.lst"), row.list);
    Start(list);
    m_view->model().SelectOnly(row.selected);
    m_edit->PasteText(row.clipboard);
    EXPECT_EQ(ReadFileBytes(QFile::decodeName(list.c_str())).toStdString(), row.expected);
    EXPECT_EQ(m_messages.size(), row.messages) << m_messages.join(u'|').toStdString();
    // The grid shows the file as written.
    EXPECT_EQ(int(m_view->model().items().size()),
              std::count(row.expected.begin(), row.expected.end(), '\n'));
}

INSTANTIATE_TEST_SUITE_P(
    Forms, PasteCommandTest,
    testing::Values(
        PasteRow{"CodesTakeSelectedSource", "1,/a,1,x\n5,/b.db,2,y\n", 0, "7203\n6758",
                 "1,/a,1,x\n1,/a,7203,7203\n1,/a,6758,6758\n5,/b.db,2,y\n", 0},
        PasteRow{"NoSelectionAppendsWithLastSource", "1,/a,1,x\r\n5,/b.db,2,y\r\n", -1,
                 "7203\tトヨタ", "1,/a,1,x\r\n5,/b.db,2,y\r\n5,/b.db,7203,トヨタ\r\n", 0},
        PasteRow{"ShiftJisListGetsShiftJis", "1,/a,1," SJ_TOYOTA "\r\n", 0, "6758,ソニー",
                 "1,/a,1," SJ_TOYOTA "\r\n1,/a,6758," SJ_SONY "\r\n", 0},
        PasteRow{"UnencodableNameRefused", "1,/a,1," SJ_TOYOTA "\r\n", 0, "1,/a,9,😀",
                 "1,/a,1," SJ_TOYOTA "\r\n", 1},
        PasteRow{"WholeListLines", "\xEF\xBB\xBF" "1,/a,1,x\n", 0, "5,/p.db,9,n\n1,/c,8,m\n",
                 "\xEF\xBB\xBF" "1,/a,1,x\n5,/p.db,9,n\n1,/c,8,m\n", 0},
        PasteRow{"NothingReadable", "1,/a,1,x\n", 0, "\n \n", "1,/a,1,x\n", 0}),
    [](const testing::TestParamInfo<PasteRow>& info) { return info.param.name; });

// Each step through the menu, with the grid's codes after it.
TEST_F(EditCommandsTest, EditsUndoAndRedoThroughTheMenu)
{
    const std::string list = WriteList(QStringLiteral("w.lst"), "1,/a,a,a\n1,/a,b,b\n1,/a,c,c\n");
    Start(list);
    struct Step {
        std::function<void()> act;
        std::vector<std::string> codes;
        int selected;
    };
    const std::vector<Step> steps{
        {[&] { m_view->model().SelectOnly(2); Trigger(EditTexts::kMenuMoveUp); }, {"a", "c", "b"}, 1},
        {[&] { Trigger(EditTexts::kMenuMoveUp); }, {"c", "a", "b"}, 0},
        {[&] { Trigger(EditTexts::kMenuMoveUp); }, {"c", "a", "b"}, 0},  // at the top already
        {[&] { Trigger(EditTexts::kMenuDelete); }, {"a", "b"}, 0},
        {[&] { m_edit->SetAddDialog([](const NewListItem& model) {
                   return std::optional<NewListItem>(NewListItem{model.type, model.source,
                                                                 "z", "zz"});
               });
               Trigger(EditTexts::kMenuAdd); },
         {"a", "z", "b"}, 1},
        {[&] { Trigger(EditTexts::kMenuUndo); }, {"a", "b"}, -2},
        {[&] { Trigger(EditTexts::kMenuUndo); }, {"c", "a", "b"}, -2},
        {[&] { Trigger(EditTexts::kMenuRedo); }, {"a", "b"}, -2},
        {[&] { m_view->model().SelectOnly(0); Trigger(EditTexts::kMenuMoveDown); }, {"b", "a"}, 1},
        {[&] { Trigger(EditTexts::kMenuRedo); }, {"b", "a"}, -2},  // a new edit ends redo
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        steps[i].act();
        EXPECT_EQ(Codes(), steps[i].codes) << "step " << i;
        if (steps[i].selected != -2)
            EXPECT_EQ(m_view->selectedItem(), steps[i].selected) << "step " << i;
    }
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join(u'|').toStdString();
}

// A change by another program that the grid has not shown is read first, never overwritten.
TEST_F(EditCommandsTest, AChangeNotReadIsReloadedInsteadOfOverwritten)
{
    const std::string list = WriteList(QStringLiteral("w.lst"), "1,/a,a,a\n1,/a,b,b\n");
    Start(list);
    m_view->model().SelectOnly(0);
    const std::string theirs = "1,/a,b,b\n1,/a,q,q\n1,/a,a,a\n";
    WriteList(QStringLiteral("w.lst"), theirs);
    Trigger(EditTexts::kMenuDelete);
    EXPECT_EQ(ReadFileBytes(QFile::decodeName(list.c_str())).toStdString(), theirs);
    EXPECT_EQ(Codes(), (std::vector<std::string>{"b", "q", "a"}));
    EXPECT_EQ(m_messages, QStringList{EditTexts::kChangedOnDisk});
}

// Lists that cannot be rewritten are saved under a new name first, then edited there.
TEST_F(EditCommandsTest, UnwritableListsAreSavedAsANewListFirst)
{
    struct Case {
        std::string name;
        std::function<std::string()> open;  // the path given on the command line
        std::string expected;               // the new list after the paste
    };
    const QString prices = m_folder.filePath(QStringLiteral("prices"));
    ASSERT_TRUE(QDir().mkpath(prices));
    for (const char* code : {"7203", "1301"})
        ASSERT_TRUE(WriteFileBytes(prices + "/" + code + ".csv", "20260101,1\n"));
    const std::vector<Case> cases{
        {"Folder", [&] { return Path(prices); },
         "1,prices,1301,1301\n1,prices,7203,7203\n1,prices,9984,9984\n"},
        {"ReadOnlyFile",
         [&] {
             const std::string path = WriteList(QStringLiteral("ro.lst"), "1,/a,1,x\r\n");
             QFile::setPermissions(QFile::decodeName(path.c_str()), QFile::ReadOwner);
             return path;
         },
         "1,/a,1,x\r\n1,/a,9984,9984\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Start(c.open());
        m_view->model().SelectOnly(int(m_view->model().items().size()) - 1);
        m_chosenPath = m_folder.filePath(QString::fromStdString(c.name) + ".lst");
        m_questions.clear();
        EXPECT_TRUE(m_edit->PasteText(QStringLiteral("9984")));
        EXPECT_EQ(m_questions.size(), 1);
        EXPECT_EQ(m_view->listFile(), Path(m_chosenPath));
        EXPECT_EQ(ReadFileBytes(m_chosenPath).toStdString(), c.expected);
        EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join(u'|').toStdString();
    }
}

// A folder chosen in the File menu is listed on a worker, then shown.
TEST_F(EditCommandsTest, AFolderOpensAsACatalogListedOnAWorker)
{
    const QString prices = m_folder.filePath(QStringLiteral("prices"));
    ASSERT_TRUE(QDir().mkpath(prices));
    for (const char* code : {"7203", "1301", "9984"})
        ASSERT_TRUE(WriteFileBytes(prices + "/" + code + ".csv", "1\n"));
    ASSERT_TRUE(WriteFileBytes(prices + "/notes.txt", "x"));
    Start({});
    m_edit->SetFolderChooser([&](const QString&) { return prices; });
    Trigger(EditTexts::kMenuOpenFolder);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !m_view->model().items().empty(); }, 20000));
    EXPECT_EQ(Codes(), (std::vector<std::string>{"1301", "7203", "9984"}));
    EXPECT_EQ(m_view->model().items().front()->m_strSource, m_view->listFile());
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join(u'|').toStdString();
}

TEST_F(EditCommandsTest, ANewListIsSavedAtItsFirstEdit)
{
    Start({});
    Trigger(EditTexts::kMenuNewList);
    EXPECT_TRUE(m_view->model().items().empty());
    m_chosenPath = m_folder.filePath(QStringLiteral("new.lst"));
    m_edit->SetAddDialog([](const NewListItem&) {
        return std::optional<NewListItem>(NewListItem{5, "/p.db", "7203", "トヨタ"});
    });
    Trigger(EditTexts::kMenuAdd);
    EXPECT_EQ(m_view->listFile(), Path(m_chosenPath));
    EXPECT_EQ(ReadFileBytes(m_chosenPath).toStdString(), "5,/p.db,7203,トヨタ\n");
    EXPECT_EQ(Codes(), std::vector<std::string>{"7203"});
    EXPECT_TRUE(m_edit->action(EditTexts::kMenuUndo)->isEnabled());

    // Another new list has nothing to undo: no question for a name either.
    Trigger(EditTexts::kMenuNewList);
    EXPECT_FALSE(m_edit->action(EditTexts::kMenuUndo)->isEnabled());
    m_chosenPath.clear();
    m_edit->OnUndo();
    EXPECT_EQ(ReadFileBytes(m_folder.filePath(QStringLiteral("new.lst"))).toStdString(),
              "5,/p.db,7203,トヨタ\n");
}

struct SavedRow {
    std::string name;
    std::string list;
    std::vector<int> shown;
    std::vector<int> selected;
    std::string expected;
};

class SaveShownTest : public EditCommandsTest, public testing::WithParamInterface<SavedRow> {};

// The shown (or several selected) securities in shown order, each line as the list has it.
TEST_P(SaveShownTest, WritesTheLinesAsTheListHasThem)
{
    const SavedRow& row = GetParam();
    Start(WriteList(QStringLiteral("w.lst"), row.list));
    EditCommands::Hooks hooks;
    hooks.shownItems = [&row] { return row.shown; };
    hooks.selectedItems = [&row] { return row.selected; };
    hooks.selectItems = [](const std::vector<int>&) {};
    EditCommands commands(*m_frame, *m_view, *m_frame->fileCommands(), hooks);
    m_chosenPath = m_folder.filePath(QStringLiteral("shown.lst"));
    commands.SetPathChooser([this](const QString&) { return m_chosenPath; });
    commands.OnSaveShown();
    EXPECT_EQ(ReadFileBytes(m_chosenPath).toStdString(), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, SaveShownTest,
    testing::Values(
        SavedRow{"Utf8", "1,/a,1,トヨタ\n1,/a,2,ソニー\n1,/a,3,c\n", {2, 0, 1}, {0},
                 "1,/a,3,c\n1,/a,1,トヨタ\n1,/a,2,ソニー\n"},
        SavedRow{"Utf8BomSelectedSeveral", "\xEF\xBB\xBF" "1,/a,1,x\n1,/a,2,y\n1,/a,3,z",
                 {2, 1, 0}, {0, 2}, "\xEF\xBB\xBF" "1,/a,3,z\n1,/a,1,x\n"},
        SavedRow{"ShiftJisCrLf", "1,/a,1," SJ_TOYOTA "\r\n\r\n1,/a,2," SJ_SONY "\r\n", {1},
                 {}, "1,/a,2," SJ_SONY "\r\n"}),
    [](const testing::TestParamInfo<SavedRow>& info) { return info.param.name; });

} // namespace
