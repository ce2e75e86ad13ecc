#pragma once

#include <QImage>
#include <QPicture>
#include <QSize>

#include <span>

namespace mosgrid {

// Where an export takes its thumbnails from, a run at a time.
class ThumbnailSource {
public:
    virtual ~ThumbnailSource() = default;
    virtual QSize thumbnailSize() const = 0;
    // Blocks until the thumbnails of items are there; next: the items after them, made
    // meanwhile when there is time. False when they will not come (the build was stopped).
    virtual bool Fetch(std::span<const int> items, std::span<const int> next) = 0;
    // Null when it could not be made. Valid for the items of the last Fetch.
    virtual QImage Image(int item) const = 0;
    // From now on Fetch makes each item's cell as drawing commands, for Picture; false when
    // this source has only pixels.
    virtual bool UsePictures() { return false; }
    // The cell drawn as commands over thumbnailSize(); null when it could not be made.
    virtual QPicture Picture(int /*item*/) const { return QPicture(); }
};

} // namespace mosgrid
