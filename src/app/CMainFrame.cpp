#include "app/CMainFrame.h"

#include "app/CommandString.h"
#include "app/CCatalogApp.h"
#include "app/EditCommands.h"
#include "app/FileCommands.h"
#include "app/FlagMenus.h"
#include "app/GridMenus.h"
#include "app/HeatCommand.h"
#include "app/ScreenMenu.h"
#include "app/TabCommands.h"
#include "model/ItemFlags.h"
#include "view/ScreenController.h"
#include "app/HelpWindow.h"
#include "app/ViewEditHooks.h"
#include "base/AppTexts.h"
#include "base/MessageBox.h"
#include "chart/ChartPreview.h"
#include "settings/SettingsKeys.h"
#include "sheet/CPropGeneralSheet.h"
#include "sheet/DialogResults.h"
#include "thumbnails/BuildSummary.h"
#include "thumbnails/ThumbnailBuilder.h"
#include "view/CCatalogView.h"

#include <QAction>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QUrl>

namespace mosgrid {

namespace {

// The help page, below the program folder (which ends in '/').
constexpr char kHelpPathFormat[] = "%1help/mosgrid/index.htm";

// The first window fits three by three thumbnails of the default size.
constexpr int kInitialColumns = 3;
constexpr int kInitialRows = 3;

} // namespace

CMainFrame::CMainFrame(const ProgramPaths& paths, IComponentProvider* provider, QWidget* parent)
    : QMainWindow(parent)
    , m_paths(paths)
{
    // The caption is fixed: it never takes the list file's name.
    setWindowTitle(AppTexts::kWindowTitle);
    m_pView = new CCatalogView(m_paths, provider, this);
    setCentralWidget(m_pView);
    CreateMenus();

    ListenToBuilds();
    connect(m_pView, &CCatalogView::modelChanged, this, &CMainFrame::ListenToBuilds);
}

void CMainFrame::ListenToBuilds()
{
    ThumbnailBuilder* builder = &m_pView->model().builder();
    // Each builder once: a tab shown again is connected already.
    connect(builder, &ThumbnailBuilder::buildStarted, this, &CMainFrame::OnBuildStarted,
            Qt::UniqueConnection);
    connect(builder, &ThumbnailBuilder::progressChanged, this, &CMainFrame::ShowBuildProgress,
            Qt::UniqueConnection);
    connect(builder, &ThumbnailBuilder::buildFinished, this, &CMainFrame::ShowBuildSummary,
            Qt::UniqueConnection);
}

void CMainFrame::OnBuildStarted()
{
    m_buildClock.start();
    m_strBuildSummary.clear();
}

CMainFrame::~CMainFrame() = default;

int CMainFrame::OnCreate()
{
    m_wndStatusBar = statusBar();
    if (m_wndStatusBar == nullptr)
        return -1;
    // One message pane across the whole bar, no keyboard-state panes. A normal widget is
    // hidden while a prompt is shown and comes back when the prompt is cleared.
    m_pIdleText = new QLabel(AppTexts::kStatusReady, m_wndStatusBar);
    m_pIdleText->setObjectName(QStringLiteral("idleText"));
    m_wndStatusBar->addWidget(m_pIdleText, 1);

    const QSize client(kInitialColumns * SettingsKeys::kDefaultSizeX
                           + m_pView->verticalScrollBar()->sizeHint().width(),
                       kInitialRows * SettingsKeys::kDefaultSizeY);
    QSize size = client + QSize(0, menuBar()->sizeHint().height()
                                       + m_wndStatusBar->sizeHint().height());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize());
    resize(size);
    m_pFileCommands->RestoreWindow();
    return 0;
}

QAction* CMainFrame::AddCommand(QMenu* menu, const QString& text, const QString& commandString)
{
    QAction* action = menu->addAction(text);
    // The command string: the status-bar prompt, a line break, the tool tip.
    SetCommandString(action, commandString);
    return action;
}

