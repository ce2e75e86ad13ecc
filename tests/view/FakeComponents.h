#pragma once

#include "chart/IComponentProvider.h"

#include <QColor>
#include <QImage>

#include <string>
#include <vector>

// Components that draw a solid picture: kWithData when the control holds data, kWithoutData
// otherwise. They count what was made and what is still alive.
struct FakeCounters {
    int controlsCreated = 0;
    int controlsAlive = 0;
    int librariesCreated = 0;
    int librariesAlive = 0;
    std::vector<std::string> loadedCodes;
};

inline const QColor kWithData(20, 160, 60);
inline const QColor kWithoutData(90, 90, 90);

// A code of this value has no data.
inline constexpr char kNoDataCode[] = "nodata";

class FakeProvider : public IComponentProvider {
public:
    std::unique_ptr<quorex::IDataLibrary> CreateDataLibrary() override;
    std::unique_ptr<quorex::IChartControl> CreateChartControl() override;

    bool dataLibraryAvailable = true;
    FakeCounters counters;
};
