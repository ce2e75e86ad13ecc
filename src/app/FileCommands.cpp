#include "app/FileCommands.h"

#include "app/CommandString.h"
#include "app/ReloadStatus.h"

#include "app/CExportDlg.h"
#include "app/CMainFrame.h"
#include "app/ListOpenCheck.h"
#include "app/RecentFiles.h"
#include "app/SourceCatalogOpener.h"
#include "app/ViewExport.h"
#include "app/WindowPlacement.h"
#include "base/FileTexts.h"
#include "base/MessageBox.h"
#include "catalog/CatalogListLoader.h"
#include "settings/SettingsStore.h"
#include "settings/FileSettingsKeys.h"
#include "settings/ViewChoices.h"
#include "view/CCatalogView.h"
#include "view/CatalogTabs.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QStatusBar>

#include <filesystem>
#include <unordered_set>

namespace mosgrid {

namespace {

constexpr int kStatusMs = 5000;
// Type 5 reads a database file, which the library names itself.
constexpr int kDatabaseType = 5;

QString Shown(const std::string& path)
{
    return QFile::decodeName(path.c_str());
}

std::string Bytes(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

// The first local file of a drag, or nothing.
QString DroppedFile(const QMimeData* mime)
{
    if (mime == nullptr)
        return {};
    for (const QUrl& url : mime->urls()) {
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    return {};
}

} // namespace

FileCommands::FileCommands(CMainFrame& frame, CCatalogView& view, const ProgramPaths& paths)
    : QObject(&frame)
    , m_frame(frame)
    , m_view(view)
    , m_paths(paths)
{
    m_recent = RecentFiles::Read(SettingsStore(m_paths.iniFile));
    m_view.SetEmptyHint(FileTexts::kEmptyHint);
    // The catalog watched is the one shown, whichever tab that is.
    const auto watchBuilds = [this] {
        connect(&m_view.model().builder(), &ThumbnailBuilder::buildFinished, this,
                &FileCommands::WatchCatalog, Qt::UniqueConnection);
    };
    watchBuilds();
    connect(&m_view, &CCatalogView::modelChanged, this, [this, watchBuilds] {
        watchBuilds();
        WatchCatalog();
    });
    connect(&m_watcher, &CatalogWatcher::reloadDue, this, [this] {
        ++m_reloads;
        const CCatalogView::ReloadResult result = m_view.ReloadList();
        if (const QString text = ReloadStatusText(result, true); !text.isEmpty())
            ShowStatus(text);
        if (result == CCatalogView::ReloadResult::Pending)
            return;
        WatchCatalog();
        emit reloaded();
    });
    connect(&m_view, &CCatalogView::reloadFinished, this,
            [this](CCatalogView::ReloadResult result) {
                if (const QString text = ReloadStatusText(result, false); !text.isEmpty())
                    ShowStatus(text);
                WatchCatalog();
                emit reloaded();
            });
    m_frame.setAcceptDrops(true);
    m_frame.installEventFilter(this);
    m_pSourceOpener = new SourceCatalogOpener(
        [this](const std::string& path) {
            m_bListed = true;
            OpenList(path);
            m_bListed = false;
        },
        [this](const std::string& path) {
            if (m_view.listFile() == path)
                m_view.ReloadList();
        },
        this);
}

FileCommands::~FileCommands() = default;

QAction* FileCommands::AddCommand(QMenu* menu, QAction* before, const QString& text,
                                  const QString& commandString)
{
    auto* action = new QAction(text, menu);
    SetCommandString(action, commandString);
    menu->insertAction(before, action);
    return action;
}

void FileCommands::Install(QMenu* fileMenu, QMenu* viewMenu)
{
    m_fileMenu = fileMenu;
    QAction* first = fileMenu->actions().value(0);
    m_open = AddCommand(fileMenu, first, FileTexts::kMenuOpen, FileTexts::kCmdOpen);
    m_open->setShortcut(QKeySequence::Open);
    connect(m_open, &QAction::triggered, this, &FileCommands::OnOpen);
    m_reload = AddCommand(fileMenu, first, FileTexts::kMenuReload, FileTexts::kCmdReload);
    m_reload->setShortcut(QKeySequence(Qt::Key_F5));
    connect(m_reload, &QAction::triggered, this, &FileCommands::OnReload);
    m_export = AddCommand(fileMenu, first, FileTexts::kMenuExport, FileTexts::kCmdExport);
    connect(m_export, &QAction::triggered, this, &FileCommands::OnExport);
    fileMenu->insertSeparator(first);

    // The recent lists sit above the last item (exit), with a separator of their own.
    m_recentEnd = fileMenu->insertSeparator(fileMenu->actions().value(
        fileMenu->actions().size() - 1));
    RebuildRecentMenu();

    m_autoReload = AddCommand(viewMenu, nullptr, FileTexts::kMenuAutoReload,
                              FileTexts::kCmdAutoReload);
    m_autoReload->setCheckable(true);
    const bool on = SettingsStore(m_paths.iniFile)
                        .ReadInt(ViewKeys::kSectionView, ViewKeys::kAutoReload,
                                 ViewKeys::kDefaultAutoReload) == 1;
    m_autoReload->setChecked(on);
    m_watcher.SetEnabled(on);
    connect(m_autoReload, &QAction::triggered, this, &FileCommands::SetAutoReload);
}

void FileCommands::RestoreWindow()
{
    m_restored = WindowPlacement::Restore(m_frame, SettingsStore(m_paths.iniFile));
}

void FileCommands::OnOpen()
{
    const QString chosen = ChooseList();
    if (!chosen.isEmpty())
        OpenList(Bytes(chosen));
}

QString FileCommands::ChooseList()
{
    QString chosen;
    if (m_openChooser) {
        chosen = m_openChooser();
    } else {
        const std::string& current = m_view.listFile().empty()
            ? (m_recent.empty() ? std::string() : m_recent.front()) : m_view.listFile();
        chosen = QFileDialog::getOpenFileName(&m_frame, FileTexts::kOpenCaption,
                                              QFileInfo(Shown(current)).path(),
                                              FileTexts::kOpenFilter);
    }
    return chosen;
}

bool FileCommands::OpenList(const std::string& path, bool newTab)
{
    // The export under way holds the items of the list open now.
    if (m_exporting)
        return false;
    const std::string canonical = RecentFiles::Canonical(path);
    if (!m_bListed && m_pSourceOpener->Start(canonical))
        return true;
    // The same check and message as for a list on the command line.
    if (!ConfirmListOpens(canonical)) {
        if (std::find(m_recent.begin(), m_recent.end(), canonical) != m_recent.end()) {
            m_recent = RecentFiles::Without(m_recent, canonical);
            SettingsStore settings(m_paths.iniFile);
            RecentFiles::Write(settings, m_recent);
            RebuildRecentMenu();
        }
        return false;
    }
    if (newTab)
        m_view.tabs().Open(canonical);
    else
        m_view.OpenList(canonical);
    RememberRecent(canonical);
    WatchCatalog();
    return true;
}

void FileCommands::OnReload()
{
    if (m_exporting)
        return;
    // A pipe has been drained by the first read: reading it again would wait for a writer
    // that may never come, or find nothing and empty the grid.
    if (IsListStream(m_view.listFile())) {
        ++m_reloads;
        ShowStatus(FileTexts::kStatusStreamNotReread);
        emit reloaded();
        return;
    }
    ++m_reloads;
    const CCatalogView::ReloadResult result = m_view.ReloadList();
    if (const QString text = ReloadStatusText(result, false); !text.isEmpty())
        ShowStatus(text);
    if (result == CCatalogView::ReloadResult::Pending)
        return;
    WatchCatalog();
    emit reloaded();
}

void FileCommands::OnExport()
{
    if (m_view.listFile().empty()) {
        ShowMessageBox(FileTexts::kExportNoList);
        return;
    }
    // The items are not in yet: an export now would write none.
    if (m_view.model().isLoading()) {
        ShowStatus(FileTexts::kListLoading);
        return;
    }
    CExportDlg dialog(&m_frame, Shown(m_view.listFile()));
    if (dialog.exec() != QDialog::Accepted || dialog.target().isEmpty())
        return;
    ExportTo(Bytes(dialog.target()), dialog.ReplaceConfirmed());
}

ExportOutcome FileCommands::ExportTo(const std::string& target, bool force)
{
    // A reload or another list in the middle would change the items under the export.
    m_watcher.SetPaused(true);
    m_view.CancelBackgroundReload();
    m_exporting = true;
    const QList<QAction*> held{m_open, m_reload, m_export};
    for (QAction* action : held) {
        if (action != nullptr)
            action->setEnabled(false);
    }
    const ExportOutcome outcome = ExportFromView(&m_frame, m_view, target, force);
    for (QAction* action : held) {
        if (action != nullptr)
            action->setEnabled(true);
    }
    m_exporting = false;
    m_watcher.SetPaused(false);
    switch (outcome.status) {
    case ExportStatus::Done:
        ShowStatus(FileTexts::kStatusExported.arg(QLocale(QLocale::Japanese)
                                                      .toString(outcome.written))
                       .arg(Shown(target)));
        break;
    case ExportStatus::Cancelled:
        ShowStatus(outcome.message);
        break;
    default:
        ShowMessageBox(outcome.message);
        break;
    }
    return outcome;
}

void FileCommands::SetAutoReload(bool on)
{
    if (m_autoReload != nullptr && m_autoReload->isChecked() != on)
        m_autoReload->setChecked(on);
    SettingsStore settings(m_paths.iniFile);
    settings.WriteText(ViewKeys::kSectionView, ViewKeys::kAutoReload,
                       on ? "1" : "0");
    m_watcher.SetEnabled(on);
    WatchCatalog();
}

void FileCommands::RebuildRecentMenu()
{
    if (m_fileMenu == nullptr)
        return;
    qDeleteAll(m_recentActions);
    m_recentActions.clear();
    for (std::size_t i = 0; i < m_recent.size(); ++i) {
        QString shown = Shown(m_recent[i]);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* action = AddCommand(m_fileMenu, m_recentEnd,
                                     FileTexts::kMenuRecentFormat.arg(i + 1).arg(shown),
                                     FileTexts::kCmdRecent);
        const std::string path = m_recent[i];
        connect(action, &QAction::triggered, this, [this, path] { OpenList(path); });
        m_recentActions << action;
    }
    m_recentEnd->setVisible(!m_recent.empty());
}

void FileCommands::RememberRecent(const std::string& path)
{
    if (!RecentFiles::IsStorable(path) || IsListStream(path))
        return;
    m_recent = RecentFiles::With(m_recent, path, FileSettingsKeys::kMaxRecent);
    SettingsStore settings(m_paths.iniFile);
    RecentFiles::Write(settings, m_recent);
    RebuildRecentMenu();
}

void FileCommands::WatchCatalog()
{
    // Printing and exporting from the command line show no window and watch nothing.
    if (!m_watcher.isEnabled() || !m_frame.isVisible())
        return;
    const std::string& list = m_view.listFile();
    if (list.empty() || IsListStream(list)) {
        m_watcher.Watch(WatchPlan{});
        return;
    }
    const OriginTable& origins = m_view.model().builder().origins();
    const OriginTable::Summary summary = origins.Summarize();
    // Items with no price file yet: one may appear in their source folder.
    std::unordered_set<std::string> sources;
    std::vector<std::string> folders;
    std::error_code error;
    for (std::size_t i = 0; i < m_view.model().items().size(); ++i) {
        const CatalogItem& item = *m_view.model().items()[i];
        const std::optional<ItemOrigin> origin = origins.Get(static_cast<int>(i));
        if ((origin && !origin->path.empty()) || item.m_nType == kDatabaseType
            || !sources.insert(item.m_strSource).second)
            continue;
        if (std::filesystem::is_directory(item.m_strSource, error))
            folders.push_back(item.m_strSource);
    }
    m_watcher.Watch(PlanWatches(list, std::filesystem::exists(list, error), summary.files,
                                folders));
    if (summary.unsettled > 0)
        m_watcher.RetryUnsettledLater();
}

void FileCommands::ShowStatus(const QString& text)
{
    if (QStatusBar* bar = m_frame.statusBar())
        bar->showMessage(text, kStatusMs);
}

bool FileCommands::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &m_frame)
        return false;
    switch (event->type()) {
    case QEvent::DragEnter: {
        auto* drag = static_cast<QDragEnterEvent*>(event);
        if (!DroppedFile(drag->mimeData()).isEmpty())
            drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString file = DroppedFile(drop->mimeData());
        if (file.isEmpty())
            return false;
        drop->acceptProposedAction();
        OpenList(Bytes(file));
        return true;
    }
    case QEvent::Close: {
        SettingsStore settings(m_paths.iniFile);
        WindowPlacement::Save(m_frame, settings, m_restored);
        return false;
    }
    default:
        return false;
    }
}

} // namespace mosgrid
