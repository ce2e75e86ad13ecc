#include "app/EditCommands.h"

#include "app/CommandString.h"
#include "app/AddSecurityDialog.h"
#include "app/FileCommands.h"
#include "base/EditTexts.h"
#include "base/MessageBox.h"
#include "catalog/CListFileReader.h"
#include "catalog/PastedItems.h"
#include "catalog/ShownListWriter.h"
#include "catalog/SourceCatalog.h"
#include "view/CCatalogView.h"
#include "view/SelectionClipboard.h"

#include <QAction>
#include <QClipboard>
#include <QMimeData>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QMainWindow>

#include <algorithm>
#include <cstring>
#include <numeric>
#include <unordered_set>

namespace mosgrid {

namespace {

constexpr int kStatusMs = 5000;

QString Shown(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string Bytes(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QString FieldOf(const NewListItem& item, ListField field)
{
    switch (field) {
    case fieldSource:
        return Shown(item.source);
    case fieldCode:
        return QString::fromStdString(item.code);
    case fieldName:
        return QString::fromStdString(item.name);
    default:
        return QString::number(item.type);
    }
}

} // namespace

EditCommands::EditCommands(QWidget& window, CCatalogView& view, FileCommands& files,
                           Hooks hooks)
    : QObject(&window)
    , m_window(window)
    , m_view(view)
    , m_files(files)
    , m_hooks(std::move(hooks))
{
}

QAction* EditCommands::AddAction(QMenu* menu, QAction* before, const QString& text,
                                 const QString& commandString, const QKeySequence& key)
{
    auto* action = new QAction(text, menu);
    SetCommandString(action, commandString);
    action->setShortcut(key);
    menu->insertAction(before, action);
    m_actions << action;
    return action;
}

void EditCommands::Install(QMenuBar* bar, QMenu* fileMenu)
{
    using namespace EditTexts;
    const QList<QAction*> menus = bar->actions();
    const int fileAt = int(menus.indexOf(fileMenu->menuAction()));
    auto* edit = new QMenu(kMenuEdit, bar);
    bar->insertMenu(menus.value(fileAt + 1), edit);
    // Another list may have been opened since the last edit.
    connect(edit, &QMenu::aboutToShow, this, &EditCommands::UpdateActions);

    connect(AddAction(edit, nullptr, kMenuAdd, kCmdAdd, QKeySequence(Qt::Key_Insert)),
            &QAction::triggered, this, &EditCommands::OnAdd);
    connect(AddAction(edit, nullptr, kMenuDelete, kCmdDelete, QKeySequence(Qt::Key_Delete)),
            &QAction::triggered, this, &EditCommands::OnDelete);
    connect(AddAction(edit, nullptr, kMenuMoveUp, kCmdMoveUp,
                      QKeySequence(Qt::CTRL | Qt::Key_Up)),
            &QAction::triggered, this, [this] { OnMove(-1); });
    connect(AddAction(edit, nullptr, kMenuMoveDown, kCmdMoveDown,
                      QKeySequence(Qt::CTRL | Qt::Key_Down)),
            &QAction::triggered, this, [this] { OnMove(1); });
    connect(AddAction(edit, nullptr, kMenuPaste, kCmdPaste, QKeySequence(Qt::CTRL | Qt::Key_V)),
            &QAction::triggered, this, &EditCommands::OnPaste);
    edit->addSeparator();
    m_undo = AddAction(edit, nullptr, kMenuUndo, kCmdUndo, QKeySequence(Qt::CTRL | Qt::Key_Z));
    connect(m_undo, &QAction::triggered, this, &EditCommands::OnUndo);
    m_redo = AddAction(edit, nullptr, kMenuRedo, kCmdRedo, QKeySequence(Qt::CTRL | Qt::Key_Y));
    connect(m_redo, &QAction::triggered, this, &EditCommands::OnRedo);
    UpdateActions();

    // ファイル: new list before 開く, open folder after it, the saves after エクスポート.
    const QList<QAction*> items = fileMenu->actions();
    QAction* open = m_files.openAction();
    QAction* afterOpen = items.value(int(items.indexOf(open)) + 1);
    QAction* afterExport = items.value(int(items.indexOf(m_files.exportAction())) + 1);
    connect(AddAction(fileMenu, open, kMenuNewList, kCmdNewList,
                      QKeySequence(Qt::CTRL | Qt::Key_N)),
            &QAction::triggered, this, &EditCommands::OnNewList);
    connect(AddAction(fileMenu, afterOpen, kMenuOpenFolder, kCmdOpenFolder, {}),
            &QAction::triggered, this, &EditCommands::OnOpenFolder);
    connect(AddAction(fileMenu, afterExport, kMenuSaveAs, kCmdSaveAs, {}),
            &QAction::triggered, this, &EditCommands::OnSaveAs);
    connect(AddAction(fileMenu, afterExport, kMenuSaveShown, kCmdSaveShown, {}),
            &QAction::triggered, this, &EditCommands::OnSaveShown);
}

QAction* EditCommands::action(const QString& text) const
{
    for (QAction* candidate : m_actions) {
        if (candidate->text() == text)
            return candidate;
    }
    return nullptr;
}

void EditCommands::OnAdd()
{
    const NewListItem model = ModelItem();
    std::optional<NewListItem> item;
    if (m_addDialog) {
        item = m_addDialog(model);
    } else if (IComponentProvider* provider = m_view.model().componentProvider()) {
        item = AddSecurityDialog::Ask(&m_window, *provider, m_view.paths().iniFile, model);
    }
    if (item)
        AddItems({*item});
}

void EditCommands::OnDelete()
{
    const std::vector<int> items = m_hooks.selectedItems();
    if (!items.empty())
        Apply([items](ListEditSession& session) { return session.Delete(items); });
}

void EditCommands::OnMove(int step)
{
    const std::vector<int> items = m_hooks.selectedItems();
    if (!items.empty())
        Apply([items, step](ListEditSession& session) { return session.Move(items, step); });
}

void EditCommands::OnPaste()
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr)
        return;
    // Securities copied from a grid come with their sources as whole list lines.
    const QMimeData* data = clipboard->mimeData();
    if (data != nullptr && data->hasFormat(kListLinesMimeType))
        PasteText(QString::fromUtf8(data->data(kListLinesMimeType)));
    else
        PasteText(clipboard->text());
}

bool EditCommands::PasteText(const QString& text)
{
    const std::string bytes = text.toStdString();
    const std::vector<NewListItem> items = ParsePastedItems(bytes, ModelItem());
    if (items.empty()) {
        ShowStatus(EditTexts::kNothingPasted);
        return false;
    }
    return AddItems(items);
}

bool EditCommands::AddItems(const std::vector<NewListItem>& items)
{
    const int position = InsertPosition();
    m_added = items;
    const bool done = Apply([position, &items](ListEditSession& session) {
        return session.Insert(position, items);
    });
    m_added.clear();
    return done;
}

void EditCommands::OnUndo()
{
    // Only the edits of the list open now: another list, a folder or a new list has none.
    if (m_session.Path() == m_view.listFile())
        Apply([](ListEditSession& session) { return session.Undo(); });
    UpdateActions();
}

void EditCommands::OnRedo()
{
    if (m_session.Path() == m_view.listFile())
        Apply([](ListEditSession& session) { return session.Redo(); });
    UpdateActions();
}

bool EditCommands::Apply(const Edit& edit)
{
    std::string path;
    if (PrepareList(path) == Readiness::Stop)
        return false;
    ListEditOutcome outcome = edit(m_session);
    if (outcome.status == ListEditStatus::FileProblem
        && outcome.fileError == ListFileError::ReadOnly) {
        if (!OfferSaveAs(EditTexts::kWhyReadOnly) || PrepareList(path) == Readiness::Stop)
            return false;
        outcome = edit(m_session);
    }
    if (!outcome.done()) {
        Report(outcome);
        UpdateActions();
        return false;
    }
    AfterWrite(outcome);
    return true;
}

EditCommands::Readiness EditCommands::PrepareList(std::string& path)
{
    Readiness readiness = Readiness::Ready;
    path = m_view.listFile();
    if (path.empty()) {
        // A new list is saved when it is first edited.
        const QString target = ChooseSavePath(EditTexts::kSaveCaption);
        if (target.isEmpty())
            return Readiness::Stop;
        if (const int error = WriteListFileAtomically(Bytes(target), {})) {
            ShowMessageBox(EditTexts::kCannotSave.arg(target, QString::fromLocal8Bit(
                                                                  std::strerror(error))));
            return Readiness::Stop;
        }
        if (!m_files.OpenList(Bytes(target)))
            return Readiness::Stop;
        m_newList = false;
        readiness = Readiness::Saved;
    } else if (SourceCatalogKindOf(path) != SourceCatalogKind::None) {
        if (!OfferSaveAs(EditTexts::kWhyFolder))
            return Readiness::Stop;
        readiness = Readiness::Saved;
    }
    path = m_view.listFile();
    ListFileError error = m_session.Read(path);
    if (error == ListFileError::NotRegularFile || error == ListFileError::CannotRead) {
        if (readiness == Readiness::Saved || !OfferSaveAs(EditTexts::kWhyStream))
            return Readiness::Stop;
        path = m_view.listFile();
        error = m_session.Read(path);
        readiness = Readiness::Saved;
    }
    if (error != ListFileError::None)
        return Readiness::Stop;
    if (!MatchesView()) {
        // The grid shows an older list: show this one first, and let the user look again.
        m_view.ReloadList();
        m_session.Read(path);
        ShowMessageBox(EditTexts::kChangedOnDisk);
        return Readiness::Stop;
    }
    return readiness;
}

bool EditCommands::MatchesView() const
{
    const ListDocument& document = m_session.Document();
    if (document.ItemCount() != int(m_view.model().items().size()))
        return false;
    for (int i = 0; i < document.ItemCount(); ++i) {
        const CatalogItem& item = *m_view.model().items()[std::size_t(i)];
        const std::string& line = document.ItemText(i);
        if (CListFileReader::GetField(line, fieldCode) != item.m_strCode
            || CListFileReader::GetField(line, fieldName) != item.m_strName)
            return false;
    }
    return true;
}

bool EditCommands::OfferSaveAs(const QString& why)
{
    const QString question = EditTexts::kNotWritable.arg(why);
    const bool yes = m_confirm ? m_confirm(question)
                               : QMessageBox::question(&m_window, EditTexts::kSaveCaption,
                                                       question) == QMessageBox::Yes;
    return yes && OnSaveAs();
}

void EditCommands::Report(const ListEditOutcome& outcome)
{
    using namespace EditTexts;
    if (outcome.status == ListEditStatus::FileProblem) {
        if (outcome.fileError == ListFileError::ChangedOnDisk) {
            m_view.ReloadList();
            ShowMessageBox(kChangedOnDisk);
        } else {
            ShowMessageBox(kCannotWrite.arg(Shown(m_session.Path())));
        }
        return;
    }
    if (outcome.status != ListEditStatus::Refused)
        return;
    const bool known = outcome.newItem >= 0 && outcome.newItem < int(m_added.size());
    const QString field = known ? FieldOf(m_added[std::size_t(outcome.newItem)], outcome.field)
                                : QString();
    switch (outcome.error) {
    case ListEditError::NotInShiftJis:
        ShowMessageBox(kNotInShiftJis.arg(field));
        break;
    case ListEditError::FieldHasSeparator:
        ShowMessageBox(kFieldHasSeparator.arg(field));
        break;
    case ListEditError::FieldNotUtf8:
        ShowMessageBox(kFieldNotUtf8);
        break;
    case ListEditError::LineEndsReading:
        ShowMessageBox(kLineEndsReading);
        break;
    case ListEditError::WouldChangeOtherItems:
        ShowMessageBox(kWouldChangeOthers);
        break;
    default:
        break;  // a move past either end: nothing to say
    }
}

void EditCommands::AfterWrite(const ListEditOutcome& outcome)
{
    m_view.ReloadList();
    if (!outcome.selection.empty() && m_hooks.selectItems)
        m_hooks.selectItems(outcome.selection);
    m_view.viewport()->update();
    UpdateActions();
}

void EditCommands::UpdateActions()
{
    const bool open = !m_view.listFile().empty() && m_session.Path() == m_view.listFile();
    if (m_undo != nullptr)
        m_undo->setEnabled(open && m_session.CanUndo());
    if (m_redo != nullptr)
        m_redo->setEnabled(open && m_session.CanRedo());
}

NewListItem EditCommands::ModelItem() const
{
    const std::vector<int> selected = m_hooks.selectedItems();
    const int count = int(m_view.model().items().size());
    int from = count - 1;
    if (!selected.empty())
        from = *std::max_element(selected.begin(), selected.end());
    if (from < 0 || from >= count)
        return NewListItem{1, {}, {}, {}};
    const CatalogItem& item = *m_view.model().items()[std::size_t(from)];
    return NewListItem{item.m_nType, item.m_strSource, {}, {}};
}

int EditCommands::InsertPosition() const
{
    const std::vector<int> selected = m_hooks.selectedItems();
    const int count = int(m_view.model().items().size());
    if (selected.empty())
        return count;
    return std::clamp(*std::max_element(selected.begin(), selected.end()) + 1, 0, count);
}

QString EditCommands::ChooseSavePath(const QString& caption)
{
    if (m_chooseSavePath)
        return m_chooseSavePath(caption);
    const std::string& current = m_view.listFile();
    // The dialog asks before replacing a file.
    return QFileDialog::getSaveFileName(&m_window, caption, QFileInfo(Shown(current)).path(),
                                        EditTexts::kListFilter);
}

std::string EditCommands::BytesOf(const std::vector<int>& items, const std::string& target,
                                  int& skipped)
{
    skipped = 0;
    const std::string& path = m_view.listFile();
    if (!path.empty() && SourceCatalogKindOf(path) == SourceCatalogKind::None
        && m_session.Read(path) == ListFileError::None && MatchesView())
        return ShownListBytes(m_session.Document(), items);
    return ItemListBytes(m_view.model().items(), items, target, skipped);
}

bool EditCommands::OnSaveAs()
{
    const QString target = ChooseSavePath(EditTexts::kSaveCaption);
    if (target.isEmpty())
        return false;
    std::vector<int> all(m_view.model().items().size());
    std::iota(all.begin(), all.end(), 0);
    int skipped = 0;
    std::string bytes = BytesOf(all, Bytes(target), skipped);
    // A list at hand is copied whole, with the lines the reader skips.
    if (skipped == 0 && m_session.Path() == m_view.listFile() && MatchesView()
        && !m_session.Document().Bytes().empty())
        bytes = m_session.Document().Bytes();
    if (const int error = WriteListFileAtomically(Bytes(target), bytes)) {
        ShowMessageBox(EditTexts::kCannotSave.arg(target,
                                                  QString::fromLocal8Bit(std::strerror(error))));
        return false;
    }
    if (skipped > 0)
        ShowMessageBox(EditTexts::kSkippedOnSave.arg(skipped));
    m_newList = false;
    return m_files.OpenList(Bytes(target));
}

void EditCommands::OnNewList()
{
    m_newList = true;
    m_session = ListEditSession();
    m_view.OpenList(std::string());
    UpdateActions();
    m_view.viewport()->update();
    ShowStatus(EditTexts::kStatusNewList);
}

void EditCommands::OnOpenFolder()
{
    const QString folder = m_chooseFolder
        ? m_chooseFolder(EditTexts::kOpenFolderCaption)
        : QFileDialog::getExistingDirectory(&m_window, EditTexts::kOpenFolderCaption);
    if (!folder.isEmpty())
        m_files.OpenList(Bytes(folder));
}

void EditCommands::OnSaveShown()
{
    std::vector<int> order = m_hooks.shownItems();
    const std::vector<int> selected = m_hooks.selectedItems();
    if (selected.size() > 1) {
        const std::unordered_set<int> chosen(selected.begin(), selected.end());
        std::erase_if(order, [&chosen](int item) { return !chosen.contains(item); });
    }
    const QString target = ChooseSavePath(EditTexts::kSaveShownCaption);
    if (target.isEmpty())
        return;
    int skipped = 0;
    const std::string bytes = BytesOf(order, Bytes(target), skipped);
    if (const int error = WriteListFileAtomically(Bytes(target), bytes)) {
        ShowMessageBox(EditTexts::kCannotSave.arg(target,
                                                  QString::fromLocal8Bit(std::strerror(error))));
        return;
    }
    if (skipped > 0)
        ShowMessageBox(EditTexts::kSkippedOnSave.arg(skipped));
    ShowStatus(EditTexts::kStatusSaved.arg(int(order.size()) - skipped).arg(target));
}

void EditCommands::ShowStatus(const QString& text)
{
    if (auto* window = qobject_cast<QMainWindow*>(&m_window))
        window->statusBar()->showMessage(text, kStatusMs);
}

} // namespace mosgrid
