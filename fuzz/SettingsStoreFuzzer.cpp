// The file-backed settings store on any starting file (bytes, UTF-8 or UTF-16 with their
// marks) and any run of reads, writes and batches. Properties: a write that succeeds is
// what a fresh reader of the file then reads; a write that fails leaves the file's bytes
// as they were; a file never loses its byte-order mark.
#include "FuzzSupport.h"

#include "settings/SettingsStore.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsFileCache.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

using namespace mosgrid;

namespace {

// Two spellings of one path: each has its own parse, so the second reads the disk afresh.
const std::string& IniPath()
{
    static const std::string path = fuzz::ScratchFolder() + "mosgrid.ini";
    return path;
}

std::string FreshPath()
{
    return fuzz::ScratchFolder() + "/mosgrid.ini";
}

std::string FileBytes()
{
    return SettingsFile::Load(IniPath()).bytes;
}

const char* const kMarks[] = {"", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};

std::string Name(FuzzedDataProvider& input)
{
    static const char* const kNames[] = {"Chart", "Charts", "Name", "SizeX", "Num", "Chart0",
                                         "Param", "BackColor"};
    if (input.ConsumeBool())
        return kNames[input.ConsumeIntegralInRange<std::size_t>(0, std::size(kNames) - 1)];
    return input.ConsumeRandomLengthString(16);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::string mark = kMarks[input.ConsumeIntegralInRange<std::size_t>(0, 3)];
    const std::string start = mark + input.ConsumeRandomLengthString(2048);
    fuzz::Check(fuzz::WriteFile(IniPath(), start.data(), start.size()), "write the file");

    SettingsStore settings(IniPath());
    const int steps = input.ConsumeIntegralInRange(1, 8);
    for (int step = 0; step < steps && input.remaining_bytes() > 0; ++step) {
        const std::string section = Name(input);
        const std::string key = Name(input);
        switch (input.ConsumeIntegralInRange(0, 3)) {
        case 0:
            (void)settings.ReadInt(section, key, 7);
            break;
        case 1:
            (void)settings.ReadText(section, key, input.ConsumeRandomLengthString(8),
                                    input.ConsumeIntegralInRange<std::size_t>(0, 1100));
            break;
        default: {
            const std::string value = input.ConsumeRandomLengthString(64);
            const std::string before = FileBytes();
            SettingsWriteBatch writes{{section, key, value}};
            if (input.ConsumeBool())
                writes.push_back({Name(input), Name(input), input.ConsumeRandomLengthString(8)});
            const bool written = writes.size() == 1
                ? settings.WriteText(section, key, value)
                : settings.WriteTexts(writes);
            const std::string after = FileBytes();
            fuzz::Check(written || writes.size() > 1 || after == before,
                        "a write that fails changes nothing");
            fuzz::Check(after == before || after.starts_with(mark), "the byte-order mark stays");
            if (!written)
                break;
            // What this reader holds is what the file holds. Two versions of the file within
            // one tick of the file system's clock may look alike: read it afresh.
            SettingsFileCache::ForPath(FreshPath())->Forget();
            const SettingsStore fresh(FreshPath());
            for (const SettingsWrite& write : writes)
                fuzz::Check(fresh.ReadText(write.section, write.key, "\x01")
                                == settings.ReadText(write.section, write.key, "\x01"),
                            "a fresh reader reads what was written");
            break;
        }
        }
    }
    return 0;
}
