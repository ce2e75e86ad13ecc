#pragma once

#include "catalog/ListEditSession.h"
#include "catalog/NewListItem.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace mosgrid {

class CCatalogView;
class FileCommands;

// The Edit menu (add, delete, move, paste, undo, redo) and the File menu's new list, save as,
// open folder and save shown. Every edit is made on the list file as just read, written at
// once, and shown by a reload that keeps the selection; a list that cannot be rewritten
// (a folder, a pipe, a removed or read-only file) is first saved under a new name.
class EditCommands : public QObject {
    Q_OBJECT
public:
    // What the commands need of the grid: item indexes, never shown positions.
    struct Hooks {
        std::function<std::vector<int>()> selectedItems;        // in any order
        std::function<std::vector<int>()> shownItems;           // as shown
        std::function<void(const std::vector<int>&)> selectItems;
    };

    EditCommands(QWidget& window, CCatalogView& view, FileCommands& files, Hooks hooks);

    // The Edit menu goes after fileMenu in bar; the File menu's commands above its first
    // separator.
    void Install(QMenuBar* bar, QMenu* fileMenu);

    void OnAdd();
    void OnDelete();
    void OnMove(int step);
    void OnPaste();
    void OnUndo();
    void OnRedo();
    void OnNewList();
    bool OnSaveAs();
    void OnOpenFolder();
    void OnSaveShown();

    // The edits themselves, for the commands and the tests; false when nothing was written.
    bool AddItems(const std::vector<NewListItem>& items);
    bool PasteText(const QString& text);

    // Stand-ins for the dialogs, for the tests.
    using PathChooser = std::function<QString(const QString& caption)>;
    using Confirmer = std::function<bool(const QString& question)>;
    using AddDialog = std::function<std::optional<NewListItem>(const NewListItem& model)>;
    void SetPathChooser(PathChooser chooser) { m_chooseSavePath = std::move(chooser); }
    void SetFolderChooser(PathChooser chooser) { m_chooseFolder = std::move(chooser); }
    void SetConfirmer(Confirmer confirm) { m_confirm = std::move(confirm); }
    void SetAddDialog(AddDialog dialog) { m_addDialog = std::move(dialog); }

    QAction* action(const QString& text) const;
    ListEditSession& session() { return m_session; }

private:
    using Edit = std::function<ListEditOutcome(ListEditSession&)>;
    enum class Readiness { Ready, Saved, Stop };

    bool Apply(const Edit& edit);
    // The list file read into the session and matching the grid, or a new name given.
    Readiness PrepareList(std::string& path);
    bool OfferSaveAs(const QString& why);
    bool MatchesView() const;
    void Report(const ListEditOutcome& outcome);
    void AfterWrite(const ListEditOutcome& outcome);
    // The list bytes of items: the file's lines when it is at hand, else made from the items.
    std::string BytesOf(const std::vector<int>& items, const std::string& target,
                        int& skipped);
    QString ChooseSavePath(const QString& caption);
    NewListItem ModelItem() const;
    int InsertPosition() const;
    void UpdateActions();
    void ShowStatus(const QString& text);
    QAction* AddAction(QMenu* menu, QAction* before, const QString& text,
                       const QString& commandString, const QKeySequence& key);

    QWidget& m_window;
    CCatalogView& m_view;
    FileCommands& m_files;
    Hooks m_hooks;
    ListEditSession m_session;
    std::vector<NewListItem> m_added;  // the items being added, for a refusal's message
    bool m_newList = false;
    PathChooser m_chooseSavePath;
    PathChooser m_chooseFolder;
    Confirmer m_confirm;
    AddDialog m_addDialog;
    QList<QAction*> m_actions;
    QAction* m_undo = nullptr;
    QAction* m_redo = nullptr;
};

} // namespace mosgrid
