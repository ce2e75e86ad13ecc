#include "chart/DataProblemText.h"

#include "base/LabelTexts.h"

namespace mosgrid {

QString DataProblemText(quorex::DataProblem problem)
{
    using quorex::DataProblem;
    switch (problem) {
    case DataProblem::None:
        return LabelTexts::kNoData;
    case DataProblem::SourceMissing:
        return LabelTexts::kSourceMissing;
    case DataProblem::FileMissing:
        return LabelTexts::kFileMissing;
    case DataProblem::DatabaseMissing:
        return LabelTexts::kDatabaseMissing;
    case DataProblem::TableMissing:
        return LabelTexts::kTableMissing;
    case DataProblem::CodeMissing:
        return LabelTexts::kCodeMissing;
    case DataProblem::NoRows:
        return LabelTexts::kNoRows;
    case DataProblem::Unreadable:
        return LabelTexts::kUnreadable;
    case DataProblem::Busy:
        return LabelTexts::kBusy;
    }
    // A reason added to the interface later still says there is no data.
    return LabelTexts::kNoData;
}

} // namespace mosgrid