void CMainFrame::CreateMenus()
{
    QMenu* file = menuBar()->addMenu(AppTexts::kMenuFile);
    m_pSettingsAction = AddCommand(file, AppTexts::kMenuSettings, AppTexts::kCmdSettings);
    connect(m_pSettingsAction, &QAction::triggered, this, &CMainFrame::OnSettings);
    file->addSeparator();
    m_pExitAction = AddCommand(file, AppTexts::kMenuExit, AppTexts::kCmdExit);
    connect(m_pExitAction, &QAction::triggered, this, &QWidget::close);

    QMenu* view = menuBar()->addMenu(AppTexts::kMenuView);
    m_pStatusBarAction = AddCommand(view, AppTexts::kMenuStatusBar, AppTexts::kCmdStatusBar);
    m_pStatusBarAction->setCheckable(true);
    m_pStatusBarAction->setChecked(true);
    connect(m_pStatusBarAction, &QAction::toggled, this, [this](bool shown) {
        if (m_wndStatusBar)
            m_wndStatusBar->setVisible(shown);
    });
    new GridMenus(view, m_pView, this);
    m_pScreenMenu = new ScreenMenu(view, this, m_pView);
    new FlagMenus(view, m_pView, this);
    new HeatCommand(view, m_pView, this);
    // Conditions read the flags (flag, flag = n) and run again when they change.
    ScreenController& screen = m_pScreenMenu->controller();
    screen.SetFlagLookup([view = m_pView](int item) {
        return FlagNumber(view->flags().ColorOf(item));
    });
    connect(m_pView, &CCatalogView::flagsChanged, &screen, &ScreenController::Reevaluate);

    QMenu* help = menuBar()->addMenu(AppTexts::kMenuHelp);
    m_pShowHelpAction = AddCommand(help, AppTexts::kMenuShowHelp, AppTexts::kCmdShowHelp);
    connect(m_pShowHelpAction, &QAction::triggered, this, &CMainFrame::OnShowHelp);
    help->addSeparator();
    m_pAboutAction = AddCommand(help, AppTexts::kMenuAbout, AppTexts::kCmdAbout);
    connect(m_pAboutAction, &QAction::triggered, this, [] {
        if (CCatalogApp* app = CCatalogApp::instance())
            app->OnAppAbout();
    });

    m_pFileCommands = new FileCommands(*this, *m_pView, m_paths);
    m_pFileCommands->Install(file, view);
    m_pEditCommands = new EditCommands(*this, *m_pView, *m_pFileCommands, ViewEditHooks(*m_pView));
    m_pEditCommands->Install(menuBar(), file);
    m_pTabCommands = new TabCommands(*this, *m_pView, *m_pFileCommands, m_paths);
    m_pTabCommands->Install(file, view);
}

void CMainFrame::ShowBuildProgress(int made, int total)
{
    if (m_pIdleText == nullptr)
        return;
    if (made >= total) {
        m_pIdleText->setText(m_strBuildSummary.isEmpty() ? AppTexts::kStatusReady
                                                         : m_strBuildSummary);
        return;
    }
    if (!m_buildClock.isValid() || m_buildClock.elapsed() < m_nProgressDelayMs)
        return;
    const QLocale numbers(QLocale::Japanese);
    m_pIdleText->setText(AppTexts::kStatusBuilding.arg(numbers.toString(made),
                                                       numbers.toString(total)));
}

void CMainFrame::ShowBuildSummary()
{
    m_strBuildSummary = BuildSummaryOf(m_pView->model().store());
    if (m_pIdleText != nullptr && !m_strBuildSummary.isEmpty())
        m_pIdleText->setText(m_strBuildSummary);
}

void CMainFrame::OnShowHelp()
{
    const QString exeDir = QFile::decodeName(QByteArray::fromStdString(m_paths.exeDir));
    const QString page = QString::fromLatin1(kHelpPathFormat).arg(exeDir);
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(page)))
        return;
    // No browser could be started: the page in a window of our own, or where it should be.
    if (!QFileInfo(page).isFile()) {
        ShowMessageBox(AppTexts::kHelpPageMissing.arg(page));
        return;
    }
    if (m_pHelpWindow)
        m_pHelpWindow->ShowPage(page);
    else
        m_pHelpWindow = new HelpWindow(page, this);
    m_pHelpWindow->show();
    m_pHelpWindow->raise();
    m_pHelpWindow->activateWindow();
}

void CMainFrame::OnSettings()
{
    CCatalogView* view = GetCatalogView();
    if (view == nullptr)
        return;
    CPropGeneralSheet sheet(this, m_paths, 0);
    if (IComponentProvider* provider = view->model().componentProvider()) {
        // Previews draw on the first security, as its thumbnail would show it.
        std::optional<CatalogItem> first;
        if (!view->model().items().empty())
            first = *view->model().items().front();
        sheet.SetChartPreview(std::make_shared<ChartPreview>(*provider, first, m_paths.iniFile));
    }
    if (sheet.DoModal() != kIdOk)
        return;
    // Every page that was shown has written its keys: draw everything anew with them.
    view->model().RebuildThumbnails();
    view->viewport()->update();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    QMainWindow::closeEvent(event);
    // Nobody will see the thumbnails still to be made: the workers finish the one in hand
    // while the window goes, and the program ends without waiting for the rest.
    if (event->isAccepted())
        m_pView->model().builder().Stop();
}

HelpWindow* CMainFrame::helpWindow() const
{
    return m_pHelpWindow.data();
}

CCatalogView* CMainFrame::GetCatalogView() const
{
    return m_pView;
}

} // namespace mosgrid
