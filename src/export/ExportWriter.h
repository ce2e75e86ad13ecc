#pragma once

#include "export/ExportLayout.h"

#include <QDateTime>
#include <QImage>
#include <QPicture>
#include <QString>

#include <span>
#include <string>
#include <vector>

namespace mosgrid {

// What every page or sheet says at its top.
struct ExportHeader {
    QString listName;
    QDateTime when;
};

// One security of an export: its place in the shown order, its thumbnail (null when it
// could not be made: written as background) and its code, for file names.
struct ExportCell {
    int position = 0;
    QImage image;
    QPicture picture;  // instead of the image, for a writer that takes pictures
    std::string code;
};

// Writes one kind of export. The exporter hands it the cells of one run at a time, in order;
// nothing reaches the target path until Finish, and Abort leaves what was there before.
class ExportWriter {
public:
    virtual ~ExportWriter() = default;
    // How the positions are cut into the runs Add takes: pages, sheet bands, file batches.
    virtual std::vector<ExportLayout::Range> Runs(int count) const = 0;
    // Files it puts in place besides the target path, for the overwrite check.
    // Whether it keeps drawing commands (ExportCell::picture) as vectors.
    virtual bool TakesPictures() const { return false; }
    virtual std::vector<std::string> MoreTargets(int /*count*/) const { return {}; }
    // count: how many cells the whole export holds.
    virtual bool Begin(int count) = 0;
    virtual bool Add(std::span<const ExportCell> cells) = 0;
    virtual bool Finish() = 0;
    virtual void Abort() = 0;
};

} // namespace mosgrid
