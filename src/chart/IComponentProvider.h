#pragma once

#include "QuorexComponents.h"

#include <memory>
#include <mutex>

namespace mosgrid {

// Where the chart host gets its two outside components from. The program finds them as
// plugins by name; tests hand the host recording fakes instead.
//
// Threads: any. Components are created and let go one at a time, whichever thread does it:
// the provider owns the lock for that. Chart hosts take it themselves in CreateHost and
// DestroyWindow; whoever else creates or lets go of a component holds componentMutex().
// Nothing that takes a build's lock (queue, store, arena) is called while it is held.
class IComponentProvider {
public:
    virtual ~IComponentProvider() = default;
    // Null when the data library cannot be created.
    virtual std::unique_ptr<quorex::IDataLibrary> CreateDataLibrary() = 0;
    // Null when the chart control cannot be created.
    virtual std::unique_ptr<quorex::IChartControl> CreateChartControl() = 0;
    // A provider that hands out another's components shares that one's lock.
    virtual std::mutex& componentMutex() { return m_componentMutex; }

private:
    std::mutex m_componentMutex;
};

} // namespace mosgrid
