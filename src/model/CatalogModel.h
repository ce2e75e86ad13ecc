#pragma once

#include "base/ProgramPaths.h"
#include "catalog/CatalogItem.h"
#include "catalog/AsyncListLoader.h"
#include "catalog/CatalogListLoader.h"
#include "model/CatalogSelection.h"
#include "model/GridArrangement.h"
#include "model/ItemFlags.h"
#include "settings/SettingsValues.h"
#include "settings/ViewChoices.h"
#include "thumbnails/ThumbnailBuilder.h"
#include "thumbnails/ThumbnailStore.h"

#include "model/ReloadPlan.h"

#include <QObject>
#include <QSize>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace mosgrid {

class FlagStore;
class IComponentProvider;
class SettingsStore;
class ShownOrder;

// The one owner of a catalog's state: the list file and its items, the thumbnails and the
// builder that makes them, the shown order (sort, search, narrowings) and the selection.
// The grid, its keys, the search bar, the preview, the menus and the exports read and change
// the catalog through it; it knows nothing of widgets.
//
// Threads: every method on the user-interface thread. The builder's workers read the items
// and write the store; items change only after the builder has been stopped and waited for.
class CatalogModel : public QObject {
    Q_OBJECT
public:
    // paths: the program folder and settings file; provider: where the chart components
    // come from (it must outlive the model).
    // flags: the flag store shared with other catalogs (tabs); none: one of its own.
    CatalogModel(ProgramPaths paths, IComponentProvider* provider,
                 std::shared_ptr<FlagStore> flags = {}, QObject* parent = nullptr);
    ~CatalogModel() override;

    const ProgramPaths& paths() const { return m_paths; }

    // The list file, loaded by LoadList, and whether to delete it once read.
    void SetListFile(std::string path, bool removeListFile);
    const std::string& listFile() const { return m_strListFile; }
    // False until LoadList has run (the list is read once the window is up).
    bool isLoaded() const { return m_bLoaded; }
    // Reads the list file into the items and starts the thumbnails. A file that does not open,
    // or breaks off, still ends the load: the items read so far stay, no retry.
    void LoadList();
    // The same for the window: a large list or a stream is read on a worker, so the window
    // stays responsive (isLoading, then listLoaded; the thumbnails wait for RebuildThumbnails);
    // a small one is read at once as LoadList does.
    void StartLoadList();
    bool isLoading() const { return m_loadTicket != 0; }
    // Every item gone (the builder stopped first); the list counts as loaded.
    void FreeItems();
    // Reads the list and the price files again: thumbnails of unchanged securities stay,
    // those with new prices are made again, the selection and the top of the grid stay on the
    // same securities.
    // A large list is read on a worker: Pending, and reloadFinished follows.
    enum class ReloadResult {
        NotLoaded, Unreadable, Unchanged, Changed, Pending, TooLong, OutOfMemory
    };
    ReloadResult ReloadList();
    // A reload still being read is given up (an export keeps the items as they are).
    void CancelBackgroundReload() { m_listLoader.Cancel(); }
    // How the last load went.
    const ListLoadOutcome& loadOutcome() const { return m_loadOutcome; }

    const CatalogItemList& items() const { return m_itemList; }
    int itemCount() const { return static_cast<int>(m_itemList.size()); }
    // A catalog made without reading the list file (in memory, or from a folder or a
    // database): the builder stopped, these items taken, arranged; no thumbnail started.
    void AdoptItems(CatalogItemList items);

    // The thumbnails: a rebuild takes its size from the size rule (the settings' own size
    // without one), the stale days from the settings, and starts the builder.
    using SizeRule = std::function<ThumbnailSize(const SettingsStore&)>;
    void SetSizeRule(SizeRule rule) { m_sizeRule = std::move(rule); }
    void RebuildThumbnails();
    void FreeThumbnails();
    QSize thumbnailSize() const { return m_size; }
    // The cells' size until the next rebuild (signalled: the grid lays itself out again).
    void SetThumbnailSize(QSize size);
    // Days a series may lag the catalog's newest before its cell shows the date badge (0:
    // never); read at each rebuild.
    int staleDays() const { return m_nStaleDays; }
    void SetStaleDays(int days) { m_nStaleDays = days; }
    const ThumbnailStore& store() const { return m_thumbList; }
    // The builder's workers fill it; so may tests that stand in for them.
    ThumbnailStore& store() { return m_thumbList; }
    ThumbnailBuilder& builder() { return m_builder; }
    // Whether the last rebuild found its components.
    ThumbnailBuilder::Components components() const { return m_components; }

