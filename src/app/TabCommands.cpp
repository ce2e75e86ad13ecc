#include "app/TabCommands.h"

#include "app/CommandString.h"
#include "app/FileCommands.h"
#include "base/TabTexts.h"
#include "settings/OpenTabs.h"
#include "settings/SettingsStore.h"
#include "view/CCatalogView.h"
#include "view/CatalogTabs.h"

#include <QAction>
#include <QFile>
#include <QMenu>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace mosgrid {

namespace {

QAction* AddCommand(QMenu* menu, QAction* before, const QString& text, const QString& command,
                    const QKeySequence& keys)
{
    auto* action = new QAction(text, menu);
    SetCommandString(action, command);
    action->setShortcut(keys);
    menu->insertAction(before, action);
    return action;
}

} // namespace

TabCommands::TabCommands(QWidget& frame, CCatalogView& view, FileCommands& files,
                         const ProgramPaths& paths)
    : QObject(&frame)
    , m_frame(frame)
    , m_view(view)
    , m_files(files)
    , m_paths(paths)
{
    connect(&m_view.tabs(), &CatalogTabs::tabsChanged, this, &TabCommands::Remember);
}

void TabCommands::Install(QMenu* fileMenu, QMenu* viewMenu)
{
    // Right after 開く….
    const QList<QAction*> items = fileMenu->actions();
    QAction* afterOpen = items.value(items.indexOf(m_files.openAction()) + 1);
    m_pOpenInTab = AddCommand(fileMenu, afterOpen, TabTexts::kMenuOpenInTab,
                              TabTexts::kCmdOpenInTab, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    connect(m_pOpenInTab, &QAction::triggered, this, &TabCommands::OnOpenInTab);
    m_pCloseTab = AddCommand(fileMenu, afterOpen, TabTexts::kMenuCloseTab,
                             TabTexts::kCmdCloseTab, QKeySequence(Qt::CTRL | Qt::Key_W));
    connect(m_pCloseTab, &QAction::triggered, this,
            [this] { m_view.tabs().Close(m_view.tabs().currentIndex()); });

    viewMenu->addSeparator();
    QAction* next = AddCommand(viewMenu, nullptr, TabTexts::kMenuNextTab, TabTexts::kCmdNextTab,
                               QKeySequence(Qt::CTRL | Qt::Key_Tab));
    connect(next, &QAction::triggered, this, [this] { m_view.tabs().Step(1); });
    QAction* previous =
        AddCommand(viewMenu, nullptr, TabTexts::kMenuPreviousTab, TabTexts::kCmdPreviousTab,
                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab));
    connect(previous, &QAction::triggered, this, [this] { m_view.tabs().Step(-1); });
}

void TabCommands::OnOpenInTab()
{
    const QString chosen = m_files.ChooseList();
    if (!chosen.isEmpty())
        m_files.OpenList(QFile::encodeName(chosen).toStdString(), true);
}

void TabCommands::Restore()
{
    OpenTabs kept = ReadOpenTabs(SettingsStore(m_paths.iniFile));
    // A list deleted or moved since is left out rather than shown as an empty tab.
    const std::string current = kept.files.empty() ? std::string() : kept.files[kept.current];
    std::erase_if(kept.files, [](const std::string& file) {
        std::error_code error;
        return !std::filesystem::exists(file, error);
    });
    if (kept.files.empty())
        return;
    const auto shown = std::find(kept.files.begin(), kept.files.end(), current);
    kept.current = shown == kept.files.end() ? 0 : int(shown - kept.files.begin());
    m_bRestoring = true;
    CatalogTabs& tabs = m_view.tabs();
    m_view.SetListFile(kept.files.front(), false);
    tabs.Retitle(0);
    for (std::size_t i = 1; i < kept.files.size(); ++i)
        tabs.Open(kept.files[i]);
    tabs.Switch(kept.current);
    m_bRestoring = false;
}

void TabCommands::Remember()
{
    if (m_bRestoring)
        return;
    SettingsStore settings(m_paths.iniFile);
    WriteOpenTabs(settings, OpenTabs{m_view.tabs().files(), m_view.tabs().currentIndex()});
}

} // namespace mosgrid
