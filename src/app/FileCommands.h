#pragma once

#include "app/CatalogWatcher.h"
#include "app/WindowPlacement.h"
#include "base/ProgramPaths.h"
#include "export/CatalogExporter.h"

#include <QObject>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QMenu;

namespace mosgrid {

class CCatalogView;
class CMainFrame;
class SourceCatalogOpener;

// The commands that open, reload, watch and export lists, the recent lists, dropping a list
// on the window and remembering the window. The frame makes one and calls it from two
// places: while building its menus and once its window exists.
class FileCommands : public QObject {
    Q_OBJECT
public:
    FileCommands(CMainFrame& frame, CCatalogView& view, const ProgramPaths& paths);
    ~FileCommands() override;

    // Open, reload and export go above the File menu's first item, the recent lists above
    // its last; auto-reload goes at the end of the View menu.
    void Install(QMenu* fileMenu, QMenu* viewMenu);
    // The window's kept size and place, before it is first shown.
    void RestoreWindow();

    // The commands, also for the tests.
    void OnOpen();
    // Opens path as the open dialog's choice would, in the tab shown or a new one; false when
    // it does not open.
    bool OpenList(const std::string& path, bool newTab = false);
    // The open dialog (or the tests' chooser): the list chosen, or empty.
    QString ChooseList();
    void OnReload();
    void OnExport();
    // Writes the export without asking where; the outcome is shown as the command shows it.
    // force: replace what is not an earlier export (the user has confirmed it).
    ExportOutcome ExportTo(const std::string& target, bool force = false);
    void SetAutoReload(bool on);

    // Stand-ins for the file dialogs: the chosen path, empty for none.
    using Chooser = std::function<QString()>;
    void SetOpenChooser(Chooser chooser) { m_openChooser = std::move(chooser); }

    std::vector<std::string> recentFiles() const { return m_recent; }
    QAction* openAction() const { return m_open; }
    QAction* reloadAction() const { return m_reload; }
    QAction* exportAction() const { return m_export; }
    QAction* autoReloadAction() const { return m_autoReload; }
    QList<QAction*> recentActions() const { return m_recentActions; }
    CatalogWatcher& watcher() { return m_watcher; }
    int reloadCount() const { return m_reloads; }

signals:
    // After every reload, whatever its result (for the tests).
    void reloaded();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* AddCommand(QMenu* menu, QAction* before, const QString& text,
                        const QString& commandString);
    void RebuildRecentMenu();
    void RememberRecent(const std::string& path);
    void WatchCatalog();
    void ShowStatus(const QString& text);

    CMainFrame& m_frame;
    CCatalogView& m_view;
    ProgramPaths m_paths;
    CatalogWatcher m_watcher;
    std::vector<std::string> m_recent;
    Chooser m_openChooser;
    QMenu* m_fileMenu = nullptr;
    QAction* m_open = nullptr;
    QAction* m_reload = nullptr;
    QAction* m_export = nullptr;
    bool m_exporting = false;
    QAction* m_autoReload = nullptr;
    QAction* m_recentEnd = nullptr;  // the separator after the recent lists
    QList<QAction*> m_recentActions;
    int m_reloads = 0;
    // Folders and databases are listed on a worker first; then OpenList goes on with them.
    SourceCatalogOpener* m_pSourceOpener = nullptr;
    bool m_bListed = false;
    std::optional<WindowPlacement::Restored> m_restored;
};

} // namespace mosgrid