    // For tests and benchmarks: the components, the thumbnails' memory budget.
    void SetComponentProvider(IComponentProvider* provider) { m_pComponentProvider = provider; }
    IComponentProvider* componentProvider() const { return m_pComponentProvider; }
    void SetThumbnailMemoryBudget(std::uint64_t bytes) { m_thumbList.SetBudget(bytes); }

    // Sort, search text and narrowings; positions count the cells as shown.
    GridArrangement& arrangement() { return *m_pArrangement; }
    const ShownOrder& shownOrder() const;
    // What an export or a print writes: every item the narrowings show, in the sort order
    // (a search text leaves none out).
    std::vector<int> ExportOrder() const;

    // Every chart drawn in one period, or each in its own: stored, and every thumbnail made in
    // it.
    void SetPeriodChoice(PeriodChoice period);
    PeriodChoice periodChoice() const;

    // The shown position the grid starts with (its scroll position); a reload keeps it on
    // the same security.
    int topIndex() const { return m_nTopIndex; }
    void SetTopIndex(int topIndex) { m_nTopIndex = topIndex; }

    // The items' colour flags (per list file and code, kept in the user's flags file) and
    // the flag filter, which narrows the shown order.
    ItemFlags& flags() { return *m_pFlags; }
    const ItemFlags& flags() const { return *m_pFlags; }

    const CatalogSelection& selection() const { return m_selection; }
    // The selection replaced (signalled when it changed).
    void SetSelection(const CatalogSelection& selection);
    // A plain click's selection: the item alone (-1: nothing).
    void SelectOnly(int item);

signals:
    // A build started: its cells are laid out before anything paints or a box shows.
    void buildStarted();
    void thumbnailSizeChanged();
    // Thumbnails were made (at most about 60 times a second).
    void thumbnailsReady();
    // The shown order changed, and why.
    void orderChanged(GridArrangement::Cause cause);
    void selectionChanged();
    // A flag or the flag filter changed.
    void flagsChanged();
    // A list read on a worker by StartLoadList is in (or could not be read).
    void listLoaded();
    // A reload that answered Pending has ended.
    void reloadFinished(CatalogModel::ReloadResult result);
    // The sort or the period changed.
    void viewChoicesChanged();

private:
    BuildInputs CurrentInputs() const;
    ReloadResult ApplyReload(ReloadPlan plan);
    ReloadResult FinishBackgroundReload(ListLoadResult& loaded);
    void FinishBackgroundLoad(ListLoadResult& loaded);
    // A list beyond what the catalog takes: said once, and nothing of it kept.
    void RefuseLongList();
    // Either missing component is told once per rebuild, each under its own name.
    void TellMissingComponents() const;

    ProgramPaths m_paths;
    IComponentProvider* m_pComponentProvider = nullptr;
    std::string m_strListFile;
    bool m_bRemoveListFile = false;
    bool m_bLoaded = false;
    ListLoadOutcome m_loadOutcome;
    AsyncListLoader m_listLoader;
    // The ticket of the first load under way on the worker; 0: none.
    std::uint64_t m_loadTicket = 0;
    // Indexes address the items and the store's slots alike.
    CatalogItemList m_itemList;
    ThumbnailStore m_thumbList;
    QSize m_size;
    int m_nStaleDays = 0;
    SizeRule m_sizeRule;
    ThumbnailBuilder m_builder{m_thumbList};
    ThumbnailBuilder::Components m_components = ThumbnailBuilder::Components::Ready;
    std::unique_ptr<GridArrangement> m_pArrangement;
    std::unique_ptr<ItemFlags> m_pFlags;
    CatalogSelection m_selection;
    int m_nTopIndex = 0;
};

} // namespace mosgrid
