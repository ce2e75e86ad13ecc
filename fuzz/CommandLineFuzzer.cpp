// The data tool's command line: any item's bytes formatted into the template of its type,
// then split as the C runtime splits it. Properties: the program's name is always the
// first argument; no argument holds a blank unless the line quoted it; splitting any bytes
// ends.
#include "FuzzSupport.h"

#include "base/Cp932Text.h"
#include "catalog/CatalogItem.h"
#include "view/ToolCommandLine.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

using namespace mosgrid;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    CatalogItem item;
    item.m_nType = input.ConsumeIntegral<std::int32_t>();
    item.m_strSource = input.ConsumeRandomLengthString(64);
    item.m_strCode = input.ConsumeRandomLengthString(32);
    item.m_strName = input.ConsumeRandomLengthString(64);
    const std::string line = FormatToolCommandLine(item);
    const std::vector<std::string> args = SplitCommandLine(line);
    fuzz::Check(!args.empty() && args.front() == "tarnel.exe",
                "the program's name is the first argument");
    // A Shift-JIS lead byte may take the blank after it, as the C runtime does.
    const bool mayHoldBlanks = line.find('"') != std::string::npos || !IsValidUtf8(line);
    for (const std::string& arg : args)
        fuzz::Check(mayHoldBlanks || arg.find_first_of(" \t") == std::string::npos,
                    "blanks separate unless quoted");

    (void)SplitCommandLine(input.ConsumeRemainingBytesAsString());
    return 0;
}
