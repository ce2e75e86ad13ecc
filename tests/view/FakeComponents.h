#pragma once

#include "chart/IComponentProvider.h"

#include <QColor>
#include <QImage>
#include <QSize>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

using namespace mosgrid;

// Components that draw a solid picture: kWithData when the control holds data, kWithoutData
// otherwise. They count what was made and what is still alive.
// Safe to count from the worker threads; read them once the build is over.
struct FakeCounters {
    std::atomic<int> controlsCreated = 0;
    std::atomic<int> controlsAlive = 0;
    std::atomic<int> librariesCreated = 0;
    std::atomic<int> librariesAlive = 0;
    std::mutex codesMutex;
    std::vector<std::string> loadedCodes;
};

inline const QColor kWithData(20, 160, 60);
inline const QColor kWithoutData(90, 90, 90);

// A code of this value has no data.
inline constexpr char kNoDataCode[] = "nodata";

// The close of the fakes' one bar when no price file gives another.
inline constexpr double kFakeClose = 105;
// The picture of a series whose last close is close: kWithData for kFakeClose.
QColor PriceColour(double close);

namespace mosgrid {
class ThumbnailStore;
}

// Thumbnails as a finished build would leave them; a null image is one that failed.
inline constexpr std::uint64_t kFilledGeneration = 1;
void FillStore(ThumbnailStore& store, QSize size, const std::vector<QImage>& images);

class FakeProvider : public IComponentProvider {
public:
    std::unique_ptr<quorex::IDataLibrary> CreateDataLibrary() override;
    std::unique_ptr<quorex::IChartControl> CreateChartControl() override;

    bool dataLibraryAvailable = true;
    FakeCounters counters;
    // Called on the worker thread at every LoadData, before the data is made: a test may
    // hold a worker there, or make each item cost some work.
    std::function<void(const std::string& code)> onLoad;
    // Price files: the series of (source, code) is read from <source>/<code>.csv, one close
    // per line, the last whole line's close the newest; a file not ending in a line feed is
    // being written (its unfinished line is left out). The file is the result's origin.
    bool readPriceFiles = false;
};
