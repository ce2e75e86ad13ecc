#include "model/CatalogModel.h"

#include "base/AppTexts.h"
#include "base/FileTexts.h"
#include "base/MessageBox.h"
#include "catalog/ItemMatching.h"
#include "model/ReloadPlan.h"
#include "model/ShownOrder.h"
#include "settings/LabelSettings.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsStore.h"

#include <QFile>
#include <QLocale>

#include <algorithm>
#include <optional>

namespace mosgrid {

CatalogModel::CatalogModel(ProgramPaths paths, IComponentProvider* provider,
                           std::shared_ptr<FlagStore> flags, QObject* parent)
    : QObject(parent)
    , m_paths(std::move(paths))
    , m_pComponentProvider(provider)
    , m_size(SettingsKeys::kDefaultSizeX, SettingsKeys::kDefaultSizeY)
{
    m_pArrangement = std::make_unique<GridArrangement>(m_itemList, m_thumbList, m_paths.iniFile);
    connect(m_pArrangement.get(), &GridArrangement::orderChanged, this,
            &CatalogModel::orderChanged);
    connect(&m_builder, &ThumbnailBuilder::thumbnailsReady, m_pArrangement.get(),
            &GridArrangement::FactsChanged);
    connect(&m_builder, &ThumbnailBuilder::thumbnailsReady, this,
            &CatalogModel::thumbnailsReady);
    connect(&m_listLoader, &AsyncListLoader::loaded, this,
            [this](const std::shared_ptr<ListLoadResult>& loaded) {
                if (loaded->ticket == m_loadTicket)
                    FinishBackgroundLoad(*loaded);
                else
                    emit reloadFinished(FinishBackgroundReload(*loaded));
            });
    m_pFlags = flags ? std::make_unique<ItemFlags>(std::move(flags))
                     : std::make_unique<ItemFlags>(m_paths.flagsFile);
    // Flag keys act on every selected security.
    m_pFlags->SetSelectionSource([this] { return m_selection.InShownOrder(shownOrder()); });
    connect(m_pFlags.get(), &ItemFlags::flagsChanged, this, [this] {
        m_pArrangement->SetNarrowing(GridArrangement::Narrowing::Flag, m_pFlags->Mask());
        emit flagsChanged();
    });
}

CatalogModel::~CatalogModel()
{
    FreeItems();
    FreeThumbnails();
}

void CatalogModel::SetListFile(std::string path, bool removeListFile)
{
    m_strListFile = std::move(path);
    m_bRemoveListFile = removeListFile;
}

void CatalogModel::LoadList()
{
    FreeItems();
    m_loadOutcome = LoadCatalogList(m_strListFile, m_bRemoveListFile, m_itemList,
                                    AsyncListLoader::kMaxItems);
    if (m_loadOutcome.tooMany)
        RefuseLongList();
    m_pArrangement->ItemsChanged();
    m_pFlags->SetList(m_strListFile, m_itemList);
    RebuildThumbnails();
    m_bLoaded = true;
}

void CatalogModel::StartLoadList()
{
    if (!AsyncListLoader::NeedsWorker(m_strListFile) && !IsListStream(m_strListFile)) {
        LoadList();
        return;
    }
    FreeItems();
    FreeThumbnails();
    m_bLoaded = false;
    m_loadOutcome = {};
    m_loadTicket = m_listLoader.Start(m_strListFile, AsyncListLoader::kMaxItems);
}

void CatalogModel::FinishBackgroundLoad(ListLoadResult& loaded)
{
    m_loadTicket = 0;
    m_loadOutcome = loaded.outcome;
    m_itemList = std::move(loaded.items);
    if (loaded.status == ListLoadResult::Status::TooMany)
        RefuseLongList();
    else if (loaded.status == ListLoadResult::Status::OutOfMemory)
        ShowMessageBox(FileTexts::kListOutOfMemory.arg(
            QFile::decodeName(m_strListFile.c_str())));
    // As LoadList: a list under /rm goes once it has been read whole.
    if (m_bRemoveListFile && loaded.status == ListLoadResult::Status::Read
        && loaded.outcome.complete)
        RemoveListFile(m_strListFile);
    m_pArrangement->ItemsChanged();
    m_pFlags->SetList(m_strListFile, m_itemList);
    m_bLoaded = true;
    emit listLoaded();
}

void CatalogModel::FreeItems()
{
    // The workers read the items: none may be left in hand.
    m_builder.StopAndWait();
    m_listLoader.Cancel();
    m_loadTicket = 0;
    m_itemList.clear();
    if (m_pArrangement)
        m_pArrangement->ItemsChanged();
}

CatalogModel::ReloadResult CatalogModel::ReloadList()
{
    if (!m_bLoaded || m_strListFile.empty())
        return ReloadResult::NotLoaded;
    if (AsyncListLoader::NeedsWorker(m_strListFile)) {
        // Matched with the items shown on the worker; they change only after Cancel.
        m_listLoader.Start(m_strListFile, AsyncListLoader::kMaxItems, &m_itemList);
        return ReloadResult::Pending;
    }
    std::optional<ReloadPlan> plan = PlanReload(m_strListFile, m_itemList, m_builder.origins());
    return plan ? ApplyReload(std::move(*plan)) : ReloadResult::Unreadable;
}

CatalogModel::ReloadResult CatalogModel::FinishBackgroundReload(ListLoadResult& loaded)
{
    if (!m_bLoaded || loaded.path != m_strListFile)
        return ReloadResult::NotLoaded;
    switch (loaded.status) {
    case ListLoadResult::Status::Read:
        return ApplyReload(PlanReloadOf(std::move(loaded.items), std::move(loaded.previous),
                                        m_builder.origins()));
    case ListLoadResult::Status::TooMany:
        return ReloadResult::TooLong;
    case ListLoadResult::Status::OutOfMemory:
        return ReloadResult::OutOfMemory;
    case ListLoadResult::Status::NotOpened:
        break;
    }
    return ReloadResult::Unreadable;
}

CatalogModel::ReloadResult CatalogModel::ApplyReload(ReloadPlan plan)
{
    const int oldCount = itemCount();
    if (!plan.changed(oldCount))
        return ReloadResult::Unchanged;
    const std::vector<int> next = InvertMatch(plan.previous, oldCount);
    m_selection.Follow(next);
    // The top stays on the same security; with a sort or filter its position may move.
    const bool atTop = m_nTopIndex <= 0;
    const int topItem =
        atTop ? -1 : FollowTop(next, std::max(shownOrder().ItemAt(m_nTopIndex), 0));
    // The workers read the items: none may be left in hand when they change.
    m_builder.StopAndWait();
    m_listLoader.Cancel();
    m_itemList = std::move(plan.items);
    m_components = m_builder.Restart(CurrentInputs(), plan.previous, plan.remake);
    emit buildStarted();
    TellMissingComponents();
    m_pArrangement->ItemsChanged();
    m_pFlags->SetList(m_strListFile, m_itemList);
    m_nTopIndex = atTop ? 0 : std::max(shownOrder().PositionOf(topItem), 0);
    emit selectionChanged();
    return ReloadResult::Changed;
}

void CatalogModel::RefuseLongList()
{
    CatalogItemList().swap(m_itemList);
    ShowMessageBox(FileTexts::kListTooLong.arg(QFile::decodeName(m_strListFile.c_str()))
                       .arg(QLocale(QLocale::Japanese)
                                .toString(qulonglong(AsyncListLoader::kMaxItems))));
}

void CatalogModel::RebuildThumbnails()
{
    const SettingsStore settings(m_paths.iniFile);
    const ThumbnailSize size = m_sizeRule ? m_sizeRule(settings) : ReadThumbnailSize(settings);
    m_size = QSize(size.width, size.height);
    m_nStaleDays = ReadStaleDays(settings);
    FreeThumbnails();
    m_components = m_builder.Start(CurrentInputs());
    emit buildStarted();
    TellMissingComponents();
}

void CatalogModel::TellMissingComponents() const
{
    if (m_components == ThumbnailBuilder::Components::NoDataLibrary)
        ShowMessageBox(AppTexts::kCantCreateDataLibrary);
    else if (m_components == ThumbnailBuilder::Components::NoChartControl)
        ShowMessageBox(AppTexts::kCantCreateChartControl);
}

void CatalogModel::FreeThumbnails()
{
    m_builder.Stop();
    // Generation 0 is no build's: a late thumbnail of the build before is not taken.
    m_thumbList.Reset(0, m_size, 0);
}

void CatalogModel::SetThumbnailSize(QSize size)
{
    m_size = size;
    emit thumbnailSizeChanged();
}

void CatalogModel::AdoptItems(CatalogItemList items)
{
    m_builder.StopAndWait();
    m_itemList = std::move(items);
    m_bLoaded = true;
    m_pArrangement->ItemsChanged();
    m_pFlags->SetList(m_strListFile, m_itemList);
}

BuildInputs CatalogModel::CurrentInputs() const
{
    return BuildInputs{&m_itemList, m_size, m_paths.iniFile, m_pComponentProvider,
                       ReadPeriodChoice(SettingsStore(m_paths.iniFile))};
}

const ShownOrder& CatalogModel::shownOrder() const
{
    return m_pArrangement->Current();
}

std::vector<int> CatalogModel::ExportOrder() const
{
    return m_pArrangement->ItemsInSortOrder(false);
}

void CatalogModel::SetPeriodChoice(PeriodChoice period)
{
    SettingsStore settings(m_paths.iniFile);
    if (ReadPeriodChoice(settings) == period)
        return;
    WritePeriodChoice(settings, period);
    RebuildThumbnails();
    emit viewChoicesChanged();
}

PeriodChoice CatalogModel::periodChoice() const
{
    return ReadPeriodChoice(SettingsStore(m_paths.iniFile));
}

void CatalogModel::SetSelection(const CatalogSelection& selection)
{
    if (selection == m_selection)
        return;
    m_selection = selection;
    emit selectionChanged();
}

void CatalogModel::SelectOnly(int item)
{
    CatalogSelection selection = m_selection;
    selection.SelectOnly(item);
    SetSelection(selection);
}

} // namespace mosgrid
