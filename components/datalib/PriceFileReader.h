#pragma once

#include "PriceSeries.h"

#include <QuorexComponents.h>

namespace brasko {

class PriceFile;

// The series of one open price file: the newest bars only when that is all that is asked
// for and the file allows it (see NewestBarsReader), else the whole file. A file still
// being written loses its unfinished last line.
class PriceFileReader {
public:
    struct Result {
        PriceSeries::Ptr series;
        quorex::DataProblem problem = quorex::DataProblem::None;
        bool unsettled = false; // an unfinished last line was left out
        bool complete = false;  // series holds every bar of the file
    };

    explicit PriceFileReader(PriceFile& file);

    // need: the bars needed, counted from the newest (latestBars 0: all of them).
    Result Read(const quorex::DataRequest& need);

private:
    Result ReadWhole(bool settling);

    PriceFile& m_file;
};

} // namespace brasko
