#pragma once

#include "base/ProgramPaths.h"

#include <QObject>

class QAction;
class QMenu;
class QWidget;

namespace mosgrid {

class CCatalogView;
class FileCommands;

// Lists open side by side as tabs: ファイル > 新しいタブで開く… (Ctrl+Shift+O), タブを閉じる
// (Ctrl+W, or the middle button on a tab), 表示 > 次のタブ / 前のタブ (Ctrl+Tab,
// Ctrl+Shift+Tab). The open tabs are kept in the settings and opened again at a start
// without a list.
class TabCommands : public QObject {
    Q_OBJECT
public:
    TabCommands(QWidget& frame, CCatalogView& view, FileCommands& files,
                const ProgramPaths& paths);

    void Install(QMenu* fileMenu, QMenu* viewMenu);
    // A start without a list: the kept tabs, if two or more, each read once shown.
    void Restore();

    // Asks for a list (through the open dialog's chooser) and opens it in a new tab.
    void OnOpenInTab();
    QAction* openInTabAction() const { return m_pOpenInTab; }
    QAction* closeTabAction() const { return m_pCloseTab; }

private:
    void Remember();

    QWidget& m_frame;
    CCatalogView& m_view;
    FileCommands& m_files;
    ProgramPaths m_paths;
    QAction* m_pOpenInTab = nullptr;
    QAction* m_pCloseTab = nullptr;
    bool m_bRestoring = false;
};

} // namespace mosgrid
