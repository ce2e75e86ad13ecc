#pragma once

#include "export/ExportWriter.h"

#include <QDir>
#include <QSet>
#include <QStringList>

// One PNG per security in a folder, named by place and code, and a list of what was
// written (kFolderMarkerName), so the next export into the folder replaces its own files,
// and only those.
class PngFolderWriter : public ExportWriter {
public:
    explicit PngFolderWriter(const QString& folder);
    ~PngFolderWriter() override;

    std::vector<ExportLayout::Range> Runs(int count) const override;
    bool Begin(int count) override;
    bool Add(std::span<const ExportCell> cells) override;
    bool Finish() override;
    void Abort() override;

    // Files encoded together, on every core.
    static constexpr int kBatch = 32;

private:
    bool WriteMarker(const QStringList& names);

    QDir m_folder;
    int m_count = 0;
    QStringList m_previous;  // what the last export here wrote
    QStringList m_written;
    bool m_open = false;
};
