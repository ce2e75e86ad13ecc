#include "PriceFileReader.h"

#include "CsvPriceParser.h"
#include "NewestBarsReader.h"
#include "PriceFile.h"
#include "TextDecoder.h"
#include "TextScan.h"

#include <mutex>
#include <string>
#include <vector>

namespace brasko {

namespace {

constexpr std::size_t kKeptBufferBytes = 4 * 1024 * 1024;
// About one per worker thread; more only while more read at once.
constexpr std::size_t kKeptBuffers = 16;

// Buffers of finished reads for the next ones: a fresh one of a few hundred kilobytes costs
// its page faults on every call. (Not thread_local: the plugin may be unloaded, and a
// leak checker that walks the threads' storage then trips over it.)
class ReadBuffers {
public:
    std::string Take()
    {
        const std::lock_guard lock(m_mutex);
        if (m_free.empty())
            return {};
        std::string buffer = std::move(m_free.back());
        m_free.pop_back();
        return buffer;
    }

    // A buffer grown by an unusually large file is not kept.
    void Give(std::string buffer)
    {
        if (buffer.capacity() > kKeptBufferBytes)
            return;
        const std::lock_guard lock(m_mutex);
        if (m_free.size() < kKeptBuffers)
            m_free.push_back(std::move(buffer));
    }

private:
    std::mutex m_mutex;
    std::vector<std::string> m_free;
};

ReadBuffers& Buffers()
{
    static ReadBuffers buffers;
    return buffers;
}

} // namespace

PriceFileReader::PriceFileReader(PriceFile& file)
    : m_file(file)
{
}

PriceFileReader::Result PriceFileReader::Read(const quorex::DataRequest& need)
{
    const bool settling = m_file.IsSettling();
    if (need.latestBars > 0) {
        NewestBarsReader newest(m_file, settling);
        if (const auto read = newest.Read(need); read && read->series)
            return {read->series, quorex::DataProblem::None, read->unsettled, false};
    }
    return ReadWhole(settling);
}

PriceFileReader::Result PriceFileReader::ReadWhole(bool settling)
{
    std::string bytes = Buffers().Take();
    Result result;
    if (!m_file.ReadAll(bytes)) {
        result.problem = quorex::DataProblem::Unreadable;
        Buffers().Give(std::move(bytes));
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
    Buffers().Give(std::move(bytes));
    return result;
}

} // namespace brasko
