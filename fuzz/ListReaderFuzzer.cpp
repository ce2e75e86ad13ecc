// The list reader and the catalog loader on any bytes, with reads cut short, interrupted
// or failing where the input says. Properties: reads cut short or interrupted give exactly
// the items of whole reads; a failing read gives a prefix of them and says so; in binary
// mode the pieces read put back together are the file up to its first 0xFF.
#include "FuzzSupport.h"

#include "catalog/CListFileReader.h"
#include "catalog/CatalogListLoader.h"
#include "catalog/DisplayText.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <string>
#include <vector>

using namespace mosgrid;

namespace {

// What one read(2) does: deliver at most `size` bytes, fail with EINTR, or with EIO.
struct ReadStep {
    enum class Kind { Short, Interrupt, Fail } kind;
    std::size_t size;
};

class ScriptedReader : public CListFileReader {
public:
    explicit ScriptedReader(const std::vector<ReadStep>& steps) : m_steps(steps) {}

protected:
    ssize_t ReadFromFile(int fd, char* buffer, std::size_t size) override
    {
        if (m_next >= m_steps.size())
            return CListFileReader::ReadFromFile(fd, buffer, size);
        const ReadStep& step = m_steps[m_next++];
        switch (step.kind) {
        case ReadStep::Kind::Interrupt:
            errno = EINTR;
            return -1;
        case ReadStep::Kind::Fail:
            errno = EIO;
            return -1;
        case ReadStep::Kind::Short:
            break;
        }
        return CListFileReader::ReadFromFile(fd, buffer, std::min(size, step.size));
    }

private:
    const std::vector<ReadStep>& m_steps;
    std::size_t m_next = 0;
};

struct Item {
    std::int32_t type;
    std::string source, code, name;
    bool operator==(const Item&) const = default;
};

std::vector<Item> ItemsOf(const CatalogItemList& list)
{
    std::vector<Item> items;
    for (const auto& item : list) {
        items.push_back({item->m_nType, item->m_strSource, item->m_strCode, item->m_strName});
        // The screen's decoding of the name (UTF-8 or Shift-JIS) takes any bytes.
        (void)DisplayText(item->m_strName);
    }
    return items;
}

// The list file lives in memory; its /proc name opens like any regular file.
const std::string& ListPath()
{
    static const std::string path = [] {
        const int fd = ::memfd_create("list", MFD_CLOEXEC);
        fuzz::Check(fd >= 0, "memfd_create");
        return "/proc/self/fd/" + std::to_string(fd);
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The script: a count, then two bytes per read; the rest is the file.
    std::vector<ReadStep> steps;
    std::size_t at = 0;
    const std::size_t count = size > 0 ? data[at++] % 16 : 0;
    for (std::size_t i = 0; i < count && at + 2 <= size; ++i, at += 2) {
        const auto kind = static_cast<ReadStep::Kind>(data[at] % 3);
        steps.push_back({kind, std::size_t(data[at + 1]) + 1});
    }
    const std::string bytes(reinterpret_cast<const char*>(data) + at, size - at);
    fuzz::Check(fuzz::WriteFile(ListPath(), bytes.data(), bytes.size()), "write the list");

    const std::vector<ReadStep> none;
    ScriptedReader whole(none);
    CatalogItemList wholeItems;
    const ListLoadOutcome plain = LoadCatalogList(whole, ListPath(), false, wholeItems);
    fuzz::Check(plain.opened && plain.complete, "a list in memory reads whole");
    const std::vector<Item> expected = ItemsOf(wholeItems);
    for (const Item& item : expected)
        fuzz::Check(item.source.find(',') == std::string::npos
                        && item.code.find(',') == std::string::npos
                        && item.name.find(',') == std::string::npos
                        && item.name.find('\n') == std::string::npos,
                    "fields hold no comma and no line feed");

    ScriptedReader scripted(steps);
    CatalogItemList scriptedItems;
    const ListLoadOutcome outcome = LoadCatalogList(scripted, ListPath(), false, scriptedItems);
    const std::vector<Item> got = ItemsOf(scriptedItems);
    fuzz::Check(outcome.opened, "the scripted list opens");
    if (outcome.complete) {
        fuzz::Check(got == expected, "short and interrupted reads change nothing");
    } else {
        fuzz::Check(got.size() <= expected.size()
                        && std::equal(got.begin(), got.end(), expected.begin()),
                    "a failing read keeps a prefix of the items");
    }

    // Binary mode: every byte comes back, up to and with the first 0xFF.
    ScriptedReader binary(steps);
    if (binary.OpenFile(ListPath(), CListFileReader::flagBinary)) {
        std::string joined;
        bool first = true;
        while (!binary.AtEnd()) {
            if (!first)
                joined += '\n';
            first = false;
            joined += binary.ReadUntil("\n");
        }
        if (!binary.HasReadError()) {
            const std::size_t end = bytes.find('\xFF');
            const std::string want = end == std::string::npos ? bytes : bytes.substr(0, end + 1);
            fuzz::Check(joined == want, "binary pieces put together are the file");
        }
    }
    return 0;
}
