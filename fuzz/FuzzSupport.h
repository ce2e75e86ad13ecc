#pragma once

// Shared by the fuzz targets: a scratch folder in memory, the Qt application the chart and
// database readers need, and a check that stops the run with a message.

#include <cstddef>
#include <string>

namespace fuzz {

// A private folder for this process, on a memory file system when there is one; removed
// at exit. Ends in '/'.
const std::string& ScratchFolder();

// Writes bytes to path, replacing it; false on failure.
bool WriteFile(const std::string& path, const void* data, std::size_t size);

// A QGuiApplication on the offscreen platform, made once.
void EnsureGuiApplication();

// A property that must hold: prints what broke and aborts, so libFuzzer keeps the input.
[[noreturn]] void Fail(const char* what);

inline void Check(bool condition, const char* what)
{
    if (!condition)
        Fail(what);
}

} // namespace fuzz
