#pragma once

#include "export/ThumbnailSource.h"
#include "settings/FlagColor.h"

#include <functional>

#include <memory>
#include <vector>

namespace mosgrid {

class PictureRecorder;
class ThumbnailBuilder;
class ThumbnailStore;

// Thumbnails from a view's builder and store: each run is asked for as the only cells
// wanted (kept in the store until the next run), the next run after it, nothing else; so
// the workers keep one run ahead and the store's budget holds for any catalog. A stale
// series carries its date badge as on screen (staleDays 0: never), against the newest date
// the store knows when the picture is taken.
class BuilderThumbnailSource : public ThumbnailSource {
public:
    // kept: items on screen while the export runs, kept in the store beside each run so
    // the grid behind the export goes on showing them.
    BuilderThumbnailSource(ThumbnailBuilder& builder, const ThumbnailStore& store,
                           int staleDays = 0, std::vector<int> kept = {});
    ~BuilderThumbnailSource() override;

    QSize thumbnailSize() const override;
    bool Fetch(std::span<const int> items, std::span<const int> next) override;
    QImage Image(int item) const override;
    // Where each item's flag comes from; its mark is drawn as on screen.
    void SetFlagSource(std::function<FlagColor(int item)> flagOf) { m_flagOf = std::move(flagOf); }
    // Pictures come from hosts of their own with the build's inputs; the builder then makes
    // only the kept items.
    bool UsePictures() override;
    QPicture Picture(int item) const override;

private:
    ThumbnailBuilder& m_builder;
    const ThumbnailStore& m_store;
    int m_nStaleDays = 0;
    std::vector<int> m_kept;
    std::function<FlagColor(int item)> m_flagOf;
    std::unique_ptr<PictureRecorder> m_recorder;
};

} // namespace mosgrid
