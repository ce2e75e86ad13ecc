#pragma once

#include "export/ValueRow.h"
#include "thumbnails/BuildInputs.h"

#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace mosgrid {

// Makes the value-table rows of a catalog on worker threads, each with a chart host of its
// own that reads and draws a security as its thumbnail would be (same settings, size and
// period), so every value is the one the chart shows. The calling thread only waits.
class ValueRowMaker {
public:
    enum class Result { Done, Stopped, NoComponents };

    // workers: threads to use; 0: the machine's cores.
    explicit ValueRowMaker(BuildInputs inputs, int workers = 0);

    // Rows of the items in order, in that order. progress(done, total) is called on this
    // thread now and then while the workers run; false from it stops them.
    Result Make(std::span<const int> order, std::vector<ValueRow>& rows,
                const std::function<bool(int done, int total)>& progress = {});

private:
    BuildInputs m_inputs;
    int m_workers = 0;
};

} // namespace mosgrid
