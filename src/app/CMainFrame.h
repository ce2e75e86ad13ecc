#pragma once

#include "base/ProgramPaths.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>

class QAction;
class QLabel;
class QStatusBar;

namespace mosgrid {

class CCatalogView;
class EditCommands;
class FileCommands;
class TabCommands;
class HelpWindow;
class IComponentProvider;
class ScreenMenu;

// The main window: the fixed caption, the menu, a one-pane status bar and the catalog view.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // paths and provider are handed to the catalog view; the provider must outlive the frame.
    CMainFrame(const ProgramPaths& paths, IComponentProvider* provider, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // 0 when the window was made, -1 when it could not be.
    int OnCreate();

    void OnSettings();
    void OnShowHelp();

    // The frame's catalog view.
    CCatalogView* GetCatalogView() const;

    QStatusBar* m_wndStatusBar = nullptr;

    // A build that ends sooner than this does not show its progress (tests shorten it).
    static constexpr qint64 kProgressDelayMs = 500;
    void SetProgressDelay(qint64 ms) { m_nProgressDelayMs = ms; }

    // Menu commands, for the tests and the shell.
    QAction* settingsAction() const { return m_pSettingsAction; }
    QAction* exitAction() const { return m_pExitAction; }
    QAction* statusBarAction() const { return m_pStatusBarAction; }
    QAction* showHelpAction() const { return m_pShowHelpAction; }
    QAction* aboutAction() const { return m_pAboutAction; }
    // Open, reload, watch, export and the recent lists.
    FileCommands* fileCommands() const { return m_pFileCommands; }
    // Lists open as tabs; Restore at a start without a list.
    TabCommands* tabCommands() const { return m_pTabCommands; }
    ScreenMenu* screenMenu() const { return m_pScreenMenu; }
    // The Edit menu, new lists, save as, open folder, save shown.
    EditCommands* editCommands() const { return m_pEditCommands; }
    HelpWindow* helpWindow() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateMenus();
    void ShowBuildProgress(int made, int total);
    // Once a build is over: how many securities had no data, until the next message.
    void ShowBuildSummary();
    // The status bar follows the builds of the catalog shown.
    void ListenToBuilds();
    void OnBuildStarted();
    QAction* AddCommand(class QMenu* menu, const QString& text, const QString& commandString);

    ProgramPaths m_paths;
    QElapsedTimer m_buildClock;
    qint64 m_nProgressDelayMs = kProgressDelayMs;
    CCatalogView* m_pView = nullptr;
    QLabel* m_pIdleText = nullptr;
    QString m_strBuildSummary;   // empty: "ﾚﾃﾞｨ"
    QAction* m_pSettingsAction = nullptr;
    QAction* m_pExitAction = nullptr;
    QAction* m_pStatusBarAction = nullptr;
    QAction* m_pShowHelpAction = nullptr;
    QAction* m_pAboutAction = nullptr;
    ScreenMenu* m_pScreenMenu = nullptr;
    FileCommands* m_pFileCommands = nullptr;
    TabCommands* m_pTabCommands = nullptr;
    EditCommands* m_pEditCommands = nullptr;
    // The help pages when no browser could show them.
    QPointer<HelpWindow> m_pHelpWindow;
};

} // namespace mosgrid
