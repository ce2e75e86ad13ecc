#pragma once

#include "export/ExportWriter.h"

#include <QStringList>

#include <string>

namespace mosgrid {

// One PNG per security in a folder, named by place and code, and a list of what was
// written (kFolderMarkerName), so the next export into the folder replaces its own files,
// and only those. The files are written into a fresh folder beside the target and moved in
// only when all are written: a failure leaves the target as it was.
class PngFolderWriter : public ExportWriter {
public:
    PngFolderWriter(const QString& folder, QSize thumbnail);
    ~PngFolderWriter() override;

    std::vector<ExportLayout::Range> Runs(int count) const override;
    bool Begin(int count) override;
    bool Add(std::span<const ExportCell> cells) override;
    bool Finish() override;
    void Abort() override;

    // Files encoded together, on every core, and no more pixels than this at once, so big
    // thumbnails stay in bounded memory.
    static constexpr int kBatch = 32;
    static constexpr qint64 kMaxBatchBytes = 128 * 1024 * 1024;

private:
    bool MakeStaging();
    bool WriteStaged(const QString& name, const QByteArray& bytes);
    bool MoveIntoTarget();
    void RemoveStaging();

    QSize m_thumbnail;
    std::string m_target;   // without a trailing '/'
    std::string m_staging;  // the fresh folder beside it while the export runs
    int m_count = 0;
    QStringList m_previous;  // what the last export here wrote
    QStringList m_written;
};

} // namespace mosgrid
