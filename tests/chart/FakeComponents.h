#pragma once

#include "chart/IComponentProvider.h"

#include <QSize>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace mosgrid;

// Recording stand-ins for the chart control and the data library. Every call and every
// release is appended to one log, so a test sees the order across all objects; every
// object created counts as live until it is destroyed.
struct FakeLog {
    std::vector<std::string> calls;
    int live = 0;
    // Every SetNotice, apart from the calls so their order stays as it was.
    std::vector<std::string> notices;
};

struct FakeBehaviour {
    bool noControl = false;
    bool noDataLibrary = false;
    bool noData = false;
    bool noCharts = false;
    // Why there is no data, when noData.
    quorex::DataProblem problem = quorex::DataProblem::Unreadable;
    // The series every LoadData gives.
    std::vector<quorex::PriceBar> bars{{20240105, 10, 12, 9, 11, 1000}};
    std::set<std::string> rejectedDefinitions;
    // What CheckDefinition says of a definition; nothing for those not listed.
    std::map<std::string, std::string> definitionProblems;
    // When set, the control paints a picture of this size whatever size it was given.
    QSize forcedPictureSize;
    // Called at every Update, on the thread that paints.
    std::function<void()> onUpdate;
};

// The pixel the fake control paints at (x, y): distinct per position, never grey.
QRgb FakePicturePixel(int x, int y);

class FakeComponentProvider : public IComponentProvider {
public:
    std::unique_ptr<quorex::IDataLibrary> CreateDataLibrary() override;
    std::unique_ptr<quorex::IChartControl> CreateChartControl() override;

    // The calls since the last TakeCalls, emptied.
    std::vector<std::string> TakeCalls();

    FakeLog log;
    FakeBehaviour behaviour;
};
