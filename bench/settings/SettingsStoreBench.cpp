#include "settings/SettingsStore.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/stat.h>

#include <string>
#include <vector>

using namespace mosgrid;

namespace {

constexpr int kKeys = 50;
constexpr int kReadsPerRun = 100000;

// A 50-key file as a user's settings might grow: three sections, comments, CR LF.
std::string MakeIni(const QTemporaryDir& dir)
{
    std::string text = "; mosgrid\r\n[Chart]\r\nSizeX=300\r\nSizeY=180\r\nNum=4\r\n";
    for (int i = 0; i < kKeys - 9; ++i)
        text += "Chart" + std::to_string(i) + "=Daily; DispMaxMin=" + std::to_string(i) + "\r\n";
    text += "[Charts]\r\nParam=AssistLine=0; FontSize=9; DispNum=60; ShowScrollBar=0\r\n";
    text += "[Name]\r\nBackColor=8421440\r\nTextColor=16777215\r\nTransParent=0\r\n";
    text += "[Other]\r\nA=1\r\nB=2\r\n";
    const std::string path = QFile::encodeName(dir.path()).toStdString() + "/mosgrid.ini";
    QFile file(QString::fromStdString(path));
    file.open(QIODevice::WriteOnly);
    file.write(text.data(), qint64(text.size()));
    return path;
}

// What a rebuild asks for, round and round.
const char* const kAsked[][2] = {
    {"Chart", "SizeX"},     {"Chart", "SizeY"},     {"Chart", "Num"},
    {"Name", "BackColor"},  {"Name", "TextColor"},  {"Name", "TransParent"},
};

// 100,000 ReadInt calls. Argument 0: each checks the file's stamp before trusting the
// cache; argument 1: the program's setting, a check at most once per millisecond.
void BM_ReadInt100k(benchmark::State& state)
{
    SettingsStore::SetRecheckInterval(state.range(0) == 0 ? std::chrono::nanoseconds(0)
                                                          : SettingsStore::kRecheckInterval);
    QTemporaryDir dir;
    const SettingsStore settings(MakeIni(dir));
    long long sum = 0;
    for (auto _ : state) {
        for (int i = 0; i < kReadsPerRun; ++i) {
            const auto& asked = kAsked[i % std::size(kAsked)];
            sum += settings.ReadInt(asked[0], asked[1], 0);
        }
    }
    benchmark::DoNotOptimize(sum);
}
BENCHMARK(BM_ReadInt100k)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The floor under the freshness check: one stat of the same path per read.
void BM_Stat100k(benchmark::State& state)
{
    QTemporaryDir dir;
    const std::string path = MakeIni(dir);
    struct stat info;
    for (auto _ : state) {
        for (int i = 0; i < kReadsPerRun; ++i)
            benchmark::DoNotOptimize(::stat(path.c_str(), &info));
    }
}
BENCHMARK(BM_Stat100k)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
