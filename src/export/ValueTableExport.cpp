#include "export/ValueTableExport.h"

#include "base/FileTexts.h"
#include "base/SafeFile.h"
#include "chart/StaleBadge.h"
#include "export/ExportTarget.h"
#include "export/ValueRowMaker.h"
#include "export/ValueTableText.h"

#include <QFile>

namespace mosgrid {

ExportOutcome ExportValueTable(ValueRowMaker& maker, const CatalogItemList& items,
                               const std::vector<int>& order, const ExportRequest& request,
                               int staleDays, const ExportProgress& progress,
                               const std::function<FlagColor(int item)>& flagOf)
{
    const QString shown = QFile::decodeName(request.path.c_str());
    if (ExportKindOf(request.path) != ExportKind::Csv)
        return ExportOutcome{ExportStatus::Usage, FileTexts::kExportUsage.arg(shown), 0};
    if (auto refused = CheckExportTarget(ExportKind::Csv, request.path, request))
        return *refused;

    std::vector<ValueRow> rows;
    switch (maker.Make(order, rows, progress)) {
    case ValueRowMaker::Result::Done:
        break;
    case ValueRowMaker::Result::Stopped:
        return ExportOutcome{ExportStatus::Cancelled, FileTexts::kExportCancelled, 0};
    case ValueRowMaker::Result::NoComponents:
        return ExportOutcome{ExportStatus::Failed, FileTexts::kExportNoCharts, 0};
    }
    if (flagOf) {
        for (std::size_t i = 0; i < std::min(order.size(), rows.size()); ++i)
            rows[i].flag = flagOf(order[i]);
    }
    const QByteArray text = ValueTableText::Text(items, order, rows, staleDays, TodayDate());
    SafeFile file(request.path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        file.cancelWriting();
        return ExportOutcome{ExportStatus::Failed, FileTexts::kExportWriteFailed.arg(shown), 0};
    }
    const int written = static_cast<int>(order.size());
    if (progress)
        progress(written, written);
    return ExportOutcome{ExportStatus::Done, {}, written};
}

} // namespace mosgrid
