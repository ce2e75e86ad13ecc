#pragma once

#include <QImage>
#include <QSize>

#include <span>

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
};
