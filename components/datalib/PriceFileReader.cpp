#include "PriceFileReader.h"

#include "CsvPriceParser.h"
#include "NewestBarsReader.h"
#include "PriceFile.h"
#include "TextDecoder.h"
#include "TextScan.h"

namespace brasko {

namespace {

constexpr std::size_t kKeptBufferBytes = 4 * 1024 * 1024;

} // namespace

PriceFileReader::PriceFileReader(PriceFile& file)
    : m_file(file)
{
}

PriceFileReader::Result PriceFileReader::Read(std::size_t latestBars)
{
    const bool settling = m_file.IsSettling();
    if (latestBars > 0) {
        NewestBarsReader newest(m_file, settling);
        if (const auto read = newest.Read(latestBars); read && read->series)
            return {read->series, quorex::DataProblem::None, read->unsettled, false};
    }
    return ReadWhole(settling);
}

PriceFileReader::Result PriceFileReader::ReadWhole(bool settling)
{
    // One buffer per thread: a fresh one of a few hundred kilobytes costs its page faults
    // on every call. A buffer grown by an unusually large file is not kept.
    thread_local std::string bytes;
    Result result;
    if (!m_file.ReadAll(bytes)) {
        result.problem = quorex::DataProblem::Unreadable;
        return result;
    }
    DecodeToUtf8(bytes);
    if (settling)
        result.unsettled = DropUnfinishedLine(bytes);
    PriceRows rows = ReadPriceRows(bytes);
    result.series = PriceSeries::FromRows(std::move(rows.bars));
    result.complete = result.series != nullptr;
    if (!result.series)
        result.problem = WhyNoBars(rows, bytes);
    if (bytes.capacity() > kKeptBufferBytes)
        std::string().swap(bytes);
    return result;
}

} // namespace brasko
