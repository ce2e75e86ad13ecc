#include "app/ViewExport.h"

#include "app/ViewValueInputs.h"
#include "base/FileTexts.h"
#include "export/BuilderThumbnailSource.h"
#include "export/ValueRowMaker.h"
#include "export/ValueTableExport.h"
#include "settings/SettingsStore.h"
#include "settings/LabelSettings.h"
#include "view/CCatalogView.h"
#include "model/ShownOrder.h"
#include "model/ItemFlags.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>

namespace mosgrid {

namespace {

// The items whose cells the grid shows now.
std::vector<int> ItemsOnScreen(const CCatalogView& view)
{
    std::vector<int> items;
    const QRect client = view.viewport()->rect();
    const ShownOrder& shown = view.shownOrder();
    for (int position = 0; position < shown.count(); ++position) {
        if (view.CellRectOf(position).intersects(client))
            items.push_back(shown.ItemAt(position));
    }
    return items;
}

} // namespace

ExportOutcome ExportFromView(QWidget* parent, CCatalogView& view, const std::string& target,
                             bool force)
{
    const std::vector<int> order = view.ExportOrder();
    QProgressDialog progress(FileTexts::kExportProgress, FileTexts::kExportCancel, 0,
                             static_cast<int>(order.size()), parent);
    // Modal from the first moment: nothing reaches the window while the export runs.
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.show();

    const int staleDays = ReadStaleDays(SettingsStore(view.paths().iniFile));
    ExportRequest request;
    request.path = target;
    request.force = force;
    request.header =
        ExportHeader{QFileInfo(QFile::decodeName(view.listFile().c_str())).fileName(),
                     QDateTime::currentDateTime()};
    const ExportProgress tell = [&progress](int done, int) {
        progress.setValue(done);
        QCoreApplication::processEvents();
        return !progress.wasCanceled();
    };
    ExportOutcome outcome;
    if (ExportKindOf(target) == ExportKind::Csv) {
        // Its own workers read and draw; this thread only shows their progress.
        ValueRowMaker maker(ValueTableInputs(view));
        outcome = ExportValueTable(maker, view.model().items(), order, request, staleDays, tell,
                                   [&view](int item) { return view.flags().ColorOf(item); });
    } else {
        BuilderThumbnailSource source(view.model().builder(), view.model().store(), staleDays,
                                      ItemsOnScreen(view));
        source.SetFlagSource([&view](int item) { return view.flags().ColorOf(item); });
        outcome = ExportCatalog(source, view.model().items(), order, request, tell);
    }
    progress.reset();
    view.RequestCellsAgain();
    return outcome;
}

} // namespace mosgrid
